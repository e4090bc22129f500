#include "export/JpegTTx.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <vector>

#include "base/Errors.h"
#include "export/JpegCodec.h"
#include "export/JpegSegments.h"

namespace {

// JPEG Annex K.1, the luminance table, in natural order.
constexpr std::uint16_t kAnnexK1[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

// num / den rounded to the nearest integer, a tie going to the even neighbour.
long long RoundHalfEven(long long num, long long den) {
  long long quotient = num / den;
  const long long twice = 2 * (num % den);
  if (twice > den || (twice == den && quotient % 2 != 0)) ++quotient;
  return quotient;
}

// For each target pixel along one axis: the first source pixel it covers and the
// weight of each covered source pixel, measured in 1/target-size of a source
// pixel, so the weights of one target pixel add up to the source size.
struct Taps {
  std::vector<int> First;
  std::vector<std::vector<std::uint32_t>> Weights;
};

Taps MakeTaps(int sourceSize, int targetSize) {
  Taps taps;
  taps.First.resize(targetSize);
  taps.Weights.resize(targetSize);
  const long long s = sourceSize, t = targetSize;
  for (long long i = 0; i < t; ++i) {
    const long long begin = i * s, end = (i + 1) * s;
    const long long first = begin / t;
    taps.First[i] = static_cast<int>(first);
    for (long long src = first; src * t < end; ++src) {
      const long long lo = std::max(begin, src * t), hi = std::min(end, (src + 1) * t);
      taps.Weights[i].push_back(static_cast<std::uint32_t>(hi - lo));
    }
  }
  return taps;
}

// Both passes keep the weighted sums unrounded, so each result is the area mean
// rounded once: width first, then height.
TABitmap Resample(const TABitmap& source, int width, int height) {
  const Taps across = MakeTaps(source.Width(), width);
  const Taps down = MakeTaps(source.Height(), height);
  const int rowValues = width * 3;
  std::vector<std::uint64_t> rows(static_cast<std::size_t>(rowValues) * source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.ScanLine(y);
    std::uint64_t* out = rows.data() + static_cast<std::size_t>(y) * rowValues;
    for (int x = 0; x < width; ++x) {
      std::uint64_t sum[3] = {0, 0, 0};
      const std::uint8_t* pixel = in + 3 * across.First[x];
      for (std::uint32_t w : across.Weights[x]) {
        for (int c = 0; c < 3; ++c) sum[c] += std::uint64_t{w} * pixel[c];
        pixel += 3;
      }
      for (int c = 0; c < 3; ++c) out[3 * x + c] = sum[c];
    }
  }
  TABitmap target(width, height);
  const std::uint64_t total =
      static_cast<std::uint64_t>(source.Width()) * static_cast<std::uint64_t>(source.Height());
  std::vector<std::uint64_t> sum(rowValues);
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0);
    int row = down.First[y];
    for (std::uint32_t w : down.Weights[y]) {
      const std::uint64_t* in = rows.data() + static_cast<std::size_t>(row++) * rowValues;
      for (int i = 0; i < rowValues; ++i) sum[i] += std::uint64_t{w} * in[i];
    }
    std::uint8_t* out = target.ScanLine(y);
    for (int i = 0; i < rowValues; ++i)
      out[i] = static_cast<std::uint8_t>((sum[i] + total / 2) / total);
  }
  return target;
}

void Configure(jpeg_compress_struct& cinfo, int quality, bool headerless,
               JpegTTx::Sampling sampling) {
  cinfo.write_JFIF_header = headerless ? FALSE : TRUE;
  cinfo.JFIF_major_version = 1;
  cinfo.JFIF_minor_version = 1;
  cinfo.write_Adobe_marker = FALSE;
  cinfo.optimize_coding = FALSE;
  cinfo.restart_interval = 0;
  const auto table = ThumbQuantTable(quality);
  unsigned int basic[64];
  for (int i = 0; i < 64; ++i) basic[i] = table[i];
  // Scale 100 keeps the values as given; they are already limited to 1..255.
  jpeg_add_quant_table(&cinfo, 0, basic, 100, FALSE);
  jpeg_add_quant_table(&cinfo, 1, basic, 100, FALSE);
  cinfo.comp_info[0].quant_tbl_no = 0;
  cinfo.comp_info[1].quant_tbl_no = 1;
  cinfo.comp_info[2].quant_tbl_no = 1;
  cinfo.comp_info[0].h_samp_factor = sampling == JpegTTx::Sampling::Y2x1C1x1 ? 2 : 1;
  cinfo.comp_info[0].v_samp_factor = 1;
  for (int c = 1; c < 3; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
}

std::string Segment(std::uint8_t marker, const std::string& payload) {
  const std::size_t length = payload.size() + 2;
  std::string out = {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
                     static_cast<char>(length & 0xFF)};
  return out + payload;
}

}  // namespace

