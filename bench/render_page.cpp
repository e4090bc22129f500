// A page render without fades, and a whole page turn with the fade-out and the
// fade-in (the blends; the headless repaint costs nothing).
#include <benchmark/benchmark.h>

#include "bench/GuiBenchMain.h"

#include <cstdlib>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Sjis.h"

namespace {

void LoadText(TForm1& form) {
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += Utf8ToSjis(
                "　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                "「何でも薄暗いじめじめした所で」ニャーニャー泣いていた事だけは記憶している。") +
            "\r\n";
  form.Editor1.Lines.SetText(text);
  form.FFileIn = true;
  form.FTextName = "bench";
  form.FPreEcri(form.Editor1);
  form.GColor = clWhite;
  form.FoColor = clBlack;
}

void BM_PageRender(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  LoadText(form);
  form.LCheckBox8.Checked = state.range(0) != 0;
  const bool qvga = state.range(1) != 0;  // the camera size, where type is drawn solid
  form.QvgaCheckBox.Checked = qvga;
  int page = 1;
  for (auto _ : state) {
    form.FPage = page;
    if (qvga)
      form.Eqriture(form.Image1);
    else
      form.Ecriture(form.Image1);
    page = page % form.FAllPage + 1;
  }
}
BENCHMARK(BM_PageRender)
    ->ArgNames({"horizontal", "qvga"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_PageTurnWithFades(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  LoadText(form);
  form.LCheckBox5.Checked = true;  // +Fade Out
  form.LCheckBox7.Checked = true;  // +Fade In
  form.FPageShown = true;
  int page = 1;
  for (auto _ : state) {
    form.FPage = page;
    form.Ecriture(form.Image1);
    page = page % form.FAllPage + 1;
  }
}
BENCHMARK(BM_PageTurnWithFades)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
