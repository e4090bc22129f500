#pragma once
// A settings file in the INI form: "[section]" lines, then "key=value" lines.
// Section names are kept as written (backslashes included, "[Form\LCheckBox1]");
// section and key names compare without regard to ASCII letter case; values are
// raw text, trimmed of the blanks around them. The file is read and written
// through the file guards (base/Files.h): only a regular file of at most 1 MB is
// read, and it is written whole to a temporary file renamed over the old one, so
// a crash never leaves half a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TIniFile {
 public:
  // Reads the file; a missing file gives an empty one. Throws EFileError when the
  // file exists but cannot be read, is not a regular file or is too large.
  explicit TIniFile(std::string path);
  // An empty file that UpdateFile writes to path, whatever is there now.
  static TIniFile Empty(std::string path);

  const std::string& FileName() const { return path_; }

  // The stored text, or std::nullopt when the section or key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const;
  // A line break cannot be stored in one line: the value is cut before it.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Writes the whole file (LF line ends). Throws EFileError when it cannot, or
  // when the name is taken by something that is not a regular file.
  void UpdateFile() const;

  // The file's text as UpdateFile writes it.
  std::string Text() const;
  // Replaces the contents by those parsed from text.
  void Parse(std::string_view text);

 private:
  struct Entry {
    std::string Key;  // empty for a line kept as it is (comment, blank, stray text)
    std::string Value;
    std::string Raw;
  };
  struct Section {
    std::string Name;
    std::vector<Entry> Entries;
  };
  const Section* FindSection(std::string_view name) const;

  std::string path_;
  std::vector<Entry> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};
