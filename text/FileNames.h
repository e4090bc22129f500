#pragma once
// Parts of a file path as the loaders use them. Paths are UTF-8 with '/' between
// folders.
#include <string>
#include <string_view>

// The name after the last '/' (the whole path when there is none).
std::string ExtractFileName(std::string_view path);
// The name's extension from its last '.', dot included and case kept; empty when
// the name has no '.'.
std::string ExtractFileExt(std::string_view path);
// ".htm", ".html", ".HTM" or ".HTML" exactly: such files have their tags stripped.
bool HasHtmlExtension(std::string_view path);
