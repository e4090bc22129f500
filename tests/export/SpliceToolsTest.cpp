#include <gtest/gtest.h>

#include <filesystem>

#include "export/ExifThumb.h"
#include "export/Streams.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using fixtures::CameraOptions;
using fixtures::MakeCameraJpeg;

const std::string kAskMode =
    "はい　で\n挿入するJpegを縮小サムネイルにして入れ替えます\nいいえ　で\n"
    "挿入されるJpegのサムネイルを残します";
const std::string kAskTemplate = "挿入されるExif付きJpeg画像を選んでください";
const std::string kTellInsert =
    "挿入するJpeg画像を選んでください\nExif付きでも、なくてもかまいません\n"
    "ただし大きさはカメラサポートの範囲で";

class SpliceTools : public ::testing::Test {
 protected:
  void SetUp() override { form_.FProgramDir = dir_.Path().string(); }
  std::string Put(const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::path(inputs_ / name).parent_path());
    testsupport::WriteFile(inputs_ / name, bytes);
    return inputs_ / name;
  }
  std::string Confirm(const std::string& t, const std::string& i) {
    return "以下のファイルを選びました\n挿入されるJpeg画像\n" + t + "\n挿入するJpeg画像\n" + i +
           "\nよろしければ続行します";
  }
  testsupport::TempDir dir_, inputs_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(SpliceTools, ReplaceModeAsksEverythingAndWritesIntoSpecial) {
  const auto camera = MakeCameraJpeg();
  const std::string t = Put("DSC0001.JPG", camera.Bytes);
  const std::string i = Put("page.jpg", fixtures::PlainJpeg(640, 480, RGBColor(0, 0, 200)));
  p_.Answers = {MsgResult::Yes, MsgResult::Yes, MsgResult::Yes};
  p_.FileAnswers = {t, i};
  form_.JQualityUpDown.Position = 75;
  form_.Dispatch([&] { form_.SpButton1Click(); });
  EXPECT_TRUE(p_.Errors.empty());
  EXPECT_EQ(p_.MessageTexts(), (std::vector<std::string>{kAskMode, kAskTemplate, kTellInsert,
                                                         Confirm(t, i), "成功しました"}));
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.Messages[0].Icon, MsgIcon::Information);
  EXPECT_EQ(p_.Messages[2].Buttons, MsgButtons::Ok);
  EXPECT_EQ(p_.DialogsShown, (std::vector<std::string>{"openpicture", "openpicture"}));
  const std::string out = dir_ / "special/DSC0001.JPG";
  checks::ExpectCameraFile(out, "P6\n640 480");
  // The new thumbnail shows the insert's blue page, not the camera's green one.
  EXPECT_EQ(checks::Thumbnail(out), "P6\n160 120");
  checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + checks::Quote(out), {0, 0, 200}, 30);
  EXPECT_EQ(testsupport::ReadFile(t), camera.Bytes);  // the input is never changed
}

TEST_F(SpliceTools, NoToTheFirstQuestionKeepsTheTemplatesThumbnail) {
  const auto camera = MakeCameraJpeg();
  const std::string t = Put("t.jpg", camera.Bytes);
  const std::string insert = fixtures::PlainJpeg(64, 48, 0);
  const std::string i = Put("i.jpeg", insert);
  p_.Answers = {MsgResult::No, MsgResult::Yes, MsgResult::Yes};
  p_.FileAnswers = {t, i};
  form_.Dispatch([&] { form_.SpButton1Click(); });
  EXPECT_EQ(p_.MessageTexts().back(), "成功しました");
  EXPECT_EQ(testsupport::ReadFile(dir_ / "special/t.jpg"),
            camera.Bytes.substr(0, camera.PayloadPos + camera.Payload.size()) + insert.substr(2));
}

