#pragma once
// Telling a text from a binary file (a picture or an archive renamed .txt,
// anything opened through "All"), so that it is refused in words rather than
// laid out as pages of garbage. A text, once decoded to code page 932, holds
// no NUL, and few control characters besides tab, line breaks, form feed and
// the end-of-file mark 1A: a NUL anywhere, or more than a quarter of the
// bytes control characters, is a binary file. In code page 932 the bytes
// below 20 are never part of a two-byte character, so bytes are characters
// here.
#include <optional>
#include <string>
#include <string_view>

// Why the text is no text, in words for the message; nullopt when it is one.
std::optional<std::string> BinaryRefusal(std::string_view cp932);
