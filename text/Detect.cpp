#include "text/Detect.h"

#include <cstdint>
#include <cstring>

#include "text/Sjis.h"

namespace {

using Bytes = const unsigned char*;

// The worth of a character by its JIS X 0208 row (ku), numbered as Shift-JIS
// numbers them, so that rows past 94 are code page 932's extension and
// user-defined rows.
int RowWeight(int row) {
  if (row == 4 || row == 5) return 2;    // hiragana, katakana
  if (row >= 16 && row <= 47) return 2;  // level-1 kanji, the common ones
  if (row == 1) return 1;                // 、。「」ー and their kin
  if (row == 2 || row == 3) return 0;    // symbols, full-width digits and letters
  if (row >= 48 && row <= 84) return 0;  // level-2 kanji
  return -1;  // Greek, Cyrillic, box drawing, unassigned and extension rows
}

// The row of a Shift-JIS pair: each lead byte holds two rows, the second from
// trail byte 9F on.
int SjisRow(unsigned lead, unsigned trail) {
  const int base = static_cast<int>(lead <= 0x9F ? lead - 0x81 : lead - 0xC1);
  return base * 2 + 1 + (trail >= 0x9F ? 1 : 0);
}

bool IsSjisTrail(unsigned b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool IsHalfWidthKana(unsigned b) {
  return b >= 0xA1 && b <= 0xDF;
}

bool IsEucByte(unsigned b) {
  return b >= 0xA1 && b <= 0xFE;
}

// Tab, line breaks and form feed are text; the other controls below 20 are
// not. The rest of ASCII reads alike in every candidate: worth nothing.
int AsciiWeight(unsigned b) {
  const bool control = b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f';
  return control ? -1 : 0;
}

// Past a run of printable ASCII (worth 0 in every candidate), eight bytes at a
// time: the common case of most texts' markup, digits and line breaks aside.
std::size_t SkipPrintable(Bytes p, std::size_t n, std::size_t i) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  while (i + 8 <= n) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    // A byte of 80 or more, or below 20 (the borrow of the subtraction).
    if ((word | ((word - kOnes * 0x20) & ~word)) & kHighs) break;
    i += 8;
  }
  return i;
}

int CodePointWeight(char32_t cp) {
  if (cp < 0x80) return AsciiWeight(cp);
  if (cp >= 0x3041 && cp <= 0x30FF) return 2;  // kana, without a table look-up
  char sjis[2];
  const int length = EncodeSjis(cp, sjis);
  if (length == 2)
    return RowWeight(
        SjisRow(static_cast<unsigned char>(sjis[0]), static_cast<unsigned char>(sjis[1])));
  if (length == 1) return IsHalfWidthKana(static_cast<unsigned char>(sjis[0])) ? -1 : 0;
  return length == 0 ? 0 : -1;  // no Shift-JIS form
}

// The length of the UTF-8 sequence at p[i] and its code point; 0 when it is
// no well-formed sequence (overlong, a surrogate, past U+10FFFF, cut short).
std::size_t Utf8Sequence(Bytes p, std::size_t n, std::size_t i, char32_t& cp) {
  const unsigned b = p[i];
  std::size_t length = 0;
  unsigned lo = 0x80, hi = 0xBF;  // the second byte's range depends on the first
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    cp = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    cp = b & 0x07;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + length > n || p[i + 1] < lo || p[i + 1] > hi) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((p[i + k] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i + k] & 0x3F);
  }
  return length;
}

bool IsSevenBit(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Every byte from 80 on is a half-width katakana in Shift-JIS (A1-DF).
bool IsHalfWidthKanaText(std::string_view s) {
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && !IsHalfWidthKana(b)) return false;
  }
  return true;
}

// ESC $ @ or ESC $ B: a switch to JIS X 0208.
bool HasJisEscape(std::string_view s) {
  return s.find("\x1B$B") != s.npos || s.find("\x1B$@") != s.npos;
}

// Counts an error at bytes[at]; true when the candidate is to be given up.
bool CountError(TEncodingFit& fit, std::size_t at) {
  ++fit.Errors;
  fit.Hopeless = fit.Errors > kHopelessErrors && fit.Errors * kHopelessBytes > at;
  return fit.Hopeless;
}

// The better of two fits; `a` on a tie.
const TEncodingFit& Better(const TEncodingFit& a, const TEncodingFit& b) {
  return b.Value() > a.Value() ? b : a;
}

}  // namespace

TEncodingFit FitShiftJis(std::string_view bytes) {
  TEncodingFit fit;
  const auto p = reinterpret_cast<Bytes>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = SkipPrintable(p, n, 0); i < n; i = SkipPrintable(p, n, i)) {
    const unsigned b = p[i];
    if (b < 0x80) {
      fit.Score += AsciiWeight(b);
      ++i;
    } else if (IsHalfWidthKana(b)) {
      fit.Score -= 1;
      ++i;
    } else if (IsLeadByte(static_cast<unsigned char>(b)) && i + 1 < n && IsSjisTrail(p[i + 1])) {
      fit.Score += RowWeight(SjisRow(b, p[i + 1]));
      i += 2;
    } else if (CountError(fit, i++)) {
      return fit;
    }
  }
  return fit;
}

