// Writes the fuzzers' seed corpus from the fixture generator:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_export --gtest_filter='FuzzSeeds.*'
// Without the variable the test is skipped.
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
  const char* root = std::getenv("QUILLANE_FUZZ_SEEDS");
  if (!root) GTEST_SKIP() << "QUILLANE_FUZZ_SEEDS not set";
  const std::string smallThumb = fixtures::PlainJpeg(8, 8, RGBColor(1, 2, 3));
  std::vector<fixtures::CameraOptions> variants(7);
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
  for (const char* sub : {"segments", "thumbnail", "replace"})
    fs::create_directories(fs::path(root) / sub);
  for (std::size_t k = 0; k < variants.size(); ++k) {
    const auto camera = fixtures::MakeCameraJpeg(variants[k]);
    const std::string name = "camera" + std::to_string(k);
    testsupport::WriteFile((fs::path(root) / "segments" / name).string(), camera.Bytes);
    testsupport::WriteFile((fs::path(root) / "replace" / name).string(), camera.Bytes);
    testsupport::WriteFile((fs::path(root) / "thumbnail" / name).string(), camera.Payload);
    // The generator's files are what the routines accept (or refuse) as designed.
    TMemoryStream source(camera.Bytes);
    ExifTemplate tmpl;
    EXPECT_EQ(ReadExifTemplate(source, tmpl) == ExifRefusal::None, k != 3 && k != 4) << k;
  }
}

}  // namespace
