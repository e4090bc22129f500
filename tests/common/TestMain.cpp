// Test main: a QGuiApplication on the offscreen platform, so that fonts and
// painting work without a display.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::string dir = "/tmp/quillane-runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
