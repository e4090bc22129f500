// The line store: how loading and setting text split lines, the row ends,
// the options and their clamps, replacement, and the two windows' settings.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "tests/common/TestSupport.h"
#include "text/HEditor.h"

using testsupport::Sjis;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::vector<std::string> LinesOf(const TEditor& e) {
  std::vector<std::string> lines;
  for (int i = 0; i < e.Lines.Count(); ++i) lines.emplace_back(e.Lines[i]);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(EditorSetTextTest, SplitsAtLineBreaksAndStopsAtNul) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\r b", {"a", "", " b"}},  // LF then CR: two breaks
      {"a\r\n", {"a"}},              // the final break adds no line
      {"a\r\n\r\n", {"a", ""}},
      {"", {}},
      {std::string("ab\x1A"
                   "c\0d\r\ne",
                   9),
       {"ab\x1A"
        "c"}},
  };
  for (const auto& c : cases) {
    TEditor e;
    e.Lines.SetText(c.text);
    EXPECT_EQ(LinesOf(e), c.lines) << testing::PrintToString(c.text);
    EXPECT_EQ(e.RowCount(), static_cast<int>(c.lines.size()));
  }
  TEditor e;
  e.Lines.SetText("a\rb");
  EXPECT_EQ(e.Lines.GetText(), "a\r\nb\r\n");  // every set line is terminated
  EXPECT_EQ(e.RowEnd(1), TRowEnd::LineEnd);
  EXPECT_EQ(e.Rows(-1), "");
  EXPECT_EQ(e.Rows(2), "");
  e.Lines.Clear();
  EXPECT_EQ(e.Lines.GetText(), "");
  EXPECT_EQ(e.RowCount(), 0);
}

TEST(EditorLoadTest, SplitsLikeSetTextAndMarksTheUnterminatedLine) {
  const struct {
    std::string bytes;
    Lines lines;
    bool unterminated;
  } cases[] = {
      {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}, true},
      {"one\r\n", {"one"}, false},
      {"one\r\ntw\x1Ao\r\nthree", {"one", "tw"}, true},  // 0x1A ends the text
      {"one\r\n\x1A", {"one"}, false},
      {std::string("ab\0cd\r\nef", 9), {"ab cd", "ef"}, true},  // NUL becomes a space
      {std::string(34, 'a') + "\x81", {std::string(34, 'a') + "\x81"}, true},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    WriteFile(dir / "a.txt", c.bytes);
    TEditor e;
    ApplyEditor1Settings(e);
    e.Lines.LoadFromFile(dir / "a.txt");
    EXPECT_EQ(LinesOf(e), c.lines);
    EXPECT_EQ(e.Lines.LastUnterminated(), c.unterminated);
    ASSERT_EQ(e.RowCount(), static_cast<int>(c.lines.size()));
    for (int i = 0; i < e.RowCount(); ++i) EXPECT_EQ(e.Rows(i), c.lines[i]);
    EXPECT_EQ(e.RowEnd(e.RowCount() - 1),
              c.unterminated ? TRowEnd::Unterminated : TRowEnd::LineEnd);
    std::string text;
    for (const auto& line : c.lines) text += line + "\r\n";
    if (c.unterminated) text.resize(text.size() - 2);
    EXPECT_EQ(e.Lines.GetText(), text);
    // Setting the text again, as the layout does, keeps every line.
    e.Lines.SetText(e.Lines.GetText());
    EXPECT_EQ(LinesOf(e), c.lines);
  }
}

TEST(EditorLoadTest, ChunkEdgesEmptyFilesAndMissingFiles) {
  TempDir dir;
  TEditor e;
  // The loader reads 1 MiB at a time; put the CR at the last byte of a chunk.
  std::string text(1 << 20, 'x');
  text.back() = '\r';
  text += "\nyz";
  WriteFile(dir / "big.txt", text);
  e.Lines.LoadFromFile(dir / "big.txt");
  ASSERT_EQ(e.Lines.Count(), 2);
  EXPECT_EQ(e.Lines[0].size(), (1u << 20) - 1);
  EXPECT_EQ(e.Lines[1], "yz");

  WriteFile(dir / "empty.txt", "");
  e.Lines.LoadFromFile(dir / "empty.txt");
  EXPECT_EQ(e.Lines.Count(), 0);
  e.Lines.SetText("kept");
  EXPECT_THROW(e.Lines.LoadFromFile(dir / "missing.txt"), EFileError);
  EXPECT_EQ(LinesOf(e), (Lines{"kept"}));
  EXPECT_THROW(e.Lines.LoadFromFile(dir.Path().string()), EFileError);  // a folder
}

