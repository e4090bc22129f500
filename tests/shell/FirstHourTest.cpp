// A new user's first hour: output folders, the book's place, every book's
// place, a page by its number or by the wheel.
#include <filesystem>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;

// The last text's name, whether it is current, and its page, as stored.
std::string Stored(const std::string& ini) {
  const TIniFile f(ini);
  return f.ReadString("Form\\FFileName", "String", "") + " " +
         f.ReadString("Form1\\FFileIn", "Boolean", "") + " " +
         f.ReadString("Form\\FPage", "Integer", "");
}

TEST_F(FormTest, OutputsGoIntoFoldersMadeOnTheFirstRun) {
  Start();
  OpenFile(WriteRows("story.txt", 30));     // three pages
  F().FProgramDir = dir / "data/quillane";  // neither it nor its parent is there
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  const std::string cli = testsupport::CliPath() + " export --home " + (dir / "new/home");
  EXPECT_EQ(testsupport::RunCommand(cli + " " + (dir / "story.txt")), 0);
  for (const char* home : {"data/quillane", "new/home"})
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() / home / "all_page/story"), {}), 3)
        << home;
}

TEST_F(FormTest, TheBookAndItsPlaceSurviveARestartFromAnotherFolderOrAMissingFile) {
  const std::string ini = dir / "quillane.ini", story = WriteRows("story.txt", 60);
  const fs::path before = fs::current_path();
  fs::current_path(dir.Path());
  Start({"story.txt"});  // as typed in its folder
  fs::current_path(before);
  F().TriButton1Click(), F().TriButton1Click();
  Close();
  Start();  // before F(): the arguments of a call may be evaluated in any order
  EXPECT_EQ(std::tuple(F().FTextName, F().FPage), std::tuple("story", 2));
  // Moved away: the start says so, and the settings keep its name and page,
  // however the built-in text is read meanwhile, until another text is opened.
  fs::rename(story, dir / "moved.txt");
  for (int restart = 0; restart < 2; ++restart) {
    EXPECT_EQ(Start().HintLabel1.Caption, "story.txt が見つかりません");
    F().TriButton1Click(), F().TriButton1Click();
    Close();
    EXPECT_TRUE(platform->Errors.empty());
    EXPECT_EQ(Stored(ini), story + " 1 2");
  }
  Start();
  OpenFile(dir / "moved.txt");
  Close();
  EXPECT_EQ(Stored(ini), dir / "moved.txt 1 1");
}

TEST_F(FormTest, EveryBookOpensWhereItWasLeftAndTheListSurvivesARestart) {
  const std::string books = dir / "quillane.books";
  const std::string a = WriteRows("a.txt", 60), b = WriteRows("b.txt", 60);
  using Listed = std::vector<std::pair<std::string, int>>;
  const auto restart = [&] {
    Start().FBooksFileName = books;
    F().ReadBooks();
    Listed listed;
    for (const TBookPlace& book : F().RecentBooks()) listed.emplace_back(book.Path, book.Page);
    return listed;
  };
  restart();
  OpenFile(a);
  F().TriButton1Click(), F().TriButton1Click();  // a at 3
  OpenFile(b);
  F().TriButton1Click();  // b, new, at 2
  OpenFile(a);
  EXPECT_EQ(F().FPage, 3);
  F().TriButton1Click();  // a at 4
  platform->Clipboard = "pasted";
  F().Paste1Click();  // a is left for a pasted text...
  F().OpenBookClick(a);
  EXPECT_EQ(F().FPage, 4);
  F().Quillane1Click();  // ... and for the built-in text
  F().OpenBookClick(b);
  EXPECT_EQ(std::pair(F().FTextName, F().FPage), std::pair(std::string("b"), 2));
  Close();
  EXPECT_EQ(restart(), (Listed{{b, 2}, {a, 4}}));
  // A damaged file loses its damaged lines only; one too large to read, all.
  testsupport::WriteFile(books, "#\n4\t" + a + "\r\nx\t/p\n0\t/p\n7\trelative\nno tab\n9\t" + a +
                                    "\n\x01\xff\n5\t" + b + "\n");
  EXPECT_EQ(restart(), (Listed{{a, 4}, {b, 5}}));
  testsupport::WriteFile(books, std::string(2 << 20, '\n'));
  EXPECT_EQ(restart(), Listed{});
}

TEST_F(FormTest, APageByItsNumberTheWheelAndTheKeysThatTellAnOption) {
  Start();
  OpenFile(WriteRows("story.txt", 60));  // five pages
  for (const auto& [answer, page] :
       {std::pair<std::optional<int>, int>{4, 4}, {std::nullopt, 4}, {99, 5}}) {
    platform->PageAnswers = {answer};
    F().FormKeyPress('n');
    EXPECT_EQ(std::tuple(F().FPage, F().Label1.Caption, F().ExtTrackBar1.Position()),
              std::tuple(page, std::to_string(page), page));
  }
  for (const auto& [steps, busy, page] : {std::tuple(1, true, 5), {2, false, 2}, {-1, false, 1}}) {
    F().FBusy = busy;
    F().Image1MouseWheel(steps);
    EXPECT_EQ(F().FPage, page) << steps;
  }
  // "z" and "v" redraw the page, which names the text; their state follows.
  F().FormKeyPress('z');
  EXPECT_EQ(F().HintLabel1.Caption, "Tenderly on");
  F().FormKeyPress('v');
  EXPECT_EQ(F().HintLabel1.Caption, "Horizontal");
}

}  // namespace
