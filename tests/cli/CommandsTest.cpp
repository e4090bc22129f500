// The commands of quillane-cli, run through the built program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::MainPicture;
using checks::Names;
using checks::Quote;
using checks::Strings;
using testsupport::Repeat;
using testsupport::RunCommand;
using testsupport::TempDir;
using testsupport::WriteFile;

// Runs the tool; its stderr (the program's messages) goes to out, or its stdout with kStdout.
constexpr const char* kStdout = " 2>/dev/null";
int Cli(const std::string& args, std::string* out, const char* keep = " 2>&1 >/dev/null") {
  return RunCommand(testsupport::CliPath() + " " + args + keep, out);
}

TEST(TextCommandsTest, RowsAndPagesFollowTheChosenSetWidthModeAndEncoding) {
  TempDir dir;
  WriteFile(dir / "a.txt", Repeat("\x8a\xbf", 20) + "\r\n\r\nabc");
  WriteFile(dir / "p.txt", Repeat("\x8a\xbf", 18) + ")" + Repeat("\x8a\xbf", 2) + "\r\n");
  WriteFile(dir / "x.txt", std::string(40, 'x'));
  WriteFile(dir / "e.txt", "\xC6\xFC\xCB\xDC\r\n");  // 日本 in EUC-JP
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "a.txt", "S " + Repeat("8abf", 18) + "\nE 8abf8abf\nE \nU 616263\n"},
      // The built-in text's set pushes the last 漢 down with ")".
      {"--editor 2 ", "p.txt", "S " + Repeat("8abf", 17) + "\nE 8abf298abf8abf\n"},
      {"--width 10 ", "x.txt", "S " + Repeat("78", 20) + "\nU " + Repeat("78", 20) + "\n"},
      {"--encoding euc-jp ", "e.txt", "E 93fa967b\n"}};
  std::string out;
  for (const auto& [options, file, rows] : cases) {
    ASSERT_EQ(Cli("rows " + options + dir / file, &out, kStdout), 0) << options;
    EXPECT_EQ(out, rows) << options;
  }
  // Pages: tags stripped and characters replaced, every row a line, the last
  // page padded (13 columns, 8 turned); a named encoding overrides the detection.
  WriteFile(dir / "p.html",
            "<b>a\x81\x46</b>\tz\r\n" + std::string(40, 'w') + "\r\n" + Repeat("ab\r\n", 25));
  const std::string rows = "61203a20" + Repeat("8140", 4) + "7a\n" + Repeat("77", 36) +
                           "\n77777777\n" + Repeat("6162\n", 25);  // every row a line
  ASSERT_EQ(Cli("pages " + dir / "p.html", &out, kStdout), 0);
  EXPECT_EQ(out, "pages 3\n" + rows + Repeat("8140\n", 11));
  ASSERT_EQ(Cli("pages --mode turn " + dir / "p.html", &out, kStdout), 0);
  EXPECT_EQ(out.substr(0, 8) + std::to_string(std::count(out.begin(), out.end(), '\n')),
            "pages 4\n33");  // 28 rows at the narrower width
  // 日本 in EUC-JP is read as such when named and when detected; named
  // Shift-JIS, it is kept byte for byte.
  const std::string named = "pages 1\n93fa967b\n" + Repeat("8140\n", 12);
  for (const char* option : {"--encoding euc-jp ", ""}) {
    ASSERT_EQ(Cli(std::string("pages ") + option + dir / "e.txt", &out, kStdout), 0);
    EXPECT_EQ(out, named) << option;
  }
  ASSERT_EQ(Cli("pages --encoding sjis " + dir / "e.txt", &out, kStdout), 0);
  EXPECT_EQ(out.substr(0, 17), "pages 1\nc6fccbdc\n");
  // A carried character wraps as any full-width one; --text shows it as itself.
  WriteFile(dir / "u.txt", Repeat("頰", 19) + "と𠮷\r\n");
  const std::tuple<std::string, std::string> carried[] = {
      {"rows ", "S " + Repeat("f040", 18) + "\nE f04082c6f041\n"},
      {"rows --text ", "S " + Repeat("頰", 18) + "\nE 頰と𠮷\n"},
      {"pages --text ", "pages 1\n" + Repeat("頰", 18) + "\n頰と𠮷\n" + Repeat("　\n", 11)}};
  for (const auto& [command, printed] : carried) {
    ASSERT_EQ(Cli(command + dir / "u.txt", &out, kStdout), 0) << command;
    EXPECT_EQ(out, printed) << command;
  }
}

