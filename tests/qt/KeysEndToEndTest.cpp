// The built program on a virtual screen, paged from the keyboard.
#include <gtest/gtest.h>

#include <QImage>

#include "shell/IniFile.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

TEST(KeysEndToEndTest, SpaceAndBackspacePageAndZRedrawsAtOnce) {
  for (std::string tool : {"xvfb-run", "xdotool", "import"})
    if (testsupport::RunCommand("command -v " + tool + " >/dev/null 2>&1") != 0)
      GTEST_SKIP() << tool << " is not installed";
  testsupport::TempDir dir;
  std::string text;
  for (int i = 1; i <= 60; ++i) text += Sjis("第" + std::to_string(i) + "行、頁を繰る。") + "\r\n";
  testsupport::WriteFile(dir / "keys.txt", text);

  std::string out;
  const std::string command = std::string(QUILLANE_SOURCE_DIR) + "/tests/qt/e2e-keys.sh '" +
                              QUILLANE_BINARY_DIR + "/quillane' '" + dir.Path().string() + "' '" +
                              (dir / "keys.txt") + "' 2>&1";
  ASSERT_EQ(testsupport::RunCommand(command, &out), 0) << out;
  EXPECT_EQ(out.find("still running"), std::string::npos) << "Ctrl+T did not close the window";

  // The page each key left: the first Space shows the opening page, then every key
  // changes the picture; Backspace goes back to the second page as it was drawn.
  QImage shots[5];
  for (int i = 0; i < 5; ++i) {
    shots[i] = QImage(QString::fromStdString(dir / ("key" + std::to_string(i + 1) + ".png")));
    ASSERT_FALSE(shots[i].isNull());
  }
  for (int i = 1; i < 5; ++i) EXPECT_NE(shots[i], shots[i - 1]) << "key " << i + 1;
  EXPECT_EQ(shots[3], shots[1]) << "Backspace did not return to the page before";

  TIniFile ini(dir / "quillane.ini");
  EXPECT_EQ(ini.Value("Form\\FPage", "Integer"), "2");
}

}  // namespace
