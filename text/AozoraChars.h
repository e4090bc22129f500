#pragma once
// The characters of Aozora notation as the reader (text/Aozora.cpp) meets them
// in code-page-932 bytes: reading one character safely, the character classes
// that bound a ruby base, the external characters (gaiji) named by a code, the
// accent-decomposed Latin letters and the two-cell repetition mark.
//
// A character is one byte, or a lead byte (81-9F, E0-FC) and a trail byte
// (40-7E, 80-FC). A lead byte without its trail byte is no character; every
// routine here reads only inside the view it is given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The notation's own characters, as code-page-932 bytes.
inline constexpr std::string_view kRubyBar = "\x81\x62";       // ｜ starts a ruby base
inline constexpr std::string_view kRubyOpen = "\x81\x73";      // 《
inline constexpr std::string_view kRubyClose = "\x81\x74";     // 》
inline constexpr std::string_view kBracketOpen = "\x81\x6d";   // ［
inline constexpr std::string_view kBracketClose = "\x81\x6e";  // ］
inline constexpr std::string_view kSharp = "\x81\x94";         // ＃, after ［ an annotation
inline constexpr std::string_view kGaijiMark = "\x81\xa6";  // ※, before ［＃ an external character
inline constexpr std::string_view kQuoteOpen = "\x81\x75";     // 「
inline constexpr std::string_view kQuoteClose = "\x81\x76";    // 」
inline constexpr std::string_view kComma = "\x81\x41";         // 、
inline constexpr std::string_view kParenOpen = "\x81\x69";     // （
inline constexpr std::string_view kParenClose = "\x81\x6a";    // ）
inline constexpr std::string_view kAccentOpen = "\x81\x6b";    // 〔
inline constexpr std::string_view kAccentClose = "\x81\x6c";   // 〕
inline constexpr std::string_view kKunojiTop = "\x81\x5e";     // ／
inline constexpr std::string_view kKunojiBottom = "\x81\x5f";  // ＼
inline constexpr std::string_view kKunojiVoiced = "\x81\x8d";  // ″
inline constexpr std::string_view kGeta = "\x81\xac";  // 〓, for bytes that are no character
inline constexpr std::string_view kFooterStart = "\x92\xea\x96\x7b\x81\x46";  // 底本：

inline bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// The length of the character at s[i] (i < s.size()): 2 for a lead byte and
// its trail byte, 1 for any other byte, 0 for a lead byte not followed by a
// trail byte (the reader shows such a byte as 〓 and reads on after it).
inline std::size_t CharLength(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) return 1;
  return i + 1 < s.size() && IsTrailByte(static_cast<unsigned char>(s[i + 1])) ? 2 : 0;
}

// Whether s holds the characters ch at i (i on a character boundary).
inline bool HasAt(std::string_view s, std::size_t i, std::string_view ch) {
  if (s.size() < i + ch.size()) return false;
  for (std::size_t k = 0; k < ch.size(); ++k)
    if (s[i + k] != ch[k]) return false;
  return true;
}

// Whether suffix ends s as whole characters: the suffix starts on one of s's
// character boundaries, not in the middle of a two-byte character.
bool EndsWithChars(std::string_view s, std::string_view suffix);

// The classes of characters that make up a ruby base written without ｜: the
// longest run of one class before 《 (an external character counts as a kanji).
// A character of no class is a base of its own.
enum class TCharClass : std::uint8_t {
  None,  // no character of code page 932: a pair or byte no character has
  Other,
  Kanji,     // with 々 〆 〇 仝 ヶ ※, and the carried codes of the user-defined area
  Hiragana,  // with ゝ ゞ
  Katakana,  // with ー ヽ ヾ, and the half-width katakana
  Wide,      // full-width Latin letters and digits, Greek, Cyrillic
  Latin,     // half-width letters and digits, and accented letters
};
// The class of every code: a one-byte character b at [b], a two-byte one at
// [lead << 8 | trail]. Made once, on first use.
using TCharClasses = std::vector<TCharClass>;
const TCharClasses& CharClasses();
// The class of one character (one or two bytes as CharLength cuts them).
inline TCharClass CharClassOf(const TCharClasses& classes, std::string_view ch) {
  const auto lead = static_cast<unsigned char>(ch[0]);
  return ch.size() == 1 ? classes[lead] : classes[(lead << 8) | static_cast<unsigned char>(ch[1])];
}

// The characters an external-character note names by its code, or nothing
// when it names none. The note is the text between ［＃ and ］, for example
// 「てへん＋劣」、第3水準1-84-77 or 「口＋世」、U+546D、135-7. A code is a
// JIS X 0213 plane-row-cell number, with or without 第3水準/第4水準 before it
// (one or two Unicode characters), or U+ and four to six hex digits. A page
// and line number (135-7, 161-下-29) is no code.
std::u32string GaijiCharacters(std::string_view note);

// The accent-decomposed Latin letters inside 〔〕: a letter followed by its
// mark (e' é, u: ü, c, ç ...) or a ligature (ae& æ, s& ß). At text[i], the
// accented letter and the bytes it spans, or Length 0 when none starts there.
struct TAccentedLetter {
  std::size_t Length = 0;
  char32_t Letter = 0;
};
TAccentedLetter AccentedLetterAt(std::string_view text, std::size_t i);

// The two-cell repetition mark (くの字点): ／＼ is 〳〵, and ／″＼ is 〴〵.
inline constexpr char32_t kKunojiUpper = 0x3033;        // 〳
inline constexpr char32_t kKunojiUpperVoiced = 0x3034;  // 〴
inline constexpr char32_t kKunojiLower = 0x3035;        // 〵
