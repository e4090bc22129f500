#pragma once
// The page-number thumbnail: the page number in black on a white 160 x 120
// picture, for the "Count Thumbnail" option of the Exif thumbnail export.
#include <string>

#include "render/ABitmap.h"

// Draws a number with its left edge at (x, y) in cells of the given height,
// weight 600 when bold else 500, the Gothic face when gothic else the Mincho
// face, on a transparent background: the count pictures and count thumbnails.
void DrawCountNumber(TABitmap& bitmap, int number, int x, int y, int height, bool bold, bool gothic,
                     TColor color);

// Left edge of the number: 68 for one digit, 10 pixels further left per extra
// digit, 8 from seven digits on.
int CountThumbX(int page);
// The picture before encoding: 40-pixel cells, weight 600 when bold else 500,
// the Gothic face when gothic else the Mincho face, drawn at (CountThumbX, 45).
TABitmap DrawCountThumb(int page, bool bold, bool gothic);
// DrawCountThumb encoded by the thumbnail encoder (header-less, Y 2x1 / chroma 1x1).
std::string MakeCountThumb(int page, bool bold, bool gothic, int quality);
