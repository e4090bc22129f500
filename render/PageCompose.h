#pragma once
// Composing one page: the background, the page-number stamp and the column
// slots, placed by the layout tables of the two page sizes (640 x 480 and the
// QVGA 320 x 240). Shared by both renderers and the export path.
#include <array>
#include <string>

#include "render/ABitmap.h"
#include "render/Canvas.h"

class TForm1;

// Where and how the slots of the current page are drawn.
struct TSlotLayout {
  TLogFont Font;
  int Count = 13;           // slots 1..Count are drawn
  std::array<int, 14> X{};  // by slot number, index 0 unused
  std::array<int, 14> Y{};
};

// The layout the current options select, on the full page or the QVGA page.
TSlotLayout SlotLayout(const TForm1& form, bool qvga);
// Font and position of the page-number stamp.
struct TStampLayout {
  TLogFont Font;
  int X = 0;
  int Y = 0;
};
TStampLayout StampLayout(const TForm1& form, bool qvga);

// Fills page (already sized) with GColor, stamps FPage when stamp is set, and
// draws the slots FRetsu[1..] in FoColor.
void ComposePage(const TForm1& form, TABitmap& page, bool qvga, bool stamp);
