#pragma once
// Where a picture differs from its ground: the bounding box, the count and the
// centre of the pixels whose colour is further than 'tolerance' from it.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "render/ABitmap.h"

struct Ink {
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  long count = 0;
  double sumX = 0, sumY = 0;
  bool Empty() const { return count == 0; }
  int Width() const { return maxX - minX + 1; }
  int Height() const { return maxY - minY + 1; }
  double CentreX() const { return sumX / count; }
  double CentreY() const { return sumY / count; }
};

inline Ink InkOf(const TABitmap& b, TColor ground = clWhite, TRect area = {0, 0, INT_MAX, INT_MAX},
                 int tolerance = 0) {
  Ink ink;
  for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, b.Height()); ++y)
    for (int x = std::max(area.Left, 0); x < std::min(area.Right, b.Width()); ++x) {
      const TColor c = b.Pixel(x, y);
      if (std::abs(ColorR(c) - ColorR(ground)) + std::abs(ColorG(c) - ColorG(ground)) +
              std::abs(ColorB(c) - ColorB(ground)) <=
          tolerance)
        continue;
      ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x);
      ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
      ++ink.count, ink.sumX += x, ink.sumY += y;
    }
  return ink;
}
