#include <gtest/gtest.h>

#include <filesystem>

#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/Splice.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;
using fixtures::Quote;
using fixtures::Run;

// What exiftool says of one tag (-s -s -s: the bare value), "" when absent.
std::string Tag(const std::string& path, const std::string& tag) {
  std::string out;
  testsupport::RunCommand("exiftool -s -s -s -" + tag + " " + Quote(path), &out);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The PNM header djpeg writes for the file's main picture, "" when it fails.
std::string MainPictureHeader(const std::string& path) {
  std::string out;
  if (testsupport::RunCommand("djpeg -pnm " + Quote(path) + " | head -c 20", &out) != 0) return "";
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}

std::string ThumbnailHeader(const std::string& path) {
  std::string out;
  testsupport::RunCommand(
      "exiftool -b -ThumbnailImage " + Quote(path) + " | djpeg -pnm 2>/dev/null | head -c 20",
      &out);
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}

// The camera tags survive and independent readers accept the file.
void ExpectCameraFile(const std::string& path, const std::string& picture) {
  EXPECT_EQ(Tag(path, "Make"), "QuillCam");
  EXPECT_EQ(Tag(path, "Model"), "QC-1 Test");
  EXPECT_EQ(Tag(path, "ModifyDate"), "2024:01:02 03:04:05");
  EXPECT_EQ(MainPictureHeader(path), picture);
  std::string jhead;
  EXPECT_EQ(Run("jhead " + Quote(path), &jhead), 0) << jhead;
  EXPECT_EQ(jhead.find("rror"), std::string::npos) << jhead;
  EXPECT_EQ(jhead.find("orrupt"), std::string::npos) << jhead;
}

class SpliceFiles : public ::testing::Test {
 protected:
  std::string Put(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ / name;
    testsupport::WriteFile(path, bytes);
    return path;
  }
  std::string Out(const std::string& name = "out.jpg") { return dir_ / name; }
  testsupport::TempDir dir_;
};

TEST_F(SpliceFiles, KeepModePutsTheInsertBehindTheTemplatesHead) {
  CameraOptions options;
  options.App0 = true;
  const auto camera = MakeCameraJpeg(options);
  const std::string insert = fixtures::PlainJpeg(640, 480, RGBColor(0, 0, 250));
  const std::string t = Put("t.jpg", camera.Bytes), i = Put("i.jpg", insert);
  ASSERT_TRUE(SpliceKeepThumbnail(t, i, Out()).Ok());
  const std::string out = testsupport::ReadFile(Out());
  const std::size_t headSize = camera.PayloadPos + camera.Payload.size();
  // The template's SOI, APP0 and Exif block unchanged, then the insert's own APP0,
  // tables and scan.
  EXPECT_EQ(out, camera.Bytes.substr(0, headSize) + insert.substr(2));
  ExpectCameraFile(Out(), "P6\n640 480");
  EXPECT_EQ(Tag(Out(), "ThumbnailLength"), std::to_string(camera.ThumbLength));
}

TEST_F(SpliceFiles, ReplaceModeMakesA160x120ThumbnailInBothByteOrders) {
  for (bool big : {false, true}) {
    CameraOptions tmplOptions;
    tmplOptions.BigEndian = big;
    tmplOptions.Trailing = std::string(6, '\x5A');
    const auto camera = MakeCameraJpeg(tmplOptions);
    CameraOptions insertOptions;  // an insert that carries Exif of its own
    insertOptions.Width = 640;
    insertOptions.Height = 480;
    insertOptions.Color = RGBColor(0, 0, 240);
    const auto insert = MakeCameraJpeg(insertOptions);
    const std::string t = Put("t.jpg", camera.Bytes), i = Put("i.jpg", insert.Bytes);
    ASSERT_TRUE(SpliceReplaceThumbnail(t, i, 60, Out()).Ok()) << big;
    const std::string out = testsupport::ReadFile(Out());
    // Behind the new block: the insert's bytes after its own Exif block.
    EXPECT_EQ(out.substr(out.size() - insert.ImageData.size()), insert.ImageData);
    ExpectCameraFile(Out(), "P6\n640 480");
    EXPECT_EQ(ThumbnailHeader(Out()), "P6\n160 120");
    EXPECT_EQ(Tag(Out(), "ExifByteOrder"),
              big ? "Big-endian (Motorola, MM)" : "Little-endian (Intel, II)");
    // The new thumbnail shows the insert's blue picture.
    TMemoryStream stream(out);
    ExifTemplate written;
    ASSERT_EQ(ReadExifTemplate(stream, written), ExifRefusal::None);
    const std::string thumb =
        written.Payload.substr(written.Thumb.ThumbPos, written.Thumb.ThumbLength);
    EXPECT_EQ(thumb.substr(0, 4), "\xFF\xD8\xFF\xDB");
    EXPECT_NEAR(ColorB(DecodeJpeg(thumb).Pixel(80, 60)), 240, 6);
    EXPECT_EQ(written.Payload.substr(written.Payload.size() - 6), std::string(6, '\x5A'));
  }
}

TEST_F(SpliceFiles, AnUncompressedThumbnailIsRefusedOnlyWhenReplacing) {
  CameraOptions options;
  options.Compression = 1;
  const std::string t = Put("t.jpg", MakeCameraJpeg(options).Bytes);
  const std::string i = Put("i.jpg", fixtures::PlainJpeg(64, 48, 0));
  const SpliceOutcome replaced = SpliceReplaceThumbnail(t, i, 60, Out());
  EXPECT_EQ(replaced.Refusal, SpliceRefusal::NotJpegThumb);
  EXPECT_EQ(replaced.Message(), "1 :Tumbnailの圧縮の種類はJpegではありません。中止します");
  EXPECT_FALSE(fs::exists(Out()));
  EXPECT_TRUE(SpliceKeepThumbnail(t, i, Out()).Ok());
  EXPECT_TRUE(fs::exists(Out()));
}

TEST_F(SpliceFiles, RefusalsWriteNothingAndLeaveAnOldFileAlone) {
  const std::string good = Put("t.jpg", MakeCameraJpeg().Bytes);
  const std::string plain = Put("plain.jpg", fixtures::PlainJpeg(64, 48, 0));
  const std::string text = Put("text.jpg", "this is no picture");
  const std::string broken = Put("broken.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x04"
                                                           "ab",
                                                           8));
  CameraOptions noIfd1Options;
  noIfd1Options.Ifd1 = false;
  const std::string noIfd1 = Put("noifd1.jpg", MakeCameraJpeg(noIfd1Options).Bytes);
  testsupport::WriteFile(Out(), "old");

  struct Case {
    SpliceOutcome Outcome;
    std::string Message;
  };
  const std::vector<Case> cases = {
      {SpliceKeepThumbnail(plain, plain, Out()), "Exif情報が見つかりませんでした"},
      {SpliceReplaceThumbnail(plain, plain, 60, Out()), "Exif情報が見つかりませんでした"},
      {SpliceReplaceThumbnail(noIfd1, plain, 60, Out()), "Exif情報が見つかりませんでした"},
      {SpliceKeepThumbnail(text, plain, Out()), "Exif情報が見つかりませんでした"},
      {SpliceKeepThumbnail(good, text, Out()), "Jpeg画像はありません。作業を中止します"},
      {SpliceReplaceThumbnail(good, text, 60, Out()), "Jpeg画像はありません。作業を中止します"},
      {SpliceReplaceThumbnail(good, broken, 60, Out()), "Jpeg画像はありません。作業を中止します"},
      {SpliceKeepThumbnail(good, broken, Out()), "Jpeg画像はありません。作業を中止します"},
      {SameThumbnail(plain, 60, Out()), "Exif情報が見つかりませんでした"},
      {SameThumbnail(noIfd1, 60, Out()), "Exif情報が見つかりませんでした"},
  };
  for (std::size_t k = 0; k < cases.size(); ++k) {
    EXPECT_FALSE(cases[k].Outcome.Ok()) << k;
    EXPECT_EQ(cases[k].Outcome.Message(), cases[k].Message) << k;
  }
  EXPECT_EQ(testsupport::ReadFile(Out()), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Out()).parent_path()), {}), 6);
}

