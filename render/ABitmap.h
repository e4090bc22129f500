#pragma once
// TABitmap: the 24-bit off-screen picture on which pages are composed and through
// which every fade is made. Pixels are stored blue, green, red; rows are reached
// by index (0 = top). No Qt here: the drawing layer (render/Canvas.h) wraps the
// same bytes in a QImage to draw on them.
#include <cstdint>
#include <vector>

#include "base/Types.h"

class TRandom;

class TABitmap {
 public:
  TABitmap() = default;
  TABitmap(int width, int height);

  // Resizes to width x height; the contents become black.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Bytes from one row to the next (width * 3, rounded up to a multiple of 4).
  int Stride() const { return stride_; }

  std::uint8_t* ScanLine(int y) { return data_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* ScanLine(int y) const {
    return data_.data() + static_cast<std::size_t>(y) * stride_;
  }
  std::uint8_t* Bits() { return data_.data(); }
  const std::uint8_t* Bits() const { return data_.data(); }

  // Fills the whole picture with one colour (0x00BBGGRR).
  void Fill(TColor color);
  // Colour of pixel (x, y) as 0x00BBGGRR; 0 outside the picture.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);  // ignored outside the picture

  // Blends this picture onto dest with its top-left pixel at (x, y):
  // d := (d * (256 - a) + s * a) div 256 for every covered byte, a = alpha clamped
  // to 255 (alpha is taken as a 16-bit value first); alpha 0 changes nothing.
  // Only the part inside dest is touched.
  void BlendDraw(TABitmap& dest, int x, int y, int alpha) const;
  // Adds a random 0..amount-1 (amount taken modulo 256) to every colour byte,
  // saturating at 255. The caller re-seeds the generator first where it should.
  void AddNoise(int amount, TRandom& random);
  // Block copy of this whole picture onto dest at (x, y), clipped to dest.
  void CopyTo(TABitmap& dest, int x, int y) const;

  friend bool operator==(const TABitmap& a, const TABitmap& b);

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<std::uint8_t> data_;
};
