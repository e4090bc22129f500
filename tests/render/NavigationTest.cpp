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
  // The page shown and its number; the reading position in thousandths when given.
  void ExpectPage(int page, int permille = -1) {
    EXPECT_EQ(F().FPage, page);
    EXPECT_EQ(F().Label1.Caption, std::to_string(page));
    EXPECT_TRUE(permille < 0 || F().FPagePermille == permille) << F().FPagePermille;
  }
};

TEST_F(NavigationTest, ForwardBackAndClicksWrapAround) {
  OpenPages(3);
  F().TriButton1Click();
  F().TriButton1Click();
  ExpectPage(3, 1000);
  EXPECT_EQ(std::pair(F().ExtTrackBar1.Position(), F().FFilePage), std::pair(3, 3));
  F().TriButton1Click();
  ExpectPage(1, 333);
  EXPECT_FALSE(F().FRedraw);

  const int passes = platform->EventPasses;
  F().TriButton2Click();
  ExpectPage(3);
  EXPECT_GT(platform->EventPasses, passes);  // queued input runs before the page changes
  F().FRedraw = true;                        // back ignores a pending redraw but clears it
  F().TriButton2Click();
  ExpectPage(2, 666);
  EXPECT_FALSE(F().FRedraw);

  F().Image1MouseDown(TMouseButton::Left, false, 10, 10);  // clicks on the page turn it
  EXPECT_EQ(F().FPage, 3);
  F().Image1MouseDown(TMouseButton::Left, true, 10, 10);
  F().Image1MouseDown(TMouseButton::Right, false, 10, 10);
  F().Image1MouseDown(TMouseButton::Middle, true, 10, 10);
  EXPECT_EQ(F().FPage, 2);

  OpenFile(WriteRows("one.txt", 13));  // a one-page text stays on its page
  F().TriButton1Click();
  F().TriButton2Click();
  ExpectPage(1, 1000);
}

TEST_F(NavigationTest, TheSliderChoosesThePageTheNextStepShowsAndResetGoesBackToOne) {
  OpenPages(5);
  F().ExtTrackBar1.SetPosition(4);
  F().ExtTrackBar1Change();
  ExpectPage(4);
  EXPECT_TRUE(F().FFilePage == 4 && F().FRedraw);
  for (int page : {4, 5}) {  // the first step shows the chosen page
    F().TriButton1Click();
    EXPECT_EQ(F().FPage, page);
  }

  F().FDifference = F().Timer1.Enabled = F().FArtsCanvas = true;
  F().Reset1Click();
  EXPECT_TRUE(!F().FDifference && !F().FArtsCanvas && F().FPageShown);
  ExpectPage(1);
  EXPECT_EQ(F().ExtTrackBar1.Position(), 1);
}

TEST_F(NavigationTest, DuringABatchJobOnlyTheBatchStepMovesAndLeavesTheReadingPosition) {
  OpenPages(3);
  F().TriButton1Click();  // page 2, position 666
  F().FBusy = true;
  F().ExtTrackBar1.SetPosition(3);
  for (auto step : {&TForm1::TriButton1Click, &TForm1::TriButton2Click, &TForm1::Reset1Click,
                    &TForm1::Ecriture1Click, &TForm1::BackPage1Click, &TForm1::ExtTrackBar1Change})
    (F().*step)();
  ExpectPage(2);
  F().FRedraw = true;
  F().TriProc();
  EXPECT_EQ(F().FPage, 2);
  for (int i = 0; i < 2; ++i) F().TriProc();
  ExpectPage(1, 666);
}

TEST_F(NavigationTest, TheBookmarkTakesYouBackUnlessItLiesOutsideTheText) {
  OpenPages(4);
  F().TriButton1Click();
  F().TriButton1Click();
  F().Leaf1Click();
  EXPECT_EQ(std::pair(F().FLeaf, F().Leafgo1.Hint), std::pair(3, std::string("3 page")));
  F().Reset1Click();
  F().Leafgo1Click();
  ExpectPage(3);
  EXPECT_FALSE(F().FRedraw);  // the forward step has shown it

  OpenFile(WriteRows("short.txt", 13));
  ASSERT_EQ(F().FAllPage, 1);
  for (int leaf : {4, 0}) {  // 0 as a damaged settings file may give
    F().FLeaf = leaf;
    F().HintLabel1.Caption.clear();
    F().Leafgo1Click();
    EXPECT_TRUE(F().HintLabel1.Caption == "over page, set leaf" && F().FPage == 1) << leaf;
  }
}

TEST_F(NavigationTest, ATextWithoutLinesHasNoPageToTurnTo) {
  Start();
  OpenFile(dir / "empty.txt");  // does not exist: the load fails
  testsupport::WriteFile(dir / "empty.txt", "");
  OpenFile(dir / "empty.txt");
  ASSERT_EQ(F().FAllPage, 0);
  const int page = F().FPage, permille = F().FPagePermille;
  for (auto step : {&TForm1::TriButton1Click, &TForm1::TriButton2Click, &TForm1::Reset1Click,
                    &TForm1::ExtTrackBar1Change, &TForm1::TriProc})
    (F().*step)();
  EXPECT_TRUE(F().FPage == page && page >= 1 && F().FPagePermille == permille);
  EXPECT_EQ(platform->Errors.size(), 1u);  // only the missing file was reported
}

}  // namespace
