// The kinsoku wrap of the line store: the listed cases, the rules' interplay,
// and a comparison with a plain reference wrap written here from the rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/common/TestSupport.h"
#include "text/HEditor.h"

using testsupport::Sjis;

namespace {

struct RowOut {
  std::string Text;
  bool EndsLine;
  friend bool operator==(const RowOut&, const RowOut&) = default;
};

std::ostream& operator<<(std::ostream& os, const RowOut& r) {
  os << (r.EndsLine ? "E:" : "S:");
  for (unsigned char c : r.Text) os << std::hex << int(c) << ' ';
  return os;
}

std::vector<RowOut> StoreRows(const TEditor& e) {
  std::vector<RowOut> rows;
  for (int i = 0; i < e.RowCount(); ++i)
    rows.push_back({std::string(e.Rows(i)), e.RowEnd(i) != TRowEnd::Continues});
  return rows;
}

std::vector<RowOut> Wrap(TEditor& e, std::string_view line) {
  e.Lines.SetText(line);
  return StoreRows(e);
}

std::vector<std::size_t> Lengths(const std::vector<RowOut>& rows) {
  std::vector<std::size_t> n;
  for (const auto& r : rows) n.push_back(r.Text.size());
  return n;
}

const std::string K = "\x8a\xbf";  // 漢: in none of the sets

std::string Kanji(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += K;
  return s;
}

class WrapTest : public ::testing::Test {
 protected:
  void SetUp() override { ApplyEditor1Settings(e); }
  TEditor e;
};

// ---------------------------------------------------------------- listed cases

TEST_F(WrapTest, ShortAndExactLinesAreOneRow) {
  EXPECT_EQ(Wrap(e, ""), std::vector<RowOut>{});  // no lines at all
  e.Lines.SetText("\r\n");
  ASSERT_EQ(e.RowCount(), 1);
  EXPECT_EQ(e.Rows(0), "");
  EXPECT_EQ(e.RowEnd(0), TRowEnd::LineEnd);

  EXPECT_EQ(Lengths(Wrap(e, Kanji(17))), (std::vector<std::size_t>{34}));
  const auto exact = Wrap(e, Kanji(18));
  ASSERT_EQ(exact.size(), 1u);
  EXPECT_TRUE(exact[0].EndsLine);
}

TEST_F(WrapTest, LongLineIsCutAtTheWidth) {
  const auto rows = Wrap(e, Kanji(20));
  EXPECT_EQ(rows, (std::vector<RowOut>{{Kanji(18), false}, {Kanji(2), true}}));
}

TEST_F(WrapTest, FullStopHangsPastTheWidth) {
  const auto rows = Wrap(e, Kanji(18) + Sjis("。"));
  EXPECT_EQ(rows, (std::vector<RowOut>{{Kanji(18) + Sjis("。"), true}}));
}

TEST_F(WrapTest, ClosingBracketPullsThePreviousCharacterDown) {
  const auto rows = Wrap(e, Kanji(18) + Sjis("」あいう"));
  EXPECT_EQ(Lengths(rows), (std::vector<std::size_t>{34, 10}));
  EXPECT_EQ(rows[1].Text, K + Sjis("」あいう"));
}

TEST_F(WrapTest, OpeningBracketMovesToTheNextRow) {
  const auto rows = Wrap(e, Kanji(17) + Sjis("「") + Kanji(5));
  EXPECT_EQ(Lengths(rows), (std::vector<std::size_t>{34, 12}));
  EXPECT_EQ(rows[1].Text.substr(0, 2), Sjis("「"));
}

TEST_F(WrapTest, WordBreakCutsAfterTheLastSpace) {
  const std::string line = std::string(29, 'a') + " " + std::string(20, 'b');
  const auto rows = Wrap(e, line);
  EXPECT_EQ(Lengths(rows), (std::vector<std::size_t>{30, 20}));
  EXPECT_EQ(Lengths(Wrap(e, std::string(40, 'x'))), (std::vector<std::size_t>{36, 4}));
}

TEST_F(WrapTest, TwoByteCharacterIsNeverSplitAtTheEdge) {
  const std::string head(34, 'a');
  const std::string withKanji = head + " " + K + "zz";  // 漢 at bytes 36-37
  EXPECT_EQ(Lengths(Wrap(e, withKanji)), (std::vector<std::size_t>{35, 4}));
  const std::string withStop = head + " " + Sjis("。") + "zz";
  EXPECT_EQ(Lengths(Wrap(e, withStop)), (std::vector<std::size_t>{37, 2}));
}

TEST_F(WrapTest, CutInsideATabKeepsTheTab) {
  // Each tab spans eight columns; at a width of 20 the edge falls inside the
  // span of the third tab.
  e.SetWrapByte(20);
  const auto rows = Wrap(e, "\t\t\t\tabc");
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0].Text, "\t\t\t");
  EXPECT_EQ(rows[1].Text, "\tabc");
}

