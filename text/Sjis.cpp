#include "text/Sjis.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/Iconv.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One whole conversion from the initial state; false when iconv refuses any
// part of it.
bool ConvertAll(TIconv& cd, const char* in, std::size_t inSize, char* out, std::size_t outSize,
                std::size_t* written) {
  cd.Reset();
  char* src = const_cast<char*>(in);
  char* dst = out;
  std::size_t inLeft = inSize;
  std::size_t outLeft = outSize;
  if (cd.Step(&src, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) return false;
  if (cd.Flush(&dst, &outLeft) == static_cast<std::size_t>(-1)) return false;
  *written = outSize - outLeft;
  return inLeft == 0;
}

// Code page 932 to Unicode, asked of iconv once per character when the
// program first needs it, so drawing text never calls iconv again.
struct Tables {
  // Indexed by the character's bytes: one byte b at b, two bytes at (lead << 8) | trail.
  std::vector<char32_t> toUnicode = std::vector<char32_t>(0x10000, kReplacement);

  Tables() {
    TIconv toUtf32("UTF-32LE", "CP932");
    if (!toUtf32.Ok()) return;
    auto decode = [&](const char* bytes, std::size_t n) -> char32_t {
      char out[16];
      std::size_t written = 0;
      if (!ConvertAll(toUtf32, bytes, n, out, sizeof out, &written) || written != 4)
        return kReplacement;
      const auto* u = reinterpret_cast<const unsigned char*>(out);
      return static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24));
    };
    for (int b = 0; b < 0x100; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b))) continue;
      const char byte = static_cast<char>(b);
      toUnicode[static_cast<std::size_t>(b)] = decode(&byte, 1);
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        toUnicode[static_cast<std::size_t>((lead << 8) | trail)] = decode(pair, 2);
      }
    }
  }
};

// Unicode to code page 932: one slot per code point, 0 until the code point is
// first met, then what iconv writes for it. Several code-page-932 codes can
// share a code point, and iconv also writes a few code points that are no
// character of its own (the wave dash U+301C as 81 60, the minus sign U+2212
// as 81 7C, the tag characters U+E0000..U+E007F as nothing), so its answer is
// taken rather than a reversed table. Asking only on first meeting keeps the
// start-up cost to the characters a run actually converts. Slots are atomic so
// that two threads asking at once store the same answer harmlessly.
constexpr std::uint32_t kAsked = 1u << 20;
constexpr std::uint32_t kMissing = 1u << 19;  // code page 932 has no form
constexpr int kLengthShift = 16;              // how many bytes iconv writes: 0, 1 or 2
constexpr char32_t kLastCodePoint = 0x10FFFF;
std::atomic<std::uint32_t> gSjisForms[kLastCodePoint + 1];

std::uint32_t AskIconv(char32_t cp) {
  thread_local TIconv cd("CP932", "UTF-32LE");
  const char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF),
                      static_cast<char>((cp >> 16) & 0xFF), 0};
  char out[8];
  std::size_t written = 0;
  if (!cd.Ok() || !ConvertAll(cd, in, sizeof in, out, sizeof out, &written) || written > 2)
    return kAsked | kMissing;
  const auto* o = reinterpret_cast<const unsigned char*>(out);
  const std::uint32_t bytes = written == 2 ? (o[0] << 8) | o[1] : written == 1 ? o[0] : 0;
  return kAsked | (static_cast<std::uint32_t>(written) << kLengthShift) | bytes;
}

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed input (bad
// lead, missing or wrong continuation, overlong form, surrogate) consumes one
// byte and yields nothing.
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  std::size_t len = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return std::nullopt;
  }
  if (i + len > text.size()) {
    ++i;
    return std::nullopt;
  }
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return std::nullopt;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return std::nullopt;
  }
  i += len;
  return cp;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t SjisCharToCodePoint(std::string_view ch) {
  const auto& table = GetTables().toUnicode;
  if (ch.size() == 1 && !IsLeadByte(static_cast<unsigned char>(ch[0])))
    return table[static_cast<unsigned char>(ch[0])];
  if (ch.size() == 2 && IsLeadByte(static_cast<unsigned char>(ch[0]))) {
    const unsigned index =
        (static_cast<unsigned char>(ch[0]) << 8) | static_cast<unsigned char>(ch[1]);
    return table[index];
  }
  return kReplacement;
}

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  for (std::size_t i = 0; i < sjis.size();) {
    const std::size_t n = SjisCharLength(sjis, i);
    AppendUtf8(out, SjisCharToCodePoint(sjis.substr(i, n)));
    i += n;
  }
  return out;
}

int EncodeSjis(char32_t cp, char* to) {
  if (cp > kLastCodePoint) return -1;
  std::uint32_t form = gSjisForms[cp].load(std::memory_order_relaxed);
  if (form == 0) {
    form = AskIconv(cp);
    gSjisForms[cp].store(form, std::memory_order_relaxed);
  }
  if (form & kMissing) return -1;
  const int length = static_cast<int>((form >> kLengthShift) & 3);
  if (length == 2) *to++ = static_cast<char>((form >> 8) & 0xFF);
  if (length >= 1) *to = static_cast<char>(form & 0xFF);
  return length;
}

bool AppendSjis(std::string& out, char32_t cp) {
  char bytes[2];
  const int length = EncodeSjis(cp, bytes);
  if (length < 0) return false;
  out.append(bytes, static_cast<std::size_t>(length));
  return true;
}

std::string Utf8ToSjis(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> cp = NextUtf8(utf8, i);
    if (!cp || !AppendSjis(out, *cp)) out += replacement;
  }
  return out;
}

std::string MixedToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    if (NextUtf8(text, i)) {
      out.append(text.substr(start, i - start));
    } else {
      i = start + SjisCharLength(text, start);
      AppendUtf8(out, SjisCharToCodePoint(text.substr(start, i - start)));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();)
    if (!NextUtf8(text, i)) return false;
  return true;
}
