// Where the program's folder and its settings file go.
#include "shell/Paths.h"

#include <gtest/gtest.h>

#include "tests/common/TestSupport.h"

namespace {

TEST(PathsTest, TheExecutableFolderWhenWritableElseTheUsersFolders) {
  struct Case {
    const char* exe;
    bool writable;
    const char *dataHome, *configHome;
    const char *programDir, *iniFileName;
  };
  for (const Case& c : {
           Case{"/opt/q/bin/quillane", true, "", "", "/opt/q/bin", "/opt/q/bin/quillane.ini"},
           Case{"/opt/q/quillane.bin", true, "", "", "/opt/q", "/opt/q/quillane.ini"},
           Case{"/usr/bin/quillane", false, "", "", "/home/me/.local/share/quillane",
                "/home/me/.config/quillane/quillane.ini"},
           Case{"/usr/bin/quillane", false, "/data", "/conf", "/data/quillane",
                "/conf/quillane/quillane.ini"},
           // A relative data folder is ignored.
           Case{"/usr/bin/quillane", false, "relative/data", "/conf",
                "/home/me/.local/share/quillane", "/conf/quillane/quillane.ini"},
       }) {
    SCOPED_TRACE(c.exe + std::string(c.writable ? " writable " : " read-only ") + c.dataHome);
    TPathEnvironment env;
    env.ExecutableDirWritable = c.writable;
    env.Home = "/home/me";
    env.XdgDataHome = c.dataHome;
    env.XdgConfigHome = c.configHome;
    const auto paths = ComputeProgramPaths(c.exe, env);
    EXPECT_EQ(paths.ProgramDir, c.programDir);
    EXPECT_EQ(paths.IniFileName, c.iniFileName);
  }
}

TEST(PathsTest, TheRealFolderIsCheckedForWriting) {
  testsupport::TempDir dir;
  const auto paths = ComputeProgramPaths(dir / "quillane");
  EXPECT_EQ(paths.ProgramDir, dir.Path().string());
  EXPECT_EQ(paths.IniFileName, dir / "quillane.ini");
  EXPECT_FALSE(CurrentExecutablePath().empty());
}

}  // namespace

namespace {

TEST(PathsTest, DataFilesBesideTheExecutableBeforeTheInstalledShareFolder) {
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir.Path() / "bin");
  std::filesystem::create_directories(dir.Path() / "share/quillane/help");
  const std::string exe = dir / "bin/quillane";
  EXPECT_EQ(FindDataFile(exe, "help/index.htm"), "");
  testsupport::WriteFile(dir / "share/quillane/help/index.htm", "installed");
  EXPECT_EQ(FindDataFile(exe, "help/index.htm"), dir / "share/quillane/help/index.htm");
  std::filesystem::create_directories(dir.Path() / "bin/help");
  testsupport::WriteFile(dir / "bin/help/index.htm", "built");
  EXPECT_EQ(FindDataFile(exe, "help/index.htm"), dir / "bin/help/index.htm");
}

}  // namespace
