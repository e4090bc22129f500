#pragma once
// Parts of a file path as the loaders use them. Paths are the file system's own
// bytes with '/' between folders: UTF-8 as a rule, but a name copied from an old
// archive may be in Shift-JIS, and it must still open, so no path is ever
// converted on its way to the file system. Names are decoded only to be shown.
#include <string>
#include <string_view>

// The name after the last '/' (the whole path when there is none).
std::string ExtractFileName(std::string_view path);
// The name's extension from its last '.', dot included and case kept; empty when
// the name has no '.'.
std::string ExtractFileExt(std::string_view path);
// ".htm", ".html", ".HTM" or ".HTML" exactly: such files have their tags stripped.
bool HasHtmlExtension(std::string_view path);
// ".zip" or ".ZIP" exactly: such files are read as the text inside them.
bool HasZipExtension(std::string_view path);

// A name or path, or a message naming one, as UTF-8 to show: well-formed UTF-8
// as it is, other bytes read as Shift-JIS (the other encoding names come in).
std::string DisplayName(std::string_view bytes);
// The Shift-JIS form of a name, for file names measured in Shift-JIS bytes. A
// UTF-8 character with no Shift-JIS form becomes '_' (memory cards formatted
// FAT refuse '?'); a name that is not UTF-8 is taken to be Shift-JIS already.
std::string SjisFileName(std::string_view name);
// The name without its last 'count' characters: UTF-8 characters when the name
// is UTF-8, Shift-JIS characters otherwise.
std::string DropLastCharacters(std::string_view name, std::size_t count);
