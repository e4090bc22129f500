// The window's chrome in TForm1: the tray, the short names, the status line's
// hints and the credits card. The shaped face and the drawn menus are the
// view's (view/widgets/).
#include "QuillaneVersion.h"
#include "form/Unit1.h"
#include "render/Canvas.h"
#include "text/Sjis.h"

namespace {

constexpr const char* kTrayTip = "Quillane";
constexpr const char* kNoTray = "No tray on this desktop";

struct TCardLine {
  int X, Y;
  const char* Text;  // UTF-8
};

// The credits card, line by line. The quoted terms are reading words in French
// with their Japanese renderings; the fifth pair needs two lines.
const TCardLine kCardLines[] = {
    {75, 58, kQuillaneVersionLine},
    {75, 91, "Japanese text set as pictures, a page at a time."},
    {75, 124, "Type in the IPA Mincho and Gothic faces."},
    {75, 157, "Drawn with Qt 6, HarfBuzz and libjpeg-turbo."},
    {50, 190, ""},
    {50, 223, "\"lecture\"  読書"},
    {50, 256, "\"feuillet\"  一葉"},
    {50, 289, "\"signet\"  栞"},
    {50, 322, "\"marge\"  余白"},
    {50, 355, "\"tourner la page\""},
    {50, 388, "  頁をめくる"},
    {50, 421, "French terms and renderings: the Quillane authors."},
};

// The card fades in by repeated blends at a constant strength and is never
// copied whole: after this many the view lies within about 1 % of the card.
constexpr int kCardBlends = 17;
constexpr int kCardAlpha = 64;
constexpr int kCardGrain = 15;

// The page-look options the card follows.
struct TCardLook {
  bool Bold, Gothic, Tenderly, FadeIn;
};

TCardLook CardLook(const TForm1& f) {
  return {f.BoldCheckBox.Checked, f.Gothic(), f.Tenderly(), f.PlusFadeIn()};
}

}  // namespace

void TForm1::LCheckBox13Click() {
  if (FBusy) return;
  if (ShowName())
    PNameon();
  else
    PNameoff();
}

void TForm1::Small1Click() {
  if (FBusy) return;
  // Hiding the window with no icon to bring it back would strand the program.
  if (!P.AddTrayIcon(kTrayTip)) {
    HintLabel1.Caption = kNoTray;
    return;
  }
  P.ShowMainWindow(false);
}

void TForm1::TrayIconMessage(TTrayMouse event) {
  if (event == TTrayMouse::LeftDown)
    Show1Click();
  else
    P.SetForeground();
  P.ProcessMessages();
  if (event == TTrayMouse::RightDown) P.PopupTrayMenu();
}

void TForm1::Show1Click() {
  P.ShowMainWindow(true);
  P.DeleteTrayIcon();
}

// A close is never refused: during a batch it breaks the batch off first, and
// the window closes once the batch has returned.
void TForm1::Close1Click() {
  P.DeleteTrayIcon();
  Exit1Click();
}

void TForm1::Exit1Click() {
  if (FBusy) CloseRequest();
  FClosePending = true;
}

void TForm1::AppHint(const std::string& hint) {
  HintLabel1.Caption = hint;
  HintLabel1.Hint = kQuillaneVersionLine;
}

void TForm1::About() {
  if (!Idle()) return;
  const TCardLook look = CardLook(*this);
  FPageShown = false;
  TABitmap card(Image1.Width(), Image1.Height());
  card.Fill(GColor);
  TLogFont font;
  font.lfHeight = 21;
  font.lfWeight = look.Bold ? 600 : 400;
  font.lfFaceName = PageFaceName(look.Gothic);
  {
    TCanvas canvas(card);
    canvas.SetFont(font);
    canvas.FontColor = FoColor;
    for (const TCardLine& line : kCardLines) canvas.TextOut(line.X, line.Y, Utf8ToSjis(line.Text));
  }
  if (look.Tenderly) card.AddNoise(kCardGrain, Rng);
  if (look.FadeIn) {
    for (int k = 0; k < kCardBlends; ++k) {
      card.BlendDraw(Image1.Picture, 0, 0, kCardAlpha);
      P.Repaint();
    }
  } else {
    card.CopyTo(Image1.Picture, 0, 0);
    P.Repaint();
  }
  FRedraw = true;
}
