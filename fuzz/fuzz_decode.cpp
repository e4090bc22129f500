// The splice routines on an arbitrary JPEG used as template and as inserted
// picture: every picture they decode stays within the decoder's limits, and
// whatever they accept reads back as a JPEG (with the new thumbnail in place).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/ExifThumb.h"
#include "export/JpegSegments.h"
#include "export/Splice.h"

namespace {

// Pictures above this size decode correctly but slowly under the sanitizers; the
// decoder's own size limit is checked by a test with a crafted header. Inputs
// whose frame the segment scan cannot find are passed over too, as libjpeg may
// still find one past bytes the scan refuses.
constexpr long kMaxFuzzPixels = 1L << 16;

bool SmallEnough(const std::string& bytes) {
  TMemoryStream source(bytes);
  long pixels = -1;
  ScanJpegSegments(source, [&](const JpegSegment& s) {
    // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC): precision, height, width.
    const bool frame = s.Marker >= 0xC0 && s.Marker <= 0xCF && s.Marker != 0xC4 &&
                       s.Marker != 0xC8 && s.Marker != 0xCC;
    std::uint8_t f[5];
    source.Seek(s.PayloadPos);
    if (frame && source.Read(f, 5) == 5) pixels = ((f[1] << 8) | f[2]) * long{(f[3] << 8) | f[4]};
    return frame;
  });
  return pixels >= 0 && pixels <= kMaxFuzzPixels;
}

void ExpectJpegWithThumbnail(const SpliceOutcome& outcome, const std::string& out, bool thumb) {
  if (!outcome.Ok()) return;
  if (out.compare(0, 2, "\xFF\xD8") != 0) std::abort();
  TMemoryStream written(out);
  ExifTemplate tmpl;
  if (thumb && ReadExifTemplate(written, tmpl) != ExifRefusal::None) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!SmallEnough(bytes)) return 0;
  std::string out;
  ExpectJpegWithThumbnail(SpliceKeepThumbnailBytes(bytes, bytes, out), out, false);
  out.clear();
  ExpectJpegWithThumbnail(SpliceReplaceThumbnailBytes(bytes, bytes, 60, out), out, true);
  out.clear();
  ExpectJpegWithThumbnail(SameThumbnailBytes(bytes, 60, out), out, true);
  return 0;
}
