// Colours, redraw options, the fallen-leaves size, "Slow", the switch to the
// built-in text and the title card, driven as a user would.
#include <gtest/gtest.h>

#include <vector>

#include "tests/common/Ink.h"
#include "tests/shell/FormFixture.h"

namespace {

// Records the colour each colour dialog opened with and every picture repainted.
class WatchingPlatform : public HeadlessPlatform {
 public:
  std::optional<TColor> ColorDialog(TColor initial) override {
    Initial.push_back(initial);
    return HeadlessPlatform::ColorDialog(initial);
  }
  void Repaint() override {
    HeadlessPlatform::Repaint();
    if (View) Frames.push_back(View->Picture);
  }
  std::vector<TColor> Initial;
  TImage* View = nullptr;
  std::vector<TABitmap> Frames;
};

class PageLookTest : public FormTest {
 protected:
  PageLookTest() {
    Start();
    OpenFile(WriteRows("look.txt", 39));
  }
  WatchingPlatform& Watch() {
    auto owned = std::make_unique<WatchingPlatform>();
    WatchingPlatform& watching = *owned;
    NewForm(std::move(owned));
    watching.View = &F().Image1;
    return watching;
  }
};

int InkIn(const TABitmap& bitmap, TRect r, TColor ground) {
  return static_cast<int>(InkOf(bitmap, ground, r, 200).count);
}

TEST_F(PageLookTest, ChosenColoursAreStoredShownAndRedrawnOrWaitForTheNextStep) {
  F().TriButton1Click();  // page 2 on the view
  F().FPageShown = true;
  platform->ColorAnswers = {0x0000FF, clBlack, 0x00FF00, 0x123456};
  F().FontColor1Click();
  EXPECT_EQ(std::pair(F().FoColor, F().FLabel.Color),
            std::pair(TColor{0x0000FF}, TColor{0x0000FF}));
  EXPECT_TRUE(F().FPage == 2 && !F().FRedraw);  // redrawn, not advanced
  F().FBColor = true;
  F().BgColor1Click();
  EXPECT_TRUE(F().FBColor);  // only a background other than black clears the mark
  F().BgColor1Click();
  EXPECT_EQ(std::pair(F().GColor, F().GLabel.Color), std::pair(TColor{0x00FF00}, TColor{0x00FF00}));
  EXPECT_TRUE(F().FPage == 2 && !F().FBColor);

  F().FPageShown = false;
  F().FontColor1Click();
  EXPECT_TRUE(F().FRedraw && !F().FPageShown && F().FPage == 2);
}

// A cancelled dialog changes nothing, not even the colour it opens with next.
TEST_F(PageLookTest, TheColourDialogOpensWithTheColourLastChosen) {
  WatchingPlatform& watching = Watch();
  F().FDialogColor = 0x111111;
  watching.ColorAnswers = {0x222222, std::nullopt, 0x333333};
  F().FontColor1Click();
  const TColor ground = F().GColor;
  F().FBColor = true;
  F().BgColor1Click();  // cancelled
  EXPECT_TRUE(F().GColor == ground && F().GLabel.Color == ground && F().FBColor);
  F().BgColor1Click();
  EXPECT_EQ(watching.Initial, (std::vector<TColor>{0x111111, 0x222222, 0x222222}));
  EXPECT_EQ(F().GColor, 0x333333);
}

TEST_F(PageLookTest, DisplayOptionsRedrawAndSlowSetsTheEffectTimers) {
  F().TriButton1Click();
  ASSERT_EQ(F().FPage, 2);
  for (auto click : {&TForm1::LCheckBox8Click, &TForm1::LCheckBox15Click,
                     &TForm1::BoldCheckBoxClick, &TForm1::LCheckBox6Click})
    (F().*click)();
  EXPECT_TRUE(F().FPage == 2 && !F().FRedraw);
  F().FDeep = true;  // while an effect runs the option waits for the next step
  F().LCheckBox8Click();
  EXPECT_TRUE(!F().FRedraw && F().FDeep);

  F().FDeep = false;
  F().FVelocity = true;  // a running effect changes speed at once
  for (const bool slow : {true, false}) {
    F().LCheckBox14.Checked = slow;
    F().LCheckBox14Click();
    const int tick = slow ? 110 : 55;
    EXPECT_EQ((std::array{F().Timer1.Interval, F().Timer3.Interval, F().Timer4.Interval,
                          F().Timer5.Interval}),
              (std::array{tick, tick, slow ? 8000 : 4500, tick}));
    EXPECT_EQ(F().HintLabel1.Caption, slow ? "Slow on" : "Slow off");
  }
  F().FBusy = true;
  F().LCheckBox14.Checked = true;
  F().LCheckBox14Click();
  EXPECT_EQ(F().Timer1.Interval, 55);
}

TEST_F(PageLookTest, FallenLeavesAskForASizeFromOneToAHundredOnlyWhenSwitchedOn) {
  F().LCheckBox11.Checked = false;
  platform->SizeAnswers = {50, 250, 0, std::nullopt};
  F().LCheckBox11Click();
  EXPECT_TRUE(platform->DialogsShown == std::vector<std::string>{"open"});
  EXPECT_EQ(F().fTriangl, 7);
  F().LCheckBox11.Checked = true;
  for (int expected : {50, 100, 1, 1}) {  // the last is cancelled
    F().LCheckBox11Click();
    EXPECT_EQ(F().fTriangl, expected);
  }
}

TEST_F(PageLookTest, SwitchingTextsKeepsEachTextsPage) {
  F().TriButton1Click();
  F().TriButton1Click();  // user text page 3
  F().Quillane1Click();
  EXPECT_TRUE(!F().FFileIn && F().PLabel.Transparent);
  EXPECT_EQ(std::pair(F().HintLabel1.Caption, F().Image1.Hint),
            std::pair(std::string("Quillane"), std::string("Quillane")));
  const int builtinPages = F().FAllPage;
  ASSERT_GT(builtinPages, 2);
  EXPECT_EQ(F().FPage, 1);  // the built-in text's page at start
  F().TriButton1Click();
  EXPECT_EQ(F().FQuiPage, 2);
  F().Quillane1Click();  // already current: nothing
  EXPECT_EQ(F().FPage, 2);

  F().File1Click();
  EXPECT_TRUE(F().FFileIn && !F().PLabel.Transparent && F().FPage == 3 && F().FAllPage == 3);
  EXPECT_EQ(F().HintLabel1.Caption, "look");

  F().Quillane1Click();
  EXPECT_TRUE(F().FPage == 2 && F().FAllPage == builtinPages);
  EXPECT_EQ(F().Label2.Caption, std::to_string(builtinPages));
}

TEST_F(PageLookTest, TheTitleCardFadesInAndTheClosingCardSaysFinInFinerSteps) {
  const WatchingPlatform& title = Watch();
  F().GColor = clWhite;
  F().FoColor = clBlack;
  F().LCheckBox5.Checked = false;
  F().Timer2.Enabled = true;
  F().Timer2Timer();
  EXPECT_TRUE(!F().Timer2.Enabled && F().FPageShown);
  // 17 blends, then the card itself; a fade may follow.
  ASSERT_GE(title.Frames.size(), 18u);
  const TRect word{250, 220, 420, 275};
  EXPECT_GT(InkIn(title.Frames[17], word, clWhite), 100);
  // Nothing above or below the word; the first blend has alpha 0, a plain view.
  EXPECT_EQ(InkIn(title.Frames[17], {0, 0, 640, 200}, clWhite) +
                InkIn(title.Frames[17], {0, 290, 640, 480}, clWhite) +
                InkIn(title.Frames[0], word, clWhite),
            0);

  const WatchingPlatform& closing = Watch();
  F().GColor = clBlack;
  F().FoColor = clWhite;
  F().LCheckBox5.Checked = F().FFinish = true;
  F().FFirstShow = true;  // no fade before the card
  F().FQuillane(F().Image1);
  ASSERT_GE(closing.Frames.size(), 25u);
  EXPECT_GT(InkIn(closing.Frames[24], {290, 220, 360, 275}, clBlack), 30);
  // "Quillane" would start at 260.
  EXPECT_EQ(InkIn(closing.Frames[24], {0, 220, 285, 275}, clBlack), 0);
}

}  // namespace
