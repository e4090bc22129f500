#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "export/JpegSegments.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

using fixtures::Segment;
const std::string kSoi = "\xFF\xD8";
const std::string kScan = std::string("\xFF\xDA\x00\x08", 4) + "scandata\xFF\xD9";

TEST(SegmentScan, SkipsFillBytesAndStandaloneMarkers) {
  // FF FF FF E1: fill bytes; FF 01 (TEM) and FF D3 (RST3) carry no length.
  const std::string jpeg = kSoi + Segment(0xE0, "jfif") + "\xFF\x01\xFF\xD3" + "\xFF\xFF\xFF" +
                           std::string(1, '\xE1') + std::string("\x00\x08", 2) +
                           std::string("Exif\0\0", 6) + kScan;
  TMemoryStream source(jpeg);
  TMemoryStream head;
  std::int64_t payloadPos = 0;
  ASSERT_TRUE(CopyExifHead(head, source, &payloadPos));
  EXPECT_EQ(payloadPos, 2 + 8 + 4 + 3 + 1 + 2);
  EXPECT_EQ(head.Data(), jpeg.substr(0, payloadPos + 6));
  TMemoryStream tail;
  ASSERT_TRUE(CopyExifTail(tail, source));
  EXPECT_EQ(tail.Data(), kScan);
}

TEST(SegmentScan, SosBeforeTheMarkerSucceedsWithNothingCopied) {
  const std::string jpeg =
      kSoi + Segment(0xE0, "jfif") + kScan + Segment(0xE1, std::string("Exif\0\0", 6));
  TMemoryStream source(jpeg), head, tail;
  EXPECT_TRUE(CopyExifHead(head, source));
  EXPECT_TRUE(CopyExifTail(tail, source));
  EXPECT_EQ(head.Size(), 0);
  EXPECT_EQ(tail.Size(), 0);
}

TEST(SegmentScan, FailsOnBadOrTruncatedHeads) {
  const std::string good =
      kSoi + Segment(0xE0, "jfif") + Segment(0xE1, std::string("Exif\0payload", 12)) + kScan;
  const std::vector<std::string> bad = {
      "",
      "\xFF",
      "GIF89a",
      kSoi + "\x00",                                       // no FF before a marker
      kSoi + "\xFF\xFF\xFF",                               // the data end in fill bytes
      kSoi + std::string("\xFF\xE0\x00\x01", 4) + kScan,   // length below 2
      kSoi + std::string("\xFF\xE1\x00\x40", 4) + "Exif",  // segment runs past the end
      good.substr(0, 10),
  };
  for (std::size_t k = 0; k < bad.size(); ++k) {
    SCOPED_TRACE(k);
    TMemoryStream source(bad[k]), dest;
    EXPECT_FALSE(CopyExifHead(dest, source));
    EXPECT_FALSE(CopyExifTail(dest, source));
    EXPECT_EQ(dest.Size(), 0);
  }
}

TEST(ExifSegment, OnlyAnApp1StartingWithExifAndZeroCounts) {
  const std::string xmp = Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0x", 30));
  const std::string almost = Segment(0xE1, "ExifX-not-exif");
  const std::string exif = Segment(0xE1, std::string("Exif\0\0II", 8));
  const std::string jpeg = kSoi + xmp + almost + exif + kScan;
  TMemoryStream source(jpeg);
  const auto found = FindExifSegment(source);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->PayloadPos, static_cast<std::int64_t>(2 + xmp.size() + almost.size() + 4));
  TMemoryStream head, tail;
  ASSERT_TRUE(CopyExifHead(head, source));
  EXPECT_EQ(head.Data(), kSoi + xmp + almost + exif);
  ASSERT_TRUE(CopyExifTail(tail, source));
  EXPECT_EQ(tail.Data(), kScan);
}

TEST(ExifSegment, AnApp1BeyondTheFirst64KiBIsFoundAtFullWidth) {
  fixtures::CameraOptions options;
  options.PadBefore = 100000;
  const auto camera = fixtures::MakeCameraJpeg(options);
  ASSERT_GT(camera.PayloadPos, 65535u);
  TMemoryStream source(camera.Bytes), head, tail;
  std::int64_t payloadPos = 0;
  ASSERT_TRUE(CopyExifHead(head, source, &payloadPos));
  EXPECT_EQ(payloadPos, static_cast<std::int64_t>(camera.PayloadPos));
  EXPECT_EQ(head.Data(), camera.Bytes.substr(0, camera.PayloadPos + camera.Payload.size()));
  ASSERT_TRUE(CopyExifTail(tail, source));
  EXPECT_EQ(tail.Data(), camera.ImageData);
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
