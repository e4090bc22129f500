// The thumbnail locator on arbitrary Exif payloads: whatever it accepts lies
// inside the payload and after the length entry it rewrites.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "export/ExifThumb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  ExifThumbInfo info;
  if (LocateThumbnail(payload, info) == ExifRefusal::None) {
    if (info.Compression != 6) std::abort();
    if (info.LengthValuePos + 4 > info.ThumbPos) std::abort();
    if (info.ThumbPos > size || info.ThumbLength > size - info.ThumbPos) std::abort();
  }
  return 0;
}
