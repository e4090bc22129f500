// Every layout of both page sizes: each slot draws on the page in a band of its
// own, in reading order, and the page number goes where the stamp belongs.
#include <gtest/gtest.h>

#include <string>

#include "form/RenderSteps.h"
#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/Ink.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

enum class Mode { Normal, Full, BigFont, MoreBig, Turn };

struct Layout {
  bool builtin, horizontal;
  Mode mode;
  bool shift, qvga;
};

// "user text, vertical, Turn, shifted, QVGA" and the like.
std::string Describe(const Layout& l) {
  static const char* const kModes[] = {"normal", "Full", "BigFont", "MoreBig", "Turn"};
  return std::string(l.builtin ? "built-in text" : "user text") +
         (l.horizontal ? ", horizontal, " : ", vertical, ") + kModes[static_cast<int>(l.mode)] +
         (l.shift ? ", shifted" : "") + (l.qvga ? ", QVGA" : "");
}

class PageLayout : public ::testing::Test {
 protected:
  PageLayout() : form(platform) {
    form.GColor = clWhite;
    form.FoColor = clBlack;
  }
  void Configure(const Layout& l) {
    form.FFileIn = !l.builtin;
    form.LCheckBox8.Checked = l.horizontal;
    const int level = static_cast<int>(l.mode);
    std::tie(form.FullCheckBox.Checked, form.BigFontCheckBox.Checked, form.MoreBigCheckBox.Checked,
             form.TurnCheckBox.Checked) =
        std::tuple(level >= 1, level >= 2, level >= 3, level >= 4);
    form.FShiftRight = l.shift;
    for (auto& slot : form.FRetsu) slot.clear();
  }
  TABitmap Compose(bool qvga, bool stamp) {
    TABitmap page(qvga ? 320 : 640, qvga ? 240 : 480);
    ComposePage(form, page, qvga, stamp);
    return page;
  }
  // The ink of slot k alone, holding a line as long as the mode's columns.
  Ink Slot(const Layout& l, int k) {
    Configure(l);
    const int chars = l.mode == Mode::BigFont ? 15 : (l.mode >= Mode::MoreBig ? 13 : 18);
    form.FRetsu[static_cast<std::size_t>(k)] = Sjis(testsupport::Repeat("鬱", chars));
    return InkOf(Compose(l.qvga, false));
  }
  HeadlessPlatform platform;
  TForm1 form;
};

TEST_F(PageLayout, SlotsFillTheirOwnBandsInReadingOrderAndStayOnThePage) {
  std::vector<Layout> layouts;
  for (bool qvga : {false, true})
    for (bool horizontal : {false, true}) {
      layouts.push_back({true, horizontal, Mode::Normal, false, qvga});
      layouts.push_back({true, horizontal, Mode::MoreBig, false, qvga});  // size is ignored
      for (Mode mode : {Mode::Normal, Mode::Full, Mode::BigFont, Mode::MoreBig, Mode::Turn})
        layouts.push_back({false, horizontal, mode, false, qvga});
      layouts.push_back({false, horizontal, Mode::Turn, true, qvga});
    }
  for (const Layout& l : layouts) {
    SCOPED_TRACE(Describe(l));
    const int count = l.mode == Mode::Turn && !l.builtin ? 8 : 13;
    // Vertical columns run right to left; rows and turned columns top to bottom.
    const bool columns = !l.horizontal && (l.builtin || l.mode != Mode::Turn);
    Ink previous;
    for (int k = 1; k <= 13; ++k) {
      SCOPED_TRACE("slot " + std::to_string(k));
      const Ink ink = Slot(l, k);
      if (k > count) {
        EXPECT_TRUE(ink.Empty()) << "a slot beyond the page's columns is drawn";
        continue;
      }
      ASSERT_FALSE(ink.Empty());
      EXPECT_TRUE(ink.maxX < (l.qvga ? 319 : 639) && ink.maxY < (l.qvga ? 239 : 479));
      if (k > 1) {
        EXPECT_TRUE(columns ? ink.maxX < previous.minX : ink.minY > previous.maxY)
            << "slot overlaps or precedes the one before it";
      }
      previous = ink;
    }
  }
  // The built-in text keeps the normal layout whatever the size options say.
  const Layout normal{true, false, Mode::Normal, false, false};
  const Layout big{true, false, Mode::MoreBig, false, false};
  const Ink a = Slot(normal, 3), b = Slot(big, 3);  // lines of their own lengths
  EXPECT_EQ(std::tie(a.minX, a.maxX, a.minY), std::tie(b.minX, b.maxX, b.minY));
  // Shifted turned columns start further right, on either page.
  for (bool qvga : {false, true})
    EXPECT_GT(Slot({false, false, Mode::Turn, true, qvga}, 1).minX,
              Slot({false, false, Mode::Turn, false, qvga}, 1).minX + 10);
}

TEST_F(PageLayout, PageNumberIsStampedBottomLeftRunningUpOnTurnedPages) {
  const std::tuple<const char*, Mode, bool, bool, int, int, int, bool> cases[] = {
      {"normal", Mode::Normal, false, false, 33, 457, 19, false},
      {"bigfont", Mode::BigFont, false, false, 42, 457, 19, false},
      {"turn", Mode::Turn, false, false, 10, 457, 26, true},
      {"turn horizontal", Mode::Turn, true, false, 10, 457, 26, false},
      {"qvga normal", Mode::Normal, false, true, 16, 228, 9, false},
      {"qvga bigfont", Mode::BigFont, false, true, 21, 228, 9, false},
      {"qvga turn", Mode::Turn, false, true, 5, 228, 13, true},
  };
  for (const auto& [name, mode, horizontal, qvga, x, y, height, turned] : cases) {
    SCOPED_TRACE(name);
    Configure({false, horizontal, mode, false, qvga});
    form.FPage = 128;
    const Ink ink = InkOf(Compose(qvga, true));
    ASSERT_FALSE(ink.Empty());
    // One pixel of slack: small digits are grid-fitted and antialiased.
    EXPECT_GE(ink.minX, x - 1);
    if (turned) {  // runs upward from (x, y) with its cells right of x
      EXPECT_LE(ink.maxX, x + height);
      EXPECT_LE(ink.maxY, y);
      EXPECT_GT(ink.maxY - ink.minY, ink.maxX - ink.minX);
    } else {
      EXPECT_LE(ink.minX, x + height / 2);
      EXPECT_GE(ink.minY, y - 1);
      EXPECT_LE(ink.maxY, y + height);
      EXPECT_GT(ink.maxX - ink.minX, ink.maxY - ink.minY);
    }
    EXPECT_TRUE(InkOf(Compose(qvga, false)).Empty()) << "no stamp unless asked";
  }
}

}  // namespace
