// kw-test: link=radioemu
// The clone manager's end of a run: handlers, the one error box, events
// 41-43, the final closure, the busy rule and the progress window.
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "CloneManFixture.h"
#include "FakeSerialDevice.h"

namespace clonetest {
namespace {

class CloneManEvents : public CloneManFixture {};

TEST_F(CloneManEvents, FailedIdentificationReportsInOrder) {
  env_->ComPort = 9;  // nothing behind it
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  EXPECT_TRUE(man_->IsBusy());
  EXPECT_EQ(man_->StartIdentify(Record(out)), 0);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(journal_.entries, (std::vector<std::string>{"41", "box", "43", "42(0)", "closure"}));
  EXPECT_EQ(out.code, 2);
  EXPECT_EQ(out.mode, 1);
  ASSERT_EQ(journal_.boxes.size(), 1u);
  EXPECT_EQ(BoxText(), QString::fromStdString("Cannot access COM 9.\n\n" + kCheck03));
  EXPECT_EQ(journal_.boxes[0].caption, "KW-3700");
  EXPECT_EQ(journal_.boxes[0].flags, platform::mb::IconError);
  EXPECT_EQ(progress_.opened, 0);  // identification shows no window
}

// A port the system refuses to this user: the box names the group that
// owns the device, the one to join.
TEST_F(CloneManEvents, APortRefusedToTheUserNamesItsGroup) {
  auto line = std::make_shared<kwtest::FakeLine>();
  line->failOpen = true;
  line->openError = EACCES;
  const std::string device = dir_.FileStd("refused-device");
  QFile file(QString::fromStdString(device));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ASSERT_TRUE(env_->Store().WriteString(std::string(indEnviron::kKeyPath) + "\\Ports", "COM9", device));
  man_ = std::make_unique<indCloneMan>(*env_, texts_, std::make_unique<kwtest::FakeSerialDevice>(line));
  man_->SetModel(kModelWord, 0);
  man_->SetImageSize(kImageSize);
  env_->ComPort = 9;
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 2);
  ASSERT_EQ(journal_.boxes.size(), 1u);
  const QString group = QFileInfo(QString::fromStdString(device)).group();
  ASSERT_FALSE(group.isEmpty());
  EXPECT_TRUE(BoxText().endsWith(QStringLiteral("add the user to the group \"%1\" and log in again.").arg(group)))
      << BoxText().toStdString();
  EXPECT_TRUE(BoxText().startsWith(QStringLiteral("Cannot access COM 9.")));
}

TEST_F(CloneManEvents, TheBoxBelongsToTheActiveWindowElseTheMainWindow) {
  env_->ComPort = 9;
  QObject mainWindow;
  QObject dialog;
  man_->SetMainWindow(&mainWindow);
  for (QObject* active : {&dialog, static_cast<QObject*>(nullptr)}) {
    SCOPED_TRACE(active ? "a dialog is active" : "nothing is active");
    progress_.active = active;
    journal_.boxes.clear();
    Outcome out;
    ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(journal_.boxes.size(), 1u);
    EXPECT_EQ(journal_.boxes[0].owner, active ? active : &mainWindow);
  }
}

TEST_F(CloneManEvents, GoodReadEndsWithoutABox) {
  Outcome out;
  man_->SetReadHandler([](dst_CDrv_Result&) {});
  ASSERT_EQ(man_->StartRead(Range(0, 0xFFF), Adopt(out)), 1);
  EXPECT_EQ(man_->TotalBytes(), 0x1000);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(journal_.entries, (std::vector<std::string>{"43", "42(1)", "closure"}));
  EXPECT_EQ(out.code, 0);
  EXPECT_TRUE(MemoryEquals(document_, 0xFFF));
}

TEST_F(CloneManEvents, MissingHandlersGiveTheirCodes) {
  struct Case {
    bool read;
    int code;
    const char* head;
  };
  for (const Case& c :
       {Case{false, 11, "Illegal information."}, Case{true, 8, "There is not enough data."}}) {
    SCOPED_TRACE(c.code);
    journal_.entries.clear();
    journal_.boxes.clear();
    document_.Fill(0x5A);
    const cmcEeprom before = document_;
    Outcome out;
    ASSERT_EQ(
        c.read ? man_->StartRead(Range(0, 0x3FF), Adopt(out)) : man_->StartIdentify(Adopt(out)), 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(out.code, c.code);
    ASSERT_EQ(journal_.boxes.size(), 1u);
    EXPECT_TRUE(BoxText().startsWith(c.head)) << BoxText().toStdString();
    EXPECT_TRUE(document_ == before);
  }
}

TEST_F(CloneManEvents, HandlersSeeTheResultFirstAndMayChangeTheCode) {
  std::vector<std::uint8_t> info;
  man_->SetIdentifyHandler([&](dst_CDrv_Result& r) {
    journal_.entries.push_back("handler");
    info.assign(r.tail.Data(), r.tail.Data() + r.tail.Length());
    r.code = 13;
  });
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(journal_.entries,
            (std::vector<std::string>{"41", "handler", "box", "43", "42(0)", "closure"}));
  EXPECT_EQ(out.code, 13);
  ASSERT_EQ(info.size(), 45u);
  EXPECT_EQ(info[0], 45);
  EXPECT_EQ(info[1], 3);
  EXPECT_EQ(BoxText(),
            "Transceiver version does not match.\n\n"
            "The transceiver cannot be programmed with the current setting.");
}

TEST_F(CloneManEvents, SuppressHidesOneBoxThenClears) {
  env_->ComPort = 9;
  man_->SetSuppressMessage(true);
  Outcome first;
  ASSERT_EQ(man_->StartIdentify(Record(first)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(first.code, 2);
  EXPECT_TRUE(journal_.boxes.empty());
  EXPECT_FALSE(man_->SuppressMessage());
  Outcome second;
  ASSERT_EQ(man_->StartIdentify(Record(second)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(journal_.boxes.size(), 1u);
}

TEST_F(CloneManEvents, CodesWithoutATextShowCodeOnesText) {
  // The handler sets codes the table has no value for: the box shows
  // "Cannot Clone." and the closure still gets the code as it was.
  for (int code : {18, -1, 1000}) {
    SCOPED_TRACE(code);
    journal_.entries.clear();
    journal_.boxes.clear();
    man_->SetIdentifyHandler([code](dst_CDrv_Result& r) { r.code = code; });
    Outcome out;
    ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(out.code, code);
    EXPECT_EQ(BoxText(), QString::fromStdString("Cannot Clone.\n\n" + kCheck03));
    EXPECT_EQ(journal_.entries.at(3), "42(0)");
  }
}

TEST_F(CloneManEvents, StartsDuringTheBoxAreRefusedAndTheClosureIsKept) {
  env_->ComPort = 9;
  int refused = 0;
  journal_.onBox = [&] {
    // The engine is idle already, but the run is not over yet.
    EXPECT_TRUE(man_->IsBusy());
    Outcome other;
    refused += man_->StartIdentify(Record(other)) == 0;
    refused += man_->StartRead(Pairs(0, 0xFF), Record(other)) == 0;
    EXPECT_FALSE(other.called);
  };
  Outcome out;
  ASSERT_EQ(man_->StartIdentify(Record(out)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(refused, 2);
  EXPECT_TRUE(out.called);
  EXPECT_EQ(out.code, 2);
  EXPECT_EQ(man_->Mode(), 1);
  EXPECT_EQ(std::count(journal_.entries.begin(), journal_.entries.end(), "41"), 1);
}

TEST_F(CloneManEvents, StartsWhileRunningChangeNothing) {
  Outcome out;
  man_->SetReadHandler([](dst_CDrv_Result&) {});
  ASSERT_EQ(man_->StartRead(Range(0, 0x7FF), Record(out)), 1);
  Outcome other;
  EXPECT_EQ(man_->StartIdentify(Record(other)), 0);
  EXPECT_EQ(man_->StartRead(Pairs(0, 0xFFFF), Record(other)), 0);
  cmcEeprom image;
  image.SetSize(kImageSize);
  EXPECT_EQ(man_->StartWrite(image, Pairs(0, 0xFF), Record(other)), 0);
  EXPECT_EQ(man_->Mode(), 2);
  EXPECT_EQ(man_->TotalBytes(), 0x800);
  EXPECT_EQ(progress_.opened, 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 0);
  EXPECT_FALSE(other.called);
  EXPECT_EQ(std::count(journal_.entries.begin(), journal_.entries.end(), "41"), 0);
}

TEST_F(CloneManEvents, TheFinalClosureMayStartTheNextRun) {
  man_->SetIdentifyHandler([](dst_CDrv_Result&) {});
  man_->SetReadHandler([](dst_CDrv_Result&) {});
  Outcome read;
  int started = -1;
  Outcome id;
  ASSERT_EQ(man_->StartIdentify(Record(id,
                                       [&](dst_CDrv_Result& r) {
                                         if (r.code == 0)
                                           started = man_->StartRead(Range(0, 0xFFF), Adopt(read));
                                       })),
            1);
  // A failed identification starts no read: stop there instead of waiting.
  ASSERT_TRUE(Pump([&] { return read.called || (id.called && id.code != 0); }));
  EXPECT_EQ(started, 1);
  EXPECT_EQ(id.code, 0);
  EXPECT_EQ(read.code, 0);
  EXPECT_TRUE(MemoryEquals(document_, 0xFFF));
  EXPECT_EQ(journal_.entries,
            (std::vector<std::string>{"41", "43", "42(1)", "closure", "43", "42(1)", "closure"}));
}

TEST_F(CloneManEvents, OneProgressWindowPerRunClosedAfterThePaintTaskStops) {
  bool paintRunningAtClose = true;
  progress_.onClose = [&] { paintRunningAtClose = man_->IsPaintTaskRunning(); };
  QObject mainWindow;
  man_->SetMainWindow(&mainWindow);
  man_->SetReadHandler([](dst_CDrv_Result&) {});
  Outcome out;
  ASSERT_EQ(man_->StartRead(Range(0, 0x1FFF), Record(out)), 1);
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.open, 1);
  EXPECT_EQ(progress_.lastMain, &mainWindow);
  EXPECT_TRUE(man_->IsProgressShown());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.open, 0);
  EXPECT_FALSE(man_->IsProgressShown());
  EXPECT_FALSE(paintRunningAtClose);
  EXPECT_GE(progress_.updates, 1);
  EXPECT_EQ(progress_.lastTotal, 0x2000);
  // Nothing paints after the window is gone.
  const int updates = progress_.updates;
  Pump([] { return false; }, 200);
  EXPECT_EQ(progress_.updates, updates);
}

TEST_F(CloneManEvents, DestroyedMidRunClosesThePortAndCallsNothing) {
  man_->SetReadHandler([&](dst_CDrv_Result&) { ADD_FAILURE() << "handler after destruction"; });
  Outcome out;
  ASSERT_EQ(man_->StartRead(Range(0, kLastCloneAddress), Record(out)), 1);
  ASSERT_TRUE(Pump([this] { return progress_.lastData > 0; }));
  EXPECT_TRUE(man_->Engine().Port().IsOpen());
  man_.reset();
  EXPECT_EQ(progress_.open, 0);
  Pump([] { return false; }, 300);
  EXPECT_FALSE(out.called);
  EXPECT_TRUE(journal_.boxes.empty());
  // The device is free again: a new manager reads through it.
  StartRadio();
  man_ = std::make_unique<indCloneMan>(*env_, texts_);
  man_->SetModel(kModelWord, 0);
  man_->SetImageSize(kImageSize);
  man_->SetReadHandler([](dst_CDrv_Result&) {});
  Outcome again;
  ASSERT_EQ(man_->StartRead(Range(0, 0xFFF), Adopt(again)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(again.code, 0);
}

TEST_F(CloneManEvents, DestroyedFromItsOwnCallbacks) {
  struct Case {
    const char* where;
    bool inHandler;
  };
  for (const Case& c : {Case{"identify handler", true}, Case{"final closure", false}}) {
    SCOPED_TRACE(c.where);
    journal_.entries.clear();
    journal_.boxes.clear();
    man_ = std::make_unique<indCloneMan>(*env_, texts_);
    man_->SetModel(kModelWord, 0);
    man_->SetImageSize(kImageSize);
    Outcome out;
    man_->SetIdentifyHandler([&](dst_CDrv_Result& r) {
      r.code = 5;
      if (c.inHandler) man_.reset();
    });
    ASSERT_EQ(man_->StartIdentify(Record(out, [&](dst_CDrv_Result&) { man_.reset(); })), 1);
    ASSERT_TRUE(Pump([&] { return !man_; }));
    Pump([] { return false; }, 100);  // the engine goes on the next turn of the loop
    if (c.inHandler) {
      EXPECT_EQ(journal_.entries, (std::vector<std::string>{"41"}));
      EXPECT_FALSE(out.called);
    } else {
      EXPECT_EQ(journal_.entries,
                (std::vector<std::string>{"41", "box", "43", "42(0)", "closure"}));
    }
  }
  // The port is free for the next manager.
  man_ = std::make_unique<indCloneMan>(*env_, texts_);
  man_->SetModel(kModelWord, 0);
  man_->SetIdentifyHandler(ControllerIdentify);
  Outcome again;
  ASSERT_EQ(man_->StartIdentify(Record(again)), 1);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(again.code, 0);
}

}  // namespace
}  // namespace clonetest
