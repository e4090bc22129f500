// Test main: a QGuiApplication on the offscreen platform, so that fonts and
// painting work without a display.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tests/common/TestSupport.h"

int main(int argc, char** argv) {
  testsupport::PrepareHeadlessEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
