// Bringing a user text in: the Open dialog, drops, the command line and its
// shortcuts, the clipboard, saving pasted text and the switch back to a file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/shell/FormFixture.h"
#include "text/FileNames.h"

namespace {

using testsupport::ReadFile;
using testsupport::Sjis;
using testsupport::WriteFile;

class TextSourcesTest : public FormTest {};

TEST_F(TextSourcesTest, AnOpenedFileShowsItsFirstPageUnderItsName) {
  Start();
  F().FPage = 2;
  OpenFile(WriteRows("story.txt", 30));
  EXPECT_EQ(platform->DialogOptions.at(0).Filter, "Text(*.txt)|*.txt|All(*.*)|*.*");
  EXPECT_EQ(platform->DialogOptions.at(0).FileName, "*.txt");
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FFileName, dir / "story.txt");
  EXPECT_EQ(F().FTextName, "story");
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().FAllPage, 3);
  EXPECT_EQ(F().Editor1.Lines.Count(), 39);  // padded to whole pages
  EXPECT_EQ(F().Image1.Hint, "story");
  EXPECT_EQ(F().HintLabel1.Caption, "story");
  EXPECT_FALSE(F().PLabel.Transparent);
  EXPECT_FALSE(F().FRedraw);
}

TEST_F(TextSourcesTest, OpenDoesNothingWhenCancelledOrWhileAnEffectRuns) {
  Start();
  const int pages = F().FAllPage;
  F().Open1Click();
  EXPECT_FALSE(F().FFileIn);
  EXPECT_EQ(F().FAllPage, pages);
  EXPECT_TRUE(F().FFileName.empty());
  platform->DialogsShown.clear();
  F().FDifference = true;
  platform->FileAnswers.push_back(WriteRows("a.txt", 5));
  F().Open1Click();
  EXPECT_TRUE(platform->DialogsShown.empty());
  EXPECT_FALSE(F().FFileIn);
}

TEST_F(TextSourcesTest, AFileThatCannotBeReadIsReportedAndNothingElseChanges) {
  Start();
  OpenFile(dir / "missing.txt");
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("missing.txt"), std::string::npos);
  EXPECT_TRUE(F().FTextName.empty());
  EXPECT_TRUE(F().FFileName.empty());
  EXPECT_FALSE(F().FFileIn);
}

TEST_F(TextSourcesTest, ADropOpensTheFirstFileOnly) {
  Start();
  const std::string first = WriteRows("first.txt", 14);
  const std::string second = WriteRows("second.txt", 40);
  F().FDeep = true;  // a drop stops a running effect through the page step
  F().Timer5.Enabled = true;
  F().Dispatch([&] { F().DropDst1FileDrop({first, second}); });
  EXPECT_EQ(F().FFileName, first);
  EXPECT_EQ(F().FAllPage, 2);
  EXPECT_FALSE(F().FDeep);
}

TEST_F(TextSourcesTest, ADropIsIgnoredWhileACommandLineOpenIsPendingOrAJobRuns) {
  Start();
  const std::string file = WriteRows("dropped.txt", 14);
  F().FCmdLineOpen = true;
  F().DropDst1FileDrop({file});
  EXPECT_FALSE(F().FFileIn);
  F().FCmdLineOpen = false;
  F().FBusy = true;
  F().DropDst1FileDrop({file});
  EXPECT_FALSE(F().FFileIn);
  F().FBusy = false;
  F().DropDst1FileDrop({});
  EXPECT_FALSE(F().FFileIn);
  F().DropDst1FileDrop({file});
  EXPECT_TRUE(F().FFileIn);
}

TEST_F(TextSourcesTest, OnlyTheExactHtmlExtensionsAreStrippedAndCharactersAreReplaced) {
  Start();
  const std::string html = "<p>alpha <b>beta</b> gamma</p>\r\n";
  WriteFile(dir / "page.html", html);
  WriteFile(dir / "PAGE.HTM", html);
  WriteFile(dir / "mixed.Html", html);
  for (const char* name : {"page.html", "PAGE.HTM"}) {
    F().DropDst1FileDrop({dir / name});
    EXPECT_EQ(UserText().find('<'), std::string::npos) << name;
    EXPECT_NE(UserText().find("beta"), std::string::npos) << name;
  }
  F().DropDst1FileDrop({dir / "mixed.Html"});
  EXPECT_NE(UserText().find("<b>beta</b>"), std::string::npos);
  EXPECT_EQ(F().FTextName, "mixed.Html");
  // The character replacement runs on opened text.
  WriteFile(dir / "colon.txt", Sjis("題：本") + "\r\n");
  F().DropDst1FileDrop({dir / "colon.txt"});
  EXPECT_EQ(F().Editor1.Lines[0], Sjis("題 : 本"));
}

