#pragma once
// The page JPEG codec over libjpeg, and the libjpeg plumbing the thumbnail encoder
// shares. libjpeg's fatal errors become EImageError (never exit()), and every
// libjpeg object is destroyed on every path.
#include <functional>
#include <string>
#include <string_view>

#include "render/ABitmap.h"

struct jpeg_compress_struct;

// Encodes a 24-bit bitmap with libjpeg's defaults at the given quality (0..100,
// 0 taken as 1), baseline tables: SOI, JFIF APP0, DQT, SOF0 with 2x2 chroma
// subsampling, the standard Huffman tables, one scan, EOI.
// Throws EImageError for an empty bitmap.
std::string EncodePageJpeg(const TABitmap& bitmap, int quality);

// Decodes a JPEG (its main picture) to a 24-bit bitmap. Throws EImageError when
// libjpeg cannot decode it or the picture is unreasonably large.
TABitmap DecodeJpeg(std::string_view bytes);

// Runs libjpeg's compressor on the bitmap (fed as BGR rows): configure is called
// after jpeg_set_defaults and before jpeg_start_compress. Throws EImageError
// with libjpeg's text on failure. Used by both encoders.
std::string CompressBitmap(const TABitmap& bitmap,
                           const std::function<void(jpeg_compress_struct&)>& configure);
