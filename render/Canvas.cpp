// The shapes of the drawing layer, rasterised straight into the bitmap's rows so
// that their pixels follow the program's conventions exactly: no antialiasing, a
// rectangle (l, t, r, b) covers columns l..r-1 and rows t..b-1, LineTo stops one
// pixel short of its end point, and a pen of width w paints a w x w square
// centred on every pixel of the thin outline.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "render/CanvasImpl.h"

namespace {

class Raster {
 public:
  explicit Raster(TABitmap& bitmap) : bmp_(bitmap) {}

  // Columns x0..x1 (inclusive) of row y, clipped.
  void Span(int y, int x0, int x1, TColor color) {
    if (y < 0 || y >= bmp_.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, bmp_.Width() - 1);
    if (x0 > x1) return;
    const auto b = static_cast<std::uint8_t>(ColorB(color));
    const auto g = static_cast<std::uint8_t>(ColorG(color));
    const auto r = static_cast<std::uint8_t>(ColorR(color));
    std::uint8_t* p = bmp_.ScanLine(y) + x0 * 3;
    for (int x = x0; x <= x1; ++x, p += 3) {
      p[0] = b;
      p[1] = g;
      p[2] = r;
    }
  }

  // A pen dot: width 1 is the pixel itself; wider pens cover
  // x - w/2 .. x - w/2 + w - 1 (and the same rows).
  void Dot(int x, int y, int width, TColor color) {
    if (width <= 1) {
      bmp_.SetPixel(x, y, color);
      return;
    }
    const int first = -(width / 2);
    for (int dy = 0; dy < width; ++dy)
      Span(y + first + dy, x + first, x + first + width - 1, color);
  }

