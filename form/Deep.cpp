// Deep (Mu-gen) in the window: the start, and the tick's hand-over to the
// engine in effects/Deep.
#include "effects/Deep.h"

#include "form/Effects.h"

void TForm1::RectButtonClick() {
  if (!EffectMayStart(*this, TEffectKind::Deep)) return;
  HintLabel1.Caption = "Deep (Mu-gen)";
  if (GColor != clBlack) {
    if (FBlackRect)
      PFadeOutB(Image1);
    else
      PFadeOutW(Image1);
  }
  FDeep = true;
  Deep.Color = kDeepGrey;
  Image1.Picture.Fill(FBlackRect ? clBlack : kDeepGrey);
  Image1.Hint = "Deep (Mu-gen)";
  Timer5.Enabled = true;
}

void TForm1::Timer5Timer() {
  if (!FDeep) return;
  DeepTick(Deep, Image1.Picture, SepaCheckBox.Checked);
  P.Repaint();
  ColorChange();
}

void TForm1::ColorChange() {
  if (FBusy) return;
  DeepColorStep(Deep, Rng);
}
