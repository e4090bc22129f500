#include "export/FileWrite.h"

#include <filesystem>

#include "base/Errors.h"
#include "export/Streams.h"

void WriteExportFile(const std::string& path, std::string_view bytes) {
  WriteFileAtomically(path, bytes);
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

std::optional<std::string> OverwriteRefusal(const std::string& out,
                                            const std::vector<std::string>& inputs) {
  for (const auto& input : inputs) {
    // Same device and inode; false when either does not exist (a new output).
    std::error_code error;
    if (std::filesystem::equivalent(out, input, error))
      return "出力先 " + out +
             " は入力ファイルそのものです。入力ファイルは書き換えません。中止します";
  }
  return std::nullopt;
}

std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs) {
  for (const auto& input : inputs) {
    const auto out = std::filesystem::path(folder) / std::filesystem::path(input).filename();
    if (auto refusal = OverwriteRefusal(out.string(), {input})) return refusal;
  }
  return std::nullopt;
}
