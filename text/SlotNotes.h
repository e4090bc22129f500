#pragma once
// The notes a column slot shows: the book's notes (text/BookNotes.h) cut to
// the bytes of one slot and made relative to it (render/SlotDecor.h). Found by
// binary search, so a page costs the same at the start and at the end of a
// long book.
#include <cstdint>
#include <string_view>

#include "render/SlotDecor.h"
#include "text/BookNotes.h"

// How far a note of each kind reaches past its start, at most: the notes that
// may cover an offset start no further back than that. Found once a change of
// the notes, not a page.
struct TNoteReach {
  std::uint32_t Ruby = 0, Marks = 0, Upright = 0, Headings = 0;
};
TNoteReach NoteReach(const TBookNotes& notes);

// Fills decor for the slot showing bytes [begin, end) of text (the store's
// lines laid end to end, the offsets the notes use). A ruby whose base the
// slot shows only in part gets the part of its reading in proportion to the
// part of the base, in whole characters; a part that would be empty is left
// out. A slot of no bytes gets an empty decoration.
void DecorateSlot(const TBookNotes& notes, const TNoteReach& reach, std::string_view text,
                  std::uint32_t begin, std::uint32_t end, TSlotDecor& decor);
