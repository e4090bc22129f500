#pragma once
// Camera-like JPEG files built by the tests themselves: SOI, optional segments
// before the Exif block, APP1 "Exif\0\0" with a TIFF structure (IFD0 with Make,
// Model and DateTime; IFD1 placing an embedded thumbnail; optionally, after the
// thumbnail, the Exif, GPS and interoperability IFDs, a maker note, a SubIFD with
// a preview JPEG and a long chain of empty IFDs), optional XMP APP1, then a main
// picture encoded by libjpeg.
#include <algorithm>
#include <cstddef>
#include <string>

#include "export/JpegCodec.h"
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
  int Compression = 6;            // what IFD1 claims of its thumbnail (1: uncompressed)
  bool CompressionTag = true;     // false: IFD1 places a JPEG thumbnail without 0x0103
  bool IfdsAfterThumb = false;    // Exif, GPS and interoperability IFDs after the thumbnail
  bool MakerNote = false;         // with IfdsAfterThumb: a maker note there too
  bool SubIfdPreview = false;     // a SubIFD (0x014A) with a preview JPEG after the thumbnail
  int IfdChain = 0;               // empty IFDs chained after IFD1, after the thumbnail
  std::string Thumbnail;          // empty: a green 160 x 120 JPEG
  std::string Trailing;           // payload bytes after the thumbnail
  int Width = 320, Height = 240;  // of the red main picture
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

namespace detail {

struct Writer {
  bool Big;
  std::string Out;
  void U16(unsigned v) { Put(v, 2); }
  void U32(unsigned v) { Put(v, 4); }
  void Patch(std::size_t at, unsigned v) {
    Writer value{Big, {}};
    value.U32(v);
    Out.replace(at, 4, value.Out);
  }
  void Put(unsigned v, int bytes) {
    for (int k = 0; k < bytes; ++k)
      Out += static_cast<char>((v >> (8 * (Big ? bytes - 1 - k : k))) & 0xFF);
  }
  // One 12-byte IFD entry; returns the payload offset of its value field.
  std::size_t Entry(unsigned tag, unsigned type, unsigned count, unsigned value) {
    U16(tag);
    U16(type);
    U32(count);
    const std::size_t at = Out.size();
    type == 3 ? (U16(value), U16(0)) : U32(value);  // a SHORT sits left in its field
    return at;
  }
};

// Exif IFD (exposure 1/250, maybe a maker note, the interoperability pointer),
// interoperability IFD ("R98") and GPS IFD (north), with their values,
// at the end of w; the Exif and GPS pointers of IFD0 are patched to them.
inline void AppendSubIfds(Writer& w, std::size_t exifField, std::size_t gpsField, bool makerNote) {
  if (w.Out.size() % 2) w.Out += '\0';
  const auto here = [&w] { return static_cast<unsigned>(w.Out.size() - 6); };
  w.Patch(exifField, here());
  w.U16(makerNote ? 3 : 2);
  const std::size_t exposure = w.Entry(0x829A, 5, 1, 0);
  const std::size_t note = makerNote ? w.Entry(0x927C, 7, 16, 0) : 0;
  const std::size_t interop = w.Entry(0xA005, 4, 1, 0);
  w.U32(0);
  w.Patch(exposure, here());
  w.U32(1);
  w.U32(250);
  if (makerNote) {
    w.Patch(note, here());
    w.Out += "QuillCam note 16";
  }
  w.Patch(interop, here());
  w.U16(1);
  w.Entry(0x0001, 2, 4, 0);
  w.Out.replace(w.Out.size() - 4, 4, std::string("R98", 4));
  w.U32(0);
  w.Patch(gpsField, here());
  w.U16(1);
  w.Entry(0x0001, 2, 2, 0);
  w.Out.replace(w.Out.size() - 4, 4, std::string("N\0\0\0", 4));
  w.U32(0);
}

// A SubIFD placing a preview JPEG, then the preview, at the end of w; the SubIFD
// pointer of IFD0 is patched to it.
inline void AppendPreview(Writer& w, std::size_t subIfdField, const std::string& preview) {
  if (w.Out.size() % 2) w.Out += '\0';
  w.Patch(subIfdField, static_cast<unsigned>(w.Out.size() - 6));
  w.U16(4);
  w.Entry(0x00FE, 4, 1, 1);  // NewSubfileType: a reduced picture
  w.Entry(0x0103, 3, 1, 6);
  const std::size_t start = w.Entry(0x0201, 4, 1, 0);
  w.Entry(0x0202, 4, 1, preview.size());
  w.U32(0);
  w.Patch(start, static_cast<unsigned>(w.Out.size() - 6));
  w.Out += preview;
}

// count empty IFDs at the end of w, the first linked from nextField, each from the one before.
inline void AppendIfdChain(Writer& w, std::size_t nextField, int count) {
  for (int k = 0; k < count; ++k) {
    w.Patch(nextField, static_cast<unsigned>(w.Out.size() - 6));
    w.U16(0);
    nextField = w.Out.size();
    w.U32(0);
  }
}

}  // namespace detail

