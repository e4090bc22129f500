// Every layout of both page sizes puts slot k's ink in that slot's band, and the
// page number where the tables put it.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "render/PageCompose.h"
#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "tests/common/TestSupport.h"

namespace {

using testsupport::Sjis;

struct Box {
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  bool Empty() const { return maxX < minX; }
};

Box InkBox(const TABitmap& b) {
  Box box;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != clWhite) {
        box.minX = std::min(box.minX, x), box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y), box.maxY = std::max(box.maxY, y);
      }
  return box;
}

enum class Mode { Normal, Full, BigFont, MoreBig, Turn };

// What the tables say about one layout: cell height, direction and origin of
// slot k, and how many slots it draws.
struct Expected {
  const char* name;
  bool builtin;
  bool horizontal;
  Mode mode;
  bool shift;
  bool qvga;
  int height;
  enum { Column, Row } band;
  int count;
  std::function<int(int)> x, y;
};

std::vector<Expected> Layouts() {
  const auto fixed = [](int v) { return [v](int) { return v; }; };
  const auto rowsFull = [](int k) { return 25 + 33 * (k - 1); };
  const int rowsQvga[] = {12, 29, 45, 62, 78, 95, 111, 128, 144, 161, 177, 194, 210};
  const auto rowsHalf = [rowsQvga](int k) { return rowsQvga[k - 1]; };
  const int turnFull[] = {20, 77, 134, 191, 248, 305, 362, 420};
  const int turnQvga[] = {10, 38, 67, 95, 124, 152, 181, 210};
  const int bigQvga[] = {315, 290, 266, 241, 217, 192, 168, 143, 119, 94, 70, 45, 21};
  const auto turnRow = [turnFull](int k) { return turnFull[k - 1]; };
  const auto turnRowQ = [turnQvga](int k) { return turnQvga[k - 1]; };
  return {
      {"builtin vertical", true, false, Mode::Normal, false, false, 20, Expected::Column, 13,
       [](int k) { return 580 - 42 * (k - 1); }, fixed(50)},
      {"builtin vertical ignores size", true, false, Mode::MoreBig, false, false, 20,
       Expected::Column, 13, [](int k) { return 580 - 42 * (k - 1); }, fixed(50)},
      {"builtin horizontal", true, true, Mode::Normal, false, false, 21, Expected::Row, 13,
       fixed(110), rowsFull},
      {"turn", false, false, Mode::Turn, false, false, 42, Expected::Row, 8, fixed(40), turnRow},
      {"turn shifted", false, false, Mode::Turn, true, false, 42, Expected::Row, 8, fixed(85),
       turnRow},
      {"turn horizontal", false, true, Mode::Turn, false, false, 42, Expected::Row, 8, fixed(40),
       turnRow},
      {"vertical normal", false, false, Mode::Normal, false, false, 20, Expected::Column, 13,
       [](int k) { return 580 - 42 * (k - 1); }, fixed(50)},
      {"vertical full", false, false, Mode::Full, false, false, 24, Expected::Column, 13,
       [](int k) { return 630 - 50 * (k - 1); }, fixed(10)},
      {"vertical bigfont", false, false, Mode::BigFont, false, false, 29, Expected::Column, 13,
       [](int k) { return 630 - 49 * (k - 1); }, fixed(8)},
      {"vertical morebig", false, false, Mode::MoreBig, false, false, 33, Expected::Column, 13,
       [](int k) { return 630 - 49 * (k - 1); }, fixed(8)},
      {"horizontal normal", false, true, Mode::Normal, false, false, 21, Expected::Row, 13,
       fixed(110), rowsFull},
      {"horizontal bigfont", false, true, Mode::BigFont, false, false, 29, Expected::Row, 13,
       fixed(100), rowsFull},
      {"horizontal morebig", false, true, Mode::MoreBig, false, false, 33, Expected::Row, 13,
       fixed(100), rowsFull},
      {"qvga builtin vertical", true, false, Mode::Normal, false, true, 10, Expected::Column, 13,
       [](int k) { return 290 - 21 * (k - 1); }, fixed(25)},
      {"qvga builtin horizontal", true, true, Mode::Normal, false, true, 10, Expected::Row, 13,
       fixed(55), rowsHalf},
      {"qvga turn", false, false, Mode::Turn, false, true, 21, Expected::Row, 8, fixed(25),
       turnRowQ},
      {"qvga turn shifted", false, false, Mode::Turn, true, true, 21, Expected::Row, 8, fixed(43),
       turnRowQ},
      {"qvga vertical normal", false, false, Mode::Normal, false, true, 10, Expected::Column, 13,
       [](int k) { return 290 - 21 * (k - 1); }, fixed(25)},
      {"qvga vertical full", false, false, Mode::Full, false, true, 12, Expected::Column, 13,
       [](int k) { return 315 - 25 * (k - 1); }, fixed(5)},
      {"qvga vertical bigfont", false, false, Mode::BigFont, false, true, 14, Expected::Column, 13,
       [bigQvga](int k) { return bigQvga[k - 1]; }, fixed(4)},
      {"qvga vertical morebig", false, false, Mode::MoreBig, false, true, 16, Expected::Column, 13,
       [bigQvga](int k) { return bigQvga[k - 1]; }, fixed(4)},
      {"qvga horizontal normal", false, true, Mode::Normal, false, true, 10, Expected::Row, 13,
       fixed(55), rowsHalf},
      {"qvga horizontal bigfont", false, true, Mode::BigFont, false, true, 14, Expected::Row, 13,
       fixed(50), rowsHalf},
      {"qvga horizontal morebig", false, true, Mode::MoreBig, false, true, 16, Expected::Row, 13,
       fixed(50), rowsHalf},
  };
}

