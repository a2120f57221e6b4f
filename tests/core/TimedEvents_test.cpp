// Timer tasks, countdowns and the bus working together on a running
// QCoreApplication, as the main controller uses them: a 50 ms tick task
// runs a delayed check once its countdown has run out, reacting to an event
// posted on the bus, and reports through a message box.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>

#include "core/AppMessageBox.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcTask.h"
#include "core/cmcTick.h"
#include "core/indEnviron.h"
#include "platform/Cp932.h"
#include "platform/LocaleInfo.h"
#include "platform/MessageBoxService.h"
#include "support/ManualClock.h"
#include "support/PumpUntil.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

void ReportChecked() {
  platform::ShowMessageBox(QStringLiteral("checked"), QStringLiteral("KW-3700"),
                           platform::mb::IconInformation);
}

class DelayedChecker {
 public:
  explicit DelayedChecker(cmcEvMan& bus, std::function<void()> report = ReportChecked)
      : bus_(bus), report_(std::move(report)), task_(new cmcTask) {
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
    report_();
  }

  cmcEvMan& bus_;
  std::function<void()> report_;
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
  ASSERT_TRUE(
      kwtest::PumpUntil([&] { return bus.Bus().QueuedCount() == 0; }));  // delivered by the drain
  clock.Advance(249);
  // Ticks of the 50 ms task go by with the delay still running.
  int ticks = checker.ticks;
  ASSERT_TRUE(kwtest::PumpUntil([&] { return checker.ticks >= ticks + 2; }));
  EXPECT_EQ(checker.checks, 0);
  clock.Advance(1);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return checker.checks == 1; }));
  ticks = checker.ticks;
  ASSERT_TRUE(kwtest::PumpUntil([&] { return checker.ticks >= ticks + 2; }));
  EXPECT_EQ(checker.checks, 1);  // the countdown ran out once
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().text, QStringLiteral("checked"));
  EXPECT_EQ(boxes.Last().flags, platform::mb::IconInformation);
}

// The whole chain as the program starts it: the language comes from a
// settings file written earlier, the chosen table words the report, the
// report follows a posted edit once its countdown ran out, and the box is
// recorded with the table's own texts.
TEST(TimedEventsTest, SettingsChooseTheTableThatWordsTheDelayedReport) {
  kwtest::ScratchDir dir;
  const indEnviron::Options options = kwtest::ScratchEnvironOptions(dir);
  constexpr char kKey[] = "Software\\Quor\\KW-3700";
  {
    indEnviron first(indEnviron::kMutexName, kKey, kKey, options);
    first.Language = 1;
    ASSERT_TRUE(first.Save());
  }
  indEnviron env(indEnviron::kMutexName, kKey, kKey, options);
  ASSERT_EQ(env.Language, 1);

  platform::LocaleInfo japanese;
  japanese.languageId = 0x0411;
  platform::ScopedLocaleInfo system(japanese);
  cmcGTex gtex;
  SelectTextTable(gtex, ChooseTextTable(env));
  ASSERT_EQ(CurrentTextTable(), TextTable::Japanese);
  const std::string message = gtex.GetFirst("GI_Mess_Confirm_WriteFile");

  kwtest::ManualClock clock(1000);
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdNo);
  ScopedEvMan bus;
  int answer = 0;
  DelayedChecker checker(EvMan(), [&] {
    answer = MessageBoxCp932(nullptr, message, gtex.GetFirst("GI_Sys_AppTitle"), 0x33);
  });
  EvMan().Post(ev::DocumentEdited);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return bus.Bus().QueuedCount() == 0; }));
  clock.Advance(250);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return checker.checks == 1; }));
  EXPECT_EQ(answer, platform::mb::IdNo);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().caption, QStringLiteral("KW-3700"));
  EXPECT_EQ(boxes.Last().flags, 0x33u);
  EXPECT_EQ(boxes.Last().text, platform::Cp932ToUnicode(message));
  EXPECT_NE(boxes.Last().text, QStringLiteral("Save changes?"));
  SelectTextTable(gtex, TextTable::English);
}
