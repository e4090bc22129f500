// Start-up, closing and restarting: the right text comes back at the right page.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

class LifecycleTest : public FormTest {
 protected:
  std::optional<std::string> Stored(const char* section, const char* key) {
    return TIniFile(dir / "quillane.ini").Value(section, key);
  }
};

TEST_F(LifecycleTest, ARestartReopensTheUserTextAtItsPage) {
  Start();
  OpenFile(WriteRows("story.txt", 60));
  F().TriButton1Click();
  F().TriButton1Click();
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

TEST_F(LifecycleTest, ARestartShowsTheBuiltInTextAtItsPage) {
  Start();
  F().TriButton1Click();
  F().TriButton1Click();
  ASSERT_EQ(F().FPage, 2);
  Close();
  TForm1& f = Start();
  EXPECT_FALSE(f.FFileIn);
  EXPECT_EQ(f.FQuiPage, 2);
  f.TriButton1Click();
  EXPECT_EQ(f.FPage, 2);
  EXPECT_EQ(f.HintLabel1.Caption, "Quillane");
}

TEST_F(LifecycleTest, TheBuiltInTextKeepsItsPageAfterAUserTextWasShown) {
  Start();
  OpenFile(WriteRows("story.txt", 60));
  F().Quillane1Click();
  F().TriButton1Click();
  F().TriButton1Click();
  ASSERT_EQ(F().FPage, 3);
  Close();
  EXPECT_EQ(Stored("Form1\\FFileIn", "Boolean"), "0");
  TForm1& f = Start();
  EXPECT_FALSE(f.FFileIn);
  f.TriButton1Click();
  EXPECT_EQ(f.FPage, 3);
  f.File1Click();  // the last file is still known
  EXPECT_EQ(f.FTextName, "story");
}

TEST_F(LifecycleTest, APastedTextIsNotReopened) {
  Start();
  OpenFile(WriteRows("story.txt", 60));
  platform->Clipboard = "one\r\ntwo";
  F().Paste1Click();
  Close();
  EXPECT_EQ(Stored("Form1\\FFileIn", "Boolean"), "0");
  EXPECT_EQ(Stored("Form\\FPage", "Integer"), "1");
  TForm1& f = Start();
  EXPECT_FALSE(f.FFileIn);
  EXPECT_EQ(f.FPage, 1);
  EXPECT_EQ(f.HintLabel1.Caption, "Quillane");
}

TEST_F(LifecycleTest, AMissingLastFileFallsBackToTheBuiltInTextAtPageOne) {
  Start();
  OpenFile(WriteRows("story.txt", 60));
  F().TriButton1Click();
  Close();
  std::filesystem::remove(dir / "story.txt");
  TForm1& f = Start();
  EXPECT_FALSE(f.FFileIn);
  EXPECT_EQ(f.FPage, 1);
  EXPECT_TRUE(f.PLabel.Transparent);
  EXPECT_TRUE(platform->Errors.empty());
}

TEST_F(LifecycleTest, AnUnreadableLastFileIsReportedAndTheBuiltInTextShown) {
  std::filesystem::create_directories(dir.Path() / "folder.txt");
  WriteFile(dir / "quillane.ini", "[Form\\FFileName]\nString=" + (dir / "folder.txt") +
                                      "\n[Form1\\FFileIn]\nBoolean=1\n[Form\\FPage]\nInteger=4\n");
  TForm1& f = Start();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(f.FFileIn);
  EXPECT_EQ(f.FPage, 1);
  EXPECT_GT(f.FAllPage, 0);
}

TEST_F(LifecycleTest, AnHtmlLastFileIsStrippedAgain) {
  WriteFile(dir / "page.htm", "<p>kept words</p>\r\n");
  WriteFile(dir / "quillane.ini",
            "[Form\\FFileName]\nString=" + (dir / "page.htm") + "\n[Form1\\FFileIn]\nBoolean=1\n");
  TForm1& f = Start();
  EXPECT_TRUE(f.FFileIn);
  EXPECT_EQ(f.Editor1.Lines[0].find('<'), std::string::npos);
  EXPECT_NE(f.Editor1.Lines[0].find("kept words"), std::string::npos);
}

TEST_F(LifecycleTest, ASettingsFileThatCannotBeWrittenStillLetsTheWindowClose) {
  WriteFile(dir / "plain", "x");
  Start();
  F().FIniFileName = dir / "plain/quillane.ini";
  F().LCheckBox12.Checked = true;
  Close();
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("quillane.ini"), std::string::npos);
  EXPECT_TRUE(F().FFinish);  // the closing card still ran
}

TEST_F(LifecycleTest, AnUnreadableSettingsFileGivesTheDefaults) {
  std::filesystem::create_directories(dir.Path() / "quillane.ini");
  TForm1& f = NewForm();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_EQ(f.GColor, 16777215);
  EXPECT_TRUE(f.LCheckBox13.Checked);
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
  TForm1& f = NewForm();
  f.PNameoff();
  for (TButton* b : {&f.Open, &f.Effect1, &f.EffectOut1, &f.Quillane1, &f.finearts, &f.helpButton,
                     &f.Leafgo1, &f.SaveAllThumbInButton})
    EXPECT_EQ(b->Caption, "") << b->Name;
  EXPECT_FALSE(f.LCheckBox4.HintVisible);
  EXPECT_FALSE(f.LCheckBox12.HintVisible);
  f.PNameon();
  EXPECT_EQ(f.Open.Caption, "Open");
  EXPECT_EQ(f.EffectOut1.Caption, "Run along");
  EXPECT_EQ(f.Quillane1.Caption, "Quil");
  EXPECT_EQ(f.Paste1.Caption, "Past");
  EXPECT_EQ(f.finearts.Caption, "plan de arts");
  EXPECT_EQ(f.Leafgo1.Caption, "Go");
  EXPECT_EQ(f.SaveAllThumbInButton.Caption, "ati");
  EXPECT_EQ(f.helpButton.Caption, "help");
  EXPECT_TRUE(f.LCheckBox4.HintVisible);
  EXPECT_TRUE(f.LCheckBox12.HintVisible);

  WriteFile(dir / "quillane.ini", "[Form\\LCheckBox13]\nChecked=0\n");
  EXPECT_EQ(NewForm().Open.Caption, "");
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

TEST_F(LifecycleTest, DestroyingTheWindowReleasesThePastedText) {
  Start();
  platform->Clipboard = "pasted";
  F().Paste1Click();
  ASSERT_FALSE(F().FPasteList.empty());
  F().FormDestroy();
  EXPECT_TRUE(F().FPasteList.empty());
}

}  // namespace
