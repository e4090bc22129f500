// The whole thumbnail replacement on an arbitrary template file, with a short and
// a long thumbnail: nothing of the Exif block but the old thumbnail and its two
// IFD1 values changes or moves, the written block locates the new thumbnail, and
// a refusal writes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "export/ExifThumb.h"
#include "export/JpegSegments.h"

namespace {

bool InField(std::size_t pos, std::size_t field) {
  return pos >= field && pos < field + 4;
}

void Check(const std::string& bytes, const std::string& thumb) {
  TMemoryStream source(bytes);
  ExifTemplate tmpl;
  if (ReadExifTemplate(source, tmpl) != ExifRefusal::None) return;
  const std::string image = "image";
  TMemoryStream out;
  if (ReplaceThumbnail(out, source, tmpl, thumb, image) != ExifRefusal::None) {
    if (out.Size() != 0) std::abort();
    return;
  }
  const std::string& written = out.Data();
  const auto head = static_cast<std::size_t>(tmpl.PayloadPos) - 2;
  if (written.compare(0, head, bytes, 0, head) != 0) std::abort();
  if (written.size() < image.size() ||
      written.compare(written.size() - image.size(), image.size(), image) != 0)
    std::abort();

  TMemoryStream again(written);
  ExifTemplate now;
  if (ReadExifTemplate(again, now) != ExifRefusal::None) std::abort();
  if (now.PayloadPos != tmpl.PayloadPos) std::abort();
  if (now.Thumb.ThumbLength != thumb.size()) std::abort();
  if (now.Payload.compare(now.Thumb.ThumbPos, thumb.size(), thumb) != 0) std::abort();

  const ExifThumbInfo& t = tmpl.Thumb;
  const std::string& a = tmpl.Payload;
  const std::string& b = now.Payload;
  if (b.size() < a.size()) std::abort();
  const std::size_t newStart = now.Thumb.ThumbPos, newEnd = newStart + thumb.size();
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (InField(k, t.OffsetValuePos) || InField(k, t.LengthValuePos)) continue;
    if (k >= newStart && k < newEnd) continue;
    const bool oldThumb = k >= t.ThumbPos && k < t.ThumbPos + t.ThumbLength;
    // Outside the old thumbnail every byte stays; what is left of it is zero.
    if (b[k] != (oldThumb ? '\0' : a[k])) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes, "\xFF\xD8thumbnail\xFF\xD9");
  Check(bytes, "\xFF\xD8" + std::string(3000, 't') + "\xFF\xD9");
  return 0;
}
