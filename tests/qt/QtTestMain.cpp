// Test main of the window tests: widgets need a QApplication (the shared test
// main makes a QGuiApplication). Linked before the support library, so this
// main is the one the window tests run.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/common/TestSupport.h"

int main(int argc, char** argv) {
  testsupport::PrepareHeadlessEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
