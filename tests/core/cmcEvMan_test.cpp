#include "core/cmcEvMan.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <string>
#include <vector>

#include "support/PumpUntil.h"

namespace {

// Records the order in which listeners ran.
struct Recorder {
  std::vector<std::string> calls;
};

struct Named {
  Recorder* rec;
  std::string name;
  void OnEvent(const cmcEvent& e) { rec->calls.push_back(name + ":" + std::to_string(e.id)); }
};

void CallNamed(void* object, const cmcEvent& e) { static_cast<Named*>(object)->OnEvent(e); }

class cmcEvManTest : public ::testing::Test {
 protected:
  cmcEvMan bus;
  Recorder rec;
  Named a{&rec, "a"}, b{&rec, "b"}, c{&rec, "c"};
};

}  // namespace

TEST_F(cmcEvManTest, NewestFirstAndReAddMovesToTheFront) {
  bus.AddListener(&CallNamed, &a);
  bus.AddListener<Named, &Named::OnEvent>(&b);
  bus.AddListener(&c,
                  [this](const cmcEvent& e) { rec.calls.push_back("c:" + std::to_string(e.id)); });
  bus.Send(9);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"c:9", "b:9", "a:9"}));
  rec.calls.clear();
  bus.AddListener(&CallNamed, &a);  // same function and object: once, now first
  bus.Send(2);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"a:2", "c:2", "b:2"}));
  EXPECT_EQ(bus.ListenerCount(), 3);
  EXPECT_EQ(bus.ListenerNodeCount(), 3);
  rec.calls.clear();
  bus.AddListener(&c, [this](const cmcEvent&) { rec.calls.push_back("c2"); });  // replaces c
  bus.Send(2);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"c2", "a:2", "b:2"}));
}

TEST_F(cmcEvManTest, SameFunctionWithAnotherObjectIsAnotherListener) {
  bus.AddListener(&CallNamed, &a);
  bus.AddListener(&CallNamed, &b);
  bus.RemoveListener(&CallNamed, &a);
  bus.Send(1);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"b:1"}));
}

TEST_F(cmcEvManTest, IgnoresUnsetListenersAndUnknownRemovals) {
  bus.AddListener(static_cast<cmcEvMan::ListenerFn>(nullptr), &a);
  bus.AddListener(&a, cmcEvMan::Closure{});
  bus.AddListener(static_cast<const void*>(nullptr), [](const cmcEvent&) {});
  EXPECT_EQ(bus.ListenerNodeCount(), 0);
  bus.RemoveListener(&CallNamed, &a);
  bus.RemoveListener(static_cast<cmcEvMan::ListenerFn>(nullptr), nullptr);
  bus.RemoveListener(&b);
  bus.AddListener(&CallNamed, &a);
  bus.RemoveListener(&a);  // a closure key, not the function listener
  bus.Send(3);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"a:3"}));
}

TEST_F(cmcEvManTest, PostWaitsForTheTickAndPostsDuringADrainWaitForTheNext) {
  std::vector<int> seen;
  bus.AddListener(&seen, [&](const cmcEvent& e) {
    seen.push_back(e.id);
    EXPECT_EQ(e.mode, e.id == 7 ? cmcEvent::Sent : cmcEvent::Posted);
    if (e.id == 1) {
      bus.Post(5);  // next tick
      bus.Send(7);  // at once, inside this drain
    }
  });
  bus.Post(1);
  bus.Post(2);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(bus.QueuedCount(), 2);
  bus.Drain();
  EXPECT_EQ(seen, (std::vector<int>{1, 7, 2}));
  EXPECT_EQ(bus.QueuedCount(), 1);
  bus.Drain();
  EXPECT_EQ(seen, (std::vector<int>{1, 7, 2, 5}));
  EXPECT_EQ(bus.QueuedCount(), 0);
}

TEST_F(cmcEvManTest, TheBusDrainsOnItsOwnTimer) {
  int got = 0;
  bus.AddListener(&got, [&](const cmcEvent& e) { got = e.id; });
  bus.Post(ev::CellsRefreshAll);
  ASSERT_NE(bus.DrainTask(), nullptr);
  EXPECT_EQ(bus.DrainTask()->Interval(), 10);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return got != 0; }));
  EXPECT_EQ(got, ev::CellsRefreshAll);
}

