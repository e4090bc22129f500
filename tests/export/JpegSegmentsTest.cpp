#include <gtest/gtest.h>

#include <filesystem>

#include "base/Errors.h"
#include "export/ExifThumb.h"
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

using fixtures::Be16;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;

ExifRefusal Locate(const std::string& payload, ExifThumbInfo* out = nullptr) {
  ExifThumbInfo info;
  const ExifRefusal r = LocateThumbnail(payload, info);
  if (out) *out = info;
  return r;
}

TEST(LocateThumbnail, ThumbnailsThatAreNoJpegGiveTheCompressionMessage) {
  CameraOptions options;
  options.Compression = 1;
  ExifThumbInfo info;
  EXPECT_EQ(Locate(MakeCameraJpeg(options).Payload, &info), ExifRefusal::NotJpegThumb);
  EXPECT_EQ(info.Compression, 1);
  // A Compression entry (the first of IFD1) of type LONG reads as 0.
  const auto camera = MakeCameraJpeg();
  std::string payload = camera.Payload;
  payload[camera.Ifd1Pos + 2 + 2] = 4;
  EXPECT_EQ(Locate(payload, &info), ExifRefusal::NotJpegThumb);
  EXPECT_EQ(info.Compression, 0);
}

TEST(LocateThumbnail, BadHeadersAndImpossibleOffsetsAreNoExif) {
  const auto camera = MakeCameraJpeg();
  const std::string& good = camera.Payload;
  const std::size_t ifd0Next = 14 + 2 + 3 * 12;  // IFD0 at 14: its next-IFD offset
  // IFD0 placed after the thumbnail, where the splice would move it.
  std::string ifd0After = good + std::string("\x01\x00", 2) + std::string(12, '\0') +
                          PutExif32(camera.Ifd1Pos - 6, false);
  ifd0After.replace(10, 4, PutExif32(good.size() - 6, false));
  struct Case {
    const char* Name;
    std::string Payload;
    std::size_t At = 0;
    std::string Bytes;  // written over the payload at At
  };
  const std::vector<Case> cases = {
      {"no zero after Exif", good, 4, "x"},
      {"byte order", good, 6, "X"},
      {"not 42", good, 8, "\x2B"},
      {"IFD0 far away", good, 10, PutExif32(0x7FFFFFF0u, false)},
      {"IFD1 far away", good, ifd0Next, PutExif32(0x10000, false)},
      {"no IFD1", good, ifd0Next, PutExif32(0, false)},
      {"IFD1 entries past the block", good, camera.Ifd1Pos, "\xFF\x7F"},
      {"IFD1 entries over the thumbnail", good, camera.Ifd1Pos, "\x0A"},
      {"offset of type SHORT", good, camera.OffsetValuePos - 6, "\x03"},
      {"thumbnail beyond the block", good, camera.OffsetValuePos, PutExif32(0xFFFFFF00u, false)},
      {"thumbnail before its entries", good, camera.OffsetValuePos, PutExif32(0, false)},
      {"length past the block", good, camera.LengthValuePos,
       PutExif32(camera.ThumbLength + 1000, false)},
      {"IFD0 after the thumbnail", ifd0After, 0, ""},
  };
  for (const auto& c : cases) {
    std::string payload = c.Payload;
    payload.replace(c.At, c.Bytes.size(), c.Bytes);
    EXPECT_EQ(Locate(payload), ExifRefusal::NoExif) << c.Name;
  }
  // The pad byte after "Exif\0" is not compared.
  std::string pad = good;
  pad[5] = 'z';
  EXPECT_EQ(Locate(pad), ExifRefusal::None);
}

TEST(LocateThumbnail, EveryTruncationIsRefusedWithoutReadingOutside) {
  for (bool big : {false, true}) {
    CameraOptions options;
    options.BigEndian = big;
    const std::string payload = MakeCameraJpeg(options).Payload;
    for (std::size_t n = 0; n < payload.size(); ++n) {
      // A copy of exactly n bytes, so a sanitizer sees any read past it.
      const std::string cut = payload.substr(0, n);
      EXPECT_NE(Locate(cut), ExifRefusal::None) << n;
    }
  }
}

struct Spliced {
  std::string Bytes;
  ExifRefusal Refusal;
};

Spliced Splice(const fixtures::CameraJpeg& camera, const std::string& thumb,
               const std::string& image) {
  TMemoryStream source(camera.Bytes), out;
  ExifTemplate tmpl;
  const ExifRefusal r = ReadExifTemplate(source, tmpl);
  if (r != ExifRefusal::None) return {"", r};
  const ExifRefusal written = ReplaceThumbnail(out, source, tmpl, thumb, image);
  return {out.Data(), written};
}

TEST(ReplaceThumbnail, WritesTheLayoutWithLengthsInTheBlocksOrder) {
  const std::string thumb = "\xFF\xD8new-thumbnail-bytes\xFF\xD9";
  const std::string image = "IMAGE-DATA";
  for (bool big : {false, true}) {
    CameraOptions options;
    options.BigEndian = big;
    options.App0 = true;
    options.FillBytes = 2;
    options.XmpBefore = options.XmpAfter = true;
    options.Trailing = "AFTER-THUMB";
    const auto camera = MakeCameraJpeg(options);
    const auto spliced = Splice(camera, thumb, image);
    ASSERT_EQ(spliced.Refusal, ExifRefusal::None);
    // Everything before the length field (fill bytes and APP0 included), the new
    // length, the block with the new thumbnail's length and bytes, then the image.
    const std::size_t p = camera.PayloadPos, at = camera.LengthValuePos;
    const std::size_t newLength = camera.Payload.size() - camera.ThumbLength + thumb.size() + 2;
    const std::string& a = camera.Payload;
    EXPECT_EQ(spliced.Bytes,
              camera.Bytes.substr(0, p - 2) + char(newLength >> 8) + char(newLength & 0xFF) +
                  a.substr(0, at) + PutExif32(thumb.size(), big) +
                  a.substr(at + 4, camera.ThumbPos - at - 4) + thumb + "AFTER-THUMB" + image);
  }
}

TEST(ReplaceThumbnail, App1LengthIsKeptForTheSameSizeAndLimitedTo65535) {
  const auto camera = MakeCameraJpeg();
  const auto same = Splice(camera, std::string(camera.ThumbLength, 'T'), "img");
  ASSERT_EQ(same.Refusal, ExifRefusal::None);
  EXPECT_EQ(Be16(same.Bytes, camera.PayloadPos - 2), Be16(camera.Bytes, camera.PayloadPos - 2));

  const std::size_t fits = 0xFFFF - (camera.Payload.size() - camera.ThumbLength + 2);
  const auto tooLong = Splice(camera, std::string(fits + 1, 'x'), "i");
  EXPECT_EQ(tooLong.Refusal, ExifRefusal::App1TooLong);
  EXPECT_EQ(tooLong.Bytes, "");  // nothing written
  EXPECT_FALSE(ExifRefusalMessage(ExifRefusal::App1TooLong, 0).empty());
  const auto longest = Splice(camera, std::string(fits, 'x'), "i");
  ASSERT_EQ(longest.Refusal, ExifRefusal::None);
  EXPECT_EQ(Be16(longest.Bytes, camera.PayloadPos - 2), 0xFFFFu);
}

}  // namespace
