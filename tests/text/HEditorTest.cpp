// The line store: how setting and loading text split lines, the row ends,
// the options and their clamps, and replacement over the whole text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "tests/common/TestSupport.h"
#include "text/HEditor.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TEditor& e) {
  Lines lines;
  for (int i = 0; i < e.Lines.Count(); ++i) lines.emplace_back(e.Lines[i]);
  return lines;
}

// Loading and setting split alike; a loaded NUL becomes a space, a set one
// ends the text, and 0x1A ends a loaded text.
TEST(EditorTextTest, SplitsAtLineBreaksAndMarksTheUnterminatedLine) {
  const std::tuple<bool, std::string, Lines, bool> cases[] = {
      {true, "one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}, true},
      {true, "a\n\r b\r\n\r\n", {"a", "", " b", ""}, false},  // LF then CR: two breaks
      {true, "one\r\ntw\x1Ao\r\nthree", {"one", "tw"}, true},
      {true, "one\r\n\x1A", {"one"}, false},
      {true, std::string(34, 'a') + "\x81", {std::string(34, 'a') + "\x81"}, true},
      {true, "", {}, false},
      {false, std::string("ab\x1Az\0d", 6), {"ab\x1Az"}, false},
      {false, "a\rb", {"a", "b"}, false},  // every set line is terminated
  };
  TempDir dir;
  for (const auto& [load, bytes, lines, unterminated] : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    TEditor e;
    ApplyEditor1Settings(e);
    WriteFile(dir / "a.txt", bytes);
    load ? void(e.Lines.LoadFromFile(dir / "a.txt")) : e.Lines.SetText(bytes);
    EXPECT_EQ(LinesOf(e), lines);
    EXPECT_EQ(e.Lines.LastUnterminated(), unterminated);
    ASSERT_EQ(e.RowCount(), static_cast<int>(lines.size()));
    EXPECT_EQ(std::string(e.Rows(-1)) + std::string(e.Rows(e.RowCount())), "");
    if (lines.empty()) continue;
    EXPECT_EQ(e.RowEnd(e.RowCount() - 1), unterminated ? TRowEnd::Unterminated : TRowEnd::LineEnd);
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    if (unterminated) text.resize(text.size() - 2);
    EXPECT_EQ(e.Lines.GetText(), text);
    // Setting the text again, as the layout does, keeps every line.
    e.Lines.SetText(e.Lines.GetText());
    EXPECT_EQ(LinesOf(e), lines);
  }
}

TEST(EditorTextTest, AnyBytesLoadAndWrapWithoutLossAcrossChunksAndUnreadableFilesThrow) {
  TempDir dir;
  TEditor e;
  // The loader reads 1 MiB at a time; put the CR at the last byte of a chunk.
  std::string text(1 << 20, 'x');
  text.back() = '\r';
  WriteFile(dir / "big.txt", text + "\nyz");
  e.Lines.LoadFromFile(dir / "big.txt");
  EXPECT_EQ(LinesOf(e), (Lines{text.substr(0, text.size() - 1), "yz"}));
  e.Lines.SetText("kept");
  EXPECT_THROW(e.Lines.LoadFromFile(dir / "missing.txt"), EFileError);
  EXPECT_EQ(LinesOf(e), (Lines{"kept"}));
  EXPECT_THROW(e.Lines.LoadFromFile(dir.Path().string()), EFileError);  // a folder
  std::mt19937 gen(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(gen() % 3000, '\0');
    for (char& c : bytes) c = static_cast<char>(1 + gen() % 255);  // a NUL is refused
    WriteFile(dir / "r.bin", bytes);
    ApplyEditor1Settings(e);
    e.SetWrapByte(20 + static_cast<int>(gen() % 231));
    e.Lines.LoadFromFile(dir / "r.bin");
    // Each line's rows give back the line, none wider than the width plus three hanging bytes.
    std::string joined;
    int line = 0;
    for (int i = 0; i < e.RowCount(); ++i) {
      ASSERT_LE(static_cast<int>(e.Rows(i).size()), e.WrapOption().WrapByte + 3);
      joined += e.Rows(i);
      if (e.RowEnd(i) != TRowEnd::Continues) {
        ASSERT_LT(line, e.Lines.Count());
        ASSERT_EQ(joined, e.Lines[line++]) << "round " << round;
        joined.clear();
      }
    }
    EXPECT_EQ(line, e.Lines.Count());
  }
}

TEST(EditorOptionsTest, OnlyARealChangeRewrapsLimitsAreKeptAndReplaceAllSpansLines) {
  TEditor e;
  ApplyEditor1Settings(e);
  e.Lines.SetText(std::string(100, 'a') + "\r\nb");
  EXPECT_EQ(e.RowCount(), 4);
  const auto before = e.WrapCount();
  e.SetWrapByte(36);
  e.SetWrapOption(e.WrapOption());
  EXPECT_EQ(e.WrapCount(), before);
  e.SetWrapByte(300);  // clamps to 250
  e.SetWrapByte(251);  // also 250: no change
  EXPECT_EQ(e.WrapCount(), before + 1);
  EXPECT_EQ(e.RowCount(), 2);
  e.SetWrapByte(5);  // clamps to 20
  EXPECT_EQ(e.Rows(0).size(), 20u);
  // Replacement runs left to right over the whole text.
  e.Lines.SetText("aaaa\r\nxaax");
  EXPECT_EQ(e.ReplaceAll("aa", "b"), 3u);
  EXPECT_EQ(LinesOf(e), (Lines{"bb", "xbx"}));
  // A replacement that contains what it replaces does not loop.
  EXPECT_EQ(e.ReplaceAll("b", "bb"), 3u);
  EXPECT_EQ(LinesOf(e), (Lines{"bbbb", "xbbx"}));
  EXPECT_EQ(e.ReplaceAll("", "z"), 0u);
  // Line breaks in the strings work on the whole text.
  e.Lines.SetText("a\r\nb\r\nc");
  EXPECT_EQ(e.ReplaceAll("\r\nb", ""), 1u);
  EXPECT_EQ(e.ReplaceAll("c", "c\r\nd"), 1u);
  EXPECT_EQ(LinesOf(e), (Lines{"a", "c", "d"}));
}

}  // namespace