// ---------------------------------------------------------------- interplay

TEST_F(WrapTest, TabCountsToTheNextStopFromTheRowStart) {
  // A leading tab takes 8 columns, so 14 漢 fill the row to 36 columns.
  std::string tabbed = "\t";
  tabbed += Kanji(15);
  const auto rows = Wrap(e, tabbed);
  EXPECT_EQ(Lengths(rows), (std::vector<std::size_t>{29, 2}));
  // On the second row the map restarts: its tab again spans a full stop.
  const auto second = Wrap(e, Kanji(18) + "\t" + Kanji(15));
  EXPECT_EQ(Lengths(second), (std::vector<std::size_t>{36, 29, 2}));
}

TEST_F(WrapTest, WordBreakScansEvenWhenASpaceFollowsTheEdge) {
  // Byte 36 is a letter and byte 37 a space: the scan still runs and cuts at
  // the earlier space.
  const std::string line = std::string(20, 'a') + " " + std::string(15, 'b') + " tail";
  EXPECT_EQ(Lengths(Wrap(e, line)), (std::vector<std::size_t>{21, 20}));
  // A delimiter at the edge itself needs no scan.
  const std::string atEdge = std::string(35, 'a') + "-" + "more";
  EXPECT_EQ(Lengths(Wrap(e, atEdge)), (std::vector<std::size_t>{36, 4}));
}

TEST_F(WrapTest, WordBreakStopsAfterATwoByteCharacter) {
  const std::string line = Kanji(10) + std::string(20, 'a') + "zzz";
  EXPECT_EQ(Lengths(Wrap(e, line)), (std::vector<std::size_t>{20, 23}));
  // Letters reaching below the scan floor: nothing to break at, cut hard.
  const std::string deep = Kanji(5) + std::string(30, 'a') + "zzz";
  EXPECT_EQ(Lengths(Wrap(e, deep)), (std::vector<std::size_t>{36, 7}));
}

TEST_F(WrapTest, WordBreakScanHasAFloor) {
  // A space before byte 12 is below the scan floor: the word is cut hard.
  const std::string line = std::string(10, 'a') + " " + std::string(40, 'b');
  EXPECT_EQ(Lengths(Wrap(e, line)), (std::vector<std::size_t>{36, 15}));
  // At byte 12, the floor itself, it is still found.
  const std::string atFloor = std::string(11, 'a') + " " + std::string(40, 'b');
  EXPECT_EQ(Lengths(Wrap(e, atFloor)), (std::vector<std::size_t>{12, 36, 4}));
  TWrapOption o = e.WrapOption();
  o.WordBreak = false;
  e.SetWrapOption(o);
  const std::string spaced = std::string(29, 'a') + " " + std::string(20, 'b');
  EXPECT_EQ(Lengths(Wrap(e, spaced)), (std::vector<std::size_t>{36, 14}));
}

