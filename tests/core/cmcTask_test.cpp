#include "core/cmcTask.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <functional>
#include <memory>

#include "support/PumpUntil.h"

TEST(cmcTaskTest, IntervalsAndTheStoppedFlag) {
  cmcTask task;
  EXPECT_EQ(task.Interval(), -1);
  EXPECT_TRUE(task.IsStopped());
  EXPECT_FALSE(task.TimerActive());
  struct Case {
    int ms;
    int timerMs;
    bool stopped;
  } cases[] = {{0, 1, false}, {-1, 0, true}, {50, 50, false}, {-7, 0, true}, {10, 10, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ms);
    task.SetInterval(c.ms);
    EXPECT_EQ(task.Interval(), c.ms);
    EXPECT_EQ(task.TimerInterval(), c.timerMs);
    EXPECT_EQ(task.IsStopped(), c.stopped);
  }
  task.SetHandler([](cmcTask&) {});
  task.Stop();
  EXPECT_FALSE(task.HasHandler());
  EXPECT_EQ(task.Interval(), -1);
  EXPECT_TRUE(task.IsStopped());
}

TEST(cmcTaskTest, TicksCallTheHandlerWithItsTask) {
  cmcTask task;
  int calls = 0;
  cmcTask* seen = nullptr;
  task.SetHandler([&](cmcTask& t) {
    ++calls;
    seen = &t;
  });
  task.SetInterval(0);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return calls >= 3; }));
  EXPECT_EQ(seen, &task);
  task.SetInterval(-1);
  const int before = calls;
  task.OnTick();  // a direct tick still runs the handler
  EXPECT_EQ(calls, before + 1);
}

TEST(cmcTaskTest, HandlerInANestedLoopIsNotReentered) {
  cmcTask task;
  cmcTask other;  // proves that the nested loop really delivers ticks
  int otherTicks = 0;
  other.SetHandler([&](cmcTask&) { ++otherTicks; });
  other.SetInterval(1);
  int depth = 0;
  int maxDepth = 0;
  int calls = 0;
  task.SetHandler([&](cmcTask&) {
    ++calls;
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    if (calls == 1) {
      // As a modal message box would: pump messages inside the handler.
      const int start = otherTicks;
      kwtest::PumpUntil([&] { return otherTicks >= start + 5; });
    }
    --depth;
  });
  task.SetInterval(1);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return calls >= 2; }));
  EXPECT_EQ(maxDepth, 1);
}

TEST(cmcTaskTest, DeleteLaterInsideTheHandlerFreesAfterTheNextTick) {
  auto* task = new cmcTask;
  QPointer<cmcTask> alive(task);
  int calls = 0;
  bool validAfterDeleteLater = false;
  task->SetHandler([&](cmcTask& t) {
    ++calls;
    t.DeleteLater();
    validAfterDeleteLater = !alive.isNull() && t.IsDeleteLater();
  });
  task->OnTick();
  EXPECT_TRUE(validAfterDeleteLater);
  ASSERT_FALSE(alive.isNull());  // still there after the handler returned
  EXPECT_EQ(task->TimerInterval(), 1);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return alive.isNull(); }));
  EXPECT_EQ(calls, 1);  // the freeing tick ran no handler
}

TEST(cmcTaskTest, ReleaseDecidesByTheBusyFlag) {
  // Outside a tick: gone at once, even with the timer running.
  {
    auto* task = new cmcTask;
    QPointer<cmcTask> alive(task);
    task->SetInterval(5);
    cmcTask::Release(task);
    EXPECT_TRUE(alive.isNull());
  }
  // Inside its own tick: stops and frees itself after the handler returns,
  // even when its timer was disabled (deleting it there would free the
  // object whose handler is running).
  {
    auto* task = new cmcTask;
    QPointer<cmcTask> alive(task);
    auto state = std::make_shared<int>(0);  // owned by the closure
    bool stillThere = false;
    task->SetHandler([state, &alive, &stillThere](cmcTask& t) {
      cmcTask::Release(&t);
      ++*state;  // the closure's own data survives Stop()
      stillThere = !alive.isNull() && !t.HasHandler();
    });
    task->OnTick();
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(*state, 1);
    ASSERT_TRUE(kwtest::PumpUntil([&] { return alive.isNull(); }));
  }
  cmcTask::Release(nullptr);
}

TEST(cmcTaskTest, OwningPointerReleasesSafely) {
  QPointer<cmcTask> alive;
  {
    cmcTaskPtr owner(new cmcTask);
    alive = owner.get();
    owner->SetInterval(0);
  }
  EXPECT_TRUE(alive.isNull());
}

TEST(cmcTaskTest, DeletedFromItsOwnHandlerDoesNotTouchTheObjectAfterwards) {
  // A careless owner that deletes the task directly inside the tick: the
  // tick must not write to the freed object (AddressSanitizer watches).
  auto* task = new cmcTask;
  task->SetHandler([](cmcTask& t) { delete &t; });
  task->OnTick();
  SUCCEED();
}