TEncodingFit FitEucJp(std::string_view bytes) {
  TEncodingFit fit;
  const auto p = reinterpret_cast<Bytes>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = SkipPrintable(p, n, 0); i < n; i = SkipPrintable(p, n, i)) {
    const unsigned b = p[i];
    if (b < 0x80) {
      fit.Score += AsciiWeight(b);
      ++i;
    } else if (IsEucByte(b) && i + 1 < n && IsEucByte(p[i + 1])) {
      fit.Score += RowWeight(static_cast<int>(b - 0xA0));  // JIS X 0208
      i += 2;
    } else if (b == 0x8E && i + 1 < n && IsHalfWidthKana(p[i + 1])) {
      fit.Score -= 1;
      i += 2;
    } else if (b == 0x8F && i + 2 < n && IsEucByte(p[i + 1]) && IsEucByte(p[i + 2])) {
      fit.Score -= 1;  // JIS X 0212, rare in Japanese prose
      i += 3;
    } else if (CountError(fit, i++)) {
      return fit;
    }
  }
  return fit;
}

TEncodingFit FitUtf8(std::string_view bytes) {
  TEncodingFit fit;
  const auto p = reinterpret_cast<Bytes>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = SkipPrintable(p, n, 0); i < n; i = SkipPrintable(p, n, i)) {
    if (p[i] < 0x80) {
      fit.Score += AsciiWeight(p[i]);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t length = Utf8Sequence(p, n, i, cp);
    if (length == 0) {
      if (CountError(fit, i++)) return fit;
    } else {
      fit.Score += CodePointWeight(cp);
      i += length;
    }
  }
  return fit;
}

TEncodingFit FitUtf16(std::string_view bytes, bool bigEndian) {
  TEncodingFit fit;
  const auto p = reinterpret_cast<Bytes>(bytes.data());
  const std::size_t units = bytes.size() / 2;
  fit.Errors = bytes.size() % 2;
  auto unit = [&](std::size_t k) -> char32_t {
    return bigEndian ? (p[2 * k] << 8) | p[2 * k + 1] : (p[2 * k + 1] << 8) | p[2 * k];
  };
  for (std::size_t k = 0; k < units; ++k) {
    char32_t cp = unit(k);
    if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
        unit(k + 1) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
      ++k;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      ++fit.Errors;  // a surrogate without its other half
      continue;
    }
    // Without its mark, only a text with no NUL or control character at all
    // is taken for UTF-16: anything else of that shape is a binary file.
    const int weight = CodePointWeight(cp);
    if (cp < 0x80 && (weight < 0 || cp == 0)) {
      ++fit.Errors;
      continue;
    }
    fit.Score += weight;
  }
  return fit;
}

TTextEncoding GuessEncoding(std::string_view bytes) {
  if (bytes.find('\0') != bytes.npos) {
    const TEncodingFit le = FitUtf16(bytes, false);
    const TEncodingFit be = FitUtf16(bytes, true);
    if (le.Errors == 0 || be.Errors == 0) {
      if (le.Errors != 0) return TTextEncoding::Utf16Be;
      if (be.Errors != 0) return TTextEncoding::Utf16Le;
      return be.Score > le.Score ? TTextEncoding::Utf16Be : TTextEncoding::Utf16Le;
    }
    return TTextEncoding::ShiftJis;
  }
  if (IsSevenBit(bytes))
    return HasJisEscape(bytes) ? TTextEncoding::Iso2022Jp : TTextEncoding::ShiftJis;
  const TEncodingFit utf8 = FitUtf8(bytes);
  if (utf8.Errors == 0) return TTextEncoding::Utf8;
  if (IsHalfWidthKanaText(bytes)) return TTextEncoding::ShiftJis;
  const TEncodingFit sjis = FitShiftJis(bytes);
  const TEncodingFit euc = FitEucJp(bytes);
  const TEncodingFit& best = Better(Better(sjis, utf8), euc);
  if (&best == &utf8) return TTextEncoding::Utf8;
  if (&best == &euc) return TTextEncoding::EucJp;
  return TTextEncoding::ShiftJis;
}

std::string EndIso2022JpLinesInAscii(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 64);
  bool ascii = true;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\x1B' && i + 2 < bytes.size()) {
      // ESC ( B returns to ASCII; ESC ( J (JIS-Roman), ESC $ @ and ESC $ B
      // leave it.
      if (bytes[i + 1] == '(') ascii = bytes[i + 2] == 'B';
      if (bytes[i + 1] == '$') ascii = false;
    } else if ((c == '\r' || c == '\n') && !ascii) {
      out += "\x1B(B";
      ascii = true;
    }
    out += c;
  }
  return out;
}
