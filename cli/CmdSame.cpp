// quillane-cli same: rebuilds a JPEG's Exif thumbnail from its own picture.
#include <cstdio>

#include "cli/Cli.h"
#include "export/Splice.h"

namespace {

int RunSame(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const int quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  const auto out = parser.Value("--out");
  const auto rest = parser.Rest();
  if (!out) throw CliError("--out is required");
  if (rest.size() != 1) throw CliError("one input JPEG is required");
  const SpliceOutcome outcome = SameThumbnail(rest[0], quality, *out);
  if (outcome.Ok()) return 0;
  std::fprintf(stderr, "%s\n", outcome.Message().c_str());
  return 1;
}

const CliRegistrar kRegistrar({"same", "same [--quality Q] IN.jpg --out OUT.jpg", RunSame});

}  // namespace