TEST_F(WrapTest, OneByteSignThenTwoByteSignHangThreeBytes) {
  const std::string line = Kanji(18) + "," + Sjis("。") + "x";
  EXPECT_EQ(Lengths(Wrap(e, line)), (std::vector<std::size_t>{39, 1}));
  // A third sign cannot hang and may not start a row: the push-out then walks
  // back over both hung signs and the last 漢.
  const std::string three = Kanji(18) + "," + Sjis("。、") + Kanji(1);
  EXPECT_EQ(Lengths(Wrap(e, three)), (std::vector<std::size_t>{34, 9}));
}

TEST_F(WrapTest, HangingSignThatMayNotStartARowPushesWhenItCannotHang) {
  // Editor2's punctuation lacks ")", but ")" may not start a row.
  TEditor e2;
  ApplyEditor2Settings(e2);
  const std::string line = Kanji(18) + ")" + Kanji(2);
  EXPECT_EQ(Lengths(Wrap(e2, line)), (std::vector<std::size_t>{34, 7}));
  // Editor1 lets ")" hang.
  EXPECT_EQ(Lengths(Wrap(e, line)), (std::vector<std::size_t>{37, 4}));
}

TEST_F(WrapTest, PushOutChainStopsAtTheFloor) {
  // Every character from byte 27 on is a small kana that may not start a row:
  // the cut walks back until it has passed the floor of 28, and stops there.
  const std::string small = Sjis("っ");
  std::string line = Kanji(13);  // 26 bytes
  for (int i = 0; i < 8; ++i) line += small;
  const auto rows = Wrap(e, line);
  EXPECT_EQ(rows[0].Text.size(), 26u);
  // Opening brackets: the cut backs off them until it has passed the floor.
  std::string brackets = Kanji(12) + Sjis("「「「「「「") + Kanji(4);
  EXPECT_EQ(Wrap(e, brackets)[0].Text.size(), 26u);
}

TEST_F(WrapTest, FollowRetMarkOffAddsAnEmptyRow) {
  TWrapOption o = e.WrapOption();
  o.FollowRetMark = false;
  e.SetWrapOption(o);
  EXPECT_EQ(Wrap(e, Kanji(18)), (std::vector<RowOut>{{Kanji(18), false}, {"", true}}));
  EXPECT_EQ(Wrap(e, Kanji(17)), (std::vector<RowOut>{{Kanji(17), true}}));
}

TEST_F(WrapTest, LeadByteAtTheEndOfALineIsKeptWhole) {
  // 34 letters and a lone lead byte: 36 columns but 35 bytes. The cut after
  // column 36 takes what exists and reads nothing past the line.
  std::string line(34, 'a');
  line += '\x81';
  EXPECT_EQ(Wrap(e, line), (std::vector<RowOut>{{line, true}}));
  // One letter more: the lead cell sits on the edge and moves to the next row.
  std::string longer(35, 'a');
  longer += '\x81';
  EXPECT_EQ(Wrap(e, longer), (std::vector<RowOut>{{std::string(35, 'a'), false}, {"\x81", true}}));

  std::string kanji = Kanji(17) + "a" + "\x81";
  const auto k = Wrap(e, kanji);
  std::string joined;
  for (const auto& r : k) joined += r.Text;
  EXPECT_EQ(joined, kanji);
}

TEST_F(WrapTest, ControlBytesAreOrdinaryOneByteCharacters) {
  std::string line = "a";
  line += '\0';
  line += "b";  // set text stops at NUL
  EXPECT_EQ(Wrap(e, line), (std::vector<RowOut>{{"a", true}}));
  std::string sub(40, '\x1A');
  EXPECT_EQ(Lengths(Wrap(e, sub)), (std::vector<std::size_t>{36, 4}));
}

