#include "render/Leaves.h"

#include <cstdlib>
#include <cstring>

void PLeaves(TABitmap& bitmap, int size) {
  if (bitmap.Empty()) return;
  int n = size < 5 ? 5 : size;
  n = 2 * (n / 2) + 1;
  const int h = n / 2;
  for (int y = 0; y < bitmap.Height(); ++y) {
    int s = y % (n - 1);
    if (s > h) s = 2 * h - s;
    if (s == 0) s = n;
    const int m = h + std::abs(h - y % n);
    std::uint8_t* row = bitmap.ScanLine(y);
    std::uint8_t held[3];
    std::memcpy(held, row, 3);
    for (int x = 0; x < bitmap.Width(); ++x) {
      std::uint8_t* pixel = row + x * 3;
      if (x % s == 0 || x % m == 1) std::memcpy(held, pixel, 3);
      std::memcpy(pixel, held, 3);
    }
  }
}
