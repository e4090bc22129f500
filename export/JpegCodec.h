#pragma once
// The page JPEG codec over libjpeg, and the libjpeg plumbing the thumbnail encoder
// shares. libjpeg's fatal errors become EImageError (never exit()), and every
// libjpeg object is destroyed on every path.
#include <functional>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "render/ABitmap.h"

struct jpeg_compress_struct;

// Encodes a 24-bit bitmap with libjpeg's defaults at the given quality (0..100,
// 0 taken as 1), baseline tables: SOI, JFIF APP0, DQT, SOF0 with 2x2 chroma
// subsampling, the standard Huffman tables, one scan, EOI.
// Throws EImageError for an empty bitmap.
std::string EncodePageJpeg(const TABitmap& bitmap, int quality);

// A JPEG whose picture is too large to decode (or to hold in memory). It is a
// JPEG all the same: callers that say "not a JPEG" for other decode failures
// catch this one first and show its text, which names the picture's size.
class EPictureTooLarge : public EImageError {
 public:
  EPictureTooLarge(unsigned long width, unsigned long height);
};

// Decodes a JPEG (its main picture) to a 24-bit bitmap. Throws EPictureTooLarge
// for a picture above the decoder's pixel limit (checked before anything is
// allocated for it), EImageError when libjpeg cannot decode it.
TABitmap DecodeJpeg(std::string_view bytes);

// Runs libjpeg's compressor on the bitmap (fed as BGR rows): configure is called
// after jpeg_set_defaults and before jpeg_start_compress. Throws EImageError
// with libjpeg's text on failure. Used by both encoders.
std::string CompressBitmap(const TABitmap& bitmap,
                           const std::function<void(jpeg_compress_struct&)>& configure);
