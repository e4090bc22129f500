#pragma once
// JpegTTx: the Exif thumbnail encoder, a fixed configuration of libjpeg.
//
// Stream written with the header option on (the only form thumbnails use):
//   SOI; one DQT segment holding both tables (length 132); SOF0 (length 17,
//   components 1, 2, 3 sampled 2x1, 1x1, 1x1, tables 0, 1, 1); one DHT segment
//   holding the four standard tables; SOS (length 12, selectors 0x00 0x11 0x11);
//   entropy-coded data; EOI. No APP0, no COM.
// Quantisation: both tables come from JPEG Annex K.1 halved (rounded half up) and
// scaled by the quality rule of ThumbQuantTable.
//
//   std::string thumb = EncodeThumbnail(page, quality);  // shrinks a copy to 160 x 120
#include <array>
#include <cstdint>
#include <string>

#include "export/Streams.h"
#include "render/ABitmap.h"

constexpr int kThumbWidth = 160;
constexpr int kThumbHeight = 120;

class JpegTTx {
 public:
  enum class Sampling { Y2x1C1x1, Y1x1C1x1 };

  void SetBitmap(const TABitmap& bitmap) { bitmap_ = &bitmap; }
  // 0..100; 0 is taken as 1.
  void SetQuality(int quality) { quality_ = quality; }
  // On: no APP0 and no COM segment (the thumbnail form). Off: a JFIF APP0 and
  // the comment, when one is set, follow SOI.
  void SetHeaderless(bool on) { headerless_ = on; }
  void SetComment(std::string comment) { comment_ = std::move(comment); }
  void SetSampling(Sampling sampling) { sampling_ = sampling; }

  // Encodes the bitmap; throws EImageError when there is none or it is empty.
  std::string Encode() const;
  void SaveToStream(TStream& out) const { out.Write(Encode()); }

 private:
  const TABitmap* bitmap_ = nullptr;
  int quality_ = 60;
  bool headerless_ = true;
  std::string comment_;
  Sampling sampling_ = Sampling::Y2x1C1x1;
};

// The 64 quantisation values in natural (row-major) order for quality q: the halved
// K.1 base times 50/q below 50, else (100 - q)/50, rounded to nearest with ties to
// even, limited to 1..255. Only q's low 7 bits count; 0 is taken as 1.
std::array<std::uint16_t, 64> ThumbQuantTable(int quality);

// Merges every DQT segment of a baseline stream into one and every DHT segment into
// one, each at the place of the first, keeping the tables' order and the scan data.
std::string MergeTableSegments(const std::string& jpeg);

// Resizes in place to width x height by area averaging, width first, then height:
// each target pixel is the coverage-weighted mean of the source pixels under it
// (4 x 4 block means for 640 x 480 -> 160 x 120). A direction that is smaller
// than the target is enlarged by the same coverage rule (box resampling).
void ShrinkBitmap(TABitmap& bitmap, int width, int height);

// A 160 x 120 thumbnail of the bitmap (a shrunk copy), encoded header-less with
// Y 2x1 / chroma 1x1 sampling at the quality.
std::string EncodeThumbnail(const TABitmap& bitmap, int quality);
// The same for a bitmap that is already thumbnail-sized (it is not shrunk).
std::string EncodeThumbnailAsIs(const TABitmap& thumb, int quality);
