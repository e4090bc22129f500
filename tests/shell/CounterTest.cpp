// The counter window driven headless: keys, the timer, the menu, the panel drag,
// opening and reopening, its cues, and where a cue file is found.
#include <gtest/gtest.h>

#include <climits>

#include "shell/SoundCues.h"
#include "tests/shell/FormFixture.h"

namespace {

using Strings = std::vector<std::string>;
const std::string kTwenty = " + + + + +  + + + + +  + + + + +  + + + + +";

class CounterTest : public FormTest {
 protected:
  // Opens the counter with "co" and switches its sound on.
  TForm2& Open() {
    F().CountButtonClick();
    EXPECT_NE(F().Form2, nullptr);
    F().Form2->sound1Click();
    return *F().Form2;
  }
  void Menu(TForm2& c, const std::string& name) {
    for (const auto& item : TForm2::MenuItems())
      if (item.Name == name) return item.Click(c);
    ADD_FAILURE() << "no menu item " << name;
  }
};

TEST_F(CounterTest, KeysActOnlyInTheirTimerState) {
  struct Case {
    bool Running;
    TCounterKey Key;
    std::string Shown;
    int Ticks;
    bool RunningAfter, UpDownAfter;
    Strings Cues;
  };
  using K = TCounterKey;
  const Case cases[] = {
      {false, K::Space, "1", 2, false, false, {"ksl5a_8.wav"}},
      {false, K::Enter, "1", 2, false, false, {"ksl5a_8.wav"}},
      {false, K::Backspace, "-1", 2, false, false, {"click05a.wav"}},
      {false, K::Home, "0", 0, false, false, {"click05a.wav"}},
      {false, K::End, "0", 2, false, false, {}},
      {true, K::Space, "0", 2, true, false, {}},
      {true, K::Enter, "0", 2, true, false, {}},
      {true, K::Backspace, "0", 2, true, false, {}},
      {true, K::Home, "0", 2, true, false, {}},
      {true, K::End, "0", 2, false, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.Key)) + (c.Running ? " running" : ""));
    F().Form2Close();
    TForm2& counter = Open();
    if (c.Running) Menu(counter, "Timer2");
    counter.ticks = 2;
    platform->Sounds.clear();
    counter.FormKeyDown(c.Key);
    EXPECT_EQ(counter.Label1.Caption, c.Shown);
    EXPECT_EQ(counter.ticks, c.Ticks);
    EXPECT_EQ(counter.Timer1.Enabled, c.RunningAfter);
    EXPECT_EQ(counter.CountUpDown.Visible, c.UpDownAfter);
    EXPECT_FALSE(counter.Edit1.Visible);
    EXPECT_EQ(platform->Sounds, c.Cues);
  }
}

TEST_F(CounterTest, TheTimerMarksTicksAndStepsEveryPTicks) {
  for (int p : {5, 100}) {
    SCOPED_TRACE(p);
    F().Form2Close();
    TForm2& counter = Open();
    counter.CountUpDown.Position = p;
    counter.FormDblClick();
    platform->Sounds.clear();
    Strings captions;
    for (int tick = 1; tick <= p; ++tick) {
      counter.Timer1Timer();
      captions.push_back(counter.Caption);
    }
    EXPECT_EQ(captions[0], " +");
    EXPECT_EQ(captions[3], " + + + +");
    EXPECT_EQ(captions.back(), "");
    EXPECT_EQ(counter.Label1.Caption, "1");
    EXPECT_EQ(counter.ticks, 0);
    EXPECT_EQ(platform->Sounds.front(), "se-037a.wav");
    EXPECT_EQ(platform->Sounds[1], "se-037b.wav");
    EXPECT_EQ(platform->Sounds.back(), "iky1b_8b.wav");
    if (p == 100) {
      EXPECT_EQ(captions[5], " + + + + +  +");
      for (int k = 20; k < 99; ++k) EXPECT_EQ(captions[k - 1], kTwenty) << k;
    }
  }
}

