#pragma once
// What a book's notes add to one column slot of a page, ready to draw: the
// notes of the line store (text/BookNotes.h) cut to the bytes the slot shows.
// Offsets are byte offsets into the slot's own text (0 = its first byte);
// Begin < End, on character boundaries, within the slot. A slot of a text
// without notation has an empty decoration, and is drawn as it always was.
#include <cstdint>
#include <string>
#include <vector>

#include "text/BookNotes.h"

struct TSlotDecor {
  // The row starts this many full-width cells in from the head of its column.
  int IndentCells = 0;
  // When 0 or more, the row is set at the foot: it ends this many cells above
  // the foot of its column (地付き, 地からN字上げ).
  int FootRaise = -1;

  struct TRuby {
    std::uint16_t Begin = 0, End = 0;  // the part of the base in this slot
    std::string Reading;  // code-page-932 bytes (the part of the reading for that part)
    TNoteSide Side = TNoteSide::Right;
  };
  std::vector<TRuby> Ruby;

  struct TMark {
    std::uint16_t Begin = 0, End = 0;
    TMarkKind Kind = TMarkKind::Sesame;
    TNoteSide Side = TNoteSide::Right;
  };
  std::vector<TMark> Marks;

  struct TRange {
    std::uint16_t Begin = 0, End = 0;
  };
  std::vector<TRange> Upright;  // set upright side by side in one cell (縦中横)

  struct THeading {
    std::uint16_t Begin = 0, End = 0;
    THeadingLevel Level = THeadingLevel::Medium;
  };
  std::vector<THeading> Headings;  // drawn bold; a large heading in the Gothic face

  bool Empty() const {
    return IndentCells == 0 && FootRaise < 0 && Ruby.empty() && Marks.empty() && Upright.empty() &&
           Headings.empty();
  }
};
