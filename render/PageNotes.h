#pragma once
// A slot drawn with the notes of a book (render/SlotDecor.h): readings (ruby)
// and emphasis marks in the gap beside the line, rows set in from the head or
// down to the foot of their column, headings in bold, and short runs of
// half-width characters set upright side by side in one cell of a column.
//
// Everything is placed in the line's own frame (render/VerticalText.h): along
// the line from the head of the column, and across it. The "right" side of a
// vertical column, above a horizontal row and the top of a turned line are all
// the same side of that frame: before the cells, where readings go; "left"
// notes go after them.
#include <array>
#include <string_view>

#include "render/Canvas.h"
#include "render/PageCompose.h"
#include "render/SlotDecor.h"

// Cells of one column (or row) of the user text in the layout the options
// select: the wrap width the form sets for that size, halved.
int ColumnCells(const TPageOptions& options);

// The smallest cell a reading or a mark is drawn at: below it kana lose their
// strokes, and the notes are left out.
constexpr int kNoteCellMin = 8;

// How notes beside one slot are drawn.
struct TNoteRoom {
  // Cell height of readings and marks on each side (TNoteSide order: right,
  // left); 0 when the gap on that side cannot hold a legible one.
  std::array<int, 2> Size{};
  int ColumnCells = 18;  // where the foot of the column is
};

// Room for the notes of slot k: about half the type size, no more than the gap
// to the next line (or to the page's edge) leaves, and none below kNoteCellMin.
TNoteRoom NoteRoom(const TSlotLayout& layout, int k, int pageWidth, int pageHeight,
                   int columnCells);

// Draws slot text at (x, y) in `font` (as TCanvas::TextOut would) with its notes.
// The canvas's font is left changed.
void DrawNotedSlot(TCanvas& canvas, const TLogFont& font, int x, int y, std::string_view text,
                   const TSlotDecor& decor, const TNoteRoom& room);