// A marker segment: FF, the marker code, the big-endian length, the payload.
inline std::string Segment(unsigned char marker, const std::string& payload) {
  const std::size_t length = payload.size() + 2;
  std::string out = {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                     static_cast<char>(length & 0xFF)};
  return out + payload;
}

// A plain JPEG (JFIF, no Exif) of one colour.
inline std::string PlainJpeg(int width, int height, TColor color, int quality = 90) {
  TABitmap bitmap(width, height);
  bitmap.Fill(color);
  return EncodePageJpeg(bitmap, quality);
}

inline CameraJpeg MakeCameraJpeg(const CameraOptions& o = {}) {
  CameraJpeg result;
  const std::string thumb =
      o.Thumbnail.empty() ? PlainJpeg(160, 120, RGBColor(10, 200, 10)) : o.Thumbnail;
  const std::string make("QuillCam", 9), model("QC-1 Test", 10), date("2024:01:02 03:04:05", 20);

  // TIFF offsets count from payload offset 6.
  detail::Writer w{o.BigEndian, "Exif"};
  w.Out += std::string(2, '\0') + (o.BigEndian ? "MM" : "II");
  w.U16(42);
  w.U32(8);
  const std::size_t ifd0 = w.Out.size();
  const unsigned ifd0Count = 3 + (o.SubIfdPreview ? 1 : 0) + (o.IfdsAfterThumb ? 2 : 0);
  const std::size_t ifd0Data = ifd0 + 2 + ifd0Count * 12 + 4;
  const std::size_t ifd1 = ifd0Data + make.size() + model.size() + date.size() + 1;
  const std::size_t ifd1Aligned = ifd1 + (ifd1 % 2);
  w.U16(ifd0Count);
  w.Entry(0x010F, 2, make.size(), ifd0Data - 6);
  w.Entry(0x0110, 2, model.size(), ifd0Data + make.size() - 6);
  w.Entry(0x0132, 2, date.size(), ifd0Data + make.size() + model.size() - 6);
  const std::size_t subIfdField = o.SubIfdPreview ? w.Entry(0x014A, 4, 1, 0) : 0;
  const std::size_t exifField = o.IfdsAfterThumb ? w.Entry(0x8769, 4, 1, 0) : 0;
  const std::size_t gpsField = o.IfdsAfterThumb ? w.Entry(0x8825, 4, 1, 0) : 0;
  w.U32(o.Ifd1 ? ifd1Aligned - 6 : 0);
  w.Out += make + model + date;
  while (w.Out.size() < ifd1Aligned) w.Out += '\0';
  std::size_t ifd1Next = 0;
  if (o.Ifd1) {
    result.Ifd1Pos = w.Out.size();
    // A JPEG thumbnail placed as usual; Compression may claim another kind.
    const unsigned count = o.CompressionTag ? 3 : 2;
    const std::size_t thumbPos = w.Out.size() + 2 + count * 12 + 4;
    w.U16(count);
    if (o.CompressionTag) w.Entry(0x0103, 3, 1, o.Compression);
    result.OffsetValuePos = w.Entry(0x0201, 4, 1, thumbPos - 6);
    result.LengthValuePos = w.Entry(0x0202, 4, 1, thumb.size());
    ifd1Next = w.Out.size();
    w.U32(0);
    result.ThumbPos = w.Out.size();
    result.ThumbLength = thumb.size();
    w.Out += thumb;
  }
  w.Out += o.Trailing;
  if (o.IfdsAfterThumb) detail::AppendSubIfds(w, exifField, gpsField, o.MakerNote);
  if (o.SubIfdPreview) detail::AppendPreview(w, subIfdField, PlainJpeg(64, 48, RGBColor(0, 0, 90)));
  if (o.Ifd1) detail::AppendIfdChain(w, ifd1Next, o.IfdChain);
  result.Payload = w.Out;

  const std::string main = PlainJpeg(o.Width, o.Height, RGBColor(200, 40, 40), 85);
  std::string head = "\xFF\xD8";
  if (o.App0) head += main.substr(2, 18);  // the main picture's own JFIF APP0
  for (std::size_t left = o.PadBefore; left > 0;) {
    const std::size_t n = std::min<std::size_t>(left, 60000);
    head += Segment(0xFE, std::string(n, 'p'));
    left -= n;
  }
  const std::string xmp = Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/") + '\0' +
                                            "<x:xmpmeta xmlns:x='adobe:ns:meta/'/>");
  if (o.XmpBefore) head += xmp;
  head += std::string(o.FillBytes, '\xFF');
  result.PayloadPos = head.size() + 4;
  head += Segment(0xE1, result.Payload);
  // The main picture without its SOI and APP0.
  result.ImageData = (o.XmpAfter ? xmp : "") + main.substr(2 + 18);
  result.Bytes = head + result.ImageData;
  return result;
}

}  // namespace fixtures
