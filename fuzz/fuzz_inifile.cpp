// The settings-file parser on arbitrary text: what it writes back parses to the
// same file, and a value written is read back as stored.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TIniFile ini("");  // no file behind it: nothing is read or written
  ini.Parse(text);
  const std::string written = ini.Text();
  TIniFile again("");
  again.Parse(written);
  if (again.Text() != written) std::abort();

  // The first line of the input as a value under a fixed key.
  const std::string_view value = text.substr(0, text.find_first_of("\r\n"));
  ini.WriteString("Form\\Fuzz", "Key", value);
  const auto stored = ini.Value("form\\fuzz", "KEY");
  if (!stored) std::abort();
  return 0;
}
