#include "render/ABitmap.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

TABitmap RandomPicture(int w, int h, std::mt19937& gen) {
  TABitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 3; ++x) b.ScanLine(y)[x] = static_cast<std::uint8_t>(gen() & 0xFF);
  return b;
}

// The blend written out pixel by pixel, straight from its definition.
TABitmap ReferenceBlend(const TABitmap& src, const TABitmap& dst, int x, int y, int alpha) {
  TABitmap out = dst;
  const int a = std::min(alpha & 0xFFFF, 255);
  for (int dy = 0; a != 0 && dy < dst.Height(); ++dy)
    for (int dx = 0; dx < dst.Width(); ++dx) {
      const int sx = dx - x, sy = dy - y;
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      for (int c = 0; c < 3; ++c) {
        const int d = dst.ScanLine(dy)[dx * 3 + c], s = src.ScanLine(sy)[sx * 3 + c];
        out.ScanLine(dy)[dx * 3 + c] = static_cast<std::uint8_t>((d * (256 - a) + s * a) / 256);
      }
    }
  return out;
}

TEST(ABitmap, RowsAreBgrWithStrideRoundedToFourBytesAndCopiesAreClipped) {
  TABitmap b(5, 3);
  EXPECT_EQ(b.Stride(), 16);
  EXPECT_EQ(TABitmap(4, 1).Stride(), 12);
  b.SetPixel(2, 1, RGBColor(10, 20, 30));
  const std::uint8_t* p = b.ScanLine(1) + 6;
  EXPECT_EQ((std::array<int, 3>{p[0], p[1], p[2]}), (std::array<int, 3>{30, 20, 10}));
  EXPECT_EQ(b.Pixel(-1, 0), 0);
  EXPECT_EQ(b.Pixel(5, 0), 0);
  b.SetPixel(7, 7, clWhite);  // outside: ignored

  TABitmap dest(10, 10), src(4, 4);
  src.Fill(clWhite);
  src.CopyTo(dest, -2, 8);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(dest.Pixel(x, y), (x < 2 && y >= 8) ? clWhite : clBlack) << x << "," << y;
}

TEST(ABitmapBlend, MatchesTheFormulaByteForByteAtEveryPlacementAndAlpha) {
  std::mt19937 gen(42);
  const TABitmap dst = RandomPicture(37, 23, gen);
  const TABitmap src = RandomPicture(13, 9, gen);
  // Inside, across each edge and corner, and wholly outside; alpha is clamped
  // after taking its low sixteen bits.
  const int xs[] = {-20, -13, -5, 0, 10, 24, 30, 36, 37, 50};
  const int ys[] = {-12, -9, -3, 0, 7, 14, 20, 22, 23, 40};
  for (int alpha : {0, 1, 25, 96, 128, 255, 300, 65536, 65536 + 5})
    for (int x : xs)
      for (int y : ys) {
        TABitmap actual = dst;
        src.BlendDraw(actual, x, y, alpha);
        ASSERT_TRUE(actual == ReferenceBlend(src, dst, x, y, alpha))
            << "alpha " << alpha << " at " << x << "," << y;
      }
}

TEST(ABitmapBlend, QvgaPictureChangesOnlyTheTopLeftQuarter) {
  TABitmap view(640, 480);
  view.Fill(RGBColor(200, 100, 50));
  TABitmap page(320, 240);
  page.BlendDraw(view, 0, 0, 128);
  for (int y = 0; y < 480; y += 7)
    for (int x = 0; x < 640; x += 5)
      EXPECT_EQ(view.Pixel(x, y),
                x < 320 && y < 240 ? RGBColor(100, 50, 25) : RGBColor(200, 100, 50))
          << x << "," << y;
}

TEST(ABitmapNoise, WhiteStaysWhiteBlackGainsUpToAmountLessOneAndAmountWraps) {
  TRandom random(99);
  TABitmap white(64, 32);
  white.Fill(clWhite);
  const TABitmap before = white;
  white.AddNoise(15, random);
  EXPECT_TRUE(white == before);

  struct Case {
    int amount, values;
  };
  for (const Case c : {Case{15, 15}, Case{256, 1}, Case{256 + 2, 2}}) {
    TABitmap black(64, 32);
    black.AddNoise(c.amount, random);
    std::set<int> seen;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64 * 3; ++x) seen.insert(black.ScanLine(y)[x]);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.values)) << c.amount;  // 0 .. values - 1
    EXPECT_EQ(*seen.rbegin(), c.values - 1) << c.amount;
  }
}

}  // namespace
