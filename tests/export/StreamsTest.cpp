#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"

namespace {

TEST(MemoryStream, ReadsWritesAndSeeksWithinItsData) {
  TMemoryStream s(std::string("abcdef"));
  char buffer[8] = {};
  EXPECT_EQ(s.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  EXPECT_EQ(s.Read(buffer, 8), 2u);  // only what is there
  EXPECT_EQ(s.Read(buffer, 8), 0u);
  s.Seek(100);
  EXPECT_EQ(s.Read(buffer, 1), 0u);
  s.Seek(2);
  s.Write("XY", 2);
  EXPECT_EQ(s.Data(), "abXYef");
  s.Seek(5);
  s.Write("123", 3);
  EXPECT_EQ(s.Data(), "abXYe123");
  EXPECT_EQ(s.Position(), 8);
  s.Seek(6);
  EXPECT_THROW(s.ReadExact(buffer, 4), EFileError);
}

TEST(MemoryStream, CopyFromZeroTakesAllOtherCountsStartAtThePosition) {
  TMemoryStream source(std::string("0123456789"));
  source.Seek(7);
  TMemoryStream dest(std::string("ab"));
  dest.Seek(2);
  EXPECT_EQ(dest.CopyFrom(source, 0), 10);
  EXPECT_EQ(dest.Data(), "ab0123456789");
  source.Seek(3);
  TMemoryStream part;
  part.CopyFrom(source, 4);
  EXPECT_EQ(part.Data(), "3456");
  EXPECT_THROW(part.CopyFrom(source, 10), EFileError);
}

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
