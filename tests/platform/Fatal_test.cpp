// kw-test: label=platform
#include <gtest/gtest.h>

#include "platform/Fatal.h"

TEST(FatalDeathTest, EndsWithExitCode3AndTheFixedLine) {
  EXPECT_EXIT(platform::Fatal(QStringLiteral("Out of cmcBuff element !")),
              ::testing::ExitedWithCode(3), "Abnormal program termination");
}
