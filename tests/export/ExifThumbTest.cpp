#include <gtest/gtest.h>

#include "export/ExifThumb.h"
#include "export/JpegSegments.h"
#include "tests/export/ExifFixtures.h"

namespace {

using fixtures::Be16;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;

ExifRefusal Locate(const std::string& payload, ExifThumbInfo* out = nullptr) {
  ExifThumbInfo info;
  const ExifRefusal r = LocateThumbnail(payload, info);
  if (out) *out = info;
  return r;
}

void PutLe32(std::string& s, std::size_t pos, std::uint32_t v, bool big) {
  s.replace(pos, 4, PutExif32(v, big));
}

TEST(LocateThumbnail, FindsTheThumbnailInBothByteOrders) {
  for (bool big : {false, true}) {
    CameraOptions options;
    options.BigEndian = big;
    const auto camera = MakeCameraJpeg(options);
    ExifThumbInfo info;
    ASSERT_EQ(Locate(camera.Payload, &info), ExifRefusal::None) << big;
    EXPECT_EQ(info.BigEndian, big);
    EXPECT_EQ(info.Compression, 6);
    EXPECT_EQ(info.ThumbPos, camera.ThumbPos);
    EXPECT_EQ(info.ThumbLength, camera.ThumbLength);
    EXPECT_EQ(info.LengthValuePos, camera.LengthValuePos);
  }
}

TEST(LocateThumbnail, AnUncompressedThumbnailGivesTheCompressionMessage) {
  CameraOptions options;
  options.Compression = 1;
  ExifThumbInfo info;
  EXPECT_EQ(Locate(MakeCameraJpeg(options).Payload, &info), ExifRefusal::NotJpegThumb);
  EXPECT_EQ(ExifRefusalMessage(ExifRefusal::NotJpegThumb, info.Compression),
            "1 :Tumbnailの圧縮の種類はJpegではありません。中止します");
}

TEST(LocateThumbnail, ACompressionEntryOfTheWrongTypeReadsAsZero) {
  auto camera = MakeCameraJpeg();
  std::string payload = camera.Payload;
  // The first IFD1 entry is Compression: make its type LONG.
  payload[camera.Ifd1Pos + 2 + 2] = 4;
  ExifThumbInfo info;
  EXPECT_EQ(Locate(payload, &info), ExifRefusal::NotJpegThumb);
  EXPECT_EQ(info.Compression, 0);
}

TEST(LocateThumbnail, BadSignaturesAndHeadersAreNoExif) {
  const std::string good = MakeCameraJpeg().Payload;
  std::string noZero = good, badOrder = good, bad42 = good;
  noZero[4] = 'x';
  badOrder[6] = 'X';
  bad42[8] = 43;
  for (const auto& payload : {std::string(), std::string("Exif"), noZero, badOrder, bad42})
    EXPECT_EQ(Locate(payload), ExifRefusal::NoExif);
  // The pad byte after "Exif\0" is not compared.
  std::string pad = good;
  pad[5] = 'z';
  EXPECT_EQ(Locate(pad), ExifRefusal::None);
}

TEST(LocateThumbnail, MissingOrImpossibleIfd1IsNoExif) {
  CameraOptions noIfd1;
  noIfd1.Ifd1 = false;
  EXPECT_EQ(Locate(MakeCameraJpeg(noIfd1).Payload), ExifRefusal::NoExif);

  const auto camera = MakeCameraJpeg();
  const std::string& good = camera.Payload;
  // Thumbnail offset beyond the block.
  std::string far = good;
  PutLe32(far, camera.OffsetValuePos, 0xFFFFFF00u, false);
  // Thumbnail length running past the block.
  std::string longer = good;
  PutLe32(longer, camera.LengthValuePos, camera.ThumbLength + 1000, false);
  // Thumbnail placed before its own length entry.
  std::string before = good;
  PutLe32(before, camera.OffsetValuePos, 0, false);
  // Offset entry of the wrong type (SHORT).
  std::string shortOffset = good;
  shortOffset[camera.OffsetValuePos - 6] = 3;
  // IFD1 entry count running past the block.
  std::string manyEntries = good;
  manyEntries[camera.Ifd1Pos] = '\xFF';
  manyEntries[camera.Ifd1Pos + 1] = '\x7F';
  // IFD0 offset and IFD1 offset out of range.
  std::string farIfd0 = good;
  PutLe32(farIfd0, 10, 0x7FFFFFF0u, false);
  // IFD0 starts at payload offset 14; its next-IFD offset follows its 3 entries.
  std::string farIfd1 = good;
  PutLe32(farIfd1, 14 + 2 + 3 * 12, 0x10000, false);
  // IFD1 entries running into the thumbnail, which the splice would overwrite.
  std::string overlapping = good;
  overlapping[camera.Ifd1Pos] = 10;
  // IFD0 placed after the thumbnail, where the splice would move it.
  std::string ifd0After = good + std::string("\x01\x00", 2) + std::string(12, '\0') +
                          PutExif32(camera.Ifd1Pos - 6, false);
  PutLe32(ifd0After, 10, good.size() - 6, false);
  for (const auto* p : {&far, &longer, &before, &shortOffset, &manyEntries, &farIfd0, &farIfd1,
                        &overlapping, &ifd0After})
    EXPECT_EQ(Locate(*p), ExifRefusal::NoExif);
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
    options.Trailing = "AFTER-THUMB";
    const auto camera = MakeCameraJpeg(options);
    TMemoryStream source(camera.Bytes), out;
    ExifTemplate tmpl;
    ASSERT_EQ(ReadExifTemplate(source, tmpl), ExifRefusal::None);
    ASSERT_EQ(ReplaceThumbnail(out, source, tmpl, thumb, image), ExifRefusal::None);
    const std::string& o = out.Data();
    const std::size_t p = camera.PayloadPos;
    const std::size_t newLength = camera.Payload.size() - camera.ThumbLength + thumb.size() + 2;
    // Everything before the length field, fill bytes and APP0 included.
    EXPECT_EQ(o.substr(0, p - 2), camera.Bytes.substr(0, p - 2));
    EXPECT_EQ(Be16(o, p - 2), newLength);
    const std::string a = o.substr(p, newLength - 2);
    EXPECT_EQ(a.substr(0, camera.LengthValuePos), camera.Payload.substr(0, camera.LengthValuePos));
    EXPECT_EQ(GetExif32(a, camera.LengthValuePos, big), thumb.size());
    EXPECT_EQ(a.substr(camera.ThumbPos, thumb.size()), thumb);
    EXPECT_EQ(a.substr(camera.ThumbPos + thumb.size()), "AFTER-THUMB");
    EXPECT_EQ(o.substr(p + newLength - 2), image);
    // The result locates its own new thumbnail.
    ExifThumbInfo info;
    ASSERT_EQ(LocateThumbnail(a, info), ExifRefusal::None);
    EXPECT_EQ(info.ThumbLength, thumb.size());
    EXPECT_EQ(info.ThumbPos, camera.ThumbPos);
  }
}

