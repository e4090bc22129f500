// Batch export driven as a user would: buttons, dialogs and Break through the
// headless platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;
using checks::EndsWith;
using checks::MainPicture;
using checks::Names;
using checks::Strings;

const std::string kBreak = "処理を中断します";

class Batch : public FormTest {
 protected:
  // Opens a text of the given number of pages (13 one-column rows a page).
  void OpenPages(int pages) {
    OpenFile(WriteRows("novel.txt", pages * 13));
    ASSERT_EQ(F().FAllPage, pages);
    platform->Messages.clear();
    platform->DialogsShown.clear();
  }
  // Camera files P0000001.JPG ... and the folder answered in the next dialog.
  void Cameras(int count) {
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "P%07d.JPG", i);
      testsupport::WriteFile(cameras / name, fixtures::MakeCameraJpeg().Bytes);
    }
    platform->FileAnswers.push_back(cameras.Path().string());
  }
  void Click(void (TForm1::*handler)()) {
    F().Dispatch([&] { (F().*handler)(); });
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
  Strings Pictures(int count) const {
    Strings names;
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "P%07d.JPG", i);
      names.push_back(name);
    }
    return names;
  }

  testsupport::TempDir cameras;
};

TEST_F(Batch, PlainBatchWritesEveryPageThenShowsTheLast) {
  OpenPages(3);
  F().FPage = 2;
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_EQ(Names(PageFolder()), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  for (const auto& name : Names(PageFolder()))
    EXPECT_EQ(MainPicture((PageFolder() / name).string()), "P6\n640 480") << name;
  // The pages follow the text.
  EXPECT_NE(testsupport::ReadFile((PageFolder() / "nove0001.jpg").string()),
            testsupport::ReadFile((PageFolder() / "nove0002.jpg").string()));
  // The time of three pages, each after a pause of 10 ms on the virtual clock.
  EXPECT_EQ(platform->MessageTexts(), Strings{"30ミリ秒かかりました"});
  EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(F().Label1.Caption, "3");
  ExpectIdle();
}

TEST_F(Batch, QvgaPagesAreQuarterSize) {
  OpenPages(2);
  F().QvgaCheckBox.Checked = true;
  Click(&TForm1::SaveAllButtonClick);
  ASSERT_EQ(Names(PageFolder()).size(), 2u);
  for (const auto& name : Names(PageFolder()))
    EXPECT_EQ(MainPicture((PageFolder() / name).string()), "P6\n320 240") << name;
}

TEST_F(Batch, RefusalsAndTheBusyGuard) {
  OpenPages(3);
  F().FPage = 2;
  F().FTextName = "Clipboard";  // refused before the view is reset
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(platform->MessageTexts(), Strings{"貼り付けたファイルを保存して下さい"});
  EXPECT_EQ(F().FPage, 2);
  F().FTextName.clear();  // refused after the reset to page one
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(platform->MessageTexts().back(), "ファイルがありませんので中断します");
  EXPECT_EQ(F().FPage, 1);
  ExpectIdle();

  platform->Messages.clear();
  F().FTextName = dir / "novel.txt";
  F().FBusy = true;
  Click(&TForm1::SaveAllButtonClick);
  Click(&TForm1::SaveAllInButtonClick);
  F().FBusy = false;
  F().FDifference = true;
  Click(&TForm1::SaveAllThumbInButtonClick);
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_TRUE(platform->Messages.empty());
  EXPECT_TRUE(platform->DialogsShown.empty());
  EXPECT_FALSE(fs::exists(dir.Path() / "all_page"));
}

TEST_F(Batch, BreakStopsBeforeTheNextPageAndKeepsThePagesWritten) {
  OpenPages(6);
  // Break comes while the batch waits after page 2: the step under way still writes page 3.
  platform->EventHook = [&] {
    if (F().FBusy && Names(PageFolder()).size() == 2) F().BreakButtonClick();
  };
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(Names(PageFolder()), (Strings{"nove0001.jpg", "nove0002.jpg", "nove0003.jpg"}));
  ASSERT_EQ(platform->MessageTexts().size(), 2u);
  EXPECT_EQ(platform->MessageTexts()[0], kBreak);
  EXPECT_TRUE(EndsWith(platform->MessageTexts()[1], "ミリ秒かかりました"));
  EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
  ExpectIdle();
}

TEST_F(Batch, UnwritableFoldersShowTheErrorAndClearTheFlags) {
  struct Case {
    const char* Blocked;  // a file where the output folder should be
    bool Exif;            // an Exif batch in Turn mode, shifted right
    const char* Error;
  };
  for (const Case& c : {Case{"all_page", false, "all_page/novel/nove0001.jpg を作成できません"},
                        Case{"novel", true, "novel/P0000001.JPG を作成できません"}}) {
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

TEST_F(Batch, TemplatesAreTheJpegFilesOfTheFolderInNameOrder) {
  for (const char* name : {"P003.jpg", "P001.jpg", "P002.JPG", "x.jpeg", "y.JPEG", "photo.Jpg",
                           "clip.jpe", "notes.txt", "noext"})
    testsupport::WriteFile(cameras / name, "x");
  fs::create_directories(cameras.Path() / "sub.jpg");
  testsupport::WriteFile(cameras / "sub/P000.jpg", "x");
  const std::string root = cameras.Path().string() + "/";
  F().FindJpegFiles(root);
  EXPECT_EQ(F().FExifFiles, (Strings{root + "P001.jpg", root + "P002.JPG", root + "P003.jpg",
                                     root + "x.jpeg", root + "y.JPEG"}));
  F().FindJpegFiles(root);  // appends to what is there
  EXPECT_EQ(F().FExifFiles.size(), 10u);
}

TEST_F(Batch, ExifBatchPairsPagesWithTemplatesUntilEitherRunsOut) {
  OpenPages(12);
  Cameras(5);
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_TRUE(platform->Errors.empty());
  EXPECT_EQ(platform->DialogsShown, Strings{"directory"});
  const fs::path out = dir.Path() / "novel";
  EXPECT_EQ(Names(out), Pictures(5));
  for (const auto& name : Names(out)) {
    EXPECT_EQ(checks::Tag((out / name).string(), "Make"), "QuillCam") << name;
    EXPECT_EQ(MainPicture((out / name).string()), "P6\n640 480") << name;
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

  // More templates than pages: the surplus stays unused.
  fs::remove_all(out);
  OpenPages(3);
  Cameras(7);
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(Names(out), Pictures(3));
  EXPECT_EQ(F().FBatchLastPage, 3);
}

TEST_F(Batch, OnlyTurnModeAsksWhetherToShiftTheText) {
  for (bool turn : {false, true}) {  // Turn is set after the text is open
    SCOPED_TRACE(turn);
    fs::remove_all(dir.Path() / "novel");
    OpenPages(2);
    Cameras(2);
    F().TurnCheckBox.Checked = turn;
    bool shiftedDuringBatch = false;
    platform->EventHook = [&] { shiftedDuringBatch |= F().FBusy && F().FShiftRight; };
    platform->Answers.clear();
    if (turn) platform->Answers = {MsgResult::No, MsgResult::Yes};
    Click(&TForm1::SaveAllInButtonClick);
    ASSERT_GE(platform->Messages.size(), 1u);
    EXPECT_EQ(platform->Messages[0].Text,
              cameras.Path().string() +
                  (turn ? " を選択しました\n 　\n通常は「はい」を押して続行して下さい\n"
                          "文全体を右にずらすなら「いいえ」を押して下さい"
                        : " を選択しました"));
    EXPECT_EQ(platform->Messages[0].Buttons, turn ? MsgButtons::YesNo : MsgButtons::Ok);
    EXPECT_EQ(shiftedDuringBatch, turn);
    EXPECT_EQ(Names(dir.Path() / "novel").size(), 2u);
    ExpectIdle();
  }
}

TEST_F(Batch, ExifBatchRefusals) {
  OpenPages(2);
  Click(&TForm1::SaveAllInButtonClick);  // folder dialog cancelled
  EXPECT_EQ(platform->MessageTexts(), Strings{"ディレクトリを選択して下さい"});
  ExpectIdle();

  platform->Messages.clear();
  testsupport::WriteFile(cameras / "photo.Jpg", "x");
  platform->FileAnswers.push_back(cameras.Path().string());
  Click(&TForm1::SaveAllThumbInButtonClick);
  EXPECT_EQ(platform->MessageTexts(),
            (Strings{cameras.Path().string() + " を選択しました", "Fileが見つかりません"}));
  ExpectIdle();

  platform->Messages.clear();
  F().FTextName = "Clipboard";
  Click(&TForm1::SaveAllInButtonClick);
  F().FTextName.clear();
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(platform->MessageTexts(),
            (Strings{"貼り付けたファイルを保存して下さい", "ファイルがありませんので中断します"}));
  EXPECT_EQ(platform->DialogsShown.size(), 2u);
  EXPECT_FALSE(fs::exists(dir.Path() / "novel"));
}

TEST_F(Batch, TemplateWithoutExifEndsTheBatchThere) {
  OpenPages(4);
  Cameras(3);
  testsupport::WriteFile(cameras / "P0000002.JPG", fixtures::PlainJpeg(64, 48, clWhite));
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(Names(dir.Path() / "novel"), Strings{"P0000001.JPG"});
  const Strings texts = platform->MessageTexts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[1], "Exif情報が見つかりませんでした");
  EXPECT_EQ(texts[2], kBreak);
  EXPECT_TRUE(EndsWith(texts[3], "\n作業は完了しました"));
  ExpectIdle();
}

TEST_F(Batch, ThumbnailBatchWritesIntoItsOwnFolderAndNoWritesTheAlbum) {
  OpenPages(2);
  Cameras(3);
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  platform->NumberAnswers = {2};
  Click(&TForm1::SaveAllThumbInButtonClick);
  EXPECT_TRUE(platform->Errors.empty());
  const fs::path out = dir.Path() / "novel_th";
  ASSERT_EQ(Names(out), Pictures(2));
  for (const auto& name : Names(out)) {
    EXPECT_EQ(checks::Tag((out / name).string(), "Model"), "QC-1 Test") << name;
    EXPECT_EQ(checks::Thumbnail((out / name).string()), "P6\n160 120") << name;
  }
  EXPECT_EQ(platform->Sounds, Strings{"ksl5a_8.wav"});
  EXPECT_FALSE(fs::exists(dir.Path() / "novel"));
  EXPECT_TRUE(fs::exists(dir.Path() / "novel_th_A/ALBUM.PVM"));
  EXPECT_TRUE(fs::exists(dir.Path() / "novel_th_A/OLALB/ALBUM002.PVM"));
  ExpectIdle();
}

}  // namespace
