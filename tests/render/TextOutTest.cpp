// Where text output puts its ink: origin, escapement, vertical faces, weight
// and width.
#include <gtest/gtest.h>

#include <climits>

#include "render/Canvas.h"
#include "render/Fonts.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

struct Ink {
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  long count = 0;
  double sumX = 0, sumY = 0;
  int Width() const { return maxX - minX + 1; }
  int Height() const { return maxY - minY + 1; }
  double CentreX() const { return sumX / count; }
  double CentreY() const { return sumY / count; }
};

// Pixels that are no longer the white background.
Ink InkOf(const TABitmap& b) {
  Ink ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != clWhite) {
        ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x);
        ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
        ++ink.count;
        ink.sumX += x, ink.sumY += y;
      }
  return ink;
}

TLogFont Font(const std::string& face, int height, int escapement, int weight = 500) {
  TLogFont f;
  f.lfHeight = height;
  f.lfEscapement = escapement;
  f.lfWeight = weight;
  f.lfFaceName = face;
  return f;
}

Ink Draw(const TLogFont& font, int x, int y, const std::string& utf8) {
  TABitmap b(640, 480);
  b.Fill(clWhite);
  TCanvas c(b);
  c.FontColor = clBlack;
  c.SetFont(font);
  c.TextOut(x, y, Sjis(utf8));
  return InkOf(b);
}

TEST(FontFaces, NamesMapToTheInstalledFacesWhoseCellIsTheHeight) {
  const std::pair<const char*, const char*> faces[] = {{"ＭＳ 明朝", "IPAMincho"},
                                                       {"ＭＳ ゴシック", "IPAGothic"},
                                                       {"ＭＳ Ｐ明朝", "IPAPMincho"},
                                                       {"ＭＳ Ｐゴシック", "IPAPGothic"},
                                                       {"Times New Roman", "Liberation Serif"}};
  for (const auto& [name, family] : faces)
    EXPECT_EQ(TFontFace::ForName(name)->FamilyName(), family) << name;
  // Mincho's cell is 1802 + 455 units of a 2048-unit em, Gothic's 1802 + 401.
  const auto mincho = ResolveFont(Font("ＭＳ 明朝", 20, 0));
  EXPECT_NEAR(mincho->Em, 20.0 * 2048 / 2257, 1e-6);
  EXPECT_NEAR(mincho->Ascent, 20.0 * 1802 / 2257, 1e-6);
  EXPECT_FALSE(mincho->Vertical);
  const auto gothic = ResolveFont(Font("@ＭＳ ゴシック", 33, 2700));
  EXPECT_NEAR(gothic->Em, 33.0 * 2048 / 2203, 1e-6);
  EXPECT_TRUE(gothic->Vertical);
  EXPECT_NE(Draw(Font("ＭＳ 明朝", 30, 0), 50, 50, "永遠").count,
            Draw(Font("ＭＳ ゴシック", 30, 0), 50, 50, "永遠").count);
}

TEST(TextPlacement, LinesRunFromTheirOriginInTheEscapementsDirection) {
  const double em = 21.0 * 2048 / 2257;
  const Ink across = Draw(Font("ＭＳ 明朝", 21, 0), 100, 200, "漢字漢字");
  EXPECT_TRUE(across.minX >= 100 && across.minY >= 200 && across.maxY <= 221);
  EXPECT_TRUE(across.maxX > 100 + 3 * em && across.maxX <= 100 + 4 * em + 1) << across.maxX;

  const double em20 = 20.0 * 2048 / 2257;  // down, with the cells left of x
  const Ink down = Draw(Font("@ＭＳ 明朝", 20, 2700), 300, 50, "漢字漢字漢字");
  EXPECT_TRUE(down.minX >= 280 && down.maxX <= 300 && down.minY >= 50);
  EXPECT_TRUE(down.maxY > 50 + 5 * em20 && down.maxY <= 50 + 6 * em20 + 1) << down.maxY;

  const Ink up = Draw(Font("ＭＳ 明朝", 26, 900), 10, 457, "123");  // cells right of x
  EXPECT_TRUE(up.minX >= 10 && up.maxX <= 36 && up.maxY <= 457);
  EXPECT_GT(up.Height(), up.Width());
}

TEST(VerticalFaces, FullStopSitsInTheUpperRightOfItsCell) {
  const int x = 300, y = 100, height = 40;
  const double em = height * 2048.0 / 2257;
  const Ink vertical = Draw(Font("@ＭＳ 明朝", height, 2700), x, y, "。");
  EXPECT_GT(vertical.CentreX(), x - em / 2);  // right half of the em box
  EXPECT_LT(vertical.CentreY(), y + em / 2);  // upper half
  const Ink upright = Draw(Font("ＭＳ 明朝", height, 0), x, y, "。");
  EXPECT_LT(upright.CentreX(), x + em / 2);  // horizontal writing: lower left
  EXPECT_GT(upright.CentreY(), y + em / 2);
}

