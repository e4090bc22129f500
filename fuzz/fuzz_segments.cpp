// The segment scan and the Exif head and tail copies on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "export/JpegSegments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TMemoryStream source(bytes), head, tail;
  // Every segment the scan reports starts after SOI and inside the data.
  ScanJpegSegments(source, [&](const JpegSegment& segment) {
    if (segment.PayloadPos < 6 || segment.PayloadPos > source.Size()) std::abort();
    return false;
  });
  std::int64_t payloadPos = 0;
  const bool headOk = CopyExifHead(head, source, &payloadPos);
  const bool tailOk = CopyExifTail(tail, source);
  if (headOk != tailOk) std::abort();
  // Head and tail of a found block cover the data without overlap.
  if (headOk && head.Size() > 0) {
    if (head.Size() + tail.Size() != source.Size()) std::abort();
    if (bytes.compare(0, head.Size(), head.Data()) != 0) std::abort();
    if (bytes.compare(payloadPos, 5, std::string("Exif\0", 5)) != 0) std::abort();
  }
  return 0;
}
