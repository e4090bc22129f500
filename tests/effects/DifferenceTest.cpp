#include <algorithm>

#include "tests/effects/EffectFixture.h"

namespace {

class DifferenceTest : public EffectTest {
 protected:
  void Start(bool formOpt, bool colour, bool paint) {
    form.LCheckBox1.Checked = formOpt;
    form.LCheckBox2.Checked = colour;
    form.LCheckBox3.Checked = paint;
    form.Effect1Click();
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) form.Timer1Timer();
  }
  // Runs ticks until the wander phase has begun.
  void RunOpening() {
    while (form.Diff.Count <= 2 * form.Diff.Steps) form.Timer1Timer();
  }
  // Every colour of the picture is one of the first 26 entries of the table.
  void ExpectColoursFrom(const TColor* table) {
    const std::set<TColor> allowed(table, table + 26);
    for (TColor c : Colours()) EXPECT_TRUE(allowed.count(c)) << std::hex << c;
  }
};

// The options choose one trail or two and how long the opening sweep lasts
// (2N ticks); each corner starts with a random speed of 1 to 16 either way.
TEST_F(DifferenceTest, OptionsChooseTheTrailsAndTheLengthOfTheOpening) {
  const std::tuple<bool, bool, bool, int, int> rows[] = {
      {0, 0, 0, 2, 25}, {0, 1, 0, 2, 25}, {0, 0, 1, 1, 25}, {0, 1, 1, 1, 25},
      {1, 0, 0, 1, 30}, {1, 1, 0, 1, 30}, {1, 0, 1, 1, 35}, {1, 1, 1, 1, 28}};
  for (const auto& [f, c, p, sets, n] : rows) {
    Start(f, c, p);
    SCOPED_TRACE(testing::Message() << "Form " << f << ", Color " << c << ", Paint " << p);
    EXPECT_EQ(std::pair(form.Diff.Sets, form.Diff.Steps), std::pair(sets, n));
    for (int v : form.Diff.Vel[0]) EXPECT_TRUE(v != 0 && v >= -16 && v <= 16) << v;
  }
  std::set<int> speeds;  // both signs, never zero
  for (int i = 0; i < 5000; ++i) speeds.insert(DiffRandomSpeed(form.Rng));
  EXPECT_TRUE(speeds.size() == 32u && speeds.count(0) == 0u);
}

TEST_F(DifferenceTest, StartLocksOptionsSetsFlagsAndFadesOnlyFromAColour) {
  form.GColor = clBlack;
  form.Image1.Picture.Fill(clWhite);
  form.FPageShown = form.FArtsCanvas = true;
  form.FRedraw = false;
  Start(true, false, false);
  EXPECT_TRUE(form.FDifference && form.Timer1.Enabled && form.FBColor && form.FRedraw);
  EXPECT_FALSE(form.LCheckBox1.Enabled || form.LCheckBox2.Enabled || form.LCheckBox3.Enabled);
  EXPECT_FALSE(form.FPageShown || form.FFirstShow || form.FArtsCanvas);
  EXPECT_EQ(form.Image1.Hint, "difference");
  EXPECT_TRUE(platform.Repaints == 0 && AllBlack());  // a black background skips the fade

  form.EffectOut1Click();
  form.GColor = clWhite;
  form.Image1.Picture.Fill(clWhite);
  form.Effect1Click();
  EXPECT_GE(platform.Repaints, 17);  // every step of the fade to black is shown
}

TEST_F(DifferenceTest, OpeningHeadSweepsInStopsAtTheCentreOrCrossesOverThenWanders) {
  Start(false, false, true);  // step (12, 9), no crossing without "Form"
  Ticks(26);
  EXPECT_EQ(form.Diff.Rect[0][0], (TRect{312, 234, 328, 246}));
  EXPECT_EQ(form.Diff.Rect[0][1], (TRect{300, 225, 340, 255}));
  form.Timer1Timer();  // tick 27 passes the centre: both corners held there
  EXPECT_EQ(form.Diff.Rect[0][0], (TRect{320, 240, 320, 240}));

  Start(true, false, true);  // N = 35, step (9, 6)
  Ticks(40);
  EXPECT_EQ(form.Diff.Rect[0][0], (TRect{360, 240, 280, 240}));

  // The wander starts with every trail entry on the head of tick N.
  const std::tuple<bool, bool, TRect> rows[] = {{false, false, {300, 225, 340, 255}},
                                                {false, true, {315, 210, 325, 270}},
                                                {true, true, {308, 224, 332, 256}}};
  for (const auto& [colour, formOpt, from] : rows) {
    Start(formOpt, colour, true);
    const int n = form.Diff.Steps;
    Ticks(2 * n);
    for (int i = 0; i <= n; ++i) EXPECT_EQ(form.Diff.Rect[0][i], from) << "entry " << i;
    EXPECT_EQ(form.Diff.Count, 2 * n + 1);
  }

  form.Image1.Picture.Fill(clWhite);
  Start(false, false, false);
  form.Image1.Picture.Fill(clWhite);  // whatever is shown, the one opening tick clears it
  form.Timer1Timer();
  EXPECT_EQ(form.Diff.Count, 51);
  EXPECT_TRUE(AllBlack());
  for (int s = 0; s < 2; ++s) EXPECT_EQ(form.Diff.Rect[s][0], (TRect{320, 240, 320, 240}));
}

TEST_F(DifferenceTest, WanderCornersStayInsideThePicture) {
  Start(true, false, false);
  RunOpening();
  TRect& head = form.Diff.Rect[0][0];
  ASSERT_EQ(head, (TRect{0, 0, 640, 480}));
  std::copy_n(std::array{-4, -16, 7, 3}.begin(), 4, form.Diff.Vel[0]);
  form.Timer1Timer();
  // Left and Top lay on the edge, so their speeds were renewed; the far corner is pulled back.
  EXPECT_EQ(std::pair(head.Right, head.Bottom), std::pair(639, 479));
  EXPECT_TRUE(head.Left >= 0 && head.Left <= 16) << head.Left;
  for (int t = 0; t < 2000; ++t) {
    form.Timer1Timer();
    ASSERT_TRUE(head.Left >= 0 && head.Left <= 639 && head.Right >= 0 && head.Right <= 639);
    ASSERT_TRUE(head.Top >= 0 && head.Top <= 479 && head.Bottom >= 0 && head.Bottom <= 479);
  }
}

TEST_F(DifferenceTest, PaintTunnelAndFramesUseTheirTablesAndFillTheirShapes) {
  Start(false, false, true);
  Ticks(30);
  ExpectColoursFrom(form.Diff.ColorC[0]);
  // Entry 25, the dark blue 17, lies around the tunnel's mouth.
  EXPECT_EQ(form.Image1.Picture.Pixel(0, 0), RGBColor(0, 0, 17));
  RunOpening();
  Ticks(40);
  ExpectColoursFrom(form.Diff.ColorA[0]);
  // Filled shapes have insides: pixels whose eight neighbours share their colour.
  const TABitmap& pic = form.Image1.Picture;
  int inside = 0;
  for (int y = 1; y < 479; ++y)
    for (int x = 1; x < 639; ++x) {
      const TColor c = pic.Pixel(x, y);
      bool same = c != clBlack;
      for (int dy = -1; dy <= 1 && same; ++dy)
        for (int dx = -1; dx <= 1 && same; ++dx) same = pic.Pixel(x + dx, y + dy) == c;
      inside += same;
    }
  EXPECT_GT(inside, 100);
}

}  // namespace
