#pragma once
// Telling which Japanese encoding a text without a byte order mark or a meta
// charset is in. Each candidate is read strictly over the whole text, counting
// the byte sequences that are no character of it (errors), and scored on what
// its characters are: kana and the common kanji (JIS level 1) count for it,
// half-width katakana, rare rows, characters without a Shift-JIS form and
// control characters against it. A text in one encoding read in another is
// either full of errors or full of such characters, so
//   1. a text holding NUL bytes can only be UTF-16 (without its mark): read
//      in either byte order, it is taken when it decodes strictly to no NUL or
//      control character. Else it is left to Shift-JIS, and the binary-file
//      check refuses it;
//   2. a text of seven-bit bytes holding a JIS X 0208 escape is ISO-2022-JP
//      (no other candidate holds ESC $ B), any other pure ASCII Shift-JIS;
//   3. a text that decodes strictly as UTF-8 is UTF-8: no text in another
//      encoding keeps to UTF-8's sequences for long, and a short one that
//      does (E9 A0 B4) has always been read as UTF-8;
//   4. a text whose bytes from 80 on are all half-width katakana in Shift-JIS
//      is Shift-JIS: old eight-bit texts look like that, and EUC-JP prose
//      nearly always holds a byte from E0 on;
//   5. else, of Shift-JIS, UTF-8 and EUC-JP the one that reads best wins: its
//      score less kErrorCost for each error, so that a candidate that decodes
//      strictly beats one that does not unless the latter reads far better (a
//      long UTF-8 text with a few damaged bytes stays UTF-8, its damaged
//      bytes becoming 〓); on a tie Shift-JIS, then UTF-8, then EUC-JP.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/Encoding.h"

// What one error costs a candidate, in score points (a kana or a common kanji
// is worth 2).
inline constexpr long long kErrorCost = 8;

// A candidate with more than one error in kHopelessBytes bytes read (and at
// least kHopelessErrors) is no longer read to its end: that is no text in
// the encoding with a few damaged bytes, and stopping spares a whole pass
// over a text in one of the others.
inline constexpr std::size_t kHopelessBytes = 64;
inline constexpr std::size_t kHopelessErrors = 64;

// How well a text reads in one encoding.
struct TEncodingFit {
  std::size_t Errors = 0;  // byte sequences that are no character
  long long Score = 0;     // the characters' worth, errors not counted
  bool Hopeless = false;   // given up part way, and worth less than any other
  long long Value() const {
    return Hopeless ? kHopelessValue : Score - kErrorCost * static_cast<long long>(Errors);
  }
  static constexpr long long kHopelessValue = -(1ll << 62);
};

TEncodingFit FitShiftJis(std::string_view bytes);
TEncodingFit FitUtf8(std::string_view bytes);
TEncodingFit FitEucJp(std::string_view bytes);
TEncodingFit FitUtf16(std::string_view bytes, bool bigEndian);

// The encoding of a text by the rules above (never Auto or Utf16).
TTextEncoding GuessEncoding(std::string_view bytes);

// An ISO-2022-JP text whose every line ends in ASCII: a line left in another
// character set gets ESC ( B before its line break, so that a shift that never
// returns spoils its own line only.
std::string EndIso2022JpLinesInAscii(std::string_view bytes);
