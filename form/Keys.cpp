// The keyboard: the window sees every key before the focused control. Non-character
// keys page and steer Velocity; character keys start effects and toggle options.
// A key that changes a check box only sets its state (the view repaints it); the
// box's click handler does not run.
#include <string>

#include "form/Unit1.h"
#include "render/Canvas.h"

namespace {

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

// Keys that toggle a box and say so at any time; those of Difference's boxes
// wait while it runs, as it reads them at every tick.
struct TToggleKey {
  char Key;
  TCheckBox TForm1::*Box;
  const char* On;
  const char* Off;
  bool WaitsForDifference;
};
constexpr TToggleKey kToggleKeys[] = {
    {'h', &TForm1::LCheckBox20, "Green arts", "Blue arts", false},
    {'-', &TForm1::LCheckBox1, "Form on", "Form off", true},
    {'^', &TForm1::LCheckBox2, "Color on", "Color off", true},
    {'\\', &TForm1::LCheckBox3, "Paint on", "Paint off", true},
    {':', &TForm1::SepaCheckBox, "DeepSeparation", "Deep (Mu-gen)", false},
};

// The keys of plan de arts' options, Deep and the Velocity centre.
void BrightKey(TForm1& f) {
  f.Fconm = Toggle(f.LCheckBox21) ? 125 : 80;
  f.HintLabel1.Caption = "bright " + std::to_string(f.Fconm);
}

void RepetitionKey(TForm1& f) {
  if (Toggle(f.LCheckBox23)) {
    f.HintLabel1.Caption = "Repetition on " + std::to_string(f.Fconm);
  } else {
    f.FArts = false;
    f.HintLabel1.Caption = "Repetition off";
  }
}

void DevenirKey(TForm1& f) {
  if (!Toggle(f.LCheckBox22)) f.FArts = false;
  f.HintLabel1.Caption = OnOff(f.Devenir(), "Devenir on", "Devenir off");
}

// Its own table: plan de arts slows more than with the "Slow" box, and Deep
// keeps its pace.
void SlowKey(TForm1& f) {
  const bool slow = Toggle(f.LCheckBox14);
  f.Timer1.Interval = slow ? 110 : 55;
  f.Timer3.Interval = slow ? 110 : 55;
  f.Timer4.Interval = slow ? 12000 : 7000;
  f.HintLabel1.Caption = OnOff(slow, "Slow on", "Slow off");
}

void DeepKey(TForm1& f) {
  f.HintLabel1.Caption = "Deep (Mu-gen)";
  f.RectButtonClick();
}

// While Velocity runs "w" picks its colours instead.
void DeepGroundKey(TForm1& f) {
  if (!f.FVelocity)
    f.HintLabel1.Caption = OnOff(f.FBlackRect = !f.FBlackRect, "Deep Black", "Deep White");
}

void CentreKey(TForm1& f) {
  if (!f.FVelocity) return;
  f.Pcx = f.Image1.Width() / 2;
  f.Pcy = f.Image1.Height() / 2;
  f.HintLabel1.Caption = "Center";
}

template <void (TForm1::*Command)()>
void Run(TForm1& f) {
  (f.*Command)();
}

// The keys that run a command.
struct TCommandKey {
  char Key;
  void (*Act)(TForm1&);
};
constexpr TCommandKey kCommandKeys[] = {
    {'y', [](TForm1& f) { f.P.PopupMenu(500, 10); }},
    {'d', Run<&TForm1::Effect1Click>},
    {'r', Run<&TForm1::EffectOut1Click>},
    {'g', Run<&TForm1::Reset1Click>},
    {'e', Run<&TForm1::VelocityClick>},
    {'a', Run<&TForm1::fineartsClick>},
    {',', Run<&TForm1::FOBlack1Click>},
    {'.', Run<&TForm1::Fadeout1Click>},
    {'j', BrightKey},
    {'k', RepetitionKey},
    {'l', DevenirKey},
    {';', SlowKey},
    {']', DeepKey},
    {'w', DeepGroundKey},
    {'p', CentreKey},
    {'n', Run<&TForm1::GoPage1Click>},  // go to a page by its number
};

template <typename Row, std::size_t N>
const Row* Find(const Row (&rows)[N], char key) {
  for (const Row& row : rows)
    if (row.Key == key) return &row;
  return nullptr;
}

// The keys Velocity reads while it runs: with "Clock" checked they set the clock's
// look, otherwise the scope's.
void VelocityKey(TForm1& f, char key) {
  const bool clock = f.Clock();
  int& colour = clock ? f.Pirot : f.Piro;
  int& form = clock ? f.Pformt : f.Pform;
  if (key >= '1' && key <= '6') colour = key - '0';
  if (key == 'q') colour = 7;
  if (key == 'w') colour = 8;
  if (key >= '7' && key <= '9') form = key - '6';
  if (key == '0') {
    colour = clock ? 2 : 1;
    form = 1;
  }
  std::string& status = f.HintLabel1.Caption;
  if (clock) {
    if (key == 'o') status = OnOff(f.Pdigit = !f.Pdigit, "Digital on", "Digital off");
    if (key == 'i') status = OnOff(f.Pbt = !f.Pbt, "BoldClock", "NotBoldClock");
    return;
  }
  if (key == 'o') status = OnOff(f.Pdigi = !f.Pdigi, "Scope", "NotScope");
  if (key == 'i') status = OnOff(f.Pb = !f.Pb, "Bold", "NotBold");
  if (key == 'u') status = OnOff(f.Pmix = !f.Pmix, "Mix", "NotMix");
  if (key == 'm' && f.Movement()) status = OnOff(f.Pmouse = !f.Pmouse, "MoveMouse", "MoveRandom");
  if (key == 'n') {
    f.Vel.Lock = 0;
    status = "lock 0";
  }
}

// 1 .. 9, 0: the brightness of plan de arts in steps of 5 from 80 to 125.
void BrightnessDigit(TForm1& f, char key) {
  if (key < '0' || key > '9') return;
  const int value = 80 + 5 * ((key - '0' + 9) % 10);
  (f.Devenir() ? f.Arts.Level : f.Fconm) = value;
  f.HintLabel1.Caption = "bright " + std::to_string(value);
}

// While Deep runs every key sets the pen of the view's canvas and shows it as a
// line along the top row, which the smear then carries down.
void DeepPen(TForm1& f, char key) {
  TCanvas canvas(f.Image1.Picture);
  if (key == 'p') {
    canvas.Pen.Color = f.Deep.Color;
    f.HintLabel1.Caption = "Line color";
  } else {
    canvas.Pen.Color = f.FBlackRect ? clBlack : kDeepGrey;
    f.HintLabel1.Caption = f.FBlackRect ? "Deep Black" : "Deep White";
  }
  canvas.MoveTo(0, 0);
  canvas.LineTo(f.Image1.Width(), 0);
  f.P.Repaint();
}

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

void TForm1::FormKeyPress(char key) {
  if (FBusy) return;
  if (const TGuardedKey* option = Find(kGuardedKeys, key)) {
    if (AnyEffect()) return;
    const bool on = Toggle(this->*option->Box);
    // The redraw names the text on the status line; the option's state is
    // told after it, or it would never be seen.
    if (option->Redraw) Redraw();
    HintLabel1.Caption = OnOff(on, option->On, option->Off);
    P.ProcessMessages();
    return;
  }
  const TToggleKey* toggle = Find(kToggleKeys, key);
  if (toggle && !(toggle->WaitsForDifference && FDifference))
    HintLabel1.Caption = OnOff(Toggle(this->*toggle->Box), toggle->On, toggle->Off);
  if (const TCommandKey* command = Find(kCommandKeys, key)) command->Act(*this);
  if (FVelocity) {
    VelocityKey(*this, key);
  } else {
    BrightnessDigit(*this, key);
    if (FDeep) DeepPen(*this, key);
  }
  P.ProcessMessages();
}
