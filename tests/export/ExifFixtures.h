#pragma once
// Camera-like JPEG files built by the tests themselves: SOI, optional segments
// before the Exif block, APP1 "Exif\0\0" with a TIFF structure (IFD0 with Make,
// Model and DateTime; IFD1 placing an embedded thumbnail), optional XMP APP1,
// then a main picture encoded by libjpeg.
#include <cstddef>
#include <string>

#include "render/ABitmap.h"

namespace fixtures {

struct CameraOptions {
  bool BigEndian = false;
  bool App0 = false;          // a JFIF APP0 segment before the APP1
  int FillBytes = 0;          // extra FF bytes before the APP1 marker code
  std::size_t PadBefore = 0;  // bytes of COM segments before the APP1
  bool XmpBefore = false;     // an XMP APP1 before the Exif one
  bool XmpAfter = false;      // an XMP APP1 after the Exif one
  bool Ifd1 = true;
  int Compression = 6;          // what IFD1 claims of its thumbnail (1: uncompressed)
  bool CompressionTag = true;   // false: IFD1 places a JPEG thumbnail without 0x0103
  bool IfdsAfterThumb = false;  // Exif, GPS and interoperability IFDs after the thumbnail
  bool MakerNote = false;       // with IfdsAfterThumb: a maker note there too
  std::string Thumbnail;        // empty: a 160 x 120 JPEG of ThumbColor
  std::string Trailing;         // payload bytes after the thumbnail
  int Width = 320, Height = 240;
  TColor Color = RGBColor(200, 40, 40);
  TColor ThumbColor = RGBColor(10, 200, 10);
};

struct CameraJpeg {
  std::string Bytes;
  std::size_t PayloadPos = 0;  // file offset of the Exif payload
  std::string Payload;         // the Exif APP1 payload
  std::size_t ThumbPos = 0;    // in the payload
  std::size_t ThumbLength = 0;
  std::size_t LengthValuePos = 0;  // value field of JPEGInterchangeFormatLength, in the payload
  std::size_t OffsetValuePos = 0;  // value field of JPEGInterchangeFormat, in the payload
  std::size_t Ifd1Pos = 0;         // in the payload
  std::string ImageData;           // everything after the Exif APP1 segment
};

CameraJpeg MakeCameraJpeg(const CameraOptions& options = {});

// A marker segment: FF, the marker code, the big-endian length, the payload.
std::string Segment(unsigned char marker, const std::string& payload);

// A plain JPEG (JFIF, no Exif) of one colour.
std::string PlainJpeg(int width, int height, TColor color);

// A bitmap of one colour.
TABitmap Solid(int width, int height, TColor color);

// Big-endian 16-bit value at a byte offset.
unsigned Be16(const std::string& bytes, std::size_t pos);

}  // namespace fixtures
