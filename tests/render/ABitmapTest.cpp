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
  int a = alpha & 0xFFFF;
  if (a == 0) return out;
  if (a > 255) a = 255;
  for (int dy = 0; dy < dst.Height(); ++dy) {
    for (int dx = 0; dx < dst.Width(); ++dx) {
      const int sx = dx - x, sy = dy - y;
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      for (int c = 0; c < 3; ++c) {
        const int d = dst.ScanLine(dy)[dx * 3 + c];
        const int s = src.ScanLine(sy)[sx * 3 + c];
        out.ScanLine(dy)[dx * 3 + c] = static_cast<std::uint8_t>((d * (256 - a) + s * a) / 256);
      }
    }
  }
  return out;
}

TEST(ABitmapLayout, RowsAreBgrWithStrideRoundedToFourBytes) {
  TABitmap b(5, 3);
  EXPECT_EQ(b.Stride(), 16);
  EXPECT_EQ(TABitmap(4, 1).Stride(), 12);
  b.SetPixel(2, 1, RGBColor(10, 20, 30));
  const std::uint8_t* p = b.ScanLine(1) + 6;
  EXPECT_EQ(p[0], 30);  // blue first
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
  EXPECT_EQ(b.Pixel(2, 1), RGBColor(10, 20, 30));
  EXPECT_EQ(b.Pixel(-1, 0), 0);
  EXPECT_EQ(b.Pixel(5, 0), 0);
  b.SetPixel(7, 7, clWhite);  // outside: ignored
  b.Fill(RGBColor(1, 2, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.Pixel(x, y), RGBColor(1, 2, 3));
}

TEST(ABitmapBlend, MatchesTheFormulaByteForByteAtEveryPlacement) {
  std::mt19937 gen(42);
  const TABitmap dst = RandomPicture(37, 23, gen);
  const TABitmap src = RandomPicture(13, 9, gen);
  // Inside, across each edge and corner, and wholly outside.
  const int xs[] = {-20, -13, -5, 0, 10, 24, 30, 36, 37, 50};
  const int ys[] = {-12, -9, -3, 0, 7, 14, 20, 22, 23, 40};
  for (int alpha : {1, 25, 96, 128, 255}) {
    for (int x : xs) {
      for (int y : ys) {
        TABitmap actual = dst;
        src.BlendDraw(actual, x, y, alpha);
        ASSERT_TRUE(actual == ReferenceBlend(src, dst, x, y, alpha))
            << "alpha " << alpha << " at " << x << "," << y;
      }
    }
  }
}

TEST(ABitmapBlend, AlphaIsClampedAfterTakingSixteenBits) {
  std::mt19937 gen(7);
  const TABitmap dst = RandomPicture(16, 8, gen);
  const TABitmap src = RandomPicture(16, 8, gen);
  TABitmap zero = dst;
  src.BlendDraw(zero, 0, 0, 0);
  EXPECT_TRUE(zero == dst);
  TABitmap at300 = dst, at255 = dst;
  src.BlendDraw(at300, 0, 0, 300);
  src.BlendDraw(at255, 0, 0, 255);
  EXPECT_TRUE(at300 == at255);
  TABitmap wrapped = dst, at5 = dst;
  src.BlendDraw(wrapped, 0, 0, 65536 + 5);
  src.BlendDraw(at5, 0, 0, 5);
  EXPECT_TRUE(wrapped == at5);
  TABitmap wrappedZero = dst;
  src.BlendDraw(wrappedZero, 0, 0, 65536);
  EXPECT_TRUE(wrappedZero == dst);
}

TEST(ABitmapBlend, QvgaPictureChangesOnlyTheTopLeftQuarter) {
  TABitmap view(640, 480);
  view.Fill(RGBColor(200, 100, 50));
  TABitmap page(320, 240);
  page.Fill(clBlack);
  page.BlendDraw(view, 0, 0, 128);
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; x += 5) {
      const bool inside = x < 320 && y < 240;
      EXPECT_EQ(view.Pixel(x, y), inside ? RGBColor(100, 50, 25) : RGBColor(200, 100, 50))
          << x << "," << y;
    }
  }
}

TEST(ABitmapNoise, WhiteStaysWhiteAndBlackGainsZeroToFourteen) {
  TRandom random(99);
  TABitmap white(64, 32);
  white.Fill(clWhite);
  const TABitmap before = white;
  white.AddNoise(15, random);
  EXPECT_TRUE(white == before);

  TABitmap black(64, 32);
  black.AddNoise(15, random);
  std::set<int> seen;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64 * 3; ++x) {
      const int v = black.ScanLine(y)[x];
      ASSERT_LE(v, 14);
      seen.insert(v);
    }
  EXPECT_EQ(seen.size(), 15u);  // every value 0..14 turns up
}

TEST(ABitmapNoise, AmountIsTakenModuloTwoHundredFiftySix) {
  TRandom random(5);
  TABitmap b(16, 16);
  b.AddNoise(256, random);  // amount 0: nothing to add
  EXPECT_TRUE(b == TABitmap(16, 16));
  b.AddNoise(256 + 2, random);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) ASSERT_LE(b.ScanLine(y)[x], 1);
}

TEST(ABitmapCopy, CopyIsClippedToTheDestination) {
  TABitmap dest(10, 10);
  TABitmap src(4, 4);
  src.Fill(clWhite);
  src.CopyTo(dest, -2, 8);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(dest.Pixel(x, y), (x < 2 && y >= 8) ? clWhite : clBlack) << x << "," << y;
}

}  // namespace