// An idle bus never wakes the program: its timer runs only while something
// waits in the queue.
TEST_F(cmcEvManTest, TheDrainTimerRunsOnlyWhileSomethingIsQueued) {
  const cmcTask& task = *bus.DrainTask();
  EXPECT_FALSE(task.TimerActive());
  bus.Send(1);
  (void)bus.Query(2);
  EXPECT_FALSE(task.TimerActive());

  std::vector<int> seen;
  bus.AddListener(&seen, [&](const cmcEvent& e) {
    seen.push_back(e.id);
    if (e.id == 1) bus.Post(5);  // during the drain: waits for the next tick
  });
  bus.Post(1);
  EXPECT_TRUE(task.TimerActive());
  EXPECT_EQ(task.TimerInterval(), 10);
  ASSERT_TRUE(kwtest::PumpUntil([&] { return !seen.empty(); }));
  EXPECT_EQ(seen, (std::vector<int>{1}));
  EXPECT_TRUE(task.TimerActive());  // event 5 still waits
  ASSERT_TRUE(kwtest::PumpUntil([&] { return seen.size() == 2; }));
  EXPECT_EQ(seen, (std::vector<int>{1, 5}));
  EXPECT_FALSE(task.TimerActive());

  // A drain asked for by hand leaves the timer off once the queue is empty.
  bus.Post(7);
  bus.Drain();
  EXPECT_EQ(seen.back(), 7);
  EXPECT_FALSE(task.TimerActive());
}

TEST_F(cmcEvManTest, QueryAnswersInCallOrderAndNobodyGivesEmpty) {
  EXPECT_TRUE(bus.Query(ev::QuerySheetName).empty());
  bus.AddListener(&a, [&](const cmcEvent&) { bus.AnswerValues(10, 20); });
  bus.AddListener(&b, [&](const cmcEvent& e) {
    if (e.id == ev::QueryListRange) bus.AnswerStr("page");
  });
  const cmcEvAnsList answers = bus.Query(ev::QueryListRange, 1, 2);
  ASSERT_EQ(answers.size(), 2u);
  ASSERT_NE(answers[0].Text(), nullptr);  // b was added last: it runs first
  EXPECT_EQ(*answers[0].Text(), "page");
  EXPECT_EQ(answers[1].a, 10);
  EXPECT_EQ(answers[1].b, 20);
  EXPECT_FALSE(answers[1].HasData());
}

TEST_F(cmcEvManTest, NestedQueryInsideAnAnswerKeepsTheOuterChain) {
  bus.AddListener(&a, [&](const cmcEvent& e) {
    if (e.id == 2) bus.Answer(200);
  });
  bus.AddListener(&b, [&](const cmcEvent& e) {
    if (e.id != 1) return;
    bus.Answer(1);
    const cmcEvAnsList inner = bus.Query(2);
    ASSERT_EQ(inner.size(), 1u);
    bus.Answer(inner[0].a + 1);
  });
  const cmcEvAnsList outer = bus.Query(1);
  ASSERT_EQ(outer.size(), 2u);
  EXPECT_EQ(outer[0].a, 1);
  EXPECT_EQ(outer[1].a, 201);
}

TEST_F(cmcEvManTest, StrayAnswersAreIgnored) {
  bus.Answer(5);
  bus.AnswerData(std::string("x"));
  bus.AddListener(&a, [&](const cmcEvent&) { bus.Answer(9); });  // answers a send: nobody asked
  bus.Send(1);
  bus.Post(1);
  bus.Drain();
  EXPECT_TRUE(bus.Query(4).size() == 1);
}

TEST_F(cmcEvManTest, ParametersAndAnswersArePointerSized) {
  int target = 0;
  const auto ptr = reinterpret_cast<std::intptr_t>(&target);
  std::intptr_t seenP1 = 0, seenP2 = 0;
  bus.AddListener(&a, [&](const cmcEvent& e) {
    seenP1 = e.p1;
    seenP2 = e.p2;
    bus.AnswerValues(e.p2, e.p1);
  });
  const cmcEvAnsList answers = bus.Query(ev::QueryCurrentCell, ptr, ~ptr);
  EXPECT_EQ(seenP1, ptr);
  EXPECT_EQ(seenP2, ~ptr);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(reinterpret_cast<int*>(answers[0].b), &target);
  EXPECT_EQ(answers[0].a, ~ptr);
}

