// The segment scan and the head, tail and gathering copies on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "export/JpegSegments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  for (std::uint8_t marker : {kMarkerAPP1, kMarkerAPP0, kMarkerDQT}) {
    TMemoryStream source(bytes), head, tail, gathered;
    std::int64_t payloadPos = 0, lastPos = 0;
    const bool headOk = CopyJpegHead(head, source, marker, &payloadPos);
    const bool tailOk = CopyJpegTail(tail, source, marker);
    ReadJpegSegments(gathered, source, marker, &lastPos);
    if (headOk != tailOk) std::abort();
    // Head and tail of a found segment cover the file without overlap.
    if (headOk && head.Size() > 0 && head.Size() + tail.Size() != source.Size()) std::abort();
    if (headOk && head.Size() > 0 && bytes.compare(0, head.Size(), head.Data()) != 0) std::abort();
  }
  TMemoryStream source(bytes), head, tail;
  if (CopyExifHead(head, source) && head.Size() > 0) {
    CopyExifTail(tail, source);
    if (head.Size() + tail.Size() != source.Size()) std::abort();
  }
  return 0;
}
