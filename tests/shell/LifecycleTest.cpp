// Start-up, closing and restarting: the right text comes back at the right page.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::WriteFile;

class LifecycleTest : public FormTest {
 protected:
  void StoreLastFile(const std::string& path, const std::string& page = "4") {
    WriteFile(dir / "quillane.ini",
              "[Form\\FFileName]\nString=" + path +
                  "\n[Form1\\FFileIn]\nBoolean=1\n[Form\\FPage]\nInteger=" + page + "\n");
  }
  void Forward(int steps) {
    for (int i = 0; i < steps; ++i) F().TriButton1Click();
  }
};

TEST_F(LifecycleTest, ARestartReopensTheUserTextAtItsPage) {
  Start();
  OpenFile(WriteRows("story.txt", 60));
  Forward(2);
  Close();
  EXPECT_EQ(TIniFile(dir / "quillane.ini").Value("Form\\FPage", "Integer"), "3");
  TForm1& f = Start();
  EXPECT_EQ(std::tuple(f.FFileIn, f.FTextName, f.Image1.Hint, f.FAllPage, f.FPagePermille),
            std::tuple(true, "story", "story", 5, 600));
  f.TriButton1Click();  // the first step shows the saved page
  EXPECT_EQ(std::tuple(f.FPage, f.FFilePage, f.HintLabel1.Caption), std::tuple(3, 3, "story"));
}

TEST_F(LifecycleTest, OtherwiseARestartShowsTheBuiltInText) {
  struct Case {
    const char* name;
    bool story;                    // a user text opened first
    std::function<void()> before;  // run on a started window, before it closes
    int page;                      // shown by the first step after the restart
  };
  const Case cases[] = {
      {"built-in text at page 2", false, [&] { Forward(2); }, 2},
      {"pasted text", true,
       [&] {
         platform->Clipboard = "one\r\ntwo";
         F().Paste1Click();
         ASSERT_FALSE(F().FPasteList.empty());
       },
       1},
      {"missing last file", true, [&] { Forward(1), std::filesystem::remove(dir / "story.txt"); },
       1},
      {"built-in text after a user text", true, [&] { F().Quillane1Click(), Forward(2); }, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir / "quillane.ini");
    Start();
    if (c.story) OpenFile(WriteRows("story.txt", 60));
    c.before();
    Close();
    EXPECT_TRUE(F().FPasteList.empty());  // released with the window
    TForm1& f = Start();
    EXPECT_TRUE(!f.FFileIn && f.PLabel.Transparent && platform->Errors.empty());
    f.TriButton1Click();
    EXPECT_EQ(std::pair(f.FPage, f.HintLabel1.Caption), std::pair(c.page, std::string("Quillane")));
  }
  F().File1Click();  // the last case's file is still known behind the built-in text
  EXPECT_EQ(F().FTextName, "story");
}

TEST_F(LifecycleTest, TheLastFileIsReadAgainOrReportedWhenItCannotBe) {
  ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);  // a reader would wait for good
  StoreLastFile(dir / "fifo.txt");
  TForm1& f = Start();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_TRUE(!f.FFileIn && f.FPage == 1 && f.FAllPage > 0);

  WriteFile(dir / "page.htm", "<p>kept words</p>\r\n");
  StoreLastFile(dir / "page.htm");  // stripped of its markup again
  EXPECT_TRUE(Start().FFileIn);
  EXPECT_EQ(F().Editor1.Lines[0], "kept words");

  StoreLastFile(WriteRows("story.txt", 60), "3000000");  // page x 1000 is past INT_MAX
  Start().BigFontCheckBox.Checked = true;                // re-laid at the same reading position
  F().BigFontCheckBoxClick();
  EXPECT_EQ(F().FPage, F().FAllPage);
}

TEST_F(LifecycleTest, ASettingsFileThatCannotBeReadOrWrittenIsReportedOnly) {
  std::filesystem::create_directories(dir.Path() / "quillane.ini");
  TForm1& f = NewForm();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_TRUE(f.GColor == 16777215 && f.LCheckBox13.Checked);  // the defaults
  std::filesystem::remove(dir / "quillane.ini");
  WriteFile(dir / "plain", "x");
  Start().FIniFileName = dir / "plain/quillane.ini";
  F().LCheckBox12.Checked = true;
  Close();
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("quillane.ini"), std::string::npos);
  EXPECT_TRUE(F().FFinish);  // the closing card still ran
}

TEST_F(LifecycleTest, BecomingVisibleRecordsTheReadingPosition) {
  Start();
  OpenFile(WriteRows("story.txt", 52));
  F().FPage = 3;
  for (auto [pages, showing, permille] :
       {std::tuple(4, false, 250), {4, true, 750}, {0, true, 750}}) {
    F().FAllPage = pages;
    F().CMShowingChanged(showing);
    EXPECT_EQ(F().FPagePermille, permille) << pages << showing;
  }
}

}  // namespace
