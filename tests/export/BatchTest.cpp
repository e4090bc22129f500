// Batch export driven as a user would: buttons, dialogs and Break through the
// headless platform.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"
#include "tests/shell/FormFixture.h"

namespace {

namespace fs = std::filesystem;
using checks::EndsWith;
using checks::ExpectPictures;
using checks::Names;
using checks::Numbered;
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
    // The base table's 16 scaled to 80 % at quality 60.
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

TEST_F(Batch, RefusalsAndTheBusyGuard) {
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

  platform->Messages.clear();
  platform->DialogsShown.clear();
  F().FBusy = true;
  Click(&TForm1::SaveAllButtonClick);
  F().FBusy = false;
  F().FDifference = true;
  Click(&TForm1::SaveAllThumbInButtonClick);
  EXPECT_TRUE(platform->Messages.empty());
  EXPECT_TRUE(platform->DialogsShown.empty());
  EXPECT_EQ(Names(dir.Path()), Strings{"novel.txt"});
}

TEST_F(Batch, BreakStopsBeforeTheNextPageAndKeepsThePagesWritten) {
  OpenPages(6);
  // Break comes while the batch waits after page 2: the step under way still writes page 3.
  platform->EventHook = [&] {
    if (F().FBusy && Names(PageFolder()).size() == 2) F().BreakButtonClick();
  };
  Click(&TForm1::SaveAllButtonClick);
  EXPECT_EQ(Names(PageFolder()), Numbered("nove%04d.jpg", 1, 3));
  const Strings texts = platform->MessageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], kBreak);
  EXPECT_TRUE(EndsWith(texts[1], "ミリ秒かかりました"));
  EXPECT_EQ(platform->Sounds, Strings{"click05a.wav"});
  ExpectIdle();
}

TEST_F(Batch, ACloseRequestBreaksOffWithoutTheClosingBoxes) {
  using Handler = void (TForm1::*)();
  for (auto [handler, pages] :
       {std::pair<Handler, const char*>{&TForm1::SaveAllButtonClick, "all_page/novel"},
        {&TForm1::SaveAllInButtonClick, "novel"},
        {&TForm1::SaveAllThumbInButtonClick, "novel_th"}}) {
    SCOPED_TRACE(pages);
    OpenPages(6);
    if (handler != &TForm1::SaveAllButtonClick) Cameras(6);
    F().FCloseRequested = false;
    platform->Answers = {MsgResult::No};  // would write the album if asked
    platform->EventHook = [&] {
      if (F().FBusy && Names(dir.Path() / pages).size() == 2) F().CloseRequest();
    };
    Click(handler);
    EXPECT_EQ(Names(dir.Path() / pages).size(), 3u);
    for (const std::string& text : platform->MessageTexts())  // only the chosen folder
      EXPECT_NE(text.find(" を選択しました"), std::string::npos) << text;
    EXPECT_EQ(platform->Answers.size(), 1u) << "the album question was asked";
    EXPECT_TRUE(platform->Sounds.empty());
    ExpectIdle();
  }
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
  for (const char* name :
       {"P003.jpg", "P001.jpg", "P002.JPG", "x.jpeg", "y.JPEG", "photo.Jpg", "clip.jpe", "noext"})
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
  EXPECT_EQ(platform->DialogsShown, Strings{"directory"});
  ExpectPictures(Folder("novel"), Numbered("P%07d.JPG", 1, 5), "P6\n640 480");
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

  fs::remove_all(Folder("novel"));
  OpenPages(3);
  Cameras(7);  // the surplus stays unused
  Click(&TForm1::SaveAllInButtonClick);
  EXPECT_EQ(Names(Folder("novel")), Numbered("P%07d.JPG", 1, 3));
  EXPECT_EQ(F().FBatchLastPage, 3);
}

TEST_F(Batch, TurnModeAsksWhetherToShiftTheText) {
  OpenPages(2);
  Cameras(2);
  F().TurnCheckBox.Checked = true;  // set after the text is open
  bool shiftedDuringBatch = false;
  platform->EventHook = [&] { shiftedDuringBatch |= F().FBusy && F().FShiftRight; };
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  Click(&TForm1::SaveAllInButtonClick);
  ASSERT_GE(platform->Messages.size(), 1u);
  EXPECT_EQ(platform->Messages[0].Text,
            cameras.Path().string() +
                " を選択しました\n 　\n通常は「はい」を押して続行して下さい\n"
                "文全体を右にずらすなら「いいえ」を押して下さい");
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_TRUE(shiftedDuringBatch);
  EXPECT_EQ(Names(Folder("novel")).size(), 2u);
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

TEST_F(Batch, ThumbnailBatchWritesIntoItsOwnFolderAndNoWritesTheAlbum) {
  OpenPages(2);
  Cameras(3);
  platform->Answers = {MsgResult::No, MsgResult::Yes};
  platform->NumberAnswers = {2};
  Click(&TForm1::SaveAllThumbInButtonClick);
  ExpectPictures(Folder("novel_th"), Numbered("P%07d.JPG", 1, 2), "P6\n640 480");
  EXPECT_EQ(checks::Thumbnail(Folder("novel_th") / "P0000002.JPG"), "P6\n160 120");
  EXPECT_EQ(platform->Sounds, Strings{"ksl5a_8.wav"});
  EXPECT_FALSE(fs::exists(Folder("novel")));
  EXPECT_TRUE(fs::exists(Folder("novel_th_A/ALBUM.PVM")));
  EXPECT_TRUE(fs::exists(Folder("novel_th_A/OLALB/ALBUM002.PVM")));
  ExpectIdle();
}

}  // namespace
