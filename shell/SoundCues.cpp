#include "shell/SoundCues.h"

#include <filesystem>
#include <system_error>

#include "shell/Paths.h"

namespace fs = std::filesystem;

std::string FindCueFile(const std::string& name, const std::string& currentDir,
                        const std::string& executablePath) {
  std::error_code error;
  const fs::path local = fs::path(currentDir) / name;
  if (fs::is_regular_file(local, error)) return local.string();
  return FindDataFile(executablePath, name);
}

std::string FindCueFile(const std::string& name) {
  std::error_code error;
  const fs::path here = fs::current_path(error);
  return FindCueFile(name, error ? std::string(".") : here.string(), CurrentExecutablePath());
}
