// The page layout: the type-size boxes (how they nest, the widths and columns
// they choose, their guard, the re-layout at the same reading position), the
// page count and position, and the column slots of a page.
#include <gtest/gtest.h>

#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"

using testsupport::Sjis;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// The boxes in the order the tests spell them, and their click handlers.
enum Box { kFull, kBigFont, kMoreBig, kTurn };
constexpr void (TForm1::*kHandlers[])() = {
    &TForm1::FullCheckBoxClick, &TForm1::BigFontCheckBoxClick, &TForm1::MoreBigCheckBoxClick,
    &TForm1::TurnCheckBoxClick};

std::string ShortLines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text.append("L").append(std::to_string(i)).append("\r\n");
  return text;
}

class PageLayoutTest : public ::testing::Test {
 protected:
  // Opens lines of 26 two-byte characters, two rows each at 36, 30 and 26
  // bytes alike: only the columns per page change the page count.
  void Open(int lines, const std::string& name = "modes.txt") {
    std::string text;
    for (int i = 0; i < lines * 26; ++i) text += (i + 1) % 26 ? "\x8a\xbf" : "\x8a\xbf\r\n";
    WriteFile(dir / name, text);
    form.FFileName = dir / name;
    form.FFileIn = true;
  }
  int Width() const { return form.Editor1.WrapOption().WrapByte; }
  // "boxes width/columns page/pages", the page numbers as the labels show them.
  std::string Layout() const {
    EXPECT_EQ(form.Label2.Caption, std::to_string(form.FAllPage));
    return Boxes() + " " + std::to_string(Width()) + "/" + std::to_string(form.FRetsuCount) + " " +
           std::to_string(form.FPage) + "/" + form.Label2.Caption;
  }
  // Full BigFont MoreBig Turn, as '0' and '1'.
  std::string Boxes() const {
    std::string s;
    for (const TCheckBox* b : order) s += b->Checked ? '1' : '0';
    return s;
  }
  void SetBoxes(const char* bits) {
    for (int i = 0; i < 4; ++i) order[i]->Checked = bits[i] == '1';
  }
  void Click(Box box) {
    order[box]->Checked = !order[box]->Checked;
    (form.*kHandlers[box])();
  }

  TempDir dir;
  HeadlessPlatform platform;
  mutable TForm1 form{platform};
  const std::array<TCheckBox*, 4> order{&form.FullCheckBox, &form.BigFontCheckBox,
                                        &form.MoreBigCheckBox, &form.TurnCheckBox};
};

// A check forces the boxes it implies. A click re-lays the text at the width
// and columns of the new mode, at the same relative place: 160 rows make 13
// pages of 13 columns at every width.
TEST_F(PageLayoutTest, ChecksForceTheImpliedBoxesAndClicksKeepTheRelativePlaceUnlessGuarded) {
  const std::pair<const char*, const char*> implied[] = {
      {"0000", "0000 36/13"}, {"1000", "1000 36/13"}, {"0100", "1100 30/13"},
      {"0010", "1110 26/13"}, {"0001", "1111 26/8"},  {"1001", "1111 26/8"}};
  for (const auto& [boxes, after] : implied) {
    SetBoxes(boxes);
    form.FRetsuCount = 0;
    form.CheckTurnMoreBig();
    EXPECT_EQ(Layout().substr(0, Layout().rfind(' ')), after) << boxes;
  }
  Open(80);
  const std::tuple<const char*, Box, const char*> cases[] = {
      {"0001", kFull, "0000 36/13 6/13"},    {"0001", kMoreBig, "1100 30/13 6/13"},
      {"0001", kTurn, "1110 26/13 6/13"},    {"0000", kBigFont, "1100 30/13 6/13"},
      {"0100", kBigFont, "1000 36/13 6/13"}, {"0000", kTurn, "1111 26/8 10/20"}};
  for (const auto& [before, box, after] : cases) {
    SetBoxes(before);
    form.CheckTurnMoreBig();
    form.FPagePermille = 500;
    Click(box);
    EXPECT_EQ(Layout(), after) << before;
  }
  // Page 1 of 3 -> 3 of 10; unchecking MoreBig without BigFont leaves the
  // width and the layout.
  Open(40);
  SetBoxes("0000");
  form.CheckTurnMoreBig();
  form.FPagePermille = 333;
  Click(kTurn);
  EXPECT_EQ(Layout(), "1111 26/8 3/10");
  SetBoxes("1010");
  form.Editor1.SetWrapByte(26);
  Click(kMoreBig);
  EXPECT_EQ(Layout(), "1000 26/8 3/10");
  // A running effect, the built-in text or a job takes the click back.
  SetBoxes("0000");
  form.Editor1.SetWrapByte(36);
  bool* guards[] = {&form.FDifference, &form.FBusy, &form.FFileIn};
  for (bool* guard : guards) {
    *guard = guard != &form.FFileIn;
    Click(kTurn);
    EXPECT_EQ(Boxes() + std::to_string(Width()), "000036");
    *guard = guard == &form.FFileIn;
  }
}

