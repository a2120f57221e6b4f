// Test entry for code without widgets: a QCoreApplication, the process
// locale taken from the environment as Qt does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <clocale>

#include "support/ScratchDir.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QCoreApplication app(argc, argv);
  const int result = RUN_ALL_TESTS();
  // Death tests' children end at once, leaving their scratch behind.
  kwtest::RemoveAbandonedScratch();
  return result;
}
