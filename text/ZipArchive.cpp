#include "text/ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <memory>

#include "base/Errors.h"
#include "base/Files.h"

namespace {

// The message of a libzip error, which is English, as the reason's tail.
std::string LibraryText(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text ? std::string(" (") + text + ")" : std::string();
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithAnyCase(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  const std::string_view tail = name.substr(name.size() - ending.size());
  return std::equal(tail.begin(), tail.end(), ending.begin(),
                    [](char a, char b) { return Lower(a) == b; });
}

// The largest entry whose name has one of the endings; nullptr for none.
template <std::size_t N>
const TZipArchive::TEntry* Largest(const std::vector<TZipArchive::TEntry>& entries,
                                   const std::string_view (&endings)[N]) {
  const TZipArchive::TEntry* best = nullptr;
  for (const auto& entry : entries) {
    if (entry.Name.starts_with("__MACOSX/")) continue;
    const bool named = std::any_of(std::begin(endings), std::end(endings), [&](std::string_view e) {
      return EndsWithAnyCase(entry.Name, e);
    });
    if (named && (!best || entry.Size > best->Size)) best = &entry;
  }
  return best;
}

std::string Megabytes(std::uint64_t bytes) {
  return std::to_string(bytes >> 20) + " MB";
}

struct TCloseFile {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

TZipArchive::TZipArchive(const std::string& path)
    : path_(path), bytes_(ReadInputFile(path, TInputKind::Text)) {
  Open();
}

TZipArchive::TZipArchive(std::string bytes, std::string path)
    : path_(std::move(path)), bytes_(std::move(bytes)) {
  Open();
}

TZipArchive::~TZipArchive() {
  if (zip_) zip_discard(zip_);
}

void TZipArchive::Open() {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
  if (source) {
    zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!zip_) zip_source_free(source);  // still ours when the open failed
  }
  if (!zip_) {
    const std::string reason = "ZIP ファイルとして読めません" + LibraryText(&error);
    zip_error_fini(&error);
    throw EFileError::CannotOpen(path_, reason);
  }
  zip_error_fini(&error);
  const zip_int64_t count = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    const auto index = static_cast<zip_uint64_t>(i);
    const char* name = zip_get_name(zip_, index, ZIP_FL_ENC_RAW);
    if (!name || zip_stat_index(zip_, index, ZIP_FL_ENC_RAW, &stat) != 0) continue;
    TEntry entry;
    entry.Name = name;
    if (entry.Name.empty() || entry.Name.back() == '/') continue;  // a folder
    entry.Index = index;
    entry.Size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    entry.Encrypted =
        (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
    entries_.push_back(std::move(entry));
  }
}

const TZipArchive::TEntry* TZipArchive::Find(std::string_view name) const {
  for (const auto& entry : entries_)
    if (entry.Name == name) return &entry;
  return nullptr;
}

const TZipArchive::TEntry* TZipArchive::TextEntry() const {
  static constexpr std::string_view kText[] = {".txt"};
  static constexpr std::string_view kHtml[] = {".htm", ".html"};
  if (const TEntry* text = Largest(entries_, kText)) return text;
  return Largest(entries_, kHtml);
}

std::string TZipArchive::Read(const TEntry& entry, std::uint64_t limit) const {
  const std::string inside = "ZIP の中の " + entry.Name;
  if (entry.Encrypted)
    throw EFileError::CannotOpen(path_, inside + " は暗号化されていて読めません");
  if (entry.Size > limit)
    throw EFileError::CannotOpen(
        path_, inside + " は展開すると " + Megabytes(limit) + " を超えるため読めません");
  const std::unique_ptr<zip_file_t, TCloseFile> file(zip_fopen_index(zip_, entry.Index, 0));
  if (!file)
    throw EFileError::CannotOpen(path_,
                                 inside + " を展開できません" + LibraryText(zip_get_error(zip_)));
  // Never more than the stated size is inflated: one byte past it, or a
  // checksum that fails at the end, means the entry is damaged.
  std::string bytes(entry.Size, '\0');
  std::uint64_t done = 0;
  for (;;) {
    char extra;
    const bool full = done == entry.Size;
    const zip_int64_t got = full ? zip_fread(file.get(), &extra, 1)
                                 : zip_fread(file.get(), bytes.data() + done, entry.Size - done);
    if (got < 0)
      throw EFileError::CannotOpen(
          path_, inside + " は壊れています" + LibraryText(zip_file_get_error(file.get())));
    if (got == 0) break;
    if (full)
      throw EFileError::CannotOpen(path_, inside + " は壊れています (記録より大きく展開されます)");
    done += static_cast<std::uint64_t>(got);
  }
  if (done != entry.Size)
    throw EFileError::CannotOpen(path_, inside + " は壊れています (記録より小さく展開されます)");
  return bytes;
}
