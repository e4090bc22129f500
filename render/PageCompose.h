#pragma once
// Composing one page: the background, the page-number stamp and the column
// slots, placed by the layout tables of the two page sizes (640 x 480 and the
// QVGA 320 x 240). Shared by both renderers and the export path.
#include <array>
#include <span>
#include <string>

#include "render/ABitmap.h"
#include "render/Canvas.h"
#include "render/SlotDecor.h"

// The options a page's layout depends on.
struct TPageOptions {
  bool UserText = false;  // the user's text; the built-in one keeps the normal layouts
  bool Horizontal = false, Gothic = false, Bold = false, Turn = false, Full = false,
       BigFont = false, MoreBig = false, ShiftRight = false;
};

// What one page shows: its number, its column slots (code-page-932 bytes,
// slot k at index k, index 0 unused), its two colours, the table of the text
// the slots come from (what its carried codes stand for), and what a book's
// notes add to each slot (indexed like Slots; empty for a text without notes).
struct TPageContent {
  int Page = 1;
  std::span<const std::string> Slots;
  TColor Text = clWhite;
  TColor Background = clBlack;
  const TCarriedChars* Carried = nullptr;
  std::span<const TSlotDecor> Decor{};
};

// Where and how the slots of the current page are drawn.
struct TSlotLayout {
  TLogFont Font;
  int Count = 13;           // slots 1..Count are drawn
  std::array<int, 14> X{};  // by slot number, index 0 unused
  std::array<int, 14> Y{};
};

// The layout the current options select, on the full page or the QVGA page.
TSlotLayout SlotLayout(const TPageOptions& options, bool qvga);
// Font and position of the page-number stamp.
struct TStampLayout {
  TLogFont Font;
  int X = 0;
  int Y = 0;
};
TStampLayout StampLayout(const TPageOptions& options, bool qvga);

// Fills page (already sized) with the background, stamps the page number when
// stamp is set, and draws the slots in the text colour.
void ComposePage(const TPageOptions& options, const TPageContent& content, TABitmap& page,
                 bool qvga, bool stamp);
