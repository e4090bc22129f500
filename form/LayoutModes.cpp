// The four type-size boxes: they nest (Turn implies MoreBig implies BigFont
// implies Full), choose the user text's column width and columns per page, and
// re-lay the text at the same reading position when the mode changes.
#include <algorithm>
#include <filesystem>

#include "form/Unit1.h"
#include "text/FileNames.h"

namespace {

constexpr int kNormalWidth = 36;
constexpr int kBigWidth = 30;
constexpr int kMoreBigWidth = 26;

}  // namespace

void TForm1::CheckTurnMoreBig() {
  int width = kNormalWidth;
  if (TurnCheckBox.Checked) {
    BigFontCheckBox.Checked = true;
    MoreBigCheckBox.Checked = true;
    FullCheckBox.Checked = true;
    width = kMoreBigWidth;
    FRetsuCount = 8;
  } else if (MoreBigCheckBox.Checked) {
    width = kMoreBigWidth;
    BigFontCheckBox.Checked = true;
    FullCheckBox.Checked = true;
    FRetsuCount = 13;
  } else if (BigFontCheckBox.Checked) {
    width = kBigWidth;
    FullCheckBox.Checked = true;
    FRetsuCount = 13;
  } else {
    FRetsuCount = 13;
  }
  Editor1.SetWrapByte(width);
}

namespace {

// The box handlers run only while idle with the user text current; otherwise
// the click is taken back.
bool ModeClickAllowed(TForm1& form, TCheckBox& box) {
  if (form.Idle() && form.FFileIn) return true;
  box.Checked = !box.Checked;
  return false;
}

}  // namespace

void TForm1::FullCheckBoxClick() {
  if (!ModeClickAllowed(*this, FullCheckBox)) return;
  if (FullCheckBox.Checked) {
    if (MoreBigCheckBox.Checked) {
      Editor1.SetWrapByte(kMoreBigWidth);
    } else if (BigFontCheckBox.Checked) {
      Editor1.SetWrapByte(kBigWidth);
    }
  } else {
    Editor1.SetWrapByte(kNormalWidth);
    BigFontCheckBox.Checked = false;
    MoreBigCheckBox.Checked = false;
    TurnCheckBox.Checked = false;
  }
  ChangeBig(Editor1);
}

void TForm1::BigFontCheckBoxClick() {
  if (!ModeClickAllowed(*this, BigFontCheckBox)) return;
  FullCheckBox.Checked = true;
  if (BigFontCheckBox.Checked) {
    Editor1.SetWrapByte(MoreBigCheckBox.Checked ? kMoreBigWidth : kBigWidth);
  } else {
    Editor1.SetWrapByte(kNormalWidth);
    MoreBigCheckBox.Checked = false;
    TurnCheckBox.Checked = false;
  }
  ChangeBig(Editor1);
}

void TForm1::MoreBigCheckBoxClick() {
  if (!ModeClickAllowed(*this, MoreBigCheckBox)) return;
  FullCheckBox.Checked = true;
  if (MoreBigCheckBox.Checked) {
    BigFontCheckBox.Checked = true;
    Editor1.SetWrapByte(kMoreBigWidth);
  } else {
    if (!BigFontCheckBox.Checked) return;
    Editor1.SetWrapByte(kBigWidth);
    TurnCheckBox.Checked = false;
  }
  ChangeBig(Editor1);
}

void TForm1::TurnCheckBoxClick() {
  if (!ModeClickAllowed(*this, TurnCheckBox)) return;
  FullCheckBox.Checked = true;
  if (TurnCheckBox.Checked) {
    BigFontCheckBox.Checked = true;
    MoreBigCheckBox.Checked = true;
    Editor1.SetWrapByte(kMoreBigWidth);
    FRetsuCount = 8;
  } else {
    Editor1.SetWrapByte(MoreBigCheckBox.Checked   ? kMoreBigWidth
                        : BigFontCheckBox.Checked ? kBigWidth
                                                  : kNormalWidth);
    FRetsuCount = 13;
  }
  ChangeBig(Editor1);
}

void TForm1::QvgaCheckBoxClick() {
  if (!Idle()) return;
  Image1.Picture.Fill(GColor);
  ChangeBig(Editor1);
}

void TForm1::ChangeBig(TEditor& editor) {
  if (!Idle() || FFileName.empty()) return;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FFileName, ec)) return;

  PLoadLines(editor, FFileName);
  FFileIn = true;
  FTextName = ExtractFileName(FFileName);
  FtxtDelete();
  Freplace(editor);
  FPreEcriChange(editor);

  // The same relative place: the permille of the old layout applied to the new.
  const long long page = static_cast<long long>(FAllPage) * FPagePermille / 1000;
  FPage = static_cast<int>(std::max(1LL, std::min<long long>(page, FAllPage)));
  Redraw();
  Image1.Hint = FTextName;
  PLabel.Transparent = false;
}
