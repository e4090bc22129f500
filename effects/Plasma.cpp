#include "effects/Plasma.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

class TPlasma {
 public:
  TPlasma(std::vector<std::uint8_t>& map, TRandom& random, const std::function<void()>& between)
      : map_(map), random_(random), between_(between) {}

  std::uint8_t& Height(int x, int y) {
    return map_[static_cast<std::size_t>(y) * kPlasmaWidth + x];
  }

  void Quartering(int x1, int y1, int x2, int y2) {
    if (x2 - x1 < 2 && y2 - y1 < 2) return;
    const int mx = (x1 + x2) / 2;
    const int my = (y1 + y2) / 2;
    SetColor(x1, y1, mx, y1, x2, y1);
    SetColor(x2, y1, x2, my, x2, y2);
    SetColor(x1, y2, mx, y2, x2, y2);
    SetColor(x1, y1, x1, my, x1, y2);
    std::uint8_t& centre = Height(mx, my);
    if (centre == 0) {
      const int sum = Height(x1, y1) + Height(x2, y1) + Height(x2, y2) + Height(x1, y2);
      // Zero marks a point not yet computed, so a computed height is at least 1.
      centre = static_cast<std::uint8_t>(std::max(1, sum / 4));
    }
    between_();
    Quartering(x1, y1, mx, my);
    Quartering(mx, y1, x2, my);
    Quartering(mx, my, x2, y2);
    Quartering(x1, my, mx, y2);
  }

 private:
  // The midpoint (x, y) of the ends (x1, y1) and (x2, y2), computed once.
  void SetColor(int x1, int y1, int x, int y, int x2, int y2) {
    std::uint8_t& point = Height(x, y);
    if (point != 0) return;
    const double r = random_.RandomReal();
    const int d = std::abs(x1 - x2) + std::abs(y1 - y2);
    int v = (Height(x1, y1) + Height(x2, y2)) / 2 + 4 * static_cast<int>(std::trunc((r - 0.5) * d));
    point = static_cast<std::uint8_t>(std::clamp(v, 1, 255));
  }

  std::vector<std::uint8_t>& map_;
  TRandom& random_;
  const std::function<void()>& between_;
};

}  // namespace

void MakePlasma(std::vector<std::uint8_t>& map, int w, int h, TRandom& random,
                const std::function<void()>& between) {
  map.assign(static_cast<std::size_t>(kPlasmaWidth) * kPlasmaHeight, 0);
  TPlasma plasma(map, random, between);
  plasma.Height(0, h - 1) = static_cast<std::uint8_t>(random.Random(255));
  plasma.Height(w - 1, h - 1) = static_cast<std::uint8_t>(random.Random(255));
  plasma.Height(w - 1, 0) = static_cast<std::uint8_t>(random.Random(255));
  plasma.Height(0, 0) = static_cast<std::uint8_t>(random.Random(255));
  plasma.Quartering(0, 0, w - 1, h - 1);
}

void PaintPlasma(const std::vector<std::uint8_t>& map, TABitmap& out, int level, bool green) {
  const int channel = green ? 1 : 0;  // bytes are blue, green, red
  for (int y = 0; y < out.Height(); ++y) {
    std::uint8_t* row = out.ScanLine(y);
    const std::uint8_t* heights = &map[static_cast<std::size_t>(y) * kPlasmaWidth];
    for (int x = 0; x < out.Width(); ++x) {
      int v = heights[x];
      if (v < level) v += level;
      row[3 * x + channel] = static_cast<std::uint8_t>(v);
    }
  }
}

bool SwingArtsLevel(TArtsState& s) {
  if (s.Up) {
    if (s.Level >= 125)
      s.Up = false;
    else
      s.Level += 5;
  } else if (s.Level <= 80) {
    s.Up = true;
    return true;
  } else {
    s.Level -= 5;
  }
  return false;
}
