// Count pictures and the count text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "export/Count.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string kBreak = "処理を中断します";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

Strings Names(const fs::path& folder) {
  Strings names;
  if (!fs::exists(folder)) return names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Leftmost column holding a pixel far from the background colour; -1 when none.
int LeftmostInk(const TABitmap& bitmap, TColor background) {
  for (int x = 0; x < bitmap.Width(); ++x)
    for (int y = 0; y < bitmap.Height(); ++y) {
      const TColor c = bitmap.Pixel(x, y);
      if (std::abs(ColorR(c) - ColorR(background)) + std::abs(ColorG(c) - ColorG(background)) +
              std::abs(ColorB(c) - ColorB(background)) >
          200)
        return x;
    }
  return -1;
}

int InkCount(const TABitmap& bitmap, TColor ink) {
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) count += bitmap.Pixel(x, y) == ink;
  return count;
}

TEST(CountLine, SpacesKeepTheNumberNearTheMiddle) {
  EXPECT_EQ(CountLine(1), "             1");
  EXPECT_EQ(CountLine(9), std::string(13, ' ') + "9");
  EXPECT_EQ(CountLine(10), std::string(12, ' ') + "10");
  EXPECT_EQ(CountLine(100), std::string(12, ' ') + "100");
  EXPECT_EQ(CountLine(1000), std::string(11, ' ') + "1000");
  EXPECT_EQ(CountLine(99999), std::string(11, ' ') + "99999");
  EXPECT_EQ(CountLine(100000), std::string(10, ' ') + "100000");
  EXPECT_EQ(CountLine(1000000), std::string(9, ' ') + "1000000");
  EXPECT_EQ(CountLine(12345678), std::string(9, ' ') + "12345678");
}

TEST(CountImage, NumberMovesFortyPixelsLeftPerDigit) {
  EXPECT_EQ(CountImageX(1), 272);
  EXPECT_EQ(CountImageX(9), 272);
  EXPECT_EQ(CountImageX(10), 232);
  EXPECT_EQ(CountImageX(999), 192);
  EXPECT_EQ(CountImageX(1000), 152);
  EXPECT_EQ(CountImageX(10000), 112);
  EXPECT_EQ(CountImageX(100000), 72);
  EXPECT_EQ(CountImageX(1000000), 32);
  EXPECT_EQ(CountImageX(99999999), 32);
}

TEST(CountImage, TenIsDrawnFortyPixelsLeftOfNine) {
  const TColor bg = RGBColor(0, 0, 0), fo = RGBColor(255, 255, 255);
  TABitmap one(640, 480), nine(640, 480), ten(640, 480), nineteen(640, 480);
  DrawCountImage(one, 1, false, false, fo, bg);
  DrawCountImage(nine, 9, false, false, fo, bg);
  DrawCountImage(ten, 10, false, false, fo, bg);
  DrawCountImage(nineteen, 19, false, false, fo, bg);
  // "1", "10" and "19" start with the same glyph, so their ink starts where the text does.
  ASSERT_GE(LeftmostInk(one, bg), 272);
  EXPECT_EQ(LeftmostInk(ten, bg), LeftmostInk(one, bg) - 40);
  EXPECT_EQ(LeftmostInk(nineteen, bg), LeftmostInk(ten, bg));
  EXPECT_GE(LeftmostInk(nine, bg), 272);
  EXPECT_LT(LeftmostInk(nine, bg), 272 + 40);
  EXPECT_LT(LeftmostInk(ten, bg), 272);
}

