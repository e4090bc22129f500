// quillane-cli render: pages written as PNG or BMP pictures, and its refusals.
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
    return RunCommand(testsupport::CliPath() + " render " + options + " 2>&1 >/dev/null", err);
  }
  QImage Picture(const std::string& name) { return QImage(QString::fromStdString(dir / name)); }
  testsupport::TempDir dir;
};

TEST_F(RenderCommand, WritesTheChosenPageInTheChosenColours) {
  ASSERT_EQ(Render("--page 2 --fo 0x0000FF --bg 0x00FF00 " + (dir / "story.txt") + " --out " +
                   (dir / "p.png")),
            0);
  const QImage image = Picture("p.png");
  ASSERT_EQ(image.size(), QSize(640, 480));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
  // Vertical columns: the text colour in the first column's band, none right of it.
  bool red = false, beyond = false;  // 0x00FF00 is green, 0x0000FF red
  for (int y = 0; y < 480; ++y)
    for (int x = 500; x < 640; ++x) {
      red |= x < 580 && image.pixel(x, y) == qRgb(255, 0, 0);
      beyond |= x >= 582 && image.pixel(x, y) != qRgb(0, 255, 0);
    }
  EXPECT_TRUE(red && !beyond);
}

TEST_F(RenderCommand, OnlyTurnedPagesOrStampCarryThePageNumber) {
  for (const std::string mode : {"normal", "turn"}) {
    const std::string base = "--mode " + mode + " --page 2 " + (dir / "story.txt") + " --out ";
    ASSERT_EQ(Render(base + (dir / "plain.png")), 0);
    ASSERT_EQ(Render("--stamp " + base + (dir / "stamp.png")), 0);
    EXPECT_EQ(Picture("plain.png") == Picture("stamp.png"), mode == "turn") << mode;
  }
}

// Qt's own reader, independent of our writer, sees the BMP as the PNG.
TEST_F(RenderCommand, BmpOfTheQvgaPageHoldsTheSamePixelsAsThePng) {
  ASSERT_EQ(Render("--builtin --qvga --out " + (dir / "q.bmp")), 0);
  ASSERT_EQ(Render("--builtin --qvga --out " + (dir / "q.png")), 0);
  EXPECT_EQ(testsupport::ReadFile(dir / "q.bmp").substr(0, 2), "BM");
  const QImage bmp = Picture("q.bmp"), png = Picture("q.png");
  ASSERT_EQ(bmp.size(), QSize(320, 240));
  EXPECT_TRUE(bmp.convertToFormat(QImage::Format_RGB32) ==
              png.convertToFormat(QImage::Format_RGB32));
}

TEST_F(RenderCommand, RefusesWithOneLineAndAFailingStatus) {
  std::string err;
  EXPECT_NE(Render("--page 99 " + (dir / "story.txt") + " --out " + (dir / "x.png"), &err), 0);
  EXPECT_NE(err.find("99"), std::string::npos);
  for (const std::string& args :
       {(dir / "absent.txt") + " --out " + (dir / "x.png"),
        "--mode huge " + (dir / "story.txt") + " --out " + (dir / "x.png"),
        dir / "story.txt",  // no --out
        "--page 0 " + (dir / "story.txt") + " --out " + (dir / "x.png"),
        "--builtin --out " + (dir / "missing/x.bmp")})
    EXPECT_NE(Render(args), 0) << args;
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

}  // namespace
