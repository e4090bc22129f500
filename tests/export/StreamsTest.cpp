#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"

namespace {

TEST(FileStream, InputsAreReadOnlyAndMissingFilesReportThePath) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "in.bin", "hello");
  TFileStream in(dir / "in.bin", TFileStream::Mode::ReadOnly);
  EXPECT_EQ(in.Size(), 5);
  char buffer[5];
  in.ReadExact(buffer, 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_THROW(in.Write("x", 1), EFileError);
  try {
    TFileStream missing(dir / "none.jpg", TFileStream::Mode::ReadOnly);
    FAIL() << "opened a missing file";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find("none.jpg は開けません"), std::string::npos);
  }
}

TEST(AtomicFileStream, TheFinalNameAppearsOnlyOnCommit) {
  testsupport::TempDir dir;
  const std::string path = dir / "out.jpg";
  auto files = [&] { return std::distance(std::filesystem::directory_iterator(dir.Path()), {}); };
  testsupport::WriteFile(path, "old");
  {
    TAtomicFileStream out(path);
    out.Write(std::string_view("new contents"));
    EXPECT_EQ(testsupport::ReadFile(path), "old");
  }  // abandoned: the old file stays and no temporary is left
  EXPECT_EQ(testsupport::ReadFile(path), "old");
  EXPECT_EQ(files(), 1);
  WriteFileAtomically(path, "new contents");
  EXPECT_EQ(testsupport::ReadFile(path), "new contents");
  EXPECT_EQ(files(), 1);
  EXPECT_THROW(WriteFileAtomically(dir / "no/such/out.jpg", "x"), EFileError);
}

}  // namespace
