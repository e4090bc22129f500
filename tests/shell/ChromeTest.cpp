// The window's chrome driven headless: the control table, short names, the
// credits card and the tray.
#include <algorithm>
#include <cstdlib>

#include "form/ControlTable.h"
#include "tests/shell/FormFixture.h"

namespace {

class ChromeTest : public FormTest {};

bool InkInRows(const TABitmap& b, int top, int height, TColor colour) {
  for (int y = top; y < top + height; ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != colour) return true;
  return false;
}

TEST(ControlTableTest, WindowControlsFitTheClientAreaWithoutOverlapping) {
  std::vector<const TControlEntry*> top;
  for (const TControlEntry& e : ControlTable())
    if (e.Parent.empty()) top.push_back(&e);
  for (std::size_t i = 0; i < top.size(); ++i) {
    const TControlEntry& a = *top[i];
    EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Left + a.Width <= 876 && a.Top + a.Height <= 605)
        << a.Name;
    for (std::size_t j = i + 1; j < top.size(); ++j) {
      const TControlEntry& b = *top[j];
      EXPECT_FALSE(a.Left < b.Left + b.Width && b.Left < a.Left + a.Width &&
                   a.Top < b.Top + b.Height && b.Top < a.Top + a.Height)
          << a.Name << " and " << b.Name;
    }
  }
}

TEST_F(ChromeTest, ShowNameSwitchesEveryShortCaptionOfTheTable) {
  TForm1& f = F();
  for (bool on : {false, true}) {
    f.LCheckBox13.Checked = on;
    f.LCheckBox13Click();
    for (const TControlEntry& e : ControlTable())
      EXPECT_TRUE(e.Extra.find("shortname") == std::string::npos ||
                  f.FindButton(e.Name)->Caption == (on ? e.Caption : ""))
          << e.Name;
    EXPECT_EQ(f.LCheckBox4.HintVisible && f.LCheckBox12.HintVisible, on);
  }
  EXPECT_EQ(f.Open.Caption, "Open");  // the loop met the marked buttons
}

TEST_F(ChromeTest, TheCreditsCardInksItsLinesFadesInAndTheNextStepRedrawsThePage) {
  TForm1& f = Start({WriteRows("story.txt", 60)});
  f.TriButton1Click();
  f.TriButton1Click();
  const int page = f.FPage;
  f.LCheckBox7.Checked = false;
  f.About();
  const TABitmap card = f.Image1.Picture;
  for (int y : {58, 157, 223, 421}) EXPECT_TRUE(InkInRows(card, y, 21, f.GColor)) << y;
  EXPECT_FALSE(InkInRows(card, 190, 30, f.GColor));  // the blank line
  f.Image1.Picture.Fill(clWhite);
  f.LCheckBox7.Checked = true;
  // Faded in, it ends within about one percent of the card.
  const int repaints = platform->Repaints;
  f.About();
  EXPECT_EQ(platform->Repaints - repaints, 17);
  int worst = 0;
  for (int y = 0; y < card.Height(); ++y)
    for (int x = 0; x < card.Width(); ++x)
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(int((card.Pixel(x, y) >> shift) & 0xFF) -
                                         int((f.Image1.Picture.Pixel(x, y) >> shift) & 0xFF)));
  EXPECT_LE(worst, 3);
  EXPECT_TRUE(!f.FPageShown && f.FRedraw);
  f.TriButton1Click();
  EXPECT_TRUE(f.FPage == page && f.FPageShown);
}

TEST_F(ChromeTest, TheTrayHidesTheWindowAndBringsItBackOrSmallSaysThereIsNone) {
  TForm1& f = F();
  f.CMShowingChanged(true);  // as the view reports the window it showed
  HeadlessPlatform& p = *platform;
  f.FBusy = true;
  f.Small1Click();
  EXPECT_FALSE(p.TrayIcon);
  f.FBusy = false;
  f.Small1Click();
  EXPECT_TRUE(p.TrayTip == "Quillane" && !p.WindowVisible);
  f.TrayIconMessage(TTrayMouse::RightDown);
  EXPECT_TRUE(p.TrayMenus == 1 && p.TrayIcon);
  f.FBusy = true;  // "Show" is never refused, not even while a job runs
  f.TrayIconMessage(TTrayMouse::LeftDown);
  EXPECT_TRUE(p.WindowVisible && !p.TrayIcon);
  f.FBusy = false;
  // "Close" (from the tray) and "Exit" close the window; during a job they
  // break it off first.
  for (void (TForm1::*close)() : {&TForm1::Exit1Click, &TForm1::Close1Click}) {
    f.Small1Click();
    f.FBusy = true;
    (f.*close)();
    EXPECT_TRUE(f.FClosePending && f.FCloseRequested && !f.FBusy);
    f.FClosePending = f.FCloseRequested = false;
  }
  EXPECT_FALSE(p.TrayIcon);      // gone with "Close"
  f.LCheckBox12.Checked = true;  // no closing card on a face the view hid:
  f.CMShowingChanged(false);
  Close();
  EXPECT_FALSE(f.FFinish);
  // Without a tray "Small" says so and keeps the window.
  NewForm();
  platform->TrayAvailable = false;
  F().Small1Click();
  EXPECT_TRUE(platform->WindowVisible);
  EXPECT_EQ(F().HintLabel1.Caption, "No tray on this desktop");
}

}  // namespace