TEST_F(CounterTest, DoubleClickAndTheMenuDriveTheCounter) {
  TForm2& counter = Open();
  counter.FormDblClick();
  EXPECT_TRUE(counter.Timer1.Enabled);
  counter.Timer1Timer();
  counter.FormDblClick();
  EXPECT_FALSE(counter.Timer1.Enabled);
  EXPECT_TRUE(counter.CountUpDown.Visible && counter.Edit1.Visible);
  EXPECT_EQ(counter.ticks, 0);

  const std::pair<const char*, int> amounts[] = {
      {"plus10000", 10000}, {"plus5000", 5000}, {"plus1000", 1000}, {"plus500", 500},
      {"plus100", 100},     {"plus50", 50},     {"plus10", 10}};
  int expected = 0;
  for (const auto& [name, amount] : amounts) {
    Menu(counter, name);
    expected += amount;
    EXPECT_EQ(counter.Label1.Caption, std::to_string(expected)) << name;
  }
  counter.count = INT_MAX - 5;
  Menu(counter, "plus10");
  EXPECT_EQ(counter.Label1.Caption, std::to_string(INT_MAX));  // no wrap to a negative count
  counter.ticks = 3;
  Menu(counter, "reset");
  EXPECT_EQ(counter.Label1.Caption, "0");
  EXPECT_EQ(counter.ticks, 0);

  counter.Edit1.Text = "ready";
  counter.Edit1Click();
  EXPECT_EQ(counter.Label1.Caption, "ready");

  platform->ColorAnswers = {0x123456, std::nullopt, 0x00FF00};
  Menu(counter, "BgColor1");
  Menu(counter, "fontColor1");  // cancelled
  EXPECT_EQ(counter.Color, 0x123456);
  EXPECT_EQ(counter.Label1FontColor, clBlack);
  Menu(counter, "fontColor1");
  EXPECT_EQ(counter.Label1FontColor, 0x00FF00);
  Menu(counter, "OneColor1");
  EXPECT_EQ(counter.Label1FontColor, 0x123456);
  F().GColor = 0x0000AA;
  F().FoColor = 0xAA0000;
  Menu(counter, "QuillaneColor1");
  EXPECT_EQ(counter.Color, 0x0000AA);
  EXPECT_EQ(counter.Label1FontColor, 0xAA0000);

  Menu(counter, "sound1");  // off again: nothing plays
  platform->Sounds.clear();
  counter.FormKeyDown(TCounterKey::Space);
  counter.Timer1Timer();
  EXPECT_TRUE(platform->Sounds.empty());
}

TEST_F(CounterTest, ThePanelIsDraggedInsideTheWindow) {
  TForm2& counter = Open();
  counter.Panel1MouseDown(200, 200);
  counter.Panel1MouseMove(300, 250);
  EXPECT_EQ(std::make_pair(counter.Panel1.Left, counter.Panel1.Top), std::make_pair(228, 234));
  counter.Panel1MouseMove(5000, -50);  // the grabbed point stays in the window
  EXPECT_EQ(std::make_pair(counter.Panel1.Left, counter.Panel1.Top), std::make_pair(789, -16));
  counter.Panel1MouseUp();
  counter.Panel1MouseMove(0, 0);
  EXPECT_EQ(counter.Panel1.Left, 789);
}

TEST_F(CounterTest, CoOpensOneCounterUnlessBusyAndReopensAtZero) {
  F().FBusy = true;
  F().CountButtonClick();
  EXPECT_EQ(F().Form2, nullptr);
  F().FBusy = false;
  F().FDeep = true;  // a running effect does not keep it closed
  TForm2& counter = Open();
  counter.FormKeyDown(TCounterKey::Space);
  counter.FormDblClick();
  counter.ShowPending = false;
  F().CountButtonClick();
  EXPECT_EQ(F().Form2.get(), &counter);
  EXPECT_TRUE(counter.ShowPending);
  EXPECT_EQ(counter.Label1.Caption, "1");

  F().Form2Close();
  TForm2& again = Open();
  EXPECT_EQ(again.Label1.Caption, "0");
  EXPECT_EQ(again.count + again.ticks, 0);
  EXPECT_FALSE(again.Timer1.Enabled);
}

TEST(SoundCueTest, TheCurrentFolderWinsOverTheProgramsOwnCues) {
  testsupport::TempDir dir;
  const std::string exe = dir / "bin/quillane";
  std::filesystem::create_directories(dir / "bin");
  std::filesystem::create_directories(dir / "here");
  testsupport::WriteFile(dir / "bin/click05a.wav", "ours");
  testsupport::WriteFile(dir / "here/ksl5a_8.wav", "mine");
  testsupport::WriteFile(dir / "bin/ksl5a_8.wav", "ours");
  EXPECT_EQ(FindCueFile("click05a.wav", dir / "here", exe), dir / "bin/click05a.wav");
  EXPECT_EQ(FindCueFile("ksl5a_8.wav", dir / "here", exe), dir / "here/ksl5a_8.wav");
  EXPECT_EQ(FindCueFile("se-037a.wav", dir / "here", exe), "");
}

}  // namespace
