#include "platform/MessageBoxService.h"

#include <gtest/gtest.h>

#include <QObject>

#include "support/ScriptedMessageBoxes.h"

namespace mb = platform::mb;

// With no person and no display a box is told on stderr and answers Cancel.
TEST(MessageBoxServiceTest, HeadlessBoxesGoToStderrAndCancel) {
  ::testing::internal::CaptureStderr();
  const int answer =
      platform::ShowMessageBox(QStringLiteral("Save the changes?"), QStringLiteral("KW-3700"),
                               mb::YesNoCancel | mb::IconWarning);
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, mb::IdCancel);
  EXPECT_NE(told.find("KW-3700"), std::string::npos) << told;
  EXPECT_NE(told.find("Save the changes?"), std::string::npos) << told;
}

TEST(MessageBoxServiceTest, AScriptAnswersInOrderAndRecordsEveryBox) {
  QObject owner;
  {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.Answer(mb::IdNo);
    boxes.Answer(mb::IdOk);
    EXPECT_EQ(platform::ShowMessageBox("first", "A", mb::YesNo | mb::DefButton2, &owner), mb::IdNo);
    EXPECT_EQ(platform::ShowMessageBox("second", "B", mb::OkCancel | mb::IconInformation),
              mb::IdOk);
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "first");
    EXPECT_EQ(boxes.Shown()[0].caption, "A");
    EXPECT_EQ(boxes.Shown()[0].flags, mb::YesNo | mb::DefButton2);
    EXPECT_EQ(boxes.Shown()[0].owner, &owner);
    EXPECT_EQ(boxes.Last().flags, mb::OkCancel | mb::IconInformation);
    EXPECT_EQ(boxes.Last().owner, nullptr);
  }
  // The headless default is back once the script goes.
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox("third", "C", mb::Ok), mb::IdCancel);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("third"), std::string::npos);
}