TEST(CountImage, ColoursFillAndWeight) {
  const TColor bg = RGBColor(10, 40, 200), fo = RGBColor(250, 250, 0);
  TABitmap plain(640, 480), bold(640, 480);
  DrawCountImage(plain, 8, false, false, fo, bg);
  DrawCountImage(bold, 8, true, true, fo, bg);
  EXPECT_EQ(plain.Pixel(0, 0), bg);
  EXPECT_EQ(plain.Pixel(639, 479), bg);
  EXPECT_EQ(plain.Pixel(100, 100), bg);
  EXPECT_GT(InkCount(plain, fo), 500);
  EXPECT_GT(InkCount(bold, fo), InkCount(plain, fo));
  // The glyph lies in the band of its 160-pixel cell below y = 165.
  for (int x = 0; x < 640; ++x) {
    EXPECT_EQ(plain.Pixel(x, 160), bg);
    EXPECT_EQ(plain.Pixel(x, 330), bg);
  }
}

class CountJobs : public ::testing::Test {
 protected:
  void SetUp() override { form_.FProgramDir = dir_.Path().string(); }
  fs::path Pictures() const { return dir_.Path() / "qui_count"; }
  std::string Confirmation(int n, const char* what) const {
    return std::to_string(n) + what + "\n作成します\nよろしければ続行します";
  }
  testsupport::TempDir dir_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(CountJobs, PicturesAreNumberedJpegs) {
  p_.NumberAnswers = {3};
  form_.JQualityUpDown.Position = 80;
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  EXPECT_TRUE(p_.Errors.empty());
  EXPECT_EQ(Names(Pictures()), (Strings{"QU000001.jpg", "QU000002.jpg", "QU000003.jpg"}));
  for (const auto& name : Names(Pictures())) {
    std::string out;
    ASSERT_EQ(
        testsupport::RunCommand(
            "djpeg -pnm " + fixtures::Quote((Pictures() / name).string()) + " | head -c 20", &out),
        0);
    EXPECT_EQ(out.substr(0, 10), "P6\n640 480") << name;
  }
  ASSERT_EQ(p_.Messages.size(), 2u);
  EXPECT_EQ(p_.Messages[0].Text, Confirmation(3, "枚のファイルを"));
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.Messages[0].Icon, MsgIcon::Information);
  // Three pauses of 10 ms after the pictures; the 300 ms before them do not count.
  EXPECT_EQ(p_.Messages[1].Text, "30ミリ秒かかりました");
  EXPECT_EQ(p_.Sounds, Strings{"click05a.wav"});
  EXPECT_EQ(form_.HintLabel1.Caption, "3");
  EXPECT_FALSE(form_.FBusy);
  EXPECT_EQ(form_.FOutDir, form_.FProgramDir + "/");
}

TEST_F(CountJobs, PicturesDifferFromOneNumberToTheNext) {
  p_.NumberAnswers = {2};
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  EXPECT_NE(testsupport::ReadFile((Pictures() / "QU000001.jpg").string()),
            testsupport::ReadFile((Pictures() / "QU000002.jpg").string()));
}

TEST_F(CountJobs, DialogClosedWithoutOkMakesFive) {
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  EXPECT_EQ(p_.DialogsShown, Strings{"number"});
  EXPECT_EQ(p_.Messages[0].Text, Confirmation(5, "枚のファイルを"));
  EXPECT_EQ(Names(Pictures()).size(), 5u);
  EXPECT_EQ(Names(Pictures()).back(), "QU000005.jpg");
}

TEST_F(CountJobs, ZeroMakesTheFolderAndNoPicture) {
  p_.NumberAnswers = {0};
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  EXPECT_EQ(p_.MessageTexts(), (Strings{Confirmation(0, "枚のファイルを"), "0ミリ秒かかりました"}));
  EXPECT_TRUE(fs::is_directory(Pictures()));
  EXPECT_TRUE(Names(Pictures()).empty());
}

TEST_F(CountJobs, NoInTheConfirmationWritesNothing) {
  p_.NumberAnswers = {4, 4};
  p_.Answers = {MsgResult::No, MsgResult::No};
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  EXPECT_TRUE(Names(dir_.Path()).empty());
  EXPECT_EQ(p_.Messages.size(), 2u);
}

