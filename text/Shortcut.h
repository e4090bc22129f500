#pragma once
// Shortcut resolution for a ".lnk" file named on the command line: a symbolic
// link resolves to what it points at; a Windows shell-link file is read for the
// path of its target.
#include <optional>
#include <string>
#include <string_view>

// The target of the shortcut at path (UTF-8), or std::nullopt when the file
// cannot be read or holds no target path.
std::optional<std::string> ResolveShortcut(const std::string& path);

// The target path held by the bytes of a shell-link file, as written in it with
// backslashes turned into '/' (UTF-8). Reads nothing outside the bytes given.
std::optional<std::string> ShellLinkTarget(std::string_view bytes);

// The best existing file for a shell-link file read from linkFolder: its local
// path when that exists, else its relative path taken from linkFolder or from its
// working folder when that exists; else the local path, or the relative one, as
// written.
std::optional<std::string> ShellLinkTargetIn(std::string_view bytes, const std::string& linkFolder);
