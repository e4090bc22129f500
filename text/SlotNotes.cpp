#include "text/SlotNotes.h"

#include <algorithm>

#include "text/Sjis.h"

namespace {

template <typename TNote>
std::uint32_t ReachOf(const std::vector<TNote>& notes) {
  std::uint32_t reach = 0;
  for (const TNote& n : notes) reach = std::max(reach, n.End - n.Begin);
  return reach;
}

// Calls each(note, b, e) for every note of the list (sorted by Begin) that
// covers part of [begin, end), with that part relative to begin.
template <typename TNote, typename Each>
void ForEachIn(const std::vector<TNote>& notes, std::uint32_t reach, std::uint32_t begin,
               std::uint32_t end, Each&& each) {
  const std::uint32_t from = begin > reach ? begin - reach : 0;
  auto it = std::lower_bound(notes.begin(), notes.end(), from,
                             [](const TNote& n, std::uint32_t v) { return n.Begin < v; });
  for (; it != notes.end() && it->Begin < end; ++it) {
    if (it->End <= begin) continue;
    const std::uint32_t b = std::max(it->Begin, begin), e = std::min(it->End, end);
    each(*it, static_cast<std::uint16_t>(b - begin), static_cast<std::uint16_t>(e - begin));
  }
}

std::size_t CharCount(std::string_view bytes) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < bytes.size(); i += SjisCharLength(bytes, i)) ++count;
  return count;
}

// The byte offset of the first `chars` characters of s.
std::size_t CharsToBytes(std::string_view s, std::size_t chars) {
  std::size_t i = 0;
  for (; chars > 0 && i < s.size(); --chars) i += SjisCharLength(s, i);
  return std::min(i, s.size());
}

// Where the reading (m characters) is cut at the base's i-th of n characters:
// in proportion, rounded, but leaving each of two or more reading characters
// at least one on each side of a cut inside the base.
std::size_t ReadingCut(std::size_t i, std::size_t n, std::size_t m) {
  if (i == 0) return 0;
  if (i >= n) return m;
  const std::size_t cut = (2 * i * m + n) / (2 * n);
  return m >= 2 ? std::clamp<std::size_t>(cut, 1, m - 1) : cut;
}

}  // namespace

TNoteReach NoteReach(const TBookNotes& notes) {
  return {ReachOf(notes.Ruby), ReachOf(notes.Marks), ReachOf(notes.Upright),
          ReachOf(notes.Headings)};
}

void DecorateSlot(const TBookNotes& notes, const TNoteReach& reach, std::string_view text,
                  std::uint32_t begin, std::uint32_t end, TSlotDecor& decor) {
  decor = TSlotDecor();
  end = std::min<std::uint32_t>(end, static_cast<std::uint32_t>(text.size()));
  if (begin >= end) return;

  const auto& forms = notes.LineForms;
  const auto form =
      std::upper_bound(forms.begin(), forms.end(), begin,
                       [](std::uint32_t v, const TLineFormNote& f) { return v < f.LineStart; });
  if (form != forms.begin() && begin < form[-1].LineEnd) {
    const TLineFormNote& f = form[-1];
    decor.IndentCells = begin == f.LineStart ? f.FirstIndent : f.RestIndent;
    decor.FootRaise = f.FootRaise == TLineFormNote::kNoFoot ? -1 : f.FootRaise;
  }

  ForEachIn(notes.Ruby, reach.Ruby, begin, end,
            [&](const TRubyNote& ruby, std::uint16_t b, std::uint16_t e) {
              const std::string_view base = text.substr(ruby.Begin, ruby.End - ruby.Begin);
              const std::size_t n = CharCount(base);
              const std::size_t m = CharCount(ruby.Reading);
              const std::size_t first = CharCount(base.substr(0, begin + b - ruby.Begin));
              const std::size_t last = first + CharCount(text.substr(begin + b, e - b));
              const std::size_t from = CharsToBytes(ruby.Reading, ReadingCut(first, n, m));
              const std::size_t to = CharsToBytes(ruby.Reading, ReadingCut(last, n, m));
              if (from < to)
                decor.Ruby.push_back({b, e, ruby.Reading.substr(from, to - from), ruby.Side});
            });
  ForEachIn(notes.Marks, reach.Marks, begin, end,
            [&](const TMarkNote& mark, std::uint16_t b, std::uint16_t e) {
              decor.Marks.push_back({b, e, mark.Kind, mark.Side});
            });
  ForEachIn(notes.Upright, reach.Upright, begin, end,
            [&](const TUprightNote&, std::uint16_t b, std::uint16_t e) {
              decor.Upright.push_back({b, e});
            });
  ForEachIn(notes.Headings, reach.Headings, begin, end,
            [&](const THeadingNote& heading, std::uint16_t b, std::uint16_t e) {
              decor.Headings.push_back({b, e, heading.Level});
            });
}
