// Batch export driven as a user would: buttons, dialogs and Break through the
// headless platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "tests/export/ExifFixtures.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Quote;
using Strings = std::vector<std::string>;

const std::string kBreak = "処理を中断します";
const std::string kNoExif = "Exif情報が見つかりませんでした";

Strings Names(const fs::path& folder) {
  Strings names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string PictureSize(const std::string& path) {
  std::string out;
  if (testsupport::RunCommand("djpeg -pnm " + Quote(path) + " 2>/dev/null | head -c 20", &out) != 0)
    return "";
  return out.substr(0, out.find('\n', out.find('\n') + 1));
}

std::string Tag(const std::string& path, const std::string& tag) {
  std::string out;
  testsupport::RunCommand("exiftool -s -s -s -" + tag + " " + Quote(path), &out);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class Batch : public FormTest {
 protected:
  // Opens a text of the given number of pages (13 one-column rows a page).
  void OpenPages(int pages) {
    OpenFile(WriteRows("novel.txt", pages * 13));
    ASSERT_EQ(F().FAllPage, pages);
    platform->Messages.clear();
    platform->DialogsShown.clear();
  }
  std::string Camera(const std::string& name, const fixtures::CameraOptions& options = {}) {
    const std::string path = cameras / name;
    testsupport::WriteFile(path, fixtures::MakeCameraJpeg(options).Bytes);
    return path;
  }
  void Cameras(int count) {
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "P%07d.JPG", i);
      Camera(name);
    }
  }
  void ExpectIdle() {
    EXPECT_FALSE(F().FBusy);
    EXPECT_FALSE(F().FBatchSave);
    EXPECT_FALSE(F().FBatchExif);
    EXPECT_FALSE(F().FBatchThumb);
    EXPECT_FALSE(F().FShiftRight);
    EXPECT_TRUE(F().FExifFiles.empty());
  }
  fs::path PageFolder() const { return dir.Path() / "all_page" / "novel"; }

  testsupport::TempDir cameras;
};

