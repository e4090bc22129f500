#pragma once
// The colours of Velocity's dots: five tints of a brightness, picked per dot by
// a colour scheme.
#include <optional>

#include "base/Types.h"

// Tint 0..4 of brightness v.
TColor DotTint(int tint, int v);
// The pen colour of dot i (0..99) under a scheme 1..8; clock dots use their own
// order in scheme 2. No colour for a scheme outside 1..8 (the pen keeps its own).
// Scheme 7 draws the tint from random.
std::optional<TColor> DotColor(int scheme, int i, int v, bool clockDot, TRandom& random);