 private:
  TABitmap& bmp_;
};

// Bresenham from a to b, leaving out b itself.
template <typename Plot>
void LinePoints(TPoint a, TPoint b, Plot plot) {
  const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
  const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
  int err = dx + dy;
  int x = a.x, y = a.y;
  while (x != b.x || y != b.y) {
    plot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

struct Box {
  int l, t, r, b;  // r, b exclusive; l <= r, t <= b
  int Width() const { return r - l; }
  int Height() const { return b - t; }
};

Box Normalised(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

// Filled spans of the ellipse inscribed in the box, one per row: a pixel
// belongs when its centre lies inside the ellipse through the box's outer
// edges; every row keeps at least its middle pixel(s). Mirrored left-right
// and top-bottom so the shape is exactly symmetric.
std::vector<std::pair<int, int>> EllipseSpans(const Box& box) {
  const int w = box.Width(), h = box.Height();
  std::vector<std::pair<int, int>> spans(static_cast<std::size_t>(h));
  const double a = w / 2.0, bAxis = h / 2.0;
  const int mid = box.l + (w - 1) / 2;
  for (int i = 0; i < (h + 1) / 2; ++i) {
    const double dy = (i + 0.5 - bAxis) / bAxis;
    const double hx = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    int left = box.l + static_cast<int>(std::ceil(a - hx - 0.5 - 1e-9));
    left = std::clamp(left, box.l, mid);
    const int right = box.l + box.r - 1 - left;
    spans[static_cast<std::size_t>(i)] = {left, right};
    spans[static_cast<std::size_t>(h - 1 - i)] = {left, right};
  }
  return spans;
}

// The thin outline of the ellipse: in each row the ends of its span, widened
// so that they meet the ends of the narrower neighbouring row (a missing
// neighbour makes the whole row outline).
template <typename Plot>
void EllipseOutline(const Box& box, Plot plot) {
  const auto spans = EllipseSpans(box);
  const int h = static_cast<int>(spans.size());
  for (int i = 0; i < h; ++i) {
    const auto [left, right] = spans[static_cast<std::size_t>(i)];
    int leftEnd = right, rightStart = left;
    if (i > 0 && i < h - 1) {
      const auto& up = spans[static_cast<std::size_t>(i - 1)];
      const auto& down = spans[static_cast<std::size_t>(i + 1)];
      leftEnd = std::clamp(std::max(up.first, down.first) - 1, left, right);
      rightStart = std::clamp(std::min(up.second, down.second) + 1, left, right);
    }
    const int y = box.t + i;
    for (int x = left; x <= leftEnd; ++x) plot(x, y);
    for (int x = std::max(rightStart, leftEnd + 1); x <= right; ++x) plot(x, y);
  }
}

// Angle of (x, y) about the centre, counter-clockwise from the positive x axis
// with y pointing up, in 0..2pi.
double AngleAbout(double cx, double cy, double x, double y) {
  const double angle = std::atan2(cy - y, x - cx);
  return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

}  // namespace

TCanvas::TCanvas(TABitmap& bitmap) : bitmap_(bitmap), impl_(std::make_unique<Impl>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::FillRect(const TRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  Raster raster(bitmap_);
  for (int y = r.Top; y < r.Bottom; ++y) raster.Span(y, r.Left, r.Right - 1, Brush.Color);
}

void TCanvas::FrameRect(const TRect& r) {
  const Box box = Normalised(r.Left, r.Top, r.Right, r.Bottom);
  if (box.Width() == 0 || box.Height() == 0) return;
  Raster raster(bitmap_);
  raster.Span(box.t, box.l, box.r - 1, Brush.Color);
  raster.Span(box.b - 1, box.l, box.r - 1, Brush.Color);
  for (int y = box.t + 1; y < box.b - 1; ++y) {
    bitmap_.SetPixel(box.l, y, Brush.Color);
    bitmap_.SetPixel(box.r - 1, y, Brush.Color);
  }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const Box box = Normalised(left, top, right, bottom);
  if (box.Width() == 0 || box.Height() == 0) return;
  Raster raster(bitmap_);
  for (int y = box.t + 1; y < box.b - 1; ++y) raster.Span(y, box.l + 1, box.r - 2, Brush.Color);
  const auto plot = [&](int x, int y) { raster.Dot(x, y, Pen.Width, Pen.Color); };
  for (int x = box.l; x < box.r; ++x) {
    plot(x, box.t);
    plot(x, box.b - 1);
  }
  for (int y = box.t + 1; y < box.b - 1; ++y) {
    plot(box.l, y);
    plot(box.r - 1, y);
  }
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const Box box = Normalised(left, top, right, bottom);
  if (box.Width() == 0 || box.Height() == 0) return;
  Raster raster(bitmap_);
  const auto spans = EllipseSpans(box);
  for (std::size_t i = 0; i < spans.size(); ++i)
    raster.Span(box.t + static_cast<int>(i), spans[i].first, spans[i].second, Brush.Color);
  EllipseOutline(box, [&](int x, int y) { raster.Dot(x, y, Pen.Width, Pen.Color); });
}

void TCanvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  const Box box = Normalised(left, top, right, bottom);
  if (box.Width() == 0 || box.Height() == 0) return;
  // Pixel centres, so that the rays and the pixels are measured alike.
  const double cx = box.l + box.Width() / 2.0 - 0.5, cy = box.t + box.Height() / 2.0 - 0.5;
  const double start = AngleAbout(cx, cy, x1, y1), end = AngleAbout(cx, cy, x2, y2);
  double sweep = end - start;
  if (sweep < 0) sweep += 2 * std::numbers::pi;
  const bool full = sweep == 0;
  Raster raster(bitmap_);
  EllipseOutline(box, [&](int x, int y) {
    if (!full) {
      double at = AngleAbout(cx, cy, x, y) - start;
      if (at < 0) at += 2 * std::numbers::pi;
      if (at > sweep) return;
    }
    raster.Dot(x, y, Pen.Width, Pen.Color);
  });
}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  Raster raster(bitmap_);
  LinePoints(penPos_, {x, y}, [&](int px, int py) { raster.Dot(px, py, Pen.Width, Pen.Color); });
  penPos_ = {x, y};
}

void TCanvas::Polyline(const TPoint* points, int count) {
  Raster raster(bitmap_);
  for (int i = 1; i < count; ++i)
    LinePoints(points[i - 1], points[i],
               [&](int px, int py) { raster.Dot(px, py, Pen.Width, Pen.Color); });
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  bitmap_.SetPixel(x, y, color);
}

void TCanvas::Draw(int x, int y, const TABitmap& source) {
  source.CopyTo(bitmap_, x, y);
}
