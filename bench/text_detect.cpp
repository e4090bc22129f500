// Telling a text's encoding without a mark: five megabytes of Japanese prose
// in each encoding, and the same with a few damaged bytes. Every candidate is
// read over the whole text, so this is the cost detection adds to a load.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <fstream>
#include <iterator>
#include <string>

#include "text/Detect.h"

namespace {

std::string Prose() {
  std::ifstream in(QUILLANE_SOURCE_DIR "/resources/builtin_text.txt", std::ios::binary);
  const std::string paragraph((std::istreambuf_iterator<char>(in)), {});
  std::string text;
  while (text.size() < (5u << 20)) text += paragraph;
  return text;
}

std::string Encode(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char *in = const_cast<char*>(utf8.data()), *dst = out.data();
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

void Detect(benchmark::State& state, const char* encoding, bool damaged) {
  std::string text = encoding ? Encode(Prose(), encoding) : Prose();
  if (damaged)
    for (std::size_t at = 1000; at < text.size(); at += text.size() / 4) text[at] = '\xFF';
  for (auto _ : state) benchmark::DoNotOptimize(GuessEncoding(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Detect, ShiftJis, "CP932", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Detect, EucJp, "EUC-JP", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Detect, Utf8, nullptr, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Detect, Utf8Damaged, nullptr, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Detect, Utf16Le, "UTF-16LE", false)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
