// Loading, replacing and laying out a large user text.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"

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

// What opening a file does to the text: load, replace, lay out into pages.
void BM_LoadReplaceLayoutFiveMegabytes(benchmark::State& state) {
  static const TempTextFile file(FiveMegabytes());
  HeadlessPlatform platform;
  TForm1 form(platform);
  for (auto _ : state) {
    form.Editor1.Lines.Clear();
    form.Editor1.Lines.LoadFromFile(file.Path());
    form.FFileIn = true;
    form.Freplace(form.Editor1);
    form.FNewText = true;
    form.FPreEcri(form.Editor1);
    benchmark::DoNotOptimize(form.FAllPage);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(FiveMegabytes().size()));
  state.counters["pages"] = form.FAllPage;
}
BENCHMARK(BM_LoadReplaceLayoutFiveMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
