#include <vector>

#include "tests/effects/EffectFixture.h"

namespace {

constexpr TColor kGrey = RGBColor(231, 231, 231);

using DeepTest = EffectTest;

TEST_F(DeepTest, StartFillsTheGroundOrFadesToItAndLeavesThePageFlagsAlone) {
  form.Image1.Picture.Fill(RGBColor(1, 2, 3));
  form.FPageShown = form.FArtsCanvas = true;
  form.FRedraw = form.FBColor = false;
  form.RectButtonClick();
  EXPECT_EQ(form.Image1.Hint, "Deep (Mu-gen)");
  EXPECT_TRUE(form.FDeep && form.Timer5.Enabled && form.Deep.Color == kGrey && AllBlack());
  EXPECT_TRUE(form.FPageShown && form.FArtsCanvas && !form.FRedraw && !form.FBColor);

  form.EffectOut1Click();
  form.FBlackRect = false;
  form.RectButtonClick();
  EXPECT_EQ(Colours(), std::set<TColor>{kGrey});

  form.EffectOut1Click();
  form.GColor = RGBColor(10, 200, 30);
  form.Image1.Picture.Fill(RGBColor(10, 200, 30));
  platform.Repaints = 0;
  form.RectButtonClick();
  EXPECT_GE(platform.Repaints, 27);  // the 27 steps of the fade to light grey are shown
  EXPECT_TRUE(form.FBColor && Colours() == std::set<TColor>{kGrey});
}

TEST_F(DeepTest, InsetBreathesWithARestAtEachEnd) {
  form.RectButtonClick();
  ASSERT_EQ(form.Deep.Inset, 5);
  std::vector<int> seen;
  for (int t = 0; t < 200; ++t) {
    form.Timer5Timer();
    seen.push_back(form.Deep.Inset);
  }
  std::vector<int> expected;
  for (int d = 8; d <= 242; d += 3) expected.push_back(d);
  expected.push_back(242);  // rest, turn
  for (int d = 239; d >= 2; d -= 3) expected.push_back(d);
  expected.push_back(2);  // rest, turn
  for (int d = 5; expected.size() < seen.size(); d += 3) expected.push_back(d);
  EXPECT_EQ(seen, expected);
}

TEST_F(DeepTest, FirstFrameIsLightGreyThenTheWalkColoursFramesThatSmearDown) {
  form.Deep.Next = 0x123456;
  form.RectButtonClick();
  TABitmap& pic = form.Image1.Picture;
  for (int x = 0; x < 640; ++x) pic.SetPixel(x, 0, RGBColor(200, 0, 0));
  form.Timer5Timer();
  // The left side of the frame at inset 5; the smear leaves a vertical line as it is.
  EXPECT_EQ(std::pair(pic.Pixel(5, 240), form.Deep.Color), std::pair(kGrey, TColor{0x123456}));
  // The top row keeps its line and smears it down by halves.
  EXPECT_EQ((std::array{pic.Pixel(320, 0), pic.Pixel(320, 1), pic.Pixel(320, 2)}),
            (std::array{RGBColor(200, 0, 0), RGBColor(100, 0, 0), clBlack}));
  form.Timer5Timer();
  EXPECT_EQ(pic.Pixel(8, 240), 0x123456);
  for (int t = 0; t < 20; ++t) form.Timer5Timer();
  EXPECT_EQ(pic.Pixel(320, 0), RGBColor(200, 0, 0));
  EXPECT_GT(ColorR(pic.Pixel(320, 3)), 100);  // the red keeps spreading downwards
}

TEST_F(DeepTest, SeparationDrawsOneSideAPhaseAndAdvancesAtEachTurn) {
  form.SepaCheckBox.Checked = true;
  form.Deep.Next = 0x404040;
  form.RectButtonClick();
  form.Timer5Timer();
  const TABitmap& pic = form.Image1.Picture;
  // Phase 0: the bottom line, row H - d, half smeared into the black row above it.
  EXPECT_EQ(std::pair(pic.Pixel(320, 475), pic.Pixel(5, 240)),
            std::pair(RGBColor(115, 115, 115), clBlack));

  form.Deep.Inset = 242;
  for (int t = 0; t < 2; ++t) {  // turns inwards, then holds its phase
    form.Timer5Timer();
    EXPECT_EQ(form.Deep.Phase, 1) << "tick " << t + 1;
  }
  form.Image1.Picture.Fill(clBlack);
  const int d = form.Deep.Inset;
  const TColor colour = form.Deep.Color;
  ASSERT_NE(colour, clBlack);
  form.Timer5Timer();  // phase 1: the two upright lines
  EXPECT_EQ(std::pair(pic.Pixel(d, 240), pic.Pixel(320, d)), std::pair(colour, clBlack));

  // Phase 4 wraps to 1 at the outer turn; without separation the phase stays.
  for (const bool separate : {true, false}) {
    form.SepaCheckBox.Checked = separate;
    form.Deep.Phase = separate ? 4 : 1;
    form.Deep.Inset = separate ? 2 : 242;
    form.Deep.Out = !separate;
    form.Timer5Timer();
    EXPECT_EQ(form.Deep.Phase, 1) << (separate ? "separation, phase 4" : "frames, phase 1");
  }
}

// The walk steps by 65535 while it stays in 24 bits, turns down at the top and
// restarts below 65535 when it would fall under it; a batch job holds it.
TEST_F(DeepTest, ColourWalkTurnsAtTheTopAndRestartsLowAtTheBottom) {
  const std::tuple<int, bool, int, bool> rows[] = {{100000, true, 165535, true},
                                                   {16568930, true, 16634465, false},
                                                   {16634465, false, 16568930, false},
                                                   {196606, false, 131071, false}};
  for (const auto& [next, up, nextAfter, upAfter] : rows) {
    std::tie(form.Deep.Next, form.Deep.Up) = std::tuple(next, up);
    form.ColorChange();
    EXPECT_EQ(std::tuple(form.Deep.Color, form.Deep.Next, form.Deep.Up),
              std::tuple(TColor(next), nextAfter, upAfter))
        << "from " << next << (up ? " rising" : " falling");
  }
  form.ColorChange();
  EXPECT_TRUE(form.Deep.Next >= 0 && form.Deep.Next < 65535 && form.Deep.Up) << form.Deep.Next;
  form.FBusy = true;
  const int next = form.Deep.Next;
  form.ColorChange();
  EXPECT_EQ(form.Deep.Next, next);
}

}  // namespace
