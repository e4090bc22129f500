#include "text/TagStrip.h"

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
    const std::size_t close = rest.find('>', open + 1);
    if (close == std::string_view::npos) {
      result.Unclosed = true;
      return result;
    }
    rest = rest.substr(close + 1);
  }
}
