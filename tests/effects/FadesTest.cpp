// Fades of the page view, the fade buttons, the random background and Pause.
#include <gtest/gtest.h>

#include <chrono>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"

namespace {

constexpr TColor kGrey = RGBColor(231, 231, 231);

class Fades : public ::testing::Test {
 protected:
  Fades() : form(platform) {
    form.SetFixedSeed(21);
    form.Image1.Picture.Fill(RGBColor(200, 10, 90));
  }
  bool ViewIsPlain(TColor color) {
    TABitmap plain(640, 480);
    plain.Fill(color);
    return form.Image1.Picture == plain;
  }
  HeadlessPlatform platform;
  TForm1 form;
};

TEST_F(Fades, FadeOutBlendsTwentySevenTimesAndEndsOnTheColour) {
  form.FBColor = true;
  form.PFadeOut(form.Image1, RGBColor(10, 20, 30));
  EXPECT_EQ(platform.Repaints, 27 + 1);
  EXPECT_TRUE(ViewIsPlain(RGBColor(10, 20, 30)));
  EXPECT_FALSE(form.FBColor);
}

TEST_F(Fades, FadeOutToBlackKeepsTheFlag) {
  form.FBColor = true;
  form.PFadeOut(form.Image1, clBlack);
  EXPECT_TRUE(form.FBColor);
  EXPECT_TRUE(ViewIsPlain(clBlack));
}

TEST_F(Fades, TenderlyFadeOutEndsOnAGrainyColour) {
  form.LCheckBox6.Checked = true;
  form.PFadeOut(form.Image1, RGBColor(50, 50, 50));
  bool grainy = false;
  for (int y = 0; y < 480; y += 5) {
    const std::uint8_t* row = form.Image1.Picture.ScanLine(y);
    for (int i = 0; i < 640 * 3; ++i) {
      ASSERT_GE(row[i], 50);
      ASSERT_LE(row[i], 64);
      grainy |= row[i] != 50;
    }
  }
  EXPECT_TRUE(grainy);
}

TEST_F(Fades, BlackAndGreyFadesSetTheFlagAndEndPlain) {
  form.LCheckBox6.Checked = true;  // grain only ever touches PFadeOut
  form.PFadeOutB(form.Image1);
  EXPECT_EQ(platform.Repaints, 17 + 1);
  EXPECT_TRUE(ViewIsPlain(clBlack));
  EXPECT_TRUE(form.FBColor);
  form.FBColor = false;
  platform.Repaints = 0;
  form.PFadeOutW(form.Image1);
  EXPECT_EQ(platform.Repaints, 27 + 1);
  EXPECT_TRUE(ViewIsPlain(kGrey));
  EXPECT_TRUE(form.FBColor);
}

TEST_F(Fades, FadeInToColourLeavesTheFlagsAlone) {
  form.FBColor = true;
  form.PFadeInG(form.Image1, clWhite);
  EXPECT_EQ(platform.Repaints, 17 + 1);
  EXPECT_TRUE(ViewIsPlain(clWhite));
  EXPECT_TRUE(form.FBColor);
}

TEST_F(Fades, FadeStepsApproachTheTargetMonotonically) {
  // Watch one byte through the repaints of a constant-alpha fade.
  std::vector<int> seen;
  form.Image1.Picture.Fill(clWhite);
  struct Watch : HeadlessPlatform {
    TForm1* form = nullptr;
    std::vector<int>* seen = nullptr;
    void Repaint() override {
      HeadlessPlatform::Repaint();
      seen->push_back(form->Image1.Picture.ScanLine(0)[0]);
    }
  } watch;
  TForm1 watched(watch);
  watch.form = &watched;
  watch.seen = &seen;
  watched.Image1.Picture.Fill(clWhite);
  watched.PFadeOutB(watched.Image1);
  ASSERT_EQ(seen.size(), 18u);
  EXPECT_EQ(seen[0], 255 * 231 / 256);  // 25/256 of the way to black
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i], seen[i - 1]);
  EXPECT_GT(seen[16], 0);  // the blends alone never reach black ...
  EXPECT_EQ(seen[17], 0);  // ... the final copy does
}

