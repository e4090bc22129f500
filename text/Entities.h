#pragma once
// The character references of an HTML text, decoded after its tags are
// stripped: &#N; and &#xH;, and every named reference of HTML (&amp;, &ldquo;,
// &hellip; ..., the table in text/HtmlEntities.inc), each with its ";".
#include <cstddef>
#include <string>

// Decodes the references of a code-page-932 text in place. A reference to a
// character with no code-page-932 form goes to TMissingCharacters (text/Encoding.h)
// like any such character of a loaded text; returns how many did. Anything that is not a complete
// known reference is left as it is.
std::size_t DecodeEntities(std::string& cp932);
