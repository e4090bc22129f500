// The INI reader and writer under the settings file.
#include "shell/IniFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/Errors.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

TEST(IniFileTest, SectionsKeepTheirBackslashesAndNamesIgnoreLetterCase) {
  TIniFile ini("");
  ini.Parse(
      "; written by hand\r\n"
      "[Form\\LCheckBox1]\r\n"
      "Checked = 1 \r\n"
      "\r\n"
      "[form1\\FFileIn]\r\n"
      "boolean=0\r\n"
      "[Form\\FFileName]\r\n"
      "String=/home/me/a=b.txt\r\n");
  EXPECT_EQ(ini.Value("Form\\LCheckBox1", "Checked"), "1");
  EXPECT_EQ(ini.Value("FORM\\lcheckbox1", "CHECKED"), "1");
  EXPECT_EQ(ini.Value("Form1\\FFileIn", "Boolean"), "0");
  EXPECT_EQ(ini.Value("Form\\FFileName", "String"), "/home/me/a=b.txt");
  EXPECT_FALSE(ini.Value("Form/LCheckBox1", "Checked"));
  EXPECT_FALSE(ini.Value("Form\\LCheckBox1", "Missing"));
  EXPECT_EQ(ini.ReadString("Nowhere", "Key", "fallback"), "fallback");
}

TEST(IniFileTest, WritingReplacesValuesKeepsWhatItDoesNotKnowAndBarsLineBreaks) {
  TIniFile ini("");
  ini.Parse("[Other]\nkeep=this\n[Form\\FPage]\nInteger=3\n");
  ini.WriteString("form\\fpage", "integer", "12");
  ini.WriteString("Form\\FLeaf", "Integer", "2");
  EXPECT_EQ(ini.Text(),
            "[Other]\nkeep=this\n\n[Form\\FPage]\nInteger=12\n\n[Form\\FLeaf]\nInteger=2\n");

  ini.WriteString("Form\\FFileName", "String", "/tmp/a.txt\n[Form\\FPage]\nInteger=99");
  EXPECT_EQ(ini.Text().find("Integer=99"), std::string::npos);
  TIniFile again("");
  again.Parse(ini.Text());
  EXPECT_EQ(again.Value("Form\\FFileName", "String"), "/tmp/a.txt");
  EXPECT_EQ(again.Value("Form\\FPage", "Integer"), "12");
}

TEST(IniFileTest, TheFileIsReplacedWholeAndReadBack) {
  testsupport::TempDir dir;
  const std::string path = dir / "sub/quillane.ini";
  {
    TIniFile ini(path);  // missing: empty
    EXPECT_FALSE(ini.Value("A", "b"));
    ini.WriteString("A", "b", "first");
    ini.UpdateFile();
  }
  TIniFile ini(path);
  EXPECT_EQ(ini.Value("A", "b"), "first");
  ini.WriteString("A", "b", "second");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(path), "[A]\nb=second\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "sub"),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind
}

TEST(IniFileTest, AFileThatCannotBeWrittenIsAFileError) {
  testsupport::TempDir dir;
  WriteFile(dir / "plain", "not a folder");
  TIniFile ini(dir / "plain/quillane.ini");
  ini.WriteString("A", "b", "c");
  EXPECT_THROW(ini.UpdateFile(), EFileError);
  EXPECT_EQ(ReadFile(dir / "plain"), "not a folder");
}

// Writes the settings-file fuzzer's seeds and checks that each reads back as it
// is written. To renew fuzz/seeds:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_shell --gtest_filter='*SeedCorpus*'
TEST(IniFileTest, WriteTheSeedCorpus) {
  testsupport::TempDir scratch;
  const char* chosen = std::getenv("QUILLANE_FUZZ_SEEDS");
  const std::filesystem::path folder =
      (chosen ? std::filesystem::path(chosen) : scratch.Path()) / "inifile";
  std::filesystem::create_directories(folder);
  TIniFile program("");
  program.WriteString("Form1", "Top", "100");
  program.WriteString("Form\\LCheckBox15", "Checked", "1");
  program.WriteString("Form\\FFileName", "String", "/home/読者/物語=1.txt");
  const std::string seeds[] = {program.Text(),
                               "; by hand\r\n[Form\\Pcx]\r\n Integer = 240 \r\nstray\r\n=x\r\n",
                               "[unclosed\nkey=value\n[]\n"};
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
