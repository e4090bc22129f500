// Count pictures, count thumbnails and the count text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "export/Count.h"
#include "export/CountThumb.h"
#include "export/JpegCodec.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::Names;
using checks::Numbered;
using checks::Strings;

struct Ink {
  int Left = 100000, Top = 100000, Right = -1, Bottom = -1, Count = 0;
};

// Where the pixels lie whose channels differ from the background by more than 'over' in sum.
Ink FindInk(const TABitmap& bitmap, TColor bg, int over) {
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);
      if (std::abs(ColorR(c) - ColorR(bg)) + std::abs(ColorG(c) - ColorG(bg)) +
              std::abs(ColorB(c) - ColorB(bg)) <=
          over)
        continue;
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x),
             std::max(ink.Bottom, y), ink.Count + 1};
    }
  return ink;
}

TEST(CountImage, NumbersStartFortyPixelsFurtherLeftPerDigitInTheirBand) {
  const TColor bg = RGBColor(10, 40, 200), fo = RGBColor(250, 250, 0);
  auto ink = [&](int number, bool bold = false) {
    TABitmap picture(640, 480);
    DrawCountImage(picture, number, bold, bold, fo, bg);
    EXPECT_EQ(picture.Pixel(0, 0), bg);
    return FindInk(picture, bg, 200);
  };
  // "1", "10" and "19" start with the same glyph, so their ink starts where the text does.
  ASSERT_GE(ink(1).Left, 272);
  EXPECT_EQ(ink(10).Left, ink(1).Left - 40);
  EXPECT_EQ(ink(19).Left, ink(10).Left);
  EXPECT_LT(ink(9).Left, 272 + 40);
  // The glyph lies in the band of its 160-pixel cell below y = 165.
  const Ink eight = ink(8);
  EXPECT_GT(eight.Count, 500);
  EXPECT_GT(eight.Top, 160);
  EXPECT_LT(eight.Bottom, 330);
  EXPECT_GT(ink(8, true).Count, eight.Count);
}

TEST(CountThumb, DrawsTheNumberInBlackOnWhiteFromItsCell) {
  // Ink: pixels darker than light grey (channel sum at most 480).
  auto ink = [](const TABitmap& bitmap) { return FindInk(bitmap, clWhite, 3 * 255 - 3 * 160 - 1); };
  const Ink seven = ink(DrawCountThumb(7, false, false));
  ASSERT_GT(seven.Count, 20);
  // The 40-pixel cell starts at (68, 45); a digit is narrower than the cell.
  EXPECT_GE(seven.Left, 68);
  EXPECT_LE(seven.Right, 68 + 40);
  EXPECT_GE(seven.Top, 45);
  EXPECT_LE(seven.Bottom, 45 + 40);
  EXPECT_GE(ink(DrawCountThumb(123, false, true)).Left, 48);
  EXPECT_GT(ink(DrawCountThumb(88, true, true)).Count, ink(DrawCountThumb(88, false, true)).Count);
  // Encoded as a headerless thumbnail.
  const std::string jpeg = MakeCountThumb(42, true, false, 60);
  EXPECT_EQ(jpeg.substr(0, 4), "\xFF\xD8\xFF\xDB");
  EXPECT_GT(ink(DecodeJpeg(jpeg)).Count, 20);
}

class CountJobs : public ::testing::Test {
 protected:
  void SetUp() override { form_.FProgramDir = dir_.Path().string(); }
  fs::path Pictures() const { return dir_.Path() / "qui_count"; }
  std::string Confirmation(int n, const char* what) const {
    return std::to_string(n) + what + "\n作成します\nよろしければ続行します";
  }
  void Click(void (TForm1::*handler)(), std::optional<double> entered) {
    p_.NumberAnswers.clear();
    if (entered) p_.NumberAnswers = {*entered};
    form_.Dispatch([&] { (form_.*handler)(); });
  }
  testsupport::TempDir dir_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(CountJobs, PicturesAreNumberedJpegsFiveWithoutOkAndZeroMakesTheFolder) {
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
}

TEST_F(CountJobs, NoBusyOrAnEffectWritesNothing) {
  p_.Answers = {MsgResult::No, MsgResult::No};
  for (bool* flag : {static_cast<bool*>(nullptr), &form_.FBusy, &form_.FArts}) {
    if (flag) *flag = true;
    Click(&TForm1::CoImageButtonClick, 4);
    Click(&TForm1::CountTextButtonClick, 4);
    if (flag) *flag = false;
  }
  EXPECT_EQ(p_.Messages.size(), 2u);
  EXPECT_EQ(p_.DialogsShown.size(), 2u);
  EXPECT_TRUE(Names(dir_.Path()).empty());
}

TEST_F(CountJobs, BreakOrACloseStopsThePicturesAndKeepsThoseWritten) {
  for (bool close : {false, true}) {
    SCOPED_TRACE(close ? "close" : "Break");
    fs::remove_all(Pictures());
    p_.Messages.clear();
    p_.EventHook = [&] {
      if (!form_.FBusy || Names(Pictures()).size() != 2) return;
      if (close)
        form_.CloseRequest();
      else
        form_.BreakButtonClick();
    };
    Click(&TForm1::CoImageButtonClick, 6);
    // The picture under way when Break comes is finished before the job notices.
    EXPECT_EQ(Names(Pictures()), Numbered("QU%06d.jpg", 1, 3));
    const Strings texts = p_.MessageTexts();
    // A close leaves at once: no break box and no elapsed time, only the question.
    ASSERT_EQ(texts.size(), close ? 1u : 3u);
    if (!close) {
      EXPECT_EQ(texts[1], "処理を中断します");
      EXPECT_TRUE(checks::EndsWith(texts[2], "ミリ秒かかりました"));
    }
    EXPECT_FALSE(form_.FBusy);
  }
}

TEST_F(CountJobs, FilesThatCannotBeWrittenAreFileErrors) {
  testsupport::WriteFile(Pictures(), "x");
  Click(&TForm1::CoImageButtonClick, 2);
  form_.FProgramDir = (dir_.Path() / "missing").string();
  Click(&TForm1::CountTextButtonClick, 2);
  ASSERT_EQ(p_.Errors.size(), 2u);
  EXPECT_NE(p_.Errors[0].find("qui_count/QU000001.jpg を作成できません"), std::string::npos);
  EXPECT_NE(p_.Errors[1].find("missing/2.txt を作成できません"), std::string::npos);
  EXPECT_FALSE(form_.FBusy);
  EXPECT_TRUE(p_.Sounds.empty());
}

TEST_F(CountJobs, CountTextHoldsEightLinesPerNumber) {
  Click(&TForm1::CountTextButtonClick, 3);
  const std::string blank3 = "\r\n\r\n\r\n", blank4 = blank3 + "\r\n", sp13(13, ' ');
  EXPECT_EQ(testsupport::ReadFile(dir_ / "3.txt"), blank3 + sp13 + "1\r\n" + blank4 + blank3 +
                                                       sp13 + "2\r\n" + blank4 + blank3 + sp13 +
                                                       "3\r\n" + blank4);
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