TEST_F(WrapTest, WidthChangesRewrap) {
  e.Lines.SetText(Kanji(20));
  ASSERT_EQ(e.RowCount(), 2);
  e.SetWrapByte(26);
  EXPECT_EQ(Lengths(StoreRows(e)), (std::vector<std::size_t>{26, 14}));
  e.SetWrapByte(5);
  EXPECT_EQ(e.WrapOption().WrapByte, 20);
  e.SetWrapByte(1000);
  EXPECT_EQ(e.WrapOption().WrapByte, 250);
  EXPECT_EQ(e.RowCount(), 1);
}

// ---------------------------------------------------------------- reference

// The rules as written, with the whole map of the remaining text rebuilt after
// every cut: slow, and simple enough to check by reading.
class ReferenceWrap {
 public:
  ReferenceWrap(const TWrapOption& o, int tab) : o_(o), tab_(tab) {}

  std::vector<RowOut> Run(std::string line) const {
    std::vector<RowOut> rows;
    if (line.empty()) return {{"", true}};
    const int w = o_.WrapByte;
    bool cut = false;
    for (;;) {
      std::vector<char> m = Map(line);
      const int len = static_cast<int>(m.size());
      if (line.empty() || len < w) break;
      int p = w;
      if (Kind(m, w) == 'L') {
        p = w - 1;
      } else if (w < len && o_.WordBreak && Kind(m, w) == 'S' && !Delim(ByteAt(m, line, w))) {
        for (int q = w - 1; q >= w / 3; --q) {
          if (Kind(m, q) == 'T' || (Kind(m, q) == 'S' && Delim(ByteAt(m, line, q)))) {
            p = q;
            break;
          }
        }
      }
      if (o_.FollowPunctuation) {
        while (p < w + 2 && In(Char(m, line, p + 1), o_.PunctuationStr)) Forward(m, p);
      }
      if (o_.Leading && p < len) {
        const int f = (w / 5) * 4;
        while (p >= f && In(Char(m, line, p), o_.LeadStr)) Back(m, p);
        if (len > p + 1 && In(Char(m, line, p + 1), o_.FollowStr)) {
          for (;;) {
            if (p < f) break;
            if (In(Char(m, line, p), o_.LeadStr) || In(Char(m, line, p + 1), o_.FollowStr)) {
              Back(m, p);
            } else {
              break;
            }
          }
        }
      }
      // A lone lead byte at the end has two columns but one byte.
      const int n = std::min<int>(ByteIndex(m, p) + 1, static_cast<int>(line.size()));
      rows.push_back({line.substr(0, n), false});
      line.erase(0, n);
      cut = true;
    }
    if (!line.empty()) {
      rows.push_back({line, true});
    } else if (cut && o_.FollowRetMark) {
      rows.back().EndsLine = true;
    } else {
      rows.push_back({"", true});
    }
    return rows;
  }

 private:
  static bool Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
  static bool Delim(unsigned char b) {
    return b <= 0x2F || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 ||
           (b >= 0x7B && b <= 0x80) || (b >= 0xA0 && b <= 0xA5) || b >= 0xFD;
  }
  std::vector<char> Map(const std::string& s) const {
    std::vector<char> m;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (Lead(static_cast<unsigned char>(s[i]))) {
        m.push_back('L');
        m.push_back('T');
        ++i;
      } else {
        const int c = static_cast<int>(m.size());
        m.push_back('S');
        if (s[i] == '\t')
          for (int k = 0; k < tab_ - 1 - c % tab_; ++k) m.push_back('F');
      }
    }
    return m;
  }
  static char Kind(const std::vector<char>& m, int q) {
    return q >= 1 && q <= static_cast<int>(m.size()) ? m[q - 1] : 'N';
  }
  // 0-based index of the byte a position stands for.
  static int ByteIndex(const std::vector<char>& m, int q) {
    int fills = 0;
    for (int i = 1; i <= q; ++i) fills += m[i - 1] == 'F';
    return q - fills - 1;
  }
  static unsigned char ByteAt(const std::vector<char>& m, const std::string& s, int q) {
    return static_cast<unsigned char>(s[ByteIndex(m, q)]);
  }
  static std::string Char(const std::vector<char>& m, const std::string& s, int q) {
    switch (Kind(m, q)) {
      case 'S':
        return s.substr(ByteIndex(m, q), 1);
      case 'L':
        return s.substr(ByteIndex(m, q), 2);
      case 'T':
        return s.substr(ByteIndex(m, q) - 1, 2);
      default:
        return "";
    }
  }
  static bool In(const std::string& c, const std::string& set) {
    if (c.empty()) return false;
    for (std::size_t i = 0; i < set.size();) {
      const std::size_t n = Lead(static_cast<unsigned char>(set[i])) && i + 1 < set.size() ? 2 : 1;
      if (set.compare(i, n, c) == 0) return true;
      i += n;
    }
    return false;
  }
  static void Back(const std::vector<char>& m, int& p) {
    --p;
    if (Kind(m, p) == 'L') --p;
  }
  static void Forward(const std::vector<char>& m, int& p) {
    ++p;
    if (Kind(m, p) == 'L') ++p;
  }

  TWrapOption o_;
  int tab_;
};

