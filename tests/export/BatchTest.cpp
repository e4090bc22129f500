// Batch export driven as a user would (buttons, dialogs and Break through the
// headless platform), the page writers and single saves, the album manifests
// and the count pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "export/Count.h"
#include "export/CountThumb.h"
#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/Ink.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;
using checks::EndsWith;
using checks::ExpectPictures;
using checks::Names;
using checks::Numbered;
using checks::Quote;
using checks::Strings;

const std::string kBreak = "処理を中断します";
const std::string kPasted = "貼り付けたファイルを保存して下さい";
const std::string kNoFile = "ファイルがありませんので中断します";

class Batch : public FormTest {
 protected:
  // Opens a text of the given number of pages (13 one-column rows a page).
  void OpenPages(int pages) {
    OpenFile(WriteRows("novel.txt", pages * 13));
    ASSERT_EQ(F().FAllPage, pages);
    platform->Messages.clear();
    platform->DialogsShown.clear();
    platform->Sounds.clear();
  }
  // Camera files P0000001.JPG ... and their folder as the next dialog's answer.
  void Cameras(int count) {
    for (const auto& name : Numbered("P%07d.JPG", 1, count))
      testsupport::WriteFile(cameras / name, fixtures::MakeCameraJpeg().Bytes);
    platform->FileAnswers.push_back(cameras.Path().string());
  }
  void Click(void (TForm1::*handler)()) {
    F().Dispatch([&] { (F().*handler)(); });
  }
  void ExpectIdle() {
    EXPECT_FALSE(F().FBusy || F().FBatchSave || F().FBatchExif || F().FBatchThumb ||
                 F().FShiftRight || !F().FExifFiles.empty());
  }
  fs::path Folder(const char* name) const { return dir.Path() / name; }
  fs::path PageFolder() const { return dir.Path() / "all_page" / "novel"; }

  testsupport::TempDir cameras;
};

TEST_F(Batch, PlainBatchWritesEveryPageThenShowsTheLast) {
  for (bool qvga : {false, true}) {
    SCOPED_TRACE(qvga);
    fs::remove_all(dir.Path() / "all_page");
    OpenPages(3);
    F().FPage = 2;
    F().QvgaCheckBox.Checked = qvga;
    F().JQualityUpDown.Position = 60;
    Click(&TForm1::SaveAllButtonClick);
    ExpectPictures(PageFolder(), Numbered("nove%04d.jpg", 1, 3),
                   qvga ? "P6\n320 240" : "P6\n640 480");
    // A JFIF file; the base table's 16 scaled to 80 % at quality 60.
    EXPECT_EQ(testsupport::ReadFile(PageFolder() / "nove0003.jpg").substr(0, 4),
              "\xFF\xD8\xFF\xE0");
    EXPECT_EQ(checks::FirstQuantValue(PageFolder() / "nove0003.jpg"), 13);
    // The pages follow the text.
    EXPECT_NE(testsupport::ReadFile(PageFolder() / "nove0001.jpg"),
              testsupport::ReadFile(PageFolder() / "nove0002.jpg"));
    // The time of three pages, each after a pause of 10 ms on the virtual clock.
    EXPECT_EQ(platform->MessageTexts(), Strings{"30ミリ秒かかりました"});
    EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
    EXPECT_EQ(F().Label1.Caption, "3");
    ExpectIdle();
  }
}

TEST_F(Batch, RefusalsTellWhy) {
  OpenPages(3);
  F().FPage = 2;
  F().FTextName = "Clipboard";  // refused before the view is reset
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(F().FPage, 2);
  F().FTextName.clear();  // refused after the reset to page one
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(F().FPage, 1);
  Click(&TForm1::SaveAllInButtonClick);
  F().FTextName = dir / "novel.txt";
  Click(&TForm1::SaveAllInButtonClick);  // folder dialog cancelled
  testsupport::WriteFile(cameras / "photo.Jpg", "x");
  platform->FileAnswers.push_back(cameras.Path().string());
  Click(&TForm1::SaveAllThumbInButtonClick);
  EXPECT_EQ(platform->MessageTexts(),
            (Strings{kPasted, kNoFile, kNoFile, "ディレクトリを選択して下さい",
                     cameras.Path().string() + " を選択しました", "Fileが見つかりません"}));
  EXPECT_EQ(Names(dir.Path()), Strings{"novel.txt"});
}

