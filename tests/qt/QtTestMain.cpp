// Widgets need a QApplication, where the shared test main makes a QGuiApplication.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/common/TestSupport.h"

int main(int argc, char** argv) {
  testsupport::PrepareHeadlessEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