TEST(ReplaceThumbnail, AThumbnailOfTheSameLengthLeavesTheApp1LengthAlone) {
  const auto camera = MakeCameraJpeg();
  const std::string thumb(camera.ThumbLength, 'T');
  const auto spliced = Splice(camera, thumb, "img");
  ASSERT_EQ(spliced.Refusal, ExifRefusal::None);
  EXPECT_EQ(Be16(spliced.Bytes, camera.PayloadPos - 2), Be16(camera.Bytes, camera.PayloadPos - 2));
}

TEST(ReplaceThumbnail, AnApp1Above65535BytesIsRefusedWithNothingWritten) {
  const auto camera = MakeCameraJpeg();
  TMemoryStream source(camera.Bytes), out;
  ExifTemplate tmpl;
  ASSERT_EQ(ReadExifTemplate(source, tmpl), ExifRefusal::None);
  const std::size_t fits = 0xFFFF - (camera.Payload.size() - camera.ThumbLength + 2);
  EXPECT_EQ(ReplaceThumbnail(out, source, tmpl, std::string(fits + 1, 'x'), "i"),
            ExifRefusal::App1TooLong);
  EXPECT_EQ(out.Size(), 0);
  EXPECT_FALSE(ExifRefusalMessage(ExifRefusal::App1TooLong, 0).empty());
  ASSERT_EQ(ReplaceThumbnail(out, source, tmpl, std::string(fits, 'x'), "i"), ExifRefusal::None);
  EXPECT_EQ(Be16(out.Data(), camera.PayloadPos - 2), 0xFFFFu);
}

TEST(ReadExifTemplate, UsesOnlyTheExifApp1AndNotTheXmpAroundIt) {
  CameraOptions options;
  options.XmpBefore = true;
  options.XmpAfter = true;
  const auto camera = MakeCameraJpeg(options);
  TMemoryStream source(camera.Bytes);
  ExifTemplate tmpl;
  ASSERT_EQ(ReadExifTemplate(source, tmpl), ExifRefusal::None);
  EXPECT_EQ(tmpl.Payload, camera.Payload);
  EXPECT_EQ(tmpl.PayloadPos, static_cast<std::int64_t>(camera.PayloadPos));
}

TEST(ReadExifTemplate, NoExifBlockIsNoExif) {
  TMemoryStream plain(fixtures::PlainJpeg(16, 16, 0)), notJpeg(std::string("hello"));
  ExifTemplate tmpl;
  EXPECT_EQ(ReadExifTemplate(plain, tmpl), ExifRefusal::NoExif);
  EXPECT_EQ(ReadExifTemplate(notJpeg, tmpl), ExifRefusal::NoExif);
}

}  // namespace