TEST_F(Batch, BreakOrACloseStopsBeforeTheNextPageAndKeepsThePagesWritten) {
  using Handler = void (TForm1::*)();
  struct Case {
    Handler Button;
    const char* Pages;
    bool Close;  // a close leaves without the break box, the time or the album question
  };
  for (const Case& c : {Case{&TForm1::SaveAllButtonClick, "all_page/novel", false},
                        {&TForm1::SaveAllButtonClick, "all_page/novel", true},
                        {&TForm1::SaveAllInButtonClick, "novel", true},
                        {&TForm1::SaveAllThumbInButtonClick, "novel_th", true}}) {
    SCOPED_TRACE(std::string(c.Pages) + (c.Close ? " close" : " Break"));
    fs::remove_all(dir.Path() / c.Pages);
    OpenPages(6);
    if (c.Button != &TForm1::SaveAllButtonClick) Cameras(6);
    F().FCloseRequested = false;
    platform->Answers = {MsgResult::No};  // would write the album if asked
    // It comes while the batch waits after page 2: the step under way still writes page 3.
    platform->EventHook = [&] {
      if (!F().FBusy || Names(dir.Path() / c.Pages).size() != 2) return;
      c.Close ? F().CloseRequest() : F().BreakButtonClick();
    };
    Click(c.Button);
    EXPECT_EQ(Names(dir.Path() / c.Pages).size(), 3u);
    Strings texts = platform->MessageTexts();  // beyond the chosen folder
    std::erase_if(texts, [](const std::string& t) { return EndsWith(t, " を選択しました"); });
    EXPECT_EQ(texts.size(), c.Close ? 0u : 2u);
    EXPECT_TRUE(c.Close || (texts.size() == 2 && texts[0] == kBreak &&
                            EndsWith(texts[1], "ミリ秒かかりました")));
    EXPECT_EQ(platform->Sounds, c.Close ? Strings{} : Strings{"click05a.wav"});
    EXPECT_EQ(platform->Answers.size(), 1u) << "the album question was asked";
    ExpectIdle();
  }
}

TEST_F(Batch, UnwritableFoldersShowTheErrorAndClearTheFlags) {
  struct Case {
    const char* Blocked;  // a file where the output folder should be
    bool Exif;            // an Exif batch in Turn mode, shifted right
    const char* Error;
  };
  for (const Case& c : {Case{"all_page", false, "all_page を作成できません\nNot a directory"},
                        Case{"novel", true, "novel を作成できません\nNot a directory"}}) {
    SCOPED_TRACE(c.Blocked);
    OpenPages(3);
    if (c.Exif) Cameras(3);
    testsupport::WriteFile(dir / c.Blocked, "x");
    F().TurnCheckBox.Checked = c.Exif;
    platform->Answers = {MsgResult::No};
    Click(c.Exif ? &TForm1::SaveAllInButtonClick : &TForm1::SaveAllButtonClick);
    ASSERT_EQ(platform->Errors.size(), 1u);
    EXPECT_NE(platform->Errors[0].find(c.Error), std::string::npos) << platform->Errors[0];
    EXPECT_EQ(platform->Messages.size(), c.Exif ? 1u : 0u);  // the shift question only
    EXPECT_TRUE(platform->Sounds.empty());
    ExpectIdle();
    // No temporary file is left beside the folder either.
    for (const auto& name : Names(dir.Path())) EXPECT_FALSE(EndsWith(name, ".part")) << name;
    platform->Errors.clear();
    fs::remove(dir / c.Blocked);
  }
}

