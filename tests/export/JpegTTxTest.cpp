#include <gtest/gtest.h>

#include <random>

#include "base/Errors.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

using fixtures::Be16;

// The zigzag order of JPEG: position k of a DQT table holds natural index kZigzag[k].
constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct Marker {
  unsigned Code;
  unsigned Length;  // 0 for SOI / EOI
  std::size_t Pos;
};

// Every marker of the stream up to and including SOS.
std::vector<Marker> Markers(const std::string& jpeg) {
  std::vector<Marker> out{{0xD8, 0, 0}};
  for (std::size_t i = 2; i + 4 <= jpeg.size() && out.back().Code != 0xDA;
       i += 2 + Be16(jpeg, i + 2))
    out.push_back({static_cast<unsigned char>(jpeg[i + 1]), Be16(jpeg, i + 2), i});
  return out;
}

// The two tables of the DQT segment at pos, each in natural order.
std::vector<std::array<int, 64>> Tables(const std::string& jpeg, std::size_t pos) {
  std::vector<std::array<int, 64>> tables;
  const std::size_t end = pos + 2 + Be16(jpeg, pos + 2);
  for (std::size_t at = pos + 4; at + 65 <= end; at += 65) {
    std::array<int, 64> t{};
    for (int k = 0; k < 64; ++k) t[kZigzag[k]] = static_cast<unsigned char>(jpeg[at + 1 + k]);
    tables.push_back(t);
  }
  return tables;
}

TABitmap Noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  TABitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width * 3; ++x) bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(random());
  return bitmap;
}

TEST(ThumbQuantTable, FollowsTheQualityRule) {
  const auto q50 = ThumbQuantTable(50);
  EXPECT_EQ(std::vector<int>(q50.begin(), q50.begin() + 8),
            (std::vector<int>{8, 6, 5, 8, 12, 20, 26, 31}));
  EXPECT_EQ(std::vector<int>(q50.begin() + 56, q50.end()),
            (std::vector<int>{36, 46, 48, 49, 56, 50, 52, 50}));
  const auto q60 = ThumbQuantTable(60);
  EXPECT_EQ(std::vector<int>(q60.begin(), q60.begin() + 8),
            (std::vector<int>{6, 5, 4, 6, 10, 16, 21, 25}));
  for (int v : ThumbQuantTable(100)) EXPECT_EQ(v, 1);
  const auto q25 = ThumbQuantTable(25);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(q25[i], std::min(2 * q50[i], 255)) << i;
  // Q = 75 halves the base: 5 x 0.5 = 2.5 -> 2, 31 x 0.5 = 15.5 -> 16, 13 x 0.5 = 6.5 -> 6.
  const auto q75 = ThumbQuantTable(75);
  EXPECT_EQ(q75[2], 2);
  EXPECT_EQ(q75[7], 16);
  EXPECT_EQ(q75[4 + 8], 6);  // K.1 row 1 column 4 is 26
  // Quality 0 is taken as 1: base x 50, limited to 255.
  EXPECT_EQ(ThumbQuantTable(0), ThumbQuantTable(1));
  EXPECT_EQ(ThumbQuantTable(1)[2], 250);
  EXPECT_EQ(ThumbQuantTable(1)[0], 255);
}

TEST(JpegTTx, WritesOneDqtOneDhtAndNoHeaderSegments) {
  TABitmap bitmap = fixtures::Solid(160, 120, clWhite);
  const std::string jpeg = EncodeThumbnail(bitmap, 60);
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xDB");
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  const auto m = Markers(jpeg);
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[1].Code, 0xDBu);
  EXPECT_EQ(m[1].Length, 132u);
  EXPECT_EQ(m[2].Code, 0xC0u);
  EXPECT_EQ(m[2].Length, 17u);
  EXPECT_EQ(m[3].Code, 0xC4u);
  EXPECT_EQ(m[3].Length, 2u + 2 * (1 + 16 + 12) + 2 * (1 + 16 + 162));
  EXPECT_EQ(m[4].Code, 0xDAu);
  EXPECT_EQ(m[4].Length, 12u);
  // SOF0: precision 8, 120 x 160, ids 1 2 3 sampled 2x1 1x1 1x1 with tables 0 1 1.
  EXPECT_EQ(jpeg.substr(m[2].Pos + 4, 15),
            std::string("\x08\x00\x78\x00\xA0\x03\x01\x21\x00\x02\x11\x01\x03\x11\x01", 15));
  // SOS: components 1 2 3 with selectors 00 11 11, spectral 0..63, approximation 0.
  EXPECT_EQ(jpeg.substr(m[4].Pos + 4, 10),
            std::string("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10));
  // DHT: DC 0, AC 0 (luminance), DC 1, AC 1 (chrominance), in that order.
  const std::size_t dht = m[3].Pos + 4;
  EXPECT_EQ(static_cast<unsigned char>(jpeg[dht]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[dht + 29]), 0x10);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[dht + 29 + 179]), 0x01);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[dht + 29 + 179 + 29]), 0x11);
  // Both tables in the one DQT, with Q = 60's first row.
  const auto tables = Tables(jpeg, m[1].Pos);
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[m[1].Pos + 4]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[m[1].Pos + 4 + 65]), 0x01);
  for (const auto& t : tables)
    EXPECT_EQ(std::vector<int>(t.begin(), t.begin() + 8),
              (std::vector<int>{6, 5, 4, 6, 10, 16, 21, 25}));
}

