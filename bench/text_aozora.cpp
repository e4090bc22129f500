// Reading a book's Aozora notation, alone and as part of laying the book out.
// The goal: laying out a long novel with its notation costs at most 1.5 times
// laying out the same bytes as plain text.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Aozora.h"
#include "text/Encoding.h"
#include "text/Sjis.h"

namespace {

// 坊っちゃん, 210 kB of code page 932 with about 3,000 rubies.
const std::string& Botchan() {
  static const std::string text = [] {
    std::ifstream file(QUILLANE_SOURCE_DIR "/tests/text/data/botchan.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }();
  return text;
}

// A book of 1 MB: the novel's text five times over, between its one header and
// explanation block and its one footer.
const std::string& OneMegabyteBook() {
  static const std::string text = [] {
    const std::string& novel = Botchan();
    const std::string dashes = "\r\n-----";
    const std::size_t explanationEnd =
        novel.find("\r\n", novel.find(dashes, novel.find(dashes) + 1) + dashes.size());
    const std::size_t footer = novel.find("\r\n\x92\xea\x96\x7b\x81\x46");  // 底本：
    const std::string body = novel.substr(explanationEnd, footer - explanationEnd);
    std::string book = novel.substr(0, footer);
    for (int i = 0; i < 4; ++i) book += body;
    return book + novel.substr(footer);
  }();
  return text;
}

std::string StoreOrGeta(char32_t c) {
  std::string bytes;
  if (!AppendSjis(bytes, c)) bytes = "\x81\xac";
  return bytes;
}

void Read(benchmark::State& state, const std::string& book) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadAozora(book, StoreOrGeta));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(book.size()));
}

void BM_ReadAozoraBotchan(benchmark::State& state) {
  Read(state, Botchan());
}
BENCHMARK(BM_ReadAozoraBotchan)->Unit(benchmark::kMillisecond);

void BM_ReadAozoraOneMegabyte(benchmark::State& state) {
  Read(state, OneMegabyteBook());
}
BENCHMARK(BM_ReadAozoraOneMegabyte)->Unit(benchmark::kMillisecond);

// What a load does after the file is read: decode, (read the notation,) put
// the text into the store, replace, lay it out into pages. The clean lines go
// into the store joined again with CR LF, as the plain text does.
void LoadAndLayOut(benchmark::State& state, const std::string& book, bool notation) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  for (auto _ : state) {
    std::string text = DecodeText(book, false).Bytes;
    if (notation) {
      const TAozoraText read = ReadAozora(text, StoreOrGeta);
      text.clear();
      for (const std::string& line : read.Lines) (text += line) += "\r\n";
      benchmark::DoNotOptimize(read.Notes.Ruby.data());
    }
    form.Editor1.Lines.SetText(text);
    form.FFileIn = true;
    form.Freplace(form.Editor1);
    form.FNewText = true;
    form.FPreEcri(form.Editor1);
    benchmark::DoNotOptimize(form.FAllPage);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(book.size()));
  state.counters["pages"] = form.FAllPage;
}

void BM_LayOutBotchanPlain(benchmark::State& state) {
  LoadAndLayOut(state, Botchan(), false);
}
BENCHMARK(BM_LayOutBotchanPlain)->Unit(benchmark::kMillisecond);

void BM_LayOutBotchanWithNotation(benchmark::State& state) {
  LoadAndLayOut(state, Botchan(), true);
}
BENCHMARK(BM_LayOutBotchanWithNotation)->Unit(benchmark::kMillisecond);

void BM_LayOutOneMegabytePlain(benchmark::State& state) {
  LoadAndLayOut(state, OneMegabyteBook(), false);
}
BENCHMARK(BM_LayOutOneMegabytePlain)->Unit(benchmark::kMillisecond);

void BM_LayOutOneMegabyteWithNotation(benchmark::State& state) {
  LoadAndLayOut(state, OneMegabyteBook(), true);
}
BENCHMARK(BM_LayOutOneMegabyteWithNotation)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
