// Texts in today's encodings opened as a user opens them: each reads as the
// same code-page-932 text, what cannot be shown becomes 〓 and is counted, HTML
// references are decoded, and files that are not plain readable texts are
// refused before they are read.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/shell/FormFixture.h"

using testsupport::Sjis;
using testsupport::WriteFile;

namespace {

// utf8 in another encoding, by the system's converter.
std::string Encode(const std::string& utf8, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(utf8.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* dst = out.data();
  std::size_t inLeft = utf8.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv(cd, nullptr, nullptr, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

const std::string kSample = "日本語の本文〜−‖\r\nＡＢＣ abc\r\n";

std::string Html(const std::string& meta, const std::string& body) {
  return "<html><head>" + meta + "</head><body>" + body + "</body></html>";
}

class EncodingTest : public FormTest {
 protected:
  std::string Open(const std::string& name, const std::string& bytes) {
    WriteFile(dir / name, bytes);
    OpenFile(dir / name);
    // Without the full-width-space lines that pad the text to whole pages.
    std::string text = UserText();
    while (text.ends_with("\x81\x40\n")) text.resize(text.size() - 3);
    return text;
  }
};

TEST_F(EncodingTest, EveryEncodingReadsAsTheSameShiftJisText) {
  const std::string expected = Open("ref.txt", Sjis(kSample));
  ASSERT_NE(expected.find(Sjis("日本語")), std::string::npos);
  // Shift-JIS bytes that also happen to be valid UTF-8 (E9 A0 B4: a kanji and ｴ).
  const std::string lookalike = "\xE9\xA0\xB4\r\n";
  const struct {
    const char* name;
    std::string bytes;
    std::string want;
  } cases[] = {
      {"u8.txt", kSample, expected},
      {"u8bom.txt", "\xEF\xBB\xBF" + kSample, expected},
      {"u16le.txt", "\xFF\xFE" + Encode(kSample, "UTF-16LE"), expected},
      {"u16be.txt", "\xFE\xFF" + Encode(kSample, "UTF-16BE"), expected},
      {"meta.html", Html("<meta charset=\"utf-8\">", kSample), expected},
      {"equiv.html",
       Html("<META http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">",
            Encode(kSample, "EUC-JP")),
       expected},
      {"jis.html", Html("<meta charset='iso-2022-jp'>", Encode(kSample, "ISO-2022-JP")), expected},
      {"sjis.html", Html("<meta charset=Shift_JIS>", lookalike), "\xE9\xA0\xB4\n"},
      {"ascii.txt", "plain ascii\r\n", "plain ascii\n"},
  };
  EXPECT_EQ(Open("l.txt", lookalike), Sjis("頴") + "\n");  // without a meta, valid UTF-8 wins
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Open(c.name, c.bytes), c.want);
    EXPECT_EQ(F().FLoadReport.Replaced, 0u);
  }
}

TEST_F(EncodingTest, CharactersWithoutAShiftJisFormBecomeGetaAndAreCounted) {
  const std::string text = Open("emoji.txt", "猫😺と한글\r\n");
  EXPECT_EQ(text, Sjis("猫〓と〓〓") + "\n");
  EXPECT_EQ(F().HintLabel1.Caption, "3字を〓に置換");
  Open("clean.txt", "猫\r\n");
  EXPECT_NE(F().HintLabel1.Caption, "3字を〓に置換");
}

TEST_F(EncodingTest, HtmlReferencesAreDecodedAfterTheTagsAreStripped) {
  const struct {
    std::string body;
    std::string want;
    std::size_t replaced;
  } cases[] = {
      {"&lt;b&gt; &amp;amp; &quot;&apos;", "<b> &amp; \"'", 0},
      {"&#12354;&#x3042;&#X3044;&nbsp;&yen;", Sjis("ああい ") + "\\",
       0},  // the system maps ¥ to 5C
      {"&eacute;&#128512;&#0;&#xD800;&#1114112;", Sjis("〓〓〓〓〓"), 5},
      {"&unknown; &amp &#; &#x; &#12a;", "&unknown; &amp &#; &#x; &#12a;", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(Open("e.html", Html("", c.body + "\r\n")), c.want + "\n");
    EXPECT_EQ(F().FLoadReport.Replaced, c.replaced);
  }
  // A plain text keeps its ampersands.
  EXPECT_EQ(Open("e.txt", "&amp;\r\n"), "&amp;\n");
}

TEST_F(EncodingTest, OnlyRegularFilesWithinTheLimitAreRead) {
  const std::string fifo = dir / "fifo.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string zero = dir / "zero.txt";
  std::filesystem::create_symlink("/dev/zero", zero);
  const std::string huge = dir / "huge.txt";
  WriteFile(huge, "");
  ASSERT_EQ(truncate(huge.c_str(), (256 << 20) + 1), 0);  // sparse: nothing is written
  for (const std::string& path : {fifo, zero, huge}) {
    SCOPED_TRACE(path);
    platform->Errors.clear();
    OpenFile(path);
    ASSERT_EQ(platform->Errors.size(), 1u);
    EXPECT_NE(platform->Errors[0].find(path), std::string::npos);
    EXPECT_EQ(F().Editor1.Lines.Count(), 0);
  }
  // The stored last file must not hang the next start either.
  F().FFileName = fifo;
  F().FFileIn = true;
  F().FormCloseQuery();
  Start();
  EXPECT_FALSE(F().FFileIn);
}

}  // namespace
