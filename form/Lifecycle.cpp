// The main window's life: creation (initial state and the settings file), the
// first showing (the first text), closing (the settings file written back) and
// destruction; and the short button names of "Show Name".
#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "QuillaneVersion.h"
#include "base/Errors.h"
#include "form/ControlTable.h"
#include "form/Unit1.h"
#include "text/FileNames.h"

namespace {

constexpr const char* kMsgMissingBook = " が見つかりません";

// Reopens the file that was current at the last close; when there is none to
// reopen, FFileIn is cleared and the built-in text is shown instead.
void ReopenLastFile(TForm1& f) {
  if (f.FFileName == "Clipboard" || f.FFileName.empty() || f.FFileName == "Quillane") {
    f.FFileIn = false;
    f.FFilePage = 0;
    f.PLabel.Transparent = true;
    return;
  }
  std::error_code ec;
  if (!std::filesystem::exists(f.FFileName, ec)) {
    // A book on a drive not yet mounted, or moved away: its name and page stay
    // for the settings, and the start says why the built-in text shows.
    f.FMissingPage = f.FPage;
    f.FFileIn = false;
    f.FPage = 1;
    f.FFilePage = 0;
    f.FQuiPage = 0;
    f.PLabel.Transparent = true;
    return;
  }
  // Only a regular file reads to an end: a FIFO would block every later start,
  // a device may never end. The start reports it and shows the built-in text.
  f.PLayOutTextFile(f.FFileName, /*keepPage=*/true);
  f.Image1.Hint = f.FTextName;
  f.PLabel.Transparent = false;
}

void ShowBuiltinText(TForm1& f) {
  f.LoadBuiltinText();
  f.FQuiEcri();
  f.ExtTrackBar1.SetPosition(f.FPage);
  f.Label1.Caption = std::to_string(f.FPage);
  f.FRedraw = true;
  f.Image1.Hint = "Quillane";
  f.HintLabel1.Caption = "Quillane";
  f.FFilePage = 0;
  f.FQuiPage = f.FPage;
  f.FQuiReady = true;
  f.PLabel.Transparent = true;
}

}  // namespace

// Every field starts at the value its declaration gives it (form/Unit1.h), the
// controls' texts come from the control table, and the settings file overrides
// what it stores; what is left is what follows from them.
void TForm1::FormCreate() {
  ApplyControlTable(*this);
  HintLabel1.Hint = kQuillaneVersionLine;  // as AppHint keeps it
  ReadSettings();
  ReadBooks();

  FLabel.Color = FoColor;
  GLabel.Color = GColor;
  Leafgo1.Hint = std::to_string(FLeaf) + " page";
  Image1.Picture.Fill(GColor);
  if (Tenderly()) PNoise1(Image1);
  FBColor = false;  // a stored fade does not outlast the start

  if (FFileIn) {
    FFilePage = FPage;
  } else {
    FQuiPage = FPage;
  }
  if (ShowName()) {
    PNameon();
  } else {
    PNameoff();
  }
  LCheckBox14Click();  // timer speeds and the status text for the restored "Slow"
  Randomize();
  Deep.Next = Random(16600000);  // where Deep's colour walk begins
  CheckTurnMoreBig();
}

void TForm1::FormShow() {
  // A text that cannot be read is reported once the window has finished its
  // start-up; otherwise a failed start would leave drops ignored for good.
  std::exception_ptr failure;
  if (FCmdLineOpen) {
    try {
      MyTextFileOpen(Editor1);
    } catch (...) {
      failure = std::current_exception();
    }
    Image1.Picture.Fill(GColor);
  } else {
    if (FFileIn) {
      try {
        ReopenLastFile(*this);
      } catch (...) {
        failure = std::current_exception();
        FMissingPage = FPage;
        FFileIn = false;
        FPage = 1;
        FFilePage = 0;
        FQuiPage = 0;
        PLabel.Transparent = true;
      }
    }
    if (!FFileIn) ShowBuiltinText(*this);
    if (FMissingPage && !failure) HintLabel1.Caption = ExtractFileName(FFileName) + kMsgMissingBook;
  }
  FCmdLineOpen = false;
  if (BeginEnd()) Timer2.Enabled = true;
  if (failure) std::rethrow_exception(failure);
}

void TForm1::CMShowingChanged(bool visible) {
  FShowing = visible;
  if (visible && FAllPage > 0) FPagePermille = PagePermille(FPage, FAllPage);
}

void TForm1::FormCloseQuery() {
  Editor1.Lines.Clear();
  Editor2.Lines.Clear();
  // A pasted text is not reopened at the next start. While the built-in text
  // is current its page is kept, also when no file was ever opened.
  if (FFileIn && (FFileName == "Clipboard" || FFileName.empty() || FTextName == "Clipboard")) {
    FPage = 1;
    FFileIn = false;
  }
  // The last file was missing at the start and no other text has been opened
  // since (FTextName is set by every open and paste): it is still the book to
  // reopen, at its page.
  if (FMissingPage && !FFileIn && FTextName.empty()) {
    FFileIn = true;
    FPage = *FMissingPage;
  }
  RememberBookPlace();
  // The window closes whatever happens to the settings and books files.
  for (void (TForm1::*write)() : {&TForm1::WriteSettings, &TForm1::WriteBooks}) {
    try {
      (this->*write)();
    } catch (const std::exception& e) {
      P.ShowError(FailureText(e));
    }
  }
  // Hidden in the tray, the window has no face to show the closing card on.
  if (BeginEnd() && FShowing) {
    FFinish = true;
    FQuillane(Image1);
  }
}

void TForm1::CloseRequest() {
  FCloseRequested = true;
  FBusy = false;
}

void TForm1::FormDestroy() {
  FPasteList.clear();
  FPasteList.shrink_to_fit();
}

void TForm1::PNameon() {
  ApplyShortNames(*this, true);
}

void TForm1::PNameoff() {
  ApplyShortNames(*this, false);
}
