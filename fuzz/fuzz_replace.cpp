// The whole thumbnail replacement on an arbitrary template file: gather its
// Exif block, locate the thumbnail, splice a fixed thumbnail and image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/ExifThumb.h"
#include "export/JpegSegments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream source(std::string(reinterpret_cast<const char*>(data), size));
  ExifTemplate tmpl;
  if (ReadExifTemplate(source, tmpl) != ExifRefusal::None) return 0;
  const std::string thumb = "\xFF\xD8thumbnail\xFF\xD9";
  const std::string image = "image";
  TMemoryStream out;
  if (ReplaceThumbnail(out, source, tmpl, thumb, image) != ExifRefusal::None) {
    if (out.Size() != 0) std::abort();
    return 0;
  }
  // The output's own Exif block locates the new thumbnail.
  TMemoryStream written(out.Data());
  ExifTemplate again;
  if (ReadExifTemplate(written, again) != ExifRefusal::None) std::abort();
  if (again.Thumb.ThumbLength != thumb.size()) std::abort();
  if (again.Payload.compare(again.Thumb.ThumbPos, thumb.size(), thumb) != 0) std::abort();
  return 0;
}
