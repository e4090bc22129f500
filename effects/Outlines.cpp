#include "effects/Outlines.h"

void DrawRectOutline(TCanvas& canvas, const TRect& r) {
  const TPoint outline[5] = {
      {r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}, {r.Left, r.Top}};
  canvas.Polyline(outline, 5);
}

void DrawEllipseOutline(TCanvas& canvas, const TRect& r) {
  canvas.Arc(r.Left, r.Top, r.Right, r.Bottom, r.Left, r.Top, r.Left, r.Top);
}
