// Placeholder definitions of the TForm1 commands that are not written yet.
// Each is weak: the real definition in its subsystem's file replaces it at link
// time. This file goes away when every command exists.
#include "shell/ControlTable.h"
#include "shell/Unit1.h"

// NOLINTBEGIN
#pragma GCC diagnostic ignored "-Wunused-parameter"
__attribute__((weak)) std::vector<std::string> TForm1::StringResource1() {
  return {};
}
__attribute__((weak)) void TForm1::FPreEcri(TEditor& editor) {}
__attribute__((weak)) void TForm1::FPreEcriChange(TEditor& editor) {}
__attribute__((weak)) void TForm1::FQuiEcri() {}
__attribute__((weak)) void TForm1::FRetsuText(TEditor& editor) {}
__attribute__((weak)) void TForm1::FRetsuIist() {}
__attribute__((weak)) void TForm1::ReLayRowsAsLines(TEditor& editor, int columnsPerPage) {}
__attribute__((weak)) void TForm1::Freplace(TEditor& editor) {}
__attribute__((weak)) void TForm1::FreplaceP(TEditor& editor) {}
__attribute__((weak)) void TForm1::DoReplaceAll(const std::string& find,
                                                const std::string& replacement) {}
__attribute__((weak)) void TForm1::DoReplaceAll2(const std::string& find,
                                                 const std::string& replacement) {}