namespace {
// A record that owns its strings, as a sheet's current cell does.
struct CellRecord {
  int id = 0;
  std::string text;
  std::string fontName;
};
}  // namespace

TEST_F(cmcEvManTest, DataBelongsToTheRecordAsATypedCopy) {
  std::vector<std::string> texts;
  std::vector<std::vector<std::uint8_t>> blocks;
  std::vector<CellRecord> cells;
  bus.AddListener(&a, [&](const cmcEvent& e) {
    if (const auto* t = e.Text()) texts.push_back(*t);
    if (const auto* b = e.Block()) blocks.push_back(*b);
    if (const auto* r = e.DataAs<CellRecord>()) cells.push_back(*r);
    if (!e.HasData()) texts.push_back("<none>");
    if (e.mode == cmcEvent::Query && e.id == ev::QueryCurrentCell) {
      bus.AnswerData(CellRecord{12, "answer", "MS Gothic"});
      const std::uint8_t kind = 3;
      bus.AnswerData(&kind, 1);
    }
  });
  {
    std::string text = "GI_Menu";
    std::uint8_t bytes[] = {1, 2, 3};
    bus.PostStr(ev::SubmenuRebuild, 1, 2, text);
    bus.PostBlock(ev::CellSelected, bytes, 3);
    bus.PostData(ev::CellSelected, 0, 0, CellRecord{7, "cell", "font"});
    bus.PostBlock(ev::CellSelected, nullptr, 3);  // no data
    bus.PostBlock(ev::CellSelected, bytes, 0);    // no data
    text.assign("overwritten");                   // the sender reuses its buffers at once
    bytes[0] = 99;
  }
  bus.Drain();
  EXPECT_EQ(texts, (std::vector<std::string>{"GI_Menu", "<none>", "<none>"}));
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], (std::vector<std::uint8_t>{1, 2, 3}));
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0].text, "cell");

  const cmcEvAnsList answers = bus.Query(ev::QueryCurrentCell, 1, 0);
  ASSERT_EQ(answers.size(), 2u);
  ASSERT_NE(answers[0].DataAs<CellRecord>(), nullptr);
  EXPECT_EQ(answers[0].DataAs<CellRecord>()->fontName, "MS Gothic");
  ASSERT_NE(answers[1].Block(), nullptr);
  EXPECT_EQ(*answers[1].Block(), std::vector<std::uint8_t>{3});
}

TEST_F(cmcEvManTest, SelfRemovalAndRemovalOfOneNotYetReached) {
  int aCalls = 0, bCalls = 0, cCalls = 0;
  bus.AddListener(&a, [&](const cmcEvent&) { ++aCalls; });
  bus.AddListener(&b, [&](const cmcEvent&) {
    ++bCalls;
    bus.RemoveListener(&b);  // itself: its closure stays valid until it returns
    bus.RemoveListener(&a);  // one further down: skipped by this delivery
    bus.AddListener(&c, [&](const cmcEvent&) { ++cCalls; });  // behind the walk
  });
  bus.Send(1);
  EXPECT_EQ(bCalls, 1);
  EXPECT_EQ(aCalls, 0);
  EXPECT_EQ(cCalls, 0);
  EXPECT_EQ(bus.ListenerNodeCount(), 1);  // freed once the delivery ended
  bus.Send(1);
  EXPECT_EQ(bCalls, 1);
  EXPECT_EQ(cCalls, 1);
}