TEST_F(Batch, ExifBatchPairsPagesWithTemplatesUntilEitherRunsOut) {
  OpenPages(12);
  Cameras(5);
  // Only these endings, exactly, and no folder are templates, taken in name order.
  fs::rename(cameras / "P0000005.JPG", cameras / "P0000005.jpeg");
  for (const char* name : {"B.jpe", "C.Jpg", "A.jpg/P.jpg"})
    testsupport::WriteFile(cameras / name, "x");
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(platform->DialogsShown, Strings{"directory"});
  Strings names = Numbered("P%07d.JPG", 1, 4);
  names.push_back("P0000005.jpeg");
  ExpectPictures(Folder("novel"), names, "P6\n640 480");
  for (const auto& name : Names(Folder("novel")))
    EXPECT_EQ(checks::Tag((Folder("novel") / name).string(), "Make"), "QuillCam") << name;
  // 300 ms before the loop is not counted; five pages of 10 ms are.
  EXPECT_EQ(platform->MessageTexts(), (Strings{cameras.Path().string() + " を選択しました",
                                               "50ミリ秒かかりました\n作業は完了しました"}));
  EXPECT_EQ(platform->Messages[1].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(platform->Sounds, Strings{"iky1b_8b.wav"});
  EXPECT_EQ(F().FPage, 5);
  EXPECT_FALSE(fs::exists(Folder("novel_A")));
  ExpectIdle();

  // In Turn mode (set after the text is open) the folder message asks whether to
  // shift the text right; No shifts it for the batch. The surplus templates stay unused.
  fs::remove_all(Folder("novel"));
  OpenPages(3);
  Cameras(7);
  F().TurnCheckBox.Checked = true;
  bool shiftedDuringBatch = false;
  platform->EventHook = [&] { shiftedDuringBatch |= F().FBusy && F().FShiftRight; };
  platform->Answers = {MsgResult::No};
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(Names(Folder("novel")), Numbered("P%07d.JPG", 1, 3));
  EXPECT_EQ(F().FBatchLastPage, 3);
  EXPECT_EQ(platform->Messages.at(0).Text,
            cameras.Path().string() +
                " を選択しました\n 　\n通常は「はい」を押して続行して下さい\n"
                "文全体を右にずらすなら「いいえ」を押して下さい");
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_TRUE(shiftedDuringBatch);
  ExpectIdle();
}

TEST_F(Batch, TemplateWithoutExifEndsTheBatchThere) {
  OpenPages(4);
  Cameras(3);
  testsupport::WriteFile(cameras / "P0000002.JPG", fixtures::PlainJpeg(64, 48, clWhite));
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(Names(Folder("novel")), Strings{"P0000001.JPG"});
  const Strings texts = platform->MessageTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[1], "Exif情報が見つかりませんでした");
  EXPECT_EQ(texts[2], kBreak);
  EXPECT_TRUE(EndsWith(texts[3], "\n作業は完了しました"));
  ExpectIdle();
}

// A template without Exif skips its page; one whose thumbnail cannot be replaced
// keeps it, and the end tells so once.
TEST_F(Batch, ThumbnailBatchWritesIntoItsOwnFolderAndNoWritesTheAlbum) {
  OpenPages(4);
  Cameras(4);
  testsupport::WriteFile(cameras / "P0000002.JPG", fixtures::PlainJpeg(64, 48, clWhite));
  fixtures::CameraOptions uncompressed;
  uncompressed.Compression = 1;
  testsupport::WriteFile(cameras / "P0000003.JPG", fixtures::MakeCameraJpeg(uncompressed).Bytes);
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  platform->NumberAnswers = {2};
  F().CountCheckBox.Checked = true;
  Click(&TForm1::SaveAllThumbInButtonClick);
  ExpectPictures(Folder("novel_th"), Strings{"P0000001.JPG", "P0000003.JPG", "P0000004.JPG"},
                 "P6\n640 480");
  const Strings texts = platform->MessageTexts();
  ASSERT_EQ(texts.size(), 5u);  // the folder, the two notes, the time, the album
  EXPECT_EQ(texts[1], "Exif情報が見つかりませんでした");
  EXPECT_EQ(texts[2], std::string("1") + kMsgKeptThumbs + "\nP0000003.JPG");
  const std::string last = Folder("novel_th") / "P0000004.JPG";
  EXPECT_EQ(checks::Tag(last, "Make"), "QuillCam");
  EXPECT_EQ(checks::Thumbnail(last), "P6\n160 120");
  // The page number, black on white, in place of the camera's green thumbnail.
  checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + Quote(last), {255, 255, 255}, 19);
  EXPECT_EQ(platform->Sounds, Strings{"ksl5a_8.wav"});
  EXPECT_FALSE(fs::exists(Folder("novel")));
  EXPECT_TRUE(fs::exists(Folder("novel_th_A/ALBUM.PVM")));
  EXPECT_TRUE(fs::exists(Folder("novel_th_A/OLALB/ALBUM002.PVM")));
  ExpectIdle();
}

