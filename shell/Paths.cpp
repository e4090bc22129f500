#include "shell/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// XDG base folders must be absolute; a relative value is to be ignored.
fs::path XdgFolder(const std::string& value, const std::string& home, const char* fallback) {
  if (!value.empty() && fs::path(value).is_absolute()) return fs::path(value);
  return fs::path(home) / fallback;
}

// The data file whose place tells what kind of copy runs.
constexpr const char* kDataMarker = "help/index.htm";

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

TProgramPaths ComputeProgramPaths(const std::string& executablePath, const TPathEnvironment& env) {
  const fs::path exe(executablePath);
  TProgramPaths paths;
  if (env.Data == TDataPlace::BesideExecutable && env.ExecutableDirWritable) {
    paths.ProgramDir = exe.parent_path().string();
    paths.IniFileName = fs::path(exe).replace_extension(".ini").string();
    paths.BooksFileName = fs::path(exe).replace_extension(".books").string();
    return paths;
  }
  paths.ProgramDir = (XdgFolder(env.XdgDataHome, env.Home, ".local/share") / "quillane").string();
  paths.IniFileName =
      (XdgFolder(env.XdgConfigHome, env.Home, ".config") / "quillane" / "quillane.ini").string();
  paths.BooksFileName =
      (XdgFolder(env.XdgStateHome, env.Home, ".local/state") / "quillane" / "quillane.books")
          .string();
  return paths;
}

TProgramPaths ComputeProgramPaths(const std::string& executablePath) {
  TPathEnvironment env;
  std::string dir = fs::path(executablePath).parent_path().string();
  if (dir.empty()) dir = std::string(".");
  // The help page stands for all the data files: the build and the install
  // rules place them together.
  std::error_code ec;
  if (fs::is_regular_file(fs::path(dir) / kDataMarker, ec))
    env.Data = TDataPlace::BesideExecutable;
  else if (!FindDataFile(executablePath, kDataMarker).empty())
    env.Data = TDataPlace::Installed;
  else
    env.Data = TDataPlace::Nowhere;
  // Root may write anywhere, so this only tells a build folder that cannot be
  // written (a read-only checkout); an installed copy is never asked.
  env.ExecutableDirWritable = ::access(dir.c_str(), W_OK) == 0;
  env.Home = EnvText("HOME");
  env.XdgDataHome = EnvText("XDG_DATA_HOME");
  env.XdgConfigHome = EnvText("XDG_CONFIG_HOME");
  env.XdgStateHome = EnvText("XDG_STATE_HOME");
  return ComputeProgramPaths(executablePath, env);
}

std::string CurrentExecutablePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::string FindDataFile(const std::string& executablePath, const std::string& name) {
  const fs::path dir = fs::path(executablePath).parent_path();
  std::error_code ec;
  for (const fs::path& candidate : {dir / name, dir / ".." / "share" / "quillane" / name}) {
    if (fs::is_regular_file(candidate, ec)) return candidate.lexically_normal().string();
  }
  return std::string();
}

std::string FindDataFile(const std::string& name) {
  return FindDataFile(CurrentExecutablePath(), name);
}
