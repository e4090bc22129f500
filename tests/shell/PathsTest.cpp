// Where the program's folder and its settings file go, and where the help
// page is found: beside the program, else installed; when there is no page, or
// no browser, the user is told why nothing opened.
#include "shell/Paths.h"

#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

TEST(PathsTest, ABuildFolderCopyKeepsItsOwnFolderEveryOtherCopyTheUsersFolders) {
  using D = TDataPlace;
  const std::string opt = "/opt/q/quillane", usr = "/usr/bin/quillane";
  // The program folder, then the settings and the books file: the build's own,
  // the default user folders, and those of XDG variables under /x.
  const std::string own = "/opt/q /opt/q/quillane.ini /opt/q/quillane.books",
                    home =
                        "/h/.local/share/quillane /h/.config/quillane/quillane.ini "
                        "/h/.local/state/quillane/quillane.books",
                    x = "/x/d/quillane /x/c/quillane/quillane.ini /x/s/quillane/quillane.books";
  const std::tuple<const char*, std::string, TPathEnvironment, std::string> cases[] = {
      {"build folder", opt, {D::BesideExecutable, true, "/h", "", "", ""}, own},
      {"build folder, read-only", opt, {D::BesideExecutable, false, "/h", "", "", ""}, home},
      // Root may write into /usr/bin; an installed copy still keeps out of it.
      {"installed, writable", usr, {D::Installed, true, "/h", "", "", ""}, home},
      {"no data", opt, {D::Nowhere, true, "/h", "", "", ""}, home},
      {"XDG folders", usr, {D::Installed, false, "/h", "/x/d", "/x/c", "/x/s"}, x},
      {"relative XDG folders", usr, {D::Installed, false, "/h", "d", "c", "s"}, home},
  };
  for (const auto& [name, exe, env, expected] : cases) {
    const TProgramPaths p = ComputeProgramPaths(exe, env);
    EXPECT_EQ(p.ProgramDir + " " + p.IniFileName + " " + p.BooksFileName, expected) << name;
  }
  // The real folders: a copy with its help page beside it is a build copy;
  // one whose data is in ../share/quillane is installed, wherever it lies.
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "build/help/index.htm", "<html></html>");
  EXPECT_EQ(ComputeProgramPaths(dir / "build/quillane").IniFileName, dir / "build/quillane.ini");
  testsupport::WriteFile(dir / "usr/share/quillane/help/index.htm", "<html></html>");
  std::filesystem::create_directories(dir.Path() / "usr/bin");
  EXPECT_NE(ComputeProgramPaths(dir / "usr/bin/quillane").ProgramDir, dir / "usr/bin");
  EXPECT_FALSE(CurrentExecutablePath().empty());
}

TEST_F(FormTest, HelpOpensTheProgramsPageOrSaysWhyNot) {
  using Texts = std::vector<std::string>;
  const std::string installed = "share/quillane/help/index.htm", built = "bin/help/index.htm";
  const struct {
    const char* Name;
    Texts Pages;  // written under the program's root; the first is the one opened
    bool DesktopOpens;
    const char* Message;  // "" for none; followed by the page's path when there is a page
  } cases[] = {{"installed copy", {installed}, true, ""},
               {"built copy first", {built, installed}, true, ""},
               {"no page", {}, true, "Help fileがありません。"},
               {"no browser", {installed}, false, "Help pageを開けませんでした。\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::filesystem::path root = dir.Path() / c.Name;
    std::filesystem::create_directories(root / "bin");  // the program's folder exists
    for (const std::string& page : c.Pages) testsupport::WriteFile(root / page, "<html></html>");
    const std::string page = c.Pages.empty() ? "" : (root / c.Pages[0]).string();
    platform->Messages.clear(), platform->Documents.clear();
    platform->DocumentsOpen = c.DesktopOpens;
    F().FExecutablePath = (root / "bin/quillane").string();
    F().helpButtonClick();
    EXPECT_EQ(platform->Documents, page.empty() ? Texts{} : Texts{page});
    EXPECT_EQ(platform->MessageTexts(), *c.Message ? Texts{c.Message + page} : Texts{});
  }
}

}  // namespace
