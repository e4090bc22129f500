#include "text/NoteMoves.h"

#include <algorithm>
#include <vector>

namespace {

// Where offsets move: the edits, and how far the text after the first k of
// them has moved (Shift[k]).
class TOffsetMap {
 public:
  explicit TOffsetMap(std::span<const TByteEdit> edits) : edits_(edits) {
    shift_.reserve(edits.size() + 1);
    shift_.push_back(0);
    for (const TByteEdit& e : edits)
      shift_.push_back(shift_.back() + static_cast<long long>(e.Inserted) -
                       static_cast<long long>(e.Removed));
  }

  std::uint32_t Start(std::uint32_t o) const {
    // The edits at or before o.
    const auto k = static_cast<std::size_t>(
        std::upper_bound(edits_.begin(), edits_.end(), o,
                         [](std::uint32_t v, const TByteEdit& e) { return v < e.At; }) -
        edits_.begin());
    if (k > 0 && o < edits_[k - 1].At + edits_[k - 1].Removed)
      return Moved(edits_[k - 1].At, k - 1);
    return Moved(o, k);
  }

  std::uint32_t End(std::uint32_t o) const {
    // The edits before o.
    const auto k = static_cast<std::size_t>(
        std::lower_bound(edits_.begin(), edits_.end(), o,
                         [](const TByteEdit& e, std::uint32_t v) { return e.At < v; }) -
        edits_.begin());
    if (k > 0 && o < edits_[k - 1].At + edits_[k - 1].Removed)
      return Moved(edits_[k - 1].At, k - 1) + edits_[k - 1].Inserted;
    return Moved(o, k);
  }

 private:
  std::uint32_t Moved(std::uint32_t o, std::size_t k) const {
    return static_cast<std::uint32_t>(static_cast<long long>(o) + shift_[k]);
  }

  std::span<const TByteEdit> edits_;
  std::vector<long long> shift_;
};

template <typename TNote>
void MoveSpans(std::vector<TNote>& notes, const TOffsetMap& map) {
  for (TNote& n : notes) {
    n.Begin = map.Start(n.Begin);
    n.End = std::max(map.End(n.End), n.Begin);
  }
}

}  // namespace

void MoveNotes(TBookNotes& notes, std::span<const TByteEdit> edits) {
  if (edits.empty() || notes.Empty()) return;
  const TOffsetMap map(edits);
  MoveSpans(notes.Ruby, map);
  MoveSpans(notes.Marks, map);
  MoveSpans(notes.Upright, map);
  MoveSpans(notes.Headings, map);
  for (TLineFormNote& form : notes.LineForms) {
    form.LineStart = map.Start(form.LineStart);
    form.LineEnd = std::max(map.End(form.LineEnd), form.LineStart);
  }
  for (std::uint32_t& at : notes.PageBreaks) at = map.Start(at);
  for (TBookNotes::TPicture& picture : notes.Pictures) picture.At = map.Start(picture.At);
}

void SetLineFormEnds(TBookNotes& notes, std::span<const std::uint32_t> lineEnds) {
  // Both are in the order of the text: one walk. Empty lines share the offset
  // of the line after them and never have a form.
  const auto start = [&](std::size_t i) { return i == 0 ? 0u : lineEnds[i - 1]; };
  std::size_t i = 0;
  for (TLineFormNote& form : notes.LineForms) {
    while (i < lineEnds.size() &&
           (start(i) < form.LineStart || (start(i) == form.LineStart && lineEnds[i] == start(i))))
      ++i;
    form.LineEnd = i < lineEnds.size() && start(i) == form.LineStart ? lineEnds[i] : form.LineStart;
  }
}