TEST(EditorLoadTest, AnyBytesLoadAndWrapWithoutLoss) {
  TempDir dir;
  std::mt19937 gen(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(gen() % 3000, '\0');
    for (char& c : bytes) c = static_cast<char>(gen() % 256);
    WriteFile(dir / "r.bin", bytes);
    TEditor e;
    ApplyEditor1Settings(e);
    e.SetWrapByte(20 + static_cast<int>(gen() % 231));
    e.Lines.LoadFromFile(dir / "r.bin");
    // The rows of each line put back together give the line, and none is
    // wider than the width plus three hanging bytes.
    std::string joined;
    int line = 0;
    for (int i = 0; i < e.RowCount(); ++i) {
      ASSERT_LE(static_cast<int>(e.Rows(i).size()), e.WrapOption().WrapByte + 3);
      joined += e.Rows(i);
      if (e.RowEnd(i) != TRowEnd::Continues) {
        ASSERT_LT(line, e.Lines.Count());
        ASSERT_EQ(joined, e.Lines[line]) << "round " << round;
        joined.clear();
        ++line;
      }
    }
    EXPECT_EQ(line, e.Lines.Count());
  }
}

TEST(EditorOptionsTest, OnlyARealChangeRewrapsAndWordWrapOffKeepsLinesWhole) {
  TEditor e;
  ApplyEditor1Settings(e);
  e.Lines.SetText("abc");
  const auto before = e.WrapCount();
  e.SetWrapByte(36);
  e.SetWrapOption(e.WrapOption());
  EXPECT_EQ(e.WrapCount(), before);
  TWrapOption o = e.WrapOption();
  o.LeadStr += "x";
  e.SetWrapOption(o);
  EXPECT_EQ(e.WrapCount(), before + 1);
  e.SetWrapByte(300);  // clamps to 250
  e.SetWrapByte(251);  // also 250: no change
  EXPECT_EQ(e.WrapCount(), before + 2);
  // Word wrap off gives one row per line.
  e.SetWrapByte(36);
  e.Lines.SetText(std::string(100, 'a') + "\r\nb");
  EXPECT_EQ(e.RowCount(), 4);
  e.SetWordWrap(false);
  ASSERT_EQ(e.RowCount(), 2);
  EXPECT_EQ(e.Rows(0).size(), 100u);
  e.SetWordWrap(true);
  EXPECT_EQ(e.RowCount(), 4);
}

TEST(EditorOptionsTest, DefaultsAndTheTabSpaceCountsLimits) {
  TEditor e;
  EXPECT_EQ(e.WrapOption().WrapByte, 80);
  EXPECT_TRUE(e.WordWrap());
  EXPECT_EQ(e.TabSpaceCount(), 8);
  for (const auto& [set, got] : {std::pair{5, 4}, {1, 2}, {99, 8}}) {
    e.SetTabSpaceCount(set);
    EXPECT_EQ(e.TabSpaceCount(), got) << set;
  }
  // A tab at column 0 with a tab distance of 4 spans 4 columns.
  ApplyEditor1Settings(e);
  e.SetTabSpaceCount(4);
  e.Lines.SetText("\t" + std::string(36, 'x'));
  EXPECT_EQ(e.Rows(0).size(), 33u);
}

TEST(EditorSettingsTest, SetStringsHaveTheirByteLengths) {
  TEditor e1, e2;
  ApplyEditor1Settings(e1);
  ApplyEditor2Settings(e2);
  // Follow, lead and punctuation strings in bytes.
  const std::pair<const TEditor*, std::array<std::size_t, 3>> sets[] = {{&e1, {79, 21, 13}},
                                                                        {&e2, {67, 21, 12}}};
  for (const auto& [e, sizes] : sets) {
    const TWrapOption& o = e->WrapOption();
    EXPECT_EQ(o.FollowStr.size(), sizes[0]);
    EXPECT_EQ(o.LeadStr.size(), sizes[1]);
    EXPECT_EQ(o.PunctuationStr.size(), sizes[2]);
    EXPECT_EQ(o.WrapByte, 36);
    EXPECT_TRUE(o.FollowRetMark && o.FollowPunctuation && o.Leading && o.WordBreak);
    EXPECT_EQ(e->TabSpaceCount(), 8);
    EXPECT_TRUE(e->ReadOnly);
    // No replacement characters crept in, and the half-width space is there.
    EXPECT_EQ(o.FollowStr.find('?'), o.FollowStr.rfind('?'));
    EXPECT_NE(o.FollowStr.find(' '), std::string::npos);
  }
  EXPECT_EQ(e1.WrapOption().FollowStr.substr(67), Sjis("ｧｨｩｪｫｬｭｮｯｰっ"));
  EXPECT_EQ(e1.WrapOption().PunctuationStr.back(), ')');
}

TEST(EditorReplaceTest, ReplacesLeftToRightOverTheWholeText) {
  TEditor e;
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
  EXPECT_EQ(LinesOf(e), (Lines{"a", "c"}));
  EXPECT_EQ(e.ReplaceAll("c", "c\r\nd"), 1u);
  EXPECT_EQ(LinesOf(e), (Lines{"a", "c", "d"}));
}

TEST(EditorReplaceTest, SuspendedUpdatesRewrapOnceAtTheEnd) {
  TEditor e;
  ApplyEditor1Settings(e);
  e.Lines.SetText("x y x");
  const auto before = e.WrapCount();
  e.BeginUpdate();
  e.ReplaceAll("x", "zz");
  e.ReplaceAll("y", "w");
  EXPECT_EQ(e.WrapCount(), before);
  e.EndUpdate();
  EXPECT_EQ(e.WrapCount(), before + 1);
  EXPECT_EQ(e.Rows(0), "zz w zz");
}

}  // namespace
