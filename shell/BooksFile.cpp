#include "shell/BooksFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "base/Errors.h"
#include "base/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader =
    "# Quillane: the page left in each book, most recent first (page, tab, absolute path)\n";

// The settings file's bound on a page: the line store counts its lines in an
// int and a page holds at least 8 of them.
constexpr int kMaxPage = 0x7FFFFFFF / 8;

bool Storable(std::string_view path) {
  return !path.empty() && path.front() == '/' && path.find_first_of("\r\n") == path.npos;
}

std::optional<int> PageText(std::string_view digits) {
  int page = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), page);
  if (ec != std::errc() || end != digits.data() + digits.size() || page < 1 || page > kMaxPage)
    return std::nullopt;
  return page;
}

}  // namespace

TBookList TBookList::Parse(std::string_view text) {
  TBookList list;
  while (!text.empty() && list.books_.size() < kKept) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);  // a file edited elsewhere
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == line.npos) continue;
    const std::optional<int> page = PageText(line.substr(0, tab));
    const std::string_view path = line.substr(tab + 1);
    if (!page || !Storable(path) || list.PageOf(std::string(path))) continue;
    list.books_.push_back({std::string(path), *page});
  }
  return list;
}

TBookList TBookList::Read(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::exists(path, ec)) return {};
  try {
    return Parse(ReadInputFile(path, TInputKind::Settings));
  } catch (const EFileError&) {
    return {};
  }
}

std::string TBookList::Text() const {
  std::string text(kHeader);
  for (const TBookPlace& book : books_) {
    text += std::to_string(book.Page);
    text += '\t';
    text += book.Path;
    text += '\n';
  }
  return text;
}

void TBookList::Write(const std::string& path) const {
  const fs::path target(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  WriteOutputFile(path, Text());
}

std::optional<int> TBookList::PageOf(const std::string& path) const {
  const auto it = std::ranges::find(books_, path, &TBookPlace::Path);
  if (it == books_.end()) return std::nullopt;
  return it->Page;
}

void TBookList::Remember(const std::string& path, int page) {
  if (!Storable(path)) return;
  std::erase_if(books_, [&](const TBookPlace& book) { return book.Path == path; });
  books_.insert(books_.begin(), {path, std::clamp(page, 1, kMaxPage)});
  if (books_.size() > kKept) books_.resize(kKept);
}
