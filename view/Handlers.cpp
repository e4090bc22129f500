#include "view/Handlers.h"

#include <map>

#include "form/Unit1.h"

namespace {

using Table = std::map<std::string, TCommand>;

TCommand Lookup(const Table& table, const std::string& name) {
  const auto it = table.find(name);
  return it == table.end() ? nullptr : it->second;
}

}  // namespace

TCommand ButtonCommand(const std::string& name) {
  static const Table table = {
      {"TriButton1", &TForm1::TriButton1Click},
      {"TriButton2", &TForm1::TriButton2Click},
      {"Open", &TForm1::Open1Click},
      {"Effect1", &TForm1::Effect1Click},
      {"EffectOut1", &TForm1::EffectOut1Click},
      {"FontColor1", &TForm1::FontColor1Click},
      {"BgColor1", &TForm1::BgColor1Click},
      {"BGChange", &TForm1::BGChangeClick},
      {"FOBlack1", &TForm1::FOBlack1Click},
      {"FadeOut1", &TForm1::Fadeout1Click},
      {"Leaf1", &TForm1::Leaf1Click},
      {"Leafgo1", &TForm1::Leafgo1Click},
      {"File1", &TForm1::File1Click},
      {"CoImageButton", &TForm1::CoImageButtonClick},
      {"CountButton", &TForm1::CountButtonClick},
      {"Quillane1", &TForm1::Quillane1Click},
      {"Paste1", &TForm1::Paste1Click},
      {"PasteSave1", &TForm1::PasteSave1Click},
      {"RectButton", &TForm1::RectButtonClick},
      {"Velocity", &TForm1::VelocityClick},
      {"finearts", &TForm1::fineartsClick},
      {"Bitsave", &TForm1::BitsaveClick},
      {"JpegButton", &TForm1::JpegButtonClick},
      {"BreakButton", &TForm1::BreakButtonClick},
      {"SaveAllButton", &TForm1::SaveAllButtonClick},
      {"SaveAllInButton", &TForm1::SaveAllInButtonClick},
      {"SaveAllThumbInButton", &TForm1::SaveAllThumbInButtonClick},
      {"CountTextButton", &TForm1::CountTextButtonClick},
      {"Reset1", &TForm1::Reset1Click},
      {"UniteButton", &TForm1::UniteButtonClick},
      {"SpButton", &TForm1::SpButton1Click},
      {"SameButton", &TForm1::SameButton1Click},
      {"helpButton", &TForm1::helpButtonClick},
      {"Scroll2", &TForm1::About},
      {"Small1", &TForm1::Small1Click},
  };
  return Lookup(table, name);
}

TCommand CheckBoxCommand(const std::string& name) {
  static const Table table = {
      {"LCheckBox6", &TForm1::LCheckBox6Click},
      {"LCheckBox8", &TForm1::LCheckBox8Click},
      {"LCheckBox11", &TForm1::LCheckBox11Click},
      {"LCheckBox13", &TForm1::LCheckBox13Click},
      {"LCheckBox14", &TForm1::LCheckBox14Click},
      {"LCheckBox15", &TForm1::LCheckBox15Click},
      {"LCheckBox16", &TForm1::LCheckBox16Click},
      {"LCheckBox17", &TForm1::LCheckBox17Click},
      {"LCheckBox18", &TForm1::LCheckBox18Click},
      {"LCheckBox19", &TForm1::LCheckBox19Click},
      {"LCheckBox20", &TForm1::LCheckBox20Click},
      {"LCheckBox21", &TForm1::LCheckBox21Click},
      {"LCheckBox22", &TForm1::LCheckBox22Click},
      {"LCheckBox23", &TForm1::LCheckBox23Click},
      {"BoldCheckBox", &TForm1::BoldCheckBoxClick},
      {"FullCheckBox", &TForm1::FullCheckBoxClick},
      {"BigFontCheckBox", &TForm1::BigFontCheckBoxClick},
      {"MoreBigCheckBox", &TForm1::MoreBigCheckBoxClick},
      {"TurnCheckBox", &TForm1::TurnCheckBoxClick},
      {"QvgaCheckBox", &TForm1::QvgaCheckBoxClick},
      // Intended: ticking Count Thumbnail re-lays the user's text as QVGA does.
      {"CountCheckBox", &TForm1::QvgaCheckBoxClick},
  };
  return Lookup(table, name);
}

TCommand MenuCommand(const std::string& name) {
  static const Table table = {
      {"Open1", &TForm1::Open1Click},
      {"RunR1", &TForm1::Effect1Click},
      {"Deep1", &TForm1::RectButtonClick},
      {"RunalongA1", &TForm1::EffectOut1Click},
      {"Velocity1", &TForm1::VelocityClick},
      {"plandearts1", &TForm1::fineartsClick},
      {"Bitmapsave1", &TForm1::BitsaveClick},
      {"FColorF1", &TForm1::FontColor1Click},
      {"BgColorB1", &TForm1::BgColor1Click},
      {"BgRandomM1", &TForm1::BGChangeClick},
      {"LeafL1", &TForm1::Leaf1Click},
      {"GoG1", &TForm1::Leafgo1Click},
      {"FileE1", &TForm1::File1Click},
      {"QuillaneP1", &TForm1::Quillane1Click},
      {"PasteH1", &TForm1::Paste1Click},
      {"PastSaveS1", &TForm1::PasteSave1Click},
      {"Ecriture1", &TForm1::Ecriture1Click},
      {"BackPage1", &TForm1::BackPage1Click},
      {"Reset2", &TForm1::Reset1Click},
      {"AboutT1", &TForm1::About},
      {"Small2", &TForm1::Small1Click},
      {"GoPage1", &TForm1::GoPage1Click},
      // "Reopen as…"
      {"ReopenSjis1", &TForm1::ReopenSjis1Click},
      {"ReopenUtf81", &TForm1::ReopenUtf81Click},
      {"ReopenUtf161", &TForm1::ReopenUtf161Click},
      {"ReopenEucJp1", &TForm1::ReopenEucJp1Click},
      {"ReopenJis1", &TForm1::ReopenJis1Click},
      // A check item: the view shows MenuChecked("AozoraNotes1").
      {"AozoraNotes1", &TForm1::AozoraNotes1Click},
  };
  return Lookup(table, name);
}

TCommand TimerCommand(const std::string& name) {
  static const Table table = {
      {"Timer1", &TForm1::Timer1Timer}, {"Timer2", &TForm1::Timer2Timer},
      {"Timer3", &TForm1::Timer3Timer}, {"Timer4", &TForm1::Timer4Timer},
      {"Timer5", &TForm1::Timer5Timer},
  };
  return Lookup(table, name);
}
