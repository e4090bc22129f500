// A page render without fades, and a whole page turn with the fade-out and the
// fade-in (the blends; the headless repaint costs nothing).
#include <benchmark/benchmark.h>

#include "bench/GuiBenchMain.h"

#include <cstdlib>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "text/Encoding.h"

namespace {

// 200 lines of a novel's opening; with `carried`, three characters of each
// line have no code-page-932 form (頰 and 剝 drawn, 𠮷 drawn as 〓).
void LoadText(TForm1& form, bool carried = false) {
  std::string line =
      "　吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
      "「何でも薄暗いじめじめした所で」ニャーニャー泣いていた事だけは記憶している。";
  if (carried)
    for (const auto& [from, to] : {std::pair{"吾", "頰"}, {"薄", "剝"}, {"記", "𠮷"}})
      line.replace(line.find(from), std::string_view(from).size(), to);
  std::string text;
  for (int i = 0; i < 200; ++i) text += line + "\r\n";
  TDecodedText decoded = DecodeText(text, false, TTextEncoding::Utf8);
  form.Editor1.Lines.SetText(decoded.Bytes, std::move(decoded.Carried));
  form.FFileIn = true;
  form.FTextName = "bench";
  form.FPreEcri(form.Editor1);
  form.GColor = clWhite;
  form.FoColor = clBlack;
}

void BM_PageRender(benchmark::State& state) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  LoadText(form, state.range(2) != 0);
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
    ->ArgNames({"horizontal", "qvga", "carried"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
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
