// quillane-cli export, count-images and count-text through the built program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "export/JpegCodec.h"
#include "tests/common/TestSupport.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::MainPicture;
using checks::Names;
using checks::Quote;
using checks::Strings;
using testsupport::RunCommand;
using testsupport::TempDir;

// Runs the tool; its stderr (the program's messages) goes to err.
int Cli(const std::string& args, std::string* err) {
  return RunCommand(testsupport::CliPath() + " " + args + " 2>&1 >/dev/null", err);
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
                           thumb + "' " + Quote(path)),
                0);
    }
  }
  std::string Home() const { return "--home " + Quote(home_.Path().string()); }

  TempDir home_, inputs_, cameras_;
  const std::string text_ = inputs_ / "novel.txt";
};

TEST_F(ExportCli, ExportWritesEveryPageWithTheViewOptions) {
  std::string err;
  ASSERT_EQ(Cli("export " + Home() + " --quality 50 " + Quote(text_), &err), 0) << err;
  EXPECT_NE(err.find("ミリ秒かかりました"), std::string::npos) << err;
  const fs::path pages = home_.Path() / "all_page/novel";
  EXPECT_EQ(Names(pages), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  EXPECT_EQ(MainPicture((pages / "nove0002.jpg").string()), "P6\n640 480");
  ASSERT_EQ(
      Cli("export " + Home() + " --qvga --horizontal --bg 0xFF0000 --fo 0xFFFFFF " + Quote(text_),
          &err),
      0)
      << err;
  EXPECT_EQ(MainPicture((pages / "nove0001.jpg").string()), "P6\n320 240");
  // The page background is the blue asked for (0xBBGGRR).
  checks::ExpectLastPixelNear("cat " + Quote((pages / "nove0001.jpg").string()), {0, 0, 255}, 29);
}

TEST_F(ExportCli, ExifExportWithAlbum) {
  Cameras(2);
  std::string err;
  ASSERT_EQ(Cli("export " + Home() + " --exif " + Quote(cameras_.Path().string()) + " --album 2 " +
                    Quote(text_),
                &err),
            0)
      << err;
  const fs::path out = home_.Path() / "novel";
  ASSERT_EQ(Names(out), (Strings{"P001.JPG", "P002.JPG"}));
  EXPECT_EQ(checks::Tag((out / "P002.JPG").string(), "Make"), "QuillCam");
  EXPECT_EQ(MainPicture((out / "P001.JPG").string()), "P6\n640 480");
  const fs::path album = home_.Path() / "novel_A";
  EXPECT_EQ(Names(album / "OLALB"), Strings{"ALBUM002.PVM"});
  EXPECT_EQ(RunCommand("xmllint --noout " + Quote((album / "ALBUM.PVM").string()) + " " +
                       Quote((album / "OLALB/ALBUM002.PVM").string())),
            0);
  EXPECT_NE(testsupport::ReadFile((album / "OLALB/ALBUM002.PVM").string()).find("P002.JPG"),
            std::string::npos);
}

TEST_F(ExportCli, RefusalsAndErrorsExitNonZero) {
  std::string err;
  EXPECT_EQ(
      Cli("export " + Home() + " --exif " + Quote(cameras_.Path().string()) + " " + Quote(text_),
          &err),
      1);
  EXPECT_NE(err.find("Fileが見つかりません"), std::string::npos) << err;
  // A --home that cannot hold the outputs is told with its own reason.
  EXPECT_EQ(Cli("export --home " + Quote(home_ / "missing") + " " + Quote(text_), &err), 1);
  EXPECT_NE(err.find("missing: No such file or directory"), std::string::npos) << err;
  EXPECT_EQ(Cli("count-text --home " + Quote(text_) + " 2", &err), 1);
  EXPECT_NE(err.find("novel.txt: Not a directory"), std::string::npos) << err;
  EXPECT_EQ(Cli("export " + Home() + " --album 3 " + Quote(text_), &err), 2);
  EXPECT_EQ(Cli("export " + Home(), &err), 2);
}

TEST_F(ExportCli, CountCommands) {
  std::string err;
  ASSERT_EQ(Cli("count-images " + Home() + " --bold --gothic --quality 70 3", &err), 0) << err;
  EXPECT_EQ(Names(home_.Path() / "qui_count"),
            (Strings{"QU000001.jpg", "QU000002.jpg", "QU000003.jpg"}));
  EXPECT_EQ(MainPicture((home_.Path() / "qui_count/QU000003.jpg").string()), "P6\n640 480");
  EXPECT_NE(err.find("3枚のファイルを"), std::string::npos) << err;
  ASSERT_EQ(Cli("count-text " + Home() + " 4", &err), 0) << err;
  const std::string text = testsupport::ReadFile(home_ / "4.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 32);
  EXPECT_NE(text.find("\r\n             4\r\n"), std::string::npos);
  for (const char* bad : {" -1", " 12345678"})
    EXPECT_EQ(Cli("count-text " + Home() + bad, &err), 2);
}

// An Exif export whose templates lie in its own output folder would replace the
// photographs it reads: refused, every photograph unchanged.
TEST_F(ExportCli, AnExifExportIntoItsOwnTemplateFolderIsRefused) {
  Cameras(1);
  const std::string camera = testsupport::ReadFile(cameras_.Path() / "P001.JPG");
  for (const std::string folder : {"novel", "novel_th"}) {
    SCOPED_TRACE(folder);
    const fs::path own = home_.Path() / folder;
    fs::create_directories(own);
    fs::copy_file(cameras_.Path() / "P001.JPG", own / "P001.JPG");
    std::string err;
    EXPECT_EQ(Cli("export " + Home() + (folder == "novel" ? "" : " --thumbnail") + " --exif " +
                      Quote(own.string()) + " " + Quote(text_),
                  &err),
              1);
    EXPECT_NE(err.find("入力ファイルそのもの"), std::string::npos) << err;
    EXPECT_EQ(testsupport::ReadFile(own / "P001.JPG"), camera);
  }
}

// Thumbnails are replaced; templates whose thumbnail cannot be replaced keep
// it, and one note at the end names them; the album manifests stay
// well-formed for any file name.
TEST_F(ExportCli, ThumbnailExportNotesKeptThumbnailsOnceAndAlbumsEscapeNames) {
  Cameras(3);
  const std::string odd = "a&b'<c>\".JPG", sjis = "\x83\x65.JPG";
  fs::rename(cameras_.Path() / "P001.JPG", cameras_.Path() / odd);
  fs::rename(cameras_.Path() / "P002.JPG", cameras_.Path() / sjis);
  ASSERT_EQ(RunCommand("exiftool -q -overwrite_original -ThumbnailImage= " +
                       Quote((cameras_.Path() / odd).string()) + " " +
                       Quote((cameras_.Path() / sjis).string())),
            0);
  std::string err;
  ASSERT_EQ(
      Cli("export " + Home() + " --exif " + Quote(cameras_.Path().string()) +
              " --thumbnail --count-thumbnail --mode turn --shift-right --album 2 " + Quote(text_),
          &err),
      0)
      << err;
  EXPECT_NE(err.find("文全体を右にずらすなら"), std::string::npos) << err;
  EXPECT_EQ(Names(home_.Path() / "novel_th").size(), 3u);
  EXPECT_EQ(checks::Thumbnail((home_.Path() / "novel_th/P003.JPG").string()), "P6\n160 120");
  const auto note = err.find("2ページはサムネイルを入れ替えられず");
  ASSERT_NE(note, std::string::npos) << err;
  EXPECT_EQ(err.find("ページはサムネイル", note + 2), std::string::npos) << err;
  EXPECT_NE(err.find(odd), std::string::npos) << err;
  const fs::path album = home_.Path() / "novel_th_A/OLALB/ALBUM002.PVM";
  EXPECT_EQ(RunCommand("xmllint --noout " + Quote(album.string())), 0);
  const std::string manifest = testsupport::ReadFile(album);
  EXPECT_NE(manifest.find("/a&amp;b&apos;&lt;c&gt;&quot;.JPG<"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("/%83e.JPG<"), std::string::npos) << manifest;
}

}  // namespace
