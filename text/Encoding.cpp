#include "text/Encoding.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "text/Detect.h"
#include "text/Iconv.h"
#include "text/Sjis.h"

namespace {

constexpr std::string_view kGeta = "\x81\xAC";  // 〓 in code page 932
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ---------------------------------------------------------------- detection

// The charset of the first <meta> tag that names one readable, in the first
// kCharsetSniffBytes bytes. Both forms put "charset" before "=" and the name:
// <meta charset="utf-8"> and content="text/html; charset=Shift_JIS".
std::optional<TTextEncoding> MetaCharset(std::string_view bytes) {
  std::string head(bytes.substr(0, kCharsetSniffBytes));
  std::transform(head.begin(), head.end(), head.begin(), Lower);
  const std::string_view h = head;
  for (std::size_t meta = h.find("<meta"); meta != h.npos; meta = h.find("<meta", meta + 1)) {
    const std::string_view tag = h.substr(meta, h.find('>', meta) - meta);
    for (std::size_t at = tag.find("charset"); at != tag.npos; at = tag.find("charset", at + 1)) {
      std::size_t i = at + 7;
      while (i < tag.size() && tag[i] == ' ') ++i;
      if (i >= tag.size() || tag[i] != '=') continue;
      ++i;
      while (i < tag.size() && (tag[i] == ' ' || tag[i] == '"' || tag[i] == '\'')) ++i;
      const std::size_t end = tag.find_first_of(" \"';/>", i);
      if (auto encoding = CharsetEncoding(tag.substr(i, end == tag.npos ? end : end - i)))
        return encoding;
    }
  }
  return std::nullopt;
}

// UTF-16 without a byte order mark: text in scripts that share their high
// byte puts its zero bytes on the high side, so the side with more zero bytes
// is the high one. Little-endian when it cannot tell, as Windows writes.
TTextEncoding GuessUtf16Order(std::string_view s) {
  std::size_t evenZeros = 0, oddZeros = 0;
  const std::size_t n = std::min<std::size_t>(s.size(), kCharsetSniffBytes) & ~std::size_t{1};
  for (std::size_t i = 0; i < n; i += 2) {
    evenZeros += s[i] == '\0';
    oddZeros += s[i + 1] == '\0';
  }
  return evenZeros > oddZeros ? TTextEncoding::Utf16Be : TTextEncoding::Utf16Le;
}

// ---------------------------------------------------------------- conversion

const char* IconvName(TTextEncoding e) {
  switch (e) {
    case TTextEncoding::Utf8:
      return "UTF-8";
    case TTextEncoding::Utf16Le:
      return "UTF-16LE";
    case TTextEncoding::Utf16Be:
      return "UTF-16BE";
    case TTextEncoding::EucJp:
      return "EUC-JP";
    case TTextEncoding::Iso2022Jp:
      return "ISO-2022-JP";
    default:
      return "CP932";
  }
}

// The smallest unit of the encoding: what an undecodable sequence skips.
std::size_t UnitSize(TTextEncoding e) {
  return (e == TTextEncoding::Utf16Le || e == TTextEncoding::Utf16Be) ? 2 : 1;
}

// How many code points one iconv call decodes at most.
constexpr std::size_t kWindowCodePoints = 1 << 14;

// The text in code page 932 from any encoding but code page 932 itself, in one
// pass: iconv only decodes, to UTF-32 one window at a time, and each code point
// is written by table (EncodeSjis) or handed to `missing`. A byte sequence the
// decoder refuses (EILSEQ, or EINVAL for one cut off by the end of the input)
// goes to `missing` too and is skipped one unit; the decoder keeps its shift
// state, so ISO-2022-JP reads on in the character set it was in.
//
// Why decode only: asking iconv for code page 932 directly, every character it
// cannot write stops the call, and each restart costs tens of microseconds, so
// a text of such characters (Hangul, emoji) took time quadratic in practice.
// Decoding stops only at bytes that are no character, each restart reads no
// further than one window, and so the cost is linear in the input.
// Returns false, writing nothing, when the system has no decoder for `from`.
bool ConvertToCp932(TTextEncoding from, std::string_view in, std::string& out,
                    TMissingCharacters& missing) {
  TIconv cd("UTF-32LE", IconvName(from));
  if (!cd.Ok()) return false;
  // Each input unit gives at most two bytes; most give fewer.
  out.reserve(out.size() + in.size());
  std::array<char, kWindowCodePoints * 4> window;
  std::array<char, kWindowCodePoints * 2> bytes;
  char* src = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  const std::size_t unit = UnitSize(from);
  cd.Reset();
  while (inLeft > 0) {
    char* dst = window.data();
    std::size_t outLeft = window.size();
    const std::size_t result = cd.Step(&src, &inLeft, &dst, &outLeft);
    const int error = errno;
    // Written to `bytes` first and appended a window at a time: most
    // characters cost a table look-up and a store.
    char* to = bytes.data();
    const auto* cp = reinterpret_cast<const unsigned char*>(window.data());
    for (; cp < reinterpret_cast<const unsigned char*>(dst); cp += 4) {
      const char32_t codePoint = static_cast<char32_t>(cp[0] | (cp[1] << 8) | (cp[2] << 16)) |
                                 (static_cast<char32_t>(cp[3]) << 24);
      const int written = EncodeSjis(codePoint, to);
      // A form in the user-defined area is a private-use character: `missing`
      // decides whether it keeps that code (see TCarriedChars).
      if (written >= 0 && !(written == 2 && IsCarriedLead(static_cast<unsigned char>(*to)))) {
        to += written;
        continue;
      }
      out.append(bytes.data(), static_cast<std::size_t>(to - bytes.data()));
      to = bytes.data();
      missing.Put(out, codePoint);
    }
    out.append(bytes.data(), static_cast<std::size_t>(to - bytes.data()));
    if (result != kFailed || error == E2BIG) continue;
    missing.PutUndecodable(out);
    const std::size_t skip = std::min(inLeft, unit);
    src += skip;
    inLeft -= skip;
  }
  return true;
}

}  // namespace

