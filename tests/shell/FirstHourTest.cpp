// What a new user meets in the first hour: outputs go into folders made as
// they are needed, the book and its place survive a restart from anywhere,
// every book opens where it was left, and a page is reached by its number or
// by the wheel.
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
  std::error_code ec;
  return std::distance(fs::directory_iterator(folder, ec), {});
}

std::string Stored(const std::string& ini, const char* section, const char* key) {
  return TIniFile(ini).Value(section, key).value_or("(none)");
}

TEST_F(FormTest, OutputsGoIntoFoldersMadeAsTheyAreNeededOrSayWhyNot) {
  Start();
  OpenFile(WriteRows("story.txt", 30));  // three pages
  testsupport::WriteFile(dir / "file", "x");
  const std::string cli = testsupport::CliPath() + " export --home ";
  const struct {
    const char* Name;
    std::string Home;    // the program's folder, or --home
    bool CommandLine;    // quillane-cli rather than the window's "ajs"
    const char* Reason;  // "" when the three pages are written
  } cases[] = {
      {"first run of the window", dir / "data/quillane", false, ""},
      {"first run of the command line", dir / "new/home", true, ""},
      {"window, under a file", dir / "file/quillane", false, "file/quillane を作成できません\n"},
      {"command line, under a file", dir / "file/home", true, "file/home を作成できません "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    platform->Errors.clear();
    std::string said;
    if (c.CommandLine) {
      const int status = testsupport::RunCommand(
          cli + "'" + c.Home + "' '" + (dir / "story.txt") + "' 2>&1", &said);
      EXPECT_EQ(status != 0, *c.Reason != '\0') << said;
    } else {
      F().FProgramDir = c.Home;
      F().Dispatch([&] { F().SaveAllButtonClick(); });
      if (!platform->Errors.empty()) said = platform->Errors[0];
    }
    if (*c.Reason) {
      EXPECT_NE(said.find(std::string(c.Reason) + "Not a directory"), std::string::npos) << said;
    } else {
      EXPECT_EQ(FilesIn(fs::path(c.Home) / "all_page/story"), 3u) << said;
    }
    EXPECT_FALSE(F().FBusy);
  }
}

TEST_F(FormTest, TheBookAndItsPlaceSurviveARestartFromAnotherFolderOrAMissingFile) {
  const std::string ini = dir / "quillane.ini", story = WriteRows("story.txt", 60);
  const fs::path before = fs::current_path();
  fs::current_path(dir.Path());
  Start({"story.txt"});  // as typed in its folder
  fs::current_path(before);
  F().TriButton1Click(), F().TriButton1Click();
  Close();
  EXPECT_EQ(Stored(ini, "Form\\FFileName", "String"), story);
  EXPECT_EQ(std::tuple(Start().FTextName, F().FPage), std::tuple("story", 2));
  Close();  // the settings file is written again over the one read at the start

  // Moved away: the start says so, and the settings keep its name and page
  // however the built-in text is read meanwhile...
  fs::rename(story, dir / "moved.txt");
  for (int restart = 0; restart < 2; ++restart) {
    Start();
    EXPECT_EQ(std::tuple(F().FFileIn, F().HintLabel1.Caption),
              std::tuple(false, "story.txt が見つかりません"));
    F().TriButton1Click(), F().TriButton1Click();
    Close();
    EXPECT_TRUE(platform->Errors.empty());
    EXPECT_EQ(
        std::tuple(Stored(ini, "Form\\FFileName", "String"),
                   Stored(ini, "Form1\\FFileIn", "Boolean"), Stored(ini, "Form\\FPage", "Integer")),
        std::tuple(story, "1", "2"));
  }
  // ... until another text is opened.
  Start();
  OpenFile(dir / "moved.txt");
  Close();
  EXPECT_EQ(Stored(ini, "Form\\FFileName", "String"), dir / "moved.txt");
}

TEST_F(FormTest, EveryBookOpensWhereItWasLeftAndTheListSurvivesARestart) {
  const std::string books = dir / "quillane.books";
  const auto start = [&] {
    Start().FBooksFileName = books;
    F().ReadBooks();
  };
  const std::string a = WriteRows("a.txt", 60), b = WriteRows("b.txt", 60);
  const auto page = [&] { return std::pair(F().FTextName, F().FPage); };
  start();
  OpenFile(a);
  F().TriButton1Click(), F().TriButton1Click();  // a at 3
  OpenFile(b);
  EXPECT_EQ(page(), std::pair(std::string("b"), 1));  // not read before
  F().TriButton1Click();                              // b at 2
  OpenFile(a);
  EXPECT_EQ(page(), std::pair(std::string("a"), 3));
  F().Quillane1Click();  // a waits behind the built-in text at 3
  F().OpenBookClick(b);
  EXPECT_EQ(page(), std::pair(std::string("b"), 2));
  Close();
  start();
  std::vector<std::pair<std::string, int>> listed;
  for (const TBookPlace& book : F().RecentBooks()) listed.emplace_back(book.Path, book.Page);
  EXPECT_EQ(listed, (decltype(listed){{b, 2}, {a, 3}}));

  // A damaged file loses its damaged lines only; one that cannot be read at
  // all starts an empty list.
  using Listed = decltype(listed);
  const struct {
    const char* Name;
    std::function<void()> Make;
    Listed Expected;
  } damaged[] = {
      {"damaged lines",
       [&] {
         testsupport::WriteFile(books, "# comment\n4\t" + a + "\r\nx\t/no/page\n0\t/page/zero\n" +
                                           "7\trelative.txt\nno tab\n9\t" + a + "\n\x01\xff\n5\t" +
                                           b + "\n");
       },
       {{a, 4}, {b, 5}}},
      {"a FIFO", [&] { fs::remove(books), ::mkfifo(books.c_str(), 0600); }, {}},
      {"2 MB",
       [&] { fs::remove(books), testsupport::WriteFile(books, std::string(2 << 20, '\n')); },
       {}},
  };
  for (const auto& c : damaged) {
    SCOPED_TRACE(c.Name);
    c.Make();
    start();
    listed.clear();
    for (const TBookPlace& book : F().RecentBooks()) listed.emplace_back(book.Path, book.Page);
    EXPECT_EQ(listed, c.Expected);
  }
}

TEST_F(FormTest, APageByItsNumberTheWheelAndTheKeysThatTellAnOption) {
  Start();
  OpenFile(WriteRows("story.txt", 60));  // five pages
  platform->DialogsShown.clear();
  const auto shown = [&] {
    return std::tuple(F().FPage, F().Label1.Caption, F().ExtTrackBar1.Position());
  };
  for (const auto& [answer, page] :
       {std::pair<std::optional<int>, int>{4, 4}, {std::nullopt, 4}, {99, 5}}) {
    platform->PageAnswers = {answer};
    F().FormKeyPress('n');
    EXPECT_EQ(shown(), std::tuple(page, std::to_string(page), page));
  }
  EXPECT_EQ(platform->DialogsShown, std::vector<std::string>(3, "page"));
  for (const auto& [steps, page] : {std::pair(2, 2), {-1, 1}, {-1, 5}}) {
    F().Image1MouseWheel(steps);
    EXPECT_EQ(F().FPage, page) << steps;
  }
  F().FBusy = true;
  F().Image1MouseWheel(1);
  EXPECT_EQ(F().FPage, 5);
  F().FBusy = false;
  // The redraw of "z" and "v" names the text; the option's state follows it.
  F().FormKeyPress('z');
  EXPECT_EQ(F().HintLabel1.Caption, "Tenderly on");
  F().FormKeyPress('v');
  EXPECT_EQ(F().HintLabel1.Caption, "Horizontal");
}

}  // namespace
