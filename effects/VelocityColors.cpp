#include "effects/VelocityColors.h"

TColor DotTint(int tint, int v) {
  const int h = v / 2;
  const int t = h + h / 2;
  switch (tint) {
    case 0:
      return RGBColor(v, v, v);
    case 1:
      return RGBColor(t, v, h);
    case 2:
      return RGBColor(t, 0, h);
    case 3:
      return RGBColor(t, t, v);
    default:
      return RGBColor(h, t, t);
  }
}

std::optional<TColor> DotColor(int scheme, int i, int v, bool clockDot, TRandom& random) {
  int tint;
  switch (scheme) {
    case 1: {
      static constexpr int kAccent[4] = {2, 3, 4, 1};
      tint = i % 60 < 4 ? kAccent[i % 60] : 0;
      break;
    }
    case 2: {
      static constexpr int kDots[4] = {1, 2, 3, 4};
      static constexpr int kClockDots[4] = {4, 1, 2, 3};
      const int* tints = clockDot ? kClockDots : kDots;
      tint = tints[i / 25];
      break;
    }
    case 3:
    case 4:
    case 5:
    case 6:
      tint = scheme - 2;
      break;
    case 7:
      tint = random.Random(5);
      break;
    case 8:
      tint = i % 5;
      break;
    default:
      return std::nullopt;
  }
  return DotTint(tint, v);
}
