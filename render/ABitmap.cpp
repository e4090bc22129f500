#include "render/ABitmap.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int RowStride(int width) {
  return (width * 3 + 3) & ~3;
}

// One row of the blend. Kept free of calls and of aliasing doubts (separate
// pointers, 16-bit arithmetic that cannot overflow: 255 * 256 = 65280) so that
// the loop vectorises at -O3; an AVX2 clone is picked at run time where the
// processor has it (twice the lanes).
__attribute__((target_clones("avx2", "default"))) void BlendRow(std::uint8_t* __restrict d,
                                                                const std::uint8_t* __restrict s,
                                                                int count, std::uint16_t alpha) {
  const std::uint16_t keep = static_cast<std::uint16_t>(256 - alpha);
  for (int i = 0; i < count; ++i) {
    const std::uint16_t mixed = static_cast<std::uint16_t>(d[i] * keep + s[i] * alpha);
    d[i] = static_cast<std::uint8_t>(mixed >> 8);
  }
}

__attribute__((target_clones("avx2", "default"))) void AddSaturatedRow(
    std::uint8_t* __restrict d, const std::uint8_t* __restrict r, int count) {
  for (int i = 0; i < count; ++i) {
    const unsigned sum = static_cast<unsigned>(d[i]) + r[i];
    d[i] = static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
  }
}

// Covered part of a picture of w x h placed at (x, y) on a dest of dw x dh.
struct Overlap {
  int destX0, destY0, srcX0, srcY0, cols, rows;
  bool Empty() const { return cols <= 0 || rows <= 0; }
};

Overlap Clip(int x, int y, int w, int h, int dw, int dh) {
  Overlap o{};
  o.destX0 = std::max(x, 0);
  o.destY0 = std::max(y, 0);
  o.srcX0 = o.destX0 - x;
  o.srcY0 = o.destY0 - y;
  // 64-bit sums: a far-off position must not wrap into the picture.
  const long long right = std::min<long long>(static_cast<long long>(x) + w, dw);
  const long long bottom = std::min<long long>(static_cast<long long>(y) + h, dh);
  o.cols = static_cast<int>(std::max<long long>(right - o.destX0, 0));
  o.rows = static_cast<int>(std::max<long long>(bottom - o.destY0, 0));
  return o;
}

}  // namespace

TABitmap::TABitmap(int width, int height) {
  SetSize(width, height);
}

void TABitmap::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = RowStride(width_);
  data_.assign(static_cast<std::size_t>(stride_) * height_, 0);
}

void TABitmap::Fill(TColor color) {
  if (Empty()) return;
  std::uint8_t* first = ScanLine(0);
  const auto b = static_cast<std::uint8_t>(ColorB(color));
  const auto g = static_cast<std::uint8_t>(ColorG(color));
  const auto r = static_cast<std::uint8_t>(ColorR(color));
  for (int x = 0; x < width_; ++x) {
    first[x * 3] = b;
    first[x * 3 + 1] = g;
    first[x * 3 + 2] = r;
  }
  for (int y = 1; y < height_; ++y)
    std::memcpy(ScanLine(y), first, static_cast<std::size_t>(width_) * 3);
}

TColor TABitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* p = ScanLine(y) + x * 3;
  return RGBColor(p[2], p[1], p[0]);
}

void TABitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t* p = ScanLine(y) + x * 3;
  p[0] = static_cast<std::uint8_t>(ColorB(color));
  p[1] = static_cast<std::uint8_t>(ColorG(color));
  p[2] = static_cast<std::uint8_t>(ColorR(color));
}

void TABitmap::BlendDraw(TABitmap& dest, int x, int y, int alpha) const {
  std::uint16_t a = static_cast<std::uint16_t>(alpha);
  if (a == 0) return;
  if (a > 255) a = 255;
  const Overlap o = Clip(x, y, width_, height_, dest.width_, dest.height_);
  if (o.Empty()) return;
  const int bytes = o.cols * 3;
  if (&dest == this) {
    // Blending a picture onto itself: rows may overlap, so go through a copy.
    const TABitmap copy = *this;
    copy.BlendDraw(dest, x, y, alpha);
    return;
  }
  for (int row = 0; row < o.rows; ++row) {
    BlendRow(dest.ScanLine(o.destY0 + row) + o.destX0 * 3, ScanLine(o.srcY0 + row) + o.srcX0 * 3,
             bytes, a);
  }
}

void TABitmap::AddNoise(int amount, TRandom& random) {
  const int range = amount & 0xFF;
  if (range == 0 || Empty()) return;
  const int bytes = width_ * 3;
  std::vector<std::uint8_t> grain(static_cast<std::size_t>(bytes) + 3);
  for (int y = 0; y < height_; ++y) {
    // Four draws per 64-bit word: (16-bit part * range) >> 16 is uniform in
    // 0..range-1 to within range / 65536.
    for (int i = 0; i < bytes; i += 4) {
      std::uint64_t word = random.Next();
      for (int k = 0; k < 4; ++k) {
        grain[static_cast<std::size_t>(i + k)] =
            static_cast<std::uint8_t>(((word & 0xFFFF) * static_cast<unsigned>(range)) >> 16);
        word >>= 16;
      }
    }
    AddSaturatedRow(ScanLine(y), grain.data(), bytes);
  }
}

void TABitmap::CopyTo(TABitmap& dest, int x, int y) const {
  if (&dest == this && x == 0 && y == 0) return;
  const Overlap o = Clip(x, y, width_, height_, dest.width_, dest.height_);
  if (o.Empty()) return;
  const auto bytes = static_cast<std::size_t>(o.cols) * 3;
  if (&dest == this) {
    const TABitmap copy = *this;
    copy.CopyTo(dest, x, y);
    return;
  }
  for (int row = 0; row < o.rows; ++row)
    std::memcpy(dest.ScanLine(o.destY0 + row) + o.destX0 * 3, ScanLine(o.srcY0 + row) + o.srcX0 * 3,
                bytes);
}

bool operator==(const TABitmap& a, const TABitmap& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const auto bytes = static_cast<std::size_t>(a.width_) * 3;
  for (int y = 0; y < a.height_; ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), bytes) != 0) return false;
  return true;
}
