#include "text/BinaryCheck.h"

#include <algorithm>

namespace {

bool IsControl(unsigned char b) {
  return (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != 0x1A) || b == 0x7F;
}

}  // namespace

std::optional<std::string> BinaryRefusal(std::string_view cp932) {
  if (cp932.find('\0') != cp932.npos) return "テキストではありません (NUL バイトを含みます)";
  const auto controls = static_cast<std::size_t>(std::count_if(
      cp932.begin(), cp932.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); }));
  if (controls * 4 > cp932.size()) return "テキストではありません (制御文字が多すぎます)";
  return std::nullopt;
}