TEST_F(Batch, PlainBatchWritesEveryPageThenShowsTheLast) {
  OpenPages(3);
  F().FPage = 2;
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_EQ(Names(PageFolder()), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  for (const auto& name : Names(PageFolder()))
    EXPECT_EQ(PictureSize((PageFolder() / name).string()), "P6\n640 480") << name;
  // One message: the time of three pages, each after a pause of 10 ms on the virtual clock.
  EXPECT_EQ(platform->MessageTexts(), Strings{"30ミリ秒かかりました"});
  EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(F().Label1.Caption, "3");
  ExpectIdle();
}

TEST_F(Batch, PagesDifferAndFollowTheText) {
  OpenPages(2);
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_NE(testsupport::ReadFile((PageFolder() / "nove0001.jpg").string()),
            testsupport::ReadFile((PageFolder() / "nove0002.jpg").string()));
}

TEST_F(Batch, QvgaPagesAreQuarterSize) {
  OpenPages(2);
  F().QvgaCheckBox.Checked = true;
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  for (const auto& name : Names(PageFolder()))
    EXPECT_EQ(PictureSize((PageFolder() / name).string()), "P6\n320 240") << name;
  EXPECT_EQ(Names(PageFolder()).size(), 2u);
}

TEST_F(Batch, PastedTextIsRefusedBeforeTheViewIsReset) {
  OpenPages(3);
  F().FPage = 2;
  F().FTextName = "Clipboard";
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_EQ(platform->MessageTexts(), Strings{"貼り付けたファイルを保存して下さい"});
  EXPECT_EQ(F().FPage, 2);
  EXPECT_FALSE(fs::exists(dir.Path() / "all_page"));
}

TEST_F(Batch, MissingNameIsRefusedAfterTheResetToPageOne) {
  OpenPages(3);
  F().FPage = 2;
  F().FTextName.clear();
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_EQ(platform->MessageTexts(), Strings{"ファイルがありませんので中断します"});
  EXPECT_EQ(F().FPage, 1);
  EXPECT_FALSE(fs::exists(dir.Path() / "all_page"));
  ExpectIdle();
}

TEST_F(Batch, NothingStartsWhileBusyOrDuringAnEffect) {
  OpenPages(2);
  F().FBusy = true;
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  F().FBusy = false;
  F().FDifference = true;
  F().Dispatch([&] { F().SaveAllThumbInButtonClick(); });
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_TRUE(platform->Messages.empty());
  EXPECT_TRUE(platform->DialogsShown.empty());
  EXPECT_FALSE(fs::exists(dir.Path() / "all_page"));
}

TEST_F(Batch, BreakStopsBeforeTheNextPageAndKeepsThePagesWritten) {
  OpenPages(6);
  // Break is pressed while the batch waits after the second page is written:
  // the step under way still writes page 3, the next one does not start.
  platform->EventHook = [&] {
    if (F().FBusy && Names(PageFolder()).size() == 2) F().BreakButtonClick();
  };
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  EXPECT_EQ(Names(PageFolder()), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  ASSERT_EQ(platform->MessageTexts().size(), 2u);
  EXPECT_EQ(platform->MessageTexts()[0], kBreak);
  EXPECT_TRUE(EndsWith(platform->MessageTexts()[1], "ミリ秒かかりました"));
  EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
  ExpectIdle();
}

TEST_F(Batch, OutputFolderThatCannotBeMadeShowsTheErrorAndClearsTheFlags) {
  OpenPages(3);
  testsupport::WriteFile(dir / "all_page", "a file where the folder should be");
  F().Dispatch([&] { F().SaveAllButtonClick(); });
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("all_page/novel/nove0001.jpg を作成できません"),
            std::string::npos)
      << platform->Errors[0];
  EXPECT_TRUE(platform->Messages.empty());
  EXPECT_TRUE(platform->Sounds.empty());
  ExpectIdle();
  // No temporary file is left beside the folder either.
  for (const auto& name : Names(dir.Path())) EXPECT_FALSE(EndsWith(name, ".part")) << name;
}

TEST_F(Batch, TemplatesAreTheJpegFilesOfTheFolderInNameOrder) {
  for (const char* name : {"P003.jpg", "P001.jpg", "P002.JPG", "x.jpeg", "y.JPEG", "photo.Jpg",
                           "clip.jpe", "notes.txt", "noext"})
    testsupport::WriteFile(cameras / name, "x");
  fs::create_directories(cameras.Path() / "sub.jpg");
  testsupport::WriteFile(cameras / "sub/P000.jpg", "x");
  F().FindJpegFiles(cameras.Path().string() + "/");
  const std::string root = cameras.Path().string() + "/";
  EXPECT_EQ(F().FExifFiles, (Strings{root + "P001.jpg", root + "P002.JPG", root + "P003.jpg",
                                     root + "x.jpeg", root + "y.JPEG"}));
  // Appends to what is there.
  F().FindJpegFiles(root);
  EXPECT_EQ(F().FExifFiles.size(), 10u);
}

TEST_F(Batch, ExifBatchPairsPagesWithFewerTemplates) {
  OpenPages(12);
  Cameras(5);
  platform->FileAnswers.push_back(cameras.Path().string());
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_EQ(platform->DialogsShown, Strings{"directory"});
  const fs::path out = dir.Path() / "novel";
  EXPECT_EQ(Names(out), (Strings{"P0000001.JPG", "P0000002.JPG", "P0000003.JPG", "P0000004.JPG",
                                 "P0000005.JPG"}));
  for (const auto& name : Names(out)) {
    EXPECT_EQ(Tag((out / name).string(), "Make"), "QuillCam") << name;
    EXPECT_EQ(PictureSize((out / name).string()), "P6\n640 480") << name;
  }
  ASSERT_EQ(platform->Messages.size(), 2u);
  EXPECT_EQ(platform->Messages[0].Text, cameras.Path().string() + " を選択しました");
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::Ok);
  // 300 ms before the loop is not counted; five pages of 10 ms are.
  EXPECT_EQ(platform->Messages[1].Text, "50ミリ秒かかりました\n作業は完了しました");
  EXPECT_EQ(platform->Messages[1].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(platform->Messages[1].Icon, MsgIcon::Information);
  EXPECT_EQ(platform->Sounds, Strings{"iky1b_8b.wav"});
  EXPECT_EQ(F().FBatchLastPage, 5);
  EXPECT_EQ(F().FPage, 5);
  EXPECT_FALSE(fs::exists(dir.Path() / "novel_A"));
  ExpectIdle();
}

TEST_F(Batch, ExifBatchLeavesSurplusTemplatesUnused) {
  OpenPages(3);
  Cameras(7);
  platform->FileAnswers.push_back(cameras.Path().string() + "/");
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  EXPECT_EQ(Names(dir.Path() / "novel"), (Strings{"P0000001.JPG", "P0000002.JPG", "P0000003.JPG"}));
  EXPECT_EQ(F().FBatchLastPage, 3);
}

TEST_F(Batch, TurnModeAsksWhetherToShiftTheText) {
  OpenPages(2);
  Cameras(2);
  F().TurnCheckBox.Checked = true;
  bool shiftedDuringBatch = false;
  platform->EventHook = [&] { shiftedDuringBatch |= F().FBusy && F().FShiftRight; };
  platform->FileAnswers.push_back(cameras.Path().string());
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  ASSERT_GE(platform->Messages.size(), 1u);
  EXPECT_EQ(platform->Messages[0].Text,
            cameras.Path().string() +
                " を選択しました\n 　\n通常は「はい」を押して続行して下さい\n"
                "文全体を右にずらすなら「いいえ」を押して下さい");
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_TRUE(shiftedDuringBatch);
  EXPECT_EQ(Names(dir.Path() / "novel").size(), 2u);
  ExpectIdle();
}

TEST_F(Batch, WithoutTurnNoShiftIsAskedOrMade) {
  OpenPages(2);
  Cameras(2);
  bool shifted = false;
  platform->EventHook = [&] { shifted |= F().FShiftRight; };
  platform->FileAnswers.push_back(cameras.Path().string());
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  EXPECT_FALSE(shifted);
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::Ok);
}

