// The keyboard: the window sees every key before the focused control. Non-character
// keys page and steer Velocity; character keys start effects and toggle options.
// A key that changes a check box only sets its state (the view repaints it); the
// box's click handler does not run.
#include <string>

#include "form/Unit1.h"
#include "render/Canvas.h"

namespace {

constexpr TColor kDeepWhite = 0xE7E7E7;

// Toggles a box and returns its new state.
bool Toggle(TCheckBox& box) {
  box.Checked = !box.Checked;
  return box.Checked;
}

const char* OnOff(bool on, const char* whenOn, const char* whenOff) {
  return on ? whenOn : whenOff;
}

// The option keys that wait while an effect runs: each toggles its box and says
// so; "z" and "v" change the page's look, so the page is drawn again at once.
struct TGuardedKey {
  char Key;
  TCheckBox TForm1::*Box;
  const char* On;
  const char* Off;
  bool Redraw;
};
constexpr TGuardedKey kGuardedKeys[] = {
    {'/', &TForm1::LCheckBox11, "Leaves on", "Leaves off", false},
    {'z', &TForm1::LCheckBox6, "Tenderly on", "Tenderly off", true},
    {'x', &TForm1::LCheckBox7, "+Fade In", "Fade In off", false},
    {'c', &TForm1::LCheckBox5, "+Fade Out", "Fade Out off", false},
    {'v', &TForm1::LCheckBox8, "Horizontal", "Vertical", true},
};

}  // namespace

void TForm1::FormKeyDown(TKey key) {
  if (FBusy) return;
  const int w = Image1.Width();
  const int h = Image1.Height();
  // Each test stands on its own, in this order.
  if (key == TKey::Space || key == TKey::Enter) TriButton1Click();
  if (key == TKey::Backspace) TriButton2Click();
  if (key == TKey::Delete && Toggle(LCheckBox19)) {
    Pcx = w / 2;
    Pcy = h / 2;
  }
  if (key == TKey::Insert) Toggle(LCheckBox18);
  if (FVelocity) {
    if (key == TKey::Home && Toggle(LCheckBox16))
      HintLabel1.Caption = "MoveLevel " + std::to_string(Pmvc);
    if (key == TKey::End) Toggle(LCheckBox17);
    if (key == TKey::Right && Pcx < w - 10) Pcx += Pmvc;
    if (key == TKey::Left && Pcx >= 11) Pcx -= Pmvc;
    if (key == TKey::Up && Pcy >= 11) Pcy -= Pmvc;
    if (key == TKey::Down && Pcy < h - 10) Pcy += Pmvc;
    if (key == TKey::PageUp || key == TKey::PageDown) {
      if (key == TKey::PageUp && Pmvc < 10) ++Pmvc;
      if (key == TKey::PageDown && Pmvc > 0) --Pmvc;
      HintLabel1.Caption = "MoveLevel " + std::to_string(Pmvc);
    }
  } else {
    // Further cursor and paging keys then move the page slider.
    ExtTrackBar1.Focused = true;
  }
}

// The keys Velocity reads while it runs: with "Clock" checked they set the clock's
// look, otherwise the scope's.
void TForm1::VelocityKeyPress(char key) {
  const bool clock = Clock();
  int& colour = clock ? Pirot : Piro;
  int& form = clock ? Pformt : Pform;
  if (key >= '1' && key <= '6') colour = key - '0';
  if (key == 'q') colour = 7;
  if (key == 'w') colour = 8;
  if (key >= '7' && key <= '9') form = key - '6';
  if (key == '0') {
    colour = clock ? 2 : 1;
    form = 1;
  }
  if (clock) {
    if (key == 'o') HintLabel1.Caption = OnOff(Pdigit = !Pdigit, "Digital on", "Digital off");
    if (key == 'i') HintLabel1.Caption = OnOff(Pbt = !Pbt, "BoldClock", "NotBoldClock");
    return;
  }
  if (key == 'o') HintLabel1.Caption = OnOff(Pdigi = !Pdigi, "Scope", "NotScope");
  if (key == 'i') HintLabel1.Caption = OnOff(Pb = !Pb, "Bold", "NotBold");
  if (key == 'u') HintLabel1.Caption = OnOff(Pmix = !Pmix, "Mix", "NotMix");
  if (key == 'm' && Movement())
    HintLabel1.Caption = OnOff(Pmouse = !Pmouse, "MoveMouse", "MoveRandom");
  if (key == 'n') {
    FVelLock = 0;
    HintLabel1.Caption = "lock 0";
  }
}

