#pragma once
// The books file: the page left in each book read lately, by the book's
// absolute path, most recent first. It lives apart from the settings file
// (whose items and format stay as they are) and is read at the start and
// written whole at the close through the file guards (base/Files.h).
//
// The file is text, one book a line: the page in decimal, a tab, the absolute
// path as the file system spells it (bytes, not necessarily UTF-8). Lines that
// begin with '#' are comments. Reading is forgiving: a line that does not have
// this form (no tab, a page that is no positive number, a relative path, a
// book already listed) is skipped, so a damaged file loses only its damaged
// lines.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TBookPlace {
  std::string Path;  // absolute
  int Page = 1;      // from 1
};

class TBookList {
 public:
  // Books whose place is kept; the oldest beyond this are forgotten.
  static constexpr std::size_t kKept = 100;

  // The list in a books file's text (see above).
  static TBookList Parse(std::string_view text);
  // Reads the file. A missing file gives an empty list; so does one that
  // cannot be read (too large, not a regular file): the places are a
  // convenience, and the window starts without them rather than not at all.
  static TBookList Read(const std::string& path);
  // The file's text, and writing it whole; Write throws EFileError when it
  // cannot, making the file's folder first when it is missing.
  std::string Text() const;
  void Write(const std::string& path) const;

  // The page left in the book, when it is listed.
  std::optional<int> PageOf(const std::string& path) const;
  // Puts the book at the front with this page. A path that is not absolute,
  // or that holds a line break (it could not be read back), is not kept.
  void Remember(const std::string& path, int page);
  // Most recent first.
  const std::vector<TBookPlace>& Books() const { return books_; }

 private:
  std::vector<TBookPlace> books_;
};
