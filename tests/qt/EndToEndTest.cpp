// The built program on a virtual screen: started with a text and clicked it must
// show it, keys page it, one close request ends it; with a tray host, its chrome
// (the shaped outline, dragging, the drawn menu, balloon hints, the credits card
// and the tray) shows and works.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <map>
#include <span>
#include <sstream>

#include "shell/IniFile.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

// The first tool the virtual screen needs that is not installed, if any; the
// chrome's test also needs ImageMagick's convert and a tray host.
const char* MissingTool(bool chrome = false) {
  static const char* const tools[] = {"Xvfb", "xdotool", "import", "convert", "trayer"};
  for (const char* tool : std::span(tools).first(chrome ? 5 : 3))
    if (testsupport::RunCommand(std::string("command -v ") + tool + " >/dev/null 2>&1") != 0)
      return tool;
  return nullptr;
}

// Runs tests/qt/SCRIPT on the built program, the quoted arguments and then the
// plain ones; returns what it printed.
std::string RunScript(const char* script, std::vector<std::string> quoted,
                      const std::string& plain = "") {
  std::string command = std::string(QUILLANE_SOURCE_DIR) + "/tests/qt/" + script;
  quoted.insert(quoted.begin(), std::string(QUILLANE_BINARY_DIR) + "/quillane");
  for (const std::string& arg : quoted) {
    command += " '";
    command += arg;
    command += '\'';
  }
  std::string out;
  EXPECT_EQ(testsupport::RunCommand(command + " " + plain + " 2>&1", &out), 0) << out;
  return out;
}

// The numbers the script printed after each name, such as "window X Y".
std::map<std::string, std::vector<int>> Printed(const std::string& out) {
  std::map<std::string, std::vector<int>> found;
  std::istringstream lines(out);
  for (std::string line, name; std::getline(lines, line);) {
    std::istringstream words(line);
    words >> name;
    for (int v; words >> v;) found[name].push_back(v);
  }
  return found;
}

// Runs e2e-window.sh on a text of 'lines' copies of 'line' written to dir.
std::string RunWindow(const testsupport::TempDir& dir, const std::string& line, int lines,
                      const std::string& actions = "") {
  std::string text;
  for (int i = 0; i < lines; ++i) text += Sjis(line) + "\r\n";
  testsupport::WriteFile(dir / "text.txt", text);
  return RunScript("e2e-window.sh", {dir.Path().string(), dir / "text.txt"}, actions);
}

// The pixels of 'band' in 'shot' for which 'counted' holds.
template <typename Counted>
int Count(const QImage& shot, QRect band, Counted counted) {
  int n = 0;
  for (int y = band.top(); y <= band.bottom(); ++y)
    for (int x = band.left(); x <= band.right(); ++x) n += counted(shot.pixel(x, y));
  return n;
}

TEST(EndToEndTest, ClickingThePageShowsTheTextOnScreen) {
  if (const char* tool = MissingTool()) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  const std::string out =
      RunWindow(dir, "春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて。", 40);
  const std::vector<int> window = Printed(out)["window"];
  ASSERT_EQ(window.size(), 2u) << out;
  const int x = window[0], y = window[1];
  const QImage shot(QString::fromStdString(dir / "shot.png"));
  ASSERT_FALSE(shot.isNull());
  // The page view: 640 x 480 at (1, 1) in its panel at (18, 44).
  const QRect page(x + 19, y + 45, 640, 480);
  ASSERT_TRUE(shot.rect().contains(page));
  EXPECT_GT(Count(shot, page, [](QRgb p) { return qGray(p) < 96; }), 1500) << "no text shows";
  EXPECT_GT(Count(shot, page, [](QRgb p) { return qGray(p) > 200; }), 640 * 480 / 2)
      << "the page is not the white page of a first run";
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
  RunScript("close-after-clicks.sh",
            {std::string(QUILLANE_BINARY_DIR) + "/tests/send-close", dir.Path().string(),
             dir / "story.txt"},
            "3");
}

TEST(EndToEndTest, TheWheelPagesAndTheBooksMenuReopensABookWhereItWasLeft) {
  if (const char* tool = MissingTool()) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  for (const std::string name : {"a", "b"}) {
    std::string text;
    for (int i = 1; i <= 60; ++i)
      text += Sjis(name + std::to_string(i) + "行　木の葉が頁に落ちる。\r\n");
    testsupport::WriteFile(dir / (name + ".txt"), text);
  }
  auto found =
      Printed(RunScript("e2e-books.sh", {dir.Path().string(), dir / "a.txt", dir / "b.txt"}));
  ASSERT_EQ(found["closed"], std::vector<int>{2});
  const QRect page(found["window"][0] + 19, found["window"][1] + 45, 640, 480);
  const auto shot = [&](int n) {
    return QImage(QString::fromStdString(dir / ("shot" + std::to_string(n) + ".png"))).copy(page);
  };
  EXPECT_TRUE(shot(2) != shot(1) && shot(3) != shot(2)) << "the wheel down did not page";
  EXPECT_EQ(shot(4), shot(2)) << "the wheel up did not go back";
  // "Books" opened a.txt at the page it was left at, where the close kept it.
  const TIniFile ini(dir / "quillane.ini");
  EXPECT_EQ(ini.ReadString("Form\\FFileName", "String", "") + " " +
                ini.ReadString("Form\\FPage", "Integer", ""),
            dir / "a.txt" + " 4");
}

TEST(ChromeEndToEndTest, TheShapedWindowDragsOpensItsMenuHintsShowsCreditsAndHidesInTheTray) {
  if (const char* tool = MissingTool(true)) GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "text.txt", "story\r\n");
  const std::string out = RunScript("e2e-chrome.sh", {dir.Path().string(), dir / "text.txt"});
  auto found = Printed(out);
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
  const auto ink = [paper](QRgb p) { return p != paper; };
  EXPECT_GT(Count(credits, QRect(page + QPoint(75, 58), QSize(300, 21)), ink), 100);
  EXPECT_GT(Count(credits, QRect(page + QPoint(50, 421), QSize(300, 21)), ink), 100);
  EXPECT_EQ(Count(credits, QRect(page + QPoint(0, 184), QSize(640, 30)), ink), 0);
  EXPECT_EQ(found["hidden"], std::vector<int>{0});
  EXPECT_EQ(found["back"], std::vector<int>{1});
  EXPECT_EQ(found["closed"], std::vector<int>{1});
}

}  // namespace
