#pragma once
// Where the program keeps its files: the program's folder (export folders such as
// "unite" and "all_page" live under it) and the settings file.
#include <string>

struct TProgramPaths {
  std::string ProgramDir;   // no trailing '/'
  std::string IniFileName;  // full path of the settings file
};

// What the choice depends on besides the executable's path, so that it can be
// decided without touching the real environment.
struct TPathEnvironment {
  bool ExecutableDirWritable = true;
  std::string Home;           // $HOME
  std::string XdgDataHome;    // $XDG_DATA_HOME, empty when unset
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
};

// The executable's folder and "<executable name>.ini" beside it when that folder
// is writable; otherwise $XDG_DATA_HOME/quillane (default ~/.local/share/quillane)
// and $XDG_CONFIG_HOME/quillane/quillane.ini (default ~/.config/quillane/quillane.ini).
TProgramPaths ComputeProgramPaths(const std::string& executablePath, const TPathEnvironment& env);
// The same with the environment of this process and the folder's real writability.
TProgramPaths ComputeProgramPaths(const std::string& executablePath);
// The path of the running executable (/proc/self/exe), or empty when unknown.
std::string CurrentExecutablePath();

// The program's own read-only files (help page, sound cues, icon) by name, such as
// "help/index.htm": beside the executable when there (a build folder), else in
// ../share/quillane/ relative to it (an installed or relocated copy). Empty when
// neither exists. The executable's path is a parameter so the rule can be tested.
std::string FindDataFile(const std::string& executablePath, const std::string& name);
// The same for the running executable.
std::string FindDataFile(const std::string& name);
