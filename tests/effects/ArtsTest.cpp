#include <algorithm>
#include <utility>
#include <vector>

#include "tests/effects/EffectFixture.h"

namespace {

// A clock that moves on by one millisecond whenever it is read.
class TickingPlatform : public HeadlessPlatform {
 public:
  std::uint32_t TickCount() override { return ++Clock; }
};

class ArtsTest : public EffectTest {
 protected:
  // The lowest and highest value of each channel (R, G, B) over the picture.
  std::pair<std::array<int, 3>, std::array<int, 3>> Range() const {
    std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
    for (const TColor c : Colours()) {
      const int v[] = {ColorR(c), ColorG(c), ColorB(c)};
      for (int i = 0; i < 3; ++i)
        low[i] = std::min(low[i], v[i]), high[i] = std::max(high[i], v[i]);
    }
    return {low, high};
  }
};

// Heights lie in 1..255 (the seeded corners may be 0); the picture uses one
// channel and is no darker than its level.
TEST_F(ArtsTest, PictureIsOneChannelOfHeightsAboveItsLevel) {
  for (int seed = 1; seed <= 4; ++seed) {
    form.SetFixedSeed(seed);
    form.Pplasma(form.Image1);
    ASSERT_EQ(form.Arts.Map.size(), 640u * 480u);
    int zeros = 0;  // outside the four corners
    for (int i = 0; i < 640 * 480; ++i)
      zeros += form.Arts.Map[i] < 1 && (i % 640 % 639 != 0 || i / 640 % 479 != 0);
    EXPECT_EQ(zeros, 0) << "seed " << seed;
  }
  form.SetFixedSeed(12345);
  form.FArtsCanvas = true;
  for (const bool green : {false, true}) {
    form.LCheckBox20.Checked = green;
    form.Fconm = green ? 80 : 125;
    form.Pplasma(form.Image1);
    const auto [low, high] = Range();
    EXPECT_EQ((std::array{high[0], high[green ? 2 : 1]}), (std::array{0, 0}))
        << (green ? "green" : "blue");
    EXPECT_GE(low[green ? 1 : 2], form.Fconm) << (green ? "green" : "blue");
  }
  EXPECT_EQ(form.HintLabel1.Caption, "bright 80");
}

TEST_F(ArtsTest, OnePictureLeavesTheTimerOffAndRepetitionRunsUntilUnchecked) {
  form.GColor = clWhite;
  form.Image1.Picture.Fill(clWhite);
  form.fineartsClick();
  EXPECT_TRUE(!(form.FArts || form.Timer4.Enabled) && form.Label3.Transparent && form.FArtsCanvas);
  const int first = platform.Repaints;
  EXPECT_GT(first, 18);  // the fade to black came first
  form.fineartsClick();  // on its own canvas: 17 blend steps and the copy, no fade
  EXPECT_EQ(platform.Repaints, first + 18);

  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  EXPECT_TRUE(form.FArts && form.Timer4.Enabled && !form.Label3.Transparent);
  const int repaints = platform.Repaints;
  form.fineartsClick();
  EXPECT_EQ(platform.Repaints, repaints);
  form.Timer4Timer();
  EXPECT_EQ(platform.Repaints, repaints + 18);

  for (const bool devenir : {false, true}) {
    TCheckBox& box = devenir ? form.LCheckBox22 : form.LCheckBox23;
    box.Checked = true;
    form.fineartsClick();
    box.Checked = false;
    devenir ? form.LCheckBox22Click() : form.LCheckBox23Click();
    EXPECT_EQ(form.HintLabel1.Caption, devenir ? "Devenir off" : "Repetition off");
    form.Timer4Timer();
    EXPECT_FALSE(form.FArts || form.Timer4.Enabled) << (devenir ? "Devenir" : "Repetition");
  }
}

TEST_F(ArtsTest, DevenirSwingsTwentyPicturesPerColour) {
  form.LCheckBox22.Checked = form.LCheckBox20.Checked = true;  // the swing starts in blue
  form.Arts.Level = 95;                                        // the start sets it back to 80
  form.fineartsClick();
  std::vector<int> levels{80}, darkest;
  std::vector<bool> green;
  for (int k = 0; k < 21; ++k) {
    const auto low = Range().first;
    green.push_back(low[1] > 0);
    darkest.push_back(green.back() ? low[1] : low[2]);
    if (k == 20) break;
    levels.push_back(form.Arts.Level);
    form.Timer4Timer();
  }
  const std::vector<int> swing = {80,  85,  90,  95,  100, 105, 110, 115, 120, 125, 125,
                                  120, 115, 110, 105, 100, 95,  90,  85,  80,  80};
  EXPECT_EQ(levels, swing);
  for (std::size_t k = 0; k < swing.size(); ++k)  // no pixel darker than the picture's level
    EXPECT_TRUE(darkest[k] >= swing[k] && green[k] == (k >= 20)) << "picture " << k + 1;
  EXPECT_EQ(form.HintLabel1.Caption, "bright 85");
}

// While a picture is painted a page turn discards it, another effect keeps the
// view, and a tick or a start is dropped.
TEST(ArtsDuringAPicture, PageTurnOtherEffectTickAndStartAreHandledSafely) {
  for (const int what : {0, 1, 2}) {
    SCOPED_TRACE(what == 0 ? "a page turn" : what == 1 ? "Deep starts" : "a tick and two starts");
    HeadlessPlatform platform;
    TForm1 form(platform);
    form.SetFixedSeed(12345);
    form.LCheckBox23.Checked = what != 1;
    bool fired = false;
    platform.EventHook = [&] {
      if (!form.Arts.Painting || std::exchange(fired, true)) return;
      if (what == 0) {
        form.EffectOut1Click();  // what a page turn does to the effects and the view
        form.FArtsCanvas = false;
        form.Image1.Picture.Fill(clWhite);
      } else if (what == 1) {
        form.RectButtonClick();  // Deep leaves FArtsCanvas set
      } else {
        form.Timer4Timer();
        form.fineartsClick();
        form.Pplasma(form.Image1);
      }
    };
    form.fineartsClick();
    ASSERT_TRUE(fired);
    if (what == 0) {
      EXPECT_EQ(ColoursOf(form.Image1.Picture), std::set<TColor>{clWhite});
      form.Timer4Timer();
      EXPECT_FALSE(form.Timer4.Enabled);
    } else if (what == 1) {
      EXPECT_TRUE(form.FDeep);
      EXPECT_EQ(ColoursOf(form.Image1.Picture), std::set<TColor>{clBlack});
    } else {
      EXPECT_EQ(platform.Repaints, 18);  // one picture only
      EXPECT_TRUE(!form.Arts.Painting && form.FArts && form.Timer4.Enabled);
    }
  }
}

TEST_F(ArtsTest, EventsAreHandledOnlyWhenTimeHasPassed) {
  form.Pplasma(form.Image1);  // the clock stands still: one pass at the start
  EXPECT_EQ(platform.EventPasses, 1);

  TickingPlatform ticking;
  TForm1 second(ticking);
  second.SetFixedSeed(3);
  std::uint32_t last = ticking.Clock, widest = 0;
  ticking.EventHook = [&] {
    widest = std::max(widest, ticking.Clock - last);
    last = ticking.Clock;
  };
  const std::uint32_t start = ticking.Clock;
  second.Pplasma(second.Image1);
  const std::uint32_t spent = ticking.Clock - start;
  // Hundreds of thousands of subdivisions, but a pass only every 15 ms or so.
  const auto passes = static_cast<std::uint32_t>(ticking.EventPasses);
  EXPECT_TRUE(spent > 100000u && passes >= spent / 40 && passes <= spent / 14 + 1) << passes;
  EXPECT_LE(std::max(widest, ticking.Clock - last), 40u);
}

}  // namespace
