#include "export/ExifThumb.h"

#include <algorithm>
#include <cstring>

#include "export/JpegSegments.h"

namespace {

constexpr std::size_t kTiffStart = 6;
constexpr std::uint16_t kTagCompression = 0x0103;
constexpr std::uint16_t kTagThumbOffset = 0x0201;
constexpr std::uint16_t kTagThumbLength = 0x0202;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;

bool Fits(std::string_view payload, std::uint64_t pos, std::uint64_t count) {
  return pos <= payload.size() && count <= payload.size() - pos;
}

struct Ifd1Entries {
  int Compression = 0;
  bool HasCompression = false;
  bool HasOffset = false, HasLength = false;
  std::uint32_t Offset = 0, Length = 0;
  std::size_t OffsetValuePos = 0, LengthValuePos = 0;
};

Ifd1Entries ReadIfd1(std::string_view a, std::size_t pos, std::uint16_t count, bool big) {
  Ifd1Entries e;
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t entry = pos + 2 + 12 * k;
    const std::uint16_t tag = GetExif16(a, entry, big);
    const std::uint16_t type = GetExif16(a, entry + 2, big);
    // An entry of another type than required reads as 0.
    if (tag == kTagCompression) {
      e.HasCompression = true;
      e.Compression = type == kTypeShort ? GetExif16(a, entry + 8, big) : 0;
    } else if (tag == kTagThumbOffset) {
      e.HasOffset = type == kTypeLong;
      e.OffsetValuePos = entry + 8;
      e.Offset = e.HasOffset ? GetExif32(a, entry + 8, big) : 0;
    } else if (tag == kTagThumbLength) {
      e.HasLength = type == kTypeLong;
      e.Length = e.HasLength ? GetExif32(a, entry + 8, big) : 0;
      e.LengthValuePos = entry + 8;
    }
  }
  return e;
}

}  // namespace

std::string ExifRefusalMessage(ExifRefusal refusal, int compression) {
  switch (refusal) {
    case ExifRefusal::None:
      return {};
    case ExifRefusal::NoExif:
      return kMsgNoExif;
    case ExifRefusal::NotJpegThumb:
      return std::to_string(compression) + kMsgNotJpegThumb;
    case ExifRefusal::App1TooLong:
      return kMsgExifTooLarge;
  }
  return {};
}

ExifRefusal LocateThumbnail(std::string_view a, ExifThumbInfo& info) {
  info = ExifThumbInfo{};
  if (a.size() < kTiffStart + 8 || std::memcmp(a.data(), "Exif\0", 5) != 0)
    return ExifRefusal::NoExif;
  bool big = false;
  if (a.substr(kTiffStart, 2) == "MM") {
    big = true;
  } else if (a.substr(kTiffStart, 2) != "II") {
    return ExifRefusal::NoExif;
  }
  if (GetExif16(a, kTiffStart + 2, big) != 42) return ExifRefusal::NoExif;
  info.BigEndian = big;

  const std::uint64_t ifd0 = kTiffStart + std::uint64_t{GetExif32(a, kTiffStart + 4, big)};
  if (!Fits(a, ifd0, 2)) return ExifRefusal::NoExif;
  const std::uint64_t next = ifd0 + 2 + 12 * std::uint64_t{GetExif16(a, ifd0, big)};
  if (!Fits(a, next, 4)) return ExifRefusal::NoExif;
  const std::uint32_t ifd1Offset = GetExif32(a, next, big);
  if (ifd1Offset == 0) return ExifRefusal::NoExif;
  const std::uint64_t ifd1 = kTiffStart + std::uint64_t{ifd1Offset};
  if (!Fits(a, ifd1, 2)) return ExifRefusal::NoExif;
  const std::uint16_t count = GetExif16(a, ifd1, big);
  const std::uint64_t ifd1Next = ifd1 + 2 + 12 * std::uint64_t{count};
  if (!Fits(a, ifd1 + 2, 12 * std::uint64_t{count})) return ExifRefusal::NoExif;

  Ifd1Entries e = ReadIfd1(a, ifd1, count, big);
  const std::uint64_t thumbPos = kTiffStart + std::uint64_t{e.Offset};
  if (!e.HasCompression && e.HasOffset && e.HasLength && Fits(a, thumbPos, 2) &&
      a.substr(thumbPos, 2) == "\xFF\xD8")
    e.Compression = 6;
  info.Compression = e.Compression;
  if (e.Compression != 6) return ExifRefusal::NotJpegThumb;
  if (!e.HasOffset || !e.HasLength || !Fits(a, thumbPos, e.Length)) return ExifRefusal::NoExif;
  // The old thumbnail's bytes are overwritten, so it must not share a byte with
  // the TIFF header or the IFDs it is found by (whose values the splice rewrites).
  const std::uint64_t thumbEnd = thumbPos + e.Length;
  const auto overlaps = [&](std::uint64_t start, std::uint64_t end) {
    return thumbPos < end && start < thumbEnd;
  };
  if (overlaps(0, kTiffStart + 8) || overlaps(ifd0, next + 4) || overlaps(ifd1, ifd1Next + 4))
    return ExifRefusal::NoExif;
  info.ThumbPos = thumbPos;
  info.ThumbLength = e.Length;
  info.OffsetValuePos = e.OffsetValuePos;
  info.LengthValuePos = e.LengthValuePos;
  return ExifRefusal::None;
}

