// Difference in the window: the start and stop around the engine in
// effects/Difference, which owns the trails and draws them.
#include "effects/Difference.h"

#include "form/Effects.h"

namespace {

TDiffOptions Options(const TForm1& f) {
  return {f.DiffForm(), f.DiffColor(), f.DiffPaint()};
}

}  // namespace

void TForm1::Effect1Click() {
  if (!EffectMayStart(*this, TEffectKind::Difference)) return;
  HintLabel1.Caption = "Difference";
  FDifference = true;
  if (GColor != clBlack) PFadeOutB(Image1);
  TakeViewForEffect(*this);
  Randomize();
  Image1.Picture.Fill(clBlack);
  StartDifference(Diff, Options(*this), Image1.Width(), Image1.Height(), Rng);
  LockDifferenceOptions(true);
  Image1.Hint = "difference";
  Timer1.Enabled = true;
}

void TForm1::Timer1Timer() {
  if (!FDifference) return;
  DifferenceTick(Diff, Options(*this), Image1.Picture, Rng);
  P.Repaint();
}

void TForm1::LockDifferenceOptions(bool locked) {
  for (TCheckBox* box : {&LCheckBox1, &LCheckBox2, &LCheckBox3}) box->Enabled = !locked;
}
