// The two whole-picture operations of the page bitmap against a plain copy of
// the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "render/ABitmap.h"

namespace {

void BM_CopyBytes(benchmark::State& state) {
  TABitmap src(640, 480), dst(640, 480);
  src.Fill(RGBColor(10, 200, 30));
  const std::size_t bytes = static_cast<std::size_t>(src.Stride()) * 480;
  for (auto _ : state) {
    std::memcpy(dst.Bits(), src.Bits(), bytes);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyBytes);

void BM_BlendDraw(benchmark::State& state) {
  TABitmap src(640, 480), dst(640, 480);
  src.Fill(RGBColor(10, 200, 30));
  dst.Fill(RGBColor(250, 20, 130));
  int alpha = 1;
  for (auto _ : state) {
    src.BlendDraw(dst, 0, 0, alpha);
    alpha = alpha % 254 + 1;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BlendDraw);

void BM_AddNoise(benchmark::State& state) {
  TABitmap b(640, 480);
  TRandom random(1);
  for (auto _ : state) {
    b.Fill(RGBColor(100, 100, 100));
    b.AddNoise(15, random);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AddNoise);

}  // namespace

BENCHMARK_MAIN();
