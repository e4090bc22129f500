// Pixels of the drawing layer's shapes: what a rectangle covers, ellipses by
// their symmetry, lines and clipping.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/Canvas.h"

namespace {

using Points = std::set<std::pair<int, int>>;

constexpr TColor kPen = RGBColor(255, 0, 0);
constexpr TColor kBrush = RGBColor(0, 0, 255);

Points Box(int l, int t, int r, int b) {  // columns l..r-1, rows t..b-1
  Points out;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) out.insert({x, y});
  return out;
}

Points Border(int l, int t, int r, int b) {
  Points out;
  for (const auto& p : Box(l, t, r, b))
    if (p.first == l || p.first == r - 1 || p.second == t || p.second == b - 1) out.insert(p);
  return out;
}

// Every pixel covered by a 2 x 2 pen dot on each of the thin pixels.
Points WidenByTwo(const Points& thin) {
  Points out;
  for (const auto& [x, y] : thin)
    for (int dy = -1; dy <= 0; ++dy)
      for (int dx = -1; dx <= 0; ++dx) out.insert({x + dx, y + dy});
  return out;
}

class CanvasShapes : public ::testing::Test {
 protected:
  CanvasShapes() : bitmap(20, 16), canvas(bitmap) {
    canvas.Pen.Color = kPen;
    canvas.Brush.Color = kBrush;
  }
  Points Of(TColor color) const {
    Points out;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if (bitmap.Pixel(x, y) == color) out.insert({x, y});
    return out;
  }
  Points Pen() const { return Of(kPen); }
  Points Brush() const { return Of(kBrush); }
  TABitmap bitmap;
  TCanvas canvas;
};

TEST_F(CanvasShapes, RectanglesCoverLeftToRightMinusOneAndAreClipped) {
  canvas.FillRect({6, 5, 2, 3});  // reversed and empty rectangles fill nothing
  canvas.FillRect({2, 3, 2, 8});
  EXPECT_TRUE(Brush().empty());
  canvas.FillRect({-5, -5, 2, 3});
  canvas.FillRect({18, 14, 40, 40});
  Points filled = Box(0, 0, 2, 3);
  filled.merge(Box(18, 14, 20, 16));
  EXPECT_EQ(Brush(), filled);

  bitmap.Fill(clBlack);
  canvas.FrameRect({1, 1, 5, 4});  // one pixel inside, in the brush colour
  EXPECT_EQ(Brush(), Border(1, 1, 5, 4));
  bitmap.Fill(clBlack);
  canvas.Rectangle(6, 5, 1, 1);  // either corner order
  EXPECT_EQ(Pen(), Border(1, 1, 6, 5));
  EXPECT_EQ(Brush(), Box(2, 2, 5, 4));
  bitmap.Fill(clBlack);
  canvas.Pen.Width = 2;  // centred on the outline
  canvas.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(Pen(), WidenByTwo(Border(2, 2, 8, 7)));
  EXPECT_EQ(Brush(), Box(3, 3, 6, 5));
}

TEST_F(CanvasShapes, EllipseFillsItsBoxSymmetricallyInsideItsOutlineThatArcsDraw) {
  canvas.Ellipse(2, 3, 13, 12);
  Points ink = Pen();
  ink.merge(Brush());
  int minY = 99, maxY = -1;
  for (const auto& [x, y] : ink) {  // mirrored left to right and top to bottom
    EXPECT_TRUE(ink.count({2 + 12 - x, y}) && ink.count({x, 3 + 11 - y})) << x << "," << y;
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  EXPECT_EQ((std::array{ink.begin()->first, ink.rbegin()->first, minY, maxY}),
            (std::array{2, 12, 3, 11}));
  EXPECT_FALSE(ink.count({2, 3}) || ink.count({12, 11}));  // the box's corners lie outside

  for (const auto& [x, y] : Brush()) {  // row by row the brush lies between outline pixels
    bool left = false, right = false;
    for (const auto& [px, py] : Pen())
      if (py == y) (px < x ? left : right) = true;
    EXPECT_TRUE(left && right) << x << "," << y;
  }

  // Arcs are drawn with equal rays only: the whole outline of the ellipse.
  TABitmap ellipse(20, 16);
  TCanvas reference(ellipse);
  reference.Pen.Color = kPen;
  reference.Brush.Color = clBlack;  // the background: only the outline shows
  reference.Ellipse(1, 2, 17, 13);
  bitmap.Fill(clBlack);
  canvas.Arc(1, 2, 17, 13, 0, 0, 0, 0);
  EXPECT_TRUE(bitmap == ellipse);
}

TEST_F(CanvasShapes, LinesStopShortOfTheirEndAndPixelsAndPicturesAreClipped) {
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  canvas.LineTo(5, 4);  // continues from (5, 1)
  EXPECT_EQ(Pen(), (Points{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}}));
  bitmap.Fill(clBlack);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 4);
  EXPECT_EQ(Pen(), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  bitmap.Fill(clBlack);
  canvas.Pen.Width = 2;  // a closed polyline covers every corner
  const TPoint points[] = {{3, 3}, {9, 3}, {9, 8}, {3, 8}, {3, 3}};
  canvas.Polyline(points, 5);
  EXPECT_EQ(Pen(), WidenByTwo(Border(3, 3, 10, 9)));

  bitmap.Fill(clBlack);
  for (const TPoint p : {TPoint{-1, 0}, TPoint{20, 3}, TPoint{19, 15}})
    canvas.SetPixel(p.x, p.y, kPen);
  EXPECT_EQ(Pen(), (Points{{19, 15}}));
  TABitmap stamp(3, 3);
  stamp.Fill(kBrush);
  canvas.Draw(18, -1, stamp);
  EXPECT_EQ(Brush(), Box(18, 0, 20, 2));
}

}  // namespace
