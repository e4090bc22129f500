#include "text/Sjis.h"

#include <array>
#include <cstdint>
#include <memory>
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

// Both directions of code page 932, asked of iconv once per character when the
// program first needs them, so converting text never calls iconv again.
struct Tables {
  // Indexed by the character's bytes: one byte b at b, two bytes at (lead << 8) | trail.
  std::vector<char32_t> toUnicode = std::vector<char32_t>(0x10000, kReplacement);
  // Code point -> CP932 bytes as (length << 16) | value; 0 when CP932 lacks it.
  std::vector<std::uint32_t> fromUnicode = std::vector<std::uint32_t>(0x10000, 0);
  // Characters outside the basic plane are never in CP932.

  Tables() {
    TIconv toUtf32("UTF-32LE", "CP932");
    TIconv fromUtf32("CP932", "UTF-32LE");
    if (!toUtf32.Ok() || !fromUtf32.Ok()) return;
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
    // Several CP932 codes can share a code point; iconv's answer for the code
    // point is the one the system writes, so ask it rather than guess.
    for (char32_t cp : toUnicode) {
      if (cp == kReplacement || cp >= 0x10000 || fromUnicode[cp] != 0) continue;
      const unsigned char in[4] = {static_cast<unsigned char>(cp & 0xFF),
                                   static_cast<unsigned char>((cp >> 8) & 0xFF), 0, 0};
      char out[8];
      std::size_t written = 0;
      if (!ConvertAll(fromUtf32, reinterpret_cast<const char*>(in), 4, out, sizeof out, &written))
        continue;
      const auto* o = reinterpret_cast<const unsigned char*>(out);
      if (written == 1) fromUnicode[cp] = (1u << 16) | o[0];
      if (written == 2) fromUnicode[cp] = (2u << 16) | (o[0] << 8) | o[1];
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

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

// The table holds the code points of code page 932's own characters. iconv
// also writes a few other code points as one of them (the wave dash U+301C as
// 81 60, the minus sign U+2212 as 81 7C ...), which texts from other systems use.
bool AppendThroughIconv(std::string& out, char32_t cp, std::unique_ptr<TIconv>& cd) {
  if (!cd) cd = std::make_unique<TIconv>("CP932", "UTF-32LE");
  const unsigned char in[4] = {static_cast<unsigned char>(cp & 0xFF),
                               static_cast<unsigned char>((cp >> 8) & 0xFF),
                               static_cast<unsigned char>((cp >> 16) & 0xFF), 0};
  char bytes[8];
  std::size_t written = 0;
  if (!cd->Ok() ||
      !ConvertAll(*cd, reinterpret_cast<const char*>(in), 4, bytes, sizeof bytes, &written))
    return false;
  out.append(bytes, written);
  return true;
}

}  // namespace

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

std::string Utf8ToSjis(std::string_view utf8, char replacement) {
  const auto& table = GetTables().fromUnicode;
  std::unique_ptr<TIconv> fallback;
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> cp = NextUtf8(utf8, i);
    const std::uint32_t code = (cp && *cp < 0x10000) ? table[*cp] : 0;
    if (code >> 16 == 1) {
      out += static_cast<char>(code & 0xFF);
    } else if (code >> 16 == 2) {
      out += static_cast<char>((code >> 8) & 0xFF);
      out += static_cast<char>(code & 0xFF);
    } else if (!cp || !AppendThroughIconv(out, *cp, fallback)) {
      out += replacement;
    }
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
