#include <algorithm>
#include <cstdint>
#include <utility>

#include "tests/effects/EffectFixture.h"

namespace {

using EngineTest = EffectTest;

// For each effect: nothing starts during a batch job; Run Along stops it even
// during one and frees the options it locked; a late tick then draws nothing.
TEST_F(EngineTest, RunAlongStopsEachEffectEvenDuringABatchJob) {
  using Handler = void (TForm1::*)();
  const std::tuple<const char*, Handler, Handler, bool TForm1::*, TTimer TForm1::*> cases[] = {
      {"difference", &TForm1::Effect1Click, &TForm1::Timer1Timer, &TForm1::FDifference,
       &TForm1::Timer1},
      {"velocity", &TForm1::VelocityClick, &TForm1::Timer3Timer, &TForm1::FVelocity,
       &TForm1::Timer3},
      {"deep", &TForm1::RectButtonClick, &TForm1::Timer5Timer, &TForm1::FDeep, &TForm1::Timer5},
      {"arts", &TForm1::fineartsClick, &TForm1::Timer4Timer, nullptr, &TForm1::Timer4},
  };
  for (const auto& [name, start, tick, flag, timer] : cases)
    for (bool busy : {false, true}) {
      SCOPED_TRACE(testing::Message() << name << (busy ? " busy" : ""));
      form.FBusy = true;
      platform.Repaints = 0;
      (form.*start)();
      EXPECT_FALSE(form.AnyEffect() || (form.*timer).Enabled);
      EXPECT_EQ(platform.Repaints, 0);
      if (!flag) continue;  // a single picture runs to its end
      form.FBusy = false;
      (form.*start)();
      ASSERT_TRUE(form.*flag);
      form.FBusy = busy;
      form.EffectOut1Click();
      EXPECT_FALSE(form.*flag || (form.*timer).Enabled);
      EXPECT_TRUE(form.LCheckBox1.Enabled && form.LCheckBox2.Enabled && form.LCheckBox3.Enabled);
      EXPECT_TRUE(form.ExtTrackBar1.Enabled);
      form.Image1.Picture.Fill(clWhite);
      (form.*tick)();
      EXPECT_EQ(Colours(), std::set<TColor>{clWhite});
    }
}

TEST_F(EngineTest, RunAlongShowsTheLockCountStopsArtsAndOnlyOneEffectRunsAtATime) {
  form.VelocityClick();
  form.Vel.Lock = 3;
  form.EffectOut1Click();
  EXPECT_EQ(form.HintLabel1.Caption, "lock 3");
  form.VelocityClick();
  form.EffectOut1Click();
  EXPECT_EQ(form.HintLabel1.Caption, "");

  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  ASSERT_TRUE(form.FArts);
  form.EffectOut1Click();
  EXPECT_TRUE(!form.FArts && form.Timer4.Enabled);
  const int repaints = platform.Repaints;
  form.Timer4Timer();
  EXPECT_TRUE(!form.Timer4.Enabled && form.Label3.Transparent);
  EXPECT_EQ(platform.Repaints, repaints);  // no picture after the stop

  form.LCheckBox23.Checked = false;
  form.VelocityClick();
  form.Effect1Click();
  EXPECT_FALSE(form.FVelocity || form.Timer3.Enabled);
  EXPECT_TRUE(form.ExtTrackBar1.Enabled);
  form.RectButtonClick();
  EXPECT_FALSE(form.FDifference || form.Timer1.Enabled);
  EXPECT_TRUE(form.LCheckBox1.Enabled);
  form.fineartsClick();
  EXPECT_FALSE(form.FDeep || form.Timer5.Enabled);
  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  ASSERT_TRUE(form.FArts);
  form.VelocityClick();
  EXPECT_FALSE(form.FArts);
  EXPECT_EQ(form.FDifference + form.FVelocity + form.FArts + form.FDeep, 1);

  form.RectButtonClick();  // starting the running effect again keeps it running
  form.Timer5Timer();
  form.RectButtonClick();
  EXPECT_TRUE(form.FDeep && form.Timer5.Enabled);
  form.Effect1Click();
  form.Effect1Click();
  EXPECT_TRUE(form.FDifference && form.Timer1.Enabled);
  EXPECT_FALSE(form.LCheckBox1.Enabled);
}

}  // namespace

// The engines take the picture's size from the picture they are given, so a
// camera-size (QVGA) picture keeps every effect inside it.
TEST(EffectEngines, WorkWithinThePictureTheyAreGiven) {
  TABitmap picture(320, 240);
  TRandom random(5);

  TDifferenceState diff;
  StartDifference(diff, {true, false, false}, 320, 240, random);
  EXPECT_EQ(diff.Rect[0][0], (TRect{0, 0, 320, 240}));
  while (diff.Count <= 2 * diff.Steps) DifferenceTick(diff, {true, false, false}, picture, random);
  for (int t = 0; t < 500; ++t) {
    DifferenceTick(diff, {true, false, false}, picture, random);
    const TRect& head = diff.Rect[0][0];
    ASSERT_TRUE(head.Left >= 0 && head.Right <= 319 && head.Top >= 0 && head.Bottom <= 239)
        << "wander tick " << t + 1;
  }

  TArtsState arts;
  MakePlasma(arts.Map, 320, 240, random, [] {});
  int unset = 0, outside = 0;  // inside but for the seeded corners; nothing outside
  for (int y = 0; y < kPlasmaHeight; ++y)
    for (int x = 0; x < kPlasmaWidth; ++x) {
      const bool in = x < 320 && y < 240, corner = x % 319 == 0 && y % 239 == 0;
      const std::uint8_t v = arts.Map[static_cast<std::size_t>(y) * kPlasmaWidth + x];
      unset += in && !corner && v == 0;
      outside += !in && v != 0;
    }
  EXPECT_EQ(std::pair(unset, outside), std::pair(0, 0));

  TDeepState deep;  // breathes in to half the height, not to the window's 240
  int deepest = 0;
  for (int t = 0; t < 100; ++t) {
    DeepTick(deep, picture, false);
    deepest = std::max(deepest, deep.Inset);
  }
  EXPECT_EQ(deepest, 122);

  TVelocityState vel;
  TVelocityOptions clock;
  clock.Clock = true;
  TPoint centre{300, 10};
  StartVelocity(vel, clock, centre, 320, 240, random);
  EXPECT_EQ(centre, (TPoint{160, 120}));
  for (const TRect& dot : vel.Dots)
    ASSERT_TRUE(dot.Top >= 0 && dot.Top < 240 && dot.Left >= 0 && dot.Left < 320);
}
