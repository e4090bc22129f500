#include <gtest/gtest.h>

#include <QImage>

#include "base/Errors.h"
#include "export/ImageFiles.h"
#include "export/JpegCodec.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

using fixtures::Be16;

std::size_t FindMarker(const std::string& jpeg, unsigned char code) {
  for (std::size_t i = 2; i + 4 <= jpeg.size(); i += 2 + Be16(jpeg, i + 2)) {
    if (static_cast<unsigned char>(jpeg[i + 1]) == code) return i;
    if (static_cast<unsigned char>(jpeg[i + 1]) == 0xDA) break;
  }
  return std::string::npos;
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

TEST(ReadPictureFile, ReadsJpegPngAndBmpAndRefusesTheRest) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "a.jpg", fixtures::PlainJpeg(20, 10, RGBColor(0, 0, 255)));
  QImage image(12, 8, QImage::Format_RGB888);
  image.fill(QColor(255, 128, 0));
  ASSERT_TRUE(image.save(QString::fromStdString(dir / "b.png")));
  ASSERT_TRUE(image.save(QString::fromStdString(dir / "c.bmp")));
  testsupport::WriteFile(dir / "x.png", "plain text");

  const TABitmap jpeg = ReadPictureFile(dir / "a.jpg");
  EXPECT_EQ(jpeg.Width(), 20);
  EXPECT_EQ(jpeg.Height(), 10);
  EXPECT_NEAR(ColorR(jpeg.Pixel(5, 5)), 0, 3);
  EXPECT_NEAR(ColorB(jpeg.Pixel(5, 5)), 255, 3);
  for (const char* name : {"b.png", "c.bmp"}) {
    const TABitmap b = ReadPictureFile(dir / name);
    ASSERT_EQ(b.Width(), 12) << name;
    ASSERT_EQ(b.Height(), 8) << name;
    EXPECT_EQ(b.Pixel(11, 7), RGBColor(255, 128, 0)) << name;
  }
  EXPECT_THROW(ReadPictureFile(dir / "x.png"), EImageError);
  EXPECT_THROW(ReadPictureFile(dir / "missing.png"), EFileError);
}

}  // namespace
