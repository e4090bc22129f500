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

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

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
      {"closing bracket pulls the character before it", Kanji(18) + Sjis("」あいう"), {34, 10}},
      {"opening bracket moves down", Kanji(17) + Sjis("「") + Kanji(5), {34, 12}},
      {"space at byte 30", a29 + " " + std::string(20, 'b'), {30, 20}},
      {"40-letter word", std::string(40, 'x'), {36, 4}},
      {"one-byte at 35, two-byte at 36-37", a34 + " " + K + "zz", {35, 4}},
      {"cut inside a tab's span", "\t\t\t\tabc", {3, 4}, 1, 20},
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
      // A third sign cannot hang and may not start a row: push back over all.
      {"three signs", Kanji(18) + "," + Sjis("。、") + K, {34, 9}},
      {"')' hangs for the user text", Kanji(18) + ")" + Kanji(2), {37, 4}},
      // The built-in text's signs lack ')', which still may not start a row.
      {"')' pushes for the built-in text", Kanji(18) + ")" + Kanji(2), {34, 7}, 2},
      {"push-out stops at the floor", Kanji(13) + Repeat(Sjis("っ"), 8), {26, 16}},
      {"brackets back off to the floor", Kanji(12) + Repeat(Sjis("「"), 6) + Kanji(4), {26, 18}},
      {"return mark off, full row", Kanji(18), {36, 0}, 1, 36, true, false},
      // A lone lead byte at the end counts two columns but is one byte.
      {"lead byte at the end", a34 + "\x81", {35}},
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

// The rules as written, with the whole map of the remaining text rebuilt after
// every cut: slow, and simple enough to check by reading.
class ReferenceWrap {
 public:
  ReferenceWrap(const TWrapOption& o, int tab) : o_(o), tab_(tab) {}

  std::vector<RowOut> Run(std::string line) const {
    std::vector<RowOut> rows;
    const int w = o_.WrapByte;
    bool cut = false;
    for (;;) {
      const Map m = MapOf(line);
      const int len = static_cast<int>(m.size());
      if (line.empty() || len < w) break;
      int p = w;
      if (Kind(m, w) == 'L') {
        p = w - 1;
      } else if (w < len && o_.WordBreak && Kind(m, w) == 'S' && !Delim(ByteAt(m, line, w))) {
        int q = w - 1;
        while (q >= w / 3 && Kind(m, q) != 'T' && !(Kind(m, q) == 'S' && Delim(ByteAt(m, line, q))))
          --q;
        if (q >= w / 3) p = q;
      }
      while (o_.FollowPunctuation && p < w + 2 && In(Char(m, line, p + 1), o_.PunctuationStr))
        Forward(m, p);
      if (o_.Leading && p < len) {
        const int f = (w / 5) * 4;
        while (p >= f && In(Char(m, line, p), o_.LeadStr)) Back(m, p);
        if (len > p + 1 && In(Char(m, line, p + 1), o_.FollowStr)) {
          while (p >= f &&
                 (In(Char(m, line, p), o_.LeadStr) || In(Char(m, line, p + 1), o_.FollowStr)))
            Back(m, p);
        }
      }
      // A lone lead byte at the end has two columns but one byte.
      const int n = std::min<int>(ByteIndex(m, p) + 1, static_cast<int>(line.size()));
      rows.push_back({line.substr(0, n), false});
      line.erase(0, n);
      cut = true;
    }
    // With the return mark followed, a last cut that ends the line ends it.
    if (!line.empty() || !cut || !o_.FollowRetMark) rows.emplace_back(line, false);
    rows.back().second = true;
    return rows;
  }

 private:
  static bool Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
  static bool Delim(unsigned char b) {
    return b <= 0x2F || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 ||
           (b >= 0x7B && b <= 0x80) || (b >= 0xA0 && b <= 0xA5) || b >= 0xFD;
  }
  // Each column: Lead or Trail byte, Single-byte character, or Fill after a
  // tab; with the index of the byte it stands for (a fill: its tab's).
  using Map = std::vector<std::pair<char, int>>;
  Map MapOf(const std::string& s) const {
    Map m;
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
      if (Lead(static_cast<unsigned char>(s[i]))) {
        m.insert(m.end(), {{'L', i}, {'T', i + 1}});
        ++i;
      } else {
        const int c = static_cast<int>(m.size());
        m.emplace_back('S', i);
        if (s[i] == '\t') m.insert(m.end(), tab_ - 1 - c % tab_, {'F', i});
      }
    }
    return m;
  }
  static char Kind(const Map& m, int q) {
    return q >= 1 && q <= static_cast<int>(m.size()) ? m[q - 1].first : 'N';
  }
  static int ByteIndex(const Map& m, int q) { return m[q - 1].second; }
  static unsigned char ByteAt(const Map& m, const std::string& s, int q) {
    return static_cast<unsigned char>(s[ByteIndex(m, q)]);
  }
  static std::string Char(const Map& m, const std::string& s, int q) {
    const char k = Kind(m, q);
    if (k == 'N' || k == 'F') return "";
    return k == 'T' ? s.substr(ByteIndex(m, q) - 1, 2)
                    : s.substr(ByteIndex(m, q), k == 'L' ? 2 : 1);
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
  static void Back(const Map& m, int& p) { p -= Kind(m, p - 1) == 'L' ? 2 : 1; }
  static void Forward(const Map& m, int& p) { p += Kind(m, p + 1) == 'L' ? 2 : 1; }

  TWrapOption o_;
  int tab_;
};

// A line drawn from a few pieces, so that runs of brackets, signs or letters
// long enough to reach the floors are common.
std::string RandomLine(std::mt19937& gen, int length) {
  static const std::vector<std::string> all = {
      "\x8a\xbf", "\x82\xa0", Sjis("「"), Sjis("」"), Sjis("、"), Sjis("。"), Sjis("（"),
      Sjis("）"), Sjis("っ"), Sjis("ー"), Sjis("《"), Sjis("》"), Sjis("，"), Sjis("≪"),
      "a",        "b",        "Z",        "_",        "7",        " ",        " ",
      "\t",       ",",        ".",        ")",        "(",        "!",        "<",
      "%",        "\xb1",     "\xa7",     "\xa1",     "\xa4",     "\xb0",     "\x81",
      "\x9f",     "\xfd",     "\x80"};
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
  for (int round = 0; round < 1500; ++round) {
    TEditor e;
    round % 2 ? ApplyEditor1Settings(e) : ApplyEditor2Settings(e);
    TWrapOption o = e.WrapOption();
    const int widths[] = {20, 21, 26, 30, 36, 37, 64, 250};
    o.WrapByte = widths[gen() % 8];
    for (bool* on : {&o.FollowRetMark, &o.FollowPunctuation, &o.Leading, &o.WordBreak})
      *on = gen() % 4 != 0;
    e.SetWrapOption(o);
    const int tab = 2 * static_cast<int>(1 + gen() % 4);
    e.SetTabSpaceCount(tab);
    const ReferenceWrap reference(e.WrapOption(), tab);
    for (int k = 0; k < 6; ++k) {
      const std::string line = RandomLine(gen, static_cast<int>(gen() % (o.WrapByte * 4 + 2)));
      e.Lines.SetText(line + "\r\n");
      ASSERT_EQ(StoreRows(e), reference.Run(line)) << "round " << round << " width " << o.WrapByte;
    }
  }
}

}  // namespace
