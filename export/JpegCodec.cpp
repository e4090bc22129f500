#include "export/JpegCodec.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstring>
#include <new>

#include "base/Errors.h"

namespace {

// Pictures above this many pixels are refused rather than allocated: a corrupt
// header can claim 65535 x 65535. The size is checked as soon as the header is
// read, before libjpeg allocates anything for the picture.
constexpr long long kMaxDecodePixels = 120LL * 1000 * 1000;
// libjpeg's own working memory (a progressive picture keeps all its coefficients):
// beyond this it fails instead of growing, so a decode stays well under 1 GB.
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;
// A progressive file may declare thousands of tiny scans, each a pass over the
// whole picture; real encoders write about ten.
constexpr int kMaxScans = 200;

// What RunDecompress reports on failure: libjpeg's text, or the size of a
// picture refused for it.
struct DecodeFailure {
  char Message[JMSG_LENGTH_MAX] = "";
  bool TooLarge = false;
  unsigned long Width = 0, Height = 0;
  void RefuseSize(unsigned long width, unsigned long height) {
    TooLarge = true;
    Width = width;
    Height = height;
  }
};

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings (a truncated scan and the like) are not errors; keep stderr quiet.
void OutputMessage(j_common_ptr) {}

void InitErrors(ErrorManager& manager) {
  jpeg_std_error(&manager.pub);
  manager.pub.error_exit = ErrorExit;
  manager.pub.output_message = OutputMessage;
  manager.message[0] = '\0';
}

// Destination manager appending to a std::string through a fixed buffer.
struct StringDestination {
  jpeg_destination_mgr pub;
  std::string* out;
  JOCTET buffer[16384];
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
}

bool Flush(StringDestination* dest, std::size_t count) {
  try {
    dest->out->append(reinterpret_cast<const char*>(dest->buffer), count);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  // The error exit must not run inside a catch block: it longjmps.
  if (!Flush(dest, sizeof dest->buffer)) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = sizeof dest->buffer;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
  if (!Flush(dest, sizeof dest->buffer - dest->pub.free_in_buffer))
    ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
}

// Everything between setjmp and the last libjpeg call is plain data, so the
// longjmp of the error exit skips no destructor.
bool RunCompress(const TABitmap& bitmap,
                 const std::function<void(jpeg_compress_struct&)>& configure, std::string& out,
                 char* message) {
  jpeg_compress_struct cinfo;
  ErrorManager errors;
  StringDestination dest;
  InitErrors(errors);
  cinfo.err = &errors.pub;
  if (setjmp(errors.jump)) {
    std::strcpy(message, errors.message);
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  dest.pub.init_destination = InitDestination;
  dest.pub.empty_output_buffer = EmptyOutputBuffer;
  dest.pub.term_destination = TermDestination;
  dest.out = &out;
  cinfo.dest = &dest.pub;
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  configure(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(bitmap.ScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

void LimitScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::strcpy(manager->message, "too many scans");
  std::longjmp(manager->jump, 1);
}

bool RunDecompress(std::string_view bytes, TABitmap& bitmap, DecodeFailure& failure) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitScans;
  InitErrors(errors);
  cinfo.err = &errors.pub;
  if (setjmp(errors.jump)) {
    std::strcpy(failure.Message, errors.message);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  // libjpeg itself refuses a header that declares no pixels.
  if (static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxDecodePixels) {
    failure.RefuseSize(cinfo.image_width, cinfo.image_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  // The output has the header's size (no scaling asked); holding it may still fail.
  bool sized = true;
  try {
    bitmap.SetSize(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  } catch (const std::bad_alloc&) {
    sized = false;
  }
  if (!sized) {
    failure.RefuseSize(cinfo.output_width, cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = bitmap.ScanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::string CompressBitmap(const TABitmap& bitmap,
                           const std::function<void(jpeg_compress_struct&)>& configure) {
  if (bitmap.Empty()) throw EImageError("空の画像はJpegにできません");
  std::string out;
  char message[JMSG_LENGTH_MAX];
  if (!RunCompress(bitmap, configure, out, message))
    throw EImageError(std::string("Jpeg圧縮エラー: ") + message);
  return out;
}

std::string EncodePageJpeg(const TABitmap& bitmap, int quality) {
  const int q = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
  return CompressBitmap(bitmap,
                        [q](jpeg_compress_struct& cinfo) { jpeg_set_quality(&cinfo, q, TRUE); });
}

EPictureTooLarge::EPictureTooLarge(unsigned long width, unsigned long height)
    : EImageError("画像が大きすぎます（" + std::to_string(width) + " x " + std::to_string(height) +
                  " ピクセル）。作業を中止します") {}

TABitmap DecodeJpeg(std::string_view bytes) {
  TABitmap bitmap;
  DecodeFailure failure;
  if (bytes.empty()) throw EImageError("Jpeg展開エラー: empty file");
  if (!RunDecompress(bytes, bitmap, failure)) {
    if (failure.TooLarge) throw EPictureTooLarge(failure.Width, failure.Height);
    throw EImageError(std::string("Jpeg展開エラー: ") + failure.Message);
  }
  return bitmap;
}
