// The two page renderers: what reaches the view, how many blends and repaints
// the fade-ins make, the batch hand-off and the closing field updates.
#include <gtest/gtest.h>

#include <algorithm>

#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "render/Leaves.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

class Renderer : public ::testing::Test {
 protected:
  Renderer() : form(platform) {
    form.SetFixedSeed(3);
    form.GColor = clWhite;
    form.FoColor = clBlack;
    std::string text;
    for (int i = 0; i < 40; ++i)
      text += Sjis("吾輩は猫である。名前はまだ無い。どこで生れたか") + "\r\n";
    form.Editor2.Lines.SetText(text);
    form.FQuiEcri();
    form.FFileIn = false;
    form.FPage = 2;
    form.FOutDir = dir.Path().string() + "/";
    form.FProgramDir = dir.Path().string();
  }
  // The page as composed for the view: stamped with its number only when turned.
  TABitmap ExpectedPage(bool qvga) {
    form.FRetsuIist();
    TABitmap page(qvga ? 320 : 640, qvga ? 240 : 480);
    ComposePage(form, page, qvga, form.TurnCheckBox.Checked);
    return page;
  }
  testsupport::TempDir dir;
  HeadlessPlatform platform;
  TForm1 form;
};

// Repaints of two pages in a row: the second is drawn with a page on the view,
// so a fade-out comes first when one is asked for.
TEST_F(Renderer, FadesAndFallenLeavesMakeTheirBlendsAndRepaints) {
  const std::tuple<const char*, bool, bool, bool, bool, int, int> cases[] = {
      {"plain", false, false, false, false, 1, 1},
      {"fade-in", false, true, false, false, 17 + 1, 17 + 1},
      {"leaves", false, true, true, true, 11 + 17 + 1, 28 + 11 + 17 + 1},
      {"fade-out once shown", false, false, false, true, 1, 28 + 1},
      {"qvga fade-in", true, true, false, false, 17 + 1, 17 + 1},
      {"qvga slower after a fade-out, no leaves", true, true, true, true, 17 + 1, 28 + 24 + 1},
  };
  for (const auto& [name, qvga, fadeIn, leaves, fadeOutSecond, first, second] : cases) {
    SCOPED_TRACE(name);
    form.FPageShown = false;
    form.LCheckBox7.Checked = fadeIn;
    form.LCheckBox11.Checked = leaves && !qvga;
    form.LCheckBox5.Checked = false;
    platform.Repaints = 0;
    // A structured binding is captured by copy: clang before 16 cannot take one by reference.
    const auto draw = [&, qvga = qvga] {
      qvga ? form.Eqriture(form.Image1) : form.Ecriture(form.Image1);
    };
    draw();
    EXPECT_EQ(platform.Repaints, first);
    form.LCheckBox11.Checked = leaves;
    form.LCheckBox5.Checked = fadeOutSecond;
    platform.Repaints = 0;
    draw();
    EXPECT_EQ(platform.Repaints, second);
    // Whatever came before, the view ends on exactly the page.
    EXPECT_TRUE(qvga || form.Image1.Picture == ExpectedPage(false));
    EXPECT_TRUE(form.FPageShown && !form.FFirstShow);
    EXPECT_EQ(form.Image1.Hint, "Quillane");  // named after its text
  }
}

TEST_F(Renderer, FadeFromBlackFirstWhenFlaggedAndTenderlyGrain) {
  form.FBColor = true;
  form.Ecriture(form.Image1);
  EXPECT_TRUE(platform.Repaints == 18 + 1 && !form.FBColor);  // background is not black
  form.GColor = clBlack;
  form.FBColor = true;
  form.Ecriture(form.Image1);
  EXPECT_TRUE(form.FBColor);  // a black background leaves it as it was

  form.LCheckBox6.Checked = true;                        // Tenderly adds grain of 0 to 14
  form.GColor = form.FoColor = RGBColor(100, 100, 100);  // text invisible: the page is plain
  form.Ecriture(form.Image1);
  const std::uint8_t* bytes = form.Image1.Picture.ScanLine(0);
  const auto [low, high] = std::minmax_element(bytes, bytes + 640 * 480 * 3);
  EXPECT_EQ(std::pair(int{*low}, int{*high}), std::pair(100, 114));
}

TEST_F(Renderer, TurnedPagesShowTheirNumberAndTheQvgaPageLeavesTheRestOfTheViewAlone) {
  form.TurnCheckBox.Checked = true;
  for (const bool qvga : {false, true}) {
    form.Image1.Picture.Fill(RGBColor(9, 8, 7));
    TABitmap expected = form.Image1.Picture;
    ExpectedPage(qvga).CopyTo(expected, 0, 0);
    qvga ? form.Eqriture(form.Image1) : form.Ecriture(form.Image1);
    EXPECT_TRUE(form.Image1.Picture == expected) << qvga;
  }
}

// The writers belong to the export; whatever they make of this scratch setup,
// a batch page never reaches the view and the last page ends the batch.
TEST_F(Renderer, BatchPagesAreNeverShownAndTheLastPageEndsTheBatch) {
  form.Image1.Picture.Fill(RGBColor(9, 8, 7));
  const TABitmap before = form.Image1.Picture;
  form.FBatchSave = form.LCheckBox7.Checked = form.LCheckBox6.Checked = true;
  form.FPage = form.FAllPage;
  form.Dispatch([&] { form.Ecriture(form.Image1); });
  // The batch flag is cleared before the writer runs.
  EXPECT_TRUE(form.Image1.Picture == before && platform.Repaints == 0 && !form.FBatchSave);
  EXPECT_TRUE(form.FPageShown || !platform.Errors.empty());

  form.FBatchSave = form.FBatchExif = form.FBatchThumb = true;
  form.FBatchLastPage = form.FAllPage + 1;  // not the last page yet
  form.Dispatch([&] { form.Eqriture(form.Image1); });
  EXPECT_TRUE(form.FBatchSave && form.FBatchExif && form.FBatchThumb && platform.Repaints == 0);
  form.FBatchLastPage = form.FPage;
  form.Dispatch([&] { form.Eqriture(form.Image1); });
  EXPECT_FALSE((form.FBatchSave || form.FBatchExif || form.FBatchThumb) && platform.Errors.empty());
}

// Sample and hold in runs: rows 1 and 5 of every six keep every pixel; sizes
// up to 4 act as 5 and even sizes round up.
TEST(FallenLeaves, RunsRepeatAPixelAtOrLeftOfThemAndSizesRound) {
  TRandom random(11);
  TABitmap original(64, 24);
  original.AddNoise(255, random);
  const auto smear = [&](int size) {
    TABitmap b = original;
    PLeaves(b, size);
    return b;
  };
  const TABitmap smeared = smear(7);
  for (int y = 0; y < 24; ++y) {
    const bool same =
        std::equal(smeared.ScanLine(y), smeared.ScanLine(y) + 64 * 3, original.ScanLine(y));
    EXPECT_EQ(same, y % 6 == 1 || y % 6 == 5) << "row " << y;
    for (int x = 0; x < 64; ++x) {
      bool found = false;
      for (int from = 0; from <= x && !found; ++from)
        found = smeared.Pixel(x, y) == original.Pixel(from, y);
      ASSERT_TRUE(found) << x << "," << y;
    }
  }
  const TABitmap five = smear(5);
  for (int size = 1; size <= 4; ++size) EXPECT_TRUE(smear(size) == five) << size;
  EXPECT_TRUE(smear(6) == smeared);
  EXPECT_FALSE(smeared == five);
}

}  // namespace
