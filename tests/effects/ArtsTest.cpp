#include <algorithm>
#include <vector>

#include "tests/effects/EffectFixture.h"

namespace {

// A clock that moves on by one millisecond whenever it is read, so that the
// time a picture takes can be measured in readings.
class TickingPlatform : public HeadlessPlatform {
 public:
  std::uint32_t TickCount() override { return ++Clock; }
};

class ArtsTest : public EffectTest {
 protected:
  // The lowest value of each channel over the picture.
  std::array<int, 3> Minimum() const {
    std::array<int, 3> low{255, 255, 255};
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) {
        const TColor c = form.Image1.Picture.Pixel(x, y);
        low = {std::min(low[0], ColorR(c)), std::min(low[1], ColorG(c)),
               std::min(low[2], ColorB(c))};
      }
    return low;
  }
  std::array<int, 3> Maximum() const {
    std::array<int, 3> high{0, 0, 0};
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) {
        const TColor c = form.Image1.Picture.Pixel(x, y);
        high = {std::max(high[0], ColorR(c)), std::max(high[1], ColorG(c)),
                std::max(high[2], ColorB(c))};
      }
    return high;
  }
};

TEST_F(ArtsTest, HeightsLieBetweenOneAndTwoFiftyFive) {
  for (int seed = 1; seed <= 4; ++seed) {
    form.SetFixedSeed(seed);
    form.Pplasma(form.Image1);
    ASSERT_EQ(form.PlasmaMap.size(), 640u * 480u);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) {
        const bool corner = (x == 0 || x == 639) && (y == 0 || y == 479);
        if (corner) continue;  // the seeds may be 0
        ASSERT_GE(form.PlasmaMap[y * 640 + x], 1) << x << "," << y;
      }
  }
}

TEST_F(ArtsTest, BluePictureIsNoDarkerThanItsLevel) {
  form.Fconm = 125;
  form.FArtsCanvas = true;
  form.Pplasma(form.Image1);
  const auto low = Minimum();
  const auto high = Maximum();
  EXPECT_EQ(high[0], 0);
  EXPECT_EQ(high[1], 0);
  EXPECT_GE(low[2], 125);
  EXPECT_LE(high[2], 255);
  EXPECT_EQ(form.HintLabel1.Caption, "bright 125");
}

TEST_F(ArtsTest, GreenPictureUsesOnlyTheGreenChannel) {
  form.LCheckBox20.Checked = true;
  form.FArtsCanvas = true;
  form.Pplasma(form.Image1);
  const auto low = Minimum();
  const auto high = Maximum();
  EXPECT_EQ(high[0], 0);
  EXPECT_EQ(high[2], 0);
  EXPECT_GE(low[1], 80);
}

TEST_F(ArtsTest, OnePictureLeavesTheTimerOff) {
  form.fineartsClick();
  EXPECT_FALSE(form.FArts);
  EXPECT_FALSE(form.Timer4.Enabled);
  EXPECT_TRUE(form.Label3.Transparent);
  EXPECT_TRUE(form.FArtsCanvas);
  EXPECT_GE(Minimum()[2], 80);
  // 17 blend steps and the exact copy are each shown.
  EXPECT_EQ(platform.Repaints, 18);
}

TEST_F(ArtsTest, SecondStartWhileRepeatingDoesNothing) {
  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  EXPECT_TRUE(form.FArts);
  EXPECT_TRUE(form.Timer4.Enabled);
  EXPECT_FALSE(form.Label3.Transparent);
  EXPECT_EQ(form.HintLabel1.Caption, "bright 80");
  const int repaints = platform.Repaints;
  form.fineartsClick();
  EXPECT_EQ(platform.Repaints, repaints);
  form.Timer4Timer();
  EXPECT_EQ(platform.Repaints, repaints + 18);
}

TEST_F(ArtsTest, StartOnItsOwnCanvasDoesNotFadeToBlackAgain) {
  form.GColor = clWhite;
  form.Image1.Picture.Fill(clWhite);
  form.fineartsClick();
  const int first = platform.Repaints;
  EXPECT_GT(first, 18);  // the fade to black came first
  form.fineartsClick();
  EXPECT_EQ(platform.Repaints, first + 18);
}

TEST_F(ArtsTest, DevenirSwingsTwentyPicturesPerColour) {
  form.LCheckBox22.Checked = true;
  form.LCheckBox20.Checked = true;  // the swing always starts in blue
  std::vector<int> levels;
  std::vector<bool> green;
  form.FArtsLevel = 95;  // the start sets it back to 80
  form.fineartsClick();
  for (int k = 0; k < 21; ++k) {
    // The level of the picture just made shows in its darkest pixel's colour.
    const auto low = Minimum();
    green.push_back(low[1] > 0);
    levels.push_back(green.back() ? low[1] : low[2]);
    form.Timer4Timer();
  }
  const std::vector<int> swing = {80,  85,  90,  95,  100, 105, 110, 115, 120, 125, 125,
                                  120, 115, 110, 105, 100, 95,  90,  85,  80,  80};
  // No pixel is darker than the picture's level.
  for (std::size_t k = 0; k < swing.size(); ++k) {
    EXPECT_GE(levels[k], swing[k]) << k;
    EXPECT_EQ(green[k], k >= 20) << k;
  }
}

