#pragma once
// Velocity: 100 dots fly out from a centre point, each drawn from where it is
// to where it will be next, so they seem to speed up as they leave the centre.
// The run-time state of one run and its start and tick, over a picture alone.
#include <cstdint>
#include <optional>
#include <string>

#include "base/Types.h"
#include "render/ABitmap.h"

// What a run reads: the four option boxes and the stored settings (TForm1's
// Pmvc, Piro, Pform, Pirot, Pformt, Pdigi, Pdigit, Pb, Pbt, Pmix, Pmouse).
struct TVelocityOptions {
  bool Movement = false, BlackHole = false, RoadMovie = false, Clock = false;
  int MoveLevel = 2;     // the step of a moving centre, 0..10
  int Colours = 1;       // the colour scheme of plain dots, 1..8
  int Shape = 1;         // plain dots: 1 line, 2 ellipse, 3 rectangle
  int ClockColours = 2;  // the same for clock dots
  int ClockShape = 1;
  bool Scope = false;        // the scope mark and its lock count
  bool Digital = true;       // the time as text with Clock
  bool Bold = false;         // plain dots drawn bold; also MiniBlackHole's black square
  bool BoldClock = false;    // clock dots drawn bold
  bool Mix = false;          // ellipse and rectangle dots drawn as lines until bright
  bool FollowMouse = false;  // a moving centre follows the mouse instead of wandering
};

// The local time a tick reads in Clock mode, and its long text (UTF-8) for the
// digital time.
struct TVelocityClock {
  int Hour = 0, Minute = 0, Second = 0, MSec = 0;
  std::string Text;
};

// One run of Velocity.
struct TVelocityState {
  TRect Dots[100] = {};  // per dot: Left, Top where it is; Right, Bottom where it goes next
  std::uint8_t Bright[100] = {};  // per dot brightness: 0, 25, ... 250
  bool Hit = false;               // a bright dot crossed the scope during this tick
  int Lock = 0;                   // ticks with a hit since the start
  // The warm-up of RoadMovie and Clock: 0 not begun, 1..30 warming, above that running.
  int Warm = 0;
  int TargetX = 0, TargetY = 0;              // the point a wandering centre walks towards
  int Div = 8;                               // the speed divisor D
  int MouseX = 320, MouseY = 240;            // the last mouse position over the picture
  int Hour = 0, Min = 0, Sec = 0, MSec = 0;  // the local time last read in Clock mode
};

// Prepares a run on a picture of w x h: the warm-up, the wandering target, the
// centre (Clock starts it in the middle) and the dots.
void StartVelocity(TVelocityState& state, const TVelocityOptions& options, TPoint& centre, int w,
                   int h, TRandom& random);
// One tick: draws the frame onto the picture, moves the dots and, with
// Movement, the centre. The generator is re-seeded with seed, when given, once
// the centre has been held to its band. False while the warm-up keeps the frame
// from showing.
bool VelocityTick(TVelocityState& state, const TVelocityOptions& options, TPoint& centre,
                  TABitmap& picture, TRandom& random, std::optional<std::uint64_t> seed,
                  const TVelocityClock& clock);
