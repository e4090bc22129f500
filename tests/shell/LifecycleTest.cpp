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
  std::optional<std::string> Stored(const char* section, const char* key) {
    return TIniFile(dir / "quillane.ini").Value(section, key);
  }
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
  ASSERT_EQ(F().FPage, 3);
  Close();
  EXPECT_EQ(Stored("Form1\\FFileIn", "Boolean"), "1");
  EXPECT_EQ(Stored("Form\\FPage", "Integer"), "3");

  TForm1& f = Start();
  EXPECT_TRUE(f.FFileIn);
  EXPECT_EQ(f.FTextName, "story");
  EXPECT_EQ(f.Image1.Hint, "story");
  EXPECT_EQ(f.FAllPage, 5);
  EXPECT_EQ(f.FPagePermille, 600);
  f.TriButton1Click();  // the first step shows the saved page
  EXPECT_EQ(f.FPage, 3);
  EXPECT_EQ(f.FFilePage, 3);
  EXPECT_EQ(f.HintLabel1.Caption, "story");
}

TEST_F(LifecycleTest, OtherwiseARestartShowsTheBuiltInText) {
  struct Case {
    const char* name;
    std::function<void()> before;  // run on a started window, before it closes
    int page;                      // shown by the first step after the restart
  };
  const Case cases[] = {
      {"built-in text at page 2", [&] { Forward(2); }, 2},
      {"pasted text",
       [&] {
         OpenFile(WriteRows("story.txt", 60));
         platform->Clipboard = "one\r\ntwo";
         F().Paste1Click();
         ASSERT_FALSE(F().FPasteList.empty());
       },
       1},
      {"missing last file",
       [&] {
         OpenFile(WriteRows("story.txt", 60));
         Forward(1);
         std::filesystem::remove(dir / "story.txt");
       },
       1},
      {"built-in text after a user text",
       [&] {
         OpenFile(WriteRows("story.txt", 60));
         F().Quillane1Click();
         Forward(2);
       },
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir / "quillane.ini");
    Start();
    c.before();
    Close();
    EXPECT_TRUE(F().FPasteList.empty());  // released with the window
    TForm1& f = Start();
    EXPECT_FALSE(f.FFileIn);
    EXPECT_TRUE(f.PLabel.Transparent);
    EXPECT_TRUE(platform->Errors.empty());
    f.TriButton1Click();
    EXPECT_EQ(f.FPage, c.page);
    EXPECT_EQ(f.HintLabel1.Caption, "Quillane");
  }
  F().File1Click();  // the last case's file is still known behind the built-in text
  EXPECT_EQ(F().FTextName, "story");
}

TEST_F(LifecycleTest, AnUnreadableLastFileIsReportedAndTheBuiltInTextShown) {
  ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);  // a reader would wait for good
  StoreLastFile(dir / "fifo.txt");
  TForm1& f = Start();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(f.FFileIn);
  EXPECT_EQ(f.FPage, 1);
  EXPECT_GT(f.FAllPage, 0);
}

TEST_F(LifecycleTest, AStoredPageFarPastTheEndMeansTheEndOfTheText) {
  StoreLastFile(WriteRows("story.txt", 60), "3000000");  // page x 1000 is past INT_MAX
  TForm1& f = Start();
  f.BigFontCheckBox.Checked = true;  // re-laid at the same reading position
  f.BigFontCheckBoxClick();
  EXPECT_EQ(f.FPage, f.FAllPage);
}

TEST_F(LifecycleTest, AnHtmlLastFileIsStrippedAgain) {
  WriteFile(dir / "page.htm", "<p>kept words</p>\r\n");
  StoreLastFile(dir / "page.htm");
  TForm1& f = Start();
  EXPECT_TRUE(f.FFileIn);
  EXPECT_EQ(f.Editor1.Lines[0].find('<'), std::string::npos);
  EXPECT_NE(f.Editor1.Lines[0].find("kept words"), std::string::npos);
}

TEST_F(LifecycleTest, ASettingsFileThatCannotBeReadOrWrittenIsReportedOnly) {
  std::filesystem::create_directories(dir.Path() / "quillane.ini");
  TForm1& f = NewForm();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_EQ(f.GColor, 16777215);  // the defaults
  EXPECT_TRUE(f.LCheckBox13.Checked);

  std::filesystem::remove(dir / "quillane.ini");
  WriteFile(dir / "plain", "x");
  Start();
  F().FIniFileName = dir / "plain/quillane.ini";
  F().LCheckBox12.Checked = true;
  Close();
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("quillane.ini"), std::string::npos);
  EXPECT_TRUE(F().FFinish);  // the closing card still ran
}

TEST_F(LifecycleTest, BeginEndShowsTheTitleCardAfterStartAndAtClose) {
  WriteFile(dir / "quillane.ini", "[Form\\LCheckBox12]\nChecked=1\n");
  TForm1& f = Start();
  EXPECT_TRUE(f.Timer2.Enabled);
  EXPECT_EQ(f.Timer2.Interval, 500);
  f.Timer2Timer();
  EXPECT_FALSE(f.Timer2.Enabled);
  EXPECT_FALSE(f.FFinish);
  Close();
  EXPECT_TRUE(f.FFinish);
  EXPECT_EQ(f.Editor1.Lines.Count(), 0);
  EXPECT_EQ(f.Editor2.Lines.Count(), 0);
}

TEST_F(LifecycleTest, ShowNameSwitchesTheShortButtonNames) {
  TForm1& f = F();
  const std::pair<TButton*, const char*> named[] = {{&f.Open, "Open"},
                                                    {&f.EffectOut1, "Run along"},
                                                    {&f.Quillane1, "Quil"},
                                                    {&f.Paste1, "Past"},
                                                    {&f.finearts, "plan de arts"},
                                                    {&f.SaveAllThumbInButton, "ati"},
                                                    {&f.helpButton, "help"},
                                                    {&f.Leafgo1, "Go"}};
  for (bool on : {false, true}) {
    on ? f.PNameon() : f.PNameoff();
    for (auto [b, caption] : named) EXPECT_EQ(b->Caption, on ? caption : "") << b->Name;
    EXPECT_EQ(f.LCheckBox4.HintVisible, on);
    EXPECT_EQ(f.LCheckBox12.HintVisible, on);
  }
}

TEST_F(LifecycleTest, BecomingVisibleRecordsTheReadingPosition) {
  Start();
  OpenFile(WriteRows("story.txt", 52));
  F().FPage = 3;
  F().CMShowingChanged(false);
  EXPECT_EQ(F().FPagePermille, 250);
  F().CMShowingChanged(true);
  EXPECT_EQ(F().FPagePermille, 750);
  F().FAllPage = 0;
  F().CMShowingChanged(true);
  EXPECT_EQ(F().FPagePermille, 750);
}

}  // namespace
