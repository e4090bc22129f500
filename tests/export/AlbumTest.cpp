// The camera album manifests, compared line by line with lines built from the
// album rules, and checked by xmllint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "export/Album.h"
#include "shell/Errors.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;
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
const std::string kAskAlbum =
    "OLYMPUS ALBUM file を作成します\n最初のアルバムを選んでください\n"
    "１の場合１００枚は不要ですので\n１０１枚目からアルバムに収録されます\n"
    "２～１２の場合１枚目から収録されます\n１３以上の場合アルバム１の１枚目から収録されます\n"
    "１０２以上の場合その番号からアルバム１～に収録されます\n"
    "（ただし下二桁０１以外はアルバム１に空きが出来ます）\n　「いいえ」　でキャンセルします";
const std::string kBeyond = "総ページ数を超えることは出来ませんので、終了します。";

std::string CameraName(int picture) {
  char name[32];
  std::snprintf(name, sizeof name, "PA%06d.JPG", picture);
  return name;
}

// An album holding pictures first..last: each in the slot it takes on the camera
// card (1 to 100 within its hundred).
Lines Album(int first, int last) {
  Lines lines = kHead;
  for (int i = first; i <= last; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "%08X", (i - 1) % 100 + 1);
    lines.push_back(std::string("\t\t<mpv:Still mpv:id=\"OLY-") + id + "\">");
    lines.push_back("\t\t\t<mpv:LastURL>../DCIM/100OLYMP/" + CameraName(i) + "</mpv:LastURL>");
    lines.push_back("\t\t</mpv:Still>");
  }
  lines.insert(lines.end(), kTail.begin(), kTail.end());
  return lines;
}

Lines Master(std::initializer_list<int> albums) {
  Lines lines = kHead;
  for (int n : albums) {
    char id[16], number[8];
    std::snprintf(id, sizeof id, "%08X", n == 1 ? 13 : n);
    std::snprintf(number, sizeof number, "%03d", n);
    lines.push_back(std::string("\t\t<mpv:ManifestLink mpv:id=\"OLY-") + id + "\">");
    lines.push_back(std::string("\t\t\t<mpv:LastURL>OLALB/ALBUM") + number + ".PVM</mpv:LastURL>");
    lines.push_back("\t\t</mpv:ManifestLink>");
  }
  lines.insert(lines.end(), kTail.begin(), kTail.end());
  return lines;
}

class Albums : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.FProgramDir = dir_.Path().string();
    form_.FSaveName = "novel";
  }

  // Runs WriteAlbum after a batch of 'pictures' pages, answering Yes and entering
  // 'entered' (std::nullopt: the dialog closed without OK).
  void Write(int pictures, std::optional<double> entered, const std::string& suffix = "_A") {
    form_.FExifFiles.clear();
    for (int i = 1; i <= pictures + 5; ++i)
      form_.FExifFiles.push_back("/media/card/DCIM/100OLYMP/" + CameraName(i));
    form_.FBatchLastPage = pictures;
    p_.Answers = {MsgResult::Yes};
    if (entered) p_.NumberAnswers = {*entered};
    form_.Dispatch([&] { form_.WriteAlbum(suffix); });
  }

  fs::path Root(const std::string& suffix = "_A") const { return dir_.Path() / ("novel" + suffix); }

  // The file's lines; every line, the last one too, must end in CR LF.
  Lines Read(const fs::path& path) {
    const std::string bytes = testsupport::ReadFile(path.string());
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << path << " has a line without CR LF at its end";
        lines.push_back(bytes.substr(start));
        break;
      }
      lines.push_back(bytes.substr(start, end - start));
      start = end + 2;
    }
    std::string out;
    EXPECT_EQ(testsupport::RunCommand("xmllint --noout " + fixtures::Quote(path.string()) + " 2>&1",
                                      &out),
              0)
        << path << "\n"
        << out;
    return lines;
  }

  Lines AlbumFiles(const std::string& suffix = "_A") {
    Lines names;
    for (const auto& e : fs::directory_iterator(Root(suffix) / "OLALB"))
      names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  void ExpectAlbum(int n, int first, int last) {
    char name[32];
    std::snprintf(name, sizeof name, "ALBUM%03d.PVM", n);
    const Lines expected = Album(first, last);
    const Lines actual = Read(Root() / "OLALB" / name);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
      ASSERT_EQ(actual[i], expected[i]) << name << " line " << i + 1;
  }

  testsupport::TempDir dir_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(Albums, StartAtOneSkipsTheFirstHundred) {
  Write(250, 1);
  EXPECT_TRUE(p_.Errors.empty());
  ASSERT_EQ(p_.Messages.size(), 1u);
  EXPECT_EQ(p_.Messages[0].Text, kAskAlbum);
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.Messages[0].Icon, MsgIcon::Information);
  EXPECT_EQ(AlbumFiles(), (Lines{"ALBUM001.PVM", "ALBUM002.PVM"}));
  ExpectAlbum(1, 101, 200);
  ExpectAlbum(2, 201, 250);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({1, 2}));
  EXPECT_EQ(form_.FOutDir, form_.FProgramDir + "/");
}

TEST_F(Albums, StartAtFiveNumbersTheAlbumsFromFive) {
  Write(250, 5);
  EXPECT_EQ(AlbumFiles(), (Lines{"ALBUM005.PVM", "ALBUM006.PVM", "ALBUM007.PVM"}));
  ExpectAlbum(5, 1, 100);
  ExpectAlbum(6, 101, 200);
  ExpectAlbum(7, 201, 250);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({5, 6, 7}));
}

