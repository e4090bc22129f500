#include "effects/Deep.h"

#include "render/Canvas.h"

void DeepTick(TDeepState& s, TABitmap& picture, bool separation) {
  const int w = picture.Width();
  const int h = picture.Height();
  const int d = s.Inset;
  {
    TCanvas canvas(picture);
    if (!separation) {
      canvas.Brush.Color = s.Color;
      canvas.FrameRect({d, d, w - d, h - d});
    } else {
      canvas.Pen.Color = s.Color;
      canvas.Pen.Width = 1;
      if (s.Phase == 1 || s.Phase == 2) {
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
  const TABitmap copy = picture;
  copy.BlendDraw(picture, 0, 1, 128);

  const int step = 5 - s.Speed;
  bool turned = false;
  if (s.Out) {
    if (h / 2 > s.Inset)
      s.Inset += step;
    else
      s.Out = false, turned = true;
  } else {
    if (step < s.Inset)
      s.Inset -= step;
    else
      s.Out = true, turned = true;
  }
  if (turned && separation) s.Phase = s.Phase > 3 ? 1 : s.Phase + 1;
}

void DeepColorStep(TDeepState& s, TRandom& random) {
  s.Color = s.Next;
  if (s.Up) {
    s.Next += 65535;
    if (s.Next > 16568930) s.Up = false;
  } else {
    s.Next -= 65535;
    if (s.Next < 131071) {
      s.Next = random.Random(65535);
      s.Up = true;
    }
  }
}
