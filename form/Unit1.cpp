#include "form/Unit1.h"

#include <exception>

#include "base/Errors.h"
#include "base/Files.h"

TForm1::TForm1(Platform& platform) : P(platform) {
  ApplyEditor1Settings(Editor1);
  ApplyEditor2Settings(Editor2);
  Randomize();
}

TForm1::~TForm1() = default;

void TForm1::Dispatch(const std::function<void()>& handler) {
  // What the command reads, it may not write over.
  const TCommandInputs inputs;
  try {
    handler();
  } catch (const std::exception& e) {
    P.ShowError(FailureText(e));
  }
}

void TForm1::SetFixedSeed(std::uint64_t seed) {
  FFixedSeed = seed;
  Rng.Seed(seed);
}

void TForm1::Randomize() {
  if (const auto seed = ClockSeed()) Rng.Seed(*seed);
}

std::optional<std::uint64_t> TForm1::ClockSeed() {
  if (FFixedSeed) return std::nullopt;
  const LocalTime t = P.Now();
  return (static_cast<std::uint64_t>(P.TickCount()) << 32) ^
         static_cast<std::uint64_t>(((t.Hour * 60 + t.Minute) * 60 + t.Second) * 1000 + t.MSec);
}

std::vector<TCheckBox*> TForm1::CheckBoxes() {
  return {&LCheckBox1,      &LCheckBox2,   &LCheckBox3,   &LCheckBox4,   &LCheckBox5,
          &LCheckBox6,      &LCheckBox7,   &LCheckBox8,   &LCheckBox11,  &LCheckBox12,
          &LCheckBox13,     &LCheckBox14,  &LCheckBox15,  &LCheckBox16,  &LCheckBox17,
          &LCheckBox18,     &LCheckBox19,  &LCheckBox20,  &LCheckBox21,  &LCheckBox22,
          &LCheckBox23,     &SepaCheckBox, &BoldCheckBox, &FullCheckBox, &BigFontCheckBox,
          &MoreBigCheckBox, &TurnCheckBox, &QvgaCheckBox, &CountCheckBox};
}

std::vector<TButton*> TForm1::Buttons() {
  return {&TriButton1,
          &TriButton2,
          &Open,
          &Effect1,
          &EffectOut1,
          &FontColor1,
          &BgColor1,
          &BGChange,
          &Scroll2,
          &FOBlack1,
          &FadeOut1,
          &Leaf1,
          &Leafgo1,
          &File1,
          &CoImageButton,
          &CountButton,
          &Quillane1,
          &Paste1,
          &PasteSave1,
          &RectButton,
          &Velocity,
          &finearts,
          &Bitsave,
          &JpegButton,
          &BreakButton,
          &SaveAllButton,
          &SaveAllInButton,
          &SaveAllThumbInButton,
          &CountTextButton,
          &helpButton,
          &Reset1,
          &UniteButton,
          &SpButton,
          &SameButton,
          &Small1,
          &Exit1};
}

std::vector<TLabel*> TForm1::Labels() {
  return {&Label1, &Label2, &Label3, &HintLabel1, &PLabel, &FLabel, &GLabel};
}

std::vector<TTimer*> TForm1::Timers() {
  return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5};
}

TCheckBox* TForm1::FindCheckBox(const std::string& name) {
  for (auto* c : CheckBoxes())
    if (c->Name == name) return c;
  return nullptr;
}

TButton* TForm1::FindButton(const std::string& name) {
  for (auto* b : Buttons())
    if (b->Name == name) return b;
  return nullptr;
}

TLabel* TForm1::FindLabel(const std::string& name) {
  for (auto* l : Labels())
    if (l->Name == name) return l;
  return nullptr;
}
