// The kinsoku wrap of the line store: the listed cases and the rules' interplay,
// each limit met on both sides.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/TestSupport.h"
#include "text/HEditor.h"

using testsupport::Repeat;
using testsupport::Sjis;

namespace {

// A row's bytes and whether it ends its line.
using RowOut = std::pair<std::string, bool>;

std::vector<RowOut> StoreRows(const TEditor& e) {
  std::vector<RowOut> rows;
  for (int i = 0; i < e.RowCount(); ++i)
    rows.emplace_back(e.Rows(i), e.RowEnd(i) != TRowEnd::Continues);
  return rows;
}

// The rows a line should give: consecutive pieces of the given byte lengths,
// the last one ending the line.
std::vector<RowOut> Pieces(const std::string& line, const std::vector<std::size_t>& lengths) {
  std::vector<RowOut> rows;
  for (std::size_t at = 0, i = 0; i < lengths.size(); at += lengths[i++])
    rows.emplace_back(line.substr(at, lengths[i]), i + 1 == lengths.size());
  return rows;
}

const std::string K = "\x8a\xbf";  // 漢: in none of the sets

const auto Kanji = [](int n) { return Repeat(K, n); };

struct WrapCase {
  const char* name;
  std::string line;
  std::vector<std::size_t> lengths;
  int editor = 1;
  int width = 36;
  bool wordBreak = true;
  bool followRetMark = true;
};

TEST(WrapTest, CutsEachLineUnderTheRules) {
  const std::string a29 = std::string(29, 'a'), a34 = std::string(34, 'a');
  const WrapCase cases[] = {
      {"empty line", "\r\n", {0}},
      {"18 kanji fill the row exactly", Kanji(18), {36}},
      {"full stop hangs", Kanji(18) + Sjis("。"), {38}},
      {"comma hangs at the line's end", Kanji(18) + ",", {37}},
      {"a sign across the edge hangs", std::string(35, 'a') + Sjis("、") + "x", {37, 1}},
      {"closing bracket pulls the character before it", Kanji(18) + Sjis("」あいう"), {34, 10}},
      {"opening bracket moves down", Kanji(17) + Sjis("「") + Kanji(5), {34, 12}},
      {"back quote at byte 30", a29 + "`" + std::string(20, 'b'), {30, 20}},
      {"a path breaks after its slash", a29 + "/" + std::string(20, 'b'), {30, 20}},
      {"40-letter word", std::string(40, 'x'), {36, 4}},
      {"a line that fills the row exactly",
       std::string(20, 'a') + " " + std::string(15, 'b'),
       {36}},
      {"one-byte at 35, two-byte at 36-37", a34 + " " + K + "zz", {35, 4}},
      {"cut inside a tab's span", "\t\t\t\tabc", {3, 4}, 1, 20},
      {"a tab after a tab", "\ta\t" + std::string(20, 'x'), {7, 16}, 1, 20, false},
      // A leading tab takes 8 columns, and the tab map restarts on every row.
      {"tab on the second row", Kanji(18) + "\t" + Kanji(15), {36, 29, 2}},
      // A letter at the edge and a space after it still scan back.
      {"space after the edge",
       std::string(20, 'a') + " " + std::string(15, 'b') + " tail",
       {21, 20}},
      {"delimiter at the edge", std::string(35, 'a') + "-more", {36, 4}},
      {"scan stops after a two-byte character", Kanji(10) + std::string(20, 'a') + "zzz", {20, 23}},
      {"letters below the scan floor", Kanji(5) + std::string(30, 'a') + "zzz", {36, 7}},
      {"space at the floor", std::string(11, 'a') + " " + std::string(40, 'b'), {12, 36, 4}},
      {"word break off", a29 + " " + std::string(20, 'b'), {36, 14}, 1, 36, false},
      {"one-byte then two-byte sign hang", Kanji(18) + "," + Sjis("。") + "x", {39, 1}},
      // Two bytes may hang; the third sign pulls the row back past the character before.
      {"three one-byte signs", Kanji(18) + ",,,x", {34, 6}},
      // A third sign cannot hang and may not start a row: push back over all.
      {"three signs", Kanji(18) + "," + Sjis("。、") + K, {34, 9}},
      {"')' hangs for the user text", Kanji(18) + ")" + Kanji(2), {37, 4}},
      // The built-in text's signs lack ')', which still may not start a row.
      {"')' pushes for the built-in text", Kanji(18) + ")" + Kanji(2), {34, 7}, 2},
      {"push-out stops at the floor", Kanji(13) + Repeat(Sjis("っ"), 8), {26, 16}},
      {"brackets back off to the floor", Kanji(12) + Repeat(Sjis("「"), 6) + Kanji(4), {26, 18}},
      // Backing off a closing bracket also takes the opening one before its character.
      {"bracket pair backs off together",
       Kanji(16) + Sjis("「") + K + Sjis("」") + Kanji(2),
       {32, 10}},
      // What ends the line may end a row, opening or closing.
      {"opening bracket ends the line", Kanji(17) + Sjis("「"), {36}},
      {"closing sign ends the line", Kanji(18) + "!", {36, 1}},
      {"return mark off, full row", Kanji(18), {36, 0}, 1, 36, true, false},
      {"return mark off, two full rows", Kanji(36), {36, 36, 0}, 1, 36, true, false},
      // A lone lead byte at the end counts two columns but is one byte.
      {"lead byte at the end", a34 + "\x81", {35}},
      {"lead byte at the end, return mark off", a34 + "\x81", {35, 0}, 1, 36, true, false},
      {"lead byte on the edge", std::string(35, 'a') + "\x81", {35, 1}},
      {"lead byte after kanji", Kanji(17) + "a\x81", {35, 1}},
      {"control bytes are one-byte characters", std::string(40, '\x1A'), {36, 4}},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(c.name);
    TEditor e;
    c.editor == 1 ? ApplyEditor1Settings(e) : ApplyEditor2Settings(e);
    TWrapOption o = e.WrapOption();
    o.WrapByte = c.width;
    o.WordBreak = c.wordBreak;
    o.FollowRetMark = c.followRetMark;
    e.SetWrapOption(o);
    e.Lines.SetText(c.line);
    EXPECT_EQ(StoreRows(e), Pieces(c.line, c.lengths));
    EXPECT_EQ(e.RowEnd(e.RowCount() - 1), TRowEnd::LineEnd);
  }
}

}  // namespace
