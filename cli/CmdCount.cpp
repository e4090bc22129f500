// quillane-cli count-images / count-text: the count buttons with N entered in
// the number dialog.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

namespace {

int CountArgument(const std::vector<std::string>& rest) {
  if (rest.size() != 1) throw CliError("one number N is needed");
  const std::string& text = rest[0];
  if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
    throw CliError("N is a whole number of at most 7 digits, not '" + text + "'");
  return std::stoi(text);
}

// The program's messages on stderr; success when no error box was shown and the
// job reached its elapsed-time message without a break.
int Report(const HeadlessPlatform& platform) {
  bool finished = false;
  for (const auto& m : platform.Messages) {
    std::fprintf(stderr, "%s\n", m.Text.c_str());
    if (m.Text.find("ミリ秒かかりました") != std::string::npos) finished = true;
  }
  for (const auto& e : platform.Errors) std::fprintf(stderr, "error: %s\n", e.c_str());
  return finished && platform.Errors.empty() ? 0 : 1;
}

int RunCountImages(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string home = HomeFolder(parser);
  const int quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  const bool bold = parser.Flag("--bold");
  const bool gothic = parser.Flag("--gothic");
  const auto fo = parser.Color("--fo");
  const auto bg = parser.Color("--bg");
  const int n = CountArgument(parser.Rest());

  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = home;
  form.JQualityUpDown.Position = quality;
  form.BoldCheckBox.Checked = bold;
  form.LCheckBox15.Checked = gothic;
  if (fo) form.FoColor = static_cast<TColor>(*fo);
  if (bg) form.GColor = static_cast<TColor>(*bg);
  platform.NumberAnswers.push_back(n);
  form.Dispatch([&] { form.CoImageButtonClick(); });
  return Report(platform);
}

int RunCountText(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string home = HomeFolder(parser);
  const int n = CountArgument(parser.Rest());

  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = home;
  platform.NumberAnswers.push_back(n);
  form.Dispatch([&] { form.CountTextButtonClick(); });
  return Report(platform);
}

const CliRegistrar kCountImages(
    {"count-images",
     "count-images [--home DIR] [--quality Q] [--bold] [--gothic] [--fo 0xBBGGRR] "
     "[--bg 0xBBGGRR] N",
     RunCountImages});
const CliRegistrar kCountText({"count-text", "count-text [--home DIR] N", RunCountText});

}  // namespace
