// The settings file: all 54 items round trip, the read rules, and first-run
// defaults.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

// The items in the order the file holds them, as "section/key"; a section is
// under "Form\\" unless it names its own parent.
std::vector<std::string> Order() {
  std::istringstream items(
      "Form1/Top Form1/Left LCheckBox1/Checked LCheckBox2/Checked LCheckBox3/Checked "
      "LCheckBox4/Checked LCheckBox5/Checked LCheckBox6/Checked LCheckBox7/Checked "
      "LCheckBox8/Checked LCheckBox11/Checked LCheckBox12/Checked LCheckBox13/Checked "
      "LCheckBox14/Checked LCheckBox15/Checked LCheckBox16/Checked LCheckBox17/Checked "
      "LCheckBox18/Checked LCheckBox19/Checked LCheckBox20/Checked LCheckBox21/Checked "
      "LCheckBox22/Checked LCheckBox23/Checked SepaCheckBox/Checked FoColor/Integer "
      "GColor/Integer FBColor/Boolean FPage/Integer FFileName/String FLeaf/Integer "
      "Form1\\FFileIn/Boolean Pcx/Integer Pcy/Integer Pmvc/Integer Piro/Integer Pform/Integer "
      "Pirot/Integer Pformt/Integer Pdigi/Boolean Pdigit/Boolean Pb/Boolean Pbt/Boolean "
      "Pmix/Boolean Pmouse/Boolean Fconm/Integer FBlackRect/Boolean BoldCheckBox/Checked "
      "FullCheckBox/Checked JQualityUpDown/Integer CountCheckBox/Checked "
      "BigFontCheckBox/Checked MoreBigCheckBox/Checked TurnCheckBox/Checked fTriangl/Integer");
  std::vector<std::string> order;
  for (std::string item; items >> item;)
    order.push_back(item.find('\\') == std::string::npos ? "Form\\" + item : item);
  return order;
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
      11, 12, 3, 4, 2, 5, 3, true, false, true, true, true, true, 125, false, 93, 42);
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
            std::vector<int>({1, 1, 0, 0, 0, 100}));  // held to their ranges
  // Keys that are missing take their defaults.
  EXPECT_TRUE(f.LCheckBox7.Checked);
  EXPECT_FALSE(f.LCheckBox11.Checked);
  EXPECT_EQ(f.fTriangl, 7);
}

TEST_F(SettingsTest, IntegersOutsideTheirRangeAreHeldToItAndTheProgramRuns) {
  const std::tuple<const char*, const char*, int TForm1::*, int> cases[] = {
      {"Form1", "2147483647", &TForm1::Form1Left, 32767},
      {"FPage", "2147483647", &TForm1::FPage, 2147483647 / 8},
      {"Pcx", "-2147483648", &TForm1::Pcx, 0},
      {"Fconm", "2147483647", &TForm1::Fconm, 127}};
  TIniFile file(dir / "quillane.ini");
  for (auto [section, stored, field, read] : cases)
    file.WriteString(std::string("Form\\") + section,
                     field == &TForm1::Form1Left ? "Left" : "Integer", stored);
  file.UpdateFile();
  TForm1& f = Start();
  for (auto [section, stored, field, read] : cases) EXPECT_EQ(f.*field, read) << section;
  f.TriButton1Click();  // a page near INT_MAX, then a step past it
  f.TriButton1Click();
  EXPECT_EQ(f.FPage, 1);
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
