// Page navigation: the forward and back steps, the batch step, reset, the
// bookmark, the page slider and clicks on the page. Redraw() draws the current
// page again. It is the forward step with FRedraw set, so it behaves as a step in
// every other way: it stops a running effect and does nothing while a job runs.
#include <algorithm>
#include <string>

#include "form/Unit1.h"

namespace {

constexpr TColor kBusyColor = 0xCFEDC7;
constexpr TColor kForwardColor = 0xFBBC9D;
constexpr TColor kBackColor = 0xABC2CF;

// Keeps the slider and the remembered page of the current text up to date.
void RememberPage(TForm1& f) {
  f.ExtTrackBar1.SetPosition(f.FPage);
  if (f.FFileIn) {
    f.FFilePage = f.FPage;
  } else {
    f.FQuiPage = f.FPage;
  }
}

void Render(TForm1& f) {
  if (f.QvgaCheckBox.Checked) {
    f.Eqriture(f.Image1);
  } else {
    f.Ecriture(f.Image1);
  }
}

// The status line names the user's text, or the built-in one while PLabel is
// transparent.
void ShowTextName(TForm1& f) {
  f.HintLabel1.Caption = f.PLabel.Transparent ? std::string("Quillane") : f.FTextName;
}

// Render the current page and bring the captions up to date.
void ShowPage(TForm1& f) {
  RememberPage(f);
  Render(f);
  ShowTextName(f);
  f.Label1.Caption = std::to_string(f.FPage);
}

// The part shared by the forward and back steps, around the move itself.
template <typename Move>
void InteractiveStep(TForm1& f, TButton& button, TColor normalColor, bool processMessages,
                     Move move) {
  if (f.FBusy) return;
  // A text without lines has no page to show or count from.
  if (f.FAllPage < 1) return;
  if (f.AnyEffect()) f.EffectOut1Click();
  f.FArtsCanvas = false;
  button.Color = kBusyColor;
  if (processMessages) {
    f.P.ProcessMessages();
    // Queued input may have started a job or emptied the text meanwhile.
    if (f.FBusy || f.FAllPage < 1) {
      button.Color = normalColor;
      return;
    }
  }
  move();
  ShowPage(f);
  f.FRedraw = false;
  button.Color = normalColor;
  f.FPagePermille = PagePermille(f.FPage, f.FAllPage);
}

}  // namespace

int PagePermille(int page, int allPage) {
  if (allPage < 1) return 0;
  const long long permille = static_cast<long long>(page) * 1000 / allPage;
  return static_cast<int>(std::clamp(permille, 0LL, 1000LL));
}

void TForm1::TriButton1Click() {
  InteractiveStep(*this, TriButton1, kForwardColor, false, [this] {
    if (FRedraw) return;
    ++FPage;
    if (FPage > FAllPage) FPage = 1;
  });
}

void TForm1::Redraw() {
  FRedraw = true;
  TriButton1Click();
}

void TForm1::TriButton2Click() {
  InteractiveStep(*this, TriButton2, kBackColor, true, [this] {
    if (FPage <= 1) {
      FPage = FAllPage;
    } else {
      --FPage;
    }
  });
}

void TForm1::TriProc() {
  if (FAllPage < 1) return;
  FArtsCanvas = false;
  if (!FRedraw) {
    ++FPage;
    if (FPage > FAllPage) FPage = 1;
  }
  ShowPage(*this);
  FRedraw = false;
}

void TForm1::Reset1Click() {
  if (FBusy || FAllPage < 1) return;
  if (AnyEffect()) EffectOut1Click();
  FArtsCanvas = false;
  FPageShown = true;
  FPage = 1;
  ExtTrackBar1.SetPosition(1);
  ShowTextName(*this);
  Label1.Caption = std::string("1");
  Redraw();
}

void TForm1::Leaf1Click() {
  if (!Idle()) return;
  FLeaf = FPage;
  Leafgo1.Hint = std::to_string(FLeaf) + " page";
}

void TForm1::Leafgo1Click() {
  if (!Idle()) return;
  // A bookmark read from a damaged settings file may be 0 or negative: there is
  // no such page either.
  if (FLeaf < 1 || FLeaf > FAllPage) {
    HintLabel1.Caption = "over page, set leaf";
    return;
  }
  FPage = FLeaf;
  ExtTrackBar1.SetPosition(FPage);
  Label1.Caption = std::to_string(FPage);
  Redraw();
}

void TForm1::ExtTrackBar1Change() {
  if (FBusy || FAllPage < 1) return;
  FPage = ExtTrackBar1.Position();
  Label1.Caption = std::to_string(FPage);
  FRedraw = true;
  if (FFileIn) {
    FFilePage = FPage;
  } else {
    FQuiPage = FPage;
  }
}

void TForm1::PFrequency(TTrackBar& trackBar) {
  trackBar.Frequency = FAllPage <= 50 ? 1 : FAllPage / 50 + 1;
  trackBar.Hint = "scale : " + std::to_string(trackBar.Frequency);
}

void TForm1::Ecriture1Click() {
  if (!FBusy) TriButton1Click();
}

void TForm1::BackPage1Click() {
  if (!FBusy) TriButton2Click();
}

void TForm1::Image1MouseDown(TMouseButton button, bool shift, int /*x*/, int /*y*/) {
  if (button != TMouseButton::Left) return;
  if (shift) {
    TriButton2Click();
  } else {
    TriButton1Click();
  }
}

void TForm1::Image1MouseWheel(int steps) {
  // As a click on the page: each step is a forward or back step of its own.
  for (; steps > 0; --steps) TriButton1Click();
  for (; steps < 0; ++steps) TriButton2Click();
}

void TForm1::GoPage1Click() {
  if (!Idle() || FAllPage < 1) return;
  if (const auto page = P.PageDialog(FPage, FAllPage)) GoToPage(*page);
}

void TForm1::GoToPage(int page) {
  if (!Idle() || FAllPage < 1) return;
  FPage = std::clamp(page, 1, FAllPage);
  ExtTrackBar1.SetPosition(FPage);
  Label1.Caption = std::to_string(FPage);
  Redraw();
}
