// Deep (Mu-gen): a frame (or a pair of lines) that breathes between the edge and
// the middle of the picture, smeared one pixel down at every tick.
#include "form/Effects.h"

namespace {
constexpr TColor kLightGrey = RGBColor(231, 231, 231);
}

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
  FDeepColor = kLightGrey;
  Image1.Picture.Fill(FBlackRect ? clBlack : kLightGrey);
  Image1.Hint = "Deep (Mu-gen)";
  Timer5.Enabled = true;
}

void TForm1::Timer5Timer() {
  if (!FDeep) return;
  const int w = Image1.Width();
  const int h = Image1.Height();
  const int d = FDeepInset;
  const bool separation = SepaCheckBox.Checked;
  {
    TCanvas canvas(Image1.Picture);
    if (!separation) {
      canvas.Brush.Color = FDeepColor;
      canvas.FrameRect({d, d, w - d, h - d});
    } else {
      canvas.Pen.Color = FDeepColor;
      canvas.Pen.Width = 1;
      if (FDeepPhase == 1 || FDeepPhase == 2) {
        canvas.MoveTo(d, d), canvas.LineTo(d, h - d);
        canvas.MoveTo(w - d, d), canvas.LineTo(w - d, h - d);
      } else {
        canvas.MoveTo(d, d), canvas.LineTo(w - d, d);
        canvas.MoveTo(d, h - d), canvas.LineTo(w - d, h - d);
      }
    }
  }
  // The smear: every row but the top one becomes the average of itself and the
  // row above it.
  const TABitmap copy = Image1.Picture;
  copy.BlendDraw(Image1.Picture, 0, 1, 128);
  P.Repaint();

  const int step = 5 - FDeepSpeed;
  bool turned = false;
  if (FDeepOut) {
    if (h / 2 > FDeepInset)
      FDeepInset += step;
    else
      FDeepOut = false, turned = true;
  } else {
    if (step < FDeepInset)
      FDeepInset -= step;
    else
      FDeepOut = true, turned = true;
  }
  if (turned && separation) FDeepPhase = FDeepPhase > 3 ? 1 : FDeepPhase + 1;
  ColorChange();
}

void TForm1::ColorChange() {
  if (FBusy) return;
  FDeepColor = FDeepNext;
  if (FDeepUp) {
    FDeepNext += 65535;
    if (FDeepNext > 16568930) FDeepUp = false;
  } else {
    FDeepNext -= 65535;
    if (FDeepNext < 131071) {
      FDeepNext = Random(65535);
      FDeepUp = true;
    }
  }
}
