#include "render/PageCompose.h"

#include "render/PageNotes.h"

namespace {

TLogFont PageFont(const TPageOptions& o, bool vertical, int height, int escapement) {
  TLogFont font;
  font.lfHeight = height;
  font.lfWidth = 0;
  font.lfEscapement = escapement;
  font.lfWeight = o.Bold ? 600 : 500;
  font.lfFaceName = std::string(vertical ? "@" : "") + PageFaceName(o.Gothic);
  return font;
}

// X = first - step * (k - 1), Y fixed, for slots 1..13.
void Columns(TSlotLayout& layout, int first, int step, int y) {
  for (int k = 1; k <= 13; ++k) {
    layout.X[k] = first - step * (k - 1);
    layout.Y[k] = y;
  }
}

void Rows(TSlotLayout& layout, int x, const std::array<int, 13>& ys) {
  for (int k = 1; k <= 13; ++k) {
    layout.X[k] = x;
    layout.Y[k] = ys[static_cast<std::size_t>(k - 1)];
  }
}

// Rows of the horizontal layouts: 25 + 33 (k - 1) on the full page, the same
// halved and truncated on the QVGA page.
constexpr std::array<int, 13> kRowsFull = {25,  58,  91,  124, 157, 190, 223,
                                           256, 289, 322, 355, 388, 421};
constexpr std::array<int, 13> kRowsQvga = {12,  29,  45,  62,  78,  95, 111,
                                           128, 144, 161, 177, 194, 210};
constexpr std::array<int, 8> kTurnRowsFull = {20, 77, 134, 191, 248, 305, 362, 420};
constexpr std::array<int, 8> kTurnRowsQvga = {10, 38, 67, 95, 124, 152, 181, 210};
constexpr std::array<int, 13> kBigColumnsQvga = {315, 290, 266, 241, 217, 192, 168,
                                                 143, 119, 94,  70,  45,  21};

void TurnLayout(const TPageOptions& o, TSlotLayout& layout, bool qvga) {
  const bool shift = o.ShiftRight;
  layout.Font = PageFont(o, !o.Horizontal, qvga ? 21 : 42, 0);
  layout.Font.lfWidth = shift ? (qvga ? 10 : 20) : 0;
  layout.Count = 8;
  const int x = qvga ? (shift ? 43 : 25) : (shift ? 85 : 40);
  for (int k = 1; k <= 8; ++k) {
    layout.X[k] = x;
    layout.Y[k] = (qvga ? kTurnRowsQvga : kTurnRowsFull)[static_cast<std::size_t>(k - 1)];
  }
}

void VerticalUserLayout(const TPageOptions& o, TSlotLayout& layout, bool qvga) {
  const bool full = o.Full, big = o.BigFont, more = o.MoreBig;
  int height;
  if (big && full && more)
    height = qvga ? 16 : 33;
  else if (big && full)
    height = qvga ? 14 : 29;
  else if (full)
    height = qvga ? 12 : 24;
  else
    height = qvga ? 10 : 20;
  layout.Font = PageFont(o, true, height, 2700);
  if (big) {
    if (qvga) {
      for (int k = 1; k <= 13; ++k) {
        layout.X[k] = kBigColumnsQvga[static_cast<std::size_t>(k - 1)];
        layout.Y[k] = 4;
      }
    } else {
      Columns(layout, 630, 49, 8);
    }
  } else if (full) {
    if (qvga)
      Columns(layout, 315, 25, 5);
    else
      Columns(layout, 630, 50, 10);
  } else {
    if (qvga)
      Columns(layout, 290, 21, 25);
    else
      Columns(layout, 580, 42, 50);
  }
}

}  // namespace

TSlotLayout SlotLayout(const TPageOptions& o, bool qvga) {
  TSlotLayout layout;
  const bool horizontal = o.Horizontal;
  if (!o.UserText) {
    // The built-in text keeps the normal layouts whatever the size options say.
    if (horizontal) {
      layout.Font = PageFont(o, false, qvga ? 10 : 21, 0);
      Rows(layout, qvga ? 55 : 110, qvga ? kRowsQvga : kRowsFull);
    } else {
      layout.Font = PageFont(o, true, qvga ? 10 : 20, 2700);
      if (qvga)
        Columns(layout, 290, 21, 25);
      else
        Columns(layout, 580, 42, 50);
    }
  } else if (o.Turn) {
    TurnLayout(o, layout, qvga);
  } else if (!horizontal) {
    VerticalUserLayout(o, layout, qvga);
  } else {
    const bool big = o.BigFont, more = o.MoreBig;
    const int height = more ? (qvga ? 16 : 33) : big ? (qvga ? 14 : 29) : (qvga ? 10 : 21);
    layout.Font = PageFont(o, false, height, 0);
    Rows(layout, big ? (qvga ? 50 : 100) : (qvga ? 55 : 110), qvga ? kRowsQvga : kRowsFull);
  }
  return layout;
}

TStampLayout StampLayout(const TPageOptions& o, bool qvga) {
  const bool turn = o.Turn;
  TStampLayout stamp;
  stamp.Font = PageFont(o, false, turn ? (qvga ? 13 : 26) : (qvga ? 9 : 19),
                        turn && !o.Horizontal ? 900 : 0);
  if (turn)
    stamp.X = qvga ? 5 : 10;
  else if (o.BigFont)
    stamp.X = qvga ? 21 : 42;
  else
    stamp.X = qvga ? 16 : 33;
  stamp.Y = qvga ? 228 : 457;
  return stamp;
}

void ComposePage(const TPageOptions& options, const TPageContent& content, TABitmap& page,
                 bool qvga, bool stamp) {
  page.Fill(content.Background);
  TCanvas canvas(page);
  canvas.FontColor = content.Text;
  if (stamp) {
    const TStampLayout layout = StampLayout(options, qvga);
    canvas.SetFont(layout.Font);
    canvas.TextOut(layout.X, layout.Y, std::to_string(content.Page));
  }
  const TSlotLayout layout = SlotLayout(options, qvga);
  canvas.SetFont(layout.Font);
  canvas.Carried = content.Carried;
  for (int k = 1; k <= layout.Count && k < static_cast<int>(content.Slots.size()); ++k) {
    const auto slot = static_cast<std::size_t>(k);
    // A slot without notes is drawn as every page of a plain text is.
    if (slot >= content.Decor.size() || content.Decor[slot].Empty()) {
      canvas.TextOut(layout.X[slot], layout.Y[slot], content.Slots[slot]);
      continue;
    }
    const TNoteRoom room = NoteRoom(layout, k, page.Width(), page.Height(), ColumnCells(options));
    DrawNotedSlot(canvas, layout.Font, layout.X[slot], layout.Y[slot], content.Slots[slot],
                  content.Decor[slot], room);
    canvas.SetFont(layout.Font);
  }
}
