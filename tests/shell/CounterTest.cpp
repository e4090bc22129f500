// The counter window driven headless: keys, the timer, the menu, the panel drag,
// opening and reopening, its cues, and where a cue file is found.
#include <gtest/gtest.h>

#include <climits>
#include <string_view>
#include <tuple>

#include "shell/SoundCues.h"
#include "tests/shell/FormFixture.h"

namespace {

using Strings = std::vector<std::string>;
const std::string kSix = " + + + + +  +";
const std::string kTwenty = kSix + " + + + +  + + + + +  + + + + +";

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
  // Running, key; then the number shown, ticks, running, up-down shown, cues.
  using Case = std::tuple<bool, TCounterKey, std::string, int, bool, bool, Strings>;
  using K = TCounterKey;
  const Case cases[] = {
      {false, K::Space, "1", 2, false, false, {"ksl5a_8.wav"}},
      {false, K::Backspace, "-1", 2, false, false, {"click05a.wav"}},
      {false, K::Home, "0", 0, false, false, {"click05a.wav"}},
      {false, K::End, "0", 2, false, false, {}},
      {true, K::Space, "0", 2, true, false, {}},
      {true, K::End, "0", 2, false, true, {}},
  };
  for (const auto& [running, key, shown, ticks, runningAfter, upDownAfter, cues] : cases) {
    static const char* const kKeys[] = {"other", "Space", "Enter", "Backspace", "Home", "End"};
    SCOPED_TRACE(std::string(kKeys[static_cast<int>(key)]) + (running ? ", running" : ", stopped"));
    F().Form2Close();
    TForm2& counter = Open();
    if (running) Menu(counter, "Timer2");
    counter.ticks = 2;
    platform->Sounds.clear();
    counter.FormKeyDown(key);
    EXPECT_EQ(std::tuple(counter.Label1.Caption, counter.ticks, counter.Timer1.Enabled,
                         counter.CountUpDown.Visible, counter.Edit1.Visible, platform->Sounds),
              std::tuple(shown, ticks, runningAfter, upDownAfter, false, cues));
  }
}

TEST_F(CounterTest, TheTimerMarksTicksUpToTwentyAndStepsEveryPTicks) {
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
    const Strings& cues = platform->Sounds;  // at 100 the marks stop growing after twenty
    EXPECT_EQ((Strings{captions[0], captions[3], captions[std::min(p, 6) - 1],
                       captions[std::min(p, 99) - 1], captions.back(), counter.Label1.Caption,
                       cues[0], cues[1], cues.back()}),
              (Strings{" +", " + + + +", p == 5 ? "" : kSix, p == 5 ? "" : kTwenty, "", "1",
                       "se-037a.wav", "se-037b.wav", "iky1b_8b.wav"}));
  }
}

TEST_F(CounterTest, DoubleClickTheMenuAndAPanelDragInsideTheWindow) {
  TForm2& counter = Open();
  for (bool running : {true, false}) {  // double-clicks toggle the timer; both zero ticks
    counter.ticks = 3;
    counter.FormDblClick();
    EXPECT_EQ(std::tuple(counter.Timer1.Enabled, counter.ticks, counter.Edit1.Visible),
              std::tuple(running, 0, !running));
  }
  counter.count = INT_MAX - 5;
  Menu(counter, "plus10");
  EXPECT_EQ(counter.Label1.Caption, std::to_string(INT_MAX));  // no wrap to a negative count
  counter.ticks = 3;
  Menu(counter, "reset");
  EXPECT_EQ(std::pair(counter.Label1.Caption, counter.ticks), std::pair(std::string("0"), 0));
  Menu(counter, "sound1");  // off again: nothing plays
  platform->Sounds.clear();
  counter.FormKeyDown(TCounterKey::Space);
  counter.Timer1Timer();
  EXPECT_TRUE(platform->Sounds.empty());
  counter.Panel1MouseDown(200, 200);  // 72, 16 into the panel
  counter.Panel1MouseMove(300, 250);
  EXPECT_EQ(std::pair(counter.Panel1.Left, counter.Panel1.Top), std::pair(228, 234));
  counter.Panel1MouseMove(5000, -50);  // the grabbed point stays in the window
  counter.Panel1MouseUp();
  counter.Panel1MouseMove(0, 0);
  EXPECT_EQ(std::pair(counter.Panel1.Left, counter.Panel1.Top), std::pair(789, -16));
}

TEST_F(CounterTest, CoOpensOneCounterUnlessBusy) {
  F().FBusy = true;
  F().CountButtonClick();
  EXPECT_EQ(F().Form2, nullptr);
  F().FBusy = false;
  F().FDeep = true;  // a running effect does not keep it closed
  TForm2& counter = Open();
  counter.FormKeyDown(TCounterKey::Space);
  counter.FormDblClick();
  counter.ShowPending = false;
  F().CountButtonClick();  // the same counter, shown again
  EXPECT_EQ(std::tuple(F().Form2.get(), counter.ShowPending, counter.Label1.Caption),
            std::tuple(&counter, true, "1"));
}  // closed, it reopens at zero: the window's tests

TEST(SoundCueTest, TheCurrentFolderWinsOverTheProgramsOwnCues) {
  testsupport::TempDir dir;
  const std::string exe = dir / "bin/quillane";
  for (const char* cue : {"bin/click05a.wav", "bin/ksl5a_8.wav", "here/ksl5a_8.wav"})
    testsupport::WriteFile(dir / cue, "RIFF");
  EXPECT_EQ(FindCueFile("click05a.wav", dir / "here", exe), dir / "bin/click05a.wav");
  EXPECT_EQ(FindCueFile("ksl5a_8.wav", dir / "here", exe), dir / "here/ksl5a_8.wav");
  EXPECT_EQ(FindCueFile("se-037a.wav", dir / "here", exe), "");
}

}  // namespace
