#include "text/FileNames.h"

#include "text/Sjis.h"

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

bool HasZipExtension(std::string_view path) {
  const std::string ext = ExtractFileExt(path);
  return ext == ".zip" || ext == ".ZIP";
}

std::string DisplayName(std::string_view bytes) {
  return MixedToUtf8(bytes);
}

std::string SjisFileName(std::string_view name) {
  return IsValidUtf8(name) ? Utf8ToSjis(name, '_') : std::string(name);
}

std::string DropLastCharacters(std::string_view name, std::size_t count) {
  std::size_t end = name.size();
  if (IsValidUtf8(name)) {
    // Continuation bytes (10xxxxxx) belong to the character before them.
    for (; count > 0 && end > 0; --count) {
      --end;
      while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    }
    return std::string(name.substr(0, end));
  }
  // Shift-JIS is read from the front only, as a trail byte may look like a lead.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < name.size(); i += SjisCharLength(name, i)) ++characters;
  const std::size_t keep = characters > count ? characters - count : 0;
  end = 0;
  for (std::size_t k = 0; k < keep; ++k) end += SjisCharLength(name, end);
  return std::string(name.substr(0, end));
}
