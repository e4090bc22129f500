#include "export/FileWrite.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/Errors.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void CannotMakeFolder(const fs::path& folder, const std::string& reason) {
  throw EFileError("フォルダ " + folder.string() + " を作成できません\n" + reason);
}

}  // namespace

void CreateFolderOrThrow(const std::string& path) {
  fs::path folder = fs::path(path).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();  // "a/b/" names "a/b"
  // The folders to make, from the deepest up to the first that exists.
  std::vector<fs::path> missing;
  std::error_code error;
  for (fs::path at = folder; !at.empty() && at != at.root_path() && !fs::exists(at, error);
       at = at.parent_path())
    missing.push_back(at);
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!fs::create_directory(*it, error) && error && !fs::is_directory(*it))
      CannotMakeFolder(*it, error.message());
  }
  if (!fs::is_directory(folder, error))
    CannotMakeFolder(folder, error ? error.message() : std::strerror(ENOTDIR));
}

std::optional<std::string> FolderOverwriteRefusal(const std::string& folder,
                                                  const std::vector<std::string>& inputs) {
  for (const auto& input : inputs) {
    const auto out = std::filesystem::path(folder) / std::filesystem::path(input).filename();
    if (auto refusal = OverwriteRefusal(out.string(), {input})) return refusal;
  }
  return std::nullopt;
}
