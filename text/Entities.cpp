#include "text/Entities.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "text/Encoding.h"

namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
// Longer than any reference worth decoding: "&#x10FFFF;" and the longest name,
// "&CounterClockwiseContourIntegral;" (33 bytes).
constexpr std::size_t kMaxReference = 40;

// A named reference stands for one character or, for a few, two (a symbol and
// a combining mark: &NotEqualTilde; is U+2242 U+0338).
struct TNamed {
  std::string_view Name;
  char32_t First;
  char32_t Second;  // 0 for none
};
constexpr TNamed kNamed[] = {
#include "text/HtmlEntities.inc"
};

constexpr bool SortedByName() {
  for (std::size_t i = 1; i < std::size(kNamed); ++i)
    if (!(kNamed[i - 1].Name < kNamed[i].Name)) return false;
  return true;
}
static_assert(SortedByName(), "the named references are searched by halves");

bool IsDigit(char c, bool hex) {
  return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

const TNamed* Named(std::string_view name) {
  const auto it = std::lower_bound(std::begin(kNamed), std::end(kNamed), name,
                                   [](const TNamed& n, std::string_view v) { return n.Name < v; });
  return it != std::end(kNamed) && it->Name == name ? it : nullptr;
}

// Stands for a numeric reference to no character.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The code point of a numeric reference's digits; kNoCharacter for one outside
// Unicode, a surrogate or NUL, which no text can hold.
char32_t Numeric(std::string_view digits, bool hex) {
  char32_t value = 0;
  for (char c : digits) {
    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value * (hex ? 16 : 10) + static_cast<char32_t>(d);
    if (value > 0x10FFFF) return kNoCharacter;
  }
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return kNoCharacter;
  return value;
}

// What a complete, known reference stands for, and its length in bytes.
struct TReference {
  char32_t First;
  char32_t Second;  // 0 for none
  std::size_t Length;
};

// The reference starting at text[0] ('&').
std::optional<TReference> Reference(std::string_view text) {
  text = text.substr(0, kMaxReference);
  const std::size_t semicolon = text.find(';');
  if (semicolon == std::string_view::npos) return std::nullopt;
  std::string_view body = text.substr(1, semicolon - 1);
  if (!body.empty() && body[0] == '#') {
    body.remove_prefix(1);
    const bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
    if (hex) body.remove_prefix(1);
    if (body.empty()) return std::nullopt;
    for (char c : body)
      if (!IsDigit(c, hex)) return std::nullopt;
    return TReference{Numeric(body, hex), 0, semicolon + 1};
  }
  for (char c : body)
    if (!IsNameChar(c)) return std::nullopt;
  if (const TNamed* named = Named(body))
    return TReference{named->First, named->Second, semicolon + 1};
  return std::nullopt;
}

}  // namespace

void DecodeEntities(std::string& cp932, TMissingCharacters& missing) {
  std::size_t amp = cp932.find('&');
  if (amp == std::string::npos) return;
  // '&' and ';' lie below 0x40, so they are never the trail byte of a
  // two-byte character and a byte scan finds only real ones.
  std::string out;
  out.reserve(cp932.size());
  std::size_t from = 0;
  for (; amp != std::string::npos; amp = cp932.find('&', amp + 1)) {
    const auto ref = Reference(std::string_view(cp932).substr(amp));
    if (!ref) continue;
    out.append(cp932, from, amp - from);
    // The page has no non-breaking space; it reads as the space it shows.
    for (char32_t cp : {ref->First, ref->Second}) {
      if (cp == 0) continue;
      if (cp == kNoCharacter)
        missing.PutUndecodable(out);
      else
        missing.Put(out, cp == kNoBreakSpace ? U' ' : cp);
    }
    from = amp + ref->Length;
    amp = from - 1;
  }
  out.append(cp932, from, std::string::npos);
  cp932.swap(out);
}

std::size_t DecodeEntities(std::string& cp932) {
  TMissingCharacters missing;
  DecodeEntities(cp932, missing);
  return missing.Count();
}
