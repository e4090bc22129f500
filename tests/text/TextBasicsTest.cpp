// Code page 932 at the program's edges, the conversion of other encodings to
// it, the character replacement before layout, the tag stripper, and the
// built-in text.
#include <gtest/gtest.h>

#include "form/Unit1.h"
#include "resources/Embedded.h"
#include "shell/HeadlessPlatform.h"
#include "tests/common/TestSupport.h"
#include "text/Encoding.h"
#include "text/Sjis.h"

using testsupport::Repeat;
using testsupport::Sjis;

namespace {

// Invalid bytes, a trail byte out of range and a lead byte at the very end
// give U+FFFD, one per character as the lead-byte rule cuts them.
TEST(SjisTest, CharactersConvertOrBecomeTheReplacementAndTheBuiltInTextLosesNone) {
  const std::pair<const char*, char32_t> cases[] = {
      {"A", U'A'},         {"\x82\xa0", U'あ'}, {"\x81\x40", U'　'}, {"\xb1", U'ｱ'},
      {"\x87\x40", U'①'},  {"\x9f\x40", U'檗'}, {"\xe0\x40", U'漾'}, {"\xfc\x4b", U'黑'},
      {"\xdf", U'ﾟ'},      {"\xa0", U'\uFFFD'}, {"\xfd", U'\uFFFD'}, {"\x81\x7f", U'\uFFFD'},
      {"\x81", U'\uFFFD'}, {"", U'\uFFFD'}};
  for (const auto& [sjis, cp] : cases)
    EXPECT_EQ(SjisCharToCodePoint(sjis), cp) << testing::PrintToString(std::string(sjis));
  EXPECT_EQ(SjisCharLength("z\x82", 1), 1u);
  EXPECT_EQ(SjisToUtf8("a\x81\x7f" + std::string("b\xfd\x82")), "a\uFFFDb\uFFFD\uFFFD");
  // What code page 932 cannot hold, malformed UTF-8 included, becomes '?'.
  const std::pair<std::string, std::string> toSjis[] = {
      {"日本語 abc ｱｲ", "\x93\xfa\x96\x7b\x8c\xea abc \xb1\xb2"},
      {std::string("\0\t\r\n", 4), std::string("\0\t\r\n", 4)},
      {"a😀b", "a?b"},
      {"한", "?"},
      {"a\xC3(b", "a?(b"},
      {"\xC0\xAF", "??"},
      {"\xED\xA0\x80", "???"},
      {"\xE6\x97", "??"}};
  for (const auto& [utf8, sjis] : toSjis) EXPECT_EQ(Utf8ToSjis(utf8), sjis) << utf8;
  // No character of the built-in text is lost to code page 932.
  std::string rebuilt;
  for (const auto& line : TForm1::StringResource1()) rebuilt += SjisToUtf8(line) + "\n";
  EXPECT_EQ(rebuilt, EmbeddedBuiltinText());
}

// However long a run of characters without a code-page-932 form (their cost is
// the benchmarks' matter), each is carried under the one code its character
// got and counted; bytes that are no character each give one 〓, and a
// stateful decoder keeps its state past them.
TEST(EncodingTest, ALongRunOfCharactersWithoutAFormIsCarriedAndBadBytesGiveOneGetaEach) {
  constexpr int n = 100000;
  const std::string geta = Sjis("〓"), first = "\xF0\x40";
  const std::tuple<const char*, std::string, TTextEncoding, std::string, bool> cases[] = {
      {"Hangul in UTF-8", Repeat("한", n), TTextEncoding::Auto, Repeat(first, n), false},
      {"emoji among kanji in UTF-16LE", "\xFF\xFE" + Repeat("\x3D\xD8\x3A\xDE\x2B\x73", n),
       TTextEncoding::Auto, Repeat(first + Sjis("猫"), n), false},
      {"bytes no EUC-JP character starts with", Repeat("\xFF", n), TTextEncoding::EucJp,
       Repeat(geta, n), true},
      {"ISO-2022-JP that never shifts back", "\x1B$B" + Repeat("\x24\x22\x80", n),
       TTextEncoding::Iso2022Jp, Repeat(Sjis("あ") + geta, n), true}};
  for (const auto& [name, bytes, encoding, text, undecodable] : cases) {
    SCOPED_TRACE(name);
    const TDecodedText decoded = DecodeText(bytes, false, encoding);
    EXPECT_TRUE(decoded.Bytes == text);  // not printed: 200 kB either side
    EXPECT_EQ(decoded.Report.Replaced, undecodable ? n : 0u);
    EXPECT_EQ(decoded.Report.Carried, undecodable ? 0u : n);
    EXPECT_EQ(decoded.Carried.Size(), undecodable ? 0u : 1u);
  }
  EXPECT_EQ(ReplacedMessage(n), "100000字を〓に置換");
}

// A window headless, for the routines that work on its line stores.
class FormTextTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform;
  TForm1 form{platform};
};

