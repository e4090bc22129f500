#include "export/FileWrite.h"

#include <filesystem>

#include "base/Errors.h"
#include "export/Streams.h"

namespace {

// The system's reason from an error text built by EFileError: what follows the
// first line break, or nothing.
std::string ReasonOf(const std::string& text) {
  const auto lineBreak = text.find('\n');
  return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

}  // namespace

void WriteExportFile(const std::string& path, std::string_view bytes) {
  try {
    WriteFileAtomically(path, bytes);
  } catch (const EFileError& e) {
    throw EFileError::CannotCreate(path, ReasonOf(e.what()));
  }
}

void CreateFolderQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::create_directory(path, ignored);
}

void CreateFolderOrThrow(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw EFileError::CannotCreate(path, error.message());
}
