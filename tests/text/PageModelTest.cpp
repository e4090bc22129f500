// Rows become columns, columns become pages, and the slots of a page are filled.
#include <gtest/gtest.h>

#include <string>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

using testsupport::Sjis;

namespace {

const std::string kFill = "\x81\x40";

std::string ShortLines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text.append("L").append(std::to_string(i)).append("\r\n");
  return text;
}

class PageModelTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform;
  TForm1 form{platform};
  TEditor& e1 = form.Editor1;
};

TEST_F(PageModelTest, LastPageIsFilledWithIdeographicSpaces) {
  const struct {
    int rows, columns, lines;
    const char* last;
  } cases[] = {{27, 13, 39, "L26"}, {26, 13, 26, "L25"}, {27, 8, 32, "L26"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows in " << c.columns);
    e1.Lines.SetText(ShortLines(c.rows));
    TForm1::ReLayRowsAsLines(e1, c.columns);
    ASSERT_EQ(e1.Lines.Count(), c.lines);
    EXPECT_EQ(e1.Lines[c.rows - 1], c.last);
    for (int i = c.rows; i < c.lines; ++i) EXPECT_EQ(e1.Lines[i], kFill);
  }
}

TEST_F(PageModelTest, EveryRowBecomesALine) {
  e1.Lines.SetText(std::string(40, 'w') + "\r\n\r\nend");
  TForm1::ReLayRowsAsLines(e1, 13);
  ASSERT_EQ(e1.Lines.Count(), 13);
  EXPECT_EQ(e1.Lines[0], std::string(36, 'w'));
  EXPECT_EQ(e1.Lines[1], "wwww");
  EXPECT_EQ(e1.Lines[2], "");
  EXPECT_EQ(e1.Lines[3], "end");
  EXPECT_EQ(e1.Lines[4], kFill);
  EXPECT_EQ(e1.RowCount(), 13);  // each line wraps to itself
}

TEST_F(PageModelTest, NewTextStartsAtPageOneAndAReopenKeepsThePage) {
  const struct {
    bool newText;
    int rows, pageBefore, pages, page;
  } cases[] = {{true, 27, 7, 3, 1}, {false, 40, 2, 4, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.newText ? "new text" : "reopen");
    e1.Lines.SetText(ShortLines(c.rows));
    form.FFileIn = !c.newText;
    form.FNewText = c.newText;
    form.FPage = c.pageBefore;
    form.FRedraw = false;
    form.FPreEcri(e1);
    EXPECT_EQ(form.FAllPage, c.pages);
    EXPECT_EQ(form.FPage, c.page);
    EXPECT_EQ(form.FFilePage, c.page);
    EXPECT_FALSE(form.FNewText);
    EXPECT_EQ(form.ExtTrackBar1.Max, c.pages);
    EXPECT_EQ(form.ExtTrackBar1.Position(), c.page);
    EXPECT_EQ(form.Label1.Caption, std::to_string(c.page));
    EXPECT_EQ(form.Label2.Caption, std::to_string(c.pages));
  }
  EXPECT_TRUE(form.FRedraw);
  // With neither flag the lines stay as they are.
  e1.Lines.SetText(std::string(80, 'q'));
  form.FFileIn = false;
  form.FPreEcri(e1);
  EXPECT_EQ(e1.Lines.Count(), 1);
  EXPECT_EQ(form.FAllPage, 1);
}

TEST_F(PageModelTest, EmptyTextHasNoPages) {
  form.FNewText = true;
  form.FPreEcri(e1);
  EXPECT_EQ(form.FAllPage, 0);
  EXPECT_EQ(form.Label2.Caption, "0");
}

TEST_F(PageModelTest, ModeChangeSetsColumnsAndKeepsThePage) {
  e1.Lines.SetText(ShortLines(27));
  form.FFileIn = true;
  form.TurnCheckBox.Checked = true;
  form.FPage = 3;
  form.FPreEcriChange(e1);
  EXPECT_EQ(form.FRetsuCount, 8);
  EXPECT_EQ(e1.Lines.Count(), 32);
  EXPECT_EQ(form.FAllPage, 4);
  EXPECT_EQ(form.FPage, 3);
  EXPECT_EQ(form.FFilePage, 3);
  EXPECT_EQ(form.ExtTrackBar1.Position(), 3);
  form.TurnCheckBox.Checked = false;
  form.FPreEcriChange(e1);
  EXPECT_EQ(form.FRetsuCount, 13);
}

TEST_F(PageModelTest, SlotsHoldTheColumnsOfThePage) {
  e1.Lines.SetText(ShortLines(30));
  form.FPage = 2;
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1], "L13");
  EXPECT_EQ(form.FRetsu[13], "L25");
  form.FPage = 3;  // past the last line: empty slots
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[4], "L29");
  EXPECT_EQ(form.FRetsu[5], "");

  // Turned, eight slots are filled and the rest left alone.
  form.FRetsu[9] = "old";
  form.TurnCheckBox.Checked = true;
  form.FRetsuCount = 8;
  form.FPage = 2;
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1], "L8");
  EXPECT_EQ(form.FRetsu[8], "L15");
  EXPECT_EQ(form.FRetsu[9], "old");

  e1.Lines.SetText(std::string(300, 'z'));
  form.FPage = 1;
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1].size(), 255u);  // cut to the slot's size
}

TEST_F(PageModelTest, WidestRowFitsItsSlotWhole) {
  // 125 漢, a one-byte sign and a two-byte sign: a row of 253 bytes at 250.
  std::string line;
  for (int i = 0; i < 125; ++i) line += "\x8a\xbf";
  line += ",";
  line += Sjis("。") + "tail";
  e1.SetWrapByte(250);
  e1.Lines.SetText(line);
  form.FNewText = true;
  form.FPreEcri(e1);
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1].size(), 253u);
  EXPECT_EQ(form.FRetsu[2], "tail");
}

TEST_F(PageModelTest, BuiltInTextIsLaidOutOnceInThirteenColumns) {
  form.Editor2.Lines.SetText(ShortLines(27));
  form.TurnCheckBox.Checked = true;
  form.FRetsuCount = 8;
  form.FQuiEcri();
  EXPECT_EQ(form.FQuiAllPage, 3);
  EXPECT_EQ(form.FAllPage, 3);
  EXPECT_EQ(form.Editor2.Lines.Count(), 39);
  form.FQuiReady = true;
  form.Editor2.Lines.SetText(ShortLines(2));
  form.FQuiEcri();
  EXPECT_EQ(form.FAllPage, 3);  // not laid out again
  form.Editor2.Lines.SetText(ShortLines(27));
  form.FPage = 2;
  form.FRetsuIist();
  EXPECT_EQ(form.FRetsu[1], "L13");
  EXPECT_EQ(form.FRetsu[13], "L25");
}

}  // namespace
