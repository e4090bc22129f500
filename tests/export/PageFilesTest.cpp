// The page writers and the two single saves of the page view.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "base/Errors.h"
#include "export/JpegCodec.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::MainPicture;
using checks::Names;
using checks::Quote;
using checks::Strings;
using checks::Tag;

class PageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.FProgramDir = dir_.Path().string();
    form_.FOutDir = form_.FProgramDir + "/";
  }

  // Writes one numbered page of a text of allPage pages named saveName (UTF-8)
  // and returns the names the page folder then holds.
  Strings NumberedNames(const std::string& saveName, int allPage, int page) {
    fs::remove_all(dir_.Path() / "all_page");
    fs::create_directories(dir_.Path() / "all_page" / saveName);
    form_.FSaveName = saveName;
    form_.FAllPage = allPage;
    form_.FPage = page;
    TABitmap small(16, 12);
    form_.SavePageJpeg(small);
    return Names(dir_.Path() / "all_page" / saveName);
  }

  testsupport::TempDir dir_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(PageFiles, NumberWidthAndPrefixFollowTheSizeOfTheTextAndCharacterBoundaries) {
  struct Case {
    const char* SaveName;
    int AllPage, Page;
    const char* File;
  };
  for (const Case& c : {Case{"novel", 120, 7, "nove0007.jpg"},
                        {"novel", 9999, 9999, "nove9999.jpg"},
                        {"novel", 10000, 1, "no000001.jpg"},
                        {"novel", 1000000, 1, "00000001.jpg"},
                        {"a", 20000, 2, "a000002.jpg"},
                        {"", 3, 3, "0003.jpg"},
                        {"あいう", 50, 1, "あい0001.jpg"},  // two characters fill four bytes
                        {"aあい", 50, 1, "aあ0001.jpg"},    // the second would be cut in half
                        {"ｱｲｳｴｵ", 50, 1, "ｱｲｳｴ0001.jpg"}})  // half-width: one byte each
    EXPECT_EQ(NumberedNames(c.SaveName, c.AllPage, c.Page), Strings{c.File})
        << c.SaveName << " " << c.AllPage << " " << c.Page;
}

TEST_F(PageFiles, JpegSaveWritesTheViewAtQuality95) {
  form_.JQualityUpDown.Position = 60;
  form_.Image1.Picture.Fill(RGBColor(200, 10, 10));
  const std::string path = dir_ / "view.jpg";
  p_.FileAnswers.push_back(path);
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  EXPECT_EQ(p_.DialogOptions.at(0).DefaultExt, "jpg");
  EXPECT_EQ(MainPicture(path), "P6\n640 480");
  EXPECT_EQ(checks::FirstQuantValue(path), 2);  // 16 x 10 %, rounded
}

TEST_F(PageFiles, BitmapSaveWritesExactlyTheViewAndNothingHappensWhenCancelledOrBusy) {
  form_.Image1.Picture.Fill(RGBColor(1, 2, 3));
  form_.Image1.Picture.SetPixel(0, 0, RGBColor(250, 128, 7));
  const std::string path = dir_ / "view.bmp";
  p_.FileAnswers = {path, std::nullopt, std::nullopt};
  form_.Dispatch([&] { form_.BitsaveClick(); });
  EXPECT_EQ(p_.DialogOptions[0].DefaultExt, "bmp");
  const std::string bmp = testsupport::ReadFile(path);
  ASSERT_EQ(bmp.size(), 54u + 640 * 480 * 3);
  EXPECT_EQ(bmp.substr(18, 8), std::string("\x80\x02\0\0\xE0\x01\0\0", 8));  // 640 x 480
  // Rows run bottom-up, pixels blue, green, red: the top-left pixel opens the last row.
  EXPECT_EQ(bmp.substr(54 + 479 * 640 * 3, 3), std::string("\x07\x80\xFA", 3));
  EXPECT_EQ(bmp.substr(54, 3), std::string("\x03\x02\x01", 3));
  fs::remove(path);
  form_.Dispatch([&] { form_.BitsaveClick(); });
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  EXPECT_EQ(p_.DialogsShown.size(), 3u);
  form_.FBusy = true;
  form_.Dispatch([&] { form_.BitsaveClick(); });
  form_.FBusy = false;
  form_.FVelocity = true;
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  EXPECT_EQ(p_.DialogsShown.size(), 3u);
  EXPECT_TRUE(Names(dir_.Path()).empty());
  EXPECT_TRUE(p_.Errors.empty());
}

