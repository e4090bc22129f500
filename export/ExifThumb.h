#pragma once
// The thumbnail inside a template's Exif block, and the splice that replaces it.
//
// Exif APP1 payload: "Exif\0" and one pad byte, then a TIFF structure whose
// offsets count from payload offset 6: byte order "II" or "MM", 42, the offset
// of IFD0. IFD0's next-IFD offset gives IFD1, whose entries Compression (0x0103,
// SHORT, 6 = JPEG), JPEGInterchangeFormat (0x0201, LONG) and
// JPEGInterchangeFormatLength (0x0202, LONG) place the thumbnail.
//
// Typical use by a page writer:
//   TFileStream tmpl(path, TFileStream::Mode::ReadOnly);
//   ExifTemplate t;
//   if (ExifRefusal r = ReadExifTemplate(tmpl, t); r != ExifRefusal::None)
//     { P.ShowMessage(ExifRefusalMessage(r, t.Thumb.Compression)); return; }
//   ... encode the page and the thumbnail ...
//   TAtomicFileStream out(outPath);
//   if (r = ReplaceThumbnail(out, tmpl, t, thumb, pageJpeg.substr(2)); r != None) {...}
//   out.Commit();
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/Streams.h"

// Why a template cannot be spliced. None means it can.
enum class ExifRefusal {
  None,
  NoExif,         // no Exif block, bad signature or TIFF header, no usable IFD1
  NotJpegThumb,   // the thumbnail is not JPEG-compressed
  App1TooLong,    // the new APP1 segment would not fit a 16-bit length
  UnsafeOffsets,  // what follows the thumbnail holds offsets the splice cannot move
};

// After a thumbnail batch, the count of pages that kept their template's own
// thumbnail, then this text, then the first few template names.
inline constexpr char kMsgKeptThumbs[] =
    "ページはサムネイルを入れ替えられず、元の写真のサムネイルのまま保存しました";

// The program's message for a refusal; compression is the value read from IFD1.
std::string ExifRefusalMessage(ExifRefusal refusal, int compression);
// Shown when a camera photograph has no Exif block to splice behind.
inline constexpr char kMsgNoExif[] = "Exif情報が見つかりませんでした";

// Where the thumbnail lies in an Exif payload (positions count from the payload start).
struct ExifThumbInfo {
  bool BigEndian = false;
  int Compression = 0;
  std::size_t ThumbPos = 0;        // where the old thumbnail starts
  std::size_t ThumbLength = 0;     // the old thumbnail's length in bytes
  std::size_t LengthValuePos = 0;  // value field of the JPEGInterchangeFormatLength entry
  // The offset fields pointing past the old thumbnail, moved by the length change.
  std::vector<std::size_t> OffsetsAfter;
};

// Locates the thumbnail in payload. Every IFD, entry and thumbnail must lie inside
// the payload, and IFD0 and IFD1 must come before the thumbnail (the splice moves
// what follows it); otherwise NoExif. A Compression other than 6 is NotJpegThumb;
// without a Compression entry, JPEG bytes (FF D8) at the thumbnail's offset count
// as a JPEG thumbnail, as some phones write it. Offsets past the thumbnail that
// cannot be moved safely are UnsafeOffsets.
ExifRefusal LocateThumbnail(std::string_view payload, ExifThumbInfo& info);

// A template's Exif block: the payload of its first Exif APP1 segment.
struct ExifTemplate {
  std::string Payload;
  std::int64_t PayloadPos = 0;  // file offset just after the APP1 length field
  ExifThumbInfo Thumb;
};

// Gathers the template's Exif block and locates its thumbnail.
ExifRefusal ReadExifTemplate(TStream& source, ExifTemplate& result);

// The APP1 length field the splice writes: the payload's size, less the old
// thumbnail's length, plus the new thumbnail's size, plus the two bytes of the field.
std::int64_t NewApp1Length(const ExifTemplate& tmpl, std::size_t thumbSize);

// Writes the template's bytes up to its APP1 marker, the APP1 segment with the new
// thumbnail (its length entry, and every offset pointing past the old thumbnail,
// rewritten in the block's byte order), then imageData.
// Refuses with App1TooLong before writing anything when the segment would not fit.
ExifRefusal ReplaceThumbnail(TStream& output, TStream& source, const ExifTemplate& tmpl,
                             std::string_view thumb, std::string_view imageData);
