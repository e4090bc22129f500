// A book's notes on the page: plain lines draw exactly as before, readings
// land in the gap beside their base where the layout has room for them and
// nowhere else, and indented or foot-set rows move along their column.
#include <gtest/gtest.h>

#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "render/Fonts.h"
#include "render/PageNotes.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/Ink.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

struct Layout {
  const char* Name;
  TPageOptions Options;
  bool Qvga;
  bool Readings;  // whether the gap beside a line holds legible readings
};

// {UserText, Horizontal, Gothic, Bold, Turn, Full, BigFont, MoreBig, ShiftRight}
const Layout kLayouts[] = {
    {"vertical", {true}, false, true},
    {"vertical, MoreBig", {true, false, false, false, false, true, true, true}, false, true},
    {"vertical, Turn", {true, false, false, false, true, true, true, true}, false, true},
    {"horizontal", {true, true}, false, true},
    {"horizontal, BigFont", {true, true, false, false, false, true, true}, false, false},
    {"vertical, QVGA", {true}, true, false},
    {"vertical, MoreBig, QVGA", {true, false, false, false, false, true, true, true}, true, false},
};

constexpr int kSlot = 5;

TABitmap Compose(const Layout& l, const std::string& text, const TSlotDecor* decor) {
  std::vector<std::string> lines(14);
  lines[kSlot] = text;
  std::vector<TSlotDecor> decors(14);
  if (decor) decors[kSlot] = *decor;
  TPageContent content{3, lines, clBlack, clWhite};
  content.Decor = decors;
  TABitmap page(l.Qvga ? 320 : 640, l.Qvga ? 240 : 480);
  ComposePage(l.Options, content, page, l.Qvga, false);
  return page;
}

bool Same(const TABitmap& a, const TABitmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    if (!std::equal(a.ScanLine(y), a.ScanLine(y) + a.Width() * 3, b.ScanLine(y))) return false;
  return true;
}

// The ink b has and a lacks.
Ink Added(const TABitmap& a, const TABitmap& b) {
  TABitmap diff(a.Width(), a.Height());
  diff.Fill(clWhite);
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) diff.SetPixel(x, y, clBlack);
  return InkOf(diff);
}

const std::string kLine = Sjis("吾輩は猫である。名前はまだ無い。");

TEST(PageNotes, EmptyNotesDrawThePageAsWithout) {
  const TSlotDecor empty;
  for (const Layout& l : kLayouts) {
    SCOPED_TRACE(l.Name);
    EXPECT_TRUE(Same(Compose(l, kLine, nullptr), Compose(l, kLine, &empty)));
  }
}

TEST(PageNotes, ReadingsGoInTheGapBesideTheirBaseOrNowhere) {
  TSlotDecor decor;
  decor.Ruby.push_back({16, 20, Sjis("なまえ")});  // 名前, the 9th and 10th cells
  for (const Layout& l : kLayouts) {
    SCOPED_TRACE(l.Name);
    const TABitmap plain = Compose(l, kLine, nullptr), noted = Compose(l, kLine, &decor);
    if (!l.Readings) {
      EXPECT_TRUE(Same(plain, noted)) << "a reading drawn where it cannot be read";
      continue;
    }
    const TSlotLayout lines = SlotLayout(l.Options, l.Qvga);
    const int cell = lines.Font.lfHeight, x = lines.X[kSlot], y = lines.Y[kSlot];
    const Ink text = InkOf(plain), reading = Added(plain, noted);
    ASSERT_FALSE(reading.Empty());
    // Beside the line, in the gap before the next one; along the base's cells.
    const bool column = lines.Font.lfEscapement == 2700;
    const int across0 = column ? reading.minX - x : y - reading.maxY - 1;
    const int across1 = column ? reading.maxX - x : y - reading.minY - 1;
    EXPECT_GE(across0, 0) << "reading overlaps its line";
    EXPECT_LT(across1, cell / 2 + 2) << "reading reaches the next line";
    const double along = column ? reading.CentreY() - text.minY : reading.CentreX() - text.minX;
    const double textLength = column ? text.Height() : text.Width();
    EXPECT_NEAR(along / textLength, 9.0 / 16, 0.05) << "reading is not centred on 名前";
  }
}

TEST(PageNotes, IndentAndFootMoveTheRowAlongItsColumn) {
  const Layout& l = kLayouts[0];
  const TSlotLayout lines = SlotLayout(l.Options, l.Qvga);
  const std::string shortLine = Sjis("夏目漱石");
  const Ink plain = InkOf(Compose(l, shortLine, nullptr));
  TSlotDecor indent, foot;
  indent.IndentCells = 3;
  foot.FootRaise = 2;
  const Ink indented = InkOf(Compose(l, shortLine, &indent));
  const Ink footed = InkOf(Compose(l, shortLine, &foot));
  const double cell = ResolveFont(lines.Font)->Em;  // a full-width character's advance
  EXPECT_NEAR(indented.minY - plain.minY, 3 * cell, 1);
  EXPECT_EQ(indented.minX, plain.minX) << "the column moved";
  // Four characters ending two cells above the foot of the column.
  EXPECT_NEAR(footed.maxY - plain.maxY, (ColumnCells(l.Options) - 4 - 2) * cell, 1);
}

TEST(PageNotes, ColumnCellsAreTheFormsWrapWidthInCells) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FFileIn = true;
  const std::tuple<const char*, bool, bool, bool> sizes[] = {{"normal", false, false, false},
                                                             {"BigFont", true, false, false},
                                                             {"MoreBig", true, true, false},
                                                             {"Turn", true, true, true}};
  for (const auto& [name, big, more, turn] : sizes) {
    SCOPED_TRACE(name);
    form.BigFontCheckBox.Checked = big;
    form.MoreBigCheckBox.Checked = more;
    form.TurnCheckBox.Checked = turn;
    form.CheckTurnMoreBig();
    EXPECT_EQ(2 * ColumnCells(PageOptions(form)), form.Editor1.WrapOption().WrapByte);
  }
}

}  // namespace
