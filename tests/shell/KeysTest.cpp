// The window's keys: (state, key) -> options, effect fields and the status text.
#include <functional>
#include <variant>

#include "tests/shell/FormFixture.h"

namespace {

class KeysTest : public FormTest {};

struct Row {
  const char* name;
  std::function<void(TForm1&)> given;  // the state before the key
  std::variant<TKey, char> key;
  const char* status;  // nullptr: the status text stays as it was
  std::function<bool(const TForm1&)> then;
};
using Form = const TForm1&;

const auto Idle = [](TForm1&) {};
const auto Vel = [](TForm1& f) { f.FVelocity = true; };
const auto VelClock = [](TForm1& f) { f.FVelocity = f.LCheckBox19.Checked = true; };
const auto Deep = [](TForm1& f) {
  f.FDeep = true, f.Deep.Color = 0x123456, f.Image1.Picture.Fill(clWhite);
};
// The line a key draws while Deep runs: the whole top row, nothing below it.
bool TopRow(Form f, TColor c) {
  const TABitmap& p = f.Image1.Picture;
  return p.Pixel(0, 0) == c && p.Pixel(639, 0) == c && p.Pixel(0, 1) == clWhite;
}

TEST_F(KeysTest, EachKeyActsOnlyInItsStateAndReportsItsOption) {
  const Row rows[] = {
      {"Delete", [](TForm1& f) { f.Pcx = 5; }, TKey::Delete, nullptr,
       [](Form f) { return f.LCheckBox19.Checked && f.Pcx == 320 && f.Pcy == 240; }},
      {"Insert", Idle, TKey::Insert, nullptr, [](Form f) { return f.LCheckBox18.Checked; }},
      {"Home", Vel, TKey::Home, "MoveLevel 2", [](Form f) { return f.LCheckBox16.Checked; }},
      {"Home, no Velocity", Idle, TKey::Home, nullptr,
       [](Form f) { return !f.LCheckBox16.Checked && f.ExtTrackBar1.Focused; }},
      {"End", Vel, TKey::End, nullptr,
       [](Form f) { return f.LCheckBox17.Checked && !f.ExtTrackBar1.Focused; }},
      {"Right", [](TForm1& f) { f.FVelocity = true, f.Pcx = 629; }, TKey::Right, nullptr,
       [](Form f) { return f.Pcx == 631; }},
      {"Left at the edge", [](TForm1& f) { f.FVelocity = true, f.Pcx = 10; }, TKey::Left, nullptr,
       [](Form f) { return f.Pcx == 10; }},
      {"Up", [](TForm1& f) { f.FVelocity = true, f.Pcy = 11; }, TKey::Up, nullptr,
       [](Form f) { return f.Pcy == 9; }},
      {"Down at the edge", [](TForm1& f) { f.FVelocity = true, f.Pcy = 470; }, TKey::Down, nullptr,
       [](Form f) { return f.Pcy == 470; }},
      {"Page Up at 10", [](TForm1& f) { f.FVelocity = true, f.Pmvc = 10; }, TKey::PageUp,
       "MoveLevel 10", [](Form f) { return f.Pmvc == 10; }},
      {"Page Down at 0", [](TForm1& f) { f.FVelocity = true, f.Pmvc = 0; }, TKey::PageDown,
       "MoveLevel 0", [](Form f) { return f.Pmvc == 0; }},
      {"busy", [](TForm1& f) { f.FBusy = true; }, TKey::Delete, nullptr,
       [](Form f) { return !f.LCheckBox19.Checked && !f.ExtTrackBar1.Focused; }},
      {"/", Idle, '/', "Leaves on", [](Form f) { return f.LCheckBox11.Checked; }},
      {"/ waits for effects", [](TForm1& f) { f.FArts = true; }, '/', nullptr,
       [](Form f) { return !f.LCheckBox11.Checked; }},
      {"x (on at start)", Idle, 'x', "Fade In off", [](Form f) { return !f.LCheckBox7.Checked; }},
      {"c", Idle, 'c', "+Fade Out", [](Form f) { return f.LCheckBox5.Checked; }},
      {"h", Idle, 'h', "Green arts", [](Form f) { return f.LCheckBox20.Checked; }},
      {"j", Idle, 'j', "bright 125", [](Form f) { return f.Fconm == 125; }},
      {"l", Idle, 'l', "Devenir on", [](Form f) { return f.LCheckBox22.Checked; }},
      {"k off", [](TForm1& f) { f.LCheckBox23.Checked = f.FArts = true; }, 'k', "Repetition off",
       [](Form f) { return !f.FArts; }},
      {";", Idle, ';', "Slow on",
       [](Form f) {
         return f.Timer1.Interval == 110 && f.Timer3.Interval == 110 &&
                f.Timer4.Interval == 12000 && f.Timer5.Interval == 55;
       }},
      {"- in Difference", [](TForm1& f) { f.FDifference = true; }, '-', nullptr,
       [](Form f) { return !f.LCheckBox1.Checked; }},
      {"\\", Idle, '\\', "Paint on", [](Form f) { return f.LCheckBox3.Checked; }},
      {":", Idle, ':', "DeepSeparation", [](Form f) { return f.SepaCheckBox.Checked; }},
      {"w", Idle, 'w', "Deep White", [](Form f) { return !f.FBlackRect; }},
      {"w, Velocity", Vel, 'w', nullptr, [](Form f) { return f.Piro == 8 && f.FBlackRect; }},
      {"w, Velocity+Clock", VelClock, 'w', nullptr,
       [](Form f) { return f.Pirot == 8 && f.Piro == 1; }},
      {"p", [](TForm1& f) { f.FVelocity = true, f.Pcx = f.Pcy = 3; }, 'p', "Center",
       [](Form f) { return f.Pcx == 320 && f.Pcy == 240; }},
      {"8", Vel, '8', nullptr, [](Form f) { return f.Pform == 2; }},
      {"u", Vel, 'u', "Mix", [](Form f) { return f.Pmix; }},
      {"0, Clock", VelClock, '0', nullptr, [](Form f) { return f.Pirot == 2 && f.Pformt == 1; }},
      {"o, Clock", VelClock, 'o', "Digital off", [](Form f) { return !f.Pdigit; }},
      {"m needs Movement", Vel, 'm', nullptr, [](Form f) { return !f.Pmouse; }},
      {"n", [](TForm1& f) { f.FVelocity = true, f.Vel.Lock = 9; }, 'n', "lock 0",
       [](Form f) { return f.Vel.Lock == 0; }},
      {"3", Idle, '3', "bright 90", [](Form f) { return f.Fconm == 90; }},
      {"0 with Devenir", [](TForm1& f) { f.LCheckBox22.Checked = true; }, '0', "bright 125",
       [](Form f) { return f.Arts.Level == 125 && f.Fconm == 80; }},
      {"Deep, black", Deep, 'b', "Deep Black", [](Form f) { return TopRow(f, clBlack); }},
      {"Deep, white", [](TForm1& f) { Deep(f), f.FBlackRect = false; }, 'b', "Deep White",
       [](Form f) { return TopRow(f, 0xE7E7E7); }},
      {"Deep, p", Deep, 'p', "Line color", [](Form f) { return TopRow(f, 0x123456); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TForm1& f = NewForm();
    f.HintLabel1.Caption = "before";
    row.given(f);
    if (const TKey* key = std::get_if<TKey>(&row.key))
      f.FormKeyDown(*key);
    else
      f.FormKeyPress(std::get<char>(row.key));
    EXPECT_EQ(f.HintLabel1.Caption, row.status ? row.status : "before");
    EXPECT_TRUE(row.then(f));
  }
  F().FormKeyPress('y');
  EXPECT_EQ(platform->Popups, (std::vector<std::pair<int, int>>{{500, 10}}));
}

}  // namespace