// What is no text, or an archive without a readable one, is refused in words
// by every command that reads a text.
TEST(TextCommandsTest, BinaryFilesAndUnreadableArchivesAreRefusedInWords) {
  TempDir dir;
  WriteFile(dir / "picture.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  WriteFile(dir / "empty.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  WriteFile(dir / "broken.zip", "PK\x03\x04 not really");
  const std::string binary = "テキストではありません (NUL バイトを含みます)";
  const std::pair<std::string, std::string> cases[] = {
      {"rows " + dir / "picture.txt", binary},
      {"render " + dir / "picture.txt" + " --out " + dir / "p.png", binary},
      {"pages " + dir / "empty.zip", "ZIP の中にテキスト (.txt, .htm, .html) がありません"},
      {"export --home " + dir.Path().string() + " " + dir / "broken.zip",
       "ZIP ファイルとして読めません"}};
  for (const auto& [args, message] : cases) {
    SCOPED_TRACE(args);
    std::string err;
    EXPECT_EQ(Cli(args, &err), 1);
    EXPECT_NE(err.find(message), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir / "p.png") || fs::exists(dir / "all_page"));
  }
}

// A book: read as one when it looks like one (or always, or never), an HTML
// page's <ruby> with it; off, the text is exactly as it was.
TEST(TextCommandsTest, BooksAreReadAsBooksUnlessTheSwitchIsOff) {
  TempDir dir;
  WriteFile(dir / "b.txt",
            testsupport::Sjis("題\r\n\r\n本文《ほんぶん》\r\n［＃改ページ］\r\n次\r\n"));
  WriteFile(dir / "r.html", "<p><ruby>漢字<rp>(</rp><rt>かんじ</rt><rp>)</rp></ruby>です</p>");
  const std::string sample = QUILLANE_SOURCE_DIR "/tests/text/data/notation-sample.txt";
  const std::tuple<std::string, std::string> cases[] = {
      {"pages --text " + dir / "b.txt",
       "pages 2\n題\n\n本文\n" + Repeat("　\n", 10) + "次\n" + Repeat("　\n", 12)},
      {"pages --text --aozora off " + dir / "b.txt",
       "pages 1\n題\n\n本文《ほんぶん》\n［＃改ページ］\n次\n" + Repeat("　\n", 8)},
      {"rows --text --aozora on " + dir / "b.txt", "E 題\nE \nE 本文\nE 次\n"},
      {"pages --text " + dir / "r.html", "pages 1\n漢字です\n" + Repeat("　\n", 12)},
      {"pages --text --aozora off " + dir / "r.html",
       "pages 1\n漢字(かんじ)です\n" + Repeat("　\n", 12)},
      {"pages --headings --mode turn " + sample, "pages 192\n4\t文明論之概略　巻之一\n"}};
  std::string out;
  for (const auto& [args, printed] : cases) {
    SCOPED_TRACE(args);
    ASSERT_EQ(Cli(args, &out, kStdout), 0);
    EXPECT_EQ(out.substr(0, printed.size()), printed);
  }
  // No page of the notation's own sample shows a piece of notation.
  ASSERT_EQ(Cli("pages --text " + sample, &out, kStdout), 0);
  EXPECT_EQ(out.find("［＃"), std::string::npos);
  EXPECT_EQ(Cli("pages --aozora yes " + sample, &out), 2);
  EXPECT_NE(out.find("--aozora takes auto, on or off"), std::string::npos) << out;
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
    testsupport::WriteFile(thumb, fixtures::PlainJpeg(160, 120, RGBColor(0, 200, 0)));
    for (int i = 1; i <= count; ++i) {
      const std::string path = (cameras_.Path() / ("P00" + std::to_string(i) + ".JPG")).string();
      testsupport::WriteFile(path, fixtures::PlainJpeg(320, 240, RGBColor(200, 0, 0)));
      const std::string tags = "-Make=QuillCam -Model=QC-2 '-ThumbnailImage<=" + thumb + "' ";
      ASSERT_EQ(RunCommand("exiftool -q -overwrite_original " + tags + Quote(path)), 0);
    }
  }
  std::string Home() const { return "--home " + Quote(home_.Path().string()); }

  TempDir home_, inputs_, cameras_;
  const std::string text_ = inputs_ / "novel.txt";
};

