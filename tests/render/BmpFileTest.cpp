// BMP files of page bitmaps, read back with Qt's own reader.
#include "render/BmpFile.h"

#include <gtest/gtest.h>

#include <QImage>

#include "base/Errors.h"
#include "tests/common/TestSupport.h"

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

TEST(BmpFile, HeadersDescribeABottomUpTwentyFourBitPicture) {
  const std::string bytes = EncodeBmp(TABitmap(5, 3));  // 15 bytes a row, padded to 16
  ASSERT_EQ(bytes.size(), 54u + 16 * 3);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  // File size, pixel offset, header size, width, height, then no compression.
  const std::pair<std::size_t, std::uint32_t> fields[] = {{2, 54 + 48}, {10, 54}, {14, 40},
                                                          {18, 5},      {22, 3},  {30, 0}};
  for (const auto& [at, value] : fields) EXPECT_EQ(Le32(bytes, at), value) << at;
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 24);
}

TEST(BmpFile, AnIndependentReaderSeesTheSamePixelsAndAMissingFolderIsAFileError) {
  testsupport::TempDir dir;
  TABitmap b(7, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) b.SetPixel(x, y, RGBColor(x * 30, y * 60, 255 - x * 10));
  SaveBmpFile(b, dir / "page.bmp");
  const QImage image(QString::fromStdString(dir / "page.bmp"));
  ASSERT_EQ(image.size(), QSize(7, 4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) {
      const QRgb p = image.pixel(x, y);
      EXPECT_EQ(RGBColor(qRed(p), qGreen(p), qBlue(p)), b.Pixel(x, y)) << x << "," << y;
    }
  EXPECT_THROW(SaveBmpFile(TABitmap(2, 2), dir / "missing/page.bmp"), EFileError);
}

}  // namespace
