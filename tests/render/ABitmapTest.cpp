#include "render/ABitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace {

TABitmap RandomPicture(int w, int h, std::mt19937& gen) {
  TABitmap b(w, h);
  for (int y = 0; y < h; ++y) std::generate_n(b.ScanLine(y), w * 3, [&] { return gen() & 0xFF; });
  return b;
}

// The blend written out pixel by pixel, straight from its definition.
TABitmap ReferenceBlend(const TABitmap& src, const TABitmap& dst, int x, int y, int alpha) {
  TABitmap out = dst;
  const int a = std::min(alpha & 0xFFFF, 255);
  for (int dy = 0; a != 0 && dy < dst.Height(); ++dy)
    for (int dx = 0; dx < dst.Width(); ++dx) {
      const long long sx = dx - static_cast<long long>(x), sy = dy - static_cast<long long>(y);
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      for (int c = 0; c < 3; ++c) {
        const int d = dst.ScanLine(dy)[dx * 3 + c];
        const int s = src.ScanLine(static_cast<int>(sy))[sx * 3 + c];
        out.ScanLine(dy)[dx * 3 + c] = static_cast<std::uint8_t>((d * (256 - a) + s * a) / 256);
      }
    }
  return out;
}

TEST(ABitmapBlend, MatchesTheFormulaByteForByteAtEveryPlacementAndAlpha) {
  std::mt19937 gen(42);
  const TABitmap dst = RandomPicture(37, 23, gen);
  const TABitmap src = RandomPicture(13, 9, gen);
  // Inside, across each edge and corner, wholly outside and so far off that a
  // 32-bit sum would wrap back into the picture; alpha is clamped after taking
  // its low sixteen bits.
  constexpr int kFar = std::numeric_limits<int>::max() - 3;
  const int xs[] = {-kFar, -20, -13, -5, 0, 10, 24, 30, 36, 37, 50, kFar};
  const int ys[] = {-kFar, -12, -9, -3, 0, 7, 14, 20, 22, 23, 40, kFar};
  for (int alpha : {0, 1, 25, 96, 128, 255, 300, 65536, 65536 + 5})
    for (int x : xs)
      for (int y : ys) {
        TABitmap actual = dst;
        src.BlendDraw(actual, x, y, alpha);
        ASSERT_TRUE(actual == ReferenceBlend(src, dst, x, y, alpha))
            << "alpha " << alpha << " at " << x << "," << y;
      }
  TABitmap self = src;  // onto itself, shifted: every row read before it is written
  self.BlendDraw(self, 2, 1, 128);
  EXPECT_TRUE(self == ReferenceBlend(src, src, 2, 1, 128));
}

// Grain saturates: white stays white (its range on darker pages: the fades and the renderer).
TEST(ABitmapNoise, WhiteStaysWhite) {
  TRandom random(99);
  TABitmap white(64, 32);
  white.Fill(clWhite);
  const TABitmap before = white;
  white.AddNoise(15, random);
  EXPECT_TRUE(white == before);
}

}  // namespace
