// The settings file: its INI reader and writer, all 54 items round trip, and
// the read rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
  std::string boxes;  // LCheckBox1 to 8 and 11 to 23
  for (int n = 1; n <= 23; ++n)
    if (n < 9 || n > 10) boxes += " LCheckBox" + std::to_string(n) + "/Checked";
  std::istringstream items(
      "Form1/Top Form1/Left" + boxes +
      " SepaCheckBox/Checked FoColor/Integer GColor/Integer FBColor/Boolean FPage/Integer "
      "FFileName/String FLeaf/Integer Form1\\FFileIn/Boolean Pcx/Integer Pcy/Integer "
      "Pmvc/Integer Piro/Integer Pform/Integer Pirot/Integer Pformt/Integer Pdigi/Boolean "
      "Pdigit/Boolean Pb/Boolean Pbt/Boolean Pmix/Boolean Pmouse/Boolean Fconm/Integer "
      "FBlackRect/Boolean BoldCheckBox/Checked FullCheckBox/Checked JQualityUpDown/Integer "
      "CountCheckBox/Checked BigFontCheckBox/Checked MoreBigCheckBox/Checked "
      "TurnCheckBox/Checked fTriangl/Integer");
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

TEST_F(SettingsTest, AllItemsSurviveAWriteAndAReadInTheirOwnSections) {
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
  a.FAozora = TAozoraMode::Off;
  a.WriteSettings();
  // Stored files are found by these names, in this order.
  std::istringstream text(ReadFile(dir / "quillane.ini"));
  std::vector<std::string> found;
  for (std::string line, section; std::getline(text, line);)
    if (line.starts_with('['))
      section = line.substr(1, line.size() - 2);
    else if (!line.empty())
      found.push_back(section + "/" + line.substr(0, line.find('=')));
  // ... and after them, in a section of its own, the switch for books.
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.back(), "Book\\Aozora/Checked");
  found.pop_back();
  EXPECT_EQ(found, Order());

  TForm1& b = NewForm();  // created with the file above, then read again over it
  b.FBColor = false;
  b.ReadSettings();
  const auto read = SavedBoxes(b);
  for (std::size_t i = 0; i < read.size(); ++i)
    EXPECT_EQ(read[i]->Checked, i % 3 != 1) << read[i]->Name;
  EXPECT_EQ(OtherItems(b), values);
  EXPECT_EQ(b.FAozora, TAozoraMode::Off);
}

TEST_F(SettingsTest, AHandWrittenFileCountsDigitsOnlyIsHeldToItsRangesAndTakesEffect) {
  WriteFile(dir / "quillane.ini",
            "[Form\\LCheckBox1]\nChecked=True\n[Form\\LCheckBox2]\nChecked=1\n"
            "[Form\\LCheckBox4]\nChecked=0\n[Form\\LCheckBox6]\nChecked=-1\n"
            "[Form\\LCheckBox5]\nChecked=256\n"  // the low eight bits are zero
            "[form1\\ffilein]\nboolean=1\n[Form\\Form1]\nLeft=2147483647\n"
            "[Form\\FPage]\nInteger=2147483647\n[Form\\FLeaf]\nInteger=12x\n"
            "[Form\\Pcx]\nInteger=-2147483648\n[Form\\Pcy]\nInteger=99999999999\n"
            "[Form\\Fconm]\nInteger=2147483647\n[Form\\JQualityUpDown]\nInteger=400\n"
            "[Form\\FBColor]\nBoolean=1\n[Form\\LCheckBox14]\nChecked=1\n"
            "[Form\\TurnCheckBox]\nChecked=1\n[Form\\LCheckBox13]\nChecked=0\n");
  TForm1& f = NewForm();
  EXPECT_EQ(std::vector<bool>({f.LCheckBox1.Checked, f.LCheckBox2.Checked, f.LCheckBox4.Checked,
                               f.LCheckBox5.Checked, f.LCheckBox6.Checked, f.FFileIn}),
            std::vector<bool>({false, true, false, false, true, true}));
  EXPECT_EQ(std::vector<int>(
                {f.Form1Left, f.FPage, f.FLeaf, f.Pcx, f.Pcy, f.Fconm, f.JQualityUpDown.Position}),
            std::vector<int>({32767, 2147483647 / 8, 1, 0, 0, 127, 100}));
  EXPECT_TRUE(f.LCheckBox7.Checked && f.fTriangl == 7);  // missing keys take their defaults
  // The boxes take effect ("Slow"; turned pages force the big full layout; "Show
  // Name" off), but a faded-to-black mark does not.
  EXPECT_EQ(std::tuple(f.FBColor, f.Timer1.Interval, f.Timer4.Interval, f.HintLabel1.Caption,
                       f.FullCheckBox.Checked, f.MoreBigCheckBox.Checked,
                       f.Editor1.WrapOption().WrapByte, f.FRetsuCount, f.Open.Caption),
            std::tuple(false, 110, 8000, "Slow on", true, true, 26, 8, ""));
  Start().TriButton1Click();  // a page near INT_MAX, then a step past it
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
}

