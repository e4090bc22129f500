// The help button: the page is found where a build folder or an installed copy
// keeps it and handed to the desktop; otherwise the user is told why nothing
// opened.
#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

struct THelpCase {
  const char* Name;
  const char* PageAt;  // under the copy's root; nullptr: there is no page
  bool DesktopOpens;
  const char* Message;  // "" for none; the page's path follows a non-empty one when there is a page
};

const THelpCase kHelpCases[] = {
    {"build folder", "bin/help/index.htm", true, ""},
    {"installed copy", "share/quillane/help/index.htm", true, ""},
    {"no page", nullptr, true, "Help fileがありません。"},
    {"no browser", "share/quillane/help/index.htm", false, "Help pageを開けませんでした。\n"},
};

}  // namespace

TEST_F(FormTest, HelpOpensTheProgramsOwnPageOrSaysWhyNot) {
  for (const THelpCase& c : kHelpCases) {
    SCOPED_TRACE(c.Name);
    const std::filesystem::path root = dir.Path() / c.Name;
    std::filesystem::create_directories(root / "bin");
    std::string page;
    if (c.PageAt) {
      page = (root / c.PageAt).string();
      std::filesystem::create_directories((root / c.PageAt).parent_path());
      testsupport::WriteFile(page, "<html></html>");
    }
    platform->Messages.clear();
    platform->Documents.clear();
    platform->DocumentsOpen = c.DesktopOpens;
    F().FExecutablePath = (root / "bin" / "quillane").string();

    F().helpButtonClick();

    EXPECT_EQ(platform->Documents,
              page.empty() ? std::vector<std::string>{} : std::vector<std::string>{page});
    const std::string message = *c.Message ? c.Message + page : "";
    EXPECT_EQ(platform->MessageTexts(),
              message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
  }
}