void TForm1::FormKeyPress(char key) {
  if (FBusy) return;
  for (const TGuardedKey& option : kGuardedKeys) {
    if (option.Key != key) continue;
    if (AnyEffect()) return;
    HintLabel1.Caption = OnOff(Toggle(this->*option.Box), option.On, option.Off);
    if (option.Redraw) Redraw();
    P.ProcessMessages();
    return;
  }
  const int w = Image1.Width();
  const int h = Image1.Height();
  switch (key) {
    case 'y':
      P.PopupMenu(500, 10);
      break;
    case 'd':
      Effect1Click();
      break;
    case 'r':
      EffectOut1Click();
      break;
    case 'g':
      Reset1Click();
      break;
    case 'e':
      VelocityClick();
      break;
    case 'a':
      fineartsClick();
      break;
    case ',':
      FOBlack1Click();
      break;
    case '.':
      Fadeout1Click();
      break;
    case 'h':
      HintLabel1.Caption = OnOff(Toggle(LCheckBox20), "Green arts", "Blue arts");
      break;
    case 'j':
      Fconm = Toggle(LCheckBox21) ? 125 : 80;
      HintLabel1.Caption = "bright " + std::to_string(Fconm);
      break;
    case 'k':
      if (Toggle(LCheckBox23)) {
        HintLabel1.Caption = "Repetition on " + std::to_string(Fconm);
      } else {
        FArts = false;
        HintLabel1.Caption = "Repetition off";
      }
      break;
    case 'l':
      if (!Toggle(LCheckBox22)) FArts = false;
      HintLabel1.Caption = OnOff(Devenir(), "Devenir on", "Devenir off");
      break;
    case ';': {
      // Its own table: plan de arts slows more than with the "Slow" box, and
      // Deep keeps its pace.
      const bool slow = Toggle(LCheckBox14);
      Timer1.Interval = slow ? 110 : 55;
      Timer3.Interval = slow ? 110 : 55;
      Timer4.Interval = slow ? 12000 : 7000;
      HintLabel1.Caption = OnOff(slow, "Slow on", "Slow off");
      break;
    }
    case '-':
      if (!FDifference) HintLabel1.Caption = OnOff(Toggle(LCheckBox1), "Form on", "Form off");
      break;
    case '^':
      if (!FDifference) HintLabel1.Caption = OnOff(Toggle(LCheckBox2), "Color on", "Color off");
      break;
    case '\\':
      if (!FDifference) HintLabel1.Caption = OnOff(Toggle(LCheckBox3), "Paint on", "Paint off");
      break;
    case ']':
      HintLabel1.Caption = "Deep (Mu-gen)";
      RectButtonClick();
      break;
    case ':':
      HintLabel1.Caption = OnOff(Toggle(SepaCheckBox), "DeepSeparation", "Deep (Mu-gen)");
      break;
    case 'w':
      if (!FVelocity)
        HintLabel1.Caption = OnOff(FBlackRect = !FBlackRect, "Deep Black", "Deep White");
      break;
    case 'p':
      if (FVelocity) {
        Pcx = w / 2;
        Pcy = h / 2;
        HintLabel1.Caption = "Center";
      }
      break;
    default:
      break;
  }
  if (FVelocity) {
    VelocityKeyPress(key);
    P.ProcessMessages();
    return;
  }
  if (key >= '0' && key <= '9') {
    // 1 .. 9, 0: the brightness of plan de arts in steps of 5 from 80 to 125.
    const int value = 80 + 5 * ((key - '0' + 9) % 10);
    (Devenir() ? FArtsLevel : Fconm) = value;
    HintLabel1.Caption = "bright " + std::to_string(value);
  }
  if (FDeep) {
    // The pen of the view's canvas, shown as a line along the top row.
    TCanvas canvas(Image1.Picture);
    if (key == 'p') {
      canvas.Pen.Color = FDeepColor;
      HintLabel1.Caption = "Line color";
    } else {
      canvas.Pen.Color = FBlackRect ? clBlack : kDeepWhite;
      HintLabel1.Caption = FBlackRect ? "Deep Black" : "Deep White";
    }
    canvas.MoveTo(0, 0);
    canvas.LineTo(w, 0);
    P.Repaint();
  }
  P.ProcessMessages();
}
