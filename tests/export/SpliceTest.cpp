#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "export/ExifThumb.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"
#include "export/JpegTTx.h"
#include "export/Splice.h"
#include "export/Streams.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"
#include "tests/export/ExifFixtures.h"
#include "tests/export/FileChecks.h"

namespace {

namespace fs = std::filesystem;
using checks::Quote;
using checks::Tag;
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
    return Out(name);
  }
  std::string Out(const std::string& name) { return inputs_ / name; }
  std::string Confirm(const std::string& t, const std::string& i) {
    return "以下のファイルを選びました\n挿入されるJpeg画像\n" + t + "\n挿入するJpeg画像\n" + i +
           "\nよろしければ続行します";
  }
  testsupport::TempDir dir_, inputs_;
  HeadlessPlatform p_;
  TForm1 form_{p_};
};

TEST_F(SpliceTools, ReplaceOrKeepTheThumbnailIntoSpecial) {
  const auto camera = MakeCameraJpeg();
  const std::string t = Put("DSC0001.JPG", camera.Bytes);
  const std::string i = Put("page.jpg", fixtures::PlainJpeg(640, 480, RGBColor(0, 0, 200)));
  p_.Answers = {MsgResult::Yes, MsgResult::Yes, MsgResult::Yes};
  p_.FileAnswers = {t, i};
  form_.JQualityUpDown.Position = 75;
  form_.Dispatch([&] { form_.SpButton1Click(); });
  EXPECT_EQ(p_.MessageTexts(), (std::vector<std::string>{kAskMode, kAskTemplate, kTellInsert,
                                                         Confirm(t, i), "成功しました"}));
  EXPECT_EQ(p_.Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(p_.DialogsShown, (std::vector<std::string>{"openpicture", "openpicture"}));
  const std::string out = dir_ / "special/DSC0001.JPG";
  checks::ExpectCameraFile(out, "P6\n640 480");
  // The new thumbnail shows the insert's blue page, not the camera's green one.
  EXPECT_EQ(checks::Thumbnail(out), "P6\n160 120");
  checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + checks::Quote(out), {0, 0, 200}, 30);
  EXPECT_EQ(testsupport::ReadFile(t), camera.Bytes);  // the input is never changed

  // No to the first question keeps the template's thumbnail: its head, then the insert.
  const std::string insert = fixtures::PlainJpeg(64, 48, 0);
  p_.Answers = {MsgResult::No, MsgResult::Yes, MsgResult::Yes};
  p_.FileAnswers = {t, Put("i.jpeg", insert)};
  form_.Dispatch([&] { form_.SpButton1Click(); });
  EXPECT_EQ(p_.MessageTexts().back(), "成功しました");
  EXPECT_EQ(testsupport::ReadFile(out),
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
}

// The command-line tools write into the scratch folder of the window's tests.
using SpliceFiles = SpliceTools;

// The splice tools of quillane-cli; stderr is folded into the output.
int Cli(const std::string& args, std::string* output) {
  return checks::Run(Quote(testsupport::CliPath()) + " " + args, output);
}

TEST_F(SpliceFiles, CommandLineThumbnailAndTheSpliceExitCodes) {
  // The thumbnail tool reads PNG, BMP and JPEG pictures and refuses anything else.
  QImage image(640, 480, QImage::Format_RGB888);
  image.fill(QColor(0, 200, 0));
  ASSERT_TRUE(image.save(QString::fromStdString(Out("in.png"))));
  ASSERT_TRUE(image.save(QString::fromStdString(Out("in.bmp"))));
  Put("in.jpg", fixtures::PlainJpeg(64, 48, RGBColor(0, 200, 0)));
  std::string output;
  // No JFIF header; the base table's first value, 8, scaled by the quality.
  for (const auto& [in, quality, quant] :
       {std::tuple("in.png", 50, 8), {"in.bmp", 25, 16}, {"in.jpg", 100, 1}}) {
    SCOPED_TRACE(in);
    const std::string thumb = Quote(Out("t.jpg")), q = std::to_string(quality);
    ASSERT_EQ(Cli("thumbnail --quality " + q + " " + Quote(Out(in)) + " --out " + thumb, &output),
              0)
        << output;
    EXPECT_EQ(testsupport::ReadFile(Out("t.jpg")).substr(0, 4), "\xFF\xD8\xFF\xDB");
    EXPECT_EQ(checks::FirstQuantValue(Out("t.jpg")), quant);
    EXPECT_EQ(checks::MainPicture(Out("t.jpg")), "P6\n160 120");
    checks::ExpectLastPixelNear("cat " + thumb, {0, 200, 0}, 6);
  }
  const std::string t = Quote(Put("cam.jpg", MakeCameraJpeg().Bytes));
  const std::string i = Quote(Put("i.jpg", fixtures::PlainJpeg(32, 24, RGBColor(9, 9, 9))));
  const std::string plain = Quote(Put("plain.jpg", fixtures::PlainJpeg(16, 16, 0)));
  const std::string text = Quote(Put("text.jpg", "no picture"));
  const std::string broken =
      Quote(Put("broken.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x04", 6) + "ab"));
  CameraOptions noIfd1;
  noIfd1.Ifd1 = false;
  const std::string noThumb = Quote(Put("nothumb.jpg", MakeCameraJpeg(noIfd1).Bytes));
  ASSERT_EQ(Cli("same " + t + " --out " + Quote(Out("same.jpg")), &output), 0) << output;
  EXPECT_EQ(checks::Thumbnail(Out("same.jpg")), "P6\n160 120");
  // Refusals print the message and exit 1, a missing option exits 2, and an old
  // file of the output's name is left as it was.
  const std::string no = " --out " + Quote(Out("no.jpg")), exif = "Exif情報が見つかりませんでした",
                    notJpeg = "Jpeg画像はありません";
  testsupport::WriteFile(Out("no.jpg"), "old");
  const std::tuple<std::string, int, std::string> cases[] = {
      {"splice --template " + plain + " --insert " + i, 1, exif},
      {"splice --replace-thumbnail --template " + noThumb + " --insert " + i, 1, exif},
      {"splice --template " + t + " --insert " + text, 1, notJpeg},
      {"splice --replace-thumbnail --template " + t + " --insert " + broken, 1, notJpeg},
      {"same " + text, 1, exif},
      {"same " + noThumb, 1, exif},
      {"thumbnail " + Quote(Put("x.png", "plain text")), 1, ""},
      {"thumbnail " + Quote(Out("gone.png")), 1, ""},
      {"splice --template " + t, 2, ""}};
  for (const auto& [command, status, message] : cases) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Cli(command + no, &output), status);
    EXPECT_NE(output.find(message), std::string::npos) << output;
  }
  EXPECT_EQ(testsupport::ReadFile(Out("no.jpg")), "old");
}

