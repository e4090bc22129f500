#pragma once
// The character references of an HTML text, decoded after its tags are
// stripped: &#N; and &#xH;, and every named reference of HTML (&amp;, &ldquo;,
// &hellip; ..., the table in text/HtmlEntities.inc), each with its ";".
#include <cstddef>
#include <string>

class TMissingCharacters;

// Decodes the references of a code-page-932 text in place. Each referenced
// character goes to `missing` (text/Encoding.h), which writes its form, carries
// it in the text's table or makes it 〓, like any character of a loaded text; a
// reference to no character at all (NUL, a surrogate, past U+10FFFF) becomes
// 〓. Anything that is not a complete known reference is left as it is.
void DecodeEntities(std::string& cp932, TMissingCharacters& missing);
// The same with no table: returns how many references became 〓.
std::size_t DecodeEntities(std::string& cp932);
