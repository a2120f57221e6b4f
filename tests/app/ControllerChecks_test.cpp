// kw-test: gui
// The controller without a window: the initial image of the settings'
// destination, the delayed warning check on the injected clock, taking a
// radio's destination, the close question, and an exception escaping an
// event handler.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/EscapedExceptions.h"
#include "app/ImagePasses.h"
#include "core/EventIds.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"
#include "tests/app/MainWindowRig.h"

namespace {

class ControllerChecksTest : public ::testing::Test {
 protected:
  ControllerChecksTest() {
    rig_.main = std::make_unique<indMain>(*rig_.env, rig_.texts);
    EvMan().AddListener(this, [this](const cmcEvent& e) {
      if (e.id == ev::ImageWindowRebuild) checks_.push_back(now_);
    });
  }
  ~ControllerChecksTest() override { EvMan().RemoveListener(this); }

  // One 50 ms tick of the controller at time t (ms since the start).
  void TickAt(std::uint32_t t) {
    rig_.clock.SetTick(kStart + t);
    now_ = t;
    rig_.main->TickTask().OnTick();
    EvMan().Drain();
  }

  static constexpr std::uint32_t kStart = 1000;
  kwtest::MainWindowRig rig_;
  std::uint32_t now_ = 0;
  std::vector<std::uint32_t> checks_;
};

TEST_F(ControllerChecksTest, TwoEditsWithin250MsGiveOneCheckAfterTheSecond) {
  cuiMain& main = *rig_.main;
  rig_.clock.SetTick(kStart);
  main.StartCheckDelay();
  for (std::uint32_t t = 0; t <= 800; t += 50) {
    if (t == 200) {
      rig_.clock.SetTick(kStart + t);
      main.StartCheckDelay();
    }
    TickAt(t);
  }
  ASSERT_EQ(checks_.size(), 1u);
  EXPECT_GE(checks_.front(), 450u);
  EXPECT_LE(checks_.front(), 500u);
  EXPECT_EQ(main.CheckDelay(), nullptr) << "the countdown goes once it has run out";
}

TEST_F(ControllerChecksTest, TheInitialImageFollowsTheSettingsDestination) {
  rig_.env->EtcData.destination = 5;
  rig_.main->LoadInitialImage();
  EXPECT_EQ(indDestination::Current().Code(), 5);
  EXPECT_EQ(rig_.main->InitialImage(), imagepass::BuildInitialImage(indDestination(5), false));
  rig_.env->EtcData.destination = 16;
  rig_.main->LoadInitialImage();
  EXPECT_EQ(rig_.main->InitialImage(), imagepass::BuildInitialImage(indDestination(0), false));
}

TEST_F(ControllerChecksTest, AnUntouchedDocumentBecomesTheRadiosInitialImage) {
  cuiMain& main = *rig_.main;
  main.LoadInitialImage();
  main.ResetImageToInitial();
  main.ClearModified();
  RadioInformation info{};
  info[kRadioInfoDestinationByte] = 5;
  main.ApplyDestination(info, 2, false);
  EXPECT_EQ(rig_.env->EtcData.destination, 5u);
  EXPECT_EQ(main.Image(), imagepass::BuildInitialImage(indDestination(5), false));
  EXPECT_FALSE(main.ModifiedFlag());
  EXPECT_FALSE(main.IsModified());
}

TEST_F(ControllerChecksTest, AModifiedDocumentKeepsItsDataOnADestinationChange) {
  cuiMain& main = *rig_.main;
  main.LoadInitialImage();
  main.ResetImageToInitial();
  main.ClearModified();
  main.SetModified();
  RadioInformation info{};
  info[kRadioInfoDestinationByte] = 5;
  main.ApplyDestination(info, 2, false);
  EXPECT_EQ(rig_.env->EtcData.destination, 5u);
  EXPECT_NE(main.Image(), main.InitialImage());
  EXPECT_TRUE(main.ModifiedFlag());
}

TEST_F(ControllerChecksTest, AForReadDestinationGoesOnlyToTheCloneRun) {
  RadioInformation info{};
  info[1] = 2;
  info[kRadioInfoDestinationByte] = 5;
  rig_.main->ApplyDestination(info, 2, true);
  EXPECT_EQ(rig_.main->CloneDestination().destination, 5u);
  EXPECT_EQ(rig_.main->ExpectedRevision(), 2u);
  EXPECT_EQ(rig_.env->EtcData.destination, 0u);
}

TEST_F(ControllerChecksTest, TheSaveQuestionNamesTheFileOrAsksPlainly) {
  cuiMain& main = *rig_.main;
  EXPECT_EQ(main.ConfirmSaveChanges(false), platform::mb::IdYes);
  EXPECT_EQ(rig_.boxes.Count(), 0u) << "nothing to save, no question";
  main.SetModified();
  struct Case {
    bool askWriteFile;
    int answer;
    int result;
    const char* text;
  } cases[] = {
      {true, platform::mb::IdNo, platform::mb::IdYes, "Save changes?"},
      {false, platform::mb::IdNo, platform::mb::IdYes, "Save changes to Untitled?"},
      {false, platform::mb::IdCancel, platform::mb::IdCancel, "Save changes to Untitled?"},
  };
  for (const Case& c : cases) {
    rig_.boxes.Answer(c.answer);
    EXPECT_EQ(main.ConfirmSaveChanges(c.askWriteFile), c.result);
    EXPECT_EQ(rig_.boxes.Last().text, QString::fromUtf8(c.text));
    EXPECT_EQ(rig_.boxes.Last().flags, platform::mb::YesNoCancel | platform::mb::IconWarning);
    EXPECT_EQ(rig_.boxes.Last().caption, QStringLiteral("KW-3700"));
  }
}

TEST_F(ControllerChecksTest, AnEscapedExceptionIsShownAndEndsWithExitCode3) {
  EXPECT_TRUE(escape::RunGuarded([] { return true; }));
  EXPECT_FALSE(escape::Escaped());
  EXPECT_EQ(escape::RunLoop([] { return 0; }), 0);
  rig_.boxes.Answer(platform::mb::IdOk);
  EXPECT_FALSE(escape::RunGuarded([]() -> bool { throw std::runtime_error("Access violation"); }));
  EXPECT_TRUE(escape::Escaped());
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("Access violation"));
  EXPECT_EQ(rig_.boxes.Last().flags, platform::mb::IconError);
  // A loop that ends after an escape reports failure.
  EXPECT_EQ(escape::RunLoop([] { return 0; }), escape::kExitCode);
}

}  // namespace
