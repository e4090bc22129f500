// Reading a book's Aozora notation, alone and as part of laying the book out.
// The goal: laying out a long novel with its notation costs at most 1.5 times
// laying out the same bytes as plain text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Aozora.h"
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

// The file written once into the temporary folder, for the loads to read.
std::string BookFile(const std::string& name, const std::string& bytes) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// What opening a file does: read, decode, (read the notation,) replace, lay
// it out into pages, as the window and quillane-cli open it.
void LoadAndLayOut(benchmark::State& state, const std::string& path, TAozoraMode mode) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FAozora = mode;
  for (auto _ : state) {
    form.PLayOutTextFile(path);
    benchmark::DoNotOptimize(form.FAllPage);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
  state.counters["pages"] = form.FAllPage;
}

const std::string& BotchanFile() {
  static const std::string path = BookFile("quillane-bench-botchan.txt", Botchan());
  return path;
}
const std::string& OneMegabyteFile() {
  static const std::string path = BookFile("quillane-bench-1mb.txt", OneMegabyteBook());
  return path;
}

void BM_LayOutBotchanPlain(benchmark::State& state) {
  LoadAndLayOut(state, BotchanFile(), TAozoraMode::Off);
}
BENCHMARK(BM_LayOutBotchanPlain)->Unit(benchmark::kMillisecond);

void BM_LayOutBotchanWithNotation(benchmark::State& state) {
  LoadAndLayOut(state, BotchanFile(), TAozoraMode::Auto);
}
BENCHMARK(BM_LayOutBotchanWithNotation)->Unit(benchmark::kMillisecond);

void BM_LayOutOneMegabytePlain(benchmark::State& state) {
  LoadAndLayOut(state, OneMegabyteFile(), TAozoraMode::Off);
}
BENCHMARK(BM_LayOutOneMegabytePlain)->Unit(benchmark::kMillisecond);

void BM_LayOutOneMegabyteWithNotation(benchmark::State& state) {
  LoadAndLayOut(state, OneMegabyteFile(), TAozoraMode::Auto);
}
BENCHMARK(BM_LayOutOneMegabyteWithNotation)->Unit(benchmark::kMillisecond);

// Filling the slots of every page in turn, with each slot's decoration for
// the book: what a page costs before it is drawn.
void FillEveryPage(benchmark::State& state, TAozoraMode mode) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FAozora = mode;
  form.PLayOutTextFile(BotchanFile());
  for (auto _ : state) {
    for (form.FPage = 1; form.FPage <= form.FAllPage; ++form.FPage) {
      form.FRetsuText(form.Editor1);
      benchmark::DoNotOptimize(form.FRetsuDecor.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * form.FAllPage);
}

void BM_FillPagesBotchanPlain(benchmark::State& state) {
  FillEveryPage(state, TAozoraMode::Off);
}
BENCHMARK(BM_FillPagesBotchanPlain)->Unit(benchmark::kMillisecond);

void BM_FillPagesBotchanWithNotation(benchmark::State& state) {
  FillEveryPage(state, TAozoraMode::Auto);
}
BENCHMARK(BM_FillPagesBotchanWithNotation)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
