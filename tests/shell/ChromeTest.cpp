// The window's chrome driven headless: short names, the credits card and the tray.
#include <algorithm>
#include <cstdlib>

#include "shell/ControlTable.h"
#include "tests/shell/FormFixture.h"

namespace {

class ChromeTest : public FormTest {};

bool InkInRows(const TABitmap& b, int top, int height, TColor colour) {
  for (int y = top; y < top + height; ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != colour) return true;
  return false;
}

TEST_F(ChromeTest, ShowNameSwitchesEveryShortCaptionOfTheTable) {
  TForm1& f = F();
  int named = 0;
  for (bool on : {false, true}) {
    f.LCheckBox13.Checked = on;
    f.LCheckBox13Click();
    named = 0;
    for (const TControlEntry& e : ControlTable()) {
      if (e.Extra.find("shortname") == std::string::npos) continue;
      SCOPED_TRACE(e.Name);
      ++named;
      const TButton* b = f.FindButton(e.Name);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->Caption, on ? e.Caption : "");
    }
    EXPECT_EQ(f.LCheckBox4.HintVisible, on);
    EXPECT_EQ(f.LCheckBox12.HintVisible, on);
  }
  EXPECT_EQ(named, 28);
}

TEST_F(ChromeTest, TheCreditsCardInksItsLinesAndTheNextStepRedrawsThePage) {
  TForm1& f = Start({WriteRows("story.txt", 60)});
  f.TriButton1Click();
  f.TriButton1Click();
  const int page = f.FPage;
  f.LCheckBox7.Checked = false;
  f.About();
  EXPECT_FALSE(f.FPageShown);
  EXPECT_TRUE(f.FRedraw);
  const TABitmap& view = f.Image1.Picture;
  for (int y : {58, 91, 124, 157, 223, 256, 289, 322, 355, 388, 421})
    EXPECT_TRUE(InkInRows(view, y, 21, f.GColor)) << y;
  EXPECT_FALSE(InkInRows(view, 190, 30, f.GColor));  // the blank line
  f.TriButton1Click();
  EXPECT_EQ(f.FPage, page);
  EXPECT_TRUE(f.FPageShown);
}

TEST_F(ChromeTest, TheFadedCardEndsWithinOnePercentOfTheCardAfterSeventeenBlends) {
  TForm1& f = F();
  f.LCheckBox7.Checked = false;
  f.About();
  const TABitmap card = f.Image1.Picture;
  f.Image1.Picture.Fill(clWhite);
  f.LCheckBox7.Checked = true;
  // A batch job or a running effect keeps the view as it is.
  for (bool TForm1::*flag : {&TForm1::FBusy, &TForm1::FDeep}) {
    f.*flag = true;
    f.About();
    f.*flag = false;
    EXPECT_FALSE(InkInRows(f.Image1.Picture, 0, 480, clWhite));
  }
  const int repaints = platform->Repaints;
  f.About();
  EXPECT_EQ(platform->Repaints - repaints, 17);
  int worst = 0;
  for (int y = 0; y < card.Height(); ++y)
    for (int x = 0; x < card.Width(); ++x) {
      const TColor a = card.Pixel(x, y), b = f.Image1.Picture.Pixel(x, y);
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
  EXPECT_LE(worst, 3);
}

TEST_F(ChromeTest, TheTrayHidesTheWindowAndBringsItBack) {
  TForm1& f = F();
  HeadlessPlatform& p = *platform;
  f.FBusy = true;
  f.Small1Click();
  EXPECT_FALSE(p.TrayIcon);
  f.FBusy = false;

  f.Small1Click();
  EXPECT_EQ(p.TrayTip, "Quillane");
  EXPECT_FALSE(p.WindowVisible);
  f.TrayIconMessage(TTrayMouse::RightDown);
  EXPECT_EQ(p.TrayMenus, 1);
  EXPECT_TRUE(p.TrayIcon);
  // "Show" is never refused, not even while a job runs.
  f.FBusy = true;
  f.TrayIconMessage(TTrayMouse::LeftDown);
  EXPECT_TRUE(p.WindowVisible);
  EXPECT_FALSE(p.TrayIcon);
  f.FBusy = false;

  // "Close" (from the tray) and "Exit" close the window; during a job they
  // break it off first.
  for (void (TForm1::*close)() : {&TForm1::Exit1Click, &TForm1::Close1Click}) {
    f.Small1Click();
    f.FBusy = true;
    (f.*close)();
    EXPECT_TRUE(f.FClosePending);
    EXPECT_TRUE(f.FCloseRequested && !f.FBusy);
    f.FClosePending = f.FCloseRequested = false;
  }
  EXPECT_FALSE(p.TrayIcon);  // gone with "Close"
}

TEST_F(ChromeTest, WithoutATraySmallSaysSoAndKeepsTheWindow) {
  platform->TrayAvailable = false;
  F().Small1Click();
  EXPECT_TRUE(platform->WindowVisible);
  EXPECT_EQ(F().HintLabel1.Caption, "No tray on this desktop");
}

}  // namespace
