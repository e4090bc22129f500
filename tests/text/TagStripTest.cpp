// The tag stripper and the file-name helpers every loader uses.
#include <gtest/gtest.h>

#include "shell/HeadlessPlatform.h"
#include "shell/Unit1.h"
#include "text/FileNames.h"
#include "text/TagStrip.h"

namespace {

TEST(TagStripTest, KeepsTheTextBetweenAndAfterTags) {
  EXPECT_EQ(StripTags("Hello <b>big</b> world").Text, "Hello big world");
  EXPECT_EQ(StripTags("no tags at all").Text, "no tags at all");
  EXPECT_EQ(StripTags("").Text, "");
  EXPECT_EQ(StripTags("<p>one</p>\r\n<p>two</p>\r\n").Text, "one\r\ntwo\r\n");
  EXPECT_EQ(StripTags("a<br\r\n>b").Text, "ab");  // a tag may span lines
}

TEST(TagStripTest, ATagEndsAtTheFirstCloseAfterItsOpen) {
  EXPECT_EQ(StripTags("a > b <i>c</i>").Text, "a > b c");
  EXPECT_EQ(StripTags("<<x>y>").Text, "y>");
  EXPECT_EQ(StripTags("&lt;tag&gt; &amp;").Text, "&lt;tag&gt; &amp;");
}

TEST(TagStripTest, UnclosedTagKeepsWhatCameBefore) {
  const TTagStripResult r = StripTags("x <y");
  EXPECT_TRUE(r.Unclosed);
  EXPECT_EQ(r.Text, "x ");
  EXPECT_FALSE(StripTags("x <y>").Unclosed);
  const TTagStripResult late = StripTags("<b>a</b> c <d");
  EXPECT_EQ(late.Text, "a c ");
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
