// The JPEG pieces beneath the exports: shrinking, the decoder, the segment
// scan, the Exif thumbnail and its replacement, and the fuzzers' seed corpus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/Errors.h"
#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Streams.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;
using fixtures::Segment;

TEST(ShrinkBitmap, AveragesByCoverage) {
  // A page shrinks by four: each pixel is the rounded mean of its 4 x 4 block.
  TABitmap page(640, 480);
  TRandom random(11);
  page.AddNoise(255, random);
  int sum = 0;
  for (int y = 4; y < 8; ++y)
    for (int x = 8; x < 12; ++x) sum += ColorG(page.Pixel(x, y));
  ShrinkBitmap(page, 160, 120);
  ASSERT_EQ(page.Height(), 120);
  EXPECT_EQ(ColorG(page.Pixel(2, 1)), (sum + 8) / 16);
  // Three columns into two: each target covers one and a half source pixels.
  TABitmap row(3, 1);
  row.SetPixel(1, 0, RGBColor(90, 90, 90));
  row.SetPixel(2, 0, RGBColor(180, 180, 180));
  ShrinkBitmap(row, 2, 1);
  EXPECT_EQ(ColorR(row.Pixel(0, 0)), 30);   // (0 + 0.5 x 90) / 1.5
  EXPECT_EQ(ColorR(row.Pixel(1, 0)), 150);  // (0.5 x 90 + 180) / 1.5
  // A tall picture keeps its direction: rows 20 and 21 give 20.5, rounded up.
  TABitmap tall(160, 240);
  for (int y = 0; y < 240; ++y) tall.SetPixel(37, y, RGBColor(0, y, 0));
  ShrinkBitmap(tall, 160, 120);
  ASSERT_EQ(tall.Width(), 160);
  EXPECT_EQ(tall.Pixel(37, 10), RGBColor(0, 21, 0));
}

// What the encoders (whose files djpeg reads in the other tests) and the decoder refuse.
TEST(DecodeJpeg, BrokenDataOrAnEmptyPictureIsAnImageErrorNotACrash) {
  EXPECT_THROW(EncodeThumbnail(TABitmap(), 60), EImageError);
  EXPECT_THROW(EncodePageJpeg(TABitmap(), 60), EImageError);
  const std::string good = fixtures::PlainJpeg(64, 64, 0);
  EXPECT_THROW(DecodeJpeg(""), EImageError);
  EXPECT_THROW(DecodeJpeg("not a jpeg at all"), EImageError);
  EXPECT_THROW(DecodeJpeg(good.substr(0, 100)), EImageError);  // cut inside the tables
}  // a picture too large to decode: the command-line bomb

const std::string kSoi = "\xFF\xD8";
const std::string kScan = std::string("\xFF\xDA\x00\x08", 4) + "scandata\xFF\xD9";

