#include "cli/ViewOptions.h"

#include <stdexcept>

#include "form/Unit1.h"

namespace {

constexpr const char* kModes[] = {"normal", "full", "bigfont", "morebig", "turn"};

int ModeLevel(const std::string& mode) {
  for (int level = 0; level < 5; ++level)
    if (mode == kModes[level]) return level;
  throw CliError("option --mode takes normal, full, bigfont, morebig or turn, not '" + mode + "'");
}

}  // namespace

TViewOptions ParseViewOptions(ArgParser& parser) {
  TViewOptions options;
  if (auto mode = parser.Value("--mode")) options.Mode = *mode;
  ModeLevel(options.Mode);
  options.Horizontal = parser.Flag("--horizontal");
  options.Gothic = parser.Flag("--gothic");
  options.Bold = parser.Flag("--bold");
  options.Qvga = parser.Flag("--qvga");
  options.ShiftRight = parser.Flag("--shift-right");
  options.Builtin = parser.Flag("--builtin");
  if (auto fo = parser.Color("--fo")) options.TextColor = static_cast<TColor>(*fo);
  if (auto bg = parser.Color("--bg")) options.Background = static_cast<TColor>(*bg);
  options.Encoding = TextEncodingOption(parser);
  options.Aozora = AozoraOption(parser);
  return options;
}

void ApplyViewOptions(TForm1& form, const TViewOptions& options) {
  const int level = ModeLevel(options.Mode);
  TCheckBox* const boxes[] = {&form.FullCheckBox, &form.BigFontCheckBox, &form.MoreBigCheckBox,
                              &form.TurnCheckBox};
  for (int b = 0; b < 4; ++b) boxes[b]->Checked = b < level;
  form.LCheckBox8.Checked = options.Horizontal;
  form.LCheckBox15.Checked = options.Gothic;
  form.BoldCheckBox.Checked = options.Bold;
  form.QvgaCheckBox.Checked = options.Qvga;
  form.FShiftRight = options.ShiftRight;
  form.FoColor = options.TextColor;
  form.GColor = options.Background;
  form.FEncoding = options.Encoding;
  form.FAozora = options.Aozora;
  form.CheckTurnMoreBig();
}

void LayOutText(TForm1& form, const TViewOptions& options, const std::string& file) {
  if (options.Builtin) {
    form.LoadBuiltinText();
    form.FFileIn = false;
    form.FQuiEcri();
    form.FQuiReady = true;
  } else {
    LoadOrRefuse([&] { form.PLayOutTextFile(file); });
  }
}
