#pragma once
// Helpers shared by the tests: scratch folders and small file utilities.
#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

// The offscreen Qt platform (unless one is chosen) and a private runtime folder,
// so tests run without a display and without Qt's warnings about a session.
void PrepareHeadlessEnvironment();

// A fresh empty folder under the build tree, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
// Path of the built quillane-cli.
std::string CliPath();
// Runs a shell command; returns its exit status and puts its standard output in out.
int RunCommand(const std::string& command, std::string* out = nullptr);
// s, n times over.
std::string Repeat(std::string_view s, int n);
// UTF-8 text as code-page-932 bytes (test inputs are written in UTF-8).
std::string Sjis(std::string_view utf8);

}  // namespace testsupport
