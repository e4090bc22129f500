// The settings file: all 54 items round trip, the read rules, and first-run
// defaults.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <tuple>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

// The items in the order the file holds them, as "section/key".
std::vector<std::string> Order() {
  std::istringstream items(
      "Form\\Form1/Top Form\\Form1/Left Form\\LCheckBox1/Checked Form\\LCheckBox2/Checked "
      "Form\\LCheckBox3/Checked Form\\LCheckBox4/Checked Form\\LCheckBox5/Checked "
      "Form\\LCheckBox6/Checked Form\\LCheckBox7/Checked Form\\LCheckBox8/Checked "
      "Form\\LCheckBox11/Checked Form\\LCheckBox12/Checked Form\\LCheckBox13/Checked "
      "Form\\LCheckBox14/Checked Form\\LCheckBox15/Checked Form\\LCheckBox16/Checked "
      "Form\\LCheckBox17/Checked Form\\LCheckBox18/Checked Form\\LCheckBox19/Checked "
      "Form\\LCheckBox20/Checked Form\\LCheckBox21/Checked Form\\LCheckBox22/Checked "
      "Form\\LCheckBox23/Checked Form\\SepaCheckBox/Checked Form\\FoColor/Integer "
      "Form\\GColor/Integer Form\\FBColor/Boolean Form\\FPage/Integer Form\\FFileName/String "
      "Form\\FLeaf/Integer Form1\\FFileIn/Boolean Form\\Pcx/Integer Form\\Pcy/Integer "
      "Form\\Pmvc/Integer Form\\Piro/Integer Form\\Pform/Integer Form\\Pirot/Integer "
      "Form\\Pformt/Integer Form\\Pdigi/Boolean Form\\Pdigit/Boolean Form\\Pb/Boolean "
      "Form\\Pbt/Boolean Form\\Pmix/Boolean Form\\Pmouse/Boolean Form\\Fconm/Integer "
      "Form\\FBlackRect/Boolean Form\\BoldCheckBox/Checked Form\\FullCheckBox/Checked "
      "Form\\JQualityUpDown/Integer Form\\CountCheckBox/Checked Form\\BigFontCheckBox/Checked "
      "Form\\MoreBigCheckBox/Checked Form\\TurnCheckBox/Checked Form\\fTriangl/Integer");
  return {std::istream_iterator<std::string>(items), std::istream_iterator<std::string>()};
}

// The saved check boxes, found by the names the file gives them.
std::vector<TCheckBox*> SavedBoxes(TForm1& f) {
  std::vector<TCheckBox*> boxes;
  for (const std::string& item : Order())
    if (item.ends_with("/Checked"))
      boxes.push_back(f.FindCheckBox(item.substr(5, item.find('/') - 5)));
  return boxes;
}

// Every other saved item.
auto OtherItems(TForm1& f) {
  return std::tie(f.Form1Top, f.Form1Left, f.FoColor, f.GColor, f.FBColor, f.FPage, f.FFileName,
                  f.FLeaf, f.FFileIn, f.Pcx, f.Pcy, f.Pmvc, f.Piro, f.Pform, f.Pirot, f.Pformt,
                  f.Pdigi, f.Pdigit, f.Pb, f.Pbt, f.Pmix, f.Pmouse, f.Fconm, f.FBlackRect,
                  f.JQualityUpDown.Position, f.fTriangl);
}

class SettingsTest : public FormTest {};

TEST_F(SettingsTest, AllItemsSurviveAWriteAndARead) {
  // None of these is a default, so each must have come through the file.
  const auto values = std::make_tuple(
      -20, 1900, 0x123456, 0xABCDEF, true, 17, std::string("/home/読者/本 棚/物語.txt"), 9, true,
      11, 12, 13, 14, 15, 16, 17, true, false, true, true, true, true, 125, false, 93, 42);
  TForm1& a = F();
  const auto boxes = SavedBoxes(a);
  ASSERT_EQ(boxes.size() + std::tuple_size_v<decltype(values)>, Order().size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    ASSERT_NE(boxes[i], nullptr) << i;
    boxes[i]->Checked = i % 3 != 1;
  }
  OtherItems(a) = values;
  a.WriteSettings();

  TForm1& b = NewForm();  // created with the file above, then read again over it
  b.FBColor = false;
  b.ReadSettings();
  const auto read = SavedBoxes(b);
  for (std::size_t i = 0; i < read.size(); ++i)
    EXPECT_EQ(read[i]->Checked, i % 3 != 1) << read[i]->Name;
  EXPECT_EQ(OtherItems(b), values);
}

TEST_F(SettingsTest, TheFileHoldsTheItemsInTableOrderAsDigitsAndText) {
  F().FFileName = "/t/a.txt";
  F().WriteSettings();
  const std::string text = ReadFile(dir / "quillane.ini");
  std::vector<std::string> found;
  std::string section;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    found.push_back(section + "/" + line.substr(0, line.find('=')));
    EXPECT_TRUE(section == "Form\\FFileName" ||
                line.find_first_not_of("-0123456789", line.find('=') + 1) == std::string::npos)
        << line;
  }
  EXPECT_EQ(found, Order());
  EXPECT_NE(text.find("[Form\\FFileName]\nString=/t/a.txt\n"), std::string::npos);
}

