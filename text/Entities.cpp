#include "text/Entities.h"

#include <array>
#include <optional>
#include <string_view>

#include "text/Encoding.h"

namespace {

constexpr char32_t kNoBreakSpace = 0xA0;
// Longer than any reference worth decoding ("&#x10FFFF;", "&AElig;").
constexpr std::size_t kMaxReference = 12;

// The Latin-1 names, for U+00A0 to U+00FF in order.
constexpr std::array<std::string_view, 96> kLatin1Names{
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct TNamed {
  std::string_view Name;
  char32_t CodePoint;
};
constexpr std::array<TNamed, 5> kMarkupNames{{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"apos", '\''},
}};

bool IsDigit(char c, bool hex) {
  return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::optional<char32_t> Named(std::string_view name) {
  for (const TNamed& n : kMarkupNames)
    if (n.Name == name) return n.CodePoint;
  for (std::size_t i = 0; i < kLatin1Names.size(); ++i)
    if (kLatin1Names[i] == name) return static_cast<char32_t>(kNoBreakSpace + i);
  return std::nullopt;
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

// A reference starting at text[0] ('&'): its code point and length, when it
// is complete and known.
std::optional<std::pair<char32_t, std::size_t>> Reference(std::string_view text) {
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
    return std::pair{Numeric(body, hex), semicolon + 1};
  }
  for (char c : body)
    if (!IsNameChar(c)) return std::nullopt;
  if (auto cp = Named(body)) return std::pair{*cp, semicolon + 1};
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
    const char32_t cp = ref->first == kNoBreakSpace ? U' ' : ref->first;
    if (cp == kNoCharacter)
      missing.PutUndecodable(out);
    else
      missing.Put(out, cp);
    from = amp + ref->second;
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
