#include "shell/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "base/Files.h"

namespace fs = std::filesystem;

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string SingleLine(std::string_view value) {
  return std::string(value.substr(0, value.find_first_of("\r\n")));
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  if (path_.empty() || !fs::exists(path_, ec)) return;
  Parse(ReadInputFile(path_, TInputKind::Settings));
}

TIniFile TIniFile::Empty(std::string path) {
  TIniFile ini{std::string()};
  ini.path_ = std::move(path);
  return ini;
}

void TIniFile::Parse(std::string_view text) {
  preamble_.clear();
  sections_.clear();
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' &&
        trimmed.find(']') != std::string_view::npos) {
      const std::string_view name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
      sections_.push_back({std::string(name), {}});
      continue;
    }
    Entry entry;
    entry.Raw = std::string(Trim(line));
    const std::size_t eq = trimmed.find('=');
    if (!trimmed.empty() && trimmed.front() != ';' && eq != std::string_view::npos && eq > 0) {
      entry.Key = std::string(Trim(trimmed.substr(0, eq)));
      entry.Value = std::string(Trim(trimmed.substr(eq + 1)));
    }
    if (entry.Key.empty() && entry.Raw.empty()) continue;  // blank lines are not kept
    (sections_.empty() ? preamble_ : sections_.back().Entries).push_back(std::move(entry));
  }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
  for (const auto& section : sections_)
    if (SameName(section.Name, name)) return &section;
  return nullptr;
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  for (const auto& entry : found->Entries)
    if (!entry.Key.empty() && SameName(entry.Key, key)) return entry.Value;
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 const std::string& defaultValue) const {
  return Value(section, key).value_or(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  auto found = std::find_if(sections_.begin(), sections_.end(),
                            [&](const Section& s) { return SameName(s.Name, section); });
  if (found == sections_.end()) {
    sections_.push_back({std::string(section), {}});
    found = std::prev(sections_.end());
  }
  for (auto& entry : found->Entries) {
    if (!entry.Key.empty() && SameName(entry.Key, key)) {
      entry.Value = SingleLine(value);
      return;
    }
  }
  found->Entries.push_back({std::string(key), SingleLine(value), {}});
}

std::string TIniFile::Text() const {
  std::string text;
  const auto put = [&text](const Entry& e) {
    text += e.Key.empty() ? e.Raw : e.Key + "=" + e.Value;
    text += '\n';
  };
  for (const auto& entry : preamble_) put(entry);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0 || !preamble_.empty()) text += '\n';
    text += "[" + sections_[i].Name + "]\n";
    for (const auto& entry : sections_[i].Entries) put(entry);
  }
  return text;
}

void TIniFile::UpdateFile() const {
  const fs::path target(path_);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  WriteOutputFile(path_, Text());
}
