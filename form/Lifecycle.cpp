// The main window's life: creation (initial state and the settings file), the
// first showing (the first text), closing (the settings file written back) and
// destruction; and the short button names of "Show Name".
#include <algorithm>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/Errors.h"
#include "form/ControlTable.h"
#include "form/Unit1.h"
#include "text/FileNames.h"

namespace {

void ResetTextAndPages(TForm1& f) {
  f.FPage = 1;
  f.Label1.Caption = std::string("1");
  f.FAllPage = 0;
  f.ExtTrackBar1.SetMax(0);
  f.Label2.Caption = std::string("0");
  f.FRedraw = true;
  f.FLeaf = 1;
  f.FFilePage = 0;
  f.FQuiPage = 0;
  f.FTextName.clear();
  f.FCmdLineFile.clear();
  f.FDiffCount = 0;
  f.FPagePermille = 1;
  f.FRetsuCount = 13;
  f.Image1.Hint = "Quillane";
  f.PLabel.Transparent = true;
  f.Editor1.ReadOnly = true;
  f.Editor2.ReadOnly = true;
}

void ResetEffectsAndExport(TForm1& f) {
  f.FVelocity = false;
  f.FVelWarm = 0;
  f.Pcx = f.Image1.Width() / 2;
  f.Pcy = f.Image1.Height() / 2;
  f.Pmvc = 2;
  f.FVelDiv = 8;
  f.Piro = 1;
  f.Pform = 1;
  f.Pirot = 2;
  f.Pformt = 1;
  f.FVelHit = false;
  f.Pmix = false;
  f.Pmouse = false;
  f.FVelLock = 0;
  f.FArts = false;
  f.FArtsLevel = 80;
  f.FArtsUp = true;
  f.FBatchLastPage = 0;
  f.FBatchStart = 0;
  f.FSaveName.clear();
  f.FOutDir.clear();
  f.FBatchSave = false;
  f.FBatchExif = false;
  f.FBusy = false;
  f.FBatchThumb = false;
  f.FShiftRight = false;
  f.fTriangl = 7;
}

void SeedColoursAndDeep(TForm1& f) {
  f.Randomize();
  f.FDeepNext = f.Random(16600000);
  f.FDeepUp = true;
  f.FDeepColor = 0xE7E7E7;
  f.FDeepInset = 5;
  f.FDeepSpeed = 2;
  f.FDeepPhase = 0;
  f.FDeepOut = true;
  f.FDeep = false;
}

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
    f.FFileIn = false;
    f.FPage = 1;
    f.FFilePage = 0;
    f.FQuiPage = 0;
    f.PLabel.Transparent = true;
    return;
  }
  // Only a regular file reads to an end: a FIFO would block every later start,
  // a device may never end. The start reports it and shows the built-in text.
  f.PLoadLines(f.Editor1, f.FFileName);
  f.Freplace(f.Editor1);
  f.FPreEcri(f.Editor1);
  // The stored page is kept only within the text: the file may have become
  // shorter since, or the settings file may have been edited.
  f.FPage = std::clamp(f.FPage, 1, std::max(f.FAllPage, 1));
  f.FFilePage = f.FPage;
  f.FTextName = ExtractFileName(f.FFileName);
  f.FtxtDelete();
  f.Image1.Hint = f.FTextName;
  f.FRedraw = true;
  f.PLabel.Transparent = false;
  f.FFileIn = true;
}

void ShowBuiltinText(TForm1& f) {
  std::string text;
  for (const auto& line : TForm1::StringResource1()) text += line + "\r\n";
  f.Editor2.Lines.Clear();
  f.Editor2.Lines.SetText(text);
  f.Freplace(f.Editor2);
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

void TForm1::FormCreate() {
  ApplyControlTable(*this);
  ResetTextAndPages(*this);
  FoColor = clWhite;
  GColor = clBlack;
  ResetEffectsAndExport(*this);

  ReadSettings();

  FLabel.Color = FoColor;
  GLabel.Color = GColor;
  FDifference = false;
  FPageShown = false;
  FFinish = false;
  Leafgo1.Hint = std::to_string(FLeaf) + " page";
  FNewText = false;
  FQuiReady = false;
  FFirstShow = true;

  Image1.Picture.Fill(GColor);
  if (Tenderly()) PNoise1(Image1);
  FBColor = false;

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
  SeedColoursAndDeep(*this);
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
        FFileIn = false;
        FPage = 1;
        FFilePage = 0;
        FQuiPage = 0;
        PLabel.Transparent = true;
      }
    }
    if (!FFileIn) ShowBuiltinText(*this);
  }
  FCmdLineOpen = false;
  if (BeginEnd()) Timer2.Enabled = true;
  if (failure) std::rethrow_exception(failure);
}

void TForm1::CMShowingChanged(bool visible) {
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
  // The window closes whatever happens to the settings file.
  try {
    WriteSettings();
  } catch (const std::exception& e) {
    P.ShowError(FailureText(e));
  }
  if (BeginEnd()) {
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

namespace {

struct TShortName {
  TButton TForm1::*Button;
  const char* Caption;
};

const TShortName kShortNames[] = {
    {&TForm1::Open, "Open"},
    {&TForm1::Effect1, "Difference"},
    {&TForm1::EffectOut1, "Run along"},
    {&TForm1::FontColor1, "FontColor"},
    {&TForm1::BgColor1, "BgColor"},
    {&TForm1::BGChange, "BgRandom"},
    {&TForm1::Scroll2, "About"},
    {&TForm1::FOBlack1, "FOB"},
    {&TForm1::FadeOut1, "FOut"},
    {&TForm1::Leaf1, "Leaf"},
    {&TForm1::Leafgo1, "Go"},
    {&TForm1::File1, "File"},
    {&TForm1::CoImageButton, "cot"},
    {&TForm1::CountButton, "co"},
    {&TForm1::Quillane1, "Quil"},
    {&TForm1::Paste1, "Past"},
    {&TForm1::PasteSave1, "Save"},
    {&TForm1::RectButton, "Deep"},
    {&TForm1::Velocity, "Velocity"},
    {&TForm1::finearts, "plan de arts"},
    {&TForm1::Bitsave, "B"},
    {&TForm1::JpegButton, "J"},
    {&TForm1::BreakButton, "stp"},
    {&TForm1::SaveAllButton, "ajs"},
    {&TForm1::SaveAllInButton, "ain"},
    {&TForm1::SaveAllThumbInButton, "ati"},
    {&TForm1::CountTextButton, "ctxt"},
    {&TForm1::helpButton, "help"},
};

void SetShortNames(TForm1& f, bool on) {
  for (const auto& name : kShortNames) (f.*name.Button).Caption = on ? name.Caption : "";
  f.LCheckBox4.HintVisible = on;
  f.LCheckBox12.HintVisible = on;
}

}  // namespace

void TForm1::PNameon() {
  SetShortNames(*this, true);
}

void TForm1::PNameoff() {
  SetShortNames(*this, false);
}
