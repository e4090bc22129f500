// Code page 932 <-> Unicode at the program's edges.
#include <gtest/gtest.h>

#include "text/Sjis.h"

namespace {

TEST(SjisTest, LeadBytesAndCharacterLengths) {
  for (unsigned char b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_TRUE(IsLeadByte(b)) << int(b);
  for (unsigned char b : {0x80, 0xA0, 0xDF, 0xFD}) EXPECT_FALSE(IsLeadByte(b)) << int(b);
  EXPECT_EQ(SjisCharLength("\x82\xa0z", 0), 2u);
  EXPECT_EQ(SjisCharLength("z\x82", 1), 1u);  // a lead byte at the very end
}

TEST(SjisTest, CharactersMapToTheirCodePointsOrTheReplacementCharacter) {
  const std::pair<const char*, char32_t> cases[] = {
      {"A", U'A'},         {"\x82\xa0", U'あ'}, {"\x8a\xbf", U'漢'},     {"\x81\x40", U'　'},
      {"\xb1", U'ｱ'},      {"\x81\x5b", U'ー'}, {"\x87\x40", U'①'},       // NEC special row
      {"\xa0", U'\uFFFD'}, {"\xfd", U'\uFFFD'}, {"\x81\x7f", U'\uFFFD'},  // not a trail byte
      {"\x81", U'\uFFFD'}, {"", U'\uFFFD'}};
  for (const auto& [sjis, cp] : cases)
    EXPECT_EQ(SjisCharToCodePoint(sjis), cp) << testing::PrintToString(std::string(sjis));
  // One replacement per character as the lead-byte rule cuts them.
  EXPECT_EQ(SjisToUtf8("a\x81\x7f"
                       "b\xfd\x82"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(SjisTest, TextConvertsBothWays) {
  const std::string sjis = "\x93\xfa\x96\x7b\x8c\xea abc \xb1\xb2";
  EXPECT_EQ(SjisToUtf8(sjis), "日本語 abc ｱｲ");
  EXPECT_EQ(Utf8ToSjis("日本語 abc ｱｲ"), sjis);
  EXPECT_EQ(Utf8ToSjis(SjisToUtf8(std::string("\0\t\r\n", 4))), std::string("\0\t\r\n", 4));
}

TEST(SjisTest, WhatCp932CannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToSjis("한"), "?");
  EXPECT_EQ(Utf8ToSjis("a\xC3(b"), "a?(b");      // broken sequence
  EXPECT_EQ(Utf8ToSjis("\xC0\xAF"), "??");       // overlong form
  EXPECT_EQ(Utf8ToSjis("\xED\xA0\x80"), "???");  // surrogate
  EXPECT_EQ(Utf8ToSjis("\xE6\x97"), "??");       // cut short
}

TEST(SjisTest, EveryValidTwoByteCharacterRoundTripsToAnEquivalent) {
  int valid = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
      const char32_t cp = SjisCharToCodePoint(ch);
      if (cp == U'\uFFFD') continue;
      ++valid;
      // Several codes share a code point; the one written back maps to it too.
      const std::string back = Utf8ToSjis(SjisToUtf8(ch));
      ASSERT_EQ(SjisCharToCodePoint(back), cp) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(valid, 7000);
}

}  // namespace