// The page writers and the two single saves of the page view.

using checks::MainPicture;

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

TEST_F(PageFiles, SingleSavesWriteTheViewAndNothingHappensWhenCancelled) {
  form_.JQualityUpDown.Position = 60;
  form_.Image1.Picture.Fill(RGBColor(1, 2, 3));
  const std::string jpeg = dir_ / "view.jpg", path = dir_ / "view.bmp";
  p_.FileAnswers = {jpeg, path, std::nullopt, std::nullopt};
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  form_.Dispatch([&] { form_.BitsaveClick(); });
  EXPECT_EQ(p_.DialogOptions.at(0).DefaultExt, "jpg");
  EXPECT_EQ(p_.DialogOptions.at(1).DefaultExt, "bmp");
  EXPECT_EQ(MainPicture(jpeg), "P6\n640 480");
  EXPECT_EQ(checks::FirstQuantValue(jpeg), 2);  // quality 95, not the batch's: 16 x 10 %, rounded
  const std::string bmp = testsupport::ReadFile(path);
  // The view's pixels, blue, green, red (row order: the command-line render's BMP).
  ASSERT_EQ(bmp.size(), 54u + 640 * 480 * 3);
  EXPECT_EQ(bmp.substr(54, 3), std::string("\x03\x02\x01", 3));
  fs::remove(path);
  fs::remove(jpeg);
  form_.Dispatch([&] { form_.BitsaveClick(); });
  form_.Dispatch([&] { form_.JpegButtonClick(); });
  EXPECT_EQ(p_.DialogsShown.size(), 4u);
  EXPECT_TRUE(Names(dir_.Path()).empty());
  EXPECT_TRUE(p_.Errors.empty());
}

// The camera album manifests, compared line by line with lines built from the
// album rules, and checked by xmllint.

using Lines = std::vector<std::string>;

const Lines kHead = {
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<file:Manifest xmlns:file="http://ns.osta.org/manifest/1.0/" )"
    R"(xmlns:mpv="http://ns.osta.org/mpv/1.0/" xmlns:mpvb="http://ns.osta.org/mpv/basic/1.0/" )"
    R"(xmlns:nmf="http://ns.osta.org/nmf/1.0/">)",
    "\t<nmf:Metadata>",
    "\t\t<file:ManifestProperties>",
    "\t\t\t<Profile>http://ns.osta.org/mpv/basic/1.0/</Profile>",
    "\t\t</file:ManifestProperties>",
    "\t\t<Properties xmlns=\"http://purl.org/dc/elements/1.1/\">",
    "\t\t\t<creator>OLYMPUS-V1.0.0</creator>",
    "\t\t</Properties>",
    "\t</nmf:Metadata>",
    "\t<mpv:AssetList>",
};
const Lines kTail = {"\t</mpv:AssetList>", "</file:Manifest>"};
const std::string kAskAlbum = "OLYMPUS ALBUM file を作成します\n最初のアルバムを選んでください\n";
const std::string kBeyond = "総ページ数を超えることは出来ませんので、終了します。";

std::string CameraName(int picture) {
  return Numbered("PA%06d.JPG", picture, picture)[0];
}

// A manifest listing {id, address} pairs as elements of one kind.
Lines Manifest(const std::string& kind, const std::vector<std::pair<int, std::string>>& items) {
  Lines lines = kHead;
  for (const auto& [id, url] : items) {
    char open[64];
    std::snprintf(open, sizeof open, "\t\t<mpv:%s mpv:id=\"OLY-%08X\">", kind.c_str(), id);
    lines.insert(lines.end(),
                 {open, "\t\t\t<mpv:LastURL>" + url + "</mpv:LastURL>", "\t\t</mpv:" + kind + ">"});
  }
  lines.insert(lines.end(), kTail.begin(), kTail.end());
  return lines;
}

