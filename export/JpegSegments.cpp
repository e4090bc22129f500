#include "export/JpegSegments.h"

#include <cstring>
#include <string>

namespace {

bool IsStandalone(std::uint8_t code) {
  return code == 0x01 || (code >= 0xD0 && code <= 0xD7);
}

bool ReadLength(TStream& source, std::uint32_t& length) {
  std::uint8_t bytes[2];
  if (source.Read(bytes, 2) != 2) return false;
  length = (static_cast<std::uint32_t>(bytes[0]) << 8) | bytes[1];
  return length >= 2;
}

// The whole segment lies inside the data.
bool Inside(TStream& source, const JpegSegment& segment) {
  return segment.End() <= source.Size();
}

bool IsExifPayload(TStream& source, const JpegSegment& segment) {
  if (segment.Marker != kMarkerAPP1 || segment.PayloadSize() < 5) return false;
  char head[5];
  source.Seek(segment.PayloadPos);
  return source.Read(head, 5) == 5 && std::memcmp(head, "Exif\0", 5) == 0;
}

std::optional<JpegSegment> FindWhere(TStream& source, bool* failed,
                                     const std::function<bool(const JpegSegment&)>& wanted) {
  std::optional<JpegSegment> found;
  const ScanEnd end = ScanJpegSegments(source, [&](const JpegSegment& segment) {
    if (!wanted(segment)) return false;
    found = segment;
    return true;
  });
  const bool bad = end == ScanEnd::Failed || (found && !Inside(source, *found));
  if (failed) *failed = bad;
  if (bad) return std::nullopt;
  return found;
}

bool CopyHead(TStream& destination, TStream& source, const std::optional<JpegSegment>& segment,
              bool failed, std::int64_t* payloadPos) {
  if (failed) return false;
  if (!segment) return true;
  if (payloadPos) *payloadPos = segment->PayloadPos;
  source.Seek(0);
  destination.CopyFrom(source, segment->End());
  return true;
}

bool CopyTail(TStream& destination, TStream& source, const std::optional<JpegSegment>& segment,
              bool failed) {
  if (failed) return false;
  if (!segment) return true;
  const std::int64_t rest = source.Size() - segment->End();
  source.Seek(segment->End());
  if (rest > 0) destination.CopyFrom(source, rest);
  return true;
}

}  // namespace

ScanEnd ScanJpegSegments(TStream& source, const std::function<bool(const JpegSegment&)>& visit) {
  source.Seek(0);
  std::uint8_t soi[2];
  if (source.Read(soi, 2) != 2 || soi[0] != 0xFF || soi[1] != kMarkerSOI) return ScanEnd::Failed;
  for (;;) {
    std::uint8_t byte = 0;
    if (!source.ReadByte(byte) || byte != 0xFF) return ScanEnd::Failed;
    do {
      if (!source.ReadByte(byte)) return ScanEnd::Failed;
    } while (byte == 0xFF);
    if (IsStandalone(byte)) continue;
    if (byte == kMarkerSOS) return ScanEnd::Sos;
    JpegSegment segment;
    segment.Marker = byte;
    if (!ReadLength(source, segment.Length)) return ScanEnd::Failed;
    segment.PayloadPos = source.Position();
    if (visit(segment)) return ScanEnd::Stopped;
    source.Seek(segment.End());
  }
}

std::optional<JpegSegment> FindExifSegment(TStream& source, bool* failed) {
  return FindWhere(source, failed, [&source](const JpegSegment& segment) {
    return IsExifPayload(source, segment);
  });
}

bool CopyExifHead(TStream& destination, TStream& source, std::int64_t* payloadPos) {
  bool failed = false;
  const auto segment = FindExifSegment(source, &failed);
  return CopyHead(destination, source, segment, failed, payloadPos);
}

bool CopyExifTail(TStream& destination, TStream& source) {
  bool failed = false;
  const auto segment = FindExifSegment(source, &failed);
  return CopyTail(destination, source, segment, failed);
}

std::uint16_t GetExif16(std::string_view bytes, std::size_t offset, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
  return static_cast<std::uint16_t>(bigEndian ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
}

std::uint32_t GetExif32(std::string_view bytes, std::size_t offset, bool bigEndian) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
  const std::uint32_t little = static_cast<std::uint32_t>(p[0]) | (p[1] << 8) | (p[2] << 16) |
                               (static_cast<std::uint32_t>(p[3]) << 24);
  return ExifOrder32(little, bigEndian);
}

std::string PutExif32(std::uint32_t value, bool bigEndian) {
  const std::uint32_t little = ExifOrder32(value, bigEndian);
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((little >> (8 * i)) & 0xFF);
  return out;
}
