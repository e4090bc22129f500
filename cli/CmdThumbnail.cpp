// quillane-cli thumbnail: a picture file shrunk to 160 x 120 and encoded as an
// Exif thumbnail.
#include <stdexcept>

#include "base/Files.h"
#include "cli/Cli.h"
#include "export/ImageFiles.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"

namespace {

int RunThumbnail(std::vector<std::string> args) {
  ArgParser parser(std::move(args));
  const int quality = static_cast<int>(parser.Int("--quality", 0, 100).value_or(60));
  const auto out = parser.Value("--out");
  const auto rest = parser.Rest();
  if (!out) throw CliError("--out is required");
  if (rest.size() != 1) throw CliError("one input picture is required");
  if (auto refusal = OverwriteRefusal(*out, {rest[0]})) throw std::runtime_error(*refusal);
  const TABitmap picture = ReadPictureFile(rest[0]);
  WriteOutputFile(*out, EncodeThumbnail(picture, quality), {rest[0]});
  return 0;
}

const CliRegistrar kRegistrar({"thumbnail", "thumbnail [--quality Q] IN --out OUT.jpg",
                               RunThumbnail});

}  // namespace
