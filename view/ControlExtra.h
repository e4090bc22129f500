#pragma once
// The extra column of the control table: settings separated by ';', each a
// bare flag ("swatch") or a key and value ("direction=left").
#include <string>
#include <string_view>

inline std::string ExtraValue(std::string_view extra, std::string_view key) {
  while (!extra.empty()) {
    const std::size_t end = extra.find(';');
    const std::string_view item = extra.substr(0, end);
    if (item.size() > key.size() && item.starts_with(key) && item[key.size()] == '=')
      return std::string(item.substr(key.size() + 1));
    if (end == std::string_view::npos) break;
    extra.remove_prefix(end + 1);
  }
  return {};
}

inline bool ExtraHas(std::string_view extra, std::string_view flag) {
  while (!extra.empty()) {
    const std::size_t end = extra.find(';');
    if (extra.substr(0, end) == flag) return true;
    if (end == std::string_view::npos) break;
    extra.remove_prefix(end + 1);
  }
  return false;
}
