#pragma once
// Moving a book's notes (text/BookNotes.h) with the bytes they belong to, when
// the store's text changes length: a replacement, or the empty lines the page
// layout puts in front of a page break.
#include <cstdint>
#include <span>

#include "text/BookNotes.h"

// One change of the text: at offset At (of the text before any change),
// Removed bytes became Inserted bytes.
struct TByteEdit {
  std::uint32_t At = 0;
  std::uint32_t Removed = 0;
  std::uint32_t Inserted = 0;
};

// Moves every offset of the notes over the edits, which are sorted by At and
// do not overlap. A note's start at the place of an insertion moves behind the
// inserted bytes, its end stays before them: what is put in between two lines
// belongs to neither. An offset inside removed bytes goes to the start of what
// replaced them (a start) or to its end (an end), so a note never loses its
// last character.
void MoveNotes(TBookNotes& notes, std::span<const TByteEdit> edits);

// The LineEnd of every line form, from the store's line ends: the end of the
// first non-empty line that starts at its LineStart.
void SetLineFormEnds(TBookNotes& notes, std::span<const std::uint32_t> lineEnds);
