// The ZIP reader over any bytes: the archive opens or is refused in words,
// every entry listed is found by its name, and an entry read is exactly its
// stated size, never more than the limit, never encrypted; anything else is
// refused in words, never inflated past the limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Errors.h"
#include "text/ZipArchive.h"

namespace {

// Small, so that a stated size the fuzzer makes up is refused, not allocated.
constexpr std::uint64_t kLimit = 1 << 20;

void Require(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const TZipArchive archive(std::string(reinterpret_cast<const char*>(data), size), "fuzz.zip");
    for (const TZipArchive::TEntry& entry : archive.Entries()) {
      Require(archive.Find(entry.Name) != nullptr);
      try {
        const std::string bytes = archive.Read(entry, kLimit);
        Require(bytes.size() == entry.Size && entry.Size <= kLimit && !entry.Encrypted);
      } catch (const EFileError&) {
      }
    }
    if (const TZipArchive::TEntry* text = archive.TextEntry())
      Require(archive.Find(text->Name) != nullptr);
  } catch (const EFileError&) {
  }
  return 0;
}
