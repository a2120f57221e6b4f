// Test entry for widget code: a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "support/ScratchDir.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QApplication app(argc, argv);
  const int result = RUN_ALL_TESTS();
  // Death tests' children end at once, leaving their scratch behind.
  kwtest::RemoveAbandonedScratch();
  return result;
}
