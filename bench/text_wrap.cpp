// Wrap throughput of the line store at the user text's width.
#include <benchmark/benchmark.h>

#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/HEditor.h"
#include "text/Sjis.h"

namespace {

// The built-in essay repeated to at least `bytes`, with its own line breaks.
std::string JapaneseText(std::size_t bytes) {
  std::string paragraph;
  for (const auto& line : TForm1::StringResource1()) {
    paragraph += line;
    paragraph += "\r\n";
  }
  std::string text;
  while (text.size() < bytes) text += paragraph;
  return text;
}

// The same bytes with every line break taken out, then broken every
// `lineBytes` bytes (0: never) at a character boundary.
std::string Relined(const std::string& text, std::size_t lineBytes) {
  std::string flat;
  for (char c : text)
    if (c != '\r' && c != '\n') flat += c;
  if (lineBytes == 0) return flat;
  std::string out;
  std::size_t run = 0;
  for (std::size_t i = 0; i < flat.size();) {
    const std::size_t n = IsLeadByte(static_cast<unsigned char>(flat[i])) ? 2 : 1;
    out.append(flat, i, n);
    i += n;
    run += n;
    if (run >= lineBytes) {
      out += "\r\n";
      run = 0;
    }
  }
  return out;
}

void Rewrap(benchmark::State& state, const std::string& text) {
  TEditor editor;
  ApplyEditor1Settings(editor);
  editor.Lines.SetText(text);
  int width = 36;
  for (auto _ : state) {
    // Alternate the width so every iteration wraps everything again.
    width = width == 36 ? 35 : 36;
    editor.SetWrapByte(width);
    benchmark::DoNotOptimize(editor.RowCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
  state.counters["rows"] = editor.RowCount();
}

void BM_WrapFiveMegabytes(benchmark::State& state) {
  static const std::string text = JapaneseText(5 << 20);
  Rewrap(state, text);
}
BENCHMARK(BM_WrapFiveMegabytes)->Unit(benchmark::kMillisecond);

void BM_WrapOneMegabyteLine(benchmark::State& state) {
  static const std::string text = Relined(JapaneseText(1 << 20), 0);
  Rewrap(state, text);
}
BENCHMARK(BM_WrapOneMegabyteLine)->Unit(benchmark::kMillisecond);

void BM_WrapOneMegabyteInThousandByteLines(benchmark::State& state) {
  static const std::string text = Relined(JapaneseText(1 << 20), 1000);
  Rewrap(state, text);
}
BENCHMARK(BM_WrapOneMegabyteInThousandByteLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