TEST_F(cmcEvManTest, NestedLoopDrainDoesNotFreeNodesAnOuterDeliveryWalks) {
  // A listener shows a modal box (a nested event loop) during a send. The
  // bus's 10 ms drain runs inside that loop and delivers a posted event
  // whose listener removes the listeners the outer send has yet to reach.
  // Those nodes must survive until the outer walk is done.
  std::vector<std::string> order;
  auto* victim1 = new int(1);
  auto* victim2 = new int(2);
  bus.AddListener(victim1,
                  [&](const cmcEvent& e) { order.push_back("victim1:" + std::to_string(e.id)); });
  bus.AddListener(victim2,
                  [&](const cmcEvent& e) { order.push_back("victim2:" + std::to_string(e.id)); });
  bus.AddListener(&b, [&](const cmcEvent& e) {
    if (e.id != ev::LanguageChanged) return;
    order.push_back("remover");
    bus.RemoveListener(victim1);
    bus.RemoveListener(victim2);
  });
  bus.AddListener(&a, [&](const cmcEvent& e) {
    if (e.id != ev::ShowMainForm) return;
    order.push_back("modal");
    bus.Post(ev::LanguageChanged);
    kwtest::PumpUntil([&] { return bus.QueuedCount() == 0; });
    EXPECT_EQ(bus.DeliveryDepth(), 1);
    EXPECT_EQ(bus.ListenerNodeCount(), 4);  // marked, not freed
  });
  bus.Send(ev::ShowMainForm);
  EXPECT_EQ(order, (std::vector<std::string>{"modal", "remover"}));
  EXPECT_EQ(bus.ListenerNodeCount(), 2);
  delete victim1;
  delete victim2;
}

TEST_F(cmcEvManTest, NestedLoopDrainDoesNotFreeTheNodeTheOuterDeliveryStandsOn) {
  // As above, but the listener removed inside the nested loop is the one
  // whose box is showing: the outer walk stands on its node and goes on from
  // it once the box closes. Freeing it in the nested drain would leave the
  // walk (and the running closure) on freed memory.
  int modalCalls = 0;
  int laterCalls = 0;
  bus.AddListener(&c, [&](const cmcEvent& e) {
    if (e.id == ev::ShowMainForm) ++laterCalls;
  });
  bus.AddListener(&b, [&](const cmcEvent& e) {
    if (e.id == ev::LanguageChanged) bus.RemoveListener(&a);
  });
  bus.AddListener(&a, [&](const cmcEvent& e) {
    if (e.id != ev::ShowMainForm) return;
    ++modalCalls;
    bus.Post(ev::LanguageChanged);
    ASSERT_TRUE(kwtest::PumpUntil([&] { return bus.QueuedCount() == 0; }));
    EXPECT_EQ(bus.ListenerNodeCount(), 3);       // marked, not freed
    rec.calls.push_back("closure still alive");  // touches the running closure's captures
  });
  bus.Send(ev::ShowMainForm);
  EXPECT_EQ(modalCalls, 1);
  EXPECT_EQ(laterCalls, 1);  // the walk went on past the removed node
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"closure still alive"}));
  EXPECT_EQ(bus.ListenerNodeCount(), 2);
  bus.Send(ev::ShowMainForm);
  EXPECT_EQ(modalCalls, 1);
  EXPECT_EQ(laterCalls, 2);
}

TEST_F(cmcEvManTest, DestructionDropsQueuedEventsUndelivered) {
  int calls = 0;
  {
    cmcEvMan local;
    local.AddListener(&a, [&](const cmcEvent&) { ++calls; });
    local.Post(1);
    local.PostStr(2, 0, 0, "x");
  }
  kwtest::PumpUntil([] { return true; });
  EXPECT_EQ(calls, 0);
}

TEST(cmcEvManGlobalTest, ScopedBusIsTheProgramsBus) {
  EXPECT_EQ(EvManIfInstalled(), nullptr);
  {
    ScopedEvMan outer;
    EXPECT_EQ(&EvMan(), &outer.Bus());
    {
      ScopedEvMan inner;
      EXPECT_EQ(&EvMan(), &inner.Bus());
    }
    EXPECT_EQ(&EvMan(), &outer.Bus());
  }
  EXPECT_EQ(EvManIfInstalled(), nullptr);
}

TEST(cmcEvManDeathTest, UsingTheBusBeforeItIsBuiltIsFatal) {
  EXPECT_EXIT(EvMan().Send(1), ::testing::ExitedWithCode(3), "Event manager is not built !");
}
