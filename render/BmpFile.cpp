#include "render/BmpFile.h"

#include "base/Files.h"

namespace {

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string EncodeBmp(const TABitmap& bitmap) {
  constexpr std::uint32_t kHeaders = 14 + 40;
  const auto rowBytes = static_cast<std::uint32_t>(bitmap.Width()) * 3;
  const std::uint32_t stride = (rowBytes + 3) & ~3u;
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(bitmap.Height());
  std::string out;
  out.reserve(kHeaders + imageBytes);
  out += "BM";
  Put32(out, kHeaders + imageBytes);
  Put32(out, 0);  // reserved
  Put32(out, kHeaders);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(bitmap.Width()));
  Put32(out, static_cast<std::uint32_t>(bitmap.Height()));  // positive: bottom-up rows
  Put16(out, 1);                                            // planes
  Put16(out, 24);                                           // bits per pixel
  Put32(out, 0);                                            // BI_RGB
  Put32(out, imageBytes);
  Put32(out, 3780);  // 96 dots per inch, in dots per metre
  Put32(out, 3780);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
  const std::string padding(stride - rowBytes, '\0');
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(bitmap.ScanLine(y)), rowBytes);
    out += padding;
  }
  return out;
}

void SaveBmpFile(const TABitmap& bitmap, const std::string& path) {
  WriteOutputFile(path, EncodeBmp(bitmap));
}