class Albums : public PageFiles {
 protected:
  void SetUp() override {
    PageFiles::SetUp();
    form_.FSaveName = "novel";
    form_.FOutDir.clear();
  }

  // Runs WriteAlbum after a batch of 'pictures' pages, answering Yes and entering
  // 'entered' (std::nullopt: the dialog closed without OK).
  void Write(int pictures, std::optional<double> entered) {
    p_.Messages.clear();
    form_.FExifFiles.clear();
    for (int i = 1; i <= pictures + 5; ++i)
      form_.FExifFiles.push_back("/media/card/DCIM/100OLYMP/" + CameraName(i));
    form_.FBatchLastPage = pictures;
    p_.Answers = {MsgResult::Yes};
    p_.NumberAnswers.clear();
    if (entered) p_.NumberAnswers = {*entered};
    form_.Dispatch([&] { form_.WriteAlbum("_A"); });
  }

  fs::path Root() const { return dir_.Path() / "novel_A"; }

  // The file's lines, each ending in CR LF; xmllint must accept the file.
  Lines Read(const fs::path& path) {
    std::string out;
    EXPECT_EQ(checks::Run("xmllint --noout " + checks::Quote(path.string()), &out), 0) << out;
    std::string bytes = testsupport::ReadFile(path.string());
    EXPECT_TRUE(checks::EndsWith(bytes, ">\r\n"));
    Lines lines;
    for (std::size_t end; (end = bytes.find("\r\n")) != std::string::npos; bytes.erase(0, end + 2))
      lines.push_back(bytes.substr(0, end));
    EXPECT_EQ(bytes.find('\n'), std::string::npos) << path;
    return lines;
  }

  // Albums {number, first picture, last picture}, each picture in the slot it
  // takes on the camera card (1 to 100 within its hundred), and the master
  // linking them (album one under id 13).
  void ExpectAlbums(const std::vector<std::array<int, 3>>& albums) {
    Lines names;
    std::vector<std::pair<int, std::string>> links;
    for (const auto& [n, first, last] : albums) {
      names.push_back(Numbered("ALBUM%03d.PVM", n, n)[0]);
      links.push_back({n == 1 ? 13 : n, "OLALB/" + names.back()});
      std::vector<std::pair<int, std::string>> stills;
      for (int i = first; i <= last; ++i)
        stills.push_back({(i - 1) % 100 + 1, "../DCIM/100OLYMP/" + CameraName(i)});
      EXPECT_EQ(Read(Root() / "OLALB" / names.back()), Manifest("Still", stills)) << n;
    }
    EXPECT_EQ(checks::Names(Root() / "OLALB"), names);
    EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Manifest("ManifestLink", links));
  }
};

TEST_F(Albums, FirstAlbumDecidesWhereEachPictureGoes) {
  struct Case {
    int Pictures;
    std::optional<double> Entered;
    std::vector<std::array<int, 3>> Albums;  // empty: refused, nothing beyond the last page
  };
  const std::vector<Case> cases = {
      {250, 1, {{1, 101, 200}, {2, 201, 250}}},  // one skips the first hundred
      {250, 5, {{5, 1, 100}, {6, 101, 200}, {7, 201, 250}}},
      {250, 150, {{1, 150, 200}, {2, 201, 250}}},
      {250, 101, {{1, 1, 100}, {2, 101, 200}, {3, 201, 250}}},
      {250, 12, {{12, 1, 100}}},  // album twelve is the last
      {200, 2, {{2, 1, 100}, {3, 101, 200}}},
      {30, 3.99, {{3, 1, 30}}},  // the fraction is cut off
      {150, 0, {{1, 101, 150}}},
      {150, std::nullopt, {{1, 101, 150}}},
      {101, 1, {}},  // the first picture would be the last one exported
      {100, 150, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Pictures) + " pictures, entered " +
                 (c.Entered ? std::to_string(*c.Entered) : "nothing"));
    fs::remove_all(Root());
    Write(c.Pictures, c.Entered);
    EXPECT_TRUE(p_.Errors.empty());
    ASSERT_FALSE(p_.Messages.empty());
    EXPECT_EQ(p_.Messages[0].Text.rfind(kAskAlbum, 0), 0u);
    if (c.Albums.empty()) {
      EXPECT_EQ(p_.MessageTexts().back(), kBeyond);
      EXPECT_EQ(p_.Messages.size(), 2u);
      EXPECT_FALSE(fs::exists(Root()));
      continue;
    }
    EXPECT_EQ(p_.Messages.size(), 1u);
    ExpectAlbums(c.Albums);
    EXPECT_EQ(form_.FOutDir, form_.FProgramDir + "/");
  }
}

