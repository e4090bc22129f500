#include "text/AozoraChars.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/Iconv.h"
#include "text/Sjis.h"

namespace {

// ---- Character classes ------------------------------------------------------

// One row per range of code-page-932 codes (a one-byte character is its byte,
// a two-byte one lead << 8 | trail). Codes in no row are of class Other.
struct TClassRow {
  std::uint16_t First, Last;
  TCharClass Class;
};
constexpr TClassRow kClassRows[] = {
    {0x30, 0x39, TCharClass::Latin},         // 0-9
    {0x41, 0x5A, TCharClass::Latin},         // A-Z
    {0x61, 0x7A, TCharClass::Latin},         // a-z
    {0xA6, 0xDF, TCharClass::Katakana},      // ｦ-ﾟ (half-width; 0xA1-0xA5 are punctuation)
    {0x8152, 0x8153, TCharClass::Katakana},  // ヽ ヾ
    {0x8154, 0x8155, TCharClass::Hiragana},  // ゝ ゞ
    {0x8157, 0x815A, TCharClass::Kanji},     // 仝 々 〆 〇
    {0x815B, 0x815B, TCharClass::Katakana},  // ー
    {0x81A6, 0x81A6, TCharClass::Kanji},     // ※, which stands for an external character
    {0x824F, 0x8258, TCharClass::Wide},      // ０-９
    {0x8260, 0x8279, TCharClass::Wide},      // Ａ-Ｚ
    {0x8281, 0x829A, TCharClass::Wide},      // ａ-ｚ
    {0x829F, 0x82F1, TCharClass::Hiragana},  // ぁ-ん
    {0x8340, 0x8395, TCharClass::Katakana},  // ァ-ヵ, ヴ among them
    {0x8396, 0x8396, TCharClass::Kanji},     // ヶ, a counter written like a kanji
    {0x839F, 0x83B6, TCharClass::Wide},      // Α-Ω
    {0x83BF, 0x83D6, TCharClass::Wide},      // α-ω
    {0x8440, 0x8460, TCharClass::Wide},      // А-Я
    {0x8470, 0x8491, TCharClass::Wide},      // а-я
    {0x889F, 0x9872, TCharClass::Kanji},     // JIS level 1
    {0x989F, 0xEAA4, TCharClass::Kanji},     // JIS level 2
    {0xED40, 0xEEEC, TCharClass::Kanji},     // NEC-selected IBM extensions
    {0xF040, 0xF9FC, TCharClass::Kanji},     // user-defined area: carried external characters
    {0xFA5C, 0xFC4B, TCharClass::Kanji},     // IBM extensions
};

// ---- External characters ----------------------------------------------------

// The parts of a note separated by 、 outside any 「」 or ［］ (a description
// may quote text holding either).
std::vector<std::string_view> NoteParts(std::string_view note) {
  std::vector<std::string_view> parts;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < note.size();) {
    const std::size_t n = std::max<std::size_t>(CharLength(note, i), 1);
    if (n == 2) {
      if (HasAt(note, i, kQuoteOpen) || HasAt(note, i, kBracketOpen)) ++depth;
      if ((HasAt(note, i, kQuoteClose) || HasAt(note, i, kBracketClose)) && depth > 0) --depth;
      if (depth == 0 && HasAt(note, i, kComma)) {
        parts.push_back(note.substr(start, i - start));
        start = i + n;
      }
    }
    i += n;
  }
  parts.push_back(note.substr(start));
  return parts;
}

// A decimal number of one to three ASCII digits at the front of s, consumed.
std::optional<int> EatDecimal(std::string_view& s) {
  int value = 0;
  std::size_t n = 0;
  while (n < s.size() && n < 3 && s[n] >= '0' && s[n] <= '9') value = value * 10 + (s[n++] - '0');
  if (n == 0 || (n < s.size() && s[n] >= '0' && s[n] <= '9')) return std::nullopt;
  s.remove_prefix(n);
  return value;
}

