#pragma once
// Deep (Mu-gen): a frame (or a pair of lines) that breathes between the edge and
// the middle of the picture, smeared one pixel down at every tick. The
// run-time state, which lasts from run to run, and the tick, over a picture alone.
#include "base/Types.h"
#include "render/ABitmap.h"

// The light grey of "Deep White" and of the first frame of every run.
inline constexpr TColor kDeepGrey = RGBColor(231, 231, 231);

struct TDeepState {
  TColor Color = kDeepGrey;  // the colour of the frame or lines of the next tick
  int Next = 0;              // the colour walk: what becomes Color after each tick
  bool Up = true;            // the colour walk rises
  int Inset = 5;             // the frame's inset d from every edge
  bool Out = true;           // d grows (the frames move inwards)
  int Speed = 2;             // d changes by 5 - Speed pixels a tick
  int Phase = 0;             // 0..4: the pair of lines "Deep Separation" draws
};

// Draws the frame (or, with separation, the phase's pair of lines), smears the
// picture down and moves the inset on.
void DeepTick(TDeepState& state, TABitmap& picture, bool separation);
// One step of the colour walk.
void DeepColorStep(TDeepState& state, TRandom& random);
