// The help button: an installed copy's page is handed to the desktop; when
// there is no page, or no browser, the user is told why nothing opened.
#include <filesystem>

#include "tests/shell/FormFixture.h"

TEST_F(FormTest, HelpOpensTheInstalledPageOrSaysWhyNot) {
  const struct {
    const char* Name;
    bool PageThere, DesktopOpens;
    const char* Message;  // "" for none; followed by the page's path when there is a page
  } cases[] = {{"installed copy", true, true, ""},
               {"no page", false, true, "Help fileがありません。"},
               {"no browser", true, false, "Help pageを開けませんでした。\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::filesystem::path root = dir.Path() / c.Name;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/quillane/help");
    const std::string page = c.PageThere ? (root / "share/quillane/help/index.htm").string() : "";
    if (c.PageThere) testsupport::WriteFile(page, "<html></html>");
    platform->Messages.clear();
    platform->DocumentsOpen = c.DesktopOpens;
    F().FExecutablePath = (root / "bin/quillane").string();
    F().helpButtonClick();
    using Texts = std::vector<std::string>;
    EXPECT_EQ(platform->Documents, c.PageThere ? Texts{page} : Texts{});
    EXPECT_EQ(platform->MessageTexts(), *c.Message ? Texts{c.Message + page} : Texts{});
    platform->Documents.clear();
  }
}