TEST_F(ExportCli, ExportAndCountCommandsWriteTheirFiles) {
  std::string err;
  const std::string view = " --quality 50 --qvga --horizontal --bg 0xFF0000 --fo 0xFFFFFF ";
  std::string out;
  ASSERT_EQ(Cli("export " + Home() + view + Quote(text_), &out, kStdout), 0);
  const fs::path pages = home_.Path() / "all_page/novel";
  EXPECT_EQ(out, "wrote 3 pages to " + pages.string() + "/\n");
  EXPECT_EQ(Names(pages), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  EXPECT_EQ(MainPicture((pages / "nove0002.jpg").string()), "P6\n320 240");
  // The page background is the blue asked for (0xBBGGRR).
  checks::ExpectLastPixelNear("cat " + Quote((pages / "nove0001.jpg").string()), {0, 0, 255}, 29);
  ASSERT_EQ(Cli("count-images " + Home() + " --bold --gothic --quality 70 3", &err), 0) << err;
  EXPECT_EQ(Names(home_.Path() / "qui_count"),
            (Strings{"QU000001.jpg", "QU000002.jpg", "QU000003.jpg"}));
  EXPECT_EQ(MainPicture((home_.Path() / "qui_count/QU000003.jpg").string()), "P6\n640 480");
  EXPECT_NE(err.find("3枚のファイルを"), std::string::npos) << err;
  ASSERT_EQ(Cli("count-text " + Home() + " 4", &err), 0) << err;
  const std::string counted = testsupport::ReadFile(home_ / "4.txt");
  EXPECT_EQ(std::count(counted.begin(), counted.end(), '\n'), 32);
  EXPECT_NE(counted.find("\r\n             4\r\n"), std::string::npos);
}

// Errors exit 1 with their reason (a --home that cannot hold the outputs says
// why); bad usage exits 2.
TEST_F(ExportCli, RefusalsAndErrorsExitNonZero) {
  const std::string text = " " + Quote(text_);
  const std::pair<std::string, std::string> cases[] = {
      {"export " + Home() + " --exif " + Quote(cameras_.Path().string()) + text,
       "Fileが見つかりません"},
      {"export --home " + Quote(text_ + "/sub") + text, "sub を作成できません Not a directory"},
      {"count-text --home " + Quote(text_) + " 2", "novel.txt を作成できません Not a directory"},
      {"pages " + Quote(home_ / "none.txt"), "quillane-cli pages: "},
      {"rows " + Quote(home_ / "none.txt"), "quillane-cli rows: "}};
  std::string err;
  for (const auto& [args, reason] : cases) {
    EXPECT_EQ(Cli(args, &err), 1) << args;
    EXPECT_NE(err.find(reason), std::string::npos) << err;
    // A missing text is told on one line that names the command.
    EXPECT_TRUE(!reason.starts_with("quillane-cli") || std::ranges::count(err, '\n') == 1) << err;
  }
  for (const std::string& usage :
       {"export " + Home() + " --album 3" + text, "export " + Home(),
        "count-text " + Home() + " -1", "count-text " + Home() + " 12345678",
        "rows --editor 3" + text, "rows --width wide" + text, "rows --bogus" + text,
        "rows --encoding latin1" + text, std::string("rows"), "pages --mode tiny" + text})
    EXPECT_EQ(Cli(usage, &err), 2) << usage;
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

// Pages carry the camera tags and a new thumbnail; templates whose thumbnail
// cannot be replaced keep it, and one note at the end names them; the album
// manifests stay well-formed for any file name.
TEST_F(ExportCli, ThumbnailExportNotesKeptThumbnailsOnceAndAlbumsEscapeNames) {
  Cameras(3);
  const std::string odd = "a&b'<c>\"%41.JPG", sjis = "\x83\x65.JPG";
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
  // The questions the options answer are not printed.
  EXPECT_EQ(err.find("文全体を右にずらすなら"), std::string::npos) << err;
  EXPECT_EQ(Names(home_.Path() / "novel_th").size(), 3u);
  const std::string kept = (home_.Path() / "novel_th/P003.JPG").string();
  EXPECT_EQ(checks::Thumbnail(kept), "P6\n160 120");
  EXPECT_EQ(MainPicture(kept), "P6\n640 480");
  EXPECT_EQ(checks::Tag(kept, "Make"), "QuillCam");
  const auto note = err.find("2ページはサムネイルを入れ替えられず");
  ASSERT_NE(note, std::string::npos) << err;
  EXPECT_EQ(err.find("ページはサムネイル", note + 2), std::string::npos) << err;
  EXPECT_NE(err.find(odd), std::string::npos) << err;
  const fs::path albums = home_.Path() / "novel_th_A", album = albums / "OLALB/ALBUM002.PVM";
  EXPECT_EQ(Names(albums / "OLALB"), Strings{"ALBUM002.PVM"});
  EXPECT_EQ(RunCommand("xmllint --noout " + Quote(album.string()) + " " +
                       Quote((albums / "ALBUM.PVM").string())),
            0);
  const std::string manifest = testsupport::ReadFile(album);
  EXPECT_NE(manifest.find("/a&amp;b&apos;&lt;c&gt;&quot;%2541.JPG<"), std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("/%83e.JPG<"), std::string::npos) << manifest;
}

}  // namespace
