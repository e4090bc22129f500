// Where the program's folder and its settings file go, and where the help
// page is found: beside the program, else installed; when there is no page, or
// no browser, the user is told why nothing opened.
#include "shell/Paths.h"

#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

TEST(PathsTest, TheExecutableFolderWhenWritableElseTheUsersFolders) {
  // The executable, its folder writable, the data and config homes; then the
  // program folder and the settings file.
  using Case = std::tuple<const char*, bool, const char*, const char*, std::string, std::string>;
  const std::string shared = "/home/me/.local/share/quillane", usr = "/usr/bin/quillane";
  for (const auto& [exe, writable, data, config, programDir, ini] :
       {Case{"/opt/q/quillane.bin", true, "", "", "/opt/q", "/opt/q/quillane.ini"},
        Case{usr.c_str(), false, "", "", shared, "/home/me/.config/quillane/quillane.ini"},
        Case{usr.c_str(), false, "/data", "/conf", "/data/quillane", "/conf/quillane/quillane.ini"},
        // A relative data folder is ignored.
        Case{usr.c_str(), false, "relative/data", "/conf", shared,
             "/conf/quillane/quillane.ini"}}) {
    SCOPED_TRACE(std::string(exe) + " " + data);
    const auto paths = ComputeProgramPaths(exe, {writable, "/home/me", data, config});
    EXPECT_EQ(std::pair(paths.ProgramDir, paths.IniFileName), std::pair(programDir, ini));
  }
  // The real folder is checked for writing.
  testsupport::TempDir dir;
  const auto paths = ComputeProgramPaths(dir / "quillane");
  EXPECT_EQ(std::pair(paths.ProgramDir, paths.IniFileName),
            std::pair(dir.Path().string(), dir / "quillane.ini"));
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
