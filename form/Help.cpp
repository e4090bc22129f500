// The help button: the help page is one of the program's data files, found
// beside the executable or in the installed share folder, and shown by the
// desktop's browser.
#include "form/Unit1.h"
#include "shell/Paths.h"

namespace {

constexpr const char* kHelpPage = "help/index.htm";

}  // namespace

void TForm1::helpButtonClick() {
  const std::string exe = FExecutablePath.empty() ? CurrentExecutablePath() : FExecutablePath;
  const std::string page = FindDataFile(exe, kHelpPage);
  if (page.empty()) {
    P.ShowMessage("Help fileがありません。");
    return;
  }
  // Without a browser the click would otherwise do nothing at all; name the
  // page so that the reader can open it by hand.
  if (!P.OpenDocument(page)) P.ShowMessage("Help pageを開けませんでした。\n" + page);
}
