// quillane-cli splice: a JPEG behind a camera photograph's Exif block, keeping the
// photograph's thumbnail or replacing it with one made from the inserted picture.
#include <cstdio>

#include "cli/Cli.h"
#include "export/Splice.h"

namespace {

int RunSplice(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const auto templatePath = parser.Value("--template");
  const auto insertPath = parser.Value("--insert");
  const bool replace = parser.Flag("--replace-thumbnail");
  const int quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  const auto out = parser.Value("--out");
  if (!parser.Rest().empty()) throw CliError("unexpected argument");
  if (!templatePath || !insertPath || !out)
    throw CliError("--template, --insert and --out are required");
  const SpliceOutcome outcome =
      replace ? SpliceReplaceThumbnail(*templatePath, *insertPath, quality, *out)
              : SpliceKeepThumbnail(*templatePath, *insertPath, *out);
  if (outcome.Ok()) return 0;
  std::fprintf(stderr, "%s\n", outcome.Message().c_str());
  return 1;
}

const CliRegistrar kRegistrar(
    {"splice",
     "splice --template T.jpg --insert I.jpg [--replace-thumbnail] [--quality Q] --out OUT.jpg",
     RunSplice});

}  // namespace
