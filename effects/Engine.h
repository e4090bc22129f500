#pragma once
// What the four effect starts share, and the outlines they draw.
#include "render/Canvas.h"
#include "shell/Unit1.h"

enum class TEffectKind { Difference, Velocity, Arts, Deep };

// The first steps of every effect start: false while a batch or count job runs;
// otherwise any other running effect is stopped (the same one is restarted).
bool EffectMayStart(TForm1& form, TEffectKind kind);

// The closed line through the rectangle's four corners, in the pen, corners
// taken as they are (crossed corners draw a crossed figure).
void DrawRectOutline(TCanvas& canvas, const TRect& r);
// The full outline of the ellipse inscribed in the rectangle.
void DrawEllipseOutline(TCanvas& canvas, const TRect& r);