TEST_F(SettingsTest, OnlyDigitsCountInAHandWrittenFile) {
  WriteFile(dir / "quillane.ini",
            "[Form\\LCheckBox1]\nChecked=True\n"
            "[Form\\LCheckBox2]\nChecked=1\n"
            "[Form\\LCheckBox4]\nChecked=0\n"
            "[Form\\LCheckBox5]\nChecked=256\n"  // the low eight bits are zero
            "[Form\\LCheckBox6]\nChecked=-1\n"
            "[Form\\FPage]\nInteger=abc\n"
            "[Form\\FLeaf]\nInteger=12x\n"
            "[Form\\Pcx]\nInteger=-7\n"
            "[Form\\Pcy]\nInteger=99999999999\n"
            "[Form\\Fconm]\nInteger=\n"
            "[Form\\JQualityUpDown]\nInteger=400\n"
            "[form1\\ffilein]\nboolean=1\n");
  TForm1& f = F();
  f.ReadSettings();
  EXPECT_EQ(std::vector<bool>({f.LCheckBox1.Checked, f.LCheckBox2.Checked, f.LCheckBox4.Checked,
                               f.LCheckBox5.Checked, f.LCheckBox6.Checked, f.FFileIn}),
            std::vector<bool>({false, true, false, false, true, true}));
  EXPECT_EQ(std::vector<int>({f.FPage, f.FLeaf, f.Pcx, f.Pcy, f.Fconm, f.JQualityUpDown.Position}),
            std::vector<int>({0, 0, -7, 0, 0, 100}));
  // Keys that are missing take their defaults.
  EXPECT_TRUE(f.LCheckBox7.Checked);
  EXPECT_FALSE(f.LCheckBox11.Checked);
  EXPECT_EQ(f.fTriangl, 7);
}

TEST_F(SettingsTest, AFirstRunStartsFromTheDefaults) {
  TForm1& f = Start();
  // Top, Left, FPage, FLeaf, Pcx, Pcy, Fconm, quality, wrap width
  EXPECT_EQ(std::vector<int>({f.Form1Top, f.Form1Left, f.FPage, f.FLeaf, f.Pcx, f.Pcy, f.Fconm,
                              f.JQualityUpDown.Position, f.Editor1.WrapOption().WrapByte}),
            std::vector<int>({100, 100, 1, 1, 240, 175, 80, 60, 36}));
  // The colours: black text on white, on the swatches and the page.
  EXPECT_EQ(std::vector<int>({f.FoColor, f.GColor, f.FLabel.Color, f.GLabel.Color,
                              f.Image1.Picture.Pixel(320, 240)}),
            std::vector<int>({0, 16777215, 0, 16777215, 16777215}));
  EXPECT_EQ(std::vector<bool>({f.LCheckBox4.Checked, f.LCheckBox7.Checked, f.LCheckBox11.Checked,
                               f.LCheckBox13.Checked, f.CountCheckBox.Checked, f.Pdigit,
                               f.FBlackRect, f.FFileIn, f.FQuiReady, f.PLabel.Transparent}),
            std::vector<bool>({true, true, false, true, true, true, true, false, true, true}));
  EXPECT_EQ(f.Leafgo1.Hint, "1 page");
  EXPECT_EQ(f.HintLabel1.Caption, "Quillane");
  EXPECT_EQ(f.Open.Caption, "Open");  // "Show Name" on
  EXPECT_GT(f.FAllPage, 1);
  EXPECT_TRUE(platform->Errors.empty());
}

TEST_F(SettingsTest, RestoredBoxesTakeEffectButAFadedToBlackMarkDoesNot) {
  WriteFile(dir / "quillane.ini",
            "[Form\\FBColor]\nBoolean=1\n[Form\\LCheckBox14]\nChecked=1\n"
            "[Form\\TurnCheckBox]\nChecked=1\n[Form\\LCheckBox13]\nChecked=0\n");
  TForm1& f = NewForm();
  EXPECT_FALSE(f.FBColor);
  EXPECT_EQ(f.Timer1.Interval, 110);  // "Slow"
  EXPECT_EQ(f.Timer4.Interval, 8000);
  EXPECT_EQ(f.HintLabel1.Caption, "Slow on");
  EXPECT_TRUE(f.FullCheckBox.Checked);  // turned pages force the big full layout
  EXPECT_TRUE(f.MoreBigCheckBox.Checked);
  EXPECT_EQ(f.Editor1.WrapOption().WrapByte, 26);
  EXPECT_EQ(f.FRetsuCount, 8);
  EXPECT_EQ(f.Open.Caption, "");  // "Show Name" off
}

}  // namespace