// What exiftool says of a file's Exif block: its tags, but for the thumbnail's
// own, then what it finds to warn of when validating.
std::string ExifTags(const std::string& path) {
  const std::string notThumb = " --ThumbnailOffset --ThumbnailLength --ThumbnailImage ";
  std::string tags, warnings;
  checks::Run("exiftool -a -G1 -s -EXIF:all" + notThumb + Quote(path), &tags);
  checks::Run("exiftool -validate -warning -a " + Quote(path), &warnings);
  return tags + warnings;
}

// Templates with what cameras store after the thumbnail (Exif, GPS and
// interoperability IFDs, a maker note, a SubIFD with a preview) in both byte
// orders: the new thumbnail goes into the old one's place or at the block's end,
// nothing else moves, and exiftool lists every tag of the template and warns of
// nothing. A block that would outgrow one APP1 segment is refused in words, also
// when it holds a chain of 10,803 IFDs.
TEST_F(SpliceFiles, CommandLineReplaceKeepsEveryTagOfTheTemplate) {
  TABitmap noise(640, 480);
  TRandom random(5);
  noise.AddNoise(255, random);
  // The new thumbnail (of the template's plain red picture) fits the large old
  // one's place and not the small one's.
  const std::string large = EncodeThumbnail(noise, 30), small = fixtures::PlainJpeg(8, 8, 0);
  enum Where { InPlace, Appended, Refused };
  struct Case {
    const char* Name;
    bool Big, After, Preview, Large;
    Where Want;
    bool CompressionTag = true;
    int Chain = 0;
  };
  const Case cases[] = {
      {"II, maker note after, fits", false, true, false, true, InPlace},
      {"MM, maker note after, fits", true, true, false, true, InPlace},
      {"II, maker note after, appended", false, true, false, false, Appended},
      {"MM, maker note after, appended", true, true, false, false, Appended},
      {"II, SubIFD and preview after, appended", false, true, true, false, Appended},
      {"MM, SubIFD and preview after, fits", true, false, true, true, InPlace},
      {"no Compression tag, nothing after", true, false, false, false, InPlace, false},
      {"10,803 IFDs: the block grows too large", false, false, false, false, Refused, true, 10801},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    CameraOptions o;
    o.BigEndian = c.Big;
    o.IfdsAfterThumb = o.MakerNote = c.After;
    o.SubIfdPreview = c.Preview;
    o.Thumbnail = c.Chain ? "\xFF\xD8\xFF\xD9" : c.Large ? large : small;
    o.CompressionTag = c.CompressionTag;
    o.IfdChain = c.Chain;
    const auto camera = MakeCameraJpeg(o);
    const std::string t = Put("cam.jpg", camera.Bytes), out = Out(c.Name);
    std::string output;
    const int status = Cli("splice --replace-thumbnail --template " + Quote(t) + " --insert " +
                               Quote(t) + " --out " + Quote(out),
                           &output);
    if (c.Want == Refused) {
      EXPECT_EQ(status, 1);
      EXPECT_NE(output.find(kMsgExifTooLarge), std::string::npos) << output;
      EXPECT_FALSE(fs::exists(out));
      continue;
    }
    ASSERT_EQ(status, 0) << output;
    EXPECT_EQ(Tag(out, "ThumbnailOffset") == Tag(t, "ThumbnailOffset"), c.Want == InPlace);
    EXPECT_EQ(ExifTags(out), ExifTags(t));
    checks::Run("exiftool -a -s -Warning -Error " + Quote(out), &output);
    EXPECT_EQ(output, "");  // only the validation's notes, and the template's own
    // The insert's own Exif block is left behind: only its picture follows the new block.
    EXPECT_TRUE(checks::EndsWith(testsupport::ReadFile(out), camera.ImageData));
    checks::ExpectCameraFile(out, "P6\n320 240");
    EXPECT_EQ(checks::Thumbnail(out), "P6\n160 120");
    checks::ExpectLastPixelNear("exiftool -b -ThumbnailImage " + Quote(out), {200, 40, 40}, 30);
  }
}