// Head: everything up to the end of the Exif payload; tail: what follows it.
TEST(SegmentScan, CopiesTheHeadAndTailAroundTheExifBlock) {
  fixtures::CameraOptions padded;
  padded.PadBefore = 100000;  // the APP1 lies beyond the first 64 KiB
  const auto camera = fixtures::MakeCameraJpeg(padded);
  const std::string exif("Exif\0\0", 6);
  // FF 01 (TEM) and FF D3 (RST3) carry no length; FF FF FF before E1 are fill
  // bytes.
  const std::string filled = kSoi + Segment(0xE0, "jfif") + "\xFF\x01\xFF\xD3\xFF\xFF\xFF" +
                             std::string("\xE1\x00\x08", 3) + exif;
  const std::string others = kSoi +
                             Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0x", 30)) +
                             Segment(0xE1, "ExifX-not-exif") + Segment(0xE1, exif + "II");
  const std::string early = kSoi + Segment(0xE0, "jfif") + kScan;  // SOS before any Exif
  struct Case {
    std::string Jpeg, Head, Tail;
    std::size_t Payload;  // its length, ending the head
  };
  for (const Case& c :
       {Case{filled + kScan, filled, kScan, 6}, Case{others + kScan, others, kScan, 8},
        Case{early + Segment(0xE1, exif), "", "", 0},
        Case{camera.Bytes, camera.Bytes.substr(0, camera.PayloadPos + camera.Payload.size()),
             camera.ImageData, camera.Payload.size()}}) {
    SCOPED_TRACE(c.Head.size());
    TMemoryStream source(c.Jpeg), head, tail;
    std::int64_t payloadPos = 0;
    ASSERT_TRUE(CopyExifHead(head, source, &payloadPos));
    EXPECT_EQ(head.Data(), c.Head);
    if (!c.Head.empty()) {
      EXPECT_EQ(static_cast<std::size_t>(payloadPos), c.Head.size() - c.Payload);
    }
    ASSERT_TRUE(CopyExifTail(tail, source));
    EXPECT_EQ(tail.Data(), c.Tail);
  }
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

ExifRefusal Locate(const std::string& payload) {
  ExifThumbInfo info;
  return LocateThumbnail(payload, info);
}

TEST(LocateThumbnail, BadHeadersImpossibleOffsetsAndOtherThumbnailKinds) {
  const auto camera = MakeCameraJpeg();
  const std::string& good = camera.Payload;
  const std::size_t ifd0Next = 14 + 2 + 3 * 12;  // IFD0 at 14: its next-IFD offset
  // IFD0 placed after the thumbnail: nothing there moves, so it may.
  std::string ifd0After = good + std::string("\x01\x00", 2) + std::string(12, '\0') +
                          PutExif32(camera.Ifd1Pos - 6, false);
  ifd0After.replace(10, 4, PutExif32(good.size() - 6, false));
  struct Case {
    const char* Name;
    std::string Payload;
    std::size_t At = 0;
    std::string Bytes;  // written over the payload at At
    ExifRefusal Want = ExifRefusal::NoExif;
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
      {"thumbnail over IFD0", good, camera.OffsetValuePos, PutExif32(8 + 12, false)},
      {"offset of type SHORT", good, camera.OffsetValuePos - 6, "\x03"},
      {"thumbnail beyond the block", good, camera.OffsetValuePos, PutExif32(0xFFFFFF00u, false)},
      {"thumbnail before its entries", good, camera.OffsetValuePos, PutExif32(0, false)},
      {"length past the block", good, camera.LengthValuePos,
       PutExif32(camera.ThumbLength + 1000, false)},
      {"IFD0 after the thumbnail", ifd0After, 0, "", ExifRefusal::None},
      {"uncompressed thumbnail", good, camera.Ifd1Pos + 2 + 8, "\x01", ExifRefusal::NotJpegThumb},
      // A Compression entry (the first of IFD1) of type LONG reads as 0.
      {"Compression as LONG", good, camera.Ifd1Pos + 2 + 2, "\x04", ExifRefusal::NotJpegThumb},
      {"the pad byte after Exif\\0 is not compared", good, 5, "z", ExifRefusal::None},
  };
  for (const auto& c : cases) {
    std::string payload = c.Payload;
    payload.replace(c.At, c.Bytes.size(), c.Bytes);
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Locate(payload), c.Want);
  }
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

// A new thumbnail goes where the old one was, or at the block's end; no other
// byte of the block moves or changes, so offsets the program cannot know (maker
// notes, previews) stay right. The block grows only as far as one APP1 segment holds.
TEST(ReplaceThumbnail, MovesNothingButTheThumbnail) {
  enum class At { Old, End };
  const std::size_t old = 1000;  // an even length, so Trailing sets the block's parity
  CameraOptions ii, mm, after, odd;
  for (CameraOptions* o : {&ii, &mm, &after, &odd})
    o->Thumbnail = "\xFF\xD8" + std::string(old - 2, 'o');
  mm.BigEndian = after.BigEndian = after.IfdsAfterThumb = after.MakerNote = true;
  odd.Trailing = "odd";
  struct Case {
    const char* Name;
    CameraOptions Options;
    std::ptrdiff_t Grow;  // the new thumbnail's length less the old one's, or less the limit's
    At Where;
    bool ToLimit = false;  // Grow counts from the length that fills the block to the limit
  };
  const std::vector<Case> cases = {
      {"same length: APP1 length kept", ii, 0, At::Old},
      {"same length, IFDs after: in place", after, 0, At::Old},
      {"shorter, MM, IFDs after: zero-filled rest", after, -100, At::Old},
      {"longer, nothing after: runs on in its place", mm, 300, At::Old},
      {"longer, IFDs and maker note after: appended", after, 300, At::End},
      {"longer, odd block: appended at an even offset", odd, 1, At::End},
      {"in place, exactly the limit", ii, 0, At::Old, true},
      {"in place, one byte over the limit", ii, 1, At::Old, true},
      {"appended, exactly the limit", odd, 0, At::End, true},
      {"appended, one byte over the limit", odd, 1, At::End, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto camera = MakeCameraJpeg(c.Options);
    std::string want = camera.Payload;
    const std::size_t at = c.Where == At::Old ? camera.ThumbPos : want.size() + want.size() % 2;
    const std::size_t length = (c.ToLimit ? kMaxApp1Payload - at : old) + c.Grow;
    const std::string thumb("\xFF\xD8" + std::string(length - 2, 't'));
    const auto spliced = Splice(camera, thumb, "image");
    if (c.ToLimit && c.Grow > 0) {
      EXPECT_EQ(spliced.Refusal, ExifRefusal::App1TooLong);
      EXPECT_EQ(spliced.Bytes, "");
      continue;
    }
    // The old thumbnail zero-filled, the new one at its place, its two values set.
    std::fill_n(want.begin() + camera.ThumbPos, camera.ThumbLength, '\0');
    want.resize(std::max(want.size(), at + length));
    want.replace(at, length, thumb);
    want.replace(camera.OffsetValuePos, 4, PutExif32(at - 6, c.Options.BigEndian));
    want.replace(camera.LengthValuePos, 4, PutExif32(length, c.Options.BigEndian));
    const std::size_t app1 = want.size() + 2;
    const std::string head = camera.Bytes.substr(0, camera.PayloadPos - 2) +
                             static_cast<char>(app1 >> 8) + static_cast<char>(app1 & 0xFF);
    ASSERT_EQ(spliced.Refusal, ExifRefusal::None);
    ASSERT_EQ(spliced.Bytes.size(), head.size() + want.size() + 5);
    EXPECT_TRUE(spliced.Bytes == head + want + "image");
  }
}

// Writes the fuzzers' seed corpus from the fixture generator and checks that the
// routines accept or refuse each seed as designed. To renew fuzz/seeds:
//   QUILLANE_FUZZ_SEEDS=fuzz/seeds build/tests/test_export --gtest_filter='FuzzSeeds.*'
// Without the variable the seeds go to a scratch folder.
TEST(FuzzSeeds, WriteTheSeedCorpus) {
  testsupport::TempDir scratch;
  const char* chosen = std::getenv("QUILLANE_FUZZ_SEEDS");
  const fs::path root = chosen ? fs::path(chosen) : scratch.Path();
  const std::string smallThumb = fixtures::PlainJpeg(8, 8, RGBColor(1, 2, 3));
  std::vector<fixtures::CameraOptions> variants(10);
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
  variants[8].SubIfdPreview = variants[8].IfdsAfterThumb = variants[8].MakerNote = true;
  variants[9].IfdChain = 10801;                // with IFD0 and IFD1, 10,803 IFDs in one chain
  variants[9].Thumbnail = "\xFF\xD8\xFF\xD9";  // short enough for one APP1 segment
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
