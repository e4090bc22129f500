#pragma once
// Reading a text file's bytes safely: only a regular file is read, and only up
// to a fixed size, so a FIFO, a device or a huge file can neither block the
// window nor exhaust memory. A .zip is read as the text inside it, and a file
// that is no text at all (a picture, an archive under another name) is refused.
#include <cstddef>
#include <string>

#include "base/Files.h"
#include "text/Encoding.h"

// The largest text file the program reads (the input guard's limit for texts),
// and the largest text inflated from a ZIP archive.
inline constexpr std::size_t kMaxTextFileBytes = MaxInputBytes(TInputKind::Text);

// The whole file, read through the input guard. Throws EFileError when it cannot be opened or read,
// is not a regular file, or is larger than kMaxTextFileBytes.
std::string ReadTextFile(const std::string& path);

// What a loader reads from a file: its bytes, or for a name ending in .zip or
// .ZIP the bytes of the text inside (TZipArchive::TextEntry, at most
// kMaxTextFileBytes inflated).
struct TTextSource {
  std::string Bytes;
  bool Html = false;  // the file, or the entry read, has an HTML name
};
// Throws EFileError as ReadTextFile does, and for an archive that is damaged,
// holds no text, or whose text is encrypted or too large.
TTextSource ReadTextSource(const std::string& path);

// The text of a file in code page 932: read (ReadTextSource), decoded from the
// encoding given or detected (DecodeText; the meta charset rule for an HTML
// name), and refused with EFileError when it is no text (BinaryRefusal).
// Report.Html says whether it was read as HTML.
TDecodedText LoadTextFile(const std::string& path, TTextEncoding encoding);
