// The page writers and the two single saves of the page view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "export/JpegCodec.h"
#include "shell/Errors.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Quote;

std::string PictureHeader(const std::string& jpegCommand) {
  std::string out;
  if (testsupport::RunCommand(jpegCommand + " | djpeg -pnm 2>/dev/null | head -c 20", &out) != 0)
    return "";
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}

std::string MainPicture(const std::string& path) {
  return PictureHeader("cat " + Quote(path));
}
std::string Thumbnail(const std::string& path) {
  return PictureHeader("exiftool -b -ThumbnailImage " + Quote(path));
}

std::string Tag(const std::string& path, const std::string& tag) {
  std::string out;
  testsupport::RunCommand("exiftool -s -s -s -" + tag + " " + Quote(path), &out);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// The first value of the first quantisation table of a baseline JPEG.
int FirstQuantValue(const std::string& jpeg) {
  const auto dqt = jpeg.find("\xFF\xDB");
  if (dqt == std::string::npos) return -1;
  return static_cast<unsigned char>(jpeg[dqt + 5]);
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class PageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.FProgramDir = dir_.Path().string();
    form_.FOutDir = form_.FProgramDir + "/";
  }

  // Writes one numbered page of a text of allPage pages named saveName (UTF-8)
  // and returns the names the page folder then holds.
  std::vector<std::string> NumberedNames(const std::string& saveName, int allPage, int page) {
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

using Names_ = std::vector<std::string>;

TEST_F(PageFiles, NumberWidthAndPrefixFollowTheSizeOfTheText) {
  EXPECT_EQ(NumberedNames("novel", 120, 7), Names_{"nove0007.jpg"});
  EXPECT_EQ(NumberedNames("novel", 9999, 1), Names_{"nove0001.jpg"});
  EXPECT_EQ(NumberedNames("novel", 9999, 9999), Names_{"nove9999.jpg"});
  EXPECT_EQ(NumberedNames("novel", 10000, 1), Names_{"no000001.jpg"});
  EXPECT_EQ(NumberedNames("novel", 999999, 123456), Names_{"no123456.jpg"});
  EXPECT_EQ(NumberedNames("novel", 1000000, 1), Names_{"00000001.jpg"});
}

TEST_F(PageFiles, ShortNamesAreUsedWhole) {
  EXPECT_EQ(NumberedNames("abc", 12, 1), Names_{"abc0001.jpg"});
  EXPECT_EQ(NumberedNames("a", 20000, 2), Names_{"a000002.jpg"});
  EXPECT_EQ(NumberedNames("", 3, 3), Names_{"0003.jpg"});
}

TEST_F(PageFiles, PrefixIsCutAtACharacterBoundary) {
  // Two full-width characters fill the four bytes exactly.
  EXPECT_EQ(NumberedNames("あいう", 50, 1), Names_{"あい0001.jpg"});
  // One byte and two full-width characters: the second would be cut in half.
  EXPECT_EQ(NumberedNames("aあい", 50, 1), Names_{"aあ0001.jpg"});
  EXPECT_EQ(NumberedNames("aあい", 10000, 1), Names_{"a000001.jpg"});
  // Half-width katakana are one byte each.
  EXPECT_EQ(NumberedNames("ｱｲｳｴｵ", 50, 1), Names_{"ｱｲｳｴ0001.jpg"});
}

TEST_F(PageFiles, PageJpegIsThePageAtTheChosenQuality) {
  fs::create_directories(dir_.Path() / "all_page/t");
  form_.FSaveName = "t";
  form_.FAllPage = form_.FPage = 1;
  form_.JQualityUpDown.Position = 60;
  TABitmap page = fixtures::Solid(640, 480, RGBColor(30, 90, 150));
  form_.SavePageJpeg(page);
  const std::string path = dir_ / "all_page/t/t0001.jpg";
  EXPECT_EQ(MainPicture(path), "P6\n640 480");
  const std::string bytes = testsupport::ReadFile(path);
  // Annex K luminance table starts with 16; the IJG quality rule scales it by 80 % at 60.
  EXPECT_EQ(FirstQuantValue(bytes), 13);
  EXPECT_EQ(bytes.substr(0, 4), "\xFF\xD8\xFF\xE0");
}

TEST_F(PageFiles, WriterIntoAMissingFolderFailsWithTheFinalNameAndLeavesNothing) {
  form_.FSaveName = "gone";
  form_.FAllPage = form_.FPage = 1;
  TABitmap page(32, 24);
  try {
    form_.SavePageJpeg(page);
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(std::string(e.what()).find(form_.FOutDir + "all_page/gone/gone0001.jpg"),
              std::string::npos)
        << e.what();
    EXPECT_NE(std::string(e.what()).find("を作成できません"), std::string::npos);
  }
  EXPECT_TRUE(Names(dir_.Path()).empty());
}

TEST_F(PageFiles, JpegSaveWritesTheViewAtQuality95) {
  form_.JQualityUpDown.Position = 60;
  form_.Image1.Picture.Fill(RGBColor(200, 10, 10));
  const std::string path = dir_ / "view.jpg";
  p_.FileAnswers.push_back(path);
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  ASSERT_EQ(p_.DialogsShown, Names_{"savepicture"});
  EXPECT_EQ(p_.DialogOptions[0].DefaultExt, "jpg");
  EXPECT_EQ(p_.DialogOptions[0].FileName, "");
  EXPECT_TRUE(p_.Errors.empty());
  EXPECT_EQ(MainPicture(path), "P6\n640 480");
  // 16 scaled by 10 % (quality 95) and rounded.
  EXPECT_EQ(FirstQuantValue(testsupport::ReadFile(path)), 2);
}

TEST_F(PageFiles, BitmapSaveWritesExactlyTheView) {
  form_.Image1.Picture.Fill(RGBColor(1, 2, 3));
  form_.Image1.Picture.SetPixel(0, 0, RGBColor(250, 128, 7));
  form_.Image1.Picture.SetPixel(639, 479, RGBColor(9, 8, 7));
  const std::string path = dir_ / "view.bmp";
  p_.FileAnswers.push_back(path);
  form_.Dispatch([&] { form_.BitsaveClick(); });
  ASSERT_EQ(p_.DialogsShown, Names_{"savepicture"});
  EXPECT_EQ(p_.DialogOptions[0].DefaultExt, "bmp");
  const std::string bmp = testsupport::ReadFile(path);
  ASSERT_EQ(bmp.size(), 54u + 640 * 480 * 3);
  auto u32 = [&](std::size_t at) {
    return static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1]) << 8 |
           static_cast<unsigned char>(bmp[at + 2]) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 3])) << 24;
  };
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(u32(18), 640u);
  EXPECT_EQ(u32(22), 480u);
  EXPECT_EQ(bmp[28], 24);
  // Rows run bottom-up, pixels blue, green, red: the top-left pixel opens the last row.
  const std::size_t topLeft = 54 + 479 * 640 * 3;
  EXPECT_EQ(bmp.substr(topLeft, 3), std::string("\x07\x80\xFA", 3));
  EXPECT_EQ(bmp.substr(54 + 639 * 3, 3), std::string("\x07\x08\x09", 3));
  EXPECT_EQ(bmp.substr(54 + 3, 3), std::string("\x03\x02\x01", 3));
}