TEST_F(Batch, ExifBatchRefusals) {
  OpenPages(2);
  F().Dispatch([&] { F().SaveAllInButtonClick(); });  // folder dialog cancelled
  EXPECT_EQ(platform->MessageTexts(), Strings{"ディレクトリを選択して下さい"});
  ExpectIdle();

  platform->Messages.clear();
  testsupport::WriteFile(cameras / "photo.Jpg", "x");
  platform->FileAnswers.push_back(cameras.Path().string());
  F().Dispatch([&] { F().SaveAllThumbInButtonClick(); });
  EXPECT_EQ(platform->MessageTexts(),
            (Strings{cameras.Path().string() + " を選択しました", "Fileが見つかりません"}));
  ExpectIdle();

  platform->Messages.clear();
  F().FTextName = "Clipboard";
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  F().FTextName.clear();
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  EXPECT_EQ(platform->MessageTexts(),
            (Strings{"貼り付けたファイルを保存して下さい", "ファイルがありませんので中断します"}));
  EXPECT_EQ(platform->DialogsShown.size(), 2u);
  EXPECT_FALSE(fs::exists(dir.Path() / "novel"));
}

TEST_F(Batch, TemplateWithoutExifEndsTheBatchThere) {
  OpenPages(4);
  Camera("P01.JPG");
  testsupport::WriteFile(cameras / "P02.JPG", fixtures::PlainJpeg(64, 48, clWhite));
  Camera("P03.JPG");
  platform->FileAnswers.push_back(cameras.Path().string());
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  EXPECT_EQ(Names(dir.Path() / "novel"), Strings{"P01.JPG"});
  const Strings texts = platform->MessageTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[1], kNoExif);
  EXPECT_EQ(texts[2], kBreak);
  EXPECT_TRUE(EndsWith(texts[3], "\n作業は完了しました"));
  ExpectIdle();
}

TEST_F(Batch, ExifBatchErrorFreesTheTemplatesAndClearsTheFlags) {
  OpenPages(3);
  Cameras(3);
  testsupport::WriteFile(dir / "novel", "a file where the folder should be");
  F().TurnCheckBox.Checked = true;
  platform->FileAnswers.push_back(cameras.Path().string());
  platform->Answers = {MsgResult::No};
  F().Dispatch([&] { F().SaveAllInButtonClick(); });
  ASSERT_EQ(platform->Errors.size(), 1u);
  EXPECT_NE(platform->Errors[0].find("novel/P0000001.JPG を作成できません"), std::string::npos);
  EXPECT_EQ(platform->Messages.size(), 1u);  // the shift question only
  EXPECT_TRUE(platform->Sounds.empty());
  ExpectIdle();
}

TEST_F(Batch, ThumbnailBatchWritesIntoItsOwnFolder) {
  OpenPages(2);
  Cameras(3);
  platform->FileAnswers.push_back(cameras.Path().string());
  F().Dispatch([&] { F().SaveAllThumbInButtonClick(); });
  EXPECT_TRUE(platform->Errors.empty());
  const fs::path out = dir.Path() / "novel_th";
  ASSERT_EQ(Names(out), (Strings{"P0000001.JPG", "P0000002.JPG"}));
  for (const auto& name : Names(out)) {
    const std::string path = (out / name).string();
    EXPECT_EQ(Tag(path, "Model"), "QC-1 Test");
    std::string thumb;
    testsupport::RunCommand(
        "exiftool -b -ThumbnailImage " + Quote(path) + " | djpeg -pnm | head -c 20", &thumb);
    EXPECT_EQ(thumb.substr(0, 10), "P6\n160 120");
  }
  EXPECT_EQ(platform->Sounds, Strings{"ksl5a_8.wav"});
  EXPECT_FALSE(fs::exists(dir.Path() / "novel"));
  ExpectIdle();
}

TEST_F(Batch, AnsweringNoAtTheEndWritesTheAlbum) {
  OpenPages(3);
  Cameras(3);
  platform->FileAnswers.push_back(cameras.Path().string());
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  platform->NumberAnswers = {2};
  F().Dispatch([&] { F().SaveAllThumbInButtonClick(); });
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_TRUE(fs::exists(dir.Path() / "novel_th_A/ALBUM.PVM"));
  EXPECT_TRUE(fs::exists(dir.Path() / "novel_th_A/OLALB/ALBUM002.PVM"));
  ExpectIdle();
}

}  // namespace
