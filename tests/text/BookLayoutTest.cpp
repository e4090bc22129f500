// A book's notes carried through the store, the wrap and the pages: breaks,
// indents, ruby split over rows, the replacement, a second layout, and the
// switch that shows the text as it is.
#include <gtest/gtest.h>

#include <string>

#include "form/Unit1.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"

using testsupport::Sjis;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Kanji(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "漢";
  return s;
}

class BookLayoutTest : public ::testing::Test {
 protected:
  // Opens the book (UTF-8, written as code page 932) as the window opens a file.
  void Open(const std::string& utf8, TAozoraMode mode = TAozoraMode::Auto) {
    WriteFile(dir / "book.txt", Sjis(utf8));
    form.FAozora = mode;
    form.CheckTurnMoreBig();
    form.PLayOutTextFile(dir / "book.txt");
  }
  // The first line of the laid-out text that starts with utf8; -1 for none.
  int LineOf(const std::string& utf8) const {
    for (int i = 0; i < form.Editor1.Lines.Count(); ++i)
      if (form.Editor1.Lines[i].starts_with(Sjis(utf8))) return i;
    return -1;
  }
  // The decoration of slot k of page p.
  const TSlotDecor& Decor(int page, int k) {
    form.FPage = page;
    form.FRetsuText(form.Editor1);
    return form.FRetsuDecor.at(static_cast<std::size_t>(k));
  }

  TempDir dir;
  HeadlessPlatform platform;
  TForm1 form{platform};
};

TEST_F(BookLayoutTest, EachBreakStartsAPageAndALayoutAgainAddsNothing) {
  const std::pair<const char*, int> cases[] = {
      {"［＃改ページ］", 13},
      {"［＃改丁］", 13},
      {"［＃改見開き］", 13},
      {"［＃改段］", 13},
      // Two breaks leave a page empty; a picture takes a page of its own.
      {"［＃改ページ］\r\n［＃改ページ］", 26},
      {"［＃挿絵（fig1.png）入る］", 26}};
  for (const auto& [notation, line] : cases) {
    SCOPED_TRACE(notation);
    Open("題\r\n\r\n本文\r\n" + std::string(notation) + "\r\n次の文\r\n");
    EXPECT_EQ(LineOf("次の文"), line);
    const std::string laidOut = form.Editor1.Lines.GetText();
    const int pages = form.FAllPage;
    form.FPreEcri(form.Editor1);  // as when the user's text is shown again
    EXPECT_EQ(form.Editor1.Lines.GetText(), laidOut);
    EXPECT_EQ(form.FAllPage, pages);
  }
}

TEST_F(BookLayoutTest, IndentAndFootNarrowTheRowsAndAreHandedToTheSlots) {
  Open("題\r\n\r\n［＃ここから２字下げ］\r\n" + Kanji(30) + "\r\n［＃ここで字下げ終わり］\r\n" +
       "［＃地から３字上げ］" + Kanji(20) + "\r\n" + Kanji(30) + "\r\n");
  const TEditor& e = form.Editor1;
  // 36 bytes a column: 4 less for the indent, 6 less for the raise.
  EXPECT_EQ(e.Lines[2], Sjis(Kanji(16)));
  EXPECT_EQ(e.Lines[3], Sjis(Kanji(14)));
  EXPECT_EQ(e.Lines[4], Sjis(Kanji(15)));
  EXPECT_EQ(e.Lines[5], Sjis(Kanji(5)));
  EXPECT_EQ(e.Lines[6], Sjis(Kanji(18)));  // the text after the block is as wide as ever
  EXPECT_EQ(Decor(1, 3).IndentCells, 2);
  EXPECT_EQ(Decor(1, 4).IndentCells, 2);
  EXPECT_EQ(Decor(1, 5).FootRaise, 3);
  EXPECT_TRUE(Decor(1, 7).Empty());
}

TEST_F(BookLayoutTest, RubyAcrossRowsSplitsItsReadingAndTheReplacementMovesIt) {
  // The tab before the base grows to 8 bytes and the colon to 3: the ruby
  // still covers its base. A base of 4 characters, 1 at the end of the first
  // row (12 + 22 + 2 bytes) and 3 on the next, splits a reading of 8 as 2 and 6.
  Open("題\r\n\r\n\t：a" + Kanji(11) + "｜春夏秋冬《はるなつあきふゆ》です\r\n", TAozoraMode::On);
  const TSlotDecor& first = Decor(1, 3);
  ASSERT_EQ(first.Ruby.size(), 1u);
  EXPECT_EQ(form.FRetsu[3].substr(first.Ruby[0].Begin, first.Ruby[0].End - first.Ruby[0].Begin),
            Sjis("春"));
  EXPECT_EQ(first.Ruby[0].Reading, Sjis("はる"));
  const TSlotDecor& second = Decor(1, 4);
  ASSERT_EQ(second.Ruby.size(), 1u);
  EXPECT_EQ(form.FRetsu[4].substr(second.Ruby[0].Begin, second.Ruby[0].End), Sjis("夏秋冬"));
  EXPECT_EQ(second.Ruby[0].Reading, Sjis("なつあきふゆ"));
  EXPECT_EQ(form.FRetsu[4], Sjis("夏秋冬です"));  // the reading left the store
}

TEST_F(BookLayoutTest, HeadingsAreListedWithTheirPagesAndOffShowsTheTextAsItIs) {
  const std::string book = "題\r\n\r\n序\r\n［＃改ページ］\r\n第一章［＃「第一章」は中見出し］\r\n";
  WriteFile(dir / "book.txt", Sjis(book));
  form.PLoadTextFile(dir / "book.txt");  // as Open does, with the status line
  ASSERT_EQ(form.FHeadings.size(), 1u);
  EXPECT_EQ(form.FHeadings[0].Caption, "第一章");
  EXPECT_EQ(form.FHeadings[0].Page, 2);
  EXPECT_EQ(form.HintLabel1.Caption, "注記2件を反映");
  Open(book, TAozoraMode::Off);
  EXPECT_TRUE(form.FHeadings.empty());
  EXPECT_EQ(LineOf("［＃改ページ］"), 3);
  form.FRetsuText(form.Editor1);
  EXPECT_TRUE(form.FRetsuDecor.empty());
}

}  // namespace