// Refused before anything is written, each with its reason: an output that is an
// input (by its name or through a link), a progressive header claiming 65,500 x
// 65,500 pixels (before the decoder allocates for it; the message gives the
// size), and an output folder that does not exist (named as asked, not as the
// temporary file). The longest legal name can be written.
TEST_F(SpliceFiles, CommandLineRefusesOverwritingAnInputOrDecodingABomb) {
  const std::string camera = MakeCameraJpeg().Bytes;
  const std::string t = Quote(Put("cam.jpg", camera)), link = Quote(Out("link.jpg"));
  fs::create_symlink(Out("cam.jpg"), Out("link.jpg"));
  ASSERT_EQ(checks::Run("jpegtran -progressive -outfile " + Quote(Out("b.jpg")) + " " +
                        Quote(Put("small.jpg", fixtures::PlainJpeg(16, 16, 0)))),
            0);
  std::string bomb = testsupport::ReadFile(Out("b.jpg"));
  bomb.replace(bomb.find("\xFF\xC2") + 5, 4, "\xFF\xDC\xFF\xDC");
  const std::string b = Quote(Put("b.jpg", bomb)), o = " --out " + Quote(Out("o.jpg"));
  // A JPEG all the same: not "Jpeg画像はありません", but its size.
  const char* tooLarge = "画像が大きすぎます（65500 x 65500 ピクセル）";
  const std::pair<std::string, const char*> cases[] = {
      {"same " + t + " --out " + link, "入力ファイルそのもの"},
      {"splice --template " + Quote(Out("./cam.jpg")) + " --insert " + b + " --out " + t,
       "入力ファイルそのもの"},
      {"splice --replace-thumbnail --template " + link + " --insert " + link + " --out " + t,
       "入力ファイルそのもの"},
      {"thumbnail " + t + " --out " + t, "入力ファイルそのもの"},
      {"splice --template " + t + " --insert " + b + o, tooLarge},
      {"splice --replace-thumbnail --template " + t + " --insert " + b + o, tooLarge},
      {"thumbnail " + b + o, tooLarge},
      {"same " + t + " --out " + Quote(Out("no/o.jpg")), "no/o.jpg を作成できません"}};
  for (const auto& [command, message] : cases) {
    SCOPED_TRACE(command);
    std::string output;
    EXPECT_EQ(Cli(command, &output), 1);
    EXPECT_NE(output.find(message), std::string::npos) << output;
    EXPECT_EQ(testsupport::ReadFile(Out("cam.jpg")), camera);
    EXPECT_FALSE(fs::exists(Out("o.jpg")));
  }
  const std::string longest = Out(std::string(251, 'n') + ".jpg");
  EXPECT_EQ(Cli("same " + t + " --out " + Quote(longest), nullptr), 0);
  EXPECT_EQ(checks::Thumbnail(longest), "P6\n160 120");
}

}  // namespace
