#pragma once
// Reading a text file's bytes safely: only a regular file is read, and only up
// to a fixed size, so a FIFO, a device or a huge file can neither block the
// window nor exhaust memory.
#include <cstddef>
#include <string>

// The largest text file the program reads. The line store needs a few bytes
// of memory per input byte, so this keeps any text well inside a desktop's
// memory.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{256} << 20;

// The whole file. Throws EFileError when it cannot be opened or read, is not a
// regular file, or is larger than kMaxTextFileBytes.
std::string ReadTextFile(const std::string& path);