const std::vector<std::string>& Pieces() {
  static const std::vector<std::string> pieces = {
      "\x8a\xbf", "\x82\xa0", Sjis("「"), Sjis("」"), Sjis("、"), Sjis("。"), Sjis("（"),
      Sjis("）"), Sjis("っ"), Sjis("ー"), Sjis("《"), Sjis("》"), Sjis("，"), Sjis("≪"),
      "a",        "b",        "Z",        "_",        "7",        " ",        " ",
      "\t",       ",",        ".",        ")",        "(",        "!",        "<",
      "%",        "\xb1",     "\xa7",     "\xa1",     "\xa4",     "\xb0",     "\x81",
      "\x9f",     "\xfd",     "\x80"};
  return pieces;
}

// A line drawn from a few pieces, so that runs of brackets, signs or letters
// long enough to reach the floors are common.
std::string RandomLine(std::mt19937& gen, int length) {
  const auto& all = Pieces();
  std::vector<std::string> alphabet;
  const std::size_t size = 2 + gen() % 5;
  while (alphabet.size() < size) alphabet.push_back(all[gen() % all.size()]);
  std::string s;
  while (static_cast<int>(s.size()) < length) s += alphabet[gen() % alphabet.size()];
  // Sometimes end the line on a lone lead byte.
  if (gen() % 5 == 0) s += '\x88';
  return s;
}

TEST(WrapReferenceTest, StoreMatchesTheReferenceOnRandomText) {
  std::mt19937 gen(20240607);
  int compared = 0;
  for (int round = 0; round < 1500; ++round) {
    TEditor e;
    if (round % 2) {
      ApplyEditor1Settings(e);
    } else {
      ApplyEditor2Settings(e);
    }
    TWrapOption o = e.WrapOption();
    const int widths[] = {20, 21, 26, 30, 36, 37, 64, 250};
    o.WrapByte = widths[gen() % 8];
    o.FollowRetMark = gen() % 4 != 0;
    o.FollowPunctuation = gen() % 4 != 0;
    o.Leading = gen() % 4 != 0;
    o.WordBreak = gen() % 4 != 0;
    e.SetWrapOption(o);
    const int tab = 2 * static_cast<int>(1 + gen() % 4);
    e.SetTabSpaceCount(tab);
    const ReferenceWrap reference(e.WrapOption(), tab);
    for (int k = 0; k < 6; ++k) {
      const std::string line = RandomLine(gen, static_cast<int>(gen() % (o.WrapByte * 4 + 2)));
      e.Lines.SetText(line + "\r\n");
      const auto expected = reference.Run(line);
      ASSERT_EQ(StoreRows(e), expected) << "round " << round << " width " << o.WrapByte;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 9000);
}

}  // namespace
