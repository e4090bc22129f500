#include <gtest/gtest.h>

#include <filesystem>

#include "export/ExifThumb.h"
#include "export/Streams.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

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
  ASSERT_TRUE(fs::exists(out));
  TMemoryStream stream(testsupport::ReadFile(out));
  ExifTemplate written;
  ASSERT_EQ(ReadExifTemplate(stream, written), ExifRefusal::None);
  EXPECT_NE(written.Thumb.ThumbLength, camera.ThumbLength);
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
  {  // a template with the wrong extension
    HeadlessPlatform p;
    TForm1 form(p);
    form.FProgramDir = dir_.Path().string();
    p.FileAnswers = {jpe};
    form.SpButton1Click();
    EXPECT_EQ(p.MessageTexts(),
              (std::vector<std::string>{kAskMode, kAskTemplate,
                                        "Jpeg画像ではありません。作業を中止します"}));
  }
  {  // an insert with the wrong extension
    HeadlessPlatform p;
    TForm1 form(p);
    form.FProgramDir = dir_.Path().string();
    p.FileAnswers = {t, jpe};
    form.SpButton1Click();
    EXPECT_EQ(p.MessageTexts().back(), "Jpeg画像ではありません。作業を中止します");
    EXPECT_EQ(p.Messages.size(), 4u);
  }
  {  // No to the template question: no dialog at all
    HeadlessPlatform p;
    TForm1 form(p);
    p.Answers = {MsgResult::Yes, MsgResult::No};
    form.SpButton1Click();
    EXPECT_TRUE(p.DialogsShown.empty());
  }
  {  // the second dialog cancelled
    HeadlessPlatform p;
    TForm1 form(p);
    p.FileAnswers = {t, std::nullopt};
    form.SpButton1Click();
    EXPECT_EQ(p.Messages.size(), 3u);
  }
  {  // No to the confirmation
    HeadlessPlatform p;
    TForm1 form(p);
    form.FProgramDir = dir_.Path().string();
    p.Answers = {MsgResult::Yes, MsgResult::Yes, MsgResult::No};
    p.FileAnswers = {t, t};
    form.SpButton1Click();
    EXPECT_EQ(p.Messages.size(), 4u);
  }
  EXPECT_FALSE(fs::exists(dir_ / "special/t.jpg"));
}

TEST_F(SpliceTools, RefusalsShowTheirMessageInsteadOfSuccess) {
  CameraOptions options;
  options.Compression = 1;
  const std::string t = Put("t.jpg", MakeCameraJpeg(options).Bytes);
  const std::string i = Put("i.jpg", fixtures::PlainJpeg(8, 8, 0));
  p_.FileAnswers = {t, i};
  form_.SpButton1Click();
  EXPECT_EQ(p_.MessageTexts().back(), "1 :Tumbnailの圧縮の種類はJpegではありません。中止します");
  EXPECT_FALSE(p_.Shown("成功しました"));
  EXPECT_FALSE(fs::exists(dir_ / "special/t.jpg"));
}

TEST_F(SpliceTools, NothingHappensWhileBusyOrDuringAnEffect) {
  form_.FBusy = true;
  form_.SpButton1Click();
  form_.SameButton1Click();
  form_.FBusy = false;
  form_.FDeep = true;
  form_.SpButton1Click();
  form_.SameButton1Click();
  EXPECT_TRUE(p_.Messages.empty());
  EXPECT_TRUE(p_.DialogsShown.empty());
}

TEST_F(SpliceTools, SameWritesIntoTheSameFolder) {
  const auto camera = MakeCameraJpeg();
  const std::string in = Put("sub/P1010001.JPEG", camera.Bytes);
  p_.FileAnswers = {in};
  form_.Dispatch([&] { form_.SameButton1Click(); });
  EXPECT_EQ(p_.MessageTexts(),
            (std::vector<std::string>{"同一化するJpeg画像を選んでください", "成功しました"}));
  const std::string out = dir_ / "same/P1010001.JPEG";
  ASSERT_TRUE(fs::exists(out));
  const std::string bytes = testsupport::ReadFile(out);
  EXPECT_EQ(bytes.substr(bytes.size() - camera.ImageData.size()), camera.ImageData);

  HeadlessPlatform p;
  TForm1 form(p);
  form.FProgramDir = dir_.Path().string();
  p.FileAnswers = {Put("plain.jpg", fixtures::PlainJpeg(8, 8, 0))};
  form.SameButton1Click();
  EXPECT_EQ(p.MessageTexts().back(), "Exif情報が見つかりませんでした");
  EXPECT_FALSE(fs::exists(dir_ / "same/plain.jpg"));
}

TEST_F(SpliceTools, AMissingInputIsShownAsAFileError) {
  p_.FileAnswers = {inputs_ / "gone.jpg"};
  form_.Dispatch([&] { form_.SameButton1Click(); });
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("gone.jpg は開けません"), std::string::npos);
  EXPECT_FALSE(p_.Shown("成功しました"));
}

}  // namespace
