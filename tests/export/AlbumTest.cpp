// The camera album manifests, compared line by line with lines built from the
// album rules, and checked by xmllint.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/FileChecks.h"

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
const std::string kAskAlbum = "OLYMPUS ALBUM file を作成します\n最初のアルバムを選んでください\n";
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

Lines Master(const std::vector<int>& albums) {
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
    p_.Messages.clear();
    form_.FExifFiles.clear();
    for (int i = 1; i <= pictures + 5; ++i)
      form_.FExifFiles.push_back("/media/card/DCIM/100OLYMP/" + CameraName(i));
    form_.FBatchLastPage = pictures;
    p_.Answers = {MsgResult::Yes};
    p_.NumberAnswers.clear();
    if (entered) p_.NumberAnswers = {*entered};
    form_.Dispatch([&] { form_.WriteAlbum(suffix); });
  }

  fs::path Root(const std::string& suffix = "_A") const { return dir_.Path() / ("novel" + suffix); }

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

  // Albums {number, first picture, last picture} and the master linking them.
  void ExpectAlbums(const std::vector<std::array<int, 3>>& albums) {
    Lines names;
    std::vector<int> numbers;
    for (const auto& [n, first, last] : albums) {
      char name[32];
      std::snprintf(name, sizeof name, "ALBUM%03d.PVM", n);
      names.push_back(name);
      numbers.push_back(n);
      EXPECT_EQ(Read(Root() / "OLALB" / name), Album(first, last)) << name;
    }
    EXPECT_EQ(checks::Names(Root() / "OLALB"), names);
    EXPECT_EQ(Read(Root() / "ALBUM.PVM"), Master(numbers));
  }

  testsupport::TempDir dir_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
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

TEST_F(Albums, NoWritesNothingThumbnailAlbumsHaveTheirOwnFolderAndErrorsAreShown) {
  form_.FBatchLastPage = 50;
  form_.FExifFiles.assign(50, "/card/P.JPG");
  p_.Answers = {MsgResult::No};
  form_.Dispatch([&] { form_.WriteAlbum("_A"); });
  EXPECT_TRUE(p_.DialogsShown.empty());
  EXPECT_FALSE(fs::exists(Root()));

  Write(20, 2, "_th_A");
  EXPECT_EQ(checks::Names(Root("_th_A") / "OLALB"), Lines{"ALBUM002.PVM"});
  testsupport::WriteFile((dir_.Path() / "novel_A").string(), "x");
  Write(20, 2);
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("novel_A/ を作成できません"), std::string::npos) << p_.Errors[0];
}

}  // namespace
