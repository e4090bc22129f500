// Where the program's folder and its settings file go.
#include "shell/Paths.h"

#include <gtest/gtest.h>

#include "tests/common/TestSupport.h"

namespace {

TEST(PathsTest, AWritableExecutableFolderHoldsEverything) {
  TPathEnvironment env;
  env.ExecutableDirWritable = true;
  env.Home = "/home/me";
  const auto paths = ComputeProgramPaths("/opt/q/bin/quillane", env);
  EXPECT_EQ(paths.ProgramDir, "/opt/q/bin");
  EXPECT_EQ(paths.IniFileName, "/opt/q/bin/quillane.ini");
  EXPECT_EQ(ComputeProgramPaths("/opt/q/quillane.bin", env).IniFileName, "/opt/q/quillane.ini");
}

TEST(PathsTest, AReadOnlyExecutableFolderSendsFilesToTheUsersFolders) {
  TPathEnvironment env;
  env.ExecutableDirWritable = false;
  env.Home = "/home/me";
  auto paths = ComputeProgramPaths("/usr/bin/quillane", env);
  EXPECT_EQ(paths.ProgramDir, "/home/me/.local/share/quillane");
  EXPECT_EQ(paths.IniFileName, "/home/me/.config/quillane/quillane.ini");

  env.XdgDataHome = "/data";
  env.XdgConfigHome = "/conf";
  paths = ComputeProgramPaths("/usr/bin/quillane", env);
  EXPECT_EQ(paths.ProgramDir, "/data/quillane");
  EXPECT_EQ(paths.IniFileName, "/conf/quillane/quillane.ini");

  env.XdgDataHome = "relative/data";  // not absolute: ignored
  EXPECT_EQ(ComputeProgramPaths("/usr/bin/quillane", env).ProgramDir,
            "/home/me/.local/share/quillane");
}

TEST(PathsTest, TheRealFolderIsCheckedForWriting) {
  testsupport::TempDir dir;
  const auto paths = ComputeProgramPaths(dir / "quillane");
  EXPECT_EQ(paths.ProgramDir, dir.Path().string());
  EXPECT_EQ(paths.IniFileName, dir / "quillane.ini");
  EXPECT_FALSE(CurrentExecutablePath().empty());
}

}  // namespace
