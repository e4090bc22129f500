// quillane-cli render: one page of a text drawn as the window draws it (or, with
// --stamp, with the page number an export stamps on it), written as PNG or BMP.
#include <cctype>
#include <stdexcept>
#include <string>

#include "base/Files.h"
#include "cli/Cli.h"
#include "cli/ViewOptions.h"
#include "form/Unit1.h"
#include "render/BmpFile.h"
#include "shell/HeadlessPlatform.h"

namespace {

bool EndsWith(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c = text[text.size() - suffix.size() + i];
    if (std::tolower(static_cast<unsigned char>(c)) != suffix[i]) return false;
  }
  return true;
}

void WritePicture(const TABitmap& page, const std::string& path) {
  if (EndsWith(path, ".bmp")) {
    SaveBmpFile(page, path);
    return;
  }
  WritePngFile(page, path);
}

int RunRender(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const long long page = parser.Int("--page", 1, 1000000000).value_or(1);
  const auto out = parser.Value("--out");
  const bool stamp = parser.Flag("--stamp");
  const TViewOptions options = ParseViewOptions(parser);
  const std::vector<std::string> files = parser.Rest();
  if (!out) throw CliError("--out PATH is needed");
  if (!EndsWith(*out, ".png") && !EndsWith(*out, ".bmp"))
    throw CliError("--out must name a .png or .bmp file");
  if (options.Builtin ? !files.empty() : files.size() != 1)
    throw CliError(options.Builtin ? "no FILE goes with --builtin" : "one FILE is needed");

  // Refused before the page is drawn; the writer would refuse it too.
  if (auto refusal = OverwriteRefusal(*out, files)) throw std::runtime_error(*refusal);

  HeadlessPlatform platform;
  TForm1 form(platform);
  ApplyViewOptions(form, options);
  LayOutText(form, options, options.Builtin ? std::string() : files[0]);
  if (page > form.FAllPage)
    throw std::runtime_error("page " + std::to_string(page) + " is beyond the last page " +
                             std::to_string(form.FAllPage));
  form.FPage = static_cast<int>(page);

  TABitmap picture;
  form.RenderPageForExport(picture, stamp);
  WritePicture(picture, *out);
  return 0;
}

const CliRegistrar kRender(
    {"render",
     "render [--page N] [--mode normal|full|bigfont|morebig|turn] [--horizontal] [--gothic] "
     "[--bold] [--qvga] [--shift-right] [--fo 0xBBGGRR] [--bg 0xBBGGRR] [--builtin] [--stamp] " +
         std::string(kEncodingUsage) + " " + kAozoraUsage + " [FILE] --out PATH",
     RunRender});

}  // namespace
