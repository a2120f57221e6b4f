// kw-test: label=platform
#include "platform/Fatal.h"

#include <gtest/gtest.h>

#include "support/ScriptedMessageBoxes.h"

TEST(FatalDeathTest, EndsWithExitCode3AndTheFixedLine) {
  EXPECT_EXIT(platform::Fatal(QStringLiteral("Out of cmcBuff element !")),
              ::testing::ExitedWithCode(3), "Abnormal program termination");
}

// The box (error icon, the program's title) comes first, then the line.
TEST(FatalDeathTest, ShowsTheErrorBoxBeforeEnding) {
  auto fail = [] {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    platform::Fatal(QStringLiteral("Out of cmcBuff element !"));
  };
  EXPECT_EXIT(fail(), ::testing::ExitedWithCode(3),
              "\\[box KW-3700, flags 0x10\\] Out of cmcBuff element !\n"
              "Abnormal program termination\n");
}
