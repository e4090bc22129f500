#pragma once
// The encodings a text file may come in, and its conversion to code page 932,
// the one encoding the rest of the program handles.
//
// Which encoding a file is read in, first rule that applies:
//   1. a byte order mark: EF BB BF (UTF-8), FF FE (UTF-16LE), FE FF (UTF-16BE);
//   2. for an HTML file, a charset named in a <meta> tag within its first
//      1,024 bytes (charset=... in either meta form);
//   3. the candidate that reads best (text/Detect.h): ISO-2022-JP for seven
//      bits with a kanji escape, else Shift-JIS, UTF-8 or EUC-JP by a strict
//      decode and a score on kana and common kanji, UTF-16 without its mark
//      for a text with zero bytes; pure ASCII is code page 932, which is kept
//      byte for byte.
// An ISO-2022-JP line that does not return to ASCII is ended in ASCII at its
// line break.
// iconv decodes the text; each character is then written in code page 932 as
// iconv's CP932 writes it (EncodeSjis). A character with no code-page-932 form,
// one that code page 932 writes into its user-defined area, and an input byte
// sequence that is not a character of its encoding, go to TMissingCharacters
// below.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/Carried.h"

enum class TTextEncoding {
  Auto,      // detect by the rules above
  ShiftJis,  // code page 932
  Utf8,
  Utf16,  // byte order from the mark, else guessed from the zero bytes
  Utf16Le,
  Utf16Be,
  EucJp,
  Iso2022Jp,
};

// How many bytes the meta charset rule looks at.
inline constexpr std::size_t kCharsetSniffBytes = 1024;

// The encoding by the rules above (never Auto or Utf16).
TTextEncoding DetectEncoding(std::string_view bytes, bool html);

// An encoding named in a charset attribute; nullopt for a name not read.
std::optional<TTextEncoding> CharsetEncoding(std::string_view name);
// The name the command line takes (auto, sjis, utf-8, utf-16, euc-jp,
// iso-2022-jp); nullopt for any other.
std::optional<TTextEncoding> EncodingOption(std::string_view name);
// A short name for messages ("UTF-8", "Shift-JIS" ...).
const char* EncodingName(TTextEncoding encoding);

// What becomes of a character that code page 932 has no form for, and of input
// bytes that are no character of their encoding. Every converter of a loaded
// text (the encodings here, the HTML character references) hands them here and
// nowhere else, so that this is the one place that decides: with a table the
// character is carried in it (text/Carried.h), and 〓 (81 AC) only when the
// table is full; without one (a caller that needs plain code page 932) it
// becomes 〓. Each 〓 is counted for the load report, and so is each
// character carried.
class TMissingCharacters {
 public:
  TMissingCharacters() = default;
  explicit TMissingCharacters(TCarriedChars* carried) : carried_(carried) {}
  // Any character, given whole: its code-page-932 form when it has one (a
  // private-use character of the user-defined area too), else as above.
  void Put(std::string& out, char32_t codePoint);
  // Bytes that are not a character of their encoding at all.
  void PutUndecodable(std::string& out);
  // How many became 〓, of either kind.
  std::size_t Count() const { return count_; }
  // How many were carried in the table.
  std::size_t Carried() const { return carriedCount_; }

 private:
  TCarriedChars* carried_ = nullptr;
  std::size_t count_ = 0;
  std::size_t carriedCount_ = 0;
};

// What loading a text did to it.
struct TEncodingReport {
  TTextEncoding Encoding = TTextEncoding::ShiftJis;  // what the input was read as
  std::size_t Replaced = 0;                          // characters that became 〓
  std::size_t Carried = 0;  // characters kept in the text's table of carried characters
  bool Html = false;        // read as HTML (the file's name, or a ZIP entry's): tags to strip
  bool Converted() const { return Encoding != TTextEncoding::ShiftJis; }
};

struct TDecodedText {
  std::string Bytes;      // code page 932
  TCarriedChars Carried;  // what the carried codes among them stand for
  TEncodingReport Report;
};

// The text in code page 932. `encoding` Auto detects; any other value is used
// as given (a byte order mark that agrees with it is dropped). A code-page-932
// input is kept byte for byte, with an empty table that reserves the codes of
// the user-defined area the text uses itself.
TDecodedText DecodeText(std::string bytes, bool html, TTextEncoding encoding = TTextEncoding::Auto);

// The status text for a load that replaced `replaced` characters by 〓 (empty
// when none was).
std::string ReplacedMessage(std::size_t replaced);