TEST_F(Fades, NoiseOnceBrightensTheView) {
  form.Image1.Picture.Fill(clBlack);
  form.PNoise1(form.Image1);
  EXPECT_EQ(platform.Repaints, 1);
  EXPECT_FALSE(ViewIsPlain(clBlack));
}

TEST_F(Fades, FadeButtonsAreIgnoredWhileBusyOrAnEffectRuns) {
  form.FPageShown = true;
  form.FBusy = true;
  form.FOBlack1Click();
  form.Fadeout1Click();
  form.BGChangeClick();
  form.FBusy = false;
  form.FVelocity = true;
  form.FOBlack1Click();
  form.Fadeout1Click();
  form.BGChangeClick();
  EXPECT_EQ(platform.Repaints, 0);
  EXPECT_TRUE(form.FPageShown);
}

TEST_F(Fades, BlackFadeButtonAsksForARedraw) {
  form.FPageShown = true;
  form.FRedraw = false;
  form.FOBlack1Click();
  EXPECT_TRUE(ViewIsPlain(clBlack));
  EXPECT_FALSE(form.FPageShown);
  EXPECT_TRUE(form.FRedraw);
  EXPECT_TRUE(form.FBColor);
}

TEST_F(Fades, SecondFadeOutPressDoesNothing) {
  form.GColor = RGBColor(30, 60, 90);
  form.FPageShown = true;
  form.Fadeout1Click();
  EXPECT_EQ(platform.Repaints, 28);
  EXPECT_FALSE(form.FPageShown);
  EXPECT_FALSE(form.FBColor);
  form.Fadeout1Click();
  EXPECT_EQ(platform.Repaints, 28);
}

TEST_F(Fades, CoolRandomBackgroundsAreBlueGreys) {
  form.LCheckBox4.Checked = true;
  for (int i = 0; i < 200; ++i) {
    form.SetFixedSeed(static_cast<std::uint64_t>(i));
    form.BGChangeClick();
    const int b = ColorB(form.GColor), g = ColorG(form.GColor), r = ColorR(form.GColor);
    ASSERT_GE(b, 60);
    ASSERT_LE(b, 167);
    ASSERT_LE(std::abs(g - b), 20);
    ASSERT_LE(std::abs(r - b), 20);
    ASSERT_EQ(form.GLabel.Color, form.GColor);
    ASSERT_TRUE(ViewIsPlain(form.GColor));
  }
}

TEST_F(Fades, PlainRandomBackgroundsHaveNoBlue) {
  form.LCheckBox4.Checked = false;
  bool redVaries = false;
  TColor first = -1;
  for (int i = 0; i < 50; ++i) {
    form.SetFixedSeed(static_cast<std::uint64_t>(i) * 7919);
    form.BGChangeClick();
    ASSERT_EQ(ColorB(form.GColor), 0);
    if (first < 0) first = form.GColor;
    redVaries |= form.GColor != first;
  }
  EXPECT_TRUE(redVaries);
  EXPECT_FALSE(form.FPageShown);
  EXPECT_TRUE(form.FRedraw);
}

TEST(Pause, ReturnsNoEarlierThanItsDeadline) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  int passes = 0;
  platform.EventHook = [&] {
    ++passes;
    platform.Clock += 3;  // events trickle in, each a few milliseconds apart
  };
  const std::uint32_t start = platform.Clock;
  form.Pause(1, 300);
  EXPECT_GE(platform.Clock - start, 1300u);
  EXPECT_GT(passes, 0);  // events were handled while waiting
}

TEST(Pause, WaitsInRealTimeEvenWithoutEvents) {
  HeadlessPlatform platform;
  platform.RealTime = true;
  TForm1 form(platform);
  const auto start = std::chrono::steady_clock::now();
  form.Pause(0, 10);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10));
}

TEST(Pause, HandlesABreakDuringTheWait) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FBusy = true;
  platform.EventHook = [&] { form.FBusy = false; };
  form.Pause(0, 300);
  EXPECT_FALSE(form.FBusy);
}

}  // namespace
