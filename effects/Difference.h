#pragma once
// Difference: one or two trails of rectangles or ellipses that sweep in towards
// the centre and then wander about the picture, each trailed by fading copies.
// The run-time state of one run and its start and tick, over a picture alone.
#include "base/Types.h"
#include "render/ABitmap.h"

// The three option boxes, read at the start and at every tick.
struct TDiffOptions {
  bool Form = false;   // rectangles rather than ellipses
  bool Color = false;  // the grey-rose palette rather than the blue one
  bool Paint = false;  // filled shapes and the long opening sweep
};

// One run of Difference. Trail entry 0 is the head (newest), entry k the head of
// k ticks ago; the arrays hold up to 8 trails of 49 entries, a run uses at most
// 2 trails of 36.
struct TDifferenceState {
  int Sets = 1;    // trails in use, 1 or 2
  int Steps = 25;  // trail length N: the entries are 0..N
  // 0: not yet ticked; 1..2N: the opening sweep; above 2N: the wander.
  int Count = 0;
  TRect Rect[8][49] = {};
  TColor ColorA[8][49] = {};  // the wander's colours, bright head to black tail
  TColor ColorB[8][49] = {};  // the opening's colours
  TColor ColorC[8][49] = {};  // the opening's colours when only "Paint" is checked
  TPoint Step[8] = {};        // the opening step of each trail, in pixels per tick
  // The corner velocities of each trail: left, top, right, bottom.
  int Vel[8][4] = {};
};

// A random speed of -16..-1 or 1..16, each equally likely.
int DiffRandomSpeed(TRandom& random);
// Prepares a run on a picture of w x h: trail count and length, the trails'
// first rectangles, their colour tables, opening steps and velocities.
void StartDifference(TDifferenceState& state, const TDiffOptions& options, int w, int h,
                     TRandom& random);
// One tick: moves the trails and draws them onto the picture.
void DifferenceTick(TDifferenceState& state, const TDiffOptions& options, TABitmap& picture,
                    TRandom& random);
