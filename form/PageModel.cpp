// The page model: rows become columns, columns become pages, and the column
// slots of the page being drawn are filled from the current text.
#include <algorithm>
#include <string>

#include "form/Unit1.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\x81\x40";
constexpr std::size_t kSlotBytes = 255;

// Pages needed for lineCount columns; a layout never has fewer than one column
// per page.
int PageCount(int lineCount, int columnsPerPage) {
  if (columnsPerPage < 1) columnsPerPage = 1;
  return (lineCount + columnsPerPage - 1) / columnsPerPage;
}

void FillSlots(std::array<std::string, 14>& slots, const TEditor& editor, long long firstLine,
               int columns) {
  for (int k = 0; k < columns; ++k) {
    const long long line = firstLine + k;
    std::string& slot = slots[static_cast<std::size_t>(k + 1)];
    if (line < 0 || line >= editor.Lines.Count()) {
      slot.clear();
      continue;
    }
    const std::string_view text = editor.Lines[static_cast<int>(line)];
    slot.assign(text.substr(0, kSlotBytes));
  }
}

}  // namespace

void TForm1::ReLayRowsAsLines(TEditor& editor, int columnsPerPage) {
  if (columnsPerPage < 1) columnsPerPage = 1;
  const int rowCount = editor.RowCount();
  const int missing =
      rowCount % columnsPerPage == 0 ? 0 : columnsPerPage - rowCount % columnsPerPage;
  editor.LayRowsAsLines(static_cast<std::size_t>(missing), kIdeographicSpace);
}

void TForm1::FPreEcri(TEditor& editor) {
  if (FNewText || FFileIn) ReLayRowsAsLines(editor, FRetsuCount);
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
  FillSlots(FRetsu, editor, first, TurnCheckBox.Checked ? 8 : 13);
}

void TForm1::FRetsuIist() {
  FillSlots(FRetsu, Editor2, (static_cast<long long>(FPage) - 1) * 13, 13);
}
