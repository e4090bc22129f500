#pragma once
// Shift-JIS (code page 932) helpers. Every text the program holds is CP932 bytes;
// it becomes Unicode only at the edges (drawing, clipboard, file names).
#include <string>
#include <string_view>

// 0x81-0x9F and 0xE0-0xFC start a two-byte character; every other byte is a
// one-byte character.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// Length in bytes of the character that starts at text[i] (1 or 2; a lead byte
// at the very end counts 1).
inline std::size_t SjisCharLength(std::string_view text, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

// The Unicode code point of one CP932 character (one or two bytes); U+FFFD for a
// byte sequence that is not a CP932 character.
char32_t SjisCharToCodePoint(std::string_view ch);

// Appends one Unicode scalar value as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// CP932 -> UTF-8. Every byte sequence that is not CP932 becomes U+FFFD, one per
// character as the lead-byte rule cuts them.
std::string SjisToUtf8(std::string_view sjis);
// Writes one Unicode character at `to` (room for two bytes) in CP932 exactly as
// iconv writes it: one or two bytes, or none for the tag characters
// U+E0000..U+E007F, which iconv drops. Returns how many bytes, or -1, writing
// nothing, when CP932 has no form for it. A table look-up: iconv is asked once
// per code point, the first time it is met.
int EncodeSjis(char32_t cp, char* to);
// The same, appended to out; false when CP932 has no form for cp.
bool AppendSjis(std::string& out, char32_t cp);
// UTF-8 -> CP932 as iconv writes it. A character CP932 cannot hold, or
// malformed UTF-8, becomes the replacement ('?' unless told).
std::string Utf8ToSjis(std::string_view utf8, char replacement = '?');
// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);
// Text that is UTF-8 in parts and Shift-JIS in others (a message naming a file
// whose name is Shift-JIS) as UTF-8: well-formed UTF-8 sequences are kept, the
// other bytes are read as Shift-JIS.
std::string MixedToUtf8(std::string_view text);