class PageLayout : public ::testing::Test {
 protected:
  PageLayout() : form(platform) {
    form.GColor = clWhite;
    form.FoColor = clBlack;
  }
  void Configure(const Expected& e) {
    form.FFileIn = !e.builtin;
    form.LCheckBox8.Checked = e.horizontal;
    const int level = static_cast<int>(e.mode);
    form.FullCheckBox.Checked = level >= 1;
    form.BigFontCheckBox.Checked = level >= 2;
    form.MoreBigCheckBox.Checked = level >= 3;
    form.TurnCheckBox.Checked = level >= 4;
    form.FShiftRight = e.shift;
  }
  HeadlessPlatform platform;
  TForm1 form;
};

// A line as long as the mode's columns (13, 15 or 18 full-width characters).
std::string FullLine(const Expected& e) {
  const int chars = e.mode == Mode::BigFont ? 15 : (e.mode >= Mode::MoreBig ? 13 : 18);
  std::string line;
  for (int i = 0; i < chars; ++i) line += "鬱";
  return Sjis(line);
}

TEST_F(PageLayout, EachSlotDrawsInsideItsOwnBandOnly) {
  for (const Expected& e : Layouts()) {
    Configure(e);
    const int width = e.qvga ? 320 : 640, height = e.qvga ? 240 : 480;
    for (int k = 1; k <= 13; ++k) {
      SCOPED_TRACE(std::string(e.name) + ", slot " + std::to_string(k));
      for (auto& slot : form.FRetsu) slot.clear();
      form.FRetsu[static_cast<std::size_t>(k)] = FullLine(e);
      TABitmap page(width, height);
      ComposePage(form, page, e.qvga, false);
      const Box ink = InkBox(page);
      if (k > e.count) {
        EXPECT_TRUE(ink.Empty()) << "a slot beyond the page's columns is drawn";
        continue;
      }
      ASSERT_FALSE(ink.Empty());
      const int x = e.x(k), y = e.y(k);
      if (e.band == Expected::Column) {
        EXPECT_GE(ink.minX, x - e.height - 1);
        EXPECT_LE(ink.maxX, x + 1);
        EXPECT_GE(ink.minY, y);
      } else {
        EXPECT_GE(ink.minY, y);
        EXPECT_LE(ink.maxY, y + e.height + 1);
        EXPECT_GE(ink.minX, x);
      }
      // The mode's full column stays on the page.
      EXPECT_LT(ink.maxX, width - 1);
      EXPECT_LT(ink.maxY, height - 1);
    }
  }
}

struct StampCase {
  const char* name;
  Mode mode;
  bool horizontal;
  bool qvga;
  int x, y, height;
  bool turned;
};

TEST_F(PageLayout, PageNumberIsStampedWhereTheTablesPutIt) {
  const StampCase cases[] = {
      {"normal", Mode::Normal, false, false, 33, 457, 19, false},
      {"bigfont", Mode::BigFont, false, false, 42, 457, 19, false},
      {"turn", Mode::Turn, false, false, 10, 457, 26, true},
      {"turn horizontal", Mode::Turn, true, false, 10, 457, 26, false},
      {"qvga normal", Mode::Normal, false, true, 16, 228, 9, false},
      {"qvga bigfont", Mode::BigFont, false, true, 21, 228, 9, false},
      {"qvga turn", Mode::Turn, false, true, 5, 228, 13, true},
  };
  for (const StampCase& c : cases) {
    SCOPED_TRACE(c.name);
    Configure({c.name, false, c.horizontal, c.mode, false, c.qvga, 0, Expected::Row, 0, {}, {}});
    for (auto& slot : form.FRetsu) slot.clear();
    form.FPage = 128;
    TABitmap page(c.qvga ? 320 : 640, c.qvga ? 240 : 480);
    ComposePage(form, page, c.qvga, true);
    const Box ink = InkBox(page);
    ASSERT_FALSE(ink.Empty());
    // One pixel of slack: small digits are grid-fitted and antialiased.
    if (c.turned) {  // runs upward from (x, y) with its cells right of x
      EXPECT_GE(ink.minX, c.x - 1);
      EXPECT_LE(ink.maxX, c.x + c.height);
      EXPECT_LE(ink.maxY, c.y);
      EXPECT_GT(ink.maxY - ink.minY, ink.maxX - ink.minX);
    } else {
      EXPECT_GE(ink.minX, c.x - 1);
      EXPECT_LE(ink.minX, c.x + c.height / 2);
      EXPECT_GE(ink.minY, c.y - 1);
      EXPECT_LE(ink.maxY, c.y + c.height);
      EXPECT_GT(ink.maxX - ink.minX, ink.maxY - ink.minY);
    }
    TABitmap plain(page.Width(), page.Height());
    ComposePage(form, plain, c.qvga, false);
    EXPECT_TRUE(InkBox(plain).Empty()) << "no stamp unless asked";
  }
}

TEST_F(PageLayout, EmptySlotsLeaveAPlainBackground) {
  form.GColor = RGBColor(12, 34, 56);
  for (auto& slot : form.FRetsu) slot = Sjis("　");
  TABitmap page(640, 480);
  ComposePage(form, page, false, false);
  TABitmap plain(640, 480);
  plain.Fill(RGBColor(12, 34, 56));
  EXPECT_TRUE(page == plain);
}

}  // namespace