TEST_F(TextSourcesTest, TheDisplayNameLosesItsTxtEnding) {
  struct Case {
    const char* name;
    const char* shown;
  };
  for (const Case c :
       {Case{"a.txt", "a"}, Case{"a.TXT", "a.TXT"}, Case{"note.txt.htm", "note.txt"},
        Case{"twice.txt.txt", "twice.txt"}, Case{"gap .txt", "gap"}, Case{".txt", ""},
        Case{"plain", "plain"}, Case{"Clipboard", "Clipboard"}, Case{"猫.txt文庫本", "猫.tx"},
        Case{"\x94\x4C.txt\x95\xB6\x8C\xC9", "\x94\x4C.t"}}) {
    F().FTextName = c.name;
    F().FtxtDelete();
    EXPECT_EQ(F().FTextName, c.shown) << c.name;
  }
}

TEST_F(TextSourcesTest, ANameInAnyEncodingOpensAndNamesItsExportedPages) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"\x96\xBC\x91\x4F.txt", "\x96\xBC\x91\x4F", "名前0001.jpg"},  // Shift-JIS
      {"😀猫.txt", "😀猫", "_猫0001.jpg"}};  // no Shift-JIS form; FAT refuses '?'
  Start();
  for (const auto& [file, name, page] : cases) {
    OpenFile(WriteRows(file, 3));
    EXPECT_EQ(F().FTextName, name);
    F().SaveAllButtonClick();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir / "all_page") / name / page));
  }
  OpenFile(dir / "\x96\xBC\x82\xC8\x82\xB5.txt");  // the error box names it readably
  EXPECT_NE(DisplayName(platform->Errors.at(0)).find("ファイル " + (dir / "名なし.txt")),
            std::string::npos);
}

TEST_F(TextSourcesTest, PastedTextBecomesTheClipboardText) {
  Start();
  OpenFile(WriteRows("before.txt", 30));
  F().TriButton1Click();
  platform->Clipboard = Sjis("一行目\r\n二行目\tです");
  F().Paste1Click();
  EXPECT_EQ(F().FTextName, "Clipboard");
  EXPECT_EQ(F().FFileName, dir / "before.txt");
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().HintLabel1.Caption, "Clipboard");
  EXPECT_EQ(F().FPasteList,
            (std::vector<std::string>{Sjis("一行目"), Sjis("二行目\tです")}));  // as pasted
  EXPECT_EQ(F().Editor1.Lines[1], Sjis("二行目　　　　です"));                  // replaced
  EXPECT_EQ(F().FAllPage, 1);
  // A single space or no text on the clipboard pastes nothing.
  OpenFile(WriteRows("kept.txt", 30));
  for (const std::optional<std::string>& clip :
       {std::optional<std::string>(" "), std::optional<std::string>(""),
        std::optional<std::string>()}) {
    platform->Clipboard = clip;
    F().Paste1Click();
    EXPECT_EQ(F().FTextName, "kept");
    EXPECT_EQ(F().FAllPage, 3);
  }
}

TEST_F(TextSourcesTest, SavingPastedTextWritesItAsPastedAndOnlyOnce) {
  Start();
  platform->Clipboard = Sjis("タブ\tあり\r\n二行目");
  F().Paste1Click();
  const std::string saved = dir / "kept paste.txt";
  platform->FileAnswers.push_back(saved);
  F().Dispatch([&] { F().PasteSave1Click(); });
  EXPECT_EQ(platform->DialogOptions.back().DefaultExt, "txt");
  EXPECT_EQ(ReadFile(saved), Sjis("タブ\tあり\r\n二行目\r\n"));
  EXPECT_EQ(F().FFileName, saved);
  EXPECT_EQ(F().FTextName, "kept paste");
  EXPECT_EQ(F().Image1.Hint, "kept paste");
  // Once the page comes from a file, saving the paste does nothing.
  OpenFile(WriteRows("file.txt", 3));
  const std::size_t dialogs = platform->DialogsShown.size();
  platform->FileAnswers.push_back(dir / "never.txt");
  F().PasteSave1Click();
  EXPECT_FALSE(std::filesystem::exists(dir / "never.txt"));
  EXPECT_EQ(platform->DialogsShown.size(), dialogs);
  platform->FileAnswers.clear();
}