TEST(JpegTTx, TheStreamDecodesWithAnIndependentReader) {
  testsupport::TempDir dir;
  const std::string path = dir / "thumb.jpg";
  testsupport::WriteFile(path,
                         EncodeThumbnail(fixtures::Solid(640, 480, RGBColor(30, 60, 200)), 60));
  EXPECT_EQ(checks::MainPicture(path), "P6\n160 120");
  const TABitmap back = DecodeJpeg(testsupport::ReadFile(path));
  ASSERT_EQ(back.Width(), 160);
  const TColor c = back.Pixel(80, 60);
  EXPECT_NEAR(ColorR(c), 30, 4);
  EXPECT_NEAR(ColorG(c), 60, 4);
  EXPECT_NEAR(ColorB(c), 200, 4);
}

TEST(JpegTTx, HeaderOptionOffAddsJfifAndCommentAndAnEmptyBitmapIsAnError) {
  const TABitmap empty, black = fixtures::Solid(32, 16, clBlack);
  JpegTTx encoder;
  EXPECT_THROW(encoder.Encode(), EImageError);
  encoder.SetBitmap(empty);
  EXPECT_THROW(encoder.Encode(), EImageError);
  encoder.SetBitmap(black);
  encoder.SetHeaderless(false);
  encoder.SetComment("hello");
  const std::string jpeg = encoder.Encode();
  const auto m = Markers(jpeg);
  ASSERT_GE(m.size(), 4u);
  EXPECT_EQ(m[1].Code, 0xE0u);
  EXPECT_EQ(m[1].Length, 16u);
  EXPECT_EQ(jpeg.substr(6, 7), std::string("JFIF\0\x01\x01", 7));
  EXPECT_EQ(m[2].Code, 0xFEu);
  EXPECT_EQ(jpeg.substr(m[2].Pos + 4, 5), "hello");
  EXPECT_EQ(m[3].Code, 0xDBu);
}

TEST(MergeTableSegments, KeepsTablesInOrderAndThePictureUnchanged) {
  const std::string plain = EncodePageJpeg(Noise(64, 48, 7), 75);  // libjpeg: 2 DQT, 4 DHT
  const std::string merged = MergeTableSegments(plain);
  int dqt = 0, dht = 0;
  for (const auto& m : Markers(merged)) {
    dqt += m.Code == 0xDB;
    dht += m.Code == 0xC4;
  }
  EXPECT_EQ(dqt, 1);
  EXPECT_EQ(dht, 1);
  EXPECT_EQ(merged.size(), plain.size() - 4 - 3 * 4);
  EXPECT_EQ(DecodeJpeg(merged), DecodeJpeg(plain));
}

// The mean of each block, computed the plain way.
TABitmap BlockMeans(const TABitmap& source, int bw, int bh) {
  TABitmap out(source.Width() / bw, source.Height() / bh);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < bh; ++dy)
          for (int dx = 0; dx < bw; ++dx)
            sum += source.ScanLine(y * bh + dy)[(x * bw + dx) * 3 + c];
        const int n = bw * bh;
        out.ScanLine(y)[x * 3 + c] = static_cast<std::uint8_t>((sum + n / 2) / n);
      }
  return out;
}

TEST(ShrinkBitmap, PageSizesBecomeBlockMeans) {
  for (auto [w, h, block] : {std::tuple{640, 480, 4}, std::tuple{320, 240, 2}}) {
    TABitmap page = Noise(w, h, 11);
    const TABitmap expected = BlockMeans(page, block, block);
    ShrinkBitmap(page, 160, 120);
    EXPECT_EQ(page, expected) << w;
  }
}

TEST(ShrinkBitmap, PartialPixelsCountByTheirCoverage) {
  // Three columns into two: each target covers one and a half source pixels.
  TABitmap row(3, 1);
  row.SetPixel(0, 0, RGBColor(0, 0, 0));
  row.SetPixel(1, 0, RGBColor(90, 90, 90));
  row.SetPixel(2, 0, RGBColor(180, 180, 180));
  ShrinkBitmap(row, 2, 1);
  ASSERT_EQ(row.Width(), 2);
  EXPECT_EQ(ColorR(row.Pixel(0, 0)), 30);   // (0 + 0.5 x 90) / 1.5
  EXPECT_EQ(ColorR(row.Pixel(1, 0)), 150);  // (0.5 x 90 + 180) / 1.5
}

TEST(ShrinkBitmap, ARightDirectionIsLeftAloneAndSmallPicturesAreEnlarged) {
  TABitmap tall(160, 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 160; ++x) tall.SetPixel(x, y, RGBColor(x, y, 0));
  ShrinkBitmap(tall, 160, 120);
  ASSERT_EQ(tall.Width(), 160);
  ASSERT_EQ(tall.Height(), 120);
  EXPECT_EQ(tall.Pixel(37, 10), RGBColor(37, 21, 0));  // rows 20 and 21: 20.5 rounds up

  TABitmap small = fixtures::Solid(40, 30, RGBColor(1, 2, 3));
  small.SetPixel(0, 0, RGBColor(255, 255, 255));
  ShrinkBitmap(small, 160, 120);
  ASSERT_EQ(small.Width(), 160);
  ASSERT_EQ(small.Height(), 120);
  EXPECT_EQ(small.Pixel(0, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(small.Pixel(3, 3), RGBColor(255, 255, 255));
  EXPECT_EQ(small.Pixel(4, 4), RGBColor(1, 2, 3));
  EXPECT_EQ(small.Pixel(159, 119), RGBColor(1, 2, 3));
}

}  // namespace
