#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/Splice.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::Quote;
using checks::Tag;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;

// The camera tags survive and independent readers accept the file.
void ExpectCameraFile(const std::string& path, const std::string& picture) {
  EXPECT_EQ(Tag(path, "Make"), "QuillCam");
  EXPECT_EQ(Tag(path, "Model"), "QC-1 Test");
  EXPECT_EQ(Tag(path, "ModifyDate"), "2024:01:02 03:04:05");
  EXPECT_EQ(checks::MainPicture(path), picture);
  std::string jhead;
  EXPECT_EQ(checks::Run("jhead " + Quote(path), &jhead), 0) << jhead;
  EXPECT_EQ(jhead.find("rror"), std::string::npos) << jhead;
  EXPECT_EQ(jhead.find("orrupt"), std::string::npos) << jhead;
}

// The thumbnail inside a written file, as our reader finds it.
std::string ThumbnailOf(const std::string& file) {
  TMemoryStream stream(file);
  ExifTemplate written;
  EXPECT_EQ(ReadExifTemplate(stream, written), ExifRefusal::None);
  return written.Payload.substr(written.Thumb.ThumbPos, written.Thumb.ThumbLength);
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
    EXPECT_EQ(checks::Thumbnail(Out()), "P6\n160 120");
    EXPECT_EQ(Tag(Out(), "ExifByteOrder"),
              big ? "Big-endian (Motorola, MM)" : "Little-endian (Intel, II)");
    // The new thumbnail shows the insert's blue picture; the bytes after it are kept.
    const std::string thumb = ThumbnailOf(out);
    EXPECT_EQ(thumb.substr(0, 4), "\xFF\xD8\xFF\xDB");
    EXPECT_NEAR(ColorB(DecodeJpeg(thumb).Pixel(80, 60)), 240, 6);
    const std::size_t behind = out.find(thumb) + thumb.size();
    EXPECT_EQ(out.substr(behind, 6), std::string(6, '\x5A'));
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
  EXPECT_EQ(checks::Thumbnail(Out()), "P6\n160 120");
  const TColor c = DecodeJpeg(ThumbnailOf(out)).Pixel(80, 60);
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

// The splice tools of quillane-cli; stderr is folded into the output.
int Cli(const std::string& args, std::string* output) {
  return checks::Run(Quote(testsupport::CliPath()) + " " + args, output);
}

TEST_F(SpliceFiles, CommandLineThumbnailSpliceAndSame) {
  QImage image(640, 480, QImage::Format_RGB888);
  image.fill(QColor(0, 200, 0));
  ASSERT_TRUE(image.save(QString::fromStdString(Out("in.png"))));
  std::string output;
  ASSERT_EQ(Cli("thumbnail --quality 50 " + Quote(Out("in.png")) + " --out " + Quote(Out("t.jpg")),
                &output),
            0)
      << output;
  const std::string jpeg = testsupport::ReadFile(Out("t.jpg"));
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xDB");
  const TABitmap back = DecodeJpeg(jpeg);
  EXPECT_EQ(back.Width(), 160);
  EXPECT_EQ(back.Height(), 120);
  EXPECT_NEAR(ColorG(back.Pixel(80, 60)), 200, 5);

  const auto camera = MakeCameraJpeg();
  const std::string t = Quote(Put("cam.jpg", camera.Bytes));
  const std::string i = Quote(Put("i.jpg", fixtures::PlainJpeg(320, 240, RGBColor(9, 9, 9))));
  const std::string plain = Quote(Put("plain.jpg", fixtures::PlainJpeg(16, 16, 0)));
  const std::string text = Quote(Put("text.jpg", "no picture"));
  const std::string splice = "splice --template ";
  ASSERT_EQ(Cli(splice + t + " --insert " + i + " --out " + Quote(Out("keep.jpg")), &output), 0)
      << output;
  ASSERT_EQ(Cli(splice + t + " --insert " + i + " --replace-thumbnail --quality 0 --out " +
                    Quote(Out("new.jpg")),
                &output),
            0)
      << output;
  TMemoryStream keep(testsupport::ReadFile(Out("keep.jpg")));
  ExifTemplate kept;
  ASSERT_EQ(ReadExifTemplate(keep, kept), ExifRefusal::None);
  EXPECT_EQ(kept.Payload, camera.Payload);
  EXPECT_NE(ThumbnailOf(testsupport::ReadFile(Out("new.jpg"))).size(), camera.ThumbLength);
  ASSERT_EQ(Cli("same " + t + " --out " + Quote(Out("same.jpg")), &output), 0) << output;
  EXPECT_TRUE(checks::EndsWith(testsupport::ReadFile(Out("same.jpg")), camera.ImageData));

  // Refusals print the message and exit 1; a missing option exits 2; nothing is written.
  EXPECT_EQ(Cli(splice + plain + " --insert " + i + " --out " + Quote(Out("no.jpg")), &output), 1);
  EXPECT_NE(output.find("Exif情報が見つかりませんでした"), std::string::npos) << output;
  EXPECT_EQ(Cli("same " + text + " --out " + Quote(Out("no.jpg")), &output), 1);
  EXPECT_NE(output.find("Exif情報が見つかりませんでした"), std::string::npos) << output;
  EXPECT_EQ(Cli(splice + t + " --out " + Quote(Out("no.jpg")), &output), 2);
  EXPECT_FALSE(fs::exists(Out("no.jpg")));
}

// Offsets after the thumbnail move with it in both byte orders; a maker note
// there (its inner offsets follow no standard) refuses the splice; a JPEG
// thumbnail without a Compression tag, as some phones write it, is replaced.
TEST_F(SpliceFiles, CommandLineReplaceKeepsTheTagsAfterTheThumbnail) {
  const std::tuple<const char*, bool, bool, bool> cases[] = {
      // big-endian, IFDs after, tag
      {"IFDs after, II", false, true, true},
      {"IFDs after, MM", true, true, true},
      {"no Compression tag", true, false, false},
      {"maker note after", false, true, true}};
  for (const auto& [name, big, ifds, tag] : cases) {
    SCOPED_TRACE(name);
    const bool makerNote = std::string(name) == "maker note after";
    CameraOptions o;
    o.BigEndian = big;
    o.IfdsAfterThumb = ifds;
    o.MakerNote = makerNote;
    o.CompressionTag = tag;
    const std::string t = Quote(Put("cam.jpg", MakeCameraJpeg(o).Bytes)), out = Out(name);
    std::string output;
    const int status = Cli(
        "splice --replace-thumbnail --template " + t + " --insert " + t + " --out " + Quote(out),
        &output);
    if (makerNote) {
      EXPECT_EQ(status, 1);
      EXPECT_NE(output.find("メーカーノート"), std::string::npos) << output;
      EXPECT_FALSE(fs::exists(out));
      continue;
    }
    ASSERT_EQ(status, 0) << output;
    ExpectCameraFile(out, "P6\n320 240");
    EXPECT_EQ(checks::Thumbnail(out), "P6\n160 120");
    if (!ifds) continue;
    EXPECT_EQ(Tag(out, "ExposureTime"), "1/250");
    EXPECT_EQ(Tag(out, "GPSLatitudeRef"), "North");
    EXPECT_EQ(Tag(out, "InteropIndex"), "R98 - DCF basic file (sRGB)");
    checks::Run("exiftool -validate -warning -a " + Quote(out), &output);
    EXPECT_EQ(output.find("Bad"), std::string::npos) << output;
  }
}

// Refused before anything is written, each with its reason: an output that is an
// input (by its name or through a link), a progressive header claiming 65,500 x
// 65,500 pixels (before the decoder allocates for it), and an output folder that
// does not exist (named as asked, not as the temporary file). The longest legal
// name can be written.
TEST_F(SpliceFiles, CommandLineRefusesOverwritingAnInputOrDecodingABomb) {
  const std::string camera = MakeCameraJpeg().Bytes;
  const std::string t = Quote(Put("cam.jpg", camera)), link = Quote(Out("link.jpg"));
  fs::create_symlink(Out("cam.jpg"), Out("link.jpg"));
  ASSERT_EQ(checks::Run("jpegtran -progressive -outfile " + Quote(Out("b.jpg")) + " " +
                        Quote(Put("small.jpg", fixtures::PlainJpeg(16, 16, 0)))),
            0);
  std::string bomb = testsupport::ReadFile(Out("b.jpg"));
  bomb.replace(bomb.find("\xFF\xC2") + 5, 4, "\xFF\xDC\xFF\xDC");
  const std::string b = Quote(Put("b.jpg", bomb)), o = " --out " + Quote(Out("o.jpg"));
  const std::pair<std::string, const char*> cases[] = {
      {"same " + t + " --out " + link, "入力ファイルそのもの"},
      {"splice --template " + Quote(Out("./cam.jpg")) + " --insert " + b + " --out " + t,
       "入力ファイルそのもの"},
      {"splice --replace-thumbnail --template " + link + " --insert " + link + " --out " + t,
       "入力ファイルそのもの"},
      {"thumbnail " + t + " --out " + t, "入力ファイルそのもの"},
      {"splice --template " + t + " --insert " + b + o, "Jpeg画像はありません"},
      {"splice --replace-thumbnail --template " + t + " --insert " + b + o, "Jpeg画像はありません"},
      {"thumbnail " + b + o, "picture too large"},
      {"same " + t + " --out " + Quote(Out("no/o.jpg")), "no/o.jpg を作成できません"}};
  for (const auto& [command, message] : cases) {
    SCOPED_TRACE(command);
    std::string output;
    EXPECT_EQ(Cli(command, &output), 1);
    EXPECT_NE(output.find(message), std::string::npos) << output;
    EXPECT_EQ(testsupport::ReadFile(Out("cam.jpg")), camera);
    EXPECT_FALSE(fs::exists(Out("o.jpg")));
  }
  const std::string longest = Out(std::string(251, 'n') + ".jpg");
  EXPECT_EQ(Cli("same " + t + " --out " + Quote(longest), nullptr), 0);
  EXPECT_EQ(checks::Thumbnail(longest), "P6\n160 120");
}

}  // namespace
