#include <gtest/gtest.h>

#include "export/CountThumb.h"
#include "export/JpegCodec.h"

namespace {

struct Ink {
  int Left = 1000, Top = 1000, Right = -1, Bottom = -1, Count = 0;
};

// Where pixels darker than light grey fall.
Ink FindInk(const TABitmap& bitmap) {
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);
      if (ColorR(c) + ColorG(c) + ColorB(c) > 3 * 160) continue;
      ink.Left = std::min(ink.Left, x);
      ink.Right = std::max(ink.Right, x);
      ink.Top = std::min(ink.Top, y);
      ink.Bottom = std::max(ink.Bottom, y);
      ++ink.Count;
    }
  return ink;
}

TEST(CountThumbX, MovesTenPixelsLeftPerDigit) {
  const std::vector<std::pair<int, int>> table = {
      {1, 68},      {9, 68},      {10, 58},     {99, 58},     {100, 48},
      {999, 48},    {1000, 38},   {9999, 38},   {10000, 28},  {99999, 28},
      {100000, 18}, {999999, 18}, {1000000, 8}, {99999999, 8}};
  for (auto [page, x] : table) EXPECT_EQ(CountThumbX(page), x) << page;
}

TEST(CountThumb, DrawsTheNumberInBlackOnWhiteFromItsCell) {
  const TABitmap one = DrawCountThumb(7, false, false);
  ASSERT_EQ(one.Width(), 160);
  ASSERT_EQ(one.Height(), 120);
  EXPECT_EQ(one.Pixel(0, 0), clWhite);
  EXPECT_EQ(one.Pixel(159, 119), clWhite);
  const Ink ink = FindInk(one);
  ASSERT_GT(ink.Count, 20);
  // The 40-pixel cell starts at (68, 45); a digit is narrower than the cell.
  EXPECT_GE(ink.Left, 68);
  EXPECT_LE(ink.Right, 68 + 40);
  EXPECT_GE(ink.Top, 45);
  EXPECT_LE(ink.Bottom, 45 + 40);

  const Ink three = FindInk(DrawCountThumb(123, false, true));
  EXPECT_GE(three.Left, 48);
  EXPECT_LT(three.Left, 48 + 20);
  EXPECT_GT(three.Right, 100);  // three digits reach well right of the middle
}

TEST(CountThumb, BoldInksMoreThanRegular) {
  EXPECT_GT(FindInk(DrawCountThumb(88, true, true)).Count,
            FindInk(DrawCountThumb(88, false, true)).Count);
}

TEST(CountThumb, EncodesAsAHeaderlessThumbnail) {
  const std::string jpeg = MakeCountThumb(42, true, false, 60);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xDB");
  const TABitmap back = DecodeJpeg(jpeg);
  EXPECT_EQ(back.Width(), 160);
  EXPECT_EQ(back.Height(), 120);
  EXPECT_GT(FindInk(back).Count, 20);
}

}  // namespace