TEST_F(PageLayoutTest, ModeChangeRereadsTheFileAfterAPasteStripsHtmlOrOnlyMovesTheBoxes) {
  Open(10, "story.txt");
  form.Editor1.Lines.SetText("pasted");
  form.FTextName = "Clipboard";
  Click(kBigFont);
  EXPECT_EQ(form.Editor1.Lines.Count(), 26);  // 20 rows padded to 2 pages
  EXPECT_EQ(form.FTextName, "story");
  EXPECT_EQ(form.Image1.Hint, "story");

  form.FFileName = dir / "page.html";
  WriteFile(form.FFileName, "<p>one</p>\r\n<p>two</p>\r\n");
  Click(kBigFont);
  ASSERT_EQ(form.Editor1.Lines.Count(), 13);
  EXPECT_EQ(form.Editor1.Lines[1], "two");
  // Without a usable text only the boxes move.
  form.Editor1.Lines.SetText("pasted");
  form.FFileName = dir / "gone.txt";
  Click(kBigFont);
  EXPECT_EQ(Width(), 30);
  EXPECT_EQ(form.Editor1.Lines[0], "pasted");
  form.FFileName = dir / "empty.txt";  // an empty file stays on page 1
  WriteFile(form.FFileName, "");
  form.FPagePermille = 900;
  Click(kBigFont);
  EXPECT_EQ(form.FAllPage, 0);
  EXPECT_EQ(form.FPage, 1);
}

TEST_F(PageLayoutTest, NewTextStartsAtPageOneAndAReopenOrModeChangeKeepsThePage) {
  const struct {
    bool newText, change;
    int rows, pageBefore, pages, page;
  } cases[] = {{true, false, 27, 7, 3, 1},
               {false, false, 40, 2, 4, 2},
               {false, true, 27, 3, 4, 3},
               {true, false, 0, 3, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, page " << c.pageBefore);
    form.Editor1.Lines.SetText(ShortLines(c.rows));
    form.FFileIn = !c.newText;
    form.FNewText = c.newText;
    form.TurnCheckBox.Checked = c.change;  // the mode change turns to 8 columns
    form.FPage = c.pageBefore;
    c.change ? form.FPreEcriChange(form.Editor1) : form.FPreEcri(form.Editor1);
    EXPECT_EQ(form.FRetsuCount, c.change ? 8 : 13);
    EXPECT_EQ(std::tuple(form.FPage, form.FFilePage, form.ExtTrackBar1.Position(), form.FAllPage,
                         form.ExtTrackBar1.Max, form.Label1.Caption + "/" + form.Label2.Caption),
              std::tuple(c.page, c.page, c.page, c.pages, c.pages,
                         std::to_string(c.page) + "/" + std::to_string(c.pages)));
    form.TurnCheckBox.Checked = false;
    form.FPreEcriChange(form.Editor1);
  }
}

TEST_F(PageLayoutTest, SlotsHoldTheColumnsOfThePage) {
  form.Editor1.Lines.SetText(ShortLines(30));
  // Turned, the slots past 8 are left alone.
  const std::tuple<bool, int, int, const char*> cases[] = {
      {false, 2, 1, "L13"}, {false, 2, 13, "L25"}, {false, 3, 4, "L29"}, {false, 3, 5, ""},
      {true, 2, 1, "L8"},   {true, 2, 8, "L15"},   {true, 2, 9, "old"}};
  for (const auto& [turned, page, slot, text] : cases) {
    form.FRetsu[9] = "old";
    form.TurnCheckBox.Checked = turned;
    form.FRetsuCount = turned ? 8 : 13;
    form.FPage = page;
    form.FRetsuText(form.Editor1);
    EXPECT_EQ(form.FRetsu[slot], text) << page << " " << slot;
  }
  // 125 漢, a one-byte and a two-byte sign: a row of 253 bytes at 250 fits its
  // slot whole; a longer line is cut to the slot's size.
  form.Editor1.SetWrapByte(250);
  form.Editor1.Lines.SetText(testsupport::Repeat("\x8a\xbf", 125) + "," + Sjis("。") + "tail");
  form.TurnCheckBox.Checked = false;
  form.FRetsuCount = 13;
  form.FPage = 1;
  form.FNewText = true;
  form.FPreEcri(form.Editor1);
  form.FRetsuText(form.Editor1);
  EXPECT_EQ(form.FRetsu[1].size(), 253u);
  EXPECT_EQ(form.FRetsu[2], "tail");
  form.Editor1.Lines.SetText(std::string(300, 'z'));
  form.FRetsuText(form.Editor1);
  EXPECT_EQ(form.FRetsu[1].size(), 255u);
}

}  // namespace
