// The window's chrome on a virtual screen with a tray host: the shaped outline,
// dragging, the drawn menu, balloon hints, the credits card and the tray.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <map>
#include <sstream>

#include "tests/common/TestSupport.h"

namespace {

bool ToolsMissing() {
  for (std::string tool : {"xvfb-run", "xdotool", "import", "convert", "trayer"})
    if (testsupport::RunCommand("command -v " + tool + " >/dev/null 2>&1") != 0) return true;
  return false;
}

// Pixels of rows [top, top + height) and columns [left, left + width) unlike colour.
int Ink(const QImage& shot, QRect band, QRgb colour) {
  int ink = 0;
  for (int y = band.top(); y <= band.bottom(); ++y)
    for (int x = band.left(); x <= band.right(); ++x)
      if (shot.pixel(x, y) != colour) ++ink;
  return ink;
}

TEST(ChromeEndToEndTest, TheShapedWindowDragsOpensItsMenuHintsShowsCreditsAndHidesInTheTray) {
  if (ToolsMissing()) GTEST_SKIP() << "xvfb-run, xdotool, ImageMagick or trayer is not installed";
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "text.txt", "story\r\n");
  std::string out;
  const std::string command = std::string(QUILLANE_SOURCE_DIR) + "/tests/qt/e2e-chrome.sh '" +
                              QUILLANE_BINARY_DIR + "/quillane' '" + dir.Path().string() + "' '" +
                              (dir / "text.txt") + "' 2>&1";
  ASSERT_EQ(testsupport::RunCommand(command, &out), 0) << out;
  std::map<std::string, std::vector<int>> found;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    for (int v; words >> v;) found[name].push_back(v);
  }
  ASSERT_EQ(found.size(), 9u) << out;  // window root corner dragged menu hint hidden back closed
  const auto shot = [&](const char* name) { return QImage(QString::fromStdString(dir / name)); };

  // Just outside the rounded corner the screen behind shows, not the blue.
  EXPECT_EQ(found["corner"], found["root"]);
  EXPECT_EQ(found["dragged"], (std::vector<int>{found["window"][0] + 90, found["window"][1] + 40}));

  const std::vector<int>& m = found["menu"];
  EXPECT_EQ(QColor(shot("menu.png").pixel(m[0] + 5, m[1] + 5)), QColor(0xB3, 0xB3, 0xFF));
  const std::vector<int>& h = found["hint"];
  EXPECT_EQ(QColor(shot("hint.png").pixel(h[0], h[1] + 16)), QColor(0xFF, 0xFC, 0xE8));

  // The credits card on the page: ink on the first line and the attribution,
  // none on the blank line between the credits and the terms.
  const QImage credits = shot("credits.png");
  const QPoint page(found["dragged"][0] + 19, found["dragged"][1] + 45);
  const QRgb paper = credits.pixel(page + QPoint(5, 5));
  EXPECT_GT(Ink(credits, QRect(page + QPoint(75, 58), QSize(300, 21)), paper), 100);
  EXPECT_GT(Ink(credits, QRect(page + QPoint(50, 421), QSize(300, 21)), paper), 100);
  EXPECT_EQ(Ink(credits, QRect(page + QPoint(0, 184), QSize(640, 30)), paper), 0);

  EXPECT_EQ(found["hidden"], std::vector<int>{0});
  EXPECT_EQ(found["back"], std::vector<int>{1});
  EXPECT_EQ(found["closed"], std::vector<int>{1});
}

}  // namespace