ExifRefusal ReadExifTemplate(TStream& source, ExifTemplate& result) {
  result = ExifTemplate{};
  const auto segment = FindExifSegment(source);
  if (!segment) return ExifRefusal::NoExif;
  result.PayloadPos = segment->PayloadPos;
  result.Payload.resize(static_cast<std::size_t>(segment->PayloadSize()));
  source.Seek(segment->PayloadPos);
  source.ReadExact(result.Payload.data(), result.Payload.size());
  return LocateThumbnail(result.Payload, result.Thumb);
}

namespace {

// The template's payload with the new thumbnail, laid out as ReplaceThumbnail
// states; nothing but the old thumbnail's bytes and its two IFD1 values changes.
std::string NewPayload(const ExifTemplate& tmpl, std::string_view thumb) {
  const ExifThumbInfo& t = tmpl.Thumb;
  std::string a = tmpl.Payload;
  std::size_t at = t.ThumbPos;
  if (thumb.size() <= t.ThumbLength) {
    a.replace(at, thumb.size(), thumb);
    std::fill_n(a.begin() + static_cast<std::ptrdiff_t>(at + thumb.size()),
                t.ThumbLength - thumb.size(), '\0');
  } else if (t.ThumbPos + t.ThumbLength == a.size()) {
    // Nothing follows the old thumbnail: the new one takes its place and runs on.
    a.replace(at, std::string::npos, thumb);
  } else {
    std::fill_n(a.begin() + static_cast<std::ptrdiff_t>(at), t.ThumbLength, '\0');
    // TIFF offsets are even; the TIFF header starts at an even payload offset.
    if (a.size() % 2) a += '\0';
    at = a.size();
    a += thumb;
    a.replace(t.OffsetValuePos, 4,
              PutExif32(static_cast<std::uint32_t>(at - kTiffStart), t.BigEndian));
  }
  a.replace(t.LengthValuePos, 4, PutExif32(static_cast<std::uint32_t>(thumb.size()), t.BigEndian));
  return a;
}

}  // namespace

ExifRefusal ReplaceThumbnail(TStream& output, TStream& source, const ExifTemplate& tmpl,
                             std::string_view thumb, std::string_view imageData) {
  const ExifThumbInfo& t = tmpl.Thumb;
  // What LocateThumbnail promises; checked again, as the template is the caller's.
  if (!Fits(tmpl.Payload, t.ThumbPos, t.ThumbLength) || t.ThumbPos < kTiffStart + 8 ||
      !Fits(tmpl.Payload, t.OffsetValuePos, 4) || !Fits(tmpl.Payload, t.LengthValuePos, 4) ||
      tmpl.PayloadPos < 4)
    return ExifRefusal::NoExif;
  // A thumbnail this long could not fit whatever the block.
  if (thumb.size() > kMaxApp1Payload) return ExifRefusal::App1TooLong;
  const std::string a = NewPayload(tmpl, thumb);
  if (a.size() > kMaxApp1Payload) return ExifRefusal::App1TooLong;
  const std::size_t length = a.size() + 2;

  source.Seek(0);
  output.CopyFrom(source, tmpl.PayloadPos - 2);
  const char lengthField[2] = {static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  output.Write(lengthField, 2);
  output.Write(a);
  output.Write(imageData);
  return ExifRefusal::None;
}