TEST_F(Albums, StartAboveOneHundredBeginsAtThatPictureInAlbumOne) {
  Write(250, 150);
  EXPECT_EQ(AlbumFiles(), (Lines{"ALBUM001.PVM", "ALBUM002.PVM"}));
  ExpectAlbum(1, 150, 200);
  ExpectAlbum(2, 201, 250);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({1, 2}));
}

TEST_F(Albums, AlbumTwelveIsTheLast) {
  Write(250, 12);
  EXPECT_EQ(AlbumFiles(), Lines{"ALBUM012.PVM"});
  ExpectAlbum(12, 1, 100);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({12}));
}

TEST_F(Albums, AtMostTwelveAlbumsFromAlbumOne) {
  Write(1400, 1);
  EXPECT_EQ(AlbumFiles().size(), 12u);
  ExpectAlbum(12, 1201, 1300);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST_F(Albums, HundredPicturesFromTwoMakeOneFullAlbum) {
  Write(100, 2);
  EXPECT_EQ(AlbumFiles(), Lines{"ALBUM002.PVM"});
  ExpectAlbum(2, 1, 100);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({2}));
}

TEST_F(Albums, TwoHundredPicturesEndExactlyAtSlotHundred) {
  Write(200, 2);
  EXPECT_EQ(AlbumFiles(), (Lines{"ALBUM002.PVM", "ALBUM003.PVM"}));
  ExpectAlbum(2, 1, 100);
  ExpectAlbum(3, 101, 200);
  const std::string master = testsupport::ReadFile((Root() / "ALBUM.PVM").string());
  EXPECT_EQ(master.find("<?xml"), 0u);
  EXPECT_EQ(master.find("<?xml", 1), std::string::npos);
  EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master({2, 3}));
}

TEST_F(Albums, ZeroNegativeAndNoOkCountAsOne) {
  for (std::optional<double> entered : {std::optional<double>(0), std::optional<double>(-7),
                                        std::optional<double>(1.9), std::optional<double>()}) {
    fs::remove_all(Root());
    Write(150, entered);
    EXPECT_EQ(AlbumFiles(), Lines{"ALBUM001.PVM"});
    ExpectAlbum(1, 101, 150);
  }
}

TEST_F(Albums, FractionIsCutOff) {
  Write(30, 3.99);
  EXPECT_EQ(AlbumFiles(), Lines{"ALBUM003.PVM"});
  ExpectAlbum(3, 1, 30);
}

TEST_F(Albums, StartNotBeforeTheLastPictureIsRefused) {
  Write(101, 1);  // the first picture would be 101, the last exported one
  EXPECT_EQ(p_.MessageTexts(), (Lines{kAskAlbum, kBeyond}));
  EXPECT_FALSE(fs::exists(Root()));
  p_.Messages.clear();
  Write(100, 150);
  EXPECT_EQ(p_.MessageTexts(), (Lines{kAskAlbum, kBeyond}));
  EXPECT_FALSE(fs::exists(Root()));
}

TEST_F(Albums, NoWritesNothing) {
  form_.FBatchLastPage = 50;
  form_.FExifFiles.assign(50, "/card/P.JPG");
  p_.Answers = {MsgResult::No};
  form_.Dispatch([&] { form_.WriteAlbum("_A"); });
  EXPECT_TRUE(p_.DialogsShown.empty());
  EXPECT_FALSE(fs::exists(Root()));
}

TEST_F(Albums, ThumbnailBatchAlbumsGoToTheirOwnFolder) {
  Write(20, 2, "_th_A");
  EXPECT_TRUE(fs::exists(Root("_th_A") / "ALBUM.PVM"));
  EXPECT_EQ(AlbumFiles("_th_A"), Lines{"ALBUM002.PVM"});
}

TEST_F(Albums, FolderThatCannotBeMadeIsAFileError) {
  testsupport::WriteFile((dir_.Path() / "novel_A").string(), "x");
  Write(20, 2);
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("novel_A/ を作成できません"), std::string::npos) << p_.Errors[0];
}

TEST(AlbumRules, StartAndIdentifiers) {
  EXPECT_EQ(AlbumStart(1).FirstPicture, 101);
  EXPECT_EQ(AlbumStart(2).FirstPicture, 1);
  EXPECT_EQ(AlbumStart(101).FirstPicture, 1);
  EXPECT_EQ(AlbumStart(102).FirstPicture, 102);
  EXPECT_EQ(AlbumStart(12).FirstAlbum, 12);
  EXPECT_EQ(AlbumStart(13).FirstAlbum, 1);
  EXPECT_EQ(AlbumStart(13).FirstPicture, 1);
  EXPECT_EQ(AlbumStart(-3).FirstPicture, 101);
  EXPECT_EQ(AlbumStillId(1), "OLY-00000001");
  EXPECT_EQ(AlbumStillId(2), "OLY-00000002");
  EXPECT_EQ(AlbumStillId(100), "OLY-00000064");
  EXPECT_EQ(AlbumStillId(101), "OLY-00000001");
  EXPECT_EQ(AlbumStillId(250), "OLY-00000032");
  EXPECT_EQ(AlbumLinkId(1), "OLY-0000000D");
  EXPECT_EQ(AlbumLinkId(2), "OLY-00000002");
  EXPECT_EQ(AlbumLinkId(12), "OLY-0000000C");
}

}  // namespace
