// The settings file: all 54 items round trip, the read rules, and first-run
// defaults.
#include <gtest/gtest.h>

#include <utility>

#include "shell/IniFile.h"
#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

// The items in the order the file holds them.
const std::pair<const char*, const char*> kOrder[] = {
    {"Form\\Form1", "Top"},
    {"Form\\Form1", "Left"},
    {"Form\\LCheckBox1", "Checked"},
    {"Form\\LCheckBox2", "Checked"},
    {"Form\\LCheckBox3", "Checked"},
    {"Form\\LCheckBox4", "Checked"},
    {"Form\\LCheckBox5", "Checked"},
    {"Form\\LCheckBox6", "Checked"},
    {"Form\\LCheckBox7", "Checked"},
    {"Form\\LCheckBox8", "Checked"},
    {"Form\\LCheckBox11", "Checked"},
    {"Form\\LCheckBox12", "Checked"},
    {"Form\\LCheckBox13", "Checked"},
    {"Form\\LCheckBox14", "Checked"},
    {"Form\\LCheckBox15", "Checked"},
    {"Form\\LCheckBox16", "Checked"},
    {"Form\\LCheckBox17", "Checked"},
    {"Form\\LCheckBox18", "Checked"},
    {"Form\\LCheckBox19", "Checked"},
    {"Form\\LCheckBox20", "Checked"},
    {"Form\\LCheckBox21", "Checked"},
    {"Form\\LCheckBox22", "Checked"},
    {"Form\\LCheckBox23", "Checked"},
    {"Form\\SepaCheckBox", "Checked"},
    {"Form\\FoColor", "Integer"},
    {"Form\\GColor", "Integer"},
    {"Form\\FBColor", "Boolean"},
    {"Form\\FPage", "Integer"},
    {"Form\\FFileName", "String"},
    {"Form\\FLeaf", "Integer"},
    {"Form1\\FFileIn", "Boolean"},
    {"Form\\Pcx", "Integer"},
    {"Form\\Pcy", "Integer"},
    {"Form\\Pmvc", "Integer"},
    {"Form\\Piro", "Integer"},
    {"Form\\Pform", "Integer"},
    {"Form\\Pirot", "Integer"},
    {"Form\\Pformt", "Integer"},
    {"Form\\Pdigi", "Boolean"},
    {"Form\\Pdigit", "Boolean"},
    {"Form\\Pb", "Boolean"},
    {"Form\\Pbt", "Boolean"},
    {"Form\\Pmix", "Boolean"},
    {"Form\\Pmouse", "Boolean"},
    {"Form\\Fconm", "Integer"},
    {"Form\\FBlackRect", "Boolean"},
    {"Form\\BoldCheckBox", "Checked"},
    {"Form\\FullCheckBox", "Checked"},
    {"Form\\JQualityUpDown", "Integer"},
    {"Form\\CountCheckBox", "Checked"},
    {"Form\\BigFontCheckBox", "Checked"},
    {"Form\\MoreBigCheckBox", "Checked"},
    {"Form\\TurnCheckBox", "Checked"},
    {"Form\\fTriangl", "Integer"},
};

// The saved check boxes, which the round trip flips one by one.
std::vector<TCheckBox*> SavedBoxes(TForm1& f) {
  return {&f.LCheckBox1,    &f.LCheckBox2,      &f.LCheckBox3,      &f.LCheckBox4,
          &f.LCheckBox5,    &f.LCheckBox6,      &f.LCheckBox7,      &f.LCheckBox8,
          &f.LCheckBox11,   &f.LCheckBox12,     &f.LCheckBox13,     &f.LCheckBox14,
          &f.LCheckBox15,   &f.LCheckBox16,     &f.LCheckBox17,     &f.LCheckBox18,
          &f.LCheckBox19,   &f.LCheckBox20,     &f.LCheckBox21,     &f.LCheckBox22,
          &f.LCheckBox23,   &f.SepaCheckBox,    &f.BoldCheckBox,    &f.FullCheckBox,
          &f.CountCheckBox, &f.BigFontCheckBox, &f.MoreBigCheckBox, &f.TurnCheckBox};
}

