// How text output draws: vertical forms and turned glyphs, faces, weight and
// width, solid small type, and carried characters. Where lines land is checked
// by the page layouts.
#include <gtest/gtest.h>

#include <string>

#include "form/Unit1.h"
#include "render/Canvas.h"
#include "render/Fonts.h"
#include "render/VerticalText.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/Ink.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

TLogFont Font(const std::string& face, int height, int escapement, int weight = 500) {
  return {height, 0, escapement, weight, face};
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

TEST(VerticalFaces, MarksTakeTheirVerticalFormsAndTheRestIsTurned) {
  const double em = 40 * 2048.0 / 2257;
  const auto down = [](const char* t) { return Draw(Font("@ＭＳ 明朝", 40, 2700), 300, 100, t); };
  const auto across = [](const char* t) { return Draw(Font("ＭＳ 明朝", 40, 0), 300, 100, t); };
  const Ink stop = down("。"), uprightStop = across("。");
  EXPECT_TRUE(stop.CentreX() > 300 - em / 2 && stop.CentreY() < 100 + em / 2);  // upper right
  EXPECT_TRUE(uprightStop.CentreX() < 300 + em / 2 && uprightStop.CentreY() > 100 + em / 2);
  const Ink bracket = down("「");
  EXPECT_GT(bracket.CentreX(), 300 - em / 2);  // hangs from the upper right
  EXPECT_GT(bracket.Width(), bracket.Height() / 2);
  EXPECT_GT(across("「").Height(), across("「").Width());
  const Ink bar = Draw(Font("@ＭＳ ゴシック", 40, 2700), 300, 100, "ー");
  EXPECT_GT(bar.Height(), 3 * bar.Width());
  for (const char* text : {"≪", "：", "…", "A"}) {  // no vertical form in the font
    const Ink vertical = down(text), upright = across(text);
    EXPECT_NEAR(vertical.Width(), upright.Height(), 2) << text;
    EXPECT_NEAR(vertical.Height(), upright.Width(), 2) << text;
  }
  EXPECT_GT(down("A").Width(), down("A").Height());
  // A half-width character advances by its own width: two make half a full-width pair.
  EXPECT_LT(down("AA").Height(), em + 2);
}

TEST(FontWeightAndWidth, BoldDrawsMoreInkAndWidthNarrowsTheLine) {
  const Ink normal = Draw(Font("ＭＳ 明朝", 24, 0, 500), 50, 50, "吾輩は猫である");
  const Ink bold = Draw(Font("ＭＳ 明朝", 24, 0, 600), 50, 50, "吾輩は猫である");
  EXPECT_GT(bold.count, normal.count * 12 / 10);
  EXPECT_NE(Draw(Font("ＭＳ ゴシック", 24, 0, 500), 50, 50, "吾輩は猫である").count, normal.count);
  const TLogFont narrow{42, 20, 0, 500, "@ＭＳ 明朝"};
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
    SCOPED_TRACE(std::string(qvga ? "QVGA" : "full size") +
                 (horizontal ? ", horizontal" : ", vertical") + (gothic ? ", Gothic" : ", Mincho"));
    HeadlessPlatform platform;
    TForm1 form(platform);
    form.Editor2.Lines.SetText(Sjis("吾輩は猫である。名前はまだ無い。\r\n"));
    form.FQuiEcri();
    form.FoColor = colour;
    std::tie(form.QvgaCheckBox.Checked, form.LCheckBox8.Checked, form.LCheckBox15.Checked) =
        std::tuple(qvga, horizontal, gothic);
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

// The first page of a pasted text, as the window draws it.
TABitmap Page(const std::string& utf8, bool qvga, bool horizontal) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  std::tie(form.QvgaCheckBox.Checked, form.LCheckBox8.Checked) = std::tuple(qvga, horizontal);
  platform.Clipboard = utf8;
  form.Paste1Click();
  TABitmap page;
  form.RenderPageForExport(page, false);
  return page;
}

// A carried character is drawn as itself, or as 〓 where the face has no glyph.
TEST(CarriedCharacters, AKanjiHasInkInItsCellAndAnEmojiIsDrawnAsGeta) {
  for (int look = 0; look < 4; ++look) {
    const bool qvga = look & 1, horizontal = look & 2;
    SCOPED_TRACE(std::string(qvga ? "QVGA" : "full size") +
                 (horizontal ? ", horizontal" : ", vertical"));
    // 頰 has no code-page-932 form; 頬, its everyday variant, has one.
    const Ink carried = InkOf(Page("頰", qvga, horizontal), clBlack);
    const Ink variant = InkOf(Page("頬", qvga, horizontal), clBlack);
    EXPECT_GT(carried.count, variant.count / 2);
    EXPECT_NEAR(carried.CentreX(), variant.CentreX(), 3);
    EXPECT_NEAR(carried.CentreY(), variant.CentreY(), 3);
    EXPECT_FALSE(Page("頰", qvga, horizontal) == Page("〓", qvga, horizontal));
    EXPECT_TRUE(Page("😀", qvga, horizontal) == Page("〓", qvga, horizontal));
  }
  // A carried character takes a full-width cell, even one whose glyph is narrower.
  TCarriedChars table;
  std::string bytes;
  table.Append(bytes, U'é');
  const auto font = ResolveFont({40, 0, 0, 500, "ＭＳ 明朝"});
  EXPECT_EQ(LayOutLine(*font, bytes, &table).Length, LayOutLine(*font, Sjis("〓")).Length);
}

}  // namespace
