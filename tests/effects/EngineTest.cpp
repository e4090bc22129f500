#include "tests/effects/EffectFixture.h"

namespace {

using EngineTest = EffectTest;

TEST_F(EngineTest, RunAlongStopsDifferenceAndUnlocksItsOptions) {
  form.Effect1Click();
  form.EffectOut1Click();
  EXPECT_FALSE(form.FDifference);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_TRUE(form.LCheckBox1.Enabled);
  EXPECT_TRUE(form.LCheckBox2.Enabled);
  EXPECT_TRUE(form.LCheckBox3.Enabled);
}

TEST_F(EngineTest, RunAlongStopsVelocityAndShowsTheLockCount) {
  form.VelocityClick();
  EXPECT_FALSE(form.ExtTrackBar1.Enabled);
  form.FVelLock = 3;
  form.EffectOut1Click();
  EXPECT_FALSE(form.FVelocity);
  EXPECT_FALSE(form.Timer3.Enabled);
  EXPECT_TRUE(form.ExtTrackBar1.Enabled);
  EXPECT_EQ(form.HintLabel1.Caption, "lock 3");

  form.VelocityClick();
  form.EffectOut1Click();
  EXPECT_EQ(form.HintLabel1.Caption, "");
}

TEST_F(EngineTest, RunAlongStopsDeep) {
  form.RectButtonClick();
  form.EffectOut1Click();
  EXPECT_FALSE(form.FDeep);
  EXPECT_FALSE(form.Timer5.Enabled);
}

TEST_F(EngineTest, RunAlongLetsTheArtsTimerStopItself) {
  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  ASSERT_TRUE(form.FArts);
  form.EffectOut1Click();
  EXPECT_FALSE(form.FArts);
  EXPECT_TRUE(form.Timer4.Enabled);
  const int repaints = platform.Repaints;
  form.Timer4Timer();
  EXPECT_FALSE(form.Timer4.Enabled);
  EXPECT_TRUE(form.Label3.Transparent);
  EXPECT_EQ(platform.Repaints, repaints);  // no picture after the stop
}

TEST_F(EngineTest, RunAlongWorksDuringABatchJob) {
  form.RectButtonClick();
  form.FBusy = true;
  form.EffectOut1Click();
  EXPECT_FALSE(form.FDeep);
  EXPECT_FALSE(form.Timer5.Enabled);
}

TEST_F(EngineTest, StartingOneEffectStopsAnother) {
  form.VelocityClick();
  form.Effect1Click();
  EXPECT_FALSE(form.FVelocity);
  EXPECT_FALSE(form.Timer3.Enabled);
  EXPECT_TRUE(form.ExtTrackBar1.Enabled);
  EXPECT_TRUE(form.FDifference);

  form.RectButtonClick();
  EXPECT_FALSE(form.FDifference);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_TRUE(form.LCheckBox1.Enabled);
  EXPECT_TRUE(form.FDeep);

  form.fineartsClick();
  EXPECT_FALSE(form.FDeep);
  EXPECT_FALSE(form.Timer5.Enabled);

  form.LCheckBox23.Checked = true;
  form.fineartsClick();
  ASSERT_TRUE(form.FArts);
  form.VelocityClick();
  EXPECT_FALSE(form.FArts);
  EXPECT_TRUE(form.FVelocity);
  // Only one running flag at a time.
  EXPECT_EQ(form.FDifference + form.FVelocity + form.FArts + form.FDeep, 1);
}

TEST_F(EngineTest, RestartKeepsTheEffectRunning) {
  form.RectButtonClick();
  form.Timer5Timer();
  form.RectButtonClick();
  EXPECT_TRUE(form.FDeep);
  EXPECT_TRUE(form.Timer5.Enabled);
  form.Effect1Click();
  form.Effect1Click();
  EXPECT_TRUE(form.FDifference);
  EXPECT_TRUE(form.Timer1.Enabled);
  EXPECT_FALSE(form.LCheckBox1.Enabled);
}

TEST_F(EngineTest, NothingStartsDuringABatchJob) {
  form.FBusy = true;
  form.Effect1Click();
  form.VelocityClick();
  form.fineartsClick();
  form.RectButtonClick();
  EXPECT_FALSE(form.AnyEffect());
  for (TTimer* t : form.Timers()) EXPECT_FALSE(t->Enabled) << t->Name;
  EXPECT_EQ(platform.Repaints, 0);
}

TEST_F(EngineTest, AStoppedTimerTickDrawsNothing) {
  form.Effect1Click();
  form.EffectOut1Click();
  form.Image1.Picture.Fill(clWhite);
  form.Timer1Timer();
  form.Timer3Timer();
  form.Timer5Timer();
  EXPECT_EQ(Colours(), std::set<TColor>{clWhite});
}

}  // namespace
