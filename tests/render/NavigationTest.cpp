// Page steps through a user text as a user makes them: buttons, the slider,
// clicks on the page, the bookmark.
#include <gtest/gtest.h>

#include "tests/shell/FormFixture.h"

namespace {

class NavigationTest : public FormTest {
 protected:
  // Starts the program and opens a text of the given number of pages.
  void OpenPages(int pages) {
    Start();
    OpenFile(WriteRows("pages.txt", pages * 13));
    ASSERT_EQ(F().FAllPage, pages);
    ASSERT_EQ(F().FPage, 1);
  }
};

TEST_F(NavigationTest, ForwardWrapsFromTheLastPageToTheFirst) {
  OpenPages(3);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 2);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(F().Label1.Caption, "3");
  EXPECT_EQ(F().ExtTrackBar1.Position(), 3);
  EXPECT_EQ(F().FFilePage, 3);
  EXPECT_EQ(F().FPagePermille, 1000);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().FPagePermille, 333);
  EXPECT_FALSE(F().FRedraw);
  EXPECT_EQ(F().TriButton1.Color, 0xFBBC9D);
}

TEST_F(NavigationTest, BackWrapsFromTheFirstPageToTheLast) {
  OpenPages(3);
  const int passes = platform->EventPasses;
  F().TriButton2Click();
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(F().Label1.Caption, "3");
  EXPECT_GT(platform->EventPasses, passes);  // queued input runs before the page changes
  F().TriButton2Click();
  EXPECT_EQ(F().FPage, 2);
  EXPECT_EQ(F().FPagePermille, 666);
  EXPECT_EQ(F().TriButton2.Color, 0xABC2CF);
}

TEST_F(NavigationTest, BackIgnoresAPendingRedrawButClearsIt) {
  OpenPages(3);
  F().TriButton1Click();  // page 2
  F().FRedraw = true;
  F().TriButton2Click();
  EXPECT_EQ(F().FPage, 1);
  EXPECT_FALSE(F().FRedraw);
}

TEST_F(NavigationTest, AOnePageTextStaysOnItsPage) {
  OpenPages(1);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 1);
  F().TriButton2Click();
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().FPagePermille, 1000);
}

TEST_F(NavigationTest, TheSliderChoosesThePageTheNextForwardStepShows) {
  OpenPages(5);
  F().ExtTrackBar1.SetPosition(4);
  F().ExtTrackBar1Change();
  EXPECT_EQ(F().FPage, 4);
  EXPECT_EQ(F().Label1.Caption, "4");
  EXPECT_EQ(F().FFilePage, 4);
  EXPECT_TRUE(F().FRedraw);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 4);
  F().TriButton1Click();
  EXPECT_EQ(F().FPage, 5);
}

TEST_F(NavigationTest, ResetReturnsToPageOneAndStopsARunningEffect) {
  OpenPages(4);
  F().TriButton1Click();
  F().TriButton1Click();
  F().FDifference = true;
  F().Timer1.Enabled = true;
  F().FArtsCanvas = true;
  F().Reset1Click();
  EXPECT_FALSE(F().FDifference);
  EXPECT_FALSE(F().FArtsCanvas);
  EXPECT_TRUE(F().FPageShown);
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().Label1.Caption, "1");
  EXPECT_EQ(F().ExtTrackBar1.Position(), 1);
}

TEST_F(NavigationTest, StepsDoNothingWhileABatchJobRuns) {
  OpenPages(3);
  F().FBusy = true;
  F().TriButton1Click();
  F().TriButton2Click();
  F().Reset1Click();
  F().Ecriture1Click();
  F().BackPage1Click();
  F().ExtTrackBar1.SetPosition(3);
  F().ExtTrackBar1Change();
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().Label1.Caption, "1");
}

TEST_F(NavigationTest, TheBatchStepMovesWithoutTouchingTheReadingPosition) {
  OpenPages(3);
  F().TriButton1Click();  // page 2, position 666
  F().FBusy = true;
  F().FRedraw = true;
  F().TriProc();
  EXPECT_EQ(F().FPage, 2);
  F().TriProc();
  F().TriProc();
  EXPECT_EQ(F().FPage, 1);
  EXPECT_EQ(F().Label1.Caption, "1");
  EXPECT_EQ(F().FPagePermille, 666);
}

TEST_F(NavigationTest, ClicksOnThePageTurnIt) {
  OpenPages(3);
  F().Image1MouseDown(TMouseButton::Left, false, 10, 10);
  EXPECT_EQ(F().FPage, 2);
  F().Image1MouseDown(TMouseButton::Left, true, 10, 10);
  EXPECT_EQ(F().FPage, 1);
  F().Image1MouseDown(TMouseButton::Right, false, 10, 10);
  F().Image1MouseDown(TMouseButton::Middle, true, 10, 10);
  EXPECT_EQ(F().FPage, 1);
}

