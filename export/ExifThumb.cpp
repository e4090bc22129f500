#include "export/ExifThumb.h"

#include <algorithm>
#include <cstring>

#include "export/ExifOffsets.h"
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
  std::size_t LengthValuePos = 0;
  std::size_t CompressionValuePos = 0, OffsetValuePos = 0;
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
      e.CompressionValuePos = entry + 8;
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
      return std::to_string(compression) + " :Tumbnailの圧縮の種類はJpegではありません。中止します";
    case ExifRefusal::App1TooLong:
      return "サムネイルが大きすぎてExif情報に収まりません。画質を下げてください。中止します";
    case ExifRefusal::UnsafeOffsets:
      return "サムネイルの後ろにあるExif情報（メーカーノートなど）を正しく移せません。中止します";
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
  if (!Fits(a, ifd1 + 2, 12 * std::uint64_t{count})) return ExifRefusal::NoExif;

  Ifd1Entries e = ReadIfd1(a, ifd1, count, big);
  const std::uint64_t thumbPos = kTiffStart + std::uint64_t{e.Offset};
  if (!e.HasCompression && e.HasOffset && e.HasLength && Fits(a, thumbPos, 2) &&
      a.substr(thumbPos, 2) == "\xFF\xD8")
    e.Compression = 6;
  info.Compression = e.Compression;
  if (e.Compression != 6) return ExifRefusal::NotJpegThumb;
  if (!e.HasOffset || !e.HasLength) return ExifRefusal::NoExif;
  // The splice keeps everything before the thumbnail in place and moves what
  // follows it, so both IFDs (and the length entry it rewrites) must come before
  // the thumbnail, which must end inside the block.
  const std::uint64_t ifd1End = ifd1 + 2 + 12 * std::uint64_t{count};
  if (thumbPos < next + 4 || thumbPos < ifd1End || !Fits(a, thumbPos, e.Length))
    return ExifRefusal::NoExif;
  auto offsets = OffsetFieldsAfter(a, big, ifd0, thumbPos, thumbPos + e.Length);
  // A field that would move must not be one of those the thumbnail is found by.
  const auto ownField = [&e](std::size_t f) {
    return f == e.LengthValuePos || f == e.OffsetValuePos || f == e.CompressionValuePos;
  };
  if (!offsets || std::any_of(offsets->begin(), offsets->end(), ownField))
    return ExifRefusal::UnsafeOffsets;
  info.ThumbPos = thumbPos;
  info.ThumbLength = e.Length;
  info.LengthValuePos = e.LengthValuePos;
  info.OffsetsAfter = std::move(*offsets);
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

std::int64_t NewApp1Length(const ExifTemplate& tmpl, std::size_t thumbSize) {
  return static_cast<std::int64_t>(tmpl.Payload.size()) -
         static_cast<std::int64_t>(tmpl.Thumb.ThumbLength) + static_cast<std::int64_t>(thumbSize) +
         2;
}

ExifRefusal ReplaceThumbnail(TStream& output, TStream& source, const ExifTemplate& tmpl,
                             std::string_view thumb, std::string_view imageData) {
  const std::int64_t length = NewApp1Length(tmpl, thumb.size());
  if (length > 0xFFFF) return ExifRefusal::App1TooLong;
  const ExifThumbInfo& t = tmpl.Thumb;
  if (t.ThumbPos < t.LengthValuePos + 4 || t.LengthValuePos == 0 ||
      !Fits(tmpl.Payload, t.ThumbPos, t.ThumbLength) || tmpl.PayloadPos < 4)
    return ExifRefusal::NoExif;
  std::string moved = tmpl.Payload;
  const std::int64_t shift =
      static_cast<std::int64_t>(thumb.size()) - static_cast<std::int64_t>(t.ThumbLength);
  for (const std::size_t field : t.OffsetsAfter) {
    if (field + 4 > moved.size()) return ExifRefusal::NoExif;
    const auto offset = static_cast<std::uint32_t>(GetExif32(moved, field, t.BigEndian) + shift);
    moved.replace(field, 4, PutExif32(offset, t.BigEndian));
  }
  const std::string_view a = moved;

  source.Seek(0);
  output.CopyFrom(source, tmpl.PayloadPos - 2);
  const char lengthField[2] = {static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  output.Write(lengthField, 2);
  output.Write(a.substr(0, t.LengthValuePos));
  output.Write(PutExif32(static_cast<std::uint32_t>(thumb.size()), t.BigEndian));
  output.Write(a.substr(t.LengthValuePos + 4, t.ThumbPos - (t.LengthValuePos + 4)));
  output.Write(thumb);
  if (a.size() > t.ThumbPos + t.ThumbLength) output.Write(a.substr(t.ThumbPos + t.ThumbLength));
  output.Write(imageData);
  return ExifRefusal::None;
}
