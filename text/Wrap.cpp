#include "text/Wrap.h"

#include <algorithm>
#include <array>
#include <limits>

#include "text/Sjis.h"

TCharSet::TCharSet(std::string_view members) {
  for (std::size_t i = 0; i < members.size();) {
    const std::size_t n = SjisCharLength(members, i);
    const auto b0 = static_cast<unsigned char>(members[i]);
    if (n == 1) {
      single_.set(b0);
    } else {
      pairs_.set((b0 << 8) | static_cast<unsigned char>(members[i + 1]));
    }
    i += n;
  }
}

bool IsWordDelimiter(unsigned char b) {
  return b <= 0x2F || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 ||
         (b >= 0x7B && b <= 0x80) || (b >= 0xA0 && b <= 0xA5) || b >= 0xFD;
}

namespace {

enum class TCell : std::uint8_t { None, Single, Lead, Trail, Fill };

// The display-column map of the first columns of the text still to wrap.
// Positions count from 1; a position outside the map is a None cell.
class TColumnMap {
 public:
  // The map covers at least `cap` columns or the whole of rest.
  void Build(std::string_view rest, int tabSpaceCount, int cap) {
    rest_ = rest;
    count_ = 0;
    std::size_t i = 0;
    while (i < rest.size() && count_ < cap) {
      const auto b = static_cast<unsigned char>(rest[i]);
      if (IsLeadByte(b)) {
        Add(TCell::Lead, i);
        Add(TCell::Trail, i + 1);  // a lead byte at the very end still has its trail cell
        i += 2;
        continue;
      }
      const int column = count_;
      Add(TCell::Single, i);
      if (b == '\t') {
        for (int k = tabSpaceCount - 1 - column % tabSpaceCount; k > 0; --k) Add(TCell::Fill, i);
      }
      ++i;
    }
    complete_ = i >= rest.size();
  }

  // The number of cells in the map: exact when the map holds the whole rest;
  // otherwise larger than any position a cut looks at.
  int Length() const { return complete_ ? count_ : std::numeric_limits<int>::max(); }
  TCell Kind(int q) const { return q >= 1 && q <= count_ ? kinds_[q - 1] : TCell::None; }
  unsigned char Byte(int q) const { return static_cast<unsigned char>(rest_[bytes_[q - 1]]); }
  // Bytes of rest that a cut after position q keeps in the row.
  std::size_t CutLength(int q) const {
    return std::min<std::size_t>(bytes_[q - 1] + 1, rest_.size());
  }

  // The character at position q: a single cell's byte, or the two-byte
  // character a lead or trail cell belongs to; fill and None give nothing.
  std::string_view Char(int q) const {
    switch (Kind(q)) {
      case TCell::Single:
        return rest_.substr(bytes_[q - 1], 1);
      case TCell::Lead:
        return rest_.substr(bytes_[q - 1], 2);
      case TCell::Trail:
        return rest_.substr(bytes_[q - 1] - 1, 2);
      default:
        return {};
    }
  }

  void BackOne(int& p) const {
    --p;
    if (Kind(p) == TCell::Lead) --p;
  }
  void ForwardOne(int& p) const {
    ++p;
    if (Kind(p) == TCell::Lead) ++p;
  }

 private:
  // WrapByte is at most 250 and a cut looks at most 5 columns past it; a tab
  // may add up to 7 fill cells past the cap.
  static constexpr int kMaxCells = 250 + 8 + 16;

  void Add(TCell kind, std::size_t byte) {
    kinds_[count_] = kind;
    bytes_[count_] = byte;
    ++count_;
  }

  std::string_view rest_;
  int count_ = 0;
  bool complete_ = false;
  // Only the first count_ entries are ever read; left uninitialised so a short
  // line costs no clearing.
  std::array<TCell, kMaxCells> kinds_;
  std::array<std::size_t, kMaxCells> bytes_;
};

// Where the row that starts the remaining text ends (a map position).
int FindCut(const TColumnMap& m, const TWrapRules& rules, int w) {
  const int len = m.Length();
  int p = w;
  if (m.Kind(w) == TCell::Lead) {
    p = w - 1;  // never split a two-byte character
  } else if (w < len && rules.WordBreak && m.Kind(w) == TCell::Single &&
             !IsWordDelimiter(m.Byte(w))) {
    for (int q = w - 1; q >= w / 3; --q) {
      const TCell kind = m.Kind(q);
      if (kind == TCell::Trail || (kind == TCell::Single && IsWordDelimiter(m.Byte(q)))) {
        p = q;
        break;
      }
    }
  }
  if (rules.FollowPunctuation) {
    while (p < w + 2 && rules.Punctuation.Contains(m.Char(p + 1))) m.ForwardOne(p);
  }
  if (rules.Leading && p < len) {
    const int floor = (w / 5) * 4;
    while (p >= floor && rules.Lead.Contains(m.Char(p))) m.BackOne(p);
    if (len > p + 1 && rules.Follow.Contains(m.Char(p + 1))) {
      while (p >= floor &&
             (rules.Lead.Contains(m.Char(p)) || rules.Follow.Contains(m.Char(p + 1)))) {
        m.BackOne(p);
      }
    }
  }
  // A narrow row (an indented line) may have backed off its only character:
  // a row always keeps one, so the wrap goes on.
  if (p < 1) p = m.Kind(1) == TCell::Lead ? 2 : 1;
  return p;
}

}  // namespace

void WrapLine(std::string_view line, const TWrapRules& rules, std::vector<TRowSpan>& rows) {
  const int w = std::clamp(rules.WrapByte, 20, 250);
  WrapLine(line, rules, rows, {w, w});
}

void WrapLine(std::string_view line, const TWrapRules& rules, std::vector<TRowSpan>& rows,
              TRowWidths widths) {
  if (line.empty()) {
    rows.push_back({0, 0, true});
    return;
  }
  const int first = std::clamp(widths.First, kMinRowWidth, 250);
  const int rest = std::clamp(widths.Rest, kMinRowWidth, 250);
  const int tab = std::clamp(rules.TabSpaceCount, 1, 8);
  TColumnMap map;
  std::size_t offset = 0;
  bool cut = false;
  while (offset < line.size()) {
    const int w = cut ? rest : first;
    map.Build(line.substr(offset), tab, w + 8);
    if (map.Length() < w) break;
    const std::size_t n = map.CutLength(FindCut(map, rules, w));
    rows.push_back({offset, n, false});
    offset += n;
    cut = true;
  }
  if (offset < line.size()) {
    rows.push_back({offset, line.size() - offset, true});
  } else if (cut && rules.FollowRetMark) {
    rows.back().EndsLine = true;
  } else {
    rows.push_back({offset, 0, true});
  }
}
