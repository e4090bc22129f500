// The window's keys: (state, key) -> options, effect fields and the status text.
#include <functional>
#include <tuple>
#include <utility>
#include <variant>

#include "tests/shell/FormFixture.h"

namespace {

class KeysTest : public FormTest {};

using Key = std::variant<TKey, char>;
struct Row {
  const char* name;
  std::function<void(TForm1&)> given;  // the state before the key
  Key key;
  const char* status;  // nullptr: the status text stays as it was
  std::function<bool(const TForm1&)> then;
};

void Nothing(TForm1&) {}
void Velocity(TForm1& f) {
  f.FVelocity = true;
}
void VelocityClock(TForm1& f) {
  f.FVelocity = f.LCheckBox19.Checked = true;
}

TEST_F(KeysTest, EachKeyActsOnlyInItsStateAndReportsItsOption) {
  const Row rows[] = {
      {"Delete centres the clock", [](TForm1& f) { f.Pcx = 5; }, TKey::Delete, nullptr,
       [](const TForm1& f) { return f.LCheckBox19.Checked && f.Pcx == 320 && f.Pcy == 240; }},
      {"Insert", Nothing, TKey::Insert, nullptr,
       [](const TForm1& f) { return f.LCheckBox18.Checked; }},
      {"Home", Velocity, TKey::Home, "MoveLevel 2",
       [](const TForm1& f) { return f.LCheckBox16.Checked; }},
      {"Home needs Velocity", Nothing, TKey::Home, nullptr,
       [](const TForm1& f) { return !f.LCheckBox16.Checked && f.ExtTrackBar1.Focused; }},
      {"End", Velocity, TKey::End, nullptr,
       [](const TForm1& f) { return f.LCheckBox17.Checked && !f.ExtTrackBar1.Focused; }},
      {"Right", [](TForm1& f) { f.FVelocity = true, f.Pcx = 629; }, TKey::Right, nullptr,
       [](const TForm1& f) { return f.Pcx == 631; }},
      {"Right at the edge", [](TForm1& f) { f.FVelocity = true, f.Pcx = 630; }, TKey::Right,
       nullptr, [](const TForm1& f) { return f.Pcx == 630; }},
      {"Left at the edge", [](TForm1& f) { f.FVelocity = true, f.Pcx = 10; }, TKey::Left, nullptr,
       [](const TForm1& f) { return f.Pcx == 10; }},
      {"Up", [](TForm1& f) { f.FVelocity = true, f.Pcy = 11; }, TKey::Up, nullptr,
       [](const TForm1& f) { return f.Pcy == 9; }},
      {"Down at the edge", [](TForm1& f) { f.FVelocity = true, f.Pcy = 470; }, TKey::Down, nullptr,
       [](const TForm1& f) { return f.Pcy == 470; }},
      {"Page Up at 10", [](TForm1& f) { f.FVelocity = true, f.Pmvc = 10; }, TKey::PageUp,
       "MoveLevel 10", [](const TForm1& f) { return f.Pmvc == 10; }},
      {"Page Down at 0", [](TForm1& f) { f.FVelocity = true, f.Pmvc = 0; }, TKey::PageDown,
       "MoveLevel 0", [](const TForm1& f) { return f.Pmvc == 0; }},
      {"busy: no key acts", [](TForm1& f) { f.FBusy = true; }, TKey::Delete, nullptr,
       [](const TForm1& f) { return !f.LCheckBox19.Checked && !f.ExtTrackBar1.Focused; }},
      {"/", Nothing, '/', "Leaves on", [](const TForm1& f) { return f.LCheckBox11.Checked; }},
      {"/ waits for the effect", [](TForm1& f) { f.FArts = true; }, '/', nullptr,
       [](const TForm1& f) { return !f.LCheckBox11.Checked; }},
      {"x (on from the start)", Nothing, 'x', "Fade In off",
       [](const TForm1& f) { return !f.LCheckBox7.Checked; }},
      {"c off", [](TForm1& f) { f.LCheckBox5.Checked = true; }, 'c', "Fade Out off",
       [](const TForm1& f) { return !f.LCheckBox5.Checked; }},
      {"h", Nothing, 'h', "Green arts", [](const TForm1& f) { return f.LCheckBox20.Checked; }},
      {"j", Nothing, 'j', "bright 125", [](const TForm1& f) { return f.Fconm == 125; }},
      {"k off stops plan de arts", [](TForm1& f) { f.LCheckBox23.Checked = f.FArts = true; }, 'k',
       "Repetition off", [](const TForm1& f) { return !f.FArts; }},
      {"l", Nothing, 'l', "Devenir on", [](const TForm1& f) { return f.LCheckBox22.Checked; }},
      {";", Nothing, ';', "Slow on",
       [](const TForm1& f) {
         return f.Timer1.Interval == 110 && f.Timer3.Interval == 110 &&
                f.Timer4.Interval == 12000 && f.Timer5.Interval == 55;
       }},
      {"- needs Difference stopped", [](TForm1& f) { f.FDifference = true; }, '-', nullptr,
       [](const TForm1& f) { return !f.LCheckBox1.Checked; }},
      {"\\", Nothing, '\\', "Paint on", [](const TForm1& f) { return f.LCheckBox3.Checked; }},
      {":", Nothing, ':', "DeepSeparation", [](const TForm1& f) { return f.SepaCheckBox.Checked; }},
      {"w without Velocity", Nothing, 'w', "Deep White",
       [](const TForm1& f) { return !f.FBlackRect; }},
      {"w with Velocity", Velocity, 'w', nullptr,
       [](const TForm1& f) { return f.Piro == 8 && f.FBlackRect; }},
      {"w with Velocity and Clock", VelocityClock, 'w', nullptr,
       [](const TForm1& f) { return f.Pirot == 8 && f.Piro == 1; }},
      {"p", [](TForm1& f) { f.FVelocity = true, f.Pcx = f.Pcy = 3; }, 'p', "Center",
       [](const TForm1& f) { return f.Pcx == 320 && f.Pcy == 240; }},
      {"8 shapes the scope", Velocity, '8', nullptr, [](const TForm1& f) { return f.Pform == 2; }},
      {"0 resets the clock", VelocityClock, '0', nullptr,
       [](const TForm1& f) { return f.Pirot == 2 && f.Pformt == 1; }},
      {"o", VelocityClock, 'o', "Digital off", [](const TForm1& f) { return !f.Pdigit; }},
      {"u", Velocity, 'u', "Mix", [](const TForm1& f) { return f.Pmix; }},
      {"m needs Movement", Velocity, 'm', nullptr, [](const TForm1& f) { return !f.Pmouse; }},
      {"n", [](TForm1& f) { f.FVelocity = true, f.FVelLock = 9; }, 'n', "lock 0",
       [](const TForm1& f) { return f.FVelLock == 0; }},
      {"digit: brightness", Nothing, '3', "bright 90",
       [](const TForm1& f) { return f.Fconm == 90; }},
      {"digit with Devenir", [](TForm1& f) { f.LCheckBox22.Checked = true; }, '0', "bright 125",
       [](const TForm1& f) { return f.FArtsLevel == 125 && f.Fconm == 80; }},
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
}

TEST_F(KeysTest, PageKeysStepAndRedrawAndYOpensTheMenu) {
  Start({WriteRows("four.txt", 40)});
  F().FormKeyDown(TKey::Space);  // the first step shows the saved page
  F().FormKeyDown(TKey::Enter);
  F().FormKeyDown(TKey::Space);
  EXPECT_EQ(F().FPage, 3);
  F().FormKeyDown(TKey::Backspace);
  EXPECT_EQ(F().FPage, 2);
  const TABitmap before = F().Image1.Picture;
  F().FormKeyPress('v');  // horizontal writing at once, on the same page
  EXPECT_EQ(F().FPage, 2);
  EXPECT_FALSE(F().Image1.Picture == before);
  F().FormKeyPress('y');
  ASSERT_EQ(platform->Popups.size(), 1u);
  EXPECT_EQ(platform->Popups[0], std::make_pair(500, 10));
}

TEST_F(KeysTest, WhileDeepRunsAKeySetsThePenOnTheTopRow) {
  for (const auto& [key, black, colour, status] :
       {std::tuple{'b', true, clBlack, "Deep Black"},
        std::tuple{'b', false, TColor(0xE7E7E7), "Deep White"},
        std::tuple{'p', true, TColor(0x123456), "Line color"}}) {
    SCOPED_TRACE(key);
    TForm1& f = NewForm();
    f.FDeep = true, f.FBlackRect = black, f.FDeepColor = 0x123456;
    f.Image1.Picture.Fill(clWhite);
    f.FormKeyPress(key);
    EXPECT_EQ(f.HintLabel1.Caption, status);
    EXPECT_EQ(f.Image1.Picture.Pixel(0, 0), colour);
    EXPECT_EQ(f.Image1.Picture.Pixel(639, 0), colour);
    EXPECT_NE(f.Image1.Picture.Pixel(0, 1), colour);
  }
}

}  // namespace
