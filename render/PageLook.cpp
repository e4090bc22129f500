// Commands that change how pages look: colours, the display options that only
// need a redraw, the fallen-leaves size, "Slow", the switch to the built-in
// text, and the title card.
#include <algorithm>
#include <string>

#include "render/Canvas.h"
#include "shell/Unit1.h"

namespace {

// Fades the view to the (possibly new) background and shows the page again in
// the new colours, at once when a page was on the view, else at the next step.
void ColourTransition(TForm1& f) {
  f.PFadeOut(f.Image1, f.GColor);
  if (f.FPageShown) {
    f.FRedraw = true;
    f.TriButton1Click();
  } else {
    f.FPageShown = false;
    f.FRedraw = true;
  }
}

void Redraw(TForm1& f) {
  if (!f.Idle()) return;
  f.FRedraw = true;
  f.TriButton1Click();
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
  Redraw(*this);
}
void TForm1::LCheckBox15Click() {
  Redraw(*this);
}
void TForm1::BoldCheckBoxClick() {
  Redraw(*this);
}
void TForm1::LCheckBox6Click() {
  Redraw(*this);
}

void TForm1::LCheckBox11Click() {
  if (!LCheckBox11.Checked) return;
  const auto size = P.SizeDialog(fTriangl);
  if (size) fTriangl = std::clamp(*size, 1, 100);
}

void TForm1::LCheckBox14Click() {
  if (FBusy) return;
  const bool slow = LCheckBox14.Checked;
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
    std::string text;
    for (const auto& line : StringResource1()) text += line + "\r\n";
    Editor2.Lines.Clear();
    Editor2.Lines.SetText(text);
    FreplaceP(Editor2);
  } else {
    FPage = FQuiPage;
  }
  if (FQuiPage == 0) FPage = 1;
  FQuiPage = FPage;
  ExtTrackBar1.SetPosition(FPage);
  FQuiEcri();
  Label1.Caption = std::to_string(FPage);
  Label2.Caption = std::to_string(FAllPage);
  FRedraw = true;
  PLabel.Transparent = true;
  TriButton1Click();
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
  font.lfCharSet = 1;
  font.lfPitchAndFamily = 2;
  font.lfFaceName = LCheckBox15.Checked ? "ＭＳ ゴシック" : "ＭＳ 明朝";

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
  if (LCheckBox6.Checked) {
    Randomize();
    card.AddNoise(15, Rng);
  }
  // The card always fades in, in the steps "+Fade Out" chooses.
  const bool fine = LCheckBox5.Checked;
  const int steps = fine ? 24 : 17;
  const int alphaStep = fine ? 4 : 6;
  for (int k = 0; k < steps; ++k) {
    card.BlendDraw(view.Picture, 0, 0, alphaStep * k);
    P.Repaint();
  }
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