TTextEncoding DetectEncoding(std::string_view bytes, bool html) {
  if (StartsWith(bytes, kUtf8Bom)) return TTextEncoding::Utf8;
  if (StartsWith(bytes, kUtf16LeBom)) return TTextEncoding::Utf16Le;
  if (StartsWith(bytes, kUtf16BeBom)) return TTextEncoding::Utf16Be;
  if (html)
    if (auto meta = MetaCharset(bytes)) return *meta;
  return GuessEncoding(bytes);
}

std::optional<TTextEncoding> CharsetEncoding(std::string_view name) {
  struct TName {
    std::string_view Name;
    TTextEncoding Encoding;
  };
  static constexpr std::array<TName, 12> kNames{{
      {"utf-8", TTextEncoding::Utf8},
      {"utf8", TTextEncoding::Utf8},
      {"shift_jis", TTextEncoding::ShiftJis},
      {"shift-jis", TTextEncoding::ShiftJis},
      {"sjis", TTextEncoding::ShiftJis},
      {"x-sjis", TTextEncoding::ShiftJis},
      {"windows-31j", TTextEncoding::ShiftJis},
      {"cp932", TTextEncoding::ShiftJis},
      {"euc-jp", TTextEncoding::EucJp},
      {"x-euc-jp", TTextEncoding::EucJp},
      {"iso-2022-jp", TTextEncoding::Iso2022Jp},
      {"csiso2022jp", TTextEncoding::Iso2022Jp},
  }};
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
  for (const TName& n : kNames)
    if (lower == n.Name) return n.Encoding;
  return std::nullopt;
}

std::optional<TTextEncoding> EncodingOption(std::string_view name) {
  if (name == "auto") return TTextEncoding::Auto;
  if (name == "sjis") return TTextEncoding::ShiftJis;
  if (name == "utf-8") return TTextEncoding::Utf8;
  if (name == "utf-16") return TTextEncoding::Utf16;
  if (name == "euc-jp") return TTextEncoding::EucJp;
  if (name == "iso-2022-jp") return TTextEncoding::Iso2022Jp;
  return std::nullopt;
}

const char* EncodingName(TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Auto:
      return "auto";
    case TTextEncoding::ShiftJis:
      return "Shift-JIS";
    case TTextEncoding::Utf16:
      return "UTF-16";
    default:
      return IconvName(encoding);
  }
}

TDecodedText DecodeText(std::string bytes, bool html, TTextEncoding encoding) {
  TDecodedText result;
  if (encoding == TTextEncoding::Auto) encoding = DetectEncoding(bytes, html);
  std::string_view in = bytes;
  if (encoding == TTextEncoding::Utf16) {
    if (StartsWith(in, kUtf16LeBom)) {
      encoding = TTextEncoding::Utf16Le;
    } else if (StartsWith(in, kUtf16BeBom)) {
      encoding = TTextEncoding::Utf16Be;
    } else {
      encoding = GuessUtf16Order(in);
    }
  }
  // A mark that agrees with the encoding is not part of the text.
  if ((encoding == TTextEncoding::Utf8 && StartsWith(in, kUtf8Bom)) ||
      (encoding == TTextEncoding::Utf16Le && StartsWith(in, kUtf16LeBom)) ||
      (encoding == TTextEncoding::Utf16Be && StartsWith(in, kUtf16BeBom)))
    in.remove_prefix(encoding == TTextEncoding::Utf8 ? kUtf8Bom.size() : kUtf16LeBom.size());
  result.Report.Encoding = encoding;
  if (encoding == TTextEncoding::ShiftJis) {
    result.Carried.ReserveUsedCodes(bytes);
    result.Bytes = std::move(bytes);
    return result;
  }
  // A shift to kanji that never returns spoils its own line only.
  std::string linesInAscii;
  if (encoding == TTextEncoding::Iso2022Jp) {
    linesInAscii = EndIso2022JpLinesInAscii(in);
    in = linesInAscii;
  }
  TMissingCharacters missing(&result.Carried);
  if (ConvertToCp932(encoding, in, result.Bytes, missing)) {
    result.Report.Replaced = missing.Count();
    result.Report.Carried = missing.Carried();
  } else {
    // Without the decoder nothing can be read faithfully: say so by count.
    result.Bytes = kGeta;
    result.Report.Replaced = in.size();
  }
  return result;
}

void TMissingCharacters::Put(std::string& out, char32_t codePoint) {
  if (!carried_) {
    if (AppendSjis(out, codePoint)) return;
    out += kGeta;
    ++count_;
    return;
  }
  switch (carried_->Append(out, codePoint)) {
    case TStored::Form:
      break;
    case TStored::Carried:
      ++carriedCount_;
      break;
    case TStored::Geta:
      ++count_;
      break;
  }
}

void TMissingCharacters::PutUndecodable(std::string& out) {
  out += kGeta;
  ++count_;
}

std::string ReplacedMessage(std::size_t replaced) {
  if (replaced == 0) return {};
  return std::to_string(replaced) + "字を〓に置換";
}
