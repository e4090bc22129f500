// The thumbnail locator on arbitrary Exif payloads: whatever it accepts lies
// inside the payload, clear of the TIFF header and of the two values the splice
// rewrites.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "export/ExifThumb.h"

namespace {

bool Overlap(std::size_t a, std::size_t aLength, std::size_t b, std::size_t bLength) {
  return a < b + bLength && b < a + aLength;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  ExifThumbInfo info;
  if (LocateThumbnail(payload, info) != ExifRefusal::None) return 0;
  if (info.Compression != 6) std::abort();
  if (info.ThumbPos > size || info.ThumbLength > size - info.ThumbPos) std::abort();
  if (info.ThumbPos < 14) std::abort();  // "Exif\0\0" and the TIFF header come first
  for (const std::size_t field : {info.OffsetValuePos, info.LengthValuePos}) {
    if (field + 4 > size) std::abort();
    if (Overlap(field, 4, info.ThumbPos, info.ThumbLength)) std::abort();
  }
  return 0;
}
