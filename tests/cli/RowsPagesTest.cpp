// quillane-cli rows and pages through the built program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
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

TEST(RowsCommandTest, PrintsRowEndsAndHexBytesUnderTheChosenSetAndWidth) {
  TempDir dir;
  WriteFile(dir / "a.txt", Repeat(kKanji, 20) + "\r\n\r\nabc");
  WriteFile(dir / "p.txt", Repeat(kKanji, 18) + ")" + Repeat(kKanji, 2) + "\r\n");
  WriteFile(dir / "x.txt", std::string(40, 'x'));
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "a.txt", "S " + Repeat("8abf", 18) + "\nE 8abf8abf\nE \nU 616263\n"},
      // The built-in text's set pushes the last 漢 down with ")".
      {"--editor 2 ", "p.txt", "S " + Repeat("8abf", 17) + "\nE 8abf298abf8abf\n"},
      {"--width 10 ", "x.txt", "S " + Repeat("78", 20) + "\nU " + Repeat("78", 20) + "\n"}};
  for (const auto& [options, file, rows] : cases) {
    std::string out;
    ASSERT_EQ(Cli("rows " + options + dir / file, &out), 0) << options;
    EXPECT_EQ(out, rows) << options;
  }
}

TEST(RowsCommandTest, RefusesBadInput) {
  TempDir dir;
  WriteFile(dir / "a.txt", "abc");
  std::string out;
  for (const char* bad : {"--editor 3 ", "--width wide ", "--bogus ", "--encoding latin1 "})
    EXPECT_EQ(Cli(std::string("rows ") + bad + dir / "a.txt", &out), 2) << bad;
  EXPECT_EQ(Cli("rows", &out), 2);
  EXPECT_EQ(Cli("pages --mode tiny " + dir / "a.txt", &out), 2);
  EXPECT_NE(Cli("pages " + dir / "none.txt", &out), 0);
  RunCommand(CliPath() + " rows " + dir / "missing.txt" + " 2>&1 >/dev/null | grep -c 'rows:'",
             &out);
  EXPECT_EQ(out, "1\n");  // one line names the command
}

TEST(PagesCommandTest, ReplacesStripsAndPadsToWholePagesInEachMode) {
  TempDir dir;
  WriteFile(dir / "p.html", "<b>a\x81\x46</b>\tz\r\n" + Repeat("ab\r\n", 26));
  std::string out;
  ASSERT_EQ(Cli("pages " + dir / "p.html", &out), 0);
  auto lines = OutputLines(out);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[0], "pages 3");
  EXPECT_EQ(lines[1], "61203a20" + Repeat("8140", 4) + "7a");
  EXPECT_EQ(lines[27], "6162");
  EXPECT_EQ(lines[28], "8140");
  EXPECT_EQ(lines[39], "8140");
  ASSERT_EQ(Cli("pages --mode turn " + dir / "p.html", &out), 0);
  lines = OutputLines(out);
  EXPECT_EQ(lines[0], "pages 4");
  EXPECT_EQ(lines.size(), 33u);
}

TEST(PagesCommandTest, EncodingOptionOverridesDetection) {
  TempDir dir;
  // 日本 in EUC-JP reads as Shift-JIS 93 FA 96 7B only when named; detected, it
  // is neither UTF-8 nor meant as Shift-JIS.
  WriteFile(dir / "e.txt", "\xC6\xFC\xCB\xDC\r\n");
  WriteFile(dir / "s.txt", "\x93\xFA\x96\x7B\r\n");
  std::string euc, sjis, detected, rows;
  ASSERT_EQ(Cli("pages --encoding euc-jp " + dir / "e.txt", &euc), 0);
  ASSERT_EQ(Cli("pages " + dir / "s.txt", &sjis), 0);
  ASSERT_EQ(Cli("pages " + dir / "e.txt", &detected), 0);
  EXPECT_EQ(euc, sjis);
  EXPECT_NE(detected, sjis);
  ASSERT_EQ(Cli("rows --encoding euc-jp " + dir / "e.txt", &rows), 0);
  EXPECT_EQ(rows, "E 93fa967b\n");
}

}  // namespace
