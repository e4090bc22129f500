// BMP files of page bitmaps, read back with Qt's own reader.
#include "render/BmpFile.h"

#include <gtest/gtest.h>

#include <QImage>

#include "shell/Errors.h"
#include "tests/common/TestSupport.h"

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

TEST(BmpFile, HeadersDescribeABottomUpTwentyFourBitPicture) {
  TABitmap b(5, 3);  // 15 bytes a row, padded to 16
  const std::string bytes = EncodeBmp(b);
  ASSERT_EQ(bytes.size(), 54u + 16 * 3);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(Le32(bytes, 10), 54u);
  EXPECT_EQ(Le32(bytes, 14), 40u);
  EXPECT_EQ(Le32(bytes, 18), 5u);
  EXPECT_EQ(Le32(bytes, 22), 3u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 24);
  EXPECT_EQ(Le32(bytes, 30), 0u);  // uncompressed
}

TEST(BmpFile, AnIndependentReaderSeesTheSamePixels) {
  testsupport::TempDir dir;
  TABitmap b(7, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) b.SetPixel(x, y, RGBColor(x * 30, y * 60, 255 - x * 10));
  const std::string path = dir / "page.bmp";
  SaveBmpFile(b, path);
  const QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  ASSERT_EQ(image.width(), 7);
  ASSERT_EQ(image.height(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) {
      const QRgb p = image.pixel(x, y);
      EXPECT_EQ(RGBColor(qRed(p), qGreen(p), qBlue(p)), b.Pixel(x, y)) << x << "," << y;
    }
}

TEST(BmpFile, AFolderThatIsNotThereIsAFileError) {
  testsupport::TempDir dir;
  EXPECT_THROW(SaveBmpFile(TABitmap(2, 2), dir / "missing/page.bmp"), EFileError);
}

}  // namespace