TEST_F(Albums, NoWritesNothingAndErrorsAreShown) {
  form_.FBatchLastPage = 50;
  form_.FExifFiles.assign(50, "/card/P.JPG");
  p_.Answers = {MsgResult::No};
  form_.Dispatch([&] { form_.WriteAlbum("_A"); });
  EXPECT_TRUE(p_.DialogsShown.empty());
  EXPECT_FALSE(fs::exists(Root()));

  testsupport::WriteFile((dir_.Path() / "novel_A").string(), "x");
  Write(20, 2);
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("novel_A を作成できません"), std::string::npos) << p_.Errors[0];
}

// Count pictures, count thumbnails and the count text.

TEST(CountImage, NumbersStartFortyPixelsFurtherLeftPerDigitInTheirBand) {
  const TColor bg = RGBColor(10, 40, 200), fo = RGBColor(250, 250, 0);
  auto ink = [&](int number, bool bold = false) {
    TABitmap picture(640, 480);
    DrawCountImage(picture, number, bold, bold, fo, bg);
    EXPECT_EQ(picture.Pixel(0, 0), bg);
    return InkOf(picture, bg, {0, 0, 640, 480}, 200);
  };
  // "1", "10" and "19" start with the same glyph, so their ink starts where the text does.
  ASSERT_GE(ink(1).minX, 272);
  EXPECT_EQ(ink(10).minX, ink(1).minX - 40);
  EXPECT_EQ(ink(19).minX, ink(10).minX);
  EXPECT_LT(ink(9).minX, 272 + 40);
  // The glyph lies in the band of its 160-pixel cell below y = 165.
  const Ink eight = ink(8);
  EXPECT_GT(eight.count, 500);
  EXPECT_GT(eight.minY, 160);
  EXPECT_LT(eight.maxY, 330);
  EXPECT_GT(ink(8, true).count, eight.count);
}

TEST(CountThumb, DrawsTheNumberInBlackOnWhiteFromItsCell) {
  // Ink: pixels darker than light grey (channel sum at most 480).
  auto ink = [](const TABitmap& b) { return InkOf(b, clWhite, {0, 0, 160, 120}, 3 * 95 - 1); };
  const Ink seven = ink(DrawCountThumb(7, false, false));
  ASSERT_GT(seven.count, 20);
  // The 40-pixel cell starts at (68, 45); a digit is narrower than the cell.
  EXPECT_GE(seven.minX, 68);
  EXPECT_LE(seven.maxX, 68 + 40);
  EXPECT_GE(seven.minY, 45);
  EXPECT_LE(seven.maxY, 45 + 40);
  EXPECT_GE(ink(DrawCountThumb(123, false, true)).minX, 48);
  EXPECT_GT(ink(DrawCountThumb(88, true, true)).count, ink(DrawCountThumb(88, false, true)).count);
}

class CountJobs : public PageFiles {
 protected:
  fs::path Pictures() const { return dir_.Path() / "qui_count"; }
  std::string Confirmation(int n, const char* what) const {
    return std::to_string(n) + what + "\n作成します\nよろしければ続行します";
  }
  void Click(void (TForm1::*handler)(), std::optional<double> entered) {
    p_.NumberAnswers.clear();
    if (entered) p_.NumberAnswers = {*entered};
    form_.Dispatch([&] { (form_.*handler)(); });
  }
};

