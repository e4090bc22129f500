// Loading, replacing and laying out a large user text.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Encoding.h"
#include "text/Sjis.h"

// Counts the bytes the program holds on the heap, and their peak, so that the
// memory benchmarks measure the line store alone rather than the process.
namespace heapcount {
std::size_t current = 0;
std::size_t peak = 0;
// Starts a new peak from what is held now; returns that.
std::size_t Reset() {
  peak = current;
  return current;
}
std::size_t Peak() {
  return peak;
}
}  // namespace heapcount

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  heapcount::current += malloc_usable_size(p);
  heapcount::peak = std::max(heapcount::peak, heapcount::current);
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  heapcount::current -= malloc_usable_size(p);
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

// The built-in essay repeated to at least `bytes`, with some tabs and
// full-width colons so the replacement has work to do.
std::string JapaneseText(std::size_t bytes) {
  std::string paragraph;
  for (const auto& line : TForm1::StringResource1()) {
    paragraph += line;
    paragraph += "\r\n";
  }
  paragraph += "\t\x81\x46\x81\xe1\x81\xe2\r\n";
  std::string text;
  while (text.size() < bytes) text += paragraph;
  return text;
}

// A text file that lives as long as the benchmark program.
class TempTextFile {
 public:
  explicit TempTextFile(const std::string& bytes) {
    char name[] = "/tmp/quillane-bench-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) ::close(fd);
    path_ = name;
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempTextFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& FiveMegabytes() {
  static const std::string text = JapaneseText(5 << 20);
  return text;
}

void BM_ReplaceFiveMegabytes(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  for (auto _ : state) {
    state.PauseTiming();
    form.Editor1.Lines.SetText(FiveMegabytes());
    state.ResumeTiming();
    form.Freplace(form.Editor1);
    benchmark::DoNotOptimize(form.Editor1.RowCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(FiveMegabytes().size()));
}
BENCHMARK(BM_ReplaceFiveMegabytes)->Unit(benchmark::kMillisecond);

// What opening a file does to the text: load (with the encoding's detection
// and conversion), replace, lay out into pages.
void LoadReplaceLayout(benchmark::State& state, const std::string& bytes) {
  const TempTextFile file(bytes);
  HeadlessPlatform platform;
  TForm1 form(platform);
  for (auto _ : state) {
    form.PLoadLines(form.Editor1, file.Path());
    form.FFileIn = true;
    form.Freplace(form.Editor1);
    form.FNewText = true;
    form.FPreEcri(form.Editor1);
    benchmark::DoNotOptimize(form.FAllPage);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
  state.counters["pages"] = form.FAllPage;
}

void BM_LoadReplaceLayoutFiveMegabytes(benchmark::State& state) {
  LoadReplaceLayout(state, FiveMegabytes());
}
BENCHMARK(BM_LoadReplaceLayoutFiveMegabytes)->Unit(benchmark::kMillisecond);

// The same text as UTF-8: the goal is at most 1.5 times the Shift-JIS time.
void BM_LoadReplaceLayoutFiveMegabytesUtf8(benchmark::State& state) {
  static const std::string utf8 = SjisToUtf8(FiveMegabytes());
  LoadReplaceLayout(state, utf8);
}
BENCHMARK(BM_LoadReplaceLayoutFiveMegabytesUtf8)->Unit(benchmark::kMillisecond);

// The same UTF-8 text with one character in a hundred outside code page 932
// (kanji of JIS X 0213, one beyond the basic plane), each taking the place of
// a kanji or kana: the goal is at most 1.2 times the time without them.
std::string WithCarriedCharacters(const std::string& utf8) {
  std::vector<std::string> carried;
  char form[2];
  for (char32_t cp = 0x4E00; carried.size() < 64; ++cp)
    if (EncodeSjis(cp, form) < 0) AppendUtf8(carried.emplace_back(), cp);
  carried.push_back("𠮷");
  std::string text;
  text.reserve(utf8.size() + utf8.size() / 100);
  std::size_t since = 0, next = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (++since >= 100 && n == 3) {
      text += carried[next++ % carried.size()];
      since = 0;
    } else {
      text.append(utf8, i, n);
    }
    i += n;
  }
  return text;
}

void BM_LoadReplaceLayoutFiveMegabytesUtf8Carried(benchmark::State& state) {
  static const std::string utf8 = WithCarriedCharacters(SjisToUtf8(FiveMegabytes()));
  LoadReplaceLayout(state, utf8);
}
BENCHMARK(BM_LoadReplaceLayoutFiveMegabytesUtf8Carried)->Unit(benchmark::kMillisecond);

// Peak heap of opening a text, per byte of the file: a text of empty lines
// (the worst case for a line store) and the Japanese text.
void LoadMemory(benchmark::State& state, const std::string& bytes) {
  const TempTextFile file(bytes);
  double perByte = 0;
  for (auto _ : state) {
    HeadlessPlatform platform;
    TForm1 form(platform);
    const std::size_t before = heapcount::Reset();
    form.PLoadLines(form.Editor1, file.Path());
    form.FFileIn = true;
    form.Freplace(form.Editor1);
    form.FNewText = true;
    form.FPreEcri(form.Editor1);
    perByte = static_cast<double>(heapcount::Peak() - before) / static_cast<double>(bytes.size());
  }
  state.counters["peak_bytes_per_input_byte"] = perByte;
}

void BM_LoadMemoryEmptyLines(benchmark::State& state) {
  LoadMemory(state, std::string(20 << 20, '\n'));
}
BENCHMARK(BM_LoadMemoryEmptyLines)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadMemoryJapaneseText(benchmark::State& state) {
  LoadMemory(state, JapaneseText(20 << 20));
}
BENCHMARK(BM_LoadMemoryJapaneseText)->Unit(benchmark::kMillisecond)->Iterations(1);

// A text of tabs only: each becomes 8 bytes, so the text the store holds is
// eight times the file.
void BM_LoadMemoryTabs(benchmark::State& state) {
  LoadMemory(state, std::string(4 << 20, '\t'));
}
BENCHMARK(BM_LoadMemoryTabs)->Unit(benchmark::kMillisecond)->Iterations(1);

// UTF-8 text of characters code page 932 has no form for, each one becoming
// 〓: the cost grows with the size of the text and no faster.
std::string Repeated(std::string_view unit, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  return text;
}

void Convert(benchmark::State& state, std::string_view unit) {
  const std::string text = Repeated(unit, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeText(text, false, TTextEncoding::Utf8));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}

void BM_ConvertHangul(benchmark::State& state) {
  Convert(state, "한국어의문장입니다\n");
}
BENCHMARK(BM_ConvertHangul)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ConvertEmojiAmongJapanese(benchmark::State& state) {
  Convert(state, "猫😺が🐟を食べた👍🏽。\n");
}
BENCHMARK(BM_ConvertEmojiAmongJapanese)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
