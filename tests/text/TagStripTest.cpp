// The tag stripper and the file-name helpers every loader uses.
#include <gtest/gtest.h>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "text/FileNames.h"
#include "text/TagStrip.h"

namespace {

TEST(TagStripTest, KeepsTheTextOutsideTagsAndWhatCameBeforeAnUnclosedOne) {
  const struct {
    const char* html;
    const char* text;
    bool unclosed;
  } cases[] = {
      {"Hello <b>big</b> world", "Hello big world", false},
      {"no tags at all", "no tags at all", false},
      {"", "", false},
      {"<p>one</p>\r\n<p>two</p>\r\n", "one\r\ntwo\r\n", false},
      {"a<br\r\n>b", "ab", false},  // a tag may span lines
      // A tag ends at the first '>' after its '<'; entities stay as written.
      {"a > b <i>c</i>", "a > b c", false},
      {"<<x>y>", "y>", false},
      {"&lt;tag&gt; &amp;", "&lt;tag&gt; &amp;", false},
      {"x <y", "x ", true},
      {"x <y>", "x ", false},
      {"<b>a</b> c <d", "a c ", true},
  };
  for (const auto& c : cases) {
    const TTagStripResult r = StripTags(c.html);
    EXPECT_EQ(r.Text, c.text) << c.html;
    EXPECT_EQ(r.Unclosed, c.unclosed) << c.html;
  }
}

TEST(TagStripTest, FormShowsTheMessageOnlyForAnUnclosedTag) {
  HeadlessPlatform platform;
  TForm1 form(platform);
  EXPECT_EQ(form.PTagStrip("<b>ok</b>"), "ok");
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_EQ(form.PTagStrip("x <y"), "x ");
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text, "タグが閉じられていません\nソースに問題があります");
  EXPECT_EQ(platform.Messages[0].Icon, MsgIcon::Information);
  EXPECT_EQ(platform.Messages[0].Buttons, MsgButtons::Ok);
}

TEST(FileNamesTest, NameAndExtension) {
  EXPECT_EQ(ExtractFileName("/home/u/texts/a.txt"), "a.txt");
  EXPECT_EQ(ExtractFileName("a.txt"), "a.txt");
  EXPECT_EQ(ExtractFileName("/dir/"), "");
  EXPECT_EQ(ExtractFileExt("/d/note.txt.htm"), ".htm");
  EXPECT_EQ(ExtractFileExt("/d.x/README"), "");
  EXPECT_EQ(ExtractFileExt("/d/A.HTML"), ".HTML");
}

TEST(FileNamesTest, HtmlExtensionsAreExact) {
  for (const char* yes : {"a.htm", "a.html", "a.HTM", "a.HTML", "/x/y.z/p.html"})
    EXPECT_TRUE(HasHtmlExtension(yes)) << yes;
  for (const char* no : {"a.Htm", "a.Html", "a.txt", "a.htmx", "html", "/x.html/readme"})
    EXPECT_FALSE(HasHtmlExtension(no)) << no;
}

}  // namespace
