#pragma once
// Where the program keeps its files: the program's folder (export folders such as
// "unite" and "all_page" live under it), the settings file and the books file
// (the place left in each book read lately).
#include <string>

struct TProgramPaths {
  std::string ProgramDir;     // no trailing '/'
  std::string IniFileName;    // full path of the settings file
  std::string BooksFileName;  // full path of the books file
};

// Where the program's own data files (help page, sound cues, icon) lie.
enum class TDataPlace {
  BesideExecutable,  // as the build places them: a copy run from its build folder
  Installed,         // under ../share/quillane: an installed copy
  Nowhere,           // a bare executable
};

// What the choice depends on besides the executable's path, so that it can be
// decided without touching the real environment.
struct TPathEnvironment {
  TDataPlace Data = TDataPlace::BesideExecutable;
  bool ExecutableDirWritable = true;
  std::string Home;           // $HOME
  std::string XdgDataHome;    // $XDG_DATA_HOME, empty when unset
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
  std::string XdgStateHome;   // $XDG_STATE_HOME, empty when unset
};

// A copy run from its build folder (its data beside it) keeps everything in
// the executable's folder: "<executable name>.ini" and "<executable name>.books"
// beside it, when that folder is writable. Every other copy, an installed one
// above all (whoever runs it, root too), uses the user's folders:
// $XDG_DATA_HOME/quillane (default ~/.local/share/quillane) for the exports,
// $XDG_CONFIG_HOME/quillane/quillane.ini (default ~/.config/...) and
// $XDG_STATE_HOME/quillane/quillane.books (default ~/.local/state/...).
TProgramPaths ComputeProgramPaths(const std::string& executablePath, const TPathEnvironment& env);
// The same with the environment of this process, where the data files are and
// the folder's real writability.
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