TEST_F(SpliceFiles, AThumbnailTooLargeForTheApp1IsRefused) {
  // A noisy insert at quality 100 makes a thumbnail far above the room left.
  CameraOptions options;
  options.Trailing = std::string(60000, '\0');
  const std::string t = Put("t.jpg", MakeCameraJpeg(options).Bytes);
  TABitmap noise(160, 120);
  std::uint32_t seed = 1;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 480; ++x) noise.ScanLine(y)[x] = (seed = seed * 1103515245 + 12345) >> 24;
  const std::string i = Put("i.jpg", EncodePageJpeg(noise, 100));
  const SpliceOutcome outcome = SpliceReplaceThumbnail(t, i, 100, Out());
  EXPECT_EQ(outcome.Refusal, SpliceRefusal::App1TooLong);
  EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(SpliceFiles, SameRebuildsTheThumbnailFromTheFilesOwnPicture) {
  CameraOptions options;  // a red picture whose thumbnail is still green
  options.Color = RGBColor(230, 0, 0);
  options.ThumbColor = RGBColor(0, 230, 0);
  options.XmpAfter = true;
  const auto camera = MakeCameraJpeg(options);
  const std::string in = Put("in.jpg", camera.Bytes);
  ASSERT_TRUE(SameThumbnail(in, 60, Out()).Ok());
  const std::string out = testsupport::ReadFile(Out());
  EXPECT_EQ(out.substr(out.size() - camera.ImageData.size()), camera.ImageData);
  EXPECT_EQ(testsupport::ReadFile(in), camera.Bytes);
  ExpectCameraFile(Out(), "P6\n320 240");
  EXPECT_EQ(ThumbnailHeader(Out()), "P6\n160 120");
  TMemoryStream stream(out);
  ExifTemplate written;
  ASSERT_EQ(ReadExifTemplate(stream, written), ExifRefusal::None);
  const TColor c =
      DecodeJpeg(written.Payload.substr(written.Thumb.ThumbPos, written.Thumb.ThumbLength))
          .Pixel(80, 60);
  EXPECT_GT(ColorR(c), 200);
  EXPECT_LT(ColorG(c), 30);
}

TEST(HasJpegExtension, OnlyTheFourSpellingsCount) {
  for (const char* yes : {"a.jpg", "a.jpeg", "a.JPG", "a.JPEG", "/x/y.z/photo.jpg"})
    EXPECT_TRUE(HasJpegExtension(yes)) << yes;
  for (const char* no : {"a.Jpg", "a.jpe", "picture.jpe", "ajpg", "a.png", ".jpgx", ""})
    EXPECT_FALSE(HasJpegExtension(no)) << no;
}

TEST(InsertImageData, TakesTheTailAfterExifOrEverythingAfterSoi) {
  const auto camera = MakeCameraJpeg();
  EXPECT_EQ(InsertImageData(camera.Bytes), camera.ImageData);
  const std::string plain = fixtures::PlainJpeg(8, 8, 0);
  EXPECT_EQ(InsertImageData(plain), plain.substr(2));
  EXPECT_FALSE(InsertImageData("GIF89a"));
  EXPECT_FALSE(InsertImageData(""));
}

}  // namespace
