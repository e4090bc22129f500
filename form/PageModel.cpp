// The page model: rows become columns, columns become pages, and the column
// slots of the page being drawn are filled from the current text.
#include <algorithm>
#include <string>

#include "form/Unit1.h"
#include "text/SlotNotes.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\x81\x40";
constexpr std::size_t kSlotBytes = 255;

// Pages needed for lineCount columns; a layout never has fewer than one column
// per page.
int PageCount(int lineCount, int columnsPerPage) {
  if (columnsPerPage < 1) columnsPerPage = 1;
  return (lineCount + columnsPerPage - 1) / columnsPerPage;
}

// The slots hold the page's lines (cut at kSlotBytes); for a text with notes,
// decor gets each slot's decoration, else it is left empty.
void FillSlots(std::array<std::string, 14>& slots, std::vector<TSlotDecor>& decor,
               const TEditor& editor, long long firstLine, int columns) {
  const TBookNotes& notes = editor.Lines.Notes();
  decor.clear();
  if (!notes.Empty()) decor.resize(slots.size());
  for (int k = 0; k < columns; ++k) {
    const long long line = firstLine + k;
    std::string& slot = slots[static_cast<std::size_t>(k + 1)];
    if (line < 0 || line >= editor.Lines.Count()) {
      slot.clear();
      continue;
    }
    const std::string_view text = editor.Lines[static_cast<int>(line)];
    slot.assign(text.substr(0, kSlotBytes));
    if (decor.empty()) continue;
    const std::uint32_t begin = editor.Lines.Offset(static_cast<int>(line));
    DecorateSlot(notes, editor.Lines.NoteReach(), editor.Lines.Text(), begin,
                 begin + static_cast<std::uint32_t>(slot.size()),
                 decor[static_cast<std::size_t>(k + 1)]);
  }
}

// The index of the line holding offset `at` of the store's text: the first
// line that ends after it (the first non-empty line starting there).
int LineAt(const TEditor& editor, std::uint32_t at) {
  int lo = 0, hi = editor.Lines.Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    const std::uint32_t end =
        editor.Lines.Offset(mid) + static_cast<std::uint32_t>(editor.Lines[mid].size());
    if (end <= at) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

}  // namespace

void TForm1::ReLayRowsAsLines(TEditor& editor, int columnsPerPage) {
  editor.LayRowsAsPages(columnsPerPage, kIdeographicSpace);
}

void TForm1::FillHeadings() {
  FHeadings.clear();
  const std::vector<THeadingNote>& headings = Editor1.Lines.Notes().Headings;
  const int columns = std::max(FRetsuCount, 1);
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const THeadingNote& h = headings[i];
    std::string caption =
        StoreToUtf8(Editor1.Lines.Text().substr(h.Begin, h.End - h.Begin), Editor1.Carried());
    // The lines of one heading block, one after another, are one place.
    if (i > 0 && headings[i - 1].End == h.Begin && headings[i - 1].Level == h.Level &&
        !FHeadings.empty()) {
      FHeadings.back().Caption += ' ' + caption;
      continue;
    }
    FHeadings.push_back({std::move(caption), LineAt(Editor1, h.Begin) / columns + 1});
  }
}

void TForm1::FPreEcri(TEditor& editor) {
  if (FNewText || FFileIn) ReLayRowsAsLines(editor, FRetsuCount);
  if (&editor == &Editor1) FillHeadings();
  FAllPage = PageCount(editor.Lines.Count(), FRetsuCount);
  ExtTrackBar1.SetMax(FAllPage);
  PFrequency(ExtTrackBar1);
  if (!FNewText) {
    // The page kept is held within the text: the file may have become shorter
    // since it was left, or the settings file may have been edited.
    FPage = std::clamp(FPage, 1, std::max(FAllPage, 1));
    ExtTrackBar1.SetPosition(FPage);
    FFilePage = FPage;
  } else {
    FPage = 1;
    FFilePage = 1;
    ExtTrackBar1.SetPosition(1);
    FNewText = false;
  }
  Label1.Caption = std::to_string(FPage);
  Label2.Caption = std::to_string(FAllPage);
  FRedraw = true;
}

void TForm1::FPreEcriChange(TEditor& editor) {
  FRetsuCount = TurnCheckBox.Checked ? 8 : 13;
  if (FFileIn) ReLayRowsAsLines(editor, FRetsuCount);
  if (&editor == &Editor1) FillHeadings();
  FAllPage = PageCount(editor.Lines.Count(), FRetsuCount);
  ExtTrackBar1.SetMax(FAllPage);
  PFrequency(ExtTrackBar1);
  ExtTrackBar1.SetPosition(FPage);
  FFilePage = FPage;
  Label1.Caption = std::to_string(FPage);
  Label2.Caption = std::to_string(FAllPage);
  FRedraw = true;
}

void TForm1::FQuiEcri() {
  FHeadings.clear();  // the built-in text has none
  if (!FQuiReady) {
    ReLayRowsAsLines(Editor2, 13);
    FQuiAllPage = PageCount(Editor2.Lines.Count(), 13);
  }
  FAllPage = FQuiAllPage;
  ExtTrackBar1.SetMax(FAllPage);
  PFrequency(ExtTrackBar1);
  Label1.Caption = std::to_string(FPage);
  Label2.Caption = std::to_string(FAllPage);
  FRedraw = true;
}

void TForm1::FRetsuText(TEditor& editor) {
  const long long first = (static_cast<long long>(FPage) - 1) * FRetsuCount;
  FillSlots(FRetsu, FRetsuDecor, editor, first, TurnCheckBox.Checked ? 8 : 13);
}

void TForm1::FRetsuIist() {
  FillSlots(FRetsu, FRetsuDecor, Editor2, (static_cast<long long>(FPage) - 1) * 13, 13);
}