std::array<std::uint16_t, 64> ThumbQuantTable(int quality) {
  int q = quality & 0x7F;
  if (q == 0) q = 1;
  std::array<std::uint16_t, 64> table{};
  for (int i = 0; i < 64; ++i) {
    const long long base = (kAnnexK1[i] + 1) / 2;
    const long long value =
        q < 50 ? RoundHalfEven(base * 50, q) : RoundHalfEven(base * (100 - q), 50);
    table[i] = static_cast<std::uint16_t>(std::clamp<long long>(value, 1, 255));
  }
  return table;
}

std::string MergeTableSegments(const std::string& jpeg) {
  TMemoryStream source(jpeg);
  std::vector<JpegSegment> segments;
  if (ScanJpegSegments(source, [&](const JpegSegment& s) {
        segments.push_back(s);
        return false;
      }) != ScanEnd::Sos)
    throw EImageError("Jpeg圧縮エラー: no scan");
  const std::int64_t sosPos = source.Position() - 2;

  std::string dqt, dht;
  for (const auto& s : segments) {
    const std::string payload = jpeg.substr(s.PayloadPos, s.PayloadSize());
    if (s.Marker == kMarkerDQT) dqt += payload;
    if (s.Marker == kMarkerDHT) dht += payload;
  }
  std::string out = "\xFF\xD8";
  bool dqtDone = false, dhtDone = false;
  for (const auto& s : segments) {
    if (s.Marker == kMarkerDQT) {
      if (!dqtDone) out += Segment(kMarkerDQT, dqt);
      dqtDone = true;
    } else if (s.Marker == kMarkerDHT) {
      if (!dhtDone) out += Segment(kMarkerDHT, dht);
      dhtDone = true;
    } else {
      out += jpeg.substr(s.PayloadPos - 4, s.Length + 2);
    }
  }
  out += jpeg.substr(sosPos);
  return out;
}

std::string JpegTTx::Encode() const {
  if (!bitmap_ || bitmap_->Empty()) throw EImageError("空の画像はJpegにできません");
  const int quality = quality_;
  const bool headerless = headerless_;
  const Sampling sampling = sampling_;
  std::string jpeg = MergeTableSegments(CompressBitmap(*bitmap_, [=](jpeg_compress_struct& cinfo) {
    Configure(cinfo, quality, headerless, sampling);
  }));
  if (!headerless_ && !comment_.empty()) {
    // After SOI and the 18-byte JFIF APP0.
    jpeg.insert(20, Segment(0xFE, comment_.substr(0, 65533)));
  }
  return jpeg;
}

void ShrinkBitmap(TABitmap& bitmap, int width, int height) {
  if (bitmap.Empty() || width <= 0 || height <= 0) return;
  if (bitmap.Width() == width && bitmap.Height() == height) return;
  bitmap = Resample(bitmap, width, height);
}

std::string EncodeThumbnailAsIs(const TABitmap& thumb, int quality) {
  JpegTTx encoder;
  encoder.SetBitmap(thumb);
  encoder.SetQuality(quality);
  encoder.SetHeaderless(true);
  encoder.SetSampling(JpegTTx::Sampling::Y2x1C1x1);
  return encoder.Encode();
}

std::string EncodeThumbnail(const TABitmap& bitmap, int quality) {
  TABitmap small = bitmap;
  ShrinkBitmap(small, kThumbWidth, kThumbHeight);
  return EncodeThumbnailAsIs(small, quality);
}
