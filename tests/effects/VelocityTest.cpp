#include <algorithm>
#include <cmath>

#include "effects/VelocityColors.h"
#include "tests/effects/EffectFixture.h"

namespace {

class VelocityTest : public EffectTest {
 protected:
  void Start(bool roadMovie = false, bool clock = false) {
    form.LCheckBox18.Checked = roadMovie;
    form.LCheckBox19.Checked = clock;
    form.VelocityClick();
  }
  // Every dot outside the picture, then one tick: each dot is born again.
  void Rebirth() {
    std::fill(std::begin(form.Vel.Dots), std::end(form.Vel.Dots), TRect{-50, -50, -50, -50});
    form.Timer3Timer();
  }
  void SetTime(int h, int m, int s) { platform.Time = {2026, 12, 6, h, m, s, 0}; }
  // A bright dot on the centre, where the scope sees it.
  void PutInScope(int i, int bright) {
    form.Vel.Dots[i] = {form.Pcx - 2, form.Pcy - 2, form.Pcx + 2, form.Pcy + 2};
    form.Vel.Bright[i] = bright;
  }
};

// The schemes' own tables are the engine's; what shows is that each scheme
// colours every dot with one of five distinct tints: 3 to 6 with one tint each,
// 2 with four, 1, 7 (at random) and 8 with all five; 0 and 9 with none.
TEST(VelocityColours, EverySchemeColoursEveryDotWithOneOfTheFiveTints) {
  TRandom random(1);
  std::set<TColor> tints, single;
  for (int t = 0; t < 5; ++t) tints.insert(DotTint(t, 250));
  ASSERT_EQ(tints.size(), 5u);
  for (int scheme = 1; scheme <= 8; ++scheme) {
    std::set<TColor> used;
    for (int i = 0; i < 100; ++i) used.insert(DotColor(scheme, i, 250, i % 2, random).value());
    EXPECT_TRUE(std::includes(tints.begin(), tints.end(), used.begin(), used.end()));
    EXPECT_EQ(used.size(), scheme >= 3 && scheme <= 6 ? 1u : scheme == 2 ? 4u : 5u) << scheme;
    if (used.size() == 1) single.insert(*used.begin());
  }
  EXPECT_EQ(single.size(), 4u);
  EXPECT_FALSE(DotColor(0, 0, 250, false, random) || DotColor(9, 0, 250, true, random));
}

TEST_F(VelocityTest, DotsNearTheCentreCreepOrAreHeldByTheMiniBlackHole) {
  Start();
  const int cx = form.Pcx, cy = form.Pcy;
  // Hole on, the dot's position from the centre, where its next position goes.
  const int rows[][5] = {{0, 0, -140, -2, -157},
                         {0, 3, 7, 5, 9},
                         {0, -8, 16, -9, 18},
                         {1, 3, -7, 3, -7},
                         {1, 16, 0, 18, 0}};
  for (const auto& [hole, x, y, nx, ny] : rows) {
    form.LCheckBox17.Checked = hole;
    form.Vel.Dots[5] = {100, 100, cx + x, cy + y};
    form.Timer3Timer();
    EXPECT_EQ(form.Vel.Dots[5], (TRect{cx + x, cy + y, cx + nx, cy + ny}))
        << "at " << x << ", " << y << " from the centre" << (hole ? ", hole on" : "");
  }
}

TEST_F(VelocityTest, RoadMovieBirthsFillFourQuadrantsByDot) {
  Start(true);
  const int cx = form.Pcx, cy = form.Pcy;
  Rebirth();
  for (int i = 0; i < 100; ++i) {
    const TRect& d = form.Vel.Dots[i];
    const int sx = (i < 25 || i >= 75) ? -1 : 1, sy = i < 50 ? -1 : 1;
    const int dx = (d.Left - cx) * sx, dy = (d.Top - cy) * sy;
    EXPECT_TRUE(dx >= 1 && dx <= 7 && dy >= 1 && dy <= 7)
        << "dot " << i << " born " << dx << ", " << dy << " out from the centre";
    // Within D of the centre the next position moves 2 pixels outwards.
    EXPECT_EQ((TPoint{d.Right, d.Bottom}), (TPoint{d.Left + 2 * sx, d.Top + 2 * sy}));
  }
}

TEST_F(VelocityTest, ClockBirthsLieOnACircleOfRadiusNinety) {
  SetTime(10, 10, 20);
  Start(false, true);
  ASSERT_EQ(Centre(), (TPoint{320, 240}));
  Rebirth();
  for (int i = 0; i < 100; ++i) {
    const TRect& d = form.Vel.Dots[i];
    EXPECT_TRUE(std::abs(std::hypot(d.Left - 320, d.Top - 240) - 90) <= 1 &&
                form.Vel.Bright[i] == 75)
        << "dot " << i;
  }
  // 10:10:20: the hour hand up and left, the minute hand up and right, the
  // second hand down and right at 30 degrees below the horizontal.
  const auto at = [&](int i) { return TPoint{form.Vel.Dots[i].Left, form.Vel.Dots[i].Top}; };
  EXPECT_TRUE(at(0).x < 320 && at(0).y < 240 && at(30).x > 320 && at(30).y < 240);
  EXPECT_EQ(at(70), (TPoint{320 + 78, 240 + 45}));
  EXPECT_EQ(form.Vel.Hour * 10000 + form.Vel.Min * 100 + form.Vel.Sec, 101020);

  SetTime(12, 0, 0);  // every hand points straight up and stays on the axis
  Start(false, true);
  Rebirth();
  for (int i : {10, 40, 60})
    EXPECT_EQ(std::pair(form.Vel.Dots[i].Left, form.Vel.Dots[i].Right), std::pair(320, 320))
        << "dot " << i;
  form.Pformt = 2;  // no alignment: a birth on the centre column starts two pixels beside it
  Start(false, true);
  Rebirth();
  EXPECT_EQ(form.Vel.Dots[60], (TRect{321, 241, 318, 240 - 90 - 90 / 8}));
}

TEST_F(VelocityTest, ClockStartsCentredKeepsTheCentreInItsBandAndWritesTheTime) {
  form.Pcx = 17, form.Pcy = 30;
  Start(false, true);
  EXPECT_EQ(Centre(), (TPoint{320, 240}));
  EXPECT_TRUE(form.Vel.TargetX >= 240 && form.Vel.TargetX < 400 && form.Vel.TargetY >= 192 &&
              form.Vel.TargetY < 288 && form.Vel.Warm == 0);

  // A centre outside the band is pulled to its edge, and so is the target.
  for (const auto& [from, to] :
       {std::pair{TPoint{10, 470}, TPoint{240, 288}}, {{639, 0}, {400, 192}}}) {
    std::tie(form.Pcx, form.Pcy, form.Vel.TargetX) = std::tuple(from.x, from.y, 5);
    form.Timer3Timer();
    EXPECT_EQ(Centre(), to);
    EXPECT_TRUE(form.Vel.TargetX >= 240 && form.Vel.TargetX < 400);
  }

  SetTime(9, 41, 5);  // the digital time, antialiased greenish grey around the centre
  Start(false, true);
  form.Vel.Warm = 31;
  Rebirth();
  int ink = 0;
  const TABitmap& pic = form.Image1.Picture;
  for (int y = 228; y < 252; ++y)
    for (int x = 290; x < 360; ++x)
      ink += ColorG(pic.Pixel(x, y)) > 60 && ColorB(pic.Pixel(x, y)) < 140;
  EXPECT_GT(ink, 20);
}

TEST_F(VelocityTest, WarmUpShowsThirtyBlackFramesOnlyFromTheStart) {
  Start(true);
  for (int t = 1; t <= 30; ++t) {
    form.Timer3Timer();
    ASSERT_TRUE(AllBlack()) << "tick " << t;
  }
  EXPECT_EQ(std::pair(platform.Repaints, form.Vel.Warm), std::pair(0, 31));
  form.Timer3Timer();  // drawn, but every dot is still dark
  EXPECT_EQ(platform.Repaints, 1);
  for (int t = 0; t < 2; ++t) form.Timer3Timer();
  EXPECT_FALSE(AllBlack());

  HeadlessPlatform other;
  TForm1 second(other);
  second.VelocityClick();
  second.LCheckBox18.Checked = true;  // turned on during a run: no warm-up
  for (int t = 0; t < 2; ++t) second.Timer3Timer();
  EXPECT_EQ(other.Repaints, 2);
}

TEST_F(VelocityTest, TheScopeTurnsRedAndLocksOncePerTickWithBrightHitsUpToItsLimit) {
  form.Pdigi = true;
  Start();
  Rebirth();  // no dot near the centre
  EXPECT_GT(CountPixels(RGBColor(160, 104, 48)), 8);
  for (int i = 0; i < 10; ++i) PutInScope(i, 250);
  form.Timer3Timer();
  EXPECT_TRUE(CountPixels(RGBColor(255, 0, 0)) > 8 && CountPixels(RGBColor(160, 104, 48)) == 0);
  EXPECT_EQ(form.HintLabel1.Caption, "lock 1");
  EXPECT_TRUE(form.Vel.Lock == 1 && !form.Vel.Hit);  // the hit is cleared after drawing

  form.Vel.Lock = 2147482999;
  for (int tick = 0; tick < 2; ++tick) {
    for (int i = 0; i < 10; ++i) PutInScope(i, 250);
    form.Timer3Timer();
    EXPECT_EQ(form.Vel.Lock, 2147483000);
  }

  form.Vel.Lock = 0;
  form.Pform = 2;  // ellipses need brightness above 200
  std::fill(std::begin(form.Vel.Dots), std::end(form.Vel.Dots), TRect{-50, -50, -50, -50});
  PutInScope(0, 200);
  form.Timer3Timer();
  EXPECT_EQ(form.Vel.Lock, 0);
}

TEST_F(VelocityTest, TheMovingCentreFollowsTheMouseOrWandersBySinglePixels) {
  form.LCheckBox16.Checked = true;
  form.Pmouse = true;
  Start();
  form.Timer3Timer();
  EXPECT_EQ(Centre(), (TPoint{320, 240}));  // never over the picture: the middle
  form.Image1MouseMove(100, 50);
  form.Timer3Timer();
  EXPECT_EQ(Centre(), (TPoint{100, 50}));
  form.Pmouse = false;  // the mouse is no longer followed
  form.Image1MouseMove(7, 7);
  EXPECT_EQ(form.Vel.MouseX, 100);

  form.Pmvc = 0;  // without a move level the wandering centre takes single steps
  for (int t = 0; t < 200; ++t) {
    const int x = form.Pcx, y = form.Pcy;
    form.Timer3Timer();
    ASSERT_TRUE(std::abs(form.Pcx - x) <= 1 && std::abs(form.Pcy - y) <= 1);
  }
}

}  // namespace