TEST_F(CountJobs, PicturesAreNumberedJpegsFiveWithoutOkZeroMakesTheFolderAndNoNothing) {
  form_.JQualityUpDown.Position = 80;
  Click(&TForm1::CoImageButtonClick, 3);
  checks::ExpectPictures(Pictures(), Numbered("QU%06d.jpg", 1, 3), "P6\n640 480");
  EXPECT_NE(testsupport::ReadFile(Pictures() / "QU000001.jpg"),
            testsupport::ReadFile(Pictures() / "QU000002.jpg"));
  // Three pauses of 10 ms after the pictures; the 300 ms before them do not count.
  EXPECT_EQ(p_.MessageTexts(),
            (Strings{Confirmation(3, "枚のファイルを"), "30ミリ秒かかりました"}));
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.Sounds, Strings{"click05a.wav"});
  EXPECT_EQ(form_.HintLabel1.Caption, "3");
  EXPECT_FALSE(form_.FBusy);

  fs::remove_all(Pictures());
  Click(&TForm1::CoImageButtonClick, std::nullopt);
  EXPECT_EQ(Names(Pictures()), Numbered("QU%06d.jpg", 1, 5));
  fs::remove_all(Pictures());
  Click(&TForm1::CoImageButtonClick, 0);
  EXPECT_TRUE(fs::is_directory(Pictures()));
  EXPECT_TRUE(Names(Pictures()).empty());
  // No to the confirmation writes nothing, here or for the count text.
  fs::remove_all(Pictures());
  p_.Answers = {MsgResult::No, MsgResult::No};
  Click(&TForm1::CoImageButtonClick, 4);
  Click(&TForm1::CountTextButtonClick, 4);
  EXPECT_TRUE(Names(dir_.Path()).empty());
}

TEST_F(CountJobs, BreakOrACloseStopsThePicturesAndKeepsThoseWritten) {
  for (bool close : {false, true}) {
    SCOPED_TRACE(close ? "close" : "Break");
    fs::remove_all(Pictures());
    p_.Messages.clear();
    p_.EventHook = [&] {
      if (!form_.FBusy || Names(Pictures()).size() != 2) return;
      close ? form_.CloseRequest() : form_.BreakButtonClick();
    };
    Click(&TForm1::CoImageButtonClick, 6);
    // The picture under way when Break comes is finished before the job notices.
    EXPECT_EQ(Names(Pictures()), Numbered("QU%06d.jpg", 1, 3));
    const Strings texts = p_.MessageTexts();
    // A close leaves at once: no break box and no elapsed time, only the question.
    EXPECT_EQ(texts.size(), close ? 1u : 3u);
    EXPECT_TRUE(close || (texts.size() == 3 && texts[1] == kBreak &&
                          EndsWith(texts[2], "ミリ秒かかりました")));
    EXPECT_FALSE(form_.FBusy);
  }
}

TEST_F(CountJobs, FilesThatCannotBeWrittenAreFileErrors) {
  testsupport::WriteFile(Pictures(), "x");
  Click(&TForm1::CoImageButtonClick, 2);
  form_.FProgramDir = Pictures().string();
  Click(&TForm1::CountTextButtonClick, 2);
  ASSERT_EQ(p_.Errors.size(), 2u);
  for (const std::string& error : p_.Errors)
    EXPECT_NE(error.find("qui_count を作成できません\nNot a directory"), std::string::npos);
  EXPECT_FALSE(form_.FBusy);
  EXPECT_TRUE(p_.Sounds.empty());
}

TEST_F(CountJobs, CountTextHoldsEightLinesPerNumber) {
  Click(&TForm1::CountTextButtonClick, 3);
  std::string lines;  // three blank lines, the number, four blank lines
  for (char n : {'1', '2', '3'})
    lines += "\r\n\r\n\r\n" + std::string(13, ' ') + n + "\r\n\r\n\r\n\r\n\r\n";
  EXPECT_EQ(testsupport::ReadFile(dir_ / "3.txt"), lines);
  EXPECT_EQ(p_.MessageTexts(), (Strings{Confirmation(3, "PageのTXTを"), "0ミリ秒かかりました"}));
  EXPECT_TRUE(p_.Sounds.empty());
  // Wider numbers give up leading spaces.
  Click(&TForm1::CountTextButtonClick, 100);
  const std::string text = testsupport::ReadFile(dir_ / "100.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 800);
  for (const std::string number : {"10", "100"})
    EXPECT_NE(text.find("\r\n" + std::string(12, ' ') + number + "\r\n"), std::string::npos);
}

}  // namespace
