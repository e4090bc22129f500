// quillane-cli export, count-images and count-text through the built program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "export/JpegCodec.h"
#include "tests/common/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliPath;
using testsupport::RunCommand;
using testsupport::TempDir;
using Strings = std::vector<std::string>;

std::string Q(const std::string& path) {
  return "'" + path + "'";
}

// Runs the tool; its stderr (the program's messages) goes to err.
int Cli(const std::string& args, std::string* err) {
  return RunCommand(CliPath() + " " + args + " 2>&1 >/dev/null", err);
}

Strings Names(const fs::path& folder) {
  Strings names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Size(const std::string& command) {
  std::string out;
  RunCommand(command + " 2>/dev/null | djpeg -pnm 2>/dev/null | head -c 20", &out);
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}

std::string PictureSize(const fs::path& path) {
  return Size("cat " + Q(path.string()));
}

std::string Solid(int width, int height, TColor color) {
  TABitmap bitmap(width, height);
  bitmap.Fill(color);
  return EncodePageJpeg(bitmap, 90);
}

class ExportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(home_.Path());
    std::string text;
    for (int i = 1; i <= 3 * 13; ++i) text += "line " + std::to_string(i) + "\r\n";
    testsupport::WriteFile(text_, text);
  }
  // Camera-like templates made by exiftool: camera tags and a JPEG thumbnail.
  void Cameras(int count) {
    const std::string thumb = inputs_ / "thumb.jpg";
    testsupport::WriteFile(thumb, Solid(160, 120, RGBColor(0, 200, 0)));
    for (int i = 1; i <= count; ++i) {
      const std::string path = (cameras_.Path() / ("P00" + std::to_string(i) + ".JPG")).string();
      testsupport::WriteFile(path, Solid(320, 240, RGBColor(200, 0, 0)));
      ASSERT_EQ(RunCommand("exiftool -q -overwrite_original -Make=QuillCam -Model=QC-2 "
                           "'-ThumbnailImage<=" +
                           thumb + "' " + Q(path)),
                0);
    }
  }
  std::string Home() const { return "--home " + Q(home_.Path().string()); }

  TempDir home_, inputs_, cameras_;
  const std::string text_ = inputs_ / "novel.txt";
};

TEST_F(ExportCli, ExportWritesEveryPage) {
  std::string err;
  ASSERT_EQ(Cli("export " + Home() + " --quality 50 " + Q(text_), &err), 0) << err;
  EXPECT_NE(err.find("ミリ秒かかりました"), std::string::npos) << err;
  const fs::path pages = home_.Path() / "all_page/novel";
  EXPECT_EQ(Names(pages), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  EXPECT_EQ(PictureSize(pages / "nove0002.jpg"), "P6\n640 480");
}

TEST_F(ExportCli, QvgaAndViewOptionsReachThePages) {
  std::string err;
  ASSERT_EQ(Cli("export " + Home() + " --qvga --horizontal --bg 0xFF0000 --fo 0xFFFFFF " + Q(text_),
                &err),
            0)
      << err;
  const fs::path page = home_.Path() / "all_page/novel/nove0001.jpg";
  EXPECT_EQ(PictureSize(page), "P6\n320 240");
  // The page background is the blue asked for (0xBBGGRR).
  std::string rgb;
  RunCommand("djpeg -pnm " + Q(page.string()) + " | tail -c 3 | od -An -tu1", &rgb);
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(std::sscanf(rgb.c_str(), "%d %d %d", &r, &g, &b), 3);
  EXPECT_LT(r, 30);
  EXPECT_GT(b, 220);
}

TEST_F(ExportCli, ExifExportWithAlbum) {
  Cameras(2);
  std::string err;
  ASSERT_EQ(
      Cli("export " + Home() + " --exif " + Q(cameras_.Path().string()) + " --album 2 " + Q(text_),
          &err),
      0)
      << err;
  const fs::path out = home_.Path() / "novel";
  ASSERT_EQ(Names(out), (Strings{"P001.JPG", "P002.JPG"}));
  std::string make;
  RunCommand("exiftool -s -s -s -Make " + Q((out / "P002.JPG").string()), &make);
  EXPECT_EQ(make, "QuillCam\n");
  EXPECT_EQ(PictureSize(out / "P001.JPG"), "P6\n640 480");
  const fs::path album = home_.Path() / "novel_A";
  EXPECT_EQ(Names(album / "OLALB"), Strings{"ALBUM002.PVM"});
  EXPECT_EQ(RunCommand("xmllint --noout " + Q((album / "ALBUM.PVM").string()) + " " +
                       Q((album / "OLALB/ALBUM002.PVM").string())),
            0);
  EXPECT_NE(testsupport::ReadFile((album / "OLALB/ALBUM002.PVM").string()).find("P002.JPG"),
            std::string::npos);
}

TEST_F(ExportCli, ThumbnailExportReplacesTheThumbnails) {
  Cameras(3);
  std::string err;
  ASSERT_EQ(Cli("export " + Home() + " --exif " + Q(cameras_.Path().string()) +
                    " --thumbnail --count-thumbnail --mode turn --shift-right " + Q(text_),
                &err),
            0)
      << err;
  EXPECT_NE(err.find("文全体を右にずらすなら"), std::string::npos) << err;
  const fs::path out = home_.Path() / "novel_th";
  ASSERT_EQ(Names(out).size(), 3u);
  EXPECT_EQ(Size("exiftool -b -ThumbnailImage " + Q((out / "P003.JPG").string())), "P6\n160 120");
  EXPECT_FALSE(fs::exists(home_.Path() / "novel_th_A"));
}

TEST_F(ExportCli, RefusalsAndErrorsExitNonZero) {
  std::string err;
  EXPECT_EQ(
      Cli("export " + Home() + " --exif " + Q(cameras_.Path().string()) + " " + Q(text_), &err), 1);
  EXPECT_NE(err.find("Fileが見つかりません"), std::string::npos) << err;
  EXPECT_EQ(Cli("export --home " + Q(home_ / "missing") + " " + Q(text_), &err), 1);
  EXPECT_NE(err.find("を作成できません"), std::string::npos) << err;
  EXPECT_EQ(Cli("export " + Home() + " --album 3 " + Q(text_), &err), 2);
  EXPECT_EQ(Cli("export " + Home(), &err), 2);
}

TEST_F(ExportCli, CountCommands) {
  std::string err;
  ASSERT_EQ(Cli("count-images " + Home() + " --bold --gothic --quality 70 3", &err), 0) << err;
  EXPECT_EQ(Names(home_.Path() / "qui_count"),
            (Strings{"QU000001.jpg", "QU000002.jpg", "QU000003.jpg"}));
  EXPECT_EQ(PictureSize(home_.Path() / "qui_count/QU000003.jpg"), "P6\n640 480");
  EXPECT_NE(err.find("3枚のファイルを"), std::string::npos) << err;

  ASSERT_EQ(Cli("count-text " + Home() + " 4", &err), 0) << err;
  const std::string text = testsupport::ReadFile(home_ / "4.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 32);
  EXPECT_NE(text.find("\r\n             4\r\n"), std::string::npos);

  EXPECT_EQ(Cli("count-text " + Home() + " -1", &err), 2);
  EXPECT_EQ(Cli("count-text " + Home() + " 12345678", &err), 2);
  EXPECT_EQ(Cli("count-text --home " + Q(home_ / "missing") + " 2", &err), 1);
}

}  // namespace
