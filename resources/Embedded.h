#pragma once
// Data files compiled into the program (see cmake/Embed.cmake).
#include <cstddef>
#include <string_view>

extern const unsigned char kBuiltinTextData[];
extern const std::size_t kBuiltinTextSize;
extern const unsigned char kControlTableData[];
extern const std::size_t kControlTableSize;
// The window's face (tools/make_face.py writes it): an 8-bit palette PNG.
extern const unsigned char kFaceData[];
extern const std::size_t kFaceSize;

inline std::string_view EmbeddedBuiltinText() {
  return {reinterpret_cast<const char*>(kBuiltinTextData), kBuiltinTextSize};
}
inline std::string_view EmbeddedControlTable() {
  return {reinterpret_cast<const char*>(kControlTableData), kControlTableSize};
}
inline std::string_view EmbeddedFace() {
  return {reinterpret_cast<const char*>(kFaceData), kFaceSize};
}