TEST(IniFileTest, NamesIgnoreLetterCaseAndWritingKeepsTheRestButBarsLineBreaks) {
  TIniFile ini("");
  ini.Parse("; by hand\r\n[Form\\LCheckBox1]\r\n Checked = 1 \r\n\r\n[Other]\nkeep=a=b\n");
  EXPECT_EQ(ini.Value("FORM\\lcheckbox1", "CHECKED"), "1");
  EXPECT_FALSE(ini.Value("Form/LCheckBox1", "Checked") || ini.Value("Form\\LCheckBox1", "No"));
  ini.WriteString("form\\lcheckbox1", "checked", "0");
  ini.WriteString("Form\\FFileName", "String", "/tmp/a.txt\n[Form\\FPage]\nInteger=99");
  EXPECT_EQ(ini.Text(),
            "; by hand\n\n[Form\\LCheckBox1]\nChecked=0\n\n[Other]\nkeep=a=b\n\n"
            "[Form\\FFileName]\nString=/tmp/a.txt\n");
}

TEST(IniFileTest, TheFileIsReplacedWholeOrNotAtAll) {
  testsupport::TempDir dir;
  const std::string path = dir / "sub/quillane.ini";
  TIniFile ini(path);  // missing: empty, written with its folder
  ini.WriteString("A", "b", "first");
  ini.UpdateFile();
  ini.WriteString("A", "b", "second");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[A]\nb=second\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "sub"),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind; a failed write: the lifecycle's tests
}

// Writes the settings-file fuzzer's seeds and checks that each reads back as it
// is written. To renew fuzz/seeds:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_shell --gtest_filter='*SeedCorpus*'
TEST(IniFileTest, WriteTheSeedCorpus) {
  using namespace std::string_literals;
  testsupport::TempDir scratch;
  const char* chosen = std::getenv("QUILLANE_FUZZ_SEEDS");
  const std::filesystem::path folder =
      (chosen ? std::filesystem::path(chosen) : scratch.Path()) / "inifile";
  TIniFile program("");
  program.WriteString("Form1", "Top", "100");
  program.WriteString("Form\\LCheckBox15", "Checked", "1");
  program.WriteString("Form\\FFileName", "String", "/home/読者/物語=1.txt");
  const std::string seeds[] = {
      program.Text(), "; by hand\r\n[Form\\Pcx]\r\n Integer = 240 \r\nstray\r\n=x\r\n",
      "[unclosed\nkey=value\n[]\n",
      // a page past the end, CR-only breaks, stray NULs
      "[Form\\FPage]\rInteger=50\r[Form1\\FFileIn]\nBoolean=1\n\0stray\0\n"s};
  for (std::size_t k = 0; k < std::size(seeds); ++k) {
    const std::string path = (folder / ("settings" + std::to_string(k))).string();
    WriteFile(path, seeds[k]);
    TIniFile again("");
    again.Parse(TIniFile(path).Text());
    EXPECT_EQ(again.Text(), TIniFile(path).Text()) << k;
  }
  EXPECT_EQ(TIniFile((folder / "settings0").string()).Value("form\\ffilename", "STRING"),
            "/home/読者/物語=1.txt");
}

}  // namespace
