// Fades of the page view, the fade buttons, the random background and Pause.
#include "tests/effects/EffectFixture.h"

namespace {

constexpr TColor kGrey = RGBColor(231, 231, 231);

class Fades : public EffectTest {
 protected:
  Fades() { form.Image1.Picture.Fill(RGBColor(200, 10, 90)); }
  bool ViewIsPlain(TColor color) const { return Colours() == std::set<TColor>{color}; }
};

TEST_F(Fades, EachFadeBlendsItsStepsEndsPlainAndSetsTheFlagAsItShould) {
  // Name, fade, repaints, the plain colour it ends on, FBColor after (it starts true).
  const std::tuple<const char*, void (*)(TForm1&), int, TColor, bool> cases[] = {
      {"out to a colour", [](TForm1& f) { f.PFadeOut(f.Image1, RGBColor(10, 20, 30)); }, 28,
       RGBColor(10, 20, 30), false},
      {"out to black", [](TForm1& f) { f.PFadeOut(f.Image1, clBlack); }, 28, clBlack, true},
      {"black", [](TForm1& f) { f.PFadeOutB(f.Image1); }, 18, clBlack, true},
      {"grey", [](TForm1& f) { f.PFadeOutW(f.Image1); }, 28, kGrey, true},
      {"in to a colour", [](TForm1& f) { f.PFadeInG(f.Image1, clWhite); }, 18, clWhite, true},
  };
  for (const auto& [name, fade, repaints, end, flagAfter] : cases) {
    SCOPED_TRACE(name);
    form.Image1.Picture.Fill(RGBColor(200, 10, 90));
    form.FBColor = true;
    platform.Repaints = 0;
    fade(form);
    EXPECT_EQ(platform.Repaints, repaints);
    EXPECT_TRUE(ViewIsPlain(end) && form.FBColor == flagAfter);
  }
  form.FBColor = false;
  form.LCheckBox6.Checked = true;  // grain only ever touches PFadeOut
  form.PFadeOutB(form.Image1);
  EXPECT_TRUE(ViewIsPlain(clBlack) && form.FBColor);
  // There it ends on the colour with 0 to 14 added to every byte.
  form.PFadeOut(form.Image1, RGBColor(50, 50, 50));
  std::set<int> bytes;
  for (TColor c : Colours()) bytes.insert({ColorR(c), ColorG(c), ColorB(c)});
  EXPECT_EQ(std::pair(*bytes.begin(), *bytes.rbegin()), std::pair(50, 64));
}

TEST_F(Fades, FadeStepsApproachTheTargetMonotonically) {
  struct Watch : HeadlessPlatform {
    TForm1* form = nullptr;
    std::vector<int> seen;
    void Repaint() override {
      HeadlessPlatform::Repaint();
      seen.push_back(form->Image1.Picture.ScanLine(0)[0]);
    }
  } watch;
  TForm1 watched(watch);
  watch.form = &watched;
  watched.Image1.Picture.Fill(clWhite);
  watched.PFadeOutB(watched.Image1);
  const std::vector<int>& seen = watch.seen;
  ASSERT_EQ(seen.size(), 18u);
  EXPECT_EQ(seen[0], 255 * 231 / 256);  // 25/256 of the way to black
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i], seen[i - 1]);
  EXPECT_TRUE(seen[16] > 0 && seen[17] == 0);  // only the final copy reaches black
}

TEST_F(Fades, FadeButtonsAskForARedrawOnce) {
  form.FPageShown = true;
  form.FRedraw = false;
  form.FOBlack1Click();
  EXPECT_TRUE(ViewIsPlain(clBlack) && !form.FPageShown && form.FRedraw && form.FBColor);

  form.GColor = RGBColor(30, 60, 90);
  form.FPageShown = true;
  platform.Repaints = 0;
  for (int k = 0; k < 2; ++k) form.Fadeout1Click();  // the second click finds no page
  EXPECT_TRUE(platform.Repaints == 28 && !form.FPageShown && !form.FBColor);
}

TEST_F(Fades, RandomBackgroundsAreBlueGreysWhenCoolAndBluelessOtherwise) {
  for (const bool cool : {true, false}) {
    form.LCheckBox4.Checked = cool;
    std::set<TColor> seen;
    for (int i = 0; i < 100; ++i) {
      form.SetFixedSeed(static_cast<std::uint64_t>(i) * 7919);
      form.BGChangeClick();
      const int r = ColorR(form.GColor), g = ColorG(form.GColor), b = ColorB(form.GColor);
      ASSERT_TRUE(cool ? b >= 60 && b <= 167 && std::abs(g - b) <= 20 && std::abs(r - b) <= 20
                       : b == 0)
          << cool << " " << r << "," << g << "," << b;
      ASSERT_TRUE(form.GLabel.Color == form.GColor && ViewIsPlain(form.GColor));
      seen.insert(form.GColor);
    }
    EXPECT_GT(seen.size(), 1u);
  }
  EXPECT_TRUE(!form.FPageShown && form.FRedraw);
}

TEST_F(Fades, PauseReturnsNoEarlierThanItsDeadlineAndHandlesABreak) {
  int passes = 0;
  platform.EventHook = [&] {
    ++passes;
    platform.Clock += 3;  // events trickle in, each a few milliseconds apart
  };
  const std::uint32_t start = platform.Clock;
  form.Pause(1, 300);
  EXPECT_TRUE(platform.Clock - start >= 1300u && passes > 0);

  form.FBusy = true;
  platform.EventHook = [&] { form.FBusy = false; };
  form.Pause(0, 300);
  EXPECT_FALSE(form.FBusy);
}

}  // namespace
