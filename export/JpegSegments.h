#pragma once
// JPEG marker segments as the Exif routines see them: SOI (FF D8), then segments,
// each FF, any number of FF fill bytes, a marker code and (except for the
// standalone markers TEM and RST0..RST7) a 2-byte big-endian length that counts
// itself. The header part ends at SOS (FF DA). All routines start reading at
// offset 0 of the source and never read outside its data.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "export/Streams.h"

constexpr std::uint8_t kMarkerSOI = 0xD8;
constexpr std::uint8_t kMarkerSOS = 0xDA;
constexpr std::uint8_t kMarkerAPP0 = 0xE0;
constexpr std::uint8_t kMarkerAPP1 = 0xE1;
constexpr std::uint8_t kMarkerDQT = 0xDB;
constexpr std::uint8_t kMarkerDHT = 0xC4;
constexpr std::uint8_t kMarkerSOF0 = 0xC0;

// One segment with a length field. PayloadPos is the offset just after the
// length field; the segment ends at PayloadPos - 2 + Length.
struct JpegSegment {
  std::uint8_t Marker = 0;
  std::int64_t PayloadPos = 0;
  std::uint32_t Length = 0;  // as stored: counts itself, not the marker
  std::int64_t PayloadSize() const { return static_cast<std::int64_t>(Length) - 2; }
  std::int64_t End() const { return PayloadPos - 2 + Length; }
};

enum class ScanEnd {
  Stopped,  // the visitor asked to stop
  Sos,      // SOS reached
  Failed    // not a JPEG, or the header part is truncated or malformed
};

// Walks the header segments from offset 0. The visitor may read from the stream;
// the scan continues after the segment's end. It returns true to stop.
ScanEnd ScanJpegSegments(TStream& source, const std::function<bool(const JpegSegment&)>& visit);

// The first APP1 segment whose payload starts with "Exif" and a zero byte. Other
// APP1 segments (XMP and the like) are passed over.
std::optional<JpegSegment> FindExifSegment(TStream& source, bool* failed = nullptr);

// Copies the source from offset 0 to the end of its Exif APP1 segment
// (FindExifSegment); payloadPos receives that segment's payload position.
// Succeeds without copying anything when SOS comes first; fails on a malformed
// head or a segment running past the end of the data.
bool CopyExifHead(TStream& destination, TStream& source, std::int64_t* payloadPos = nullptr);
// Copies the source from the end of its Exif APP1 segment to its end. Succeeds
// without copying anything when SOS comes first.
bool CopyExifTail(TStream& destination, TStream& source);

// Byte-order helpers for values of the Exif block: a value read as little-endian
// is swapped when the block is big-endian ("MM"), else returned unchanged.
constexpr std::uint16_t ExifOrder16(std::uint16_t value, bool bigEndian) {
  return bigEndian ? static_cast<std::uint16_t>((value >> 8) | (value << 8)) : value;
}
constexpr std::uint32_t ExifOrder32(std::uint32_t value, bool bigEndian) {
  return bigEndian ? ((value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) |
                      (value << 24))
                   : value;
}
// Reads and writes of block values at a byte offset, in the block's order.
// The caller makes sure the bytes are there.
std::uint16_t GetExif16(std::string_view bytes, std::size_t offset, bool bigEndian);
std::uint32_t GetExif32(std::string_view bytes, std::size_t offset, bool bigEndian);
std::string PutExif32(std::uint32_t value, bool bigEndian);
