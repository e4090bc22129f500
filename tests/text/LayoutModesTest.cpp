// The type-size boxes: how they nest, the widths and columns they choose, their
// guard, and the re-layout at the same reading position.
#include <gtest/gtest.h>

#include <string>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Lines of 26 two-byte characters make two rows at 36, 30 and 26 bytes alike,
// so only the columns per page change the page count.
std::string TwoRowLines(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    for (int k = 0; k < 26; ++k) text += "\x8a\xbf";
    text += "\r\n";
  }
  return text;
}

class LayoutModesTest : public ::testing::Test {
 protected:
  // Opens a file of `lines` two-row lines as the current user text.
  void Open(int lines, const std::string& name = "modes.txt") {
    path = dir / name;
    WriteFile(path, TwoRowLines(lines));
    form.FFileName = path;
    form.FFileIn = true;
  }
  int Width() const { return form.Editor1.WrapOption().WrapByte; }
  std::string Boxes() const {
    std::string s;
    for (const TCheckBox* b :
         {&form.FullCheckBox, &form.BigFontCheckBox, &form.MoreBigCheckBox, &form.TurnCheckBox})
      s += b->Checked ? '1' : '0';
    return s;
  }
  void Click(TCheckBox& box, void (TForm1::*handler)()) {
    box.Checked = !box.Checked;
    (form.*handler)();
  }

  TempDir dir;
  std::string path;
  HeadlessPlatform platform;
  TForm1 form{platform};
};

TEST_F(LayoutModesTest, CheckForcesTheImpliedBoxes) {
  struct Case {
    const char* boxes;  // Full BigFont MoreBig Turn before the check
    const char* after;
    int width;
    int columns;
  };
  for (const Case& c :
       {Case{"0000", "0000", 36, 13}, Case{"1000", "1000", 36, 13}, Case{"0100", "1100", 30, 13},
        Case{"0010", "1110", 26, 13}, Case{"0001", "1111", 26, 8}, Case{"1001", "1111", 26, 8}}) {
    TCheckBox* boxes[] = {&form.FullCheckBox, &form.BigFontCheckBox, &form.MoreBigCheckBox,
                          &form.TurnCheckBox};
    for (int i = 0; i < 4; ++i) boxes[i]->Checked = c.boxes[i] == '1';
    form.FRetsuCount = 0;
    form.CheckTurnMoreBig();
    EXPECT_EQ(Boxes(), c.after) << c.boxes;
    EXPECT_EQ(Width(), c.width) << c.boxes;
    EXPECT_EQ(form.FRetsuCount, c.columns) << c.boxes;
  }
}

TEST_F(LayoutModesTest, UncheckingFromTurnMode) {
  Open(80);  // 160 rows: 13 pages of 13 columns at every width
  const struct {
    TCheckBox* box;
    void (TForm1::*handler)();
    const char* after;
    int width;
  } cases[] = {{&form.FullCheckBox, &TForm1::FullCheckBoxClick, "0000", 36},
               {&form.MoreBigCheckBox, &TForm1::MoreBigCheckBoxClick, "1100", 30},
               {&form.TurnCheckBox, &TForm1::TurnCheckBoxClick, "1110", 26}};
  for (const auto& c : cases) {
    form.TurnCheckBox.Checked = true;
    form.CheckTurnMoreBig();
    Click(*c.box, c.handler);
    EXPECT_EQ(Boxes(), c.after);
    EXPECT_EQ(Width(), c.width) << c.after;
    EXPECT_EQ(form.FRetsuCount, 13) << c.after;
    EXPECT_EQ(form.FAllPage, 13) << c.after;
  }
}

TEST_F(LayoutModesTest, ClicksOutsideTurnModeChooseTheWidth) {
  Open(10);
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(Boxes(), "1100");
  EXPECT_EQ(Width(), 30);
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(Boxes(), "1000");
  EXPECT_EQ(Width(), 36);
  // Full alone leaves the width as it is.
  Click(form.FullCheckBox, &TForm1::FullCheckBoxClick);
  Click(form.FullCheckBox, &TForm1::FullCheckBoxClick);
  EXPECT_EQ(Boxes(), "1000");
  EXPECT_EQ(Width(), 36);
  // Unchecking MoreBig without BigFont stops there.
  form.MoreBigCheckBox.Checked = true;
  form.Editor1.SetWrapByte(26);
  const int pagesBefore = form.FAllPage;
  Click(form.MoreBigCheckBox, &TForm1::MoreBigCheckBoxClick);
  EXPECT_EQ(Boxes(), "1000");
  EXPECT_EQ(Width(), 26);
  EXPECT_EQ(form.FAllPage, pagesBefore);  // no re-layout
}

