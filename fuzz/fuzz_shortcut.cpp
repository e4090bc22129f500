// The shell-link reader on arbitrary bytes: it must stay inside them, and a
// target it finds is a path in UTF-8 with '/' for every backslash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/Shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto target = ShellLinkTarget(bytes);
  if (target && target->find('\\') != std::string::npos) std::abort();
  // The folder does not exist, so the choice falls back on the paths as written.
  const auto chosen = ShellLinkTargetIn(bytes, "/nonexistent-fuzz-folder");
  if (chosen.has_value() != target.has_value()) std::abort();
  return 0;
}
