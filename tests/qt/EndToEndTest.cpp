// The built program on a virtual screen, started with a text and clicked, must show it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <sstream>

#include "shell/IniFile.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

// The first of the virtual screen's tools that is not installed, if any.
const char* MissingTool() {
  for (const char* tool : {"xvfb-run", "xdotool", "import"})
    if (testsupport::RunCommand(std::string("command -v ") + tool + " >/dev/null 2>&1") != 0)
      return tool;
  return nullptr;
}

// Runs tests/qt/e2e-window.sh on a text of 'lines' copies of 'line' written to dir;
// returns what the script printed.
std::string RunWindow(const testsupport::TempDir& dir, const std::string& line, int lines,
                      const std::string& actions = "") {
  std::string text;
  for (int i = 0; i < lines; ++i) text += Sjis(line) + "\r\n";
  testsupport::WriteFile(dir / "text.txt", text);
  std::string out;
  const std::string command = std::string(QUILLANE_SOURCE_DIR) + "/tests/qt/e2e-window.sh '" +
                              QUILLANE_BINARY_DIR + "/quillane' '" + dir.Path().string() + "' '" +
                              (dir / "text.txt") + "' " + actions + " 2>&1";
  EXPECT_EQ(testsupport::RunCommand(command, &out), 0) << out;
  return out;
}

TEST(EndToEndTest, ClickingThePageShowsTheTextOnScreen) {
  if (const char* tool = MissingTool()) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  const std::string out =
      RunWindow(dir, "春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて。", 40);
  std::istringstream lines(out);
  std::string word;
  int x = -1, y = -1;
  while (lines >> word)
    if (word == "window") lines >> x >> y;
  ASSERT_GE(x, 0) << out;

  const QImage shot(QString::fromStdString(dir / "shot.png"));
  ASSERT_FALSE(shot.isNull());
  // The page view: 640 x 480 at (1, 1) in its panel at (18, 44).
  const QRect page(x + 19, y + 45, 640, 480);
  ASSERT_TRUE(shot.rect().contains(page));
  int dark = 0, light = 0;
  for (int py = page.top(); py <= page.bottom(); ++py)
    for (int px = page.left(); px <= page.right(); ++px) {
      const int gray = qGray(shot.pixel(px, py));
      if (gray < 96) ++dark;
      if (gray > 200) ++light;
    }
  EXPECT_GT(dark, 1500) << "no text on the page";
  EXPECT_GT(light, 640 * 480 / 2) << "the page is not the white page of a first run";
  // The window's own background beside the page.
  EXPECT_EQ(QColor(shot.pixel(x + 5, y + 300)), QColor(0xBE, 0xD0, 0xB9));
  EXPECT_EQ(QColor(shot.pixel(x + 18, y + 300)), QColor(Qt::black));  // the panel's edge
}

TEST(EndToEndTest, KeysPageWhateverHasTheFocusAndZRedrawsAtOnce) {
  if (const char* tool = MissingTool()) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  // The first key shows the opening page and gives the slider the focus; the
  // keys after it still page. Ctrl+T closes, which stores the page.
  const std::string out = RunWindow(dir, "頁を繰る音が、静かな部屋に響く。", 60,
                                    "space Return space BackSpace z ctrl+t");
  EXPECT_EQ(out.find("still running"), std::string::npos) << "Ctrl+T did not close the window";
  QImage shots[5];
  for (int i = 0; i < 5; ++i) {
    shots[i] = QImage(QString::fromStdString(dir / ("shot" + std::to_string(i + 1) + ".png")));
    ASSERT_FALSE(shots[i].isNull());
  }
  for (int i = 1; i < 5; ++i) EXPECT_NE(shots[i], shots[i - 1]) << "key " << i + 1;
  EXPECT_EQ(shots[3], shots[1]) << "Backspace did not return to the page before";
  EXPECT_EQ(TIniFile(dir / "quillane.ini").Value("Form\\FPage", "Integer"), "2");
}

// Turning pages with the mouse, then one close request as a window manager
// sends it: the program must go at once, every time.
TEST(EndToEndTest, OneCloseRequestAfterClickingThePageCloses) {
  if (const char* tool = MissingTool()) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  std::string text;
  for (int i = 1; i < 200; ++i)
    text += Sjis("第" + std::to_string(i) + "節　夜の雨は静かに窓を叩き、灯の下で頁をめくる。") +
            "\r\n";
  testsupport::WriteFile(dir / "story.txt", text);
  std::string out;
  const std::string bin = QUILLANE_BINARY_DIR;
  EXPECT_EQ(testsupport::RunCommand(std::string(QUILLANE_SOURCE_DIR) +
                                        "/tests/qt/close-after-clicks.sh '" + bin + "/quillane' '" +
                                        bin + "/tests/send-close' '" + dir.Path().string() + "' '" +
                                        (dir / "story.txt") + "' 3 2>&1",
                                    &out),
            0)
      << out;
}

}  // namespace
