#include "form/Counter.h"

#include <algorithm>
#include <limits>

#include "form/Unit1.h"
#include "shell/SoundCues.h"

namespace {

// The timer stops adding progress marks after this many ticks.
constexpr int kMaxMarks = 20;
// Every this many marks a wider blank starts a new group of five.
constexpr int kMarksPerGroup = 5;

}  // namespace

std::string ProgressCaption(int k) {
  std::string caption;
  for (int mark = 1; mark <= k; ++mark) {
    if (mark > 1 && (mark - 1) % kMarksPerGroup == 0) caption += ' ';
    caption += " +";
  }
  return caption;
}

TForm2::TForm2(Platform& platform, const TForm1& owner) : P(platform), Form1(owner) {}

void TForm2::SetCount(long long value) {
  // The number stops at the ends of its 32-bit range rather than wrapping round
  // to the other sign, which would show a plainly wrong count.
  constexpr long long lowest = std::numeric_limits<int>::min();
  constexpr long long highest = std::numeric_limits<int>::max();
  count = static_cast<int>(std::clamp(value, lowest, highest));
  Label1.Caption = std::to_string(count);
}

void TForm2::ShowEdits(bool visible) {
  CountUpDown.Visible = visible;
  Edit1.Visible = visible;
}

void TForm2::Cue(const char* fileName) {
  if (sound1.Checked) P.PlaySound(fileName);
}

void TForm2::FormKeyDown(TCounterKey key) {
  if (Timer1.Enabled) {
    // While the timer runs only End acts, so a stray key cannot disturb the count.
    if (key == TCounterKey::End) {
      Timer1.Enabled = false;
      CountUpDown.Visible = true;
    }
    return;
  }
  switch (key) {
    case TCounterKey::Space:
    case TCounterKey::Enter:
      SetCount(static_cast<long long>(count) + 1);
      Cue(kCueBlip);
      break;
    case TCounterKey::Backspace:
      SetCount(static_cast<long long>(count) - 1);
      Cue(kCueClick);
      break;
    case TCounterKey::Home:
      SetCount(0);
      ticks = 0;
      Cue(kCueClick);
      break;
    default:
      break;
  }
}

void TForm2::FormDblClick() {
  const bool running = Timer1.Enabled;
  ShowEdits(running);
  ticks = 0;
  Timer1.Enabled = !running;
}

void TForm2::Edit1Click() {
  Label1.Caption = Edit1.Text;
}

void TForm2::Panel1MouseDown(int x, int y) {
  grab_ = TPoint{x - Panel1.Left, y - Panel1.Top};
}

void TForm2::Panel1MouseMove(int x, int y) {
  if (!grab_) return;
  // The pointer is held inside the window, so the point of the panel that was
  // grabbed stays in view and the number can always be dragged back.
  x = std::clamp(x, 0, ClientWidth - 1);
  y = std::clamp(y, 0, ClientHeight - 1);
  Panel1.Left = x - grab_->x;
  Panel1.Top = y - grab_->y;
}

void TForm2::Panel1MouseUp() {
  grab_.reset();
}

void TForm2::Timer1Timer() {
  ++ticks;
  if (ticks <= kMaxMarks) Caption = ProgressCaption(ticks);
  // The interval is read at each tick, so a change of it counts from now on.
  const int period = std::max(1, CountUpDown.Position);
  if (ticks >= period) {
    SetCount(static_cast<long long>(count) + 1);
    ticks = 0;
    Caption.clear();
    Cue(kCueChime);
  } else {
    Cue(ticks % 2 != 0 ? kCueTickOdd : kCueTickEven);
  }
}

void TForm2::ShowUpDown1Click() {
  ShowEdits(true);
}

void TForm2::HideUpDown1Click() {
  ShowEdits(false);
}

void TForm2::Timer2Click() {
  ShowEdits(false);
  Timer1.Enabled = true;
}

void TForm2::StopTimerClick() {
  Timer1.Enabled = false;
  ShowEdits(true);
  ticks = 0;
}

void TForm2::PlusClick(int amount) {
  SetCount(static_cast<long long>(count) + amount);
}

void TForm2::resetClick() {
  SetCount(0);
  ticks = 0;
}

void TForm2::BgColor1Click() {
  if (const auto color = P.ColorDialog(LastDialogColor)) {
    LastDialogColor = *color;
    Color = *color;
  }
}

void TForm2::fontColor1Click() {
  if (const auto color = P.ColorDialog(LastDialogColor)) {
    LastDialogColor = *color;
    Label1FontColor = *color;
  }
}

void TForm2::QuillaneColor1Click() {
  Color = Form1.GColor;
  Label1FontColor = Form1.FoColor;
}

void TForm2::OneColor1Click() {
  Label1FontColor = Color;
}

void TForm2::sound1Click() {
  sound1.Checked = !sound1.Checked;
}

const std::vector<TForm2::TMenuItem>& TForm2::MenuItems() {
  static const std::vector<TMenuItem> items = {
      {"ShowUpDown1", "ShowUpDown&&Edit", [](TForm2& f) { f.ShowUpDown1Click(); }},
      {"HideUpDown1", "HideUpDown&&Edit", [](TForm2& f) { f.HideUpDown1Click(); }},
      {"Timer2", "Start Timer", [](TForm2& f) { f.Timer2Click(); }},
      {"StopTimer", "Stop Timer", [](TForm2& f) { f.StopTimerClick(); }},
      {"plus10000", "plus10000", [](TForm2& f) { f.PlusClick(10000); }},
      {"plus5000", "plus5000", [](TForm2& f) { f.PlusClick(5000); }},
      {"plus1000", "plus1000", [](TForm2& f) { f.PlusClick(1000); }},
      {"plus500", "plus500", [](TForm2& f) { f.PlusClick(500); }},
      {"plus100", "plus100", [](TForm2& f) { f.PlusClick(100); }},
      {"plus50", "plus50", [](TForm2& f) { f.PlusClick(50); }},
      {"plus10", "plus10", [](TForm2& f) { f.PlusClick(10); }},
      {"reset", "Reset", [](TForm2& f) { f.resetClick(); }},
      {"BgColor1", "BgColor", [](TForm2& f) { f.BgColor1Click(); }},
      {"fontColor1", "fontColor", [](TForm2& f) { f.fontColor1Click(); }},
      {"QuillaneColor1", "QuillaneColor", [](TForm2& f) { f.QuillaneColor1Click(); }},
      {"OneColor1", "OneColor", [](TForm2& f) { f.OneColor1Click(); }},
      {"sound1", "sound", [](TForm2& f) { f.sound1Click(); }},
  };
  return items;
}

// ---------------------------------------------------------------- the main window's side

void TForm1::CountButtonClick() {
  // A running effect does not keep the counter closed; only a running job does.
  if (FBusy) return;
  if (!Form2) Form2 = std::make_unique<TForm2>(P, *this);
  Form2->ShowPending = true;
}

void TForm1::Form2Close() {
  Form2.reset();
}
