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

// Marker codes and positions of the stream up to and including SOS.
std::vector<std::pair<unsigned, std::size_t>> Markers(const std::string& jpeg) {
  std::vector<std::pair<unsigned, std::size_t>> out{{0xD8, 0}};
  for (std::size_t i = 2; i + 4 <= jpeg.size() && out.back().first != 0xDA;
       i += 2 + Be16(jpeg, i + 2))
    out.push_back({static_cast<unsigned char>(jpeg[i + 1]), i});
  return out;
}
std::vector<unsigned> Codes(const std::string& jpeg) {
  std::vector<unsigned> codes;
  for (const auto& m : Markers(jpeg)) codes.push_back(m.first);
  return codes;
}

TABitmap Noise(int width, int height) {
  std::mt19937 random(11);
  TABitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width * 3; ++x) bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(random());
  return bitmap;
}

std::size_t FindMarker(const std::string& jpeg, unsigned code) {
  for (const auto& [c, pos] : Markers(jpeg))
    if (c == code) return pos;
  return std::string::npos;
}

TEST(ThumbQuantTable, ScalesTheBaseTableByQualityRoundingHalvesToEven) {
  struct Case {
    int Quality, Index, Value;
  };
  // Natural order: index 2 is 5 in the base table, 7 is 31, 12 is 26.
  for (const Case& c : {Case{50, 0, 8},
                        {50, 7, 31},
                        {60, 7, 25},
                        {75, 2, 2},
                        {75, 7, 16},
                        {75, 12, 6},
                        {25, 2, 10},
                        {1, 2, 250},
                        {1, 0, 255},
                        {100, 63, 1}}) {
    SCOPED_TRACE(std::to_string(c.Quality) + " at " + std::to_string(c.Index));
    EXPECT_EQ(ThumbQuantTable(c.Quality)[c.Index], c.Value);
  }
  EXPECT_EQ(ThumbQuantTable(0), ThumbQuantTable(1));
}

TEST(JpegTTx, WritesAHeaderlessThumbnailThatDjpegReads) {
  const std::string jpeg =
      EncodeThumbnail(fixtures::Solid(640, 480, RGBColor(30, 60, 200)), 60);  // shrunk to fit
  EXPECT_EQ(Codes(jpeg), (std::vector<unsigned>{0xD8, 0xDB, 0xC0, 0xC4, 0xDA}));
  const auto m = Markers(jpeg);
  // SOF0: precision 8, 120 x 160, ids 1 2 3 sampled 2x1 1x1 1x1 with tables 0 1 1.
  EXPECT_EQ(jpeg.substr(m[2].second + 4, 15),
            std::string("\x08\x00\x78\x00\xA0\x03\x01\x21\x00\x02\x11\x01\x03\x11\x01", 15));
  // One DQT holds both tables.
  EXPECT_EQ(Be16(jpeg, m[1].second + 2), 132u);
  EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  EXPECT_THROW(EncodeThumbnail(TABitmap(), 60), EImageError);
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "thumb.jpg", jpeg);
  EXPECT_EQ(checks::MainPicture(dir / "thumb.jpg"), "P6\n160 120");
  checks::ExpectLastPixelNear("cat " + checks::Quote(dir / "thumb.jpg"), {30, 60, 200}, 4);
}

TEST(ShrinkBitmap, AveragesByCoverageAndEnlargesSmallPictures) {
  // A page shrinks by four: each pixel is the rounded mean of its 4 x 4 block.
  TABitmap page = Noise(640, 480);
  int sum = 0;
  for (int y = 4; y < 8; ++y)
    for (int x = 8; x < 12; ++x) sum += ColorG(page.Pixel(x, y));
  ShrinkBitmap(page, 160, 120);
  ASSERT_EQ(page.Height(), 120);
  EXPECT_EQ(ColorG(page.Pixel(2, 1)), (sum + 8) / 16);
  // Three columns into two: each target covers one and a half source pixels.
  TABitmap row(3, 1);
  row.SetPixel(1, 0, RGBColor(90, 90, 90));
  row.SetPixel(2, 0, RGBColor(180, 180, 180));
  ShrinkBitmap(row, 2, 1);
  EXPECT_EQ(ColorR(row.Pixel(0, 0)), 30);   // (0 + 0.5 x 90) / 1.5
  EXPECT_EQ(ColorR(row.Pixel(1, 0)), 150);  // (0.5 x 90 + 180) / 1.5
  // A tall picture keeps its direction: rows 20 and 21 give 20.5, rounded up.
  TABitmap tall(160, 240);
  for (int y = 0; y < 240; ++y) tall.SetPixel(37, y, RGBColor(0, y, 0));
  ShrinkBitmap(tall, 160, 120);
  ASSERT_EQ(tall.Width(), 160);
  EXPECT_EQ(tall.Pixel(37, 10), RGBColor(0, 21, 0));
  TABitmap small = fixtures::Solid(40, 30, RGBColor(1, 2, 3));
  small.SetPixel(0, 0, clWhite);
  ShrinkBitmap(small, 160, 120);
  ASSERT_EQ(small.Width(), 160);
  EXPECT_EQ(small.Pixel(3, 3), clWhite);
  EXPECT_EQ(small.Pixel(4, 4), RGBColor(1, 2, 3));
}

TEST(EncodePageJpeg, WritesABaselineJfifFileWith2x2ChromaThatDjpegReads) {
  const std::string jpeg = EncodePageJpeg(fixtures::Solid(640, 480, RGBColor(250, 250, 250)), 60);
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xE0");
  EXPECT_EQ(jpeg.substr(6, 5), std::string("JFIF\0", 5));
  const std::size_t sof = FindMarker(jpeg, 0xC0);
  ASSERT_NE(sof, std::string::npos);
  EXPECT_EQ(static_cast<unsigned char>(jpeg[sof + 11]), 0x22);  // Y sampled 2 x 2
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "page.jpg", jpeg);
  EXPECT_EQ(checks::MainPicture(dir / "page.jpg"), "P6\n640 480");
  // Quality 0 is taken as 1; an empty bitmap is an error.
  const TABitmap page = fixtures::Solid(16, 16, RGBColor(9, 99, 199));
  EXPECT_EQ(EncodePageJpeg(page, 0), EncodePageJpeg(page, 1));
  EXPECT_THROW(EncodePageJpeg(TABitmap(), 60), EImageError);
}

TEST(DecodeJpeg, BrokenDataIsAnImageErrorNotACrash) {
  const std::string good = fixtures::PlainJpeg(64, 64, 0);
  EXPECT_THROW(DecodeJpeg(""), EImageError);
  EXPECT_THROW(DecodeJpeg("not a jpeg at all"), EImageError);
  EXPECT_THROW(DecodeJpeg(good.substr(0, 100)), EImageError);  // cut inside the tables
  // A header claiming 65535 x 65535 is refused before any allocation.
  std::string huge = good;
  const std::size_t sof = FindMarker(huge, 0xC0);
  huge.replace(sof + 5, 4, 4, '\xFF');
  EXPECT_THROW(DecodeJpeg(huge), EImageError);
  // Every prefix either decodes or throws our error.
  for (std::size_t n = 0; n < good.size(); n += 7) {
    try {
      DecodeJpeg(good.substr(0, n));
    } catch (const EImageError&) {
    }
  }
}

}  // namespace
