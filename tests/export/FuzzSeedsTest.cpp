// Writes the fuzzers' seed corpus from the fixture generator and checks that the
// routines accept or refuse each seed as designed. To renew fuzz/seeds:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_export --gtest_filter='FuzzSeeds.*'
// Without the variable the seeds go to a scratch folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "export/ExifThumb.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzSeeds, WriteTheSeedCorpus) {
  testsupport::TempDir scratch;
  const char* chosen = std::getenv("QUILLANE_FUZZ_SEEDS");
  const fs::path root = chosen ? fs::path(chosen) : scratch.Path();
  const std::string smallThumb = fixtures::PlainJpeg(8, 8, RGBColor(1, 2, 3));
  std::vector<fixtures::CameraOptions> variants(8);
  for (auto& v : variants) {
    v.Width = 16;
    v.Height = 16;
    v.Thumbnail = smallThumb;
  }
  variants[1].BigEndian = true;
  variants[2].App0 = true;
  variants[2].FillBytes = 3;
  variants[3].Compression = 1;
  variants[4].Ifd1 = false;
  variants[5].XmpBefore = variants[5].XmpAfter = true;
  variants[6].BigEndian = true;
  variants[6].Trailing = "tail";
  variants[7].IfdsAfterThumb = true;
  for (const char* sub : {"segments", "thumbnail", "replace", "decode"})
    fs::create_directories(root / sub);
  for (std::size_t k = 0; k < variants.size(); ++k) {
    const auto camera = fixtures::MakeCameraJpeg(variants[k]);
    const std::string name = "camera" + std::to_string(k);
    testsupport::WriteFile((root / "segments" / name).string(), camera.Bytes);
    testsupport::WriteFile((root / "replace" / name).string(), camera.Bytes);
    testsupport::WriteFile((root / "decode" / name).string(), camera.Bytes);
    testsupport::WriteFile((root / "thumbnail" / name).string(), camera.Payload);
    // The generator's files are what the routines accept (or refuse) as designed.
    TMemoryStream source(camera.Bytes);
    ExifTemplate tmpl;
    EXPECT_EQ(ReadExifTemplate(source, tmpl) == ExifRefusal::None, k != 3 && k != 4) << k;
  }
}

}  // namespace
