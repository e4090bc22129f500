#include "text/HtmlRuby.h"

#include <cctype>
#include <string_view>

namespace {

constexpr std::string_view kBar = "\x81\x62";        // ｜
constexpr std::string_view kRubyOpen = "\x81\x73";   // 《
constexpr std::string_view kRubyClose = "\x81\x74";  // 》

// Whether the tag at html[at] ('<' there) is named name (lower case), with
// or without the '/' of an end tag as asked.
bool IsTag(std::string_view html, std::size_t at, std::string_view name, bool end) {
  std::size_t i = at + 1;
  if (end) {
    if (i >= html.size() || html[i] != '/') return false;
    ++i;
  }
  if (html.size() - i < name.size()) return false;
  for (char c : name)
    if (std::tolower(static_cast<unsigned char>(html[i++])) != c) return false;
  return i < html.size() && (html[i] == '>' || html[i] == '/' || html[i] == ' ' ||
                             html[i] == '\t' || html[i] == '\r' || html[i] == '\n');
}

}  // namespace

std::size_t RubyTagsToNotation(std::string& html) {
  if (html.find('<') == std::string::npos) return 0;
  std::string out;
  out.reserve(html.size());
  std::size_t readings = 0;
  std::size_t i = 0;
  while (i < html.size()) {
    const std::size_t lt = html.find('<', i);
    if (lt == std::string::npos) break;
    out.append(html, i, lt - i);
    const std::size_t gt = html.find('>', lt);
    if (gt == std::string::npos) {
      i = lt;
      break;
    }
    std::string_view replacement;
    bool known = true;
    if (IsTag(html, lt, "ruby", false)) {
      replacement = kBar;
    } else if (IsTag(html, lt, "rt", false)) {
      replacement = kRubyOpen;
    } else if (IsTag(html, lt, "rt", true)) {
      replacement = kRubyClose;
      ++readings;
    } else if (IsTag(html, lt, "rp", false)) {
      // Up to the end of </rp>, or only the tag when it has none.
      std::size_t end = html.find("</", gt);
      while (end != std::string::npos && !IsTag(html, end, "rp", true))
        end = html.find("</", end + 2);
      const std::size_t endGt = end == std::string::npos ? end : html.find('>', end);
      i = endGt == std::string::npos ? gt + 1 : endGt + 1;
      continue;
    } else {
      known = false;
    }
    if (known) {
      out += replacement;
    } else {
      out.append(html, lt, gt + 1 - lt);
    }
    i = gt + 1;
  }
  out.append(html, i, std::string::npos);
  if (readings > 0) html.swap(out);
  return readings;
}