TEST_F(TextSourcesTest, FileReloadsTheLastFileWhenNoUserTextIsInMemoryAndItExists) {
  Start();
  const std::string path = WriteRows("again.txt", 20);
  F().FFileName = path;
  F().File1Click();
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FTextName, "again");
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().FAllPage, 2);
  EXPECT_EQ(F().HintLabel1.Caption, "again");
  F().File1Click();  // the user text is already current
  EXPECT_EQ(F().FPage, 1);
  Start();  // and without a file to show it does nothing
  F().FFileName = dir / "gone.txt";
  F().File1Click();
  EXPECT_FALSE(F().FFileIn);
  EXPECT_EQ(F().HintLabel1.Caption, "Quillane");
}

TEST_F(TextSourcesTest, TheCommandLineAcceptsItsExtensionsExactly) {
  struct Case {
    const char* arg;
    bool accepted;
  };
  for (const Case c :
       {Case{"a.txt", true}, Case{"a.TXT", true}, Case{"a.ini", true}, Case{"a.htm", true},
        Case{"a.html", true}, Case{"a.lnk", true}, Case{"a.HTM", false}, Case{"a.HTML", false},
        Case{"a.Txt", false}, Case{"a.text", false}, Case{"noext", false}}) {
    NewForm();
    F().ExamineCommandLine({c.arg, "b.txt"});
    EXPECT_EQ(F().FCmdLineOpen, c.accepted) << c.arg;
    EXPECT_EQ(F().FCmdLineFile, c.accepted ? c.arg : "") << c.arg;
  }
  NewForm();
  F().ExamineCommandLine({});
  EXPECT_FALSE(F().FCmdLineOpen);
}

TEST_F(TextSourcesTest, TheCommandLineFileIsOpenedAtStart) {
  Start({WriteRows("cmd.txt", 27)});
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FTextName, "cmd");
  EXPECT_EQ(F().FAllPage, 3);
  EXPECT_FALSE(F().FCmdLineOpen);
  EXPECT_TRUE(F().FRedraw);  // the first step shows page 1 again
  EXPECT_FALSE(F().FNewText);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
}

TEST_F(TextSourcesTest, AShortcutOnTheCommandLineOpensItsTargetAfterTheExtensionCheck) {
  const std::string target = WriteRows("target.txt", 14);
  std::filesystem::create_symlink("target.txt", dir / "story.lnk");
  Start({dir / "story.lnk"});
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FTextName, "target");
  EXPECT_EQ(F().FAllPage, 2);

  // After resolution the upper-case HTML endings are accepted too.
  WriteFile(dir / "PAGE.HTM", "<p>x</p>\r\n");
  std::filesystem::create_symlink("PAGE.HTM", dir / "page.lnk");
  Start({dir / "page.lnk"});
  EXPECT_EQ(F().FTextName, "PAGE.HTM");
  EXPECT_EQ(UserText().find('<'), std::string::npos);

  WriteFile(dir / "letter.doc", "x\r\n");
  std::filesystem::create_symlink("letter.doc", dir / "letter.lnk");
  Start({dir / "letter.lnk"});
  EXPECT_TRUE(F().FTextName.empty());
  EXPECT_EQ(F().FAllPage, 0);  // neither that file nor any other text
  EXPECT_FALSE(F().FCmdLineOpen);
  EXPECT_TRUE(platform->Errors.empty());

  Start({dir / "PAGE.HTM"});  // named directly, the upper-case ending is refused
  EXPECT_FALSE(F().FFileIn);
  EXPECT_EQ(F().HintLabel1.Caption, "Quillane");  // the built-in text instead
  EXPECT_GT(F().FAllPage, 0);
}

TEST_F(TextSourcesTest, AnUnreadableCommandLineFileLeavesNoTextAndDropsWork) {
  Start({dir / "absent.txt"});
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(F().FCmdLineOpen);
  EXPECT_EQ(F().FAllPage, 0);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
  F().DropDst1FileDrop({WriteRows("later.txt", 3)});
  EXPECT_EQ(F().FTextName, "later");
  EXPECT_EQ(F().FAllPage, 1);
}

}  // namespace
