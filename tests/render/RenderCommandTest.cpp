// quillane-cli render: pages written as pictures, and its refusals.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/common/TestSupport.h"

namespace {

using testsupport::RunCommand;
using testsupport::Sjis;

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() {
    std::string text;
    for (int i = 0; i < 30; ++i)
      text += Sjis("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当") + "\r\n";
    testsupport::WriteFile(dir / "story.txt", text);
  }
  int Render(const std::string& options, std::string* err = nullptr) {
    const std::string errFile = dir / "stderr.txt";
    const int status = RunCommand(testsupport::CliPath() + " render " + options + " 2>" + errFile);
    if (err) *err = testsupport::ReadFile(errFile);
    return status;
  }
  testsupport::TempDir dir;
};

// Columns of the picture that hold ink (anything but the background).
std::vector<bool> InkColumns(const QImage& image, QRgb background) {
  std::vector<bool> ink(static_cast<std::size_t>(image.width()), false);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) ink[static_cast<std::size_t>(x)] = true;
  return ink;
}

TEST_F(RenderCommand, WritesTheChosenPageInTheChosenColours) {
  ASSERT_EQ(Render("--page 2 --fo 0x0000FF --bg 0x00FF00 " + (dir / "story.txt") + " --out " +
                   (dir / "p.png")),
            0);
  const QImage image(QString::fromStdString(dir / "p.png"));
  ASSERT_EQ(image.size(), QSize(640, 480));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));  // background 0x00FF00 is green
  bool red = false;
  for (int y = 50; y < 400 && !red; ++y)
    for (int x = 500; x < 580 && !red; ++x) red = image.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(red) << "text colour 0x0000FF is red";
  // Vertical columns: ink in the first column's band, none right of it.
  const auto ink = InkColumns(image, qRgb(0, 255, 0));
  EXPECT_TRUE(ink[570]);
  for (int x = 582; x < 640; ++x) EXPECT_FALSE(ink[static_cast<std::size_t>(x)]) << x;
}

TEST_F(RenderCommand, OnlyTurnedPagesOrStampCarryThePageNumber) {
  for (const std::string mode : {"normal", "turn"}) {
    const std::string base = "--mode " + mode + " --page 2 " + (dir / "story.txt") + " --out ";
    ASSERT_EQ(Render(base + (dir / "plain.png")), 0);
    ASSERT_EQ(Render("--stamp " + base + (dir / "stamp.png")), 0);
    const auto picture = [&](const char* name) {
      return QImage(QString::fromStdString(dir / name));
    };
    EXPECT_EQ(picture("plain.png") == picture("stamp.png"), mode == "turn") << mode;
  }
}

TEST_F(RenderCommand, QvgaBmpOfTheBuiltinText) {
  ASSERT_EQ(Render("--builtin --qvga --out " + (dir / "q.bmp")), 0);
  const QImage image(QString::fromStdString(dir / "q.bmp"));
  EXPECT_EQ(image.size(), QSize(320, 240));
  EXPECT_EQ(testsupport::ReadFile(dir / "q.bmp").substr(0, 2), "BM");
}

TEST_F(RenderCommand, RefusesWithOneLineAndAFailingStatus) {
  std::string err;
  EXPECT_NE(Render("--page 99 " + (dir / "story.txt") + " --out " + (dir / "x.png"), &err), 0);
  EXPECT_NE(err.find("99"), std::string::npos);
  EXPECT_NE(Render((dir / "absent.txt") + " --out " + (dir / "x.png"), &err), 0);
  EXPECT_NE(Render("--mode huge " + (dir / "story.txt") + " --out " + (dir / "x.png"), &err), 0);
  EXPECT_NE(Render(dir / "story.txt", &err), 0);  // no --out
  EXPECT_NE(Render("--page 0 " + (dir / "story.txt") + " --out " + (dir / "x.png"), &err), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

}  // namespace