TEST_F(FormTextTest, ReplacementTurnsTabsBracketsAndColonsInTheGivenStoreOnlyAndRewrapsOnce) {
  const std::pair<std::string, std::string> cases[] = {
      {"\t", "\x81\x40\x81\x40\x81\x40\x81\x40"},
      {Sjis("≪題≫"), Sjis("《題》")},
      {Sjis("語：語"), Sjis("語") + " : " + Sjis("語")},
      {"a:b <<c>>", "a:b <<c>>"},  // half-width signs are left alone
      // The trail byte of 0x88 0x81 and the 'F' after it spell the full-width
      // colon: the byte search replaces them.
      {"\x88\x81\x46", "\x88 : "}};
  form.Editor1.Lines.SetText("\t");
  for (const auto& [text, replaced] : cases) {
    form.Editor2.Lines.SetText(text);
    form.Freplace(form.Editor2);
    ASSERT_EQ(form.Editor2.Lines.Count(), 1);
    EXPECT_EQ(form.Editor2.Lines[0], replaced) << testing::PrintToString(text);
  }
  EXPECT_EQ(form.Editor1.Lines[0], "\t");
  // On the shown store it rewraps once and restores the store's state.
  TEditor& e = form.Editor1;
  e.Lines.SetText(std::string(50, 'x') + "\r\n" + std::string(5000, '\t'));
  const auto before = e.WrapCount();
  form.Freplace(e);
  EXPECT_EQ(e.WrapCount(), before + 1);
  EXPECT_TRUE(e.WordWrap() && e.ReadOnly && !platform.BusyCursor);
  EXPECT_EQ(e.Lines[1].size(), 40000u);
  EXPECT_EQ(e.Rows(1), std::string(50, 'x').substr(36));
}

// A tag ends at the first '>' after its '<' and may span lines; comments and
// the contents of scripts and styles go whole; entities stay as written; an
// unclosed tag, comment or script keeps the text before it and is told once.
TEST_F(FormTextTest, TagsAreStrippedAndAnUnclosedOneIsTold) {
  const std::string told = "タグが閉じられていません\nソースに問題があります";
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"Hello <b>big</b> world", "Hello big world", false},
      {"", "", false},
      {"<p>one</p>\r\n<p>two</p>\r\n", "one\r\ntwo\r\n", false},
      {"a<br\r\n>b", "ab", false},
      {"a > b <i>c</i>", "a > b c", false},
      {"<<x>y>", "y>", false},
      {"&lt;tag&gt; &amp;", "&lt;tag&gt; &amp;", false},
      {"x <y", "x ", true},
      {"<b>a</b> c <d", "a c ", true},
      {"a<!-- <p> -->b", "ab", false},
      {"a<!-->b<!--->c<!-- x -- y -->d", "abcd", false},
      {"a<SCRIPT type=x>if (a<b) f('</p>');</Script >b", "ab", false},
      {"a<style>p > b {}</style>b<scripts>c</scripts>", "abc", false},
      {"a<script src=x />b</script\r\n>c", "ac", false},
      {"a<!-- b", "a", true},
      {"a<script>b", "a", true}};
  for (const auto& [html, text, unclosed] : cases) {
    platform.Messages.clear();
    EXPECT_EQ(form.PTagStrip(html), text) << html;
    std::string messages;
    for (const auto& m : platform.Messages) messages += m.Text;
    EXPECT_EQ(messages, unclosed ? told : "") << html;
  }
}

}  // namespace