TEST_F(PageFiles, SingleSavesDoNothingWhenCancelledBusyOrDuringAnEffect) {
  form_.Dispatch([&] { form_.BitsaveClick(); });
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  EXPECT_EQ(p_.DialogsShown.size(), 2u);
  form_.FBusy = true;
  form_.Dispatch([&] { form_.BitsaveClick(); });
  form_.FBusy = false;
  form_.FVelocity = true;
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  form_.FVelocity = false;
  form_.FDeep = true;
  form_.Dispatch([&] { form_.BitsaveClick(); });
  EXPECT_EQ(p_.DialogsShown.size(), 2u);
  EXPECT_TRUE(Names(dir_.Path()).empty());
  EXPECT_TRUE(p_.Errors.empty());
}

class ExifWriters : public PageFiles {
 protected:
  std::string Template(const std::string& name, const fixtures::CameraOptions& options = {}) {
    const std::string path = cameras_ / name;
    testsupport::WriteFile(path, fixtures::MakeCameraJpeg(options).Bytes);
    return path;
  }
  void Prepare(const std::vector<std::string>& templates) {
    form_.FSaveName = "novel";
    form_.FExifFiles = templates;
    form_.FAllPage = static_cast<int>(templates.size());
    form_.FBusy = true;
    form_.JQualityUpDown.Position = 70;
  }
  testsupport::TempDir cameras_;
};

TEST_F(ExifWriters, ExifPageIsTheTemplateHeadThenThePage) {
  fixtures::CameraOptions options;
  options.App0 = true;
  options.XmpBefore = true;
  const auto camera = fixtures::MakeCameraJpeg(options);
  const std::string t1 = cameras_ / "P0001.JPG";
  testsupport::WriteFile(t1, camera.Bytes);
  Prepare({Template("P0000.JPG"), t1});
  fs::create_directories(dir_.Path() / "novel");
  form_.FPage = 2;
  TABitmap page = fixtures::Solid(640, 480, RGBColor(0, 0, 255));
  form_.SavePageExif(page);

  const std::string out = dir_ / "novel/P0001.JPG";
  const std::string bytes = testsupport::ReadFile(out);
  const std::size_t headSize = camera.PayloadPos + camera.Payload.size();
  EXPECT_EQ(bytes.substr(0, headSize), camera.Bytes.substr(0, headSize));
  EXPECT_EQ(bytes.substr(headSize), EncodePageJpeg(page, 70).substr(2));
  EXPECT_EQ(Tag(out, "Make"), "QuillCam");
  EXPECT_EQ(Tag(out, "Model"), "QC-1 Test");
  EXPECT_EQ(MainPicture(out), "P6\n640 480");
  EXPECT_TRUE(form_.FBusy);
  EXPECT_TRUE(p_.Messages.empty());
}

