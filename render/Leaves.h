#pragma once
#include "render/ABitmap.h"

// The fallen-leaves filter of the fade-in: smears each row in place by
// sample-and-hold, with run lengths that rise and fall from row to row in a
// triangle pattern. Sizes below 5 act as 5; even sizes round up to odd.
void PLeaves(TABitmap& bitmap, int size);
