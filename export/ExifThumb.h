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
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "export/Streams.h"

// Why a template cannot be spliced. None means it can.
enum class ExifRefusal {
  None,
  NoExif,        // no Exif block, bad signature or TIFF header, no usable IFD1
  NotJpegThumb,  // the thumbnail is not JPEG-compressed
  App1TooLong,   // the block with the new thumbnail would not fit one APP1 segment
};

// The most payload bytes one APP1 segment holds: its length field is 16 bits and
// counts its own two bytes.
inline constexpr std::size_t kMaxApp1Payload = 0xFFFF - 2;

// Shown when a camera photograph has no Exif block to splice behind.
inline constexpr char kMsgNoExif[] = "Exif情報が見つかりませんでした";
// Follows the thumbnail's Compression value in decimal.
inline constexpr char kMsgNotJpegThumb[] = " :Tumbnailの圧縮の種類はJpegではありません。中止します";
// The new thumbnail would make the Exif block larger than one APP1 segment holds.
inline constexpr char kMsgExifTooLarge[] =
    "サムネイルを入れるとExif情報が大きくなりすぎます（上限65,533バイト）。"
    "画質を下げてください。中止します";
// After a thumbnail batch, the count of pages that kept their template's own
// thumbnail, then this text, then the first few template names.
inline constexpr char kMsgKeptThumbs[] =
    "ページはサムネイルを入れ替えられず、元の写真のサムネイルのまま保存しました";

// The program's message for a refusal; compression is the value read from IFD1.
std::string ExifRefusalMessage(ExifRefusal refusal, int compression);

// Where the thumbnail lies in an Exif payload (positions count from the payload start).
struct ExifThumbInfo {
  bool BigEndian = false;
  int Compression = 0;
  std::size_t ThumbPos = 0;        // where the old thumbnail starts
  std::size_t ThumbLength = 0;     // the old thumbnail's length in bytes
  std::size_t OffsetValuePos = 0;  // value field of the JPEGInterchangeFormat entry
  std::size_t LengthValuePos = 0;  // value field of the JPEGInterchangeFormatLength entry
};

// Locates the thumbnail in payload. The TIFF header, IFD0, IFD1 and the thumbnail
// must lie inside the payload, and the thumbnail must not overlap the header or
// either IFD (its old bytes are overwritten); otherwise NoExif. A Compression
// other than 6 is NotJpegThumb; without a Compression entry, JPEG bytes (FF D8) at
// the thumbnail's offset count as a JPEG thumbnail, as some phones write it.
// Nothing else of the block is read: the splice moves none of it.
ExifRefusal LocateThumbnail(std::string_view payload, ExifThumbInfo& info);

// A template's Exif block: the payload of its first Exif APP1 segment.
struct ExifTemplate {
  std::string Payload;
  std::int64_t PayloadPos = 0;  // file offset just after the APP1 length field
  ExifThumbInfo Thumb;
};

// Gathers the template's Exif block and locates its thumbnail.
ExifRefusal ReadExifTemplate(TStream& source, ExifTemplate& result);

// Writes the template's bytes up to its APP1 marker, the APP1 segment with the new
// thumbnail, then imageData. Every byte of the block other than the old thumbnail
// and its two IFD1 values stays where it was, so offsets we cannot know (maker
// notes, previews, SubIFDs) keep pointing at their data:
// - a thumbnail no longer than the old one is written in its place and the rest
//   of the old space is zero-filled;
// - a longer one replaces an old thumbnail that ends the block, and otherwise is
//   appended at the block's end (at an even TIFF offset) with the old space
//   zero-filled and JPEGInterchangeFormat pointing at it;
// JPEGInterchangeFormatLength gets the new length, in the block's byte order.
// Refuses with App1TooLong before writing anything when the payload would exceed
// kMaxApp1Payload bytes.
ExifRefusal ReplaceThumbnail(TStream& output, TStream& source, const ExifTemplate& tmpl,
                             std::string_view thumb, std::string_view imageData);
