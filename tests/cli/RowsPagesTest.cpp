// quillane-cli rows and pages through the built program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/common/TestSupport.h"

using testsupport::CliPath;
using testsupport::RunCommand;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::vector<std::string> OutputLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int Cli(const std::string& args, std::string* out) {
  return RunCommand(CliPath() + " " + args + " 2>/dev/null", out);
}

const std::string kKanji = "\x8a\xbf";  // 漢

TEST(RowsCommandTest, PrintsRowEndsAndHexBytes) {
  TempDir dir;
  WriteFile(dir / "a.txt", Repeat(kKanji, 20) + "\r\n\r\nabc");
  std::string out;
  ASSERT_EQ(Cli("rows " + dir / "a.txt", &out), 0);
  EXPECT_EQ(out, "S " + Repeat("8abf", 18) + "\nE 8abf8abf\nE \nU 616263\n");
}

TEST(RowsCommandTest, EditorSetsAndWidthAreApplied) {
  TempDir dir;
  WriteFile(dir / "a.txt", Repeat(kKanji, 18) + ")" + Repeat(kKanji, 2) + "\r\n");
  std::string one, two;
  ASSERT_EQ(Cli("rows --editor 1 " + dir / "a.txt", &one), 0);
  ASSERT_EQ(Cli("rows --editor 2 " + dir / "a.txt", &two), 0);
  // Editor1 lets ")" hang; Editor2 pushes the last 漢 down with it.
  EXPECT_EQ(OutputLines(one)[0], "S " + Repeat("8abf", 18) + "29");
  EXPECT_EQ(OutputLines(two)[0], "S " + Repeat("8abf", 17));

  WriteFile(dir / "x.txt", std::string(40, 'x'));
  std::string narrow;
  ASSERT_EQ(Cli("rows --width 10 " + dir / "x.txt", &narrow), 0);  // clamped to 20
  EXPECT_EQ(narrow, "S " + Repeat("78", 20) + "\nU " + Repeat("78", 20) + "\n");
}

TEST(RowsCommandTest, RefusesBadInput) {
  TempDir dir;
  WriteFile(dir / "a.txt", "abc");
  std::string out;
  EXPECT_EQ(Cli("rows --editor 3 " + dir / "a.txt", &out), 2);
  EXPECT_EQ(Cli("rows --width wide " + dir / "a.txt", &out), 2);
  EXPECT_EQ(Cli("rows --bogus " + dir / "a.txt", &out), 2);
  EXPECT_EQ(Cli("rows", &out), 2);
  EXPECT_NE(Cli("rows " + dir / "missing.txt", &out), 0);
  std::string err;
  RunCommand(CliPath() + " rows " + dir / "missing.txt" + " 2>&1 >/dev/null | grep -c 'rows:'",
             &err);
  EXPECT_EQ(err, "1\n");  // one line names the command
}

TEST(PagesCommandTest, PadsToWholePagesInEachMode) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 27; ++i) text += "ab\r\n";
  WriteFile(dir / "t.txt", text);
  std::string out;
  ASSERT_EQ(Cli("pages " + dir / "t.txt", &out), 0);
  auto lines = OutputLines(out);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[0], "pages 3");
  EXPECT_EQ(lines[27], "6162");
  EXPECT_EQ(lines[28], "8140");
  EXPECT_EQ(lines[39], "8140");

  ASSERT_EQ(Cli("pages --mode turn " + dir / "t.txt", &out), 0);
  lines = OutputLines(out);
  EXPECT_EQ(lines[0], "pages 4");
  EXPECT_EQ(lines.size(), 33u);
}

TEST(PagesCommandTest, ModesSetTheWidth) {
  TempDir dir;
  WriteFile(dir / "k.txt", Repeat(kKanji, 20) + "\r\n");
  const struct {
    const char* mode;
    int firstRowChars;
  } cases[] = {{"normal", 18}, {"full", 18}, {"bigfont", 15}, {"morebig", 13}, {"turn", 13}};
  for (const auto& c : cases) {
    std::string out;
    ASSERT_EQ(Cli(std::string("pages --mode ") + c.mode + " " + dir / "k.txt", &out), 0);
    const auto lines = OutputLines(out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], Repeat("8abf", c.firstRowChars)) << c.mode;
  }
}

TEST(PagesCommandTest, ReplacesAndStripsBeforeLayout) {
  TempDir dir;
  WriteFile(dir / "p.html", "<b>a\x81\x46</b>\tz\r\n");
  std::string out;
  ASSERT_EQ(Cli("pages " + dir / "p.html", &out), 0);
  const auto lines = OutputLines(out);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "pages 1");
  EXPECT_EQ(lines[1], "61203a20" + Repeat("8140", 4) + "7a");
  EXPECT_EQ(Cli("pages --mode tiny " + dir / "p.html", &out), 2);
  EXPECT_NE(Cli("pages " + dir / "none.txt", &out), 0);
}

}  // namespace

TEST(PagesCommandTest, EncodingOptionOverridesDetection) {
  TempDir dir;
  // 日本 in EUC-JP reads as Shift-JIS 93 FA 96 7B only when named; detected, it
  // is neither UTF-8 nor meant as Shift-JIS.
  WriteFile(dir / "e.txt", "\xC6\xFC\xCB\xDC\r\n");
  WriteFile(dir / "s.txt", "\x93\xFA\x96\x7B\r\n");
  std::string euc, sjis, detected;
  ASSERT_EQ(Cli("pages --encoding euc-jp " + dir / "e.txt", &euc), 0);
  ASSERT_EQ(Cli("pages " + dir / "s.txt", &sjis), 0);
  ASSERT_EQ(Cli("pages " + dir / "e.txt", &detected), 0);
  EXPECT_EQ(euc, sjis);
  EXPECT_NE(detected, sjis);
  std::string rows;
  ASSERT_EQ(Cli("rows --encoding euc-jp " + dir / "e.txt", &rows), 0);
  EXPECT_EQ(rows, "E 93fa967b\n");
  EXPECT_EQ(Cli("pages --encoding latin1 " + dir / "e.txt", &rows), 2);
}
