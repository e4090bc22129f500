#pragma once
// The work of the splice tools, shared by the buttons and the command line.
// Each routine reads its inputs (opened read-only), decides, and only then writes
// the output through a temporary file renamed on success: a refusal or a failure
// never leaves a file, or half a file, under the output name.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "export/ExifThumb.h"

inline constexpr char kMsgNotJpegImage[] = "Jpeg画像はありません。作業を中止します";
inline constexpr char kMsgNotJpegName[] = "Jpeg画像ではありません。作業を中止します";
inline constexpr char kMsgSuccess[] = "成功しました";

enum class SpliceRefusal {
  None,
  NoExif,        // the template has no usable Exif block
  NotJpegThumb,  // the template's thumbnail is not JPEG-compressed
  App1TooLong,   // the Exif block with the new thumbnail does not fit one APP1 segment
  NotJpegImage,  // the picture is not a JPEG, or libjpeg cannot decode it
  TooLarge,      // the picture is a JPEG too large to decode
  Overwrite,     // the output is one of the input files
};

struct SpliceOutcome {
  SpliceRefusal Refusal = SpliceRefusal::None;
  int Compression = 0;  // the template's Compression value, for NotJpegThumb
  std::string Detail;   // the message of an Overwrite or TooLarge refusal
  bool Ok() const { return Refusal == SpliceRefusal::None; }
  // The program's message for the refusal (empty when Ok).
  std::string Message() const;
};

// Whether the name ends exactly in ".jpg", ".jpeg", ".JPG" or ".JPEG".
// The extensions a camera JPEG may carry.
inline constexpr std::array<std::string_view, 4> kJpegExtensions{".jpg", ".jpeg", ".JPG", ".JPEG"};
bool HasJpegExtension(const std::string& path);

// The image data a JPEG contributes behind a template's Exif block: the bytes after
// its own Exif APP1 segment, or, without one, everything after SOI.
// std::nullopt when the bytes are not a JPEG.
std::optional<std::string> InsertImageData(std::string_view jpeg);

// Each splice runs on bytes in memory and, when Ok, leaves the file to write in out.
// Keep mode: the template up to the end of its Exif APP1 segment (thumbnail
// unchanged), then the insert image's data.
SpliceOutcome SpliceKeepThumbnailBytes(std::string_view templ, std::string_view insert,
                                       std::string& out);
// Replace mode: the template's Exif block with a thumbnail made from the insert
// image at the quality, then the insert image's data.
SpliceOutcome SpliceReplaceThumbnailBytes(std::string_view templ, std::string_view insert,
                                          int quality, std::string& out);
// Rebuilds the thumbnail of a JPEG from its own main picture; the picture's bytes
// are kept as they are.
SpliceOutcome SameThumbnailBytes(std::string_view jpeg, int quality, std::string& out);

// The same on files: an output that is one of the inputs is refused before any
// reading; the result is written through a temporary file.
SpliceOutcome SpliceKeepThumbnail(const std::string& templatePath, const std::string& insertPath,
                                  const std::string& outPath);
SpliceOutcome SpliceReplaceThumbnail(const std::string& templatePath, const std::string& insertPath,
                                     int quality, const std::string& outPath);
SpliceOutcome SameThumbnail(const std::string& path, int quality, const std::string& outPath);