class SettingsTest : public FormTest {};

TEST_F(SettingsTest, AllItemsSurviveAWriteAndARead) {
  TForm1& a = F();
  a.Form1Top = -20;
  a.Form1Left = 1900;
  const auto boxes = SavedBoxes(a);
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->Checked = i % 3 != 1;
  a.FoColor = 0x123456;
  a.GColor = 0xABCDEF;
  a.FBColor = true;
  a.FPage = 17;
  a.FFileName = "/home/読者/本 棚/物語.txt";
  a.FLeaf = 9;
  a.FFileIn = true;
  a.Pcx = 11, a.Pcy = 12, a.Pmvc = 13, a.Piro = 14, a.Pform = 15, a.Pirot = 16, a.Pformt = 17;
  a.Pdigi = true, a.Pdigit = false, a.Pb = true, a.Pbt = true, a.Pmix = true, a.Pmouse = true;
  a.Fconm = 125;
  a.FBlackRect = false;
  a.JQualityUpDown.Position = 93;
  a.fTriangl = 42;
  a.WriteSettings();

  TForm1& b = NewForm();  // created with the file above, then read again over it
  b.FBColor = false;
  b.ReadSettings();
  EXPECT_EQ(b.Form1Top, -20);
  EXPECT_EQ(b.Form1Left, 1900);
  const auto read = SavedBoxes(b);
  for (std::size_t i = 0; i < read.size(); ++i)
    EXPECT_EQ(read[i]->Checked, i % 3 != 1) << read[i]->Name;
  EXPECT_EQ(b.FoColor, 0x123456);
  EXPECT_EQ(b.GColor, 0xABCDEF);
  EXPECT_TRUE(b.FBColor);
  EXPECT_EQ(b.FPage, 17);
  EXPECT_EQ(b.FFileName, "/home/読者/本 棚/物語.txt");
  EXPECT_EQ(b.FLeaf, 9);
  EXPECT_TRUE(b.FFileIn);
  EXPECT_EQ(std::vector<int>({b.Pcx, b.Pcy, b.Pmvc, b.Piro, b.Pform, b.Pirot, b.Pformt}),
            std::vector<int>({11, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(std::vector<bool>({b.Pdigi, b.Pdigit, b.Pb, b.Pbt, b.Pmix, b.Pmouse}),
            std::vector<bool>({true, false, true, true, true, true}));
  EXPECT_EQ(b.Fconm, 125);
  EXPECT_FALSE(b.FBlackRect);
  EXPECT_EQ(b.JQualityUpDown.Position, 93);
  EXPECT_EQ(b.fTriangl, 42);
}

TEST_F(SettingsTest, TheFileHoldsTheItemsInTableOrderAsDigitsAndText) {
  F().FFileName = "/t/a.txt";
  F().WriteSettings();
  const std::string text = ReadFile(dir / "quillane.ini");
  std::vector<std::pair<std::string, std::string>> found;
  std::string section;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line.substr(1, line.size() - 2);
    } else {
      found.emplace_back(section, line.substr(0, line.find('=')));
      const std::string value = line.substr(line.find('=') + 1);
      if (section != "Form\\FFileName") {
        EXPECT_EQ(value.find_first_not_of("-0123456789"), std::string::npos) << line;
      }
    }
  }
  ASSERT_EQ(found.size(), 54u);
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(found[i].first, kOrder[i].first) << i;
    EXPECT_EQ(found[i].second, kOrder[i].second) << i;
  }
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
  EXPECT_FALSE(f.LCheckBox1.Checked);
  EXPECT_TRUE(f.LCheckBox2.Checked);
  EXPECT_FALSE(f.LCheckBox4.Checked);
  EXPECT_FALSE(f.LCheckBox5.Checked);
  EXPECT_TRUE(f.LCheckBox6.Checked);
  EXPECT_EQ(f.FPage, 0);
  EXPECT_EQ(f.FLeaf, 0);
  EXPECT_EQ(f.Pcx, -7);
  EXPECT_EQ(f.Pcy, 0);
  EXPECT_EQ(f.Fconm, 0);
  EXPECT_EQ(f.JQualityUpDown.Position, 100);
  EXPECT_TRUE(f.FFileIn);
  // Keys that are missing take their defaults.
  EXPECT_TRUE(f.LCheckBox7.Checked);
  EXPECT_TRUE(f.LCheckBox13.Checked);
  EXPECT_FALSE(f.LCheckBox11.Checked);
  EXPECT_EQ(f.GColor, 16777215);
  EXPECT_EQ(f.fTriangl, 7);
}

