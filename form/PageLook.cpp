// Commands that change how pages look: colours, the display options that only
// need a redraw, the fallen-leaves size, "Slow", the switch to the built-in
// text, and the title card.
#include <algorithm>
#include <string>

#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "render/Canvas.h"

namespace {

// Fades the view to the (possibly new) background and shows the page again in
// the new colours, at once when a page was on the view, else at the next step.
void ColourTransition(TForm1& f) {
  f.PFadeOut(f.Image1, f.GColor);
  if (f.FPageShown) {
    f.Redraw();
  } else {
    f.FPageShown = false;
    f.FRedraw = true;
  }
}

void RedrawWhenIdle(TForm1& f) {
  if (f.Idle()) f.Redraw();
}

}  // namespace

void TForm1::FontColor1Click() {
  if (!Idle()) return;
  const auto color = P.ColorDialog(FDialogColor);
  if (!color) return;
  FDialogColor = *color;
  FoColor = *color;
  FLabel.Color = FoColor;
  ColourTransition(*this);
}

void TForm1::BgColor1Click() {
  if (!Idle()) return;
  const auto color = P.ColorDialog(FDialogColor);
  if (!color) return;
  FDialogColor = *color;
  GColor = *color;
  GLabel.Color = GColor;
  ColourTransition(*this);
  if (GColor != clBlack) FBColor = false;
}

void TForm1::LCheckBox8Click() {
  RedrawWhenIdle(*this);
}
void TForm1::LCheckBox15Click() {
  RedrawWhenIdle(*this);
}
void TForm1::BoldCheckBoxClick() {
  RedrawWhenIdle(*this);
}
void TForm1::LCheckBox6Click() {
  RedrawWhenIdle(*this);
}

void TForm1::LCheckBox11Click() {
  if (!RakeUpFallenLeaves()) return;
  const auto size = P.SizeDialog(fTriangl);
  if (size) fTriangl = std::clamp(*size, 1, 100);
}

void TForm1::LCheckBox14Click() {
  if (FBusy) return;
  const bool slow = Slow();
  Timer1.Interval = slow ? 110 : 55;
  Timer3.Interval = slow ? 110 : 55;
  Timer4.Interval = slow ? 8000 : 4500;
  Timer5.Interval = slow ? 110 : 55;
  HintLabel1.Caption = slow ? std::string("Slow on") : std::string("Slow off");
}

void TForm1::Quillane1Click() {
  if (!Idle() || !FFileIn) return;
  FFileIn = false;
  if (!FQuiReady) {
    LoadBuiltinText();
  } else {
    FPage = FQuiPage;
  }
  if (FQuiPage == 0) FPage = 1;
  FQuiPage = FPage;
  ExtTrackBar1.SetPosition(FPage);
  FQuiEcri();
  Label1.Caption = std::to_string(FPage);
  Label2.Caption = std::to_string(FAllPage);
  PLabel.Transparent = true;
  Redraw();
  Image1.Hint = "Quillane";
  HintLabel1.Caption = std::string("Quillane");
  FQuiReady = true;
}

void TForm1::FQuillane(TImage& view) {
  TABitmap card(view.Width(), view.Height());
  card.Fill(GColor);
  TLogFont font;
  font.lfHeight = 30;
  font.lfWeight = 700;
  font.lfFaceName = PageFaceName(Gothic());

  if (FFinish && !FBColor && !FFirstShow) PFadeOut(view, GColor);
  {
    TCanvas canvas(card);
    canvas.SetFont(font);
    canvas.FontColor = FoColor;
    const int y = card.Height() / 2 - 10;
    if (FFinish) {
      canvas.TextOut(card.Width() / 2 - 20, y, "FIN");
    } else {
      canvas.TextOut(card.Width() / 2 - 60, y, "Quillane");
    }
  }
  if (Tenderly()) {
    Randomize();
    card.AddNoise(15, Rng);
  }
  // The card always fades in, in the steps "+Fade Out" chooses.
  const bool fine = PlusFadeOut();
  BlendSteps(*this, card, view, fine ? 24 : 17, fine ? 4 : 6);
  card.CopyTo(view.Picture, 0, 0);
  P.Repaint();

  FPageShown = true;
  FBColor = false;
  PFadeOut(view, GColor);
}

void TForm1::Timer2Timer() {
  Image1.Picture.Fill(GColor);
  FQuillane(Image1);
  Timer2.Enabled = false;
}