TEST_F(NavigationTest, TheBookmarkTakesYouBackToItsPage) {
  OpenPages(4);
  F().TriButton1Click();
  F().TriButton1Click();
  F().Leaf1Click();
  EXPECT_EQ(F().FLeaf, 3);
  EXPECT_EQ(F().Leafgo1.Hint, "3 page");
  F().Reset1Click();
  F().Leafgo1Click();
  EXPECT_EQ(F().FPage, 3);
  EXPECT_EQ(F().Label1.Caption, "3");
  EXPECT_FALSE(F().FRedraw);  // the forward step has shown it
}

TEST_F(NavigationTest, ABookmarkBeyondTheTextIsRefused) {
  OpenPages(4);
  F().FLeaf = 4;
  OpenFile(WriteRows("short.txt", 13));
  ASSERT_EQ(F().FAllPage, 1);
  F().Leafgo1Click();
  EXPECT_EQ(F().HintLabel1.Caption, "over page, set leaf");
  EXPECT_EQ(F().FPage, 1);
  // A bookmark of 0, as a damaged settings file may give, is no page either.
  F().FLeaf = 0;
  F().HintLabel1.Caption.clear();
  F().Leafgo1Click();
  EXPECT_EQ(F().HintLabel1.Caption, "over page, set leaf");
  EXPECT_EQ(F().FPage, 1);
}

TEST_F(NavigationTest, TheBookmarkIsLeftAloneWhileAnEffectRuns) {
  OpenPages(3);
  F().TriButton1Click();
  F().FVelocity = true;
  F().Leaf1Click();
  EXPECT_EQ(F().FLeaf, 1);
  F().FLeaf = 3;
  F().Leafgo1Click();
  EXPECT_EQ(F().FPage, 2);
}

TEST_F(NavigationTest, ATextWithoutLinesHasNoPageToTurnTo) {
  Start();
  OpenFile(dir / "empty.txt");  // does not exist: the load fails
  testsupport::WriteFile(dir / "empty.txt", "");
  OpenFile(dir / "empty.txt");
  ASSERT_EQ(F().FAllPage, 0);
  const int page = F().FPage;
  const int permille = F().FPagePermille;
  F().TriButton1Click();
  F().TriButton2Click();
  F().Reset1Click();
  F().ExtTrackBar1Change();
  F().TriProc();
  EXPECT_EQ(F().FPage, page);
  EXPECT_GE(F().FPage, 1);
  EXPECT_EQ(F().FPagePermille, permille);
  EXPECT_EQ(platform->Errors.size(), 1u);  // only the missing file was reported
}

TEST_F(NavigationTest, TheStepRemembersThePageOfTheCurrentText) {
  Start();  // the built-in text
  ASSERT_FALSE(F().FFileIn);
  ASSERT_GT(F().FAllPage, 1);
  F().TriButton1Click();
  F().TriButton1Click();
  EXPECT_EQ(F().FQuiPage, 2);
  EXPECT_EQ(F().HintLabel1.Caption, "Quillane");
  OpenFile(WriteRows("mine.txt", 40));
  F().TriButton1Click();
  EXPECT_EQ(F().FFilePage, 2);
  EXPECT_EQ(F().FQuiPage, 2);
  EXPECT_EQ(F().HintLabel1.Caption, "mine");
}

TEST_F(NavigationTest, AModeChangeKeepsTheRelativeReadingPlace) {
  OpenPages(10);
  for (int i = 0; i < 4; ++i) F().TriButton1Click();
  ASSERT_EQ(F().FPage, 5);
  ASSERT_EQ(F().FPagePermille, 500);
  F().TurnCheckBox.Checked = true;
  F().TurnCheckBoxClick();
  EXPECT_EQ(F().FAllPage, 17);  // 130 columns, 8 to a page
  EXPECT_EQ(F().FPage, 8);      // 17 * 500 div 1000
  EXPECT_EQ(F().Label1.Caption, "8");
  EXPECT_EQ(F().FPagePermille, 470);
}

TEST_F(NavigationTest, TheSliderTicksThinOutOnLongTexts) {
  struct Case {
    int pages, frequency;
  };
  for (const Case c :
       {Case{1, 1}, Case{50, 1}, Case{51, 2}, Case{99, 2}, Case{100, 3}, Case{1000, 21}}) {
    F().FAllPage = c.pages;
    F().PFrequency(F().ExtTrackBar1);
    EXPECT_EQ(F().ExtTrackBar1.Frequency, c.frequency) << c.pages;
    EXPECT_EQ(F().ExtTrackBar1.Hint, "scale : " + std::to_string(c.frequency));
  }
}

}  // namespace
