#include "render/PageCompose.h"

#include "shell/Unit1.h"

namespace {

const char* const kMincho = "ＭＳ 明朝";
const char* const kGothic = "ＭＳ ゴシック";

TLogFont PageFont(const TForm1& form, bool vertical, int height, int escapement) {
  TLogFont font;
  font.lfHeight = height;
  font.lfWidth = 0;
  font.lfEscapement = escapement;
  font.lfWeight = form.BoldCheckBox.Checked ? 600 : 500;
  font.lfCharSet = 1;
  font.lfPitchAndFamily = 2;
  font.lfFaceName =
      std::string(vertical ? "@" : "") + (form.LCheckBox15.Checked ? kGothic : kMincho);
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

void TurnLayout(const TForm1& form, TSlotLayout& layout, bool qvga) {
  const bool shift = form.FShiftRight;
  layout.Font = PageFont(form, !form.LCheckBox8.Checked, qvga ? 21 : 42, 0);
  layout.Font.lfWidth = shift ? (qvga ? 10 : 20) : 0;
  layout.Count = 8;
  const int x = qvga ? (shift ? 43 : 25) : (shift ? 85 : 40);
  for (int k = 1; k <= 8; ++k) {
    layout.X[k] = x;
    layout.Y[k] = (qvga ? kTurnRowsQvga : kTurnRowsFull)[static_cast<std::size_t>(k - 1)];
  }
}

void VerticalUserLayout(const TForm1& form, TSlotLayout& layout, bool qvga) {
  const bool full = form.FullCheckBox.Checked, big = form.BigFontCheckBox.Checked,
             more = form.MoreBigCheckBox.Checked;
  int height;
  if (big && full && more)
    height = qvga ? 16 : 33;
  else if (big && full)
    height = qvga ? 14 : 29;
  else if (full)
    height = qvga ? 12 : 24;
  else
    height = qvga ? 10 : 20;
  layout.Font = PageFont(form, true, height, 2700);
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

TSlotLayout SlotLayout(const TForm1& form, bool qvga) {
  TSlotLayout layout;
  const bool horizontal = form.LCheckBox8.Checked;
  if (!form.FFileIn) {
    // The built-in text keeps the normal layouts whatever the size options say.
    if (horizontal) {
      layout.Font = PageFont(form, false, qvga ? 10 : 21, 0);
      Rows(layout, qvga ? 55 : 110, qvga ? kRowsQvga : kRowsFull);
    } else {
      layout.Font = PageFont(form, true, qvga ? 10 : 20, 2700);
      if (qvga)
        Columns(layout, 290, 21, 25);
      else
        Columns(layout, 580, 42, 50);
    }
  } else if (form.TurnCheckBox.Checked) {
    TurnLayout(form, layout, qvga);
  } else if (!horizontal) {
    VerticalUserLayout(form, layout, qvga);
  } else {
    const bool big = form.BigFontCheckBox.Checked, more = form.MoreBigCheckBox.Checked;
    const int height = more ? (qvga ? 16 : 33) : big ? (qvga ? 14 : 29) : (qvga ? 10 : 21);
    layout.Font = PageFont(form, false, height, 0);
    Rows(layout, big ? (qvga ? 50 : 100) : (qvga ? 55 : 110), qvga ? kRowsQvga : kRowsFull);
  }
  return layout;
}

TStampLayout StampLayout(const TForm1& form, bool qvga) {
  const bool turn = form.TurnCheckBox.Checked;
  TStampLayout stamp;
  stamp.Font = PageFont(form, false, turn ? (qvga ? 13 : 26) : (qvga ? 9 : 19),
                        turn && !form.LCheckBox8.Checked ? 900 : 0);
  if (turn)
    stamp.X = qvga ? 5 : 10;
  else if (form.BigFontCheckBox.Checked)
    stamp.X = qvga ? 21 : 42;
  else
    stamp.X = qvga ? 16 : 33;
  stamp.Y = qvga ? 228 : 457;
  return stamp;
}

void ComposePage(const TForm1& form, TABitmap& page, bool qvga, bool stamp) {
  page.Fill(form.GColor);
  TCanvas canvas(page);
  canvas.FontColor = form.FoColor;
  if (stamp) {
    const TStampLayout layout = StampLayout(form, qvga);
    canvas.SetFont(layout.Font);
    canvas.TextOut(layout.X, layout.Y, std::to_string(form.FPage));
  }
  const TSlotLayout layout = SlotLayout(form, qvga);
  canvas.SetFont(layout.Font);
  for (int k = 1; k <= layout.Count; ++k)
    canvas.TextOut(layout.X[k], layout.Y[k], form.FRetsu[static_cast<std::size_t>(k)]);
}
