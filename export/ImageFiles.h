#pragma once
// Reading a picture file chosen by the user into a 24-bit bitmap.
#include <string>

#include "render/ABitmap.h"

// A JPEG (recognised by its SOI, decoded with libjpeg), or a PNG or BMP file
// (through Qt's image readers). The file is opened read-only. Throws EFileError
// when it cannot be read and EImageError when it is no picture we can decode.
TABitmap ReadPictureFile(const std::string& path);
