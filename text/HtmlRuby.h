#pragma once
// HTML ruby written as the notation: <ruby>base<rt>reading</rt></ruby>
// becomes ｜base《reading》, so that a page's furigana take the road of a
// book's (text/Aozora.h) once its tags are stripped.
//
//   <ruby ...>   ｜ (the base starts here, whatever its characters)
//   <rt ...>     《        </rt>  》
//   <rp>…</rp>   dropped, contents and all (the brackets shown by browsers
//                without ruby)
//   </ruby>, <rb>, <rtc> and the rest are left to the tag stripper.
//
// Tag names are matched in any case and end at a space, '/' or '>'. A tag is
// read only up to its '>' on the text given; a tag without one is left as it
// is, for the stripper to report.
#include <cstddef>
#include <string>

// Rewrites html (code-page-932 bytes) in place; returns the number of <rt>
// readings written as notation.
std::size_t RubyTagsToNotation(std::string& html);
