// One tick of Difference, Velocity and Deep, and one plan de arts picture, on
// the 640 x 480 view with a headless platform (repaints cost nothing there).
#include <benchmark/benchmark.h>

#include "bench/GuiBenchMain.h"

#include <cstdlib>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

namespace {

struct Window {
  HeadlessPlatform platform;
  TForm1 form{platform};
  Window() { form.SetFixedSeed(99); }
};

void BM_DifferenceTick(benchmark::State& state) {
  Window w;
  w.form.LCheckBox3.Checked = state.range(0) != 0;  // "Paint": filled shapes
  w.form.Effect1Click();
  while (w.form.Diff.Count <= 2 * w.form.Diff.Steps) w.form.Timer1Timer();
  for (auto _ : state) w.form.Timer1Timer();
}
BENCHMARK(BM_DifferenceTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_VelocityTick(benchmark::State& state) {
  Window w;
  w.form.Pdigi = true;
  w.form.LCheckBox19.Checked = state.range(0) != 0;  // "Clock", with the digital time
  w.form.VelocityClick();
  w.form.Vel.Warm = 31;
  for (auto _ : state) w.form.Timer3Timer();
}
BENCHMARK(BM_VelocityTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DeepTick(benchmark::State& state) {
  Window w;
  w.form.RectButtonClick();
  for (auto _ : state) w.form.Timer5Timer();
}
BENCHMARK(BM_DeepTick)->Unit(benchmark::kMicrosecond);

void BM_PlasmaPicture(benchmark::State& state) {
  Window w;
  w.form.FArtsCanvas = true;
  for (auto _ : state) w.form.Pplasma(w.form.Image1);
}
BENCHMARK(BM_PlasmaPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
