#include "effects/Difference.h"

#include <algorithm>
#include <cstdlib>

#include "effects/Outlines.h"
#include "render/Canvas.h"

namespace {

// The colour tables of one trail. Products are formed in one byte, so they wrap.
void FillColorTables(TDifferenceState& d, int s, bool color) {
  const int n = d.Steps;
  const int h = n / 2;
  const int q = 256 / h;
  for (int i = 0; i <= n; ++i) {
    const int k = n - i;
    const int a = (256 / n) * k % 256;
    const int b = (210 / n) * k % 256;
    const int c = (200 / n) * k % 256;
    if (i == 0) {
      d.ColorA[s][i] = color ? RGBColor(210, 200, 200) : RGBColor(0, 0, 255);
      d.ColorB[s][i] = clBlack;
      d.ColorC[s][i] = clBlack;
      continue;
    }
    d.ColorA[s][i] = color ? RGBColor(b, c, c) : RGBColor(0, 0, a);
    if (color)
      d.ColorB[s][i] = i == n ? clBlack : RGBColor(210 - b, 200 - c, 200 - c);
    else
      d.ColorB[s][i] = RGBColor(0, 0, (256 - a) % 256);
    d.ColorC[s][i] = RGBColor(0, 0, q * std::abs(h - i) % 256);
  }
}

// Moves one corner coordinate by its velocity, renewing the velocity when the
// coordinate lies exactly on an edge of 0..limit-1.
void MoveCoordinate(int& coord, int& velocity, int limit, TRandom& random) {
  if (coord == 0 || coord == limit - 1) velocity = DiffRandomSpeed(random);
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

void ShiftTrails(TDifferenceState& d) {
  for (int s = 0; s < d.Sets; ++s)
    for (int i = d.Steps - 1; i >= 0; --i) d.Rect[s][i + 1] = d.Rect[s][i];
}

// The opening tunnel: older, larger rectangles first, the newer ones on top.
void FillTrail(const TDifferenceState& d, const TDiffOptions& o, TCanvas& canvas, int s) {
  const bool paintOnly = !o.Form && !o.Color && o.Paint;
  for (int i = d.Steps; i >= 0; --i) {
    canvas.Brush.Color = paintOnly ? d.ColorC[s][i] : d.ColorB[s][i];
    FillBetweenCorners(canvas, d.Rect[s][i]);
  }
}

// The wander: the black tail paints over older drawings, the head comes last.
void DrawTrail(const TDifferenceState& d, const TDiffOptions& o, TCanvas& canvas, int s) {
  canvas.Pen.Width = o.Form ? 2 : 1;
  for (int i = d.Steps; i >= 0; --i) {
    const TRect& r = d.Rect[s][i];
    canvas.Brush.Color = d.ColorA[s][i];
    canvas.Pen.Color = d.ColorA[s][i];
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

}  // namespace

int DiffRandomSpeed(TRandom& random) {
  int r = random.Random(32) - 16;
  if (r >= 0) ++r;
  return r;
}

void StartDifference(TDifferenceState& d, const TDiffOptions& o, int w, int h, TRandom& random) {
  if (!o.Form) {
    d.Sets = o.Paint ? 1 : 2;
    d.Steps = 25;
  } else {
    d.Sets = 1;
    d.Steps = !o.Paint ? 30 : (o.Color ? 28 : 35);
  }
  const int n = d.Steps;
  d.Count = o.Paint ? 0 : 2 * n;

  const bool none = !o.Form && !o.Color && !o.Paint;
  const TRect start = none ? TRect{w / 2, h / 2, w / 2, h / 2} : TRect{0, 0, w, h};
  for (int s = 0; s < d.Sets; ++s) {
    for (int i = 0; i <= n; ++i) d.Rect[s][i] = start;
    FillColorTables(d, s, o.Color);
    d.Step[s] = {(w / 2) / n, (h / 2) / n};
    for (int& v : d.Vel[s]) v = DiffRandomSpeed(random);
  }
}

void DifferenceTick(TDifferenceState& d, const TDiffOptions& o, TABitmap& picture,
                    TRandom& random) {
  const int n = d.Steps;
  const int w = picture.Width();
  const int h = picture.Height();
  if (d.Count == 0) d.Count = 1;
  const int c = d.Count;
  TCanvas canvas(picture);
  ShiftTrails(d);
  if (c <= 2 * n) {
    if (o.Form || o.Color || o.Paint) FillTrail(d, o, canvas, 0);
    const int x = d.Step[0].x * c;
    const int y = d.Step[0].y * c;
    TRect& head = d.Rect[0][0];
    head = {x, y, w - x, h - y};
    if (!o.Form) {
      // The ellipse modes shrink to the centre point and stay there.
      if (w / 2 + 1 < x) head.Left = w / 2, head.Top = h / 2;
      if (w / 2 + 1 > w - x) head.Right = w / 2, head.Bottom = h / 2;
    }
    if (c == 2 * n) {
      if (!o.Form) picture.Fill(clBlack);
      const TRect from = d.Rect[0][n];
      for (int s = 0; s < d.Sets; ++s)
        for (int i = 0; i <= n; ++i) d.Rect[s][i] = from;
    }
    ++d.Count;
  } else {
    for (int s = 0; s < d.Sets; ++s) {
      DrawTrail(d, o, canvas, s);
      TRect& head = d.Rect[s][0];
      MoveCoordinate(head.Left, d.Vel[s][0], w, random);
      MoveCoordinate(head.Top, d.Vel[s][1], h, random);
      MoveCoordinate(head.Right, d.Vel[s][2], w, random);
      MoveCoordinate(head.Bottom, d.Vel[s][3], h, random);
    }
  }
}