class ExifWriters : public PageFiles {
 protected:
  std::string Template(const std::string& name, const std::string& bytes) {
    testsupport::WriteFile(cameras_ / name, bytes);
    return cameras_ / name;
  }
  std::string Template(const std::string& name, const fixtures::CameraOptions& options = {}) {
    return Template(name, fixtures::MakeCameraJpeg(options).Bytes);
  }
  // The Exif writer adds the text's folder to FOutDir; the thumbnail writer is given its own.
  void Prepare(const Strings& templates, bool thumb) {
    form_.FSaveName = "novel";
    form_.FExifFiles = templates;
    form_.FAllPage = static_cast<int>(templates.size());
    form_.FBusy = true;
    form_.JQualityUpDown.Position = 70;
    fs::create_directories(dir_.Path() / (thumb ? "novel_th" : "novel"));
    if (thumb) form_.FOutDir = form_.FProgramDir + "/novel_th/";
  }
  testsupport::TempDir cameras_;
};

TEST_F(ExifWriters, ThumbnailWriterPutsTheShrunkPageOrTheCountInEitherByteOrder) {
  struct Case {
    bool Count, BigEndian;
    std::array<int, 3> Corner;  // blue page; the count picture is white around its digits
    int Tolerance;
  };
  for (const Case& c : {Case{false, false, {0, 0, 250}, 29}, Case{false, true, {0, 0, 250}, 29},
                        Case{true, false, {255, 255, 255}, 19}}) {
    SCOPED_TRACE(std::to_string(c.Count) + std::to_string(c.BigEndian));
    fixtures::CameraOptions options;
    options.BigEndian = c.BigEndian;
    fs::remove_all(dir_.Path() / "novel_th");
    Prepare({Template("P0001.JPG", options)}, true);
    form_.CountCheckBox.Checked = c.Count;
    form_.FPage = 1;
    TABitmap bitmap = fixtures::Solid(640, 480, RGBColor(0, 0, 250));
    form_.SavePageExifThumb(bitmap);
    const std::string out = form_.FOutDir + "P0001.JPG";
    EXPECT_EQ(Tag(out, "Make"), "QuillCam");
    EXPECT_EQ(MainPicture(out), "P6\n640 480");
    EXPECT_EQ(checks::Thumbnail(out), "P6\n160 120");
    // The new thumbnail, not the camera's green one.
    checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + Quote(out), c.Corner, c.Tolerance);
    EXPECT_TRUE(p_.Messages.empty());
    EXPECT_TRUE(form_.FBusy);
  }
}

TEST_F(ExifWriters, AThumbnailThatCannotBeReplacedStaysAndOnlyNoExifSkipsThePage) {
  fixtures::CameraOptions uncompressed;
  uncompressed.Compression = 1;
  Prepare({Template("P0001.JPG", uncompressed),
           Template("P0002.JPG", fixtures::PlainJpeg(64, 48, clWhite))},
          true);
  for (int page = 1; page <= 2; ++page) {
    form_.FPage = page;
    TABitmap bitmap(640, 480);
    form_.SavePageExifThumb(bitmap);
  }
  EXPECT_EQ(p_.MessageTexts(), Strings{"Exif情報が見つかりませんでした"});
  EXPECT_TRUE(form_.FBusy);
  EXPECT_EQ(Names(dir_.Path() / "novel_th"), Strings{"P0001.JPG"});
  EXPECT_EQ(form_.FKeptThumbs, Strings{"P0001.JPG"});
}

TEST_F(ExifWriters, UnreadableTemplateIsAFileError) {
  Prepare({cameras_ / "missing.JPG"}, false);
  form_.FPage = 1;
  TABitmap bitmap(640, 480);
  EXPECT_THROW(form_.SavePageExif(bitmap), EFileError);
  EXPECT_THROW(form_.SavePageExifThumb(bitmap), EFileError);
}

}  // namespace
