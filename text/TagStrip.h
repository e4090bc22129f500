#pragma once
// Removes the markup of an HTML text: a tag is everything from a "<" to the
// first ">" after it; a comment, from "<!--" to the first "-->" after its
// "<!" ("<!-->" is an empty one), goes whole, "<p>" and all; and the contents
// of a <script> or <style> element go with its tags, up to its end tag
// ("</script" or "</style", any case, ending the name). Text outside them,
// line breaks and character references pass unchanged.
#include <string>
#include <string_view>

struct TTagStripResult {
  std::string Text;
  // A "<" had no ">" after it, a comment no "-->", or a script or style no
  // end tag; Text holds everything before it.
  bool Unclosed = false;
};

TTagStripResult StripTags(std::string_view html);
