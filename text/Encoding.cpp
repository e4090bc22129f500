#include "text/Encoding.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "text/Iconv.h"

namespace {

constexpr std::string_view kGeta = "\x81\xAC";          // 〓 in code page 932
constexpr std::string_view kGetaUtf8 = "\xE3\x80\x93";  // 〓 in UTF-8
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

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// Well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF) holding at least one multi-byte sequence.
bool IsMultiByteUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  bool multiByte = false;
  std::size_t i = 0;
  while (i < n) {
    // Runs of ASCII are the common case: step over eight bytes at a time.
    while (i + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, p + i, 8);
      if (word & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i == n) break;
    const unsigned char b = p[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    // The second byte's range depends on the first (overlongs, surrogates).
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + len > n || p[i + 1] < lo || p[i + 1] > hi) return false;
    for (std::size_t k = 2; k < len; ++k)
      if (!IsContinuation(p[i + k])) return false;
    i += len;
    multiByte = true;
  }
  return multiByte;
}

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

// Runs `in` through cd into `out`. A sequence cd refuses becomes `replacement`
// and is skipped by skip(position), which returns how many input bytes it
// spans. Returns how many were replaced.
template <typename Skip>
std::size_t ConvertReplacing(TIconv& cd, std::string_view in, std::string& out,
                             std::string_view replacement, Skip&& skip) {
  std::size_t replaced = 0;
  out.assign(in.size() + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  std::size_t used = 0;
  const auto makeRoom = [&](std::size_t need) {
    if (out.size() - used < need) out.resize(std::max(out.size() + out.size() / 2, used + need));
  };
  cd.Reset();
  while (inLeft > 0) {
    char* dst = out.data() + used;
    std::size_t outLeft = out.size() - used;
    const std::size_t r = cd.Step(&src, &inLeft, &dst, &outLeft);
    used = out.size() - outLeft;
    if (r != kFailed) break;
    if (errno == E2BIG) {
      makeRoom(out.size() / 2 + 16);
      continue;
    }
    // EILSEQ, or EINVAL for a sequence cut off by the end of the input.
    makeRoom(replacement.size());
    out.replace(used, replacement.size(), replacement);
    used += replacement.size();
    ++replaced;
    const std::size_t n = std::min(inLeft, std::max<std::size_t>(1, skip(src, inLeft)));
    src += n;
    inLeft -= n;
  }
  // A stateful output ends in its initial state.
  makeRoom(16);
  char* dst = out.data() + used;
  std::size_t outLeft = out.size() - used;
  cd.Flush(&dst, &outLeft);
  used = out.size() - outLeft;
  out.resize(used);
  return replaced;
}

// How many bytes the character at `at` spans in a stateless encoding, asked of
// a decoder to UTF-32; one unit when it is not a character at all.
class TCharLength {
 public:
  explicit TCharLength(TTextEncoding e) : probe_("UTF-32LE", IconvName(e)), unit_(UnitSize(e)) {}
  std::size_t operator()(char* at, std::size_t left) {
    probe_.Reset();
    char buffer[4];
    char* dst = buffer;
    std::size_t outLeft = sizeof buffer;
    char* src = at;
    std::size_t inLeft = left;
    probe_.Step(&src, &inLeft, &dst, &outLeft);
    return outLeft == 0 ? static_cast<std::size_t>(src - at) : unit_;
  }

 private:
  TIconv probe_;
  std::size_t unit_;
};

// Code page 932 from a stateless encoding, in one pass.
std::size_t ToCp932(TTextEncoding from, std::string_view in, std::string& out) {
  TIconv cd("CP932", IconvName(from));
  if (!cd.Ok()) {
    // Without the converter nothing can be read faithfully: say so by count.
    out.assign(kGeta);
    return in.size();
  }
  TCharLength length(from);
  return ConvertReplacing(cd, in, out, kGeta, length);
}

// A stateful encoding goes through UTF-8 first, so that a skipped byte never
// leaves a second decoder in the wrong shift state.
std::size_t StatefulToCp932(TTextEncoding from, std::string_view in, std::string& out) {
  TIconv cd("UTF-8", IconvName(from));
  std::string utf8;
  std::size_t replaced = 0;
  if (cd.Ok())
    replaced = ConvertReplacing(cd, in, utf8, kGetaUtf8,
                                [](char*, std::size_t) { return std::size_t{1}; });
  return replaced + ToCp932(TTextEncoding::Utf8, utf8, out);
}

}  // namespace

TTextEncoding DetectEncoding(std::string_view bytes, bool html) {
  if (StartsWith(bytes, kUtf8Bom)) return TTextEncoding::Utf8;
  if (StartsWith(bytes, kUtf16LeBom)) return TTextEncoding::Utf16Le;
  if (StartsWith(bytes, kUtf16BeBom)) return TTextEncoding::Utf16Be;
  if (html)
    if (auto meta = MetaCharset(bytes)) return *meta;
  return IsMultiByteUtf8(bytes) ? TTextEncoding::Utf8 : TTextEncoding::ShiftJis;
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
    result.Bytes = std::move(bytes);
  } else if (encoding == TTextEncoding::Iso2022Jp) {
    result.Report.Replaced = StatefulToCp932(encoding, in, result.Bytes);
  } else {
    result.Report.Replaced = ToCp932(encoding, in, result.Bytes);
  }
  return result;
}

std::string ReplacedMessage(std::size_t replaced) {
  if (replaced == 0) return {};
  return std::to_string(replaced) + "字を〓に置換";
}
