#include "text/FileNames.h"

std::string ExtractFileName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool HasHtmlExtension(std::string_view path) {
  const std::string ext = ExtractFileExt(path);
  return ext == ".htm" || ext == ".html" || ext == ".HTM" || ext == ".HTML";
}