TEST_F(CountJobs, NothingStartsWhileBusyOrDuringAnEffect) {
  form_.FBusy = true;
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  form_.FBusy = false;
  form_.FArts = true;
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  EXPECT_TRUE(p_.DialogsShown.empty());
  EXPECT_TRUE(Names(dir_.Path()).empty());
}

TEST_F(CountJobs, BreakStopsThePicturesAndKeepsThoseWritten) {
  p_.NumberAnswers = {6};
  p_.EventHook = [&] {
    if (form_.FBusy && Names(Pictures()).size() == 2) form_.BreakButtonClick();
  };
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  // The picture under way when Break comes is finished before the job notices.
  EXPECT_EQ(Names(Pictures()), (Strings{"QU000001.jpg", "QU000002.jpg", "QU000003.jpg"}));
  const Strings texts = p_.MessageTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1], kBreak);
  EXPECT_TRUE(EndsWith(texts[2], "ミリ秒かかりました"));
  EXPECT_EQ(p_.Sounds, Strings{"click05a.wav"});
  EXPECT_FALSE(form_.FBusy);
}

TEST_F(CountJobs, PictureThatCannotBeWrittenShowsTheErrorAndClearsBusy) {
  testsupport::WriteFile((dir_.Path() / "qui_count").string(), "x");
  p_.NumberAnswers = {2};
  form_.Dispatch([&] { form_.CoImageButtonClick(); });
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("qui_count/QU000001.jpg を作成できません"), std::string::npos);
  EXPECT_FALSE(form_.FBusy);
  EXPECT_TRUE(p_.Sounds.empty());
}

TEST_F(CountJobs, CountTextHoldsEightLinesPerNumber) {
  p_.NumberAnswers = {3};
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  EXPECT_TRUE(p_.Errors.empty());
  const std::string blank3 = "\r\n\r\n\r\n", blank4 = "\r\n\r\n\r\n\r\n";
  EXPECT_EQ(testsupport::ReadFile(dir_ / "3.txt"), blank3 + "             1\r\n" + blank4 + blank3 +
                                                       "             2\r\n" + blank4 + blank3 +
                                                       "             3\r\n" + blank4);
  ASSERT_EQ(p_.Messages.size(), 2u);
  EXPECT_EQ(p_.Messages[0].Text, Confirmation(3, "PageのTXTを"));
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.Messages[1].Text, "0ミリ秒かかりました");
  EXPECT_TRUE(p_.Sounds.empty());
  EXPECT_FALSE(form_.FBusy);
}

TEST_F(CountJobs, CountTextDefaultsAndZero) {
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  const std::string five = testsupport::ReadFile(dir_ / "5.txt");
  EXPECT_EQ(std::count(five.begin(), five.end(), '\n'), 40);
  EXPECT_NE(five.find("\r\n             5\r\n"), std::string::npos);
  p_.NumberAnswers = {0};
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  EXPECT_TRUE(fs::exists(dir_ / "0.txt"));
  EXPECT_EQ(fs::file_size(dir_ / "0.txt"), 0u);
}

TEST_F(CountJobs, CountTextLineForAHundredHasTwelveSpaces) {
  p_.NumberAnswers = {100};
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  const std::string text = testsupport::ReadFile(dir_ / "100.txt");
  EXPECT_NE(text.find("\r\n" + std::string(12, ' ') + "100\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n" + std::string(12, ' ') + "10\r\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 800);
}

TEST_F(CountJobs, CountTextThatCannotBeWrittenIsAFileError) {
  form_.FProgramDir = (dir_.Path() / "missing").string();
  p_.NumberAnswers = {2};
  form_.Dispatch([&] { form_.CountTextButtonClick(); });
  ASSERT_EQ(p_.Errors.size(), 1u);
  EXPECT_NE(p_.Errors[0].find("missing/2.txt を作成できません"), std::string::npos);
  EXPECT_FALSE(form_.FBusy);
}

}  // namespace
