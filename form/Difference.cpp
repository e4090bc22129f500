// Difference: one or two trails of rectangles or ellipses that sweep in towards
// the centre and then wander about the picture, each trailed by fading copies.
#include <algorithm>
#include <cstdlib>

#include "form/Effects.h"

namespace {

struct TDiffOptions {
  bool Form, Color, Paint;
};

TDiffOptions Options(const TForm1& f) {
  return {f.DiffForm(), f.DiffColor(), f.DiffPaint()};
}

// The colour tables of one trail. Products are formed in one byte, so they wrap.
void FillColorTables(TForm1& f, int s, bool color) {
  const int n = f.FDiffSteps;
  const int h = n / 2;
  const int q = 256 / h;
  for (int i = 0; i <= n; ++i) {
    const int k = n - i;
    const int a = (256 / n) * k % 256;
    const int b = (210 / n) * k % 256;
    const int c = (200 / n) * k % 256;
    if (i == 0) {
      f.FDiffColorA[s][i] = color ? RGBColor(210, 200, 200) : RGBColor(0, 0, 255);
      f.FDiffColorB[s][i] = clBlack;
      f.FDiffColorC[s][i] = clBlack;
      continue;
    }
    f.FDiffColorA[s][i] = color ? RGBColor(b, c, c) : RGBColor(0, 0, a);
    if (color)
      f.FDiffColorB[s][i] = i == n ? clBlack : RGBColor(210 - b, 200 - c, 200 - c);
    else
      f.FDiffColorB[s][i] = RGBColor(0, 0, (256 - a) % 256);
    f.FDiffColorC[s][i] = RGBColor(0, 0, q * std::abs(h - i) % 256);
  }
}

// Moves one corner coordinate by its velocity, renewing the velocity when the
// coordinate lies exactly on an edge of 0..limit-1.
void MoveCoordinate(TForm1& f, int& coord, int& velocity, int limit) {
  if (coord == 0 || coord == limit - 1) velocity = f.RandomSpeed();
  coord += velocity;
  if (coord < 0) coord = 0;
  if (coord >= limit) coord = limit - 1;
}

// The corners of a wandering shape move independently and cross; a filled
// rectangle is then drawn between them, as the outlined and round shapes are.
void FillBetweenCorners(TCanvas& canvas, const TRect& r) {
  canvas.FillRect({std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                   std::max(r.Top, r.Bottom)});
}

}  // namespace

int TForm1::RandomSpeed() {
  int r = Random(32) - 16;
  if (r >= 0) ++r;
  return r;
}

void TForm1::Effect1Click() {
  if (!EffectMayStart(*this, TEffectKind::Difference)) return;
  HintLabel1.Caption = "Difference";
  FDifference = true;
  if (GColor != clBlack) PFadeOutB(Image1);
  FBColor = true;
  FPageShown = false;
  FRedraw = true;
  FFirstShow = false;
  FArtsCanvas = false;

  const TDiffOptions o = Options(*this);
  if (!o.Form) {
    FDiffSets = o.Paint ? 1 : 2;
    FDiffSteps = 25;
  } else {
    FDiffSets = 1;
    FDiffSteps = !o.Paint ? 30 : (o.Color ? 28 : 35);
  }
  const int n = FDiffSteps;
  FDiffCount = o.Paint ? 0 : 2 * n;

  Randomize();
  Image1.Picture.Fill(clBlack);

  const int w = Image1.Width();
  const int h = Image1.Height();
  const bool none = !o.Form && !o.Color && !o.Paint;
  const TRect start = none ? TRect{w / 2, h / 2, w / 2, h / 2} : TRect{0, 0, w, h};
  for (int s = 0; s < FDiffSets; ++s) {
    for (int i = 0; i <= n; ++i) FDiffRect[s][i] = start;
    FillColorTables(*this, s, o.Color);
    FDiffStep[s] = {(w / 2) / n, (h / 2) / n};
    for (int& v : FDiffVel[s]) v = RandomSpeed();
  }

  LockDifferenceOptions(true);
  Image1.Hint = "difference";
  Timer1.Enabled = true;
}

void TForm1::ShiftTrails() {
  for (int s = 0; s < FDiffSets; ++s)
    for (int i = FDiffSteps - 1; i >= 0; --i) FDiffRect[s][i + 1] = FDiffRect[s][i];
}

void TForm1::FillTrail(TCanvas& canvas, int s) {
  const TDiffOptions o = Options(*this);
  const bool paintOnly = !o.Form && !o.Color && o.Paint;
  for (int i = FDiffSteps; i >= 0; --i) {
    canvas.Brush.Color = paintOnly ? FDiffColorC[s][i] : FDiffColorB[s][i];
    FillBetweenCorners(canvas, FDiffRect[s][i]);
  }
}

void TForm1::DrawTrail(TCanvas& canvas, int s) {
  const TDiffOptions o = Options(*this);
  canvas.Pen.Width = o.Form ? 2 : 1;
  for (int i = FDiffSteps; i >= 0; --i) {
    const TRect& r = FDiffRect[s][i];
    canvas.Brush.Color = FDiffColorA[s][i];
    canvas.Pen.Color = FDiffColorA[s][i];
    if (!o.Form) {
      if (o.Paint)
        canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
      else
        DrawEllipseOutline(canvas, r);
    } else if (o.Paint) {
      FillBetweenCorners(canvas, r);
    } else {
      DrawRectOutline(canvas, r);
    }
  }
}

void TForm1::Timer1Timer() {
  if (!FDifference) return;
  const TDiffOptions o = Options(*this);
  const int n = FDiffSteps;
  const int w = Image1.Width();
  const int h = Image1.Height();
  if (FDiffCount == 0) FDiffCount = 1;
  const int c = FDiffCount;
  TCanvas canvas(Image1.Picture);
  ShiftTrails();
  if (c <= 2 * n) {
    if (o.Form || o.Color || o.Paint) FillTrail(canvas, 0);
    const int x = FDiffStep[0].x * c;
    const int y = FDiffStep[0].y * c;
    TRect& head = FDiffRect[0][0];
    head = {x, y, w - x, h - y};
    if (!o.Form) {
      // The ellipse modes shrink to the centre point and stay there.
      if (w / 2 + 1 < x) head.Left = w / 2, head.Top = h / 2;
      if (w / 2 + 1 > w - x) head.Right = w / 2, head.Bottom = h / 2;
    }
    if (c == 2 * n) {
      if (!o.Form) Image1.Picture.Fill(clBlack);
      const TRect from = FDiffRect[0][n];
      for (int s = 0; s < FDiffSets; ++s)
        for (int i = 0; i <= n; ++i) FDiffRect[s][i] = from;
    }
    ++FDiffCount;
  } else {
    for (int s = 0; s < FDiffSets; ++s) {
      DrawTrail(canvas, s);
      TRect& head = FDiffRect[s][0];
      MoveCoordinate(*this, head.Left, FDiffVel[s][0], w);
      MoveCoordinate(*this, head.Top, FDiffVel[s][1], h);
      MoveCoordinate(*this, head.Right, FDiffVel[s][2], w);
      MoveCoordinate(*this, head.Bottom, FDiffVel[s][3], h);
    }
  }
  P.Repaint();
}
