#pragma once
// Count pictures and the count text: numbered material that does not come from
// the current text.
#include <string>

#include "base/Types.h"
#include "render/ABitmap.h"

// One line of the count text: the number in decimal after as many spaces as keep
// it near the middle of the line (13 for one digit down to 9 from seven digits).
std::string CountLine(int number);

// Left edge of the number on a count picture: 272 for one digit, 40 pixels
// further left for each extra digit, 32 from seven digits on.
int CountImageX(int number);

// Draws count picture 'number' on a 640 x 480 bitmap: the background filled,
// the number in 160-pixel cells at (CountImageX, 165).
void DrawCountImage(TABitmap& bitmap, int number, bool bold, bool gothic, TColor textColor,
                    TColor background);
