#pragma once
// Reading a text file's bytes safely: only a regular file is read, and only up
// to a fixed size, so a FIFO, a device or a huge file can neither block the
// window nor exhaust memory.
#include <cstddef>
#include <string>

#include "base/Files.h"

// The largest text file the program reads (the input guard's limit for texts).
inline constexpr std::size_t kMaxTextFileBytes = MaxInputBytes(TInputKind::Text);

// The whole file, read through the input guard. Throws EFileError when it cannot be opened or read,
// is not a regular file, or is larger than kMaxTextFileBytes.
std::string ReadTextFile(const std::string& path);
