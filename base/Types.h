#pragma once
// Small value types shared by every subsystem.
#include <cstdint>

// A colour as the program stores it: 0x00BBGGRR, red in the low byte.
using TColor = std::int32_t;

constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int ColorR(TColor c) {
  return c & 0xFF;
}
constexpr int ColorG(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int ColorB(TColor c) {
  return (c >> 16) & 0xFF;
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left, Top, Right, Bottom as the drawing calls take them: Right and Bottom
// are exclusive for fills (a rectangle covers columns Left..Right-1).
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The program's one random generator (xoshiro256**, seeded by splitmix64).
// Random(n) is uniform in 0..n-1 (0 when n <= 0); RandomReal() is uniform in [0, 1).
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed = 1) { Seed(seed); }
  void Seed(std::uint64_t seed) {
    for (auto& word : s_) {
      seed += 0x9E3779B97F4A7C15ull;
      std::uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
      word = z ^ (z >> 31);
    }
  }
  std::uint64_t Next() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }
  int Random(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
  }
  double RandomReal() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

 private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4] = {};
};
