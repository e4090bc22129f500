#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;
using fixtures::MakeCameraJpeg;
using fixtures::Quote;

int Cli(const std::string& args, std::string* output) {
  return fixtures::Run(Quote(testsupport::CliPath()) + " " + args, output);
}

TEST(CliThumbnail, ShrinksAPngToAHeaderlessThumbnail) {
  testsupport::TempDir dir;
  QImage image(640, 480, QImage::Format_RGB888);
  image.fill(QColor(0, 200, 0));
  ASSERT_TRUE(image.save(QString::fromStdString(dir / "in.png")));
  std::string output;
  ASSERT_EQ(
      Cli("thumbnail --quality 50 " + Quote(dir / "in.png") + " --out " + Quote(dir / "t.jpg"),
          &output),
      0)
      << output;
  const std::string jpeg = testsupport::ReadFile(dir / "t.jpg");
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xDB");
  const TABitmap back = DecodeJpeg(jpeg);
  EXPECT_EQ(back.Width(), 160);
  EXPECT_EQ(back.Height(), 120);
  EXPECT_NEAR(ColorG(back.Pixel(80, 60)), 200, 5);
}

TEST(CliSplice, BothModesWriteAndRefusalsPrintTheMessage) {
  testsupport::TempDir dir;
  const auto camera = MakeCameraJpeg();
  testsupport::WriteFile(dir / "t.jpg", camera.Bytes);
  testsupport::WriteFile(dir / "i.jpg", fixtures::PlainJpeg(320, 240, RGBColor(9, 9, 9)));
  testsupport::WriteFile(dir / "plain.jpg", fixtures::PlainJpeg(16, 16, 0));
  std::string output;
  ASSERT_EQ(Cli("splice --template " + Quote(dir / "t.jpg") + " --insert " + Quote(dir / "i.jpg") +
                    " --out " + Quote(dir / "keep.jpg"),
                &output),
            0)
      << output;
  ASSERT_EQ(Cli("splice --template " + Quote(dir / "t.jpg") + " --insert " + Quote(dir / "i.jpg") +
                    " --replace-thumbnail --quality 0 --out " + Quote(dir / "new.jpg"),
                &output),
            0)
      << output;
  TMemoryStream keep(testsupport::ReadFile(dir / "keep.jpg")),
      replaced(testsupport::ReadFile(dir / "new.jpg"));
  ExifTemplate a, b;
  ASSERT_EQ(ReadExifTemplate(keep, a), ExifRefusal::None);
  ASSERT_EQ(ReadExifTemplate(replaced, b), ExifRefusal::None);
  EXPECT_EQ(a.Payload, camera.Payload);
  EXPECT_NE(b.Thumb.ThumbLength, camera.ThumbLength);

  EXPECT_EQ(Cli("splice --template " + Quote(dir / "plain.jpg") + " --insert " +
                    Quote(dir / "i.jpg") + " --out " + Quote(dir / "no.jpg"),
                &output),
            1);
  EXPECT_NE(output.find("Exif情報が見つかりませんでした"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists(dir / "no.jpg"));
  EXPECT_EQ(
      Cli("splice --template " + Quote(dir / "t.jpg") + " --out " + Quote(dir / "no.jpg"), &output),
      2);
  EXPECT_FALSE(fs::exists(dir / "no.jpg"));
}

TEST(CliSame, RebuildsOrRefuses) {
  testsupport::TempDir dir;
  const auto camera = MakeCameraJpeg();
  testsupport::WriteFile(dir / "in.jpg", camera.Bytes);
  testsupport::WriteFile(dir / "text.jpg", "no picture");
  std::string output;
  ASSERT_EQ(Cli("same " + Quote(dir / "in.jpg") + " --out " + Quote(dir / "out.jpg"), &output), 0)
      << output;
  const std::string out = testsupport::ReadFile(dir / "out.jpg");
  EXPECT_EQ(out.substr(out.size() - camera.ImageData.size()), camera.ImageData);
  EXPECT_EQ(Cli("same " + Quote(dir / "text.jpg") + " --out " + Quote(dir / "x.jpg"), &output), 1);
  EXPECT_NE(output.find("Exif情報が見つかりませんでした"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists(dir / "x.jpg"));
}

}  // namespace