// 第3水準 or 第4水準 (the level of a kanji: 第, one digit, 水準), taken from
// the front of s when it is there.
void SkipKanjiLevel(std::string_view& s) {
  constexpr std::string_view kDai = "\x91\xe6";             // 第
  constexpr std::string_view kSuijun = "\x90\x85\x8f\x80";  // 水準
  if (!HasAt(s, 0, kDai) || s.size() == kDai.size()) return;
  const std::size_t digit = CharLength(s, kDai.size());
  if (digit != 0 && HasAt(s, kDai.size() + digit, kSuijun))
    s.remove_prefix(kDai.size() + digit + kSuijun.size());
}

// A JIS X 0213 plane-row-cell code (1-84-77) as Unicode, through glibc's
// EUC-JISX0213 converter: plane 1 row r cell c is the bytes A0+r A0+c, plane 2
// is 8F A0+r A0+c. Some codes are a letter and a combining mark, two scalars.
std::u32string FromPlaneRowCell(int plane, int row, int cell) {
  thread_local TIconv cd("UTF-32LE", "EUC-JISX0213");
  if (!cd.Ok()) return {};
  char in[3];
  std::size_t inSize = 0;
  if (plane == 2) in[inSize++] = static_cast<char>(0x8F);
  in[inSize++] = static_cast<char>(0xA0 + row);
  in[inSize++] = static_cast<char>(0xA0 + cell);
  char out[16];
  char* src = in;
  char* dst = out;
  std::size_t inLeft = inSize, outLeft = sizeof out;
  cd.Reset();
  if (cd.Step(&src, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
    return {};
  if (cd.Flush(&dst, &outLeft) == static_cast<std::size_t>(-1)) return {};
  std::u32string chars;
  const auto* u = reinterpret_cast<const unsigned char*>(out);
  for (std::size_t k = 0; k + 4 <= sizeof out - outLeft; k += 4)
    chars += static_cast<char32_t>(u[k] | (u[k + 1] << 8) | (u[k + 2] << 16) | (u[k + 3] << 24));
  return chars;
}

std::u32string CodeCharacters(std::string_view part) {
  // U+XXXX: four to six hex digits naming a scalar value.
  if (part.size() >= 6 && (part[0] == 'U' || part[0] == 'u') && part[1] == '+') {
    char32_t cp = 0;
    const std::string_view hex = part.substr(2);
    if (hex.size() > 6) return {};
    for (char c : hex) {
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
      if (digit < 0) return {};
      cp = cp * 16 + static_cast<char32_t>(digit);
    }
    if (cp < 0x20 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return std::u32string(1, cp);
  }
  SkipKanjiLevel(part);
  const auto plane = EatDecimal(part);
  if (!plane || part.substr(0, 1) != "-") return {};
  part.remove_prefix(1);
  const auto row = EatDecimal(part);
  if (!row || part.substr(0, 1) != "-") return {};
  part.remove_prefix(1);
  const auto cell = EatDecimal(part);
  if (!cell || !part.empty()) return {};
  if ((*plane != 1 && *plane != 2) || *row < 1 || *row > 94 || *cell < 1 || *cell > 94) return {};
  return FromPlaneRowCell(*plane, *row, *cell);
}

// ---- Accent decomposition ---------------------------------------------------

// The letters each mark may follow, and what the pair is. From Aozora Bunko's
// accent table, with two choices of our own, because inside 〔〕 whole
// sentences of French or English are enclosed: an apostrophe after a
// consonant is an elision (l'existence, c'est, n'est), never the acute of
// ĺ ć ń ś ḿ ŕ ź, and a colon or comma is punctuation unless a letter follows
// it (Go:tter, garc,on; but "Note: ", "avec, ").
struct TAccentMark {
  char Mark;
  bool NeedsLetterAfter;
  std::string_view Letters;
  std::u32string_view Accented;  // one per letter
};
constexpr TAccentMark kAccentMarks[] = {
    {'`', false, "aeinouAEINOU", U"àèìǹòùÀÈÌǸÒÙ"},                  // grave
    {'\'', false, "aeiouyAEIOUY", U"áéíóúýÁÉÍÓÚÝ"},                 // acute
    {'^', false, "aceghijosuACEGHIJOSU", U"âĉêĝĥîĵôŝûÂĈÊĜĤÎĴÔŜÛ"},  // circumflex
    {'~', false, "aeinouAEINOU", U"ãẽĩñõũÃẼĨÑÕŨ"},                  // tilde
    {':', true, "aeiouyAEIOU", U"äëïöüÿÄËÏÖÜ"},                     // diaeresis
    {'&', false, "auAU", U"åůÅŮ"},                                  // ring above
    {',', true, "cstCST", U"çşţÇŞŢ"},                               // cedilla
    {'/', false, "dhiloDLO", U"đħɨłøĐŁØ"},                          // stroke
    {'_', false, "aeiouAEIOU", U"āēīōūĀĒĪŌŪ"},                      // macron
};
constexpr bool EveryLetterHasItsAccentedForm() {
  for (const TAccentMark& row : kAccentMarks)
    if (row.Letters.size() != row.Accented.size()) return false;
  return true;
}
static_assert(EveryLetterHasItsAccentedForm());

// Ligatures, the longer first so that ae& is not read as a, e&.
struct TLigature {
  std::string_view Spelling;
  char32_t Letter;
};
constexpr TLigature kLigatures[] = {
    {"ae&", U'æ'}, {"AE&", U'Æ'}, {"oe&", U'œ'}, {"OE&", U'Œ'}, {"s&", U'ß'},
};

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

// The rows as one look-up by code, with the codes that are no character (80,
// A0, FD-FF, unassigned pairs) as None. Carried codes of the user-defined area
// are characters.
const TCharClasses& CharClasses() {
  static const TCharClasses table = [] {
    std::vector<TCharClass> t(0x10000, TCharClass::Other);
    for (std::uint32_t code = 0; code < 0x10000; ++code) {
      const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
      const std::string_view ch =
          code < 0x100 ? std::string_view(bytes + 1, 1) : std::string_view(bytes, 2);
      if ((code < 0x100 || CharLength(ch, 0) == 2) && SjisCharToCodePoint(ch) == 0xFFFD)
        t[code] = TCharClass::None;
    }
    for (const TClassRow& row : kClassRows)
      for (std::uint32_t code = row.First; code <= row.Last; ++code)
        if (t[code] != TCharClass::None) t[code] = row.Class;
    return t;
  }();
  return table;
}

bool EndsWithChars(std::string_view s, std::string_view suffix) {
  if (suffix.size() > s.size() || s.substr(s.size() - suffix.size()) != suffix) return false;
  const std::size_t start = s.size() - suffix.size();
  std::size_t i = 0;
  while (i < start) i += std::max<std::size_t>(CharLength(s, i), 1);
  return i == start;
}

std::u32string GaijiCharacters(std::string_view note) {
  for (std::string_view part : NoteParts(note)) {
    std::u32string chars = CodeCharacters(part);
    if (!chars.empty()) return chars;
  }
  return {};
}

TAccentedLetter AccentedLetterAt(std::string_view text, std::size_t i) {
  for (const TLigature& ligature : kLigatures)
    if (text.substr(i, ligature.Spelling.size()) == ligature.Spelling)
      return {ligature.Spelling.size(), ligature.Letter};
  if (i + 1 >= text.size()) return {};
  const char letter = text[i], mark = text[i + 1];
  for (const TAccentMark& row : kAccentMarks) {
    if (row.Mark != mark) continue;
    const std::size_t at = row.Letters.find(letter);
    if (at == std::string_view::npos) return {};
    if (row.NeedsLetterAfter && !(i + 2 < text.size() && IsAsciiLetter(text[i + 2]))) return {};
    return {2, row.Accented[at]};
  }
  return {};
}