TEST_F(ExifWriters, TemplateWithoutExifStopsTheBatchAndWritesNothing) {
  const std::string plain = cameras_ / "P0001.JPG";
  testsupport::WriteFile(plain, fixtures::PlainJpeg(64, 48, clWhite));
  Prepare({plain});
  fs::create_directories(dir_.Path() / "novel");
  form_.FPage = 1;
  TABitmap page(640, 480);
  form_.SavePageExif(page);
  EXPECT_EQ(p_.MessageTexts(), Names_{"Exif情報が見つかりませんでした"});
  EXPECT_FALSE(form_.FBusy);
  EXPECT_TRUE(Names(dir_.Path() / "novel").empty());
}

TEST_F(ExifWriters, ThumbnailWriterReplacesTheCameraThumbnailWithTheShrunkPage) {
  fixtures::CameraOptions bigEndian;
  bigEndian.BigEndian = true;
  Prepare({Template("P0001.JPG"), Template("P0002.JPG", bigEndian)});
  form_.FOutDir = form_.FProgramDir + "/novel_th/";
  fs::create_directories(form_.FOutDir);
  for (int page = 1; page <= 2; ++page) {
    form_.FPage = page;
    TABitmap bitmap = fixtures::Solid(640, 480, RGBColor(0, 0, 250));
    form_.SavePageExifThumb(bitmap);
  }
  for (const char* name : {"P0001.JPG", "P0002.JPG"}) {
    const std::string out = form_.FOutDir + name;
    EXPECT_EQ(Tag(out, "Make"), "QuillCam") << name;
    EXPECT_EQ(MainPicture(out), "P6\n640 480") << name;
    EXPECT_EQ(Thumbnail(out), "P6\n160 120") << name;
    // The new thumbnail is the blue page, not the camera's green one.
    std::string rgb;
    testsupport::RunCommand(
        "exiftool -b -ThumbnailImage " + Quote(out) + " | djpeg -pnm | tail -c 3 | od -An -tu1",
        &rgb);
    int r = 0, g = 0, b = 0;
    ASSERT_EQ(std::sscanf(rgb.c_str(), "%d %d %d", &r, &g, &b), 3) << rgb;
    EXPECT_LT(r, 30);
    EXPECT_LT(g, 30);
    EXPECT_GT(b, 220);
  }
  EXPECT_TRUE(p_.Messages.empty());
  EXPECT_TRUE(form_.FBusy);
}

TEST_F(ExifWriters, CountThumbnailShowsBlackDigitsOnWhite) {
  Prepare({Template("P0001.JPG")});
  form_.CountCheckBox.Checked = true;
  fs::create_directories(dir_.Path() / "novel_th");
  form_.FOutDir = form_.FProgramDir + "/novel_th/";
  form_.FPage = 1;
  TABitmap bitmap = fixtures::Solid(640, 480, RGBColor(0, 0, 250));
  form_.SavePageExifThumb(bitmap);
  const std::string out = form_.FOutDir + "P0001.JPG";
  ASSERT_EQ(Thumbnail(out), "P6\n160 120");
  // Corner pixel of the number picture is white.
  std::string rgb;
  testsupport::RunCommand(
      "exiftool -b -ThumbnailImage " + Quote(out) + " | djpeg -pnm | tail -c 3 | od -An -tu1",
      &rgb);
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(std::sscanf(rgb.c_str(), "%d %d %d", &r, &g, &b), 3);
  EXPECT_GT(r, 235);
  EXPECT_GT(g, 235);
  EXPECT_GT(b, 235);
}

TEST_F(ExifWriters, ThumbnailRefusalsSkipThePageButLetTheBatchGoOn) {
  fixtures::CameraOptions uncompressed;
  uncompressed.Compression = 1;
  Prepare({Template("P0001.JPG", uncompressed), cameras_ / "P0002.JPG"});
  testsupport::WriteFile(cameras_ / "P0002.JPG", fixtures::PlainJpeg(64, 48, clWhite));
  fs::create_directories(dir_.Path() / "novel_th");
  form_.FOutDir = form_.FProgramDir + "/novel_th/";
  for (int page = 1; page <= 2; ++page) {
    form_.FPage = page;
    TABitmap bitmap(640, 480);
    form_.SavePageExifThumb(bitmap);
  }
  EXPECT_EQ(p_.MessageTexts(), (Names_{"1 :Tumbnailの圧縮の種類はJpegではありません。中止します",
                                       "Exif情報が見つかりませんでした"}));
  EXPECT_TRUE(form_.FBusy);
  EXPECT_TRUE(Names(dir_.Path() / "novel_th").empty());
}

TEST_F(ExifWriters, UnreadableTemplateIsAFileError) {
  Prepare({cameras_ / "missing.JPG"});
  form_.FPage = 1;
  TABitmap bitmap(640, 480);
  EXPECT_THROW(form_.SavePageExif(bitmap), EFileError);
  EXPECT_THROW(form_.SavePageExifThumb(bitmap), EFileError);
}

}  // namespace