TEST_F(SpliceTools, ExtensionsCancelsAndNoStopWithoutWriting) {
  const std::string t = Put("t.jpg", MakeCameraJpeg().Bytes);
  const std::string jpe = Put("picture.jpe", fixtures::PlainJpeg(8, 8, 0));
  const std::string notJpeg = "Jpeg画像ではありません。作業を中止します";
  struct Case {
    const char* Name;
    std::deque<MsgResult> Answers;
    std::deque<std::optional<std::string>> Files;
    std::vector<std::string> Messages;  // the last ones shown
    std::size_t Count, Dialogs;
  };
  const std::vector<Case> cases = {
      {"template .jpe", {}, {jpe}, {kAskMode, kAskTemplate, notJpeg}, 3, 1},
      {"insert .jpe", {}, {t, jpe}, {notJpeg}, 4, 2},
      {"No to the template question", {MsgResult::Yes, MsgResult::No}, {}, {kAskTemplate}, 2, 0},
      {"second dialog cancelled", {}, {t, std::nullopt}, {kTellInsert}, 3, 2},
      {"No to the confirmation",
       {MsgResult::Yes, MsgResult::Yes, MsgResult::No},
       {t, t},
       {Confirm(t, t)},
       4,
       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    HeadlessPlatform p;
    TForm1 form(p);
    form.FProgramDir = dir_.Path().string();
    p.Answers = c.Answers;
    p.FileAnswers = c.Files;
    form.SpButton1Click();
    const auto texts = p.MessageTexts();
    ASSERT_EQ(texts.size(), c.Count);
    EXPECT_EQ(std::vector<std::string>(texts.end() - c.Messages.size(), texts.end()), c.Messages);
    EXPECT_EQ(p.DialogsShown.size(), c.Dialogs);
  }
  EXPECT_FALSE(fs::exists(dir_ / "special/t.jpg"));
}

TEST_F(SpliceTools, SameWritesIntoTheSameFolder) {
  const auto camera = MakeCameraJpeg();
  p_.FileAnswers = {Put("sub/P1010001.JPEG", camera.Bytes)};
  form_.Dispatch([&] { form_.SameButton1Click(); });
  EXPECT_EQ(p_.MessageTexts(),
            (std::vector<std::string>{"同一化するJpeg画像を選んでください", "成功しました"}));
  const std::string out = dir_ / "same/P1010001.JPEG";
  const std::string bytes = testsupport::ReadFile(out);
  EXPECT_TRUE(checks::EndsWith(bytes, camera.ImageData));
  // The thumbnail is rebuilt from the file's own red picture.
  checks::ExpectCameraFile(out, "P6\n320 240");
  checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + checks::Quote(out), {200, 40, 40},
                              30);
}

TEST_F(SpliceTools, RefusalsAndFileErrorsShowTheirMessageInsteadOfSuccess) {
  CameraOptions options;
  options.Compression = 1;
  const std::string i = Put("i.jpg", fixtures::PlainJpeg(8, 8, 0));
  p_.FileAnswers = {Put("t.jpg", MakeCameraJpeg(options).Bytes), i};
  form_.Dispatch([&] { form_.SpButton1Click(); });
  EXPECT_EQ(p_.MessageTexts().back(), "1 :Tumbnailの圧縮の種類はJpegではありません。中止します");
  p_.FileAnswers = {i};
  form_.Dispatch([&] { form_.SameButton1Click(); });
  EXPECT_EQ(p_.MessageTexts().back(), "Exif情報が見つかりませんでした");
  p_.FileAnswers = {inputs_ / "gone.jpg"};
  form_.Dispatch([&] { form_.SameButton1Click(); });
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("gone.jpg は開けません"), std::string::npos);
  EXPECT_FALSE(p_.Shown("成功しました"));
  EXPECT_FALSE(fs::exists(dir_ / "special/t.jpg"));
  EXPECT_FALSE(fs::exists(dir_ / "same/i.jpg"));

  p_.Messages.clear();
  form_.FBusy = true;  // nothing at all while busy or during an effect
  form_.SpButton1Click();
  form_.SameButton1Click();
  form_.FBusy = false;
  form_.FDeep = true;
  form_.SpButton1Click();
  form_.SameButton1Click();
  EXPECT_TRUE(p_.Messages.empty());
  EXPECT_EQ(p_.DialogsShown.size(), 4u);
}

}  // namespace
