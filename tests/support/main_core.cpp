// Test entry for code without widgets: a QCoreApplication, the process
// locale taken from the environment as Qt does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
