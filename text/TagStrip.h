#pragma once
// Removes the tags of an HTML text: everything from a "<" to the first ">"
// after it. Text outside tags, line breaks and entities pass unchanged.
#include <string>
#include <string_view>

struct TTagStripResult {
  std::string Text;
  // A "<" had no ">" after it; Text holds everything before that "<".
  bool Unclosed = false;
};

TTagStripResult StripTags(std::string_view html);
