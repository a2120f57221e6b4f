// Test entry for widget code: a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
