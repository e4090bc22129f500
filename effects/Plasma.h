#pragma once
// plan de arts: a plasma cloud in shades of blue or green, made by recursive
// midpoint subdivision of a height field. The run-time state of the effect and
// the making and painting of one picture, over a picture alone.
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Types.h"
#include "render/ABitmap.h"

// The height field covers at most this picture.
inline constexpr int kPlasmaWidth = 640;
inline constexpr int kPlasmaHeight = 480;

struct TArtsState {
  int Level = 80;                // Devenir's brightness level, 80..125
  bool Up = true;                // Devenir's swing is rising
  bool Painting = false;         // a picture is being made (a tick then is dropped)
  std::uint32_t LastEvents = 0;  // tick count of the last event pass while painting
  // The heights, kPlasmaWidth x kPlasmaHeight indexed [y * kPlasmaWidth + x];
  // 0 marks a point not yet computed.
  std::vector<std::uint8_t> Map;
};

// Makes the height field of a w x h picture (at most kPlasmaWidth x
// kPlasmaHeight): random corners, then midpoint subdivision, calling between()
// before each quarter is subdivided further.
void MakePlasma(std::vector<std::uint8_t>& map, int w, int h, TRandom& random,
                const std::function<void()>& between);
// The height field as a picture in one channel (green, or else blue), dark
// heights lifted by the level.
void PaintPlasma(const std::vector<std::uint8_t>& map, TABitmap& out, int level, bool green);
// One step of Devenir's swing, 80 up to 125 and back; true when it turned at
// the bottom, where the colour changes.
bool SwingArtsLevel(TArtsState& state);
