#pragma once
// The kinsoku wrap of one logical line: where its rows end.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A set of characters given as a Shift-JIS string. Membership is by whole
// characters: a one-byte character never matches the trail byte of a two-byte
// member.
class TCharSet {
 public:
  TCharSet() = default;
  explicit TCharSet(std::string_view members);
  // ch is one character (one or two bytes); the empty string is in no set.
  bool Contains(std::string_view ch) const {
    if (ch.size() == 1) return single_[static_cast<unsigned char>(ch[0])];
    if (ch.size() == 2)
      return pairs_[(static_cast<unsigned char>(ch[0]) << 8) | static_cast<unsigned char>(ch[1])];
    return false;
  }

 private:
  std::bitset<256> single_;
  std::bitset<0x10000> pairs_;
};

// Word characters are letters, digits, '_', half-width katakana from 0xA6 and
// every two-byte character; all other one-byte values delimit words.
bool IsWordDelimiter(unsigned char b);

struct TWrapRules {
  int WrapByte = 80;
  int TabSpaceCount = 8;
  bool FollowRetMark = true;
  bool FollowPunctuation = true;
  bool Leading = true;
  bool WordBreak = true;
  TCharSet Follow;       // may not start a row
  TCharSet Lead;         // may not end a row
  TCharSet Punctuation;  // may hang past the width
};

struct TRowSpan {
  std::size_t Offset;
  std::size_t Length;
  bool EndsLine;
};

// Appends the rows of line to rows. Every cut looks only at the first
// WrapByte + 8 display columns of the text still to be wrapped, so a line of
// any length wraps in time proportional to its length.
void WrapLine(std::string_view line, const TWrapRules& rules, std::vector<TRowSpan>& rows);

// The widths in bytes of one line's rows: its first row, and each row it wraps
// into (an indented line's rows are narrower than the page's columns).
struct TRowWidths {
  int First = 80;
  int Rest = 80;
};
// One full-width character: no row is narrower.
inline constexpr int kMinRowWidth = 2;
// As above, at the given widths rather than rules.WrapByte, each held to
// kMinRowWidth..250.
void WrapLine(std::string_view line, const TWrapRules& rules, std::vector<TRowSpan>& rows,
              TRowWidths widths);
