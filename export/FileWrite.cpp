#include "export/FileWrite.h"

#include <filesystem>

#include "base/Errors.h"

void CreateFolderQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::create_directory(path, ignored);
}

void CreateFolderOrThrow(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (error) throw EFileError::CannotCreate(path, error.message());
}

std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs) {
  for (const auto& input : inputs) {
    const auto out = std::filesystem::path(folder) / std::filesystem::path(input).filename();
    if (auto refusal = OverwriteRefusal(out.string(), {input})) return refusal;
  }
  return std::nullopt;
}