TEST_F(ArtsTest, DevenirLevelSequence) {
  form.LCheckBox22.Checked = true;
  form.fineartsClick();
  std::vector<int> seen{80};  // the level each picture is made with
  for (int k = 0; k < 20; ++k) {
    seen.push_back(form.FArtsLevel);
    form.Timer4Timer();
  }
  const std::vector<int> expected = {80,  85,  90,  95,  100, 105, 110, 115, 120, 125, 125,
                                     120, 115, 110, 105, 100, 95,  90,  85,  80,  80};
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(form.LCheckBox20.Checked);  // the 21st picture was green
  EXPECT_EQ(form.HintLabel1.Caption, "bright 85");
}

TEST_F(ArtsTest, UncheckingTheOptionsStopsTheRepetition) {
  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  form.LCheckBox23.Checked = false;
  form.LCheckBox23Click();
  EXPECT_FALSE(form.FArts);
  EXPECT_EQ(form.HintLabel1.Caption, "Repetition off");
  form.Timer4Timer();
  EXPECT_FALSE(form.Timer4.Enabled);

  form.LCheckBox22.Checked = true;
  form.fineartsClick();
  form.LCheckBox22.Checked = false;
  form.LCheckBox22Click();
  EXPECT_FALSE(form.FArts);
  EXPECT_EQ(form.HintLabel1.Caption, "Devenir off");
}

TEST_F(ArtsTest, PageTurnDuringAPictureDiscardsIt) {
  form.LCheckBox23.Checked = true;
  bool turned = false;
  platform.EventHook = [&] {
    if (turned || !form.FArtsPainting) return;
    turned = true;
    // What a page turn does to the effects and the view.
    form.EffectOut1Click();
    form.FArtsCanvas = false;
    form.Image1.Picture.Fill(clWhite);
  };
  form.fineartsClick();
  ASSERT_TRUE(turned);
  EXPECT_EQ(Colours(), std::set<TColor>{clWhite});
  form.Timer4Timer();
  EXPECT_FALSE(form.Timer4.Enabled);
}

TEST_F(ArtsTest, AnotherEffectStartedDuringAPictureKeepsTheView) {
  bool started = false;
  platform.EventHook = [&] {
    if (started || !form.FArtsPainting) return;
    started = true;
    form.RectButtonClick();  // Deep leaves FArtsCanvas set
  };
  form.fineartsClick();
  ASSERT_TRUE(started);
  EXPECT_TRUE(form.FDeep);
  EXPECT_TRUE(AllBlack());
}

TEST_F(ArtsTest, TickAndStartArrivingDuringAPictureAreDropped) {
  form.LCheckBox23.Checked = true;
  int nested = 0;
  platform.EventHook = [&] {
    if (!form.FArtsPainting || nested > 0) return;
    ++nested;
    form.Timer4Timer();
    form.fineartsClick();
    form.Pplasma(form.Image1);
  };
  form.fineartsClick();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(platform.Repaints, 18);  // one picture only
  EXPECT_FALSE(form.FArtsPainting);
  EXPECT_TRUE(form.FArts);
  EXPECT_TRUE(form.Timer4.Enabled);
}

TEST_F(ArtsTest, EventsAreHandledOnlyWhenTimeHasPassed) {
  // The clock stands still: one pass at the start of the picture.
  form.Pplasma(form.Image1);
  EXPECT_EQ(platform.EventPasses, 1);

  TickingPlatform ticking;
  TForm1 second(ticking);
  second.SetFixedSeed(3);
  std::uint32_t last = ticking.Clock;
  std::uint32_t widest = 0;
  ticking.EventHook = [&] {
    widest = std::max(widest, ticking.Clock - last);
    last = ticking.Clock;
  };
  const std::uint32_t start = ticking.Clock;
  second.Pplasma(second.Image1);
  const std::uint32_t spent = ticking.Clock - start;
  // Hundreds of thousands of subdivisions, but a pass only every 15 ms or so.
  EXPECT_GT(spent, 100000u);
  EXPECT_GE(ticking.EventPasses, static_cast<int>(spent / 40));
  EXPECT_LE(ticking.EventPasses, static_cast<int>(spent / 14) + 1);
  widest = std::max(widest, ticking.Clock - last);
  EXPECT_LE(widest, 40u);
}

}  // namespace
