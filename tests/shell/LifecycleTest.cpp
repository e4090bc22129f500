// Start-up, closing and restarting: the right text comes back at the right page.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
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

TEST_F(LifecycleTest, ARestartReopensTheUserTextAtItsPageThatShowingRecords) {
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
  // Becoming visible records the reading position; hidden, or without pages, it is kept.
  f.FPage = 4;
  f.CMShowingChanged(false);
  f.FAllPage = 0;
  f.CMShowingChanged(true);
  EXPECT_EQ(f.FPagePermille, 600);
  f.FAllPage = 5;
  f.CMShowingChanged(true);
  EXPECT_EQ(f.FPagePermille, 800);
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
  ASSERT_EQ(::mkfifo((dir / "fifo.lnk").c_str(), 0600), 0);  // a shortcut that never ends
  EXPECT_TRUE(!Start({dir / "fifo.lnk"}).FFileIn && platform->Errors.empty());
  ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);  // a reader would wait for good
  StoreLastFile(dir / "fifo.txt");
  TForm1& f = Start();
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_TRUE(!f.FFileIn && f.FPage == 1 && f.FAllPage > 0);

  WriteFile(dir / "page.htm", "<p>kept words</p>\r\n");
  StoreLastFile(dir / "page.htm");  // stripped of its markup again
  EXPECT_TRUE(Start().FFileIn);
  EXPECT_EQ(F().Editor1.Lines[0], "kept words");

  StoreLastFile(WriteRows("story.txt", 60), "50");  // the text has 5 pages
  Start();
  EXPECT_EQ(std::tuple(F().FPage, F().FAllPage), std::tuple(5, 5));
  F().TriButton1Click();
  EXPECT_EQ(std::tuple(F().FPage, F().Label1.Caption), std::tuple(5, "5"));

  StoreLastFile(dir / "story.txt", "3000000");  // page x 1000 is past INT_MAX
  Start().BigFontCheckBox.Checked = true;       // re-laid at the same reading position
  F().BigFontCheckBoxClick();
  EXPECT_EQ(F().FPage, F().FAllPage);
}

// A settings file that cannot be read starts the window fully set up with the
// defaults, and says why; at close a file too large is replaced, anything but
// a regular file is refused in words and left as it was.
TEST_F(LifecycleTest, ASettingsFileThatCannotBeReadStartsWithTheDefaults) {
  namespace fs = std::filesystem;
  const std::string ini = dir / "quillane.ini";
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"a folder", [&] { fs::create_directories(ini); }},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0); }},
      {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", ini); }},
      {"64 MB",
       [&] { WriteFile(ini, "[Form\\GColor]\nInteger=0\n"), fs::resize_file(ini, 64 << 20); }},
  };
  for (const auto& [name, make] : cases) {
    SCOPED_TRACE(name);
    fs::remove_all(ini);
    make();
    const auto kind = fs::symlink_status(ini).type();
    TForm1& f = NewForm();
    ASSERT_EQ(platform->Errors.size(), 1u);
    EXPECT_NE(platform->Errors[0].find("設定は既定の値で始めます"), std::string::npos);
    EXPECT_EQ(std::tuple(f.GColor, f.FoColor, f.Open.Caption), std::tuple(16777215, 0, "Open"));
    f.LCheckBox12.Checked = true;
    Close();
    if (kind == fs::file_type::regular) {
      EXPECT_EQ(platform->Errors.size(), 1u);
      EXPECT_EQ(TIniFile(ini).Value("Form\\LCheckBox12", "Checked"), "1");
    } else {
      ASSERT_EQ(platform->Errors.size(), 2u);
      EXPECT_NE(platform->Errors[1].find("通常のファイルではありません"), std::string::npos);
      EXPECT_EQ(fs::symlink_status(ini).type(), kind);
    }
  }
  // Neither a folder that cannot be made nor a link planted at the name the
  // temporary once had stops the closing card or leads the write astray.
  fs::remove_all(ini);
  WriteFile(dir / "victim", "kept");
  fs::create_symlink(dir / "victim", ini + ".tmp");
  Start().LCheckBox12.Checked = true;
  Close();
  EXPECT_EQ(std::tuple(platform->Errors.size(), ReadFile(dir / "victim")), std::tuple(0u, "kept"));
  WriteFile(dir / "plain", "x");
  Start().FIniFileName = dir / "plain/quillane.ini";
  Close();
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("quillane.ini"), std::string::npos);
  EXPECT_TRUE(F().FFinish);  // the closing card still ran
}

}  // namespace
