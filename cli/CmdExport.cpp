// quillane-cli export: every page of a text written as the batch buttons write
// it, the dialogs' answers taken from the options.
#include <cstdio>
#include <string>

#include "cli/Cli.h"
#include "cli/ViewOptions.h"
#include "export/ExifThumb.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"

namespace {

constexpr char kElapsed[] = "ミリ秒かかりました";
constexpr char kChosen[] = " を選択しました";

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// The program's messages on stderr. The run succeeded when no error box was shown,
// the batch reached its elapsed-time message, and nothing else was said but the
// folder notice, the questions and the note of pages that kept their thumbnail.
bool ReportRun(const HeadlessPlatform& platform) {
  bool finished = false;
  bool refused = false;
  for (const auto& m : platform.Messages) {
    std::fprintf(stderr, "%s\n", m.Text.c_str());
    if (Contains(m.Text, kElapsed)) {
      finished = true;
    } else if (m.Buttons == MsgButtons::Ok && !Contains(m.Text, kChosen) &&
               !Contains(m.Text, kMsgKeptThumbs)) {
      refused = true;
    }
  }
  for (const auto& e : platform.Errors) std::fprintf(stderr, "error: %s\n", e.c_str());
  return finished && !refused && platform.Errors.empty();
}

int RunExport(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const std::string home = HomeFolder(parser);
  const int quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  const auto exifDir = parser.Value("--exif");
  const bool thumbnail = parser.Flag("--thumbnail");
  const bool countThumbnail = parser.Flag("--count-thumbnail");
  const auto album = parser.Int("--album", -9999999, 9999999);
  const TViewOptions options = ParseViewOptions(parser);
  const std::vector<std::string> files = parser.Rest();
  if (options.Builtin ? !files.empty() : files.size() != 1)
    throw CliError(options.Builtin ? "no FILE goes with --builtin" : "one FILE is needed");
  if (!exifDir && (thumbnail || countThumbnail || album))
    throw CliError("--thumbnail, --count-thumbnail and --album go with --exif");

  HeadlessPlatform platform;
  TForm1 form(platform);
  form.FProgramDir = home;
  form.JQualityUpDown.Position = quality;
  ApplyViewOptions(form, options);
  LayOutText(form, options, options.Builtin ? std::string() : files[0]);

  if (!exifDir) {
    form.Dispatch([&] { form.SaveAllButtonClick(); });
    return ReportRun(platform) ? 0 : 1;
  }
  form.CountCheckBox.Checked = countThumbnail;
  platform.FileAnswers.push_back(*exifDir);
  if (form.TurnCheckBox.Checked)
    platform.Answers.push_back(options.ShiftRight ? MsgResult::No : MsgResult::Yes);
  platform.Answers.push_back(album ? MsgResult::No : MsgResult::Yes);
  if (album) {
    platform.Answers.push_back(MsgResult::Yes);
    platform.NumberAnswers.push_back(static_cast<double>(*album));
  }
  form.Dispatch([&] {
    if (thumbnail)
      form.SaveAllThumbInButtonClick();
    else
      form.SaveAllInButtonClick();
  });
  return ReportRun(platform) ? 0 : 1;
}

const CliRegistrar kExport(
    {"export",
     "export [--home DIR] [--quality Q] [--mode normal|full|bigfont|morebig|turn] [--horizontal] "
     "[--gothic] [--bold] [--qvga] [--shift-right] [--fo 0xBBGGRR] [--bg 0xBBGGRR] " +
         std::string(kEncodingUsage) +
         " [--exif TEMPLATE_DIR [--thumbnail] [--count-thumbnail] [--album A]] FILE",
     RunExport});

}  // namespace