__attribute__((weak)) void TForm1::Open1Click() {}
__attribute__((weak)) void TForm1::DropDst1FileDrop(const std::vector<std::string>& files) {}
__attribute__((weak)) void TForm1::MyTextFileOpen(TEditor& editor) {}
__attribute__((weak)) void TForm1::Paste1Click() {}
__attribute__((weak)) void TForm1::PasteSave1Click() {}
__attribute__((weak)) void TForm1::File1Click() {}
__attribute__((weak)) void TForm1::FtxtDelete() {}
__attribute__((weak)) void TForm1::ExamineCommandLine(const std::vector<std::string>& args) {}
__attribute__((weak)) void TForm1::CheckTurnMoreBig() {}
__attribute__((weak)) void TForm1::FullCheckBoxClick() {}
__attribute__((weak)) void TForm1::BigFontCheckBoxClick() {}
__attribute__((weak)) void TForm1::MoreBigCheckBoxClick() {}
__attribute__((weak)) void TForm1::TurnCheckBoxClick() {}
__attribute__((weak)) void TForm1::QvgaCheckBoxClick() {}
__attribute__((weak)) void TForm1::ChangeBig(TEditor& editor) {}
__attribute__((weak)) void TForm1::UniteButtonClick() {}
__attribute__((weak)) void TForm1::Ecriture(TImage& view) {}
__attribute__((weak)) void TForm1::Eqriture(TImage& view) {}
__attribute__((weak)) void TForm1::RenderPageForExport(TABitmap& page) {}
__attribute__((weak)) void TForm1::TriButton1Click() {}
__attribute__((weak)) void TForm1::TriButton2Click() {}
__attribute__((weak)) void TForm1::TriProc() {}
__attribute__((weak)) void TForm1::Reset1Click() {}
__attribute__((weak)) void TForm1::Leaf1Click() {}
__attribute__((weak)) void TForm1::Leafgo1Click() {}
__attribute__((weak)) void TForm1::ExtTrackBar1Change() {}
__attribute__((weak)) void TForm1::PFrequency(TTrackBar& trackBar) {}
__attribute__((weak)) void TForm1::Ecriture1Click() {}
__attribute__((weak)) void TForm1::BackPage1Click() {}
__attribute__((weak)) void TForm1::Image1MouseDown(TMouseButton button, bool shift, int x, int y) {}
__attribute__((weak)) void TForm1::FontColor1Click() {}
__attribute__((weak)) void TForm1::BgColor1Click() {}
__attribute__((weak)) void TForm1::LCheckBox8Click() {}
__attribute__((weak)) void TForm1::LCheckBox15Click() {}
__attribute__((weak)) void TForm1::BoldCheckBoxClick() {}
__attribute__((weak)) void TForm1::LCheckBox6Click() {}
__attribute__((weak)) void TForm1::LCheckBox11Click() {}
__attribute__((weak)) void TForm1::LCheckBox14Click() {}
__attribute__((weak)) void TForm1::Quillane1Click() {}
__attribute__((weak)) void TForm1::FQuillane(TImage& view) {}
__attribute__((weak)) void TForm1::Timer2Timer() {}
__attribute__((weak)) void TForm1::PFadeOut(TImage& view, TColor color) {}
__attribute__((weak)) void TForm1::PFadeOutB(TImage& view) {}
__attribute__((weak)) void TForm1::PFadeOutW(TImage& view) {}
__attribute__((weak)) void TForm1::PFadeInG(TImage& view, TColor color) {}
__attribute__((weak)) void TForm1::PNoise1(TImage& view) {}
__attribute__((weak)) void TForm1::FOBlack1Click() {}
__attribute__((weak)) void TForm1::Fadeout1Click() {}
__attribute__((weak)) void TForm1::BGChangeClick() {}
__attribute__((weak)) void TForm1::Pause(int seconds, int milliseconds) {}
__attribute__((weak)) void TForm1::EffectOut1Click() {}
__attribute__((weak)) void TForm1::Effect1Click() {}
__attribute__((weak)) void TForm1::Timer1Timer() {}
__attribute__((weak)) void TForm1::ShiftTrails() {}
__attribute__((weak)) void TForm1::FillTrail(int s) {}
__attribute__((weak)) void TForm1::DrawTrail(int s) {}
__attribute__((weak)) int TForm1::RandomSpeed() {
  return {};
}
__attribute__((weak)) void TForm1::VelocityClick() {}
__attribute__((weak)) void TForm1::Timer3Timer() {}
__attribute__((weak)) void TForm1::DrawDot(int i) {}
__attribute__((weak)) void TForm1::DrawClockDot(int i) {}
__attribute__((weak)) void TForm1::LCheckBox16Click() {}
__attribute__((weak)) void TForm1::LCheckBox19Click() {}
__attribute__((weak)) void TForm1::Image1MouseMove(int x, int y) {}
__attribute__((weak)) void TForm1::fineartsClick() {}
__attribute__((weak)) void TForm1::Timer4Timer() {}
__attribute__((weak)) void TForm1::Pplasma(TImage& view) {}
__attribute__((weak)) void TForm1::Quartering(int x1, int y1, int x2, int y2) {}
__attribute__((weak)) void TForm1::SetColor(int x1, int y1, int x, int y, int x2, int y2) {}
__attribute__((weak)) void TForm1::LCheckBox20Click() {}
__attribute__((weak)) void TForm1::LCheckBox21Click() {}
__attribute__((weak)) void TForm1::LCheckBox22Click() {}
__attribute__((weak)) void TForm1::LCheckBox23Click() {}
__attribute__((weak)) void TForm1::RectButtonClick() {}
__attribute__((weak)) void TForm1::Timer5Timer() {}
__attribute__((weak)) void TForm1::ColorChange() {}
__attribute__((weak)) void TForm1::BitsaveClick() {}
__attribute__((weak)) void TForm1::JpegButtonClick() {}
__attribute__((weak)) void TForm1::SavePageJpeg(TABitmap& bitmap) {}
__attribute__((weak)) void TForm1::SavePageExif(TABitmap& bitmap) {}
__attribute__((weak)) void TForm1::SavePageExifThumb(TABitmap& bitmap) {}
__attribute__((weak)) void TForm1::SaveAllButtonClick() {}
__attribute__((weak)) void TForm1::SaveAllInButtonClick() {}
__attribute__((weak)) void TForm1::SaveAllThumbInButtonClick() {}
__attribute__((weak)) void TForm1::BreakButtonClick() {}
__attribute__((weak)) void TForm1::FindJpegFiles(const std::string& folder) {}
__attribute__((weak)) void TForm1::WriteAlbum(const std::string& suffix) {}
__attribute__((weak)) void TForm1::CoImageButtonClick() {}
__attribute__((weak)) void TForm1::CountTextButtonClick() {}
__attribute__((weak)) void TForm1::CountButtonClick() {}
__attribute__((weak)) void TForm1::SpButton1Click() {}
__attribute__((weak)) void TForm1::SameButton1Click() {}
__attribute__((weak)) void TForm1::FormCreate() {}
__attribute__((weak)) void TForm1::FormShow() {}
__attribute__((weak)) void TForm1::CMShowingChanged(bool visible) {}
__attribute__((weak)) void TForm1::FormCloseQuery() {}
__attribute__((weak)) void TForm1::FormDestroy() {}
__attribute__((weak)) void TForm1::ReadSettings() {}
__attribute__((weak)) void TForm1::WriteSettings() {}
__attribute__((weak)) void TForm1::PNameon() {}
__attribute__((weak)) void TForm1::PNameoff() {}
__attribute__((weak)) std::string TForm1::PTagStrip(std::string_view html) {
  return std::string(html);
}
__attribute__((weak)) void ApplyControlTable(TForm1& form) {}
// NOLINTEND
