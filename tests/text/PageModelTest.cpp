// Rows become columns, columns become pages, and the slots of a page are filled.
#include <gtest/gtest.h>

#include <string>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

using testsupport::Sjis;

namespace {

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

TEST_F(PageModelTest, NewTextStartsAtPageOneAndAReopenOrModeChangeKeepsThePage) {
  const struct {
    bool newText, change;
    int rows, pageBefore, pages, page;
  } cases[] = {{true, false, 27, 7, 3, 1},
               {false, false, 40, 2, 4, 2},
               {false, true, 27, 3, 4, 3},
               {true, false, 0, 3, 0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, page " << c.pageBefore);
    e1.Lines.SetText(ShortLines(c.rows));
    form.FFileIn = !c.newText;
    form.FNewText = c.newText;
    form.TurnCheckBox.Checked = c.change;  // the mode change turns to 8 columns
    form.FPage = c.pageBefore;
    c.change ? form.FPreEcriChange(e1) : form.FPreEcri(e1);
    EXPECT_EQ(form.FRetsuCount, c.change ? 8 : 13);
    EXPECT_EQ(form.FAllPage, c.pages);
    EXPECT_EQ(form.FPage, c.page);
    EXPECT_EQ(form.FFilePage, c.page);
    EXPECT_EQ(form.ExtTrackBar1.Max, c.pages);
    EXPECT_EQ(form.ExtTrackBar1.Position(), c.page);
    EXPECT_EQ(form.Label1.Caption, std::to_string(c.page));
    EXPECT_EQ(form.Label2.Caption, std::to_string(c.pages));
    form.TurnCheckBox.Checked = false;
    form.FPreEcriChange(e1);
  }
}

TEST_F(PageModelTest, SlotsHoldTheColumnsOfThePage) {
  e1.Lines.SetText(ShortLines(30));
  const struct {
    bool turned;
    int page, slot;
    const char* text;
  } cases[] = {// turned, the slots past 8 are left alone
               {false, 2, 1, "L13"}, {false, 2, 13, "L25"}, {false, 3, 4, "L29"}, {false, 3, 5, ""},
               {true, 2, 1, "L8"},   {true, 2, 8, "L15"},   {true, 2, 9, "old"}};
  for (const auto& c : cases) {
    form.FRetsu[9] = "old";
    form.TurnCheckBox.Checked = c.turned;
    form.FRetsuCount = c.turned ? 8 : 13;
    form.FPage = c.page;
    form.FRetsuText(e1);
    EXPECT_EQ(form.FRetsu[c.slot], c.text) << c.page << " " << c.slot;
  }
  // 125 漢, a one-byte and a two-byte sign: a row of 253 bytes at 250 fits its
  // slot whole; a longer line is cut to the slot's size.
  std::string line;
  for (int i = 0; i < 125; ++i) line += "\x8a\xbf";
  e1.SetWrapByte(250);
  e1.Lines.SetText(line + "," + Sjis("。") + "tail");
  form.TurnCheckBox.Checked = false;
  form.FRetsuCount = 13;
  form.FPage = 1;
  form.FNewText = true;
  form.FPreEcri(e1);
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1].size(), 253u);
  EXPECT_EQ(form.FRetsu[2], "tail");
  e1.Lines.SetText(std::string(300, 'z'));
  form.FRetsuText(e1);
  EXPECT_EQ(form.FRetsu[1].size(), 255u);
}

}  // namespace
