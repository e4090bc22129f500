#pragma once
// 24-bit Windows BMP files of a page bitmap.
#include <string>

#include "render/ABitmap.h"

// The bytes of a BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER (40 bytes, no
// compression, 24 bits), then the rows bottom-up, each padded to 4 bytes.
std::string EncodeBmp(const TABitmap& bitmap);
// Writes the file through the output guard (base/Files.h); throws EFileError
// when it may not be replaced or cannot be written.
void SaveBmpFile(const TABitmap& bitmap, const std::string& path);
