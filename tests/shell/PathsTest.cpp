// Where the program's folder and its settings file go, and where the help
// page is found: beside the program, else installed; when there is no page, or
// no browser, the user is told why nothing opened.
#include "shell/Paths.h"

#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

TEST(PathsTest, ABuildFolderCopyKeepsItsOwnFolderEveryOtherCopyTheUsersFolders) {
  using D = TDataPlace;
  const std::string me = "/home/me/", usr = "/usr/bin/quillane";
  const TProgramPaths build = {"/opt/q", "/opt/q/quillane.ini", "/opt/q/quillane.books"},
                      xdg = {me + ".local/share/quillane", me + ".config/quillane/quillane.ini",
                             me + ".local/state/quillane/quillane.books"};
  const auto env = [](D data, bool writable, const char* xdg = "") {
    const std::string root = xdg;
    return TPathEnvironment{data,
                            writable,
                            "/home/me",
                            root + (*xdg ? "data" : ""),
                            root + (*xdg ? "conf" : ""),
                            root + (*xdg ? "state" : "")};
  };
  const struct {
    const char* Name;
    std::string Exe;
    TPathEnvironment Env;
    TProgramPaths Paths;
  } cases[] = {
      {"build folder", "/opt/q/quillane", env(D::BesideExecutable, true), build},
      {"build folder, read-only", "/opt/q/quillane", env(D::BesideExecutable, false), xdg},
      // Root may write into /usr/bin; an installed copy still keeps out of it.
      {"installed, writable", usr, env(D::Installed, true), xdg},
      {"installed", usr, env(D::Installed, false), xdg},
      {"no data", "/opt/q/quillane", env(D::Nowhere, true), xdg},
      {"XDG folders",
       usr,
       env(D::Installed, false, "/x/"),
       {"/x/data/quillane", "/x/conf/quillane/quillane.ini", "/x/state/quillane/quillane.books"}},
      {"relative XDG folders are ignored", usr, env(D::Installed, false, "x/"), xdg},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TProgramPaths paths = ComputeProgramPaths(c.Exe, c.Env);
    EXPECT_EQ(std::tuple(paths.ProgramDir, paths.IniFileName, paths.BooksFileName),
              std::tuple(c.Paths.ProgramDir, c.Paths.IniFileName, c.Paths.BooksFileName));
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
