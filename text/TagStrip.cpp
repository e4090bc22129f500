#include "text/TagStrip.h"

#include <array>

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether s at `at` holds `name` in any case and then a byte that ends a tag
// name (a space, '/', '>' or the end). Every byte compared is ASCII, and a
// "<" before them is a character of its own, so no two-byte character is cut.
bool NameAt(std::string_view s, std::size_t at, std::string_view name) {
  if (s.size() - at < name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (Lower(s[at + i]) != name[i]) return false;
  if (at + name.size() == s.size()) return true;
  const char next = s[at + name.size()];
  return next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '\f' ||
         next == '/' || next == '>';
}

// The elements whose contents are no text of the page.
constexpr std::array<std::string_view, 2> kRawTextElements{"script", "style"};

// The raw-text element whose start tag opens at s[open] ('<'), if any.
std::string_view RawTextElement(std::string_view s, std::size_t open) {
  for (std::string_view name : kRawTextElements)
    if (NameAt(s, open + 1, name)) return name;
  return {};
}

// Where the end tag of `name` starts, from `from` on; npos when there is none.
std::size_t EndTag(std::string_view s, std::size_t from, std::string_view name) {
  for (std::size_t at = s.find("</", from); at != s.npos; at = s.find("</", at + 2))
    if (NameAt(s, at + 2, name)) return at;
  return s.npos;
}

}  // namespace

TTagStripResult StripTags(std::string_view html) {
  TTagStripResult result;
  result.Text.reserve(html.size());
  std::string_view rest = html;
  for (;;) {
    const std::size_t open = rest.find('<');
    if (open == std::string_view::npos) {
      result.Text.append(rest);
      return result;
    }
    result.Text.append(rest.substr(0, open));
    std::size_t close;
    if (rest.substr(open, 4) == "<!--") {
      const std::size_t end = rest.find("-->", open + 2);
      close = end == rest.npos ? end : end + 2;
    } else {
      close = rest.find('>', open + 1);
      const std::string_view element = RawTextElement(rest, open);
      // A self-closed start tag ("<script src=x />") still opens the element.
      if (!element.empty() && close != rest.npos) close = EndTag(rest, close + 1, element);
      if (close != rest.npos && !element.empty()) close = rest.find('>', close);
    }
    if (close == std::string_view::npos) {
      result.Unclosed = true;
      return result;
    }
    rest = rest.substr(close + 1);
  }
}