TEST(VerticalFaces, BracketAndLongVowelTakeTheirVerticalForms) {
  const double em = 40 * 2048.0 / 2257;
  const Ink bracket = Draw(Font("@ＭＳ 明朝", 40, 2700), 300, 100, "「");
  EXPECT_GT(bracket.CentreX(), 300 - em / 2);  // hangs from the upper right
  EXPECT_GT(bracket.Width(), bracket.Height() / 2);
  const Ink uprightBracket = Draw(Font("ＭＳ 明朝", 40, 0), 300, 100, "「");
  EXPECT_GT(uprightBracket.Height(), uprightBracket.Width());
  const Ink bar = Draw(Font("@ＭＳ ゴシック", 40, 2700), 300, 100, "ー");
  EXPECT_GT(bar.Height(), 3 * bar.Width());
  const Ink uprightBar = Draw(Font("ＭＳ ゴシック", 40, 0), 300, 100, "ー");
  EXPECT_GT(uprightBar.Width(), 3 * uprightBar.Height());
}

TEST(VerticalFaces, MissingVerticalFormsAndHalfWidthLettersAreTurned) {
  for (const char* text : {"≪", "：", "…", "A"}) {  // no vertical form in the font
    const Ink vertical = Draw(Font("@ＭＳ 明朝", 40, 2700), 300, 100, text);
    const Ink upright = Draw(Font("ＭＳ 明朝", 40, 0), 300, 100, text);
    EXPECT_NEAR(vertical.Width(), upright.Height(), 2) << text;
    EXPECT_NEAR(vertical.Height(), upright.Width(), 2) << text;
  }
  const Ink a = Draw(Font("@ＭＳ 明朝", 40, 2700), 300, 100, "A");
  EXPECT_GT(a.Width(), a.Height());
  // A half-width character advances by its own width: two make half a full-width pair.
  EXPECT_LT(Draw(Font("@ＭＳ 明朝", 40, 2700), 300, 100, "AA").Height(), 40 * 2048.0 / 2257 + 2);
}

TEST(VerticalFaces, AtEscapementZeroTheColumnLiesOnItsSide) {
  const Ink column = Draw(Font("@ＭＳ 明朝", 42, 0), 40, 20, "漢字漢字漢字");
  EXPECT_GT(column.Width(), 3 * column.Height());
  EXPECT_TRUE(column.minX >= 40 && column.minY >= 20 && column.maxY <= 62);
  const Ink bar = Draw(Font("@ＭＳ 明朝", 42, 0), 40, 20, "ー");
  EXPECT_GT(bar.Width(), 3 * bar.Height());  // the vertical mark, on its side
}

TEST(FontWeightAndWidth, BoldDrawsMoreInkAndWidthNarrowsTheLine) {
  const Ink normal = Draw(Font("ＭＳ 明朝", 24, 0, 500), 50, 50, "吾輩は猫である");
  const Ink bold = Draw(Font("ＭＳ 明朝", 24, 0, 600), 50, 50, "吾輩は猫である");
  EXPECT_GT(bold.count, normal.count * 12 / 10);
  TLogFont narrow = Font("@ＭＳ 明朝", 42, 0);
  narrow.lfWidth = 20;
  const Ink wide = Draw(Font("@ＭＳ 明朝", 42, 0), 85, 20, "漢字漢字漢字漢字漢字");
  const Ink thin = Draw(narrow, 85, 20, "漢字漢字漢字漢字漢字");
  EXPECT_TRUE(thin.Width() < wide.Width() * 0.97 && thin.Width() > wide.Width() * 0.85);
  EXPECT_NEAR(thin.Height(), wide.Height(), 2);
}

// Small type on a camera-size page reads solid: most of its ink is the text
// colour itself (within 10 %), not a blend with the page. Full pages stay smooth.
TEST(SmallType, QvgaInkReachesTheTextColourAndFullPagesStaySmooth) {
  const TColor colour = RGBColor(0xC0, 0x20, 0x20);
  for (int look = 0; look < 8; ++look) {
    const bool qvga = look & 1, horizontal = look & 2, gothic = look & 4;
    SCOPED_TRACE(testing::Message()
                 << "qvga " << qvga << " horizontal " << horizontal << " gothic " << gothic);
    HeadlessPlatform platform;
    TForm1 form(platform);
    form.Editor2.Lines.SetText(Sjis("吾輩は猫である。名前はまだ無い。\r\n"));
    form.FQuiEcri();
    form.FoColor = colour;
    form.QvgaCheckBox.Checked = qvga;
    form.LCheckBox8.Checked = horizontal;
    form.LCheckBox15.Checked = gothic;
    TABitmap page;
    form.RenderPageForExport(page);
    long ink = 0, solid = 0;
    for (int y = 0; y < page.Height(); ++y)
      for (int x = 0; x < page.Width(); ++x)
        if (const TColor c = page.Pixel(x, y); c != form.GColor) {
          ++ink;
          solid += std::abs(ColorR(c) - 0xC0) <= 25 && std::abs(ColorG(c) - 0x20) <= 25 &&
                   std::abs(ColorB(c) - 0x20) <= 25;
        }
    ASSERT_GT(ink, 100);
    EXPECT_EQ(solid > ink * 9 / 10, qvga) << solid << " of " << ink;
  }
}

}  // namespace
