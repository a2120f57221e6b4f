// Timer tasks, countdowns and the bus working together on a running
// QCoreApplication, as the main controller uses them: a 50 ms tick task
// runs a delayed check once its countdown has run out, reacting to an event
// posted on the bus, and reports through a message box.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "core/cmcEvMan.h"
#include "core/cmcTask.h"
#include "core/cmcTick.h"
#include "platform/MessageBoxService.h"
#include "support/ManualClock.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

bool PumpUntil(const std::function<bool()>& pred) {
  QElapsedTimer guard;
  guard.start();
  while (!pred()) {
    if (guard.elapsed() > 20000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

class DelayedChecker {
 public:
  explicit DelayedChecker(cmcEvMan& bus) : bus_(bus), task_(new cmcTask) {
    bus_.AddListener<DelayedChecker, &DelayedChecker::OnEvent>(this);
    task_->SetHandler(this, &DelayedChecker::OnTick);
    task_->SetInterval(50);
  }
  ~DelayedChecker() { bus_.RemoveListener<DelayedChecker, &DelayedChecker::OnEvent>(this); }

  int checks = 0;
  int ticks = 0;

 private:
  void OnEvent(const cmcEvent& e) {
    if (e.id == ev::DocumentEdited) delay_.Start(250);
  }
  void OnTick(cmcTask&) {
    ++ticks;
    if (!delay_.IsRunning() || delay_.GetRemain() != 0) return;
    ++checks;
    platform::ShowMessageBox(QStringLiteral("checked"), QStringLiteral("KW-3700"),
                             platform::mb::IconInformation);
  }

  cmcEvMan& bus_;
  cmcTaskPtr task_;
  cmcTick delay_;
};

}  // namespace

TEST(TimedEventsTest, PostedEditRunsTheDelayedCheckOnceItsCountdownExpires) {
  ASSERT_NE(QCoreApplication::instance(), nullptr);
  kwtest::ManualClock clock(0xFFFFFF00u);  // the check delay crosses the counter wrap
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdOk);
  ScopedEvMan bus;
  DelayedChecker checker(EvMan());

  EvMan().Post(ev::DocumentEdited);
  ASSERT_TRUE(PumpUntil([&] { return bus.Bus().QueuedCount() == 0; }));  // delivered by the drain
  clock.Advance(249);
  // Ticks of the 50 ms task go by with the delay still running.
  int ticks = checker.ticks;
  ASSERT_TRUE(PumpUntil([&] { return checker.ticks >= ticks + 2; }));
  EXPECT_EQ(checker.checks, 0);
  clock.Advance(1);
  ASSERT_TRUE(PumpUntil([&] { return checker.checks == 1; }));
  ticks = checker.ticks;
  ASSERT_TRUE(PumpUntil([&] { return checker.ticks >= ticks + 2; }));
  EXPECT_EQ(checker.checks, 1);  // the countdown ran out once
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().text, QStringLiteral("checked"));
  EXPECT_EQ(boxes.Last().flags, platform::mb::IconInformation);
}