TEST_F(LayoutModesTest, GuardTakesTheClickBack) {
  Open(10);
  form.FDifference = true;
  Click(form.TurnCheckBox, &TForm1::TurnCheckBoxClick);
  EXPECT_EQ(Boxes(), "0000");
  EXPECT_EQ(Width(), 36);
  form.FDifference = false;

  form.FFileIn = false;  // the built-in text is shown
  form.FullCheckBox.Checked = true;
  Click(form.FullCheckBox, &TForm1::FullCheckBoxClick);
  EXPECT_EQ(Boxes(), "1000");
  form.FFileIn = true;
  form.FBusy = true;
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(Boxes(), "1000");
  EXPECT_EQ(form.FRetsuCount, 13);
}

TEST_F(LayoutModesTest, CheckingTurnChecksEverythingAndKeepsTheRelativePlace) {
  struct Case {
    int lines;
    int permille;
    int pages;
    int page;
  };
  // Page 5 of 10 -> 10 of 20; page 1 of 3 -> 3 of 10; page 5 of 10 -> 7 of 14.
  for (const Case& c : {Case{80, 500, 20, 10}, Case{40, 333, 10, 3}, Case{56, 500, 14, 7}}) {
    Open(c.lines);
    form.CheckTurnMoreBig();
    form.FPagePermille = c.permille;
    Click(form.TurnCheckBox, &TForm1::TurnCheckBoxClick);
    EXPECT_EQ(Boxes(), "1111");
    EXPECT_EQ(Width(), 26);
    EXPECT_EQ(form.FRetsuCount, 8);
    EXPECT_EQ(form.FAllPage, c.pages);
    EXPECT_EQ(form.Label2.Caption, std::to_string(c.pages));
    EXPECT_EQ(form.FPage, c.page);
    Click(form.TurnCheckBox, &TForm1::TurnCheckBoxClick);  // back for the next case
  }
}

TEST_F(LayoutModesTest, ModeChangeRereadsTheFileAfterAPasteAndStripsHtml) {
  Open(10, "story.txt");
  form.Editor1.Lines.SetText("pasted");
  form.FTextName = "Clipboard";
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(form.Editor1.Lines.Count(), 26);  // 20 rows padded to 2 pages
  EXPECT_EQ(form.FTextName, "story");
  EXPECT_EQ(form.Image1.Hint, "story");
  EXPECT_FALSE(form.PLabel.Transparent);

  form.FFileName = dir / "page.html";
  WriteFile(form.FFileName, "<p>one</p>\r\n<p>two</p>\r\n");
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  ASSERT_EQ(form.Editor1.Lines.Count(), 13);
  EXPECT_EQ(form.Editor1.Lines[0], "one");
  EXPECT_EQ(form.Editor1.Lines[1], "two");
}

TEST_F(LayoutModesTest, ModeChangeWithoutUsableTextOnlyMovesTheBoxes) {
  form.FFileIn = true;
  form.Editor1.Lines.SetText("pasted");
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(Width(), 30);
  EXPECT_EQ(form.Editor1.Lines.Count(), 1);
  form.FFileName = dir / "gone.txt";
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(form.Editor1.Lines[0], "pasted");

  form.FFileName = dir / "empty.txt";  // an empty file stays on page 1
  WriteFile(form.FFileName, "");
  form.FPagePermille = 900;
  Click(form.BigFontCheckBox, &TForm1::BigFontCheckBoxClick);
  EXPECT_EQ(form.FAllPage, 0);
  EXPECT_EQ(form.FPage, 1);
}

TEST_F(LayoutModesTest, QvgaClickReLaysOnlyWhenIdle) {
  Open(10);
  form.GColor = RGBColor(10, 20, 30);
  form.FFileIn = false;  // the user text need not be current
  form.QvgaCheckBoxClick();
  EXPECT_TRUE(form.FFileIn);
  EXPECT_EQ(form.FAllPage, 2);
  form.FVelocity = true;
  form.FAllPage = 99;
  form.QvgaCheckBoxClick();
  EXPECT_EQ(form.FAllPage, 99);
}

}  // namespace
