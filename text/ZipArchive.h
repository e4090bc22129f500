#pragma once
// ZIP archives, the way Aozora Bunko packs a work: a Shift-JIS .txt, and
// sometimes the pictures its notation names. libzip reads the archive; this
// lists its entries and reads one by name, within a limit checked against the
// size the archive states before a byte is inflated, so that a small archive
// that would inflate to gigabytes is refused in words, never inflated. An
// entry that inflates past its stated size, or fails its checksum, is refused
// as damaged. Every refusal throws EFileError naming the archive's path.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct zip;

class TZipArchive {
 public:
  struct TEntry {
    std::string Name;         // the name's bytes as stored (Shift-JIS in most archives)
    std::uint64_t Index = 0;  // its place in the archive's directory
    std::uint64_t Size = 0;   // uncompressed, as the archive states it
    bool Encrypted = false;
  };

  // The archive at path, read through the input guard, which holds it to the
  // text file limit.
  explicit TZipArchive(const std::string& path);
  // The archive in bytes; path names it in messages.
  TZipArchive(std::string bytes, std::string path);
  ~TZipArchive();
  TZipArchive(const TZipArchive&) = delete;
  TZipArchive& operator=(const TZipArchive&) = delete;

  const std::string& Path() const { return path_; }
  // Every file entry (folders left out), in the archive's order.
  const std::vector<TEntry>& Entries() const { return entries_; }
  // The entry of exactly that name; nullptr when there is none.
  const TEntry* Find(std::string_view name) const;
  // The text the archive holds: the largest .txt entry, else the largest
  // .htm or .html entry (the ending in any case); nullptr when there is none.
  // The resource forks a Mac leaves under __MACOSX/ are no texts.
  const TEntry* TextEntry() const;
  // The entry's bytes. Refused when it is encrypted, when its stated size
  // exceeds limit, and when it is damaged.
  std::string Read(const TEntry& entry, std::uint64_t limit) const;

 private:
  void Open();

  std::string path_;
  std::string bytes_;  // libzip reads the archive from here
  zip* zip_ = nullptr;
  std::vector<TEntry> entries_;
};
