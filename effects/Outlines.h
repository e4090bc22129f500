#pragma once
// The outlines the effects draw.
#include "base/Types.h"
#include "render/Canvas.h"

// The closed line through the rectangle's four corners, in the pen, corners
// taken as they are (crossed corners draw a crossed figure).
void DrawRectOutline(TCanvas& canvas, const TRect& r);
// The full outline of the ellipse inscribed in the rectangle.
void DrawEllipseOutline(TCanvas& canvas, const TRect& r);