TEST_F(SettingsTest, AFirstRunStartsFromTheDefaults) {
  TForm1& f = Start();
  EXPECT_EQ(f.Form1Top, 100);
  EXPECT_EQ(f.Form1Left, 100);
  EXPECT_EQ(f.FPage, 1);
  EXPECT_EQ(f.FoColor, 0);
  EXPECT_EQ(f.GColor, 16777215);
  EXPECT_EQ(f.FLabel.Color, 0);
  EXPECT_EQ(f.GLabel.Color, 16777215);
  EXPECT_EQ(f.Image1.Picture.Pixel(320, 240), 16777215);
  EXPECT_EQ(f.JQualityUpDown.Position, 60);
  EXPECT_TRUE(f.LCheckBox13.Checked);
  EXPECT_TRUE(f.CountCheckBox.Checked);
  EXPECT_FALSE(f.LCheckBox11.Checked);
  EXPECT_TRUE(f.LCheckBox4.Checked);
  EXPECT_TRUE(f.LCheckBox7.Checked);
  EXPECT_EQ(f.Pcx, 240);
  EXPECT_EQ(f.Pcy, 175);
  EXPECT_TRUE(f.Pdigit);
  EXPECT_TRUE(f.FBlackRect);
  EXPECT_EQ(f.Fconm, 80);
  EXPECT_EQ(f.FLeaf, 1);
  EXPECT_EQ(f.Leafgo1.Hint, "1 page");
  EXPECT_FALSE(f.FFileIn);
  EXPECT_TRUE(f.FQuiReady);
  EXPECT_TRUE(f.PLabel.Transparent);
  EXPECT_EQ(f.HintLabel1.Caption, "Quillane");
  EXPECT_GT(f.FAllPage, 1);
  EXPECT_EQ(f.Open.Caption, "Open");  // "Show Name" is on
  EXPECT_EQ(f.Editor1.WrapOption().WrapByte, 36);
  EXPECT_TRUE(platform->Errors.empty());
}

TEST_F(SettingsTest, AStoredFadedToBlackMarkDoesNotOutlastStartUp) {
  WriteFile(dir / "quillane.ini", "[Form\\FBColor]\nBoolean=1\n[Form\\LCheckBox14]\nChecked=1\n");
  TForm1& f = NewForm();
  EXPECT_FALSE(f.FBColor);
  EXPECT_EQ(f.Timer1.Interval, 110);
  EXPECT_EQ(f.Timer4.Interval, 8000);
  EXPECT_EQ(f.HintLabel1.Caption, "Slow on");
}

TEST_F(SettingsTest, RestoredLayoutBoxesSetTheWrapWidth) {
  WriteFile(dir / "quillane.ini", "[Form\\TurnCheckBox]\nChecked=1\n");
  TForm1& f = NewForm();
  EXPECT_TRUE(f.FullCheckBox.Checked);
  EXPECT_TRUE(f.MoreBigCheckBox.Checked);
  EXPECT_EQ(f.Editor1.WrapOption().WrapByte, 26);
  EXPECT_EQ(f.FRetsuCount, 8);
}

}  // namespace
