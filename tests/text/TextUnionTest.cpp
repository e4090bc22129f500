// Joining the current text file with a second one into the "unite" folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/shell/FormFixture.h"

namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr const char* kFiveEmptyLines = "\r\n\r\n\r\n\r\n\r\n";

class TextUnionTest : public FormTest {
 protected:
  TextUnionTest() { Start(); }
  std::string Unite(const std::string& name) { return dir / ("unite/" + name); }
  void Join(const std::optional<std::string>& second) {
    platform->FileAnswers.push_back(second);
    F().Dispatch([this] { F().UniteButtonClick(); });
  }
};

TEST_F(TextUnionTest, TheJoinedFileHoldsBothPartsWithFiveEmptyLinesBetween) {
  WriteFile(dir / "story.txt", "one\r\ntwo");  // the last line has no line break
  WriteFile(dir / "more.txt", "three\nfour\rfive\r\n");
  OpenFile(dir / "story.txt");
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "more.txt");
  EXPECT_EQ(ReadFile(Unite("story_u.txt")),
            std::string("one\r\ntwo\r\n") + kFiveEmptyLines + "three\r\nfour\r\nfive\r\n");
  ASSERT_EQ(platform->Messages.size(), 1u);
  EXPECT_EQ(platform->Messages[0].Text, "作業は完了しました\nファイルを開きますか");
  EXPECT_EQ(platform->Messages[0].Buttons, MsgButtons::YesNo);
  EXPECT_EQ(F().FFileName, dir / "story.txt");  // "No" keeps the current text
  EXPECT_EQ(F().FTextName, "story");
}

TEST_F(TextUnionTest, WithoutACurrentFileTheJoinStartsWithFiveEmptyLines) {
  WriteFile(dir / "more.txt", "x\r\n");
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "more.txt");
  EXPECT_EQ(ReadFile(Unite("_u.txt")), std::string(kFiveEmptyLines) + "x\r\n");
}

TEST_F(TextUnionTest, NothingIsWrittenWhenCancelledOrTheSecondFileIsUnreadable) {
  OpenFile(WriteRows("story.txt", 3));
  Join(std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(dir / "unite"));
  EXPECT_TRUE(platform->Messages.empty());
  Join(dir / "absent.txt");
  EXPECT_EQ(platform->Errors.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Unite("story_u.txt")));
}

TEST_F(TextUnionTest, OpeningTheJoinedTextKeepsThePage) {
  OpenFile(WriteRows("story.txt", 52));  // 4 pages
  for (int i = 0; i < 3; ++i) F().TriButton1Click();
  ASSERT_EQ(F().FPage, 4);
  WriteFile(dir / "more.txt", "appended\r\n");
  Join(dir / "more.txt");  // answered Yes
  EXPECT_EQ(F().FFileName, Unite("story_u.txt"));
  EXPECT_EQ(F().FTextName, "story_u");
  EXPECT_EQ(F().Image1.Hint, "story_u");
  EXPECT_EQ(F().HintLabel1.Caption, "story_u");
  EXPECT_TRUE(F().FFileIn);
  EXPECT_EQ(F().FAllPage, 5);  // 52 + 5 + 1 lines
  EXPECT_EQ(F().FPage, 4);
  EXPECT_EQ(F().Editor1.Lines[52], "");
  EXPECT_EQ(F().Editor1.Lines[57], "appended");
}

TEST_F(TextUnionTest, APastedTextStillJoinsTheLastOpenedFile) {
  WriteFile(dir / "story.txt", "from the file\r\n");
  WriteFile(dir / "more.txt", "second\r\n");
  OpenFile(dir / "story.txt");
  platform->Clipboard = "pasted";
  F().Paste1Click();
  platform->Answers.push_back(MsgResult::No);
  Join(dir / "more.txt");
  EXPECT_EQ(ReadFile(Unite("story_u.txt")),
            std::string("from the file\r\n") + kFiveEmptyLines + "second\r\n");
}

TEST_F(TextUnionTest, JoiningAgainOverwritesTheEarlierResult) {
  WriteFile(dir / "story.txt", "a\r\n");
  WriteFile(dir / "long.txt", "b\r\nc\r\nd\r\ne\r\n");
  WriteFile(dir / "short.txt", "f\r\n");
  OpenFile(dir / "story.txt");
  platform->Answers = {MsgResult::No, MsgResult::No};
  Join(dir / "long.txt");
  Join(dir / "short.txt");
  EXPECT_EQ(ReadFile(Unite("story_u.txt")), std::string("a\r\n") + kFiveEmptyLines + "f\r\n");
}

}  // namespace
