// kw-test: gui
// kw-test: link=radioemu
// kw-test: slow
// kw-test: link=Qt6::Test
// Clone read, write and information as a user meets them: the real main
// window (settings destination 5) and its menu and tool bar, the emulated
// radio on a pseudo-terminal as COM 7, scripted message boxes. Time-outs
// pass on the manual clock. Every failed run shows one message and leaves
// the document, the settings and the radio as they were.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QThread>

#include "RadioEmulator.h"
#include "app/CloneProgressWindow.h"
#include "app/ImagePasses.h"
#include "cells/names/CellNames.h"
#include "clone/cmcCloneDrv.h"
#include "clone/cmcComm.h"
#include "clone/indCloneMan.h"
#include "core/EventIds.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"
#include "sheet/cuiInformation.h"
#include "tests/app/DocumentRig.h"

namespace {

namespace mb = platform::mb;
using radioemu::Fault;
using radioemu::RadioEmulator;

const char kMarkerName[] = "MARKER";
constexpr std::uint8_t kMarkerByte = 0xA5;
// Settings bytes a radio of destination 0 keeps its own (the initial image
// of destination 0 does not give them).
constexpr std::int64_t kRadioOwnBytes[] = {170657, 170717, 170718, 172670, 172671};
constexpr std::int64_t kInfoFlagByte = 170870;
constexpr std::int64_t kCommentAddress = 0xC9C0;
const QString kNoAnswer = QStringLiteral(
    "No answer from transceiver.\n\nCheck the following:\n - The COM port settings.\n"
    " - Cable connections.\n - Transceiver power is ON.");

// One frame the program sent: the FE bytes before it and its command.
struct SentFrame {
  int preamble;
  std::uint8_t command;
};

class CloneCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.env->ComPort = 7;
    rig_.env->ComSpeedHigh = 1;
    rig_.env->TransType = 0;
    StartRadio(3, 5, 0x00);
    rig_.Build();
    // The engine steps every millisecond and the port hands bytes over
    // without modelling the wire's time: whole images move in little time.
    Main().CloneMan().Engine().SetTickInterval(1);
    Main().CloneMan().Engine().Port().SetLineModel(false);
    rig_.bus->AddListener(this, [this](const cmcEvent& e) {
      if (e.id == ev::CheckDestination) ++checkEvents_;
      if (e.id == ev::CloseSetupDialog) ++setupEvents_;
    });
  }
  void TearDown() override {
    rig_.bus->RemoveListener(this);
    // The controller closes its port before the radio goes.
    rig_.TakeDown();
    if (radio_) radio_->Stop();
  }

  indMain& Main() { return *rig_.main; }

  // A fresh radio of a layout revision and destination on a new pty, as
  // COM 7: the default image of its destination at its revision with a
  // channel named MARKER and (revision 3) the marker byte in the settings a
  // radio keeps of its own.
  void StartRadio(int revision, std::uint8_t destination, std::uint8_t flags) {
    if (radio_) radio_->Stop();
    radio_ = std::make_unique<RadioEmulator>(revision);
    ASSERT_TRUE(radio_->Start());
    cmcEeprom image = kwtest::DefaultDocumentImage(destination);
    datCh ch(&image);
    ch.Load(itemkind::kChannel, 0);
    ch.name.fill(' ');
    std::copy(kMarkerName, kMarkerName + 6, ch.name.begin());
    ch.flags |= datCh::kUsed;
    ASSERT_TRUE(ch.StoreSelf());
    if (revision == 3)
      for (std::int64_t a : kRadioOwnBytes) image.SetByte(a, kMarkerByte);
    const cmcEeprom atRevision = kwtest::AtRevision(image, revision);
    radio_->SetMemory(std::vector<std::uint8_t>(atRevision.Data(),
                                                atRevision.Data() + atRevision.GetSize()));
    std::vector<std::uint8_t> info(kRadioInformationSize, 0x20);
    info[kRadioInfoLengthByte] = kRadioInformationSize;
    info[kRadioInfoRevisionByte] = static_cast<std::uint8_t>(revision);
    info[kRadioInfoDestinationByte] = destination;
    info[19] = 0;
    info[kRadioInfoVariantByte] = kRadioInfoVariantBit;  // first flag 1, as the settings
    info[21] = 0;
    info[kRadioInfoFlagsByte] = flags;
    ASSERT_TRUE(radio_->SetInfo(info));
    ASSERT_TRUE(rig_.env->Store().WriteString(std::string(indEnviron::kKeyPath) + "\\Ports",
                                              "COM7", radio_->SlavePath()));
  }

  // Runs the event loop until the clone runs are over. The manual clock
  // follows real time while bytes move (also bytes on their way through the
  // pty, which a loaded machine passes on late) and jumps once the line has
  // been quiet for a while, so time-outs pass at once.
  bool RunClone() {
    indCloneMan& man = Main().CloneMan();
    QElapsedTimer real;
    real.start();
    int quiet = 0;
    int lastInQueue = -1;
    std::int64_t settled = 0;
    std::int64_t lastBalance = 0;
    int stuck = 0;
    while (man.IsBusy()) {
      if (real.elapsed() > 120000) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
      QThread::msleep(1);
      cmcComm& port = man.Engine().Port();
      const int inQueue = port.InQueue();
      const bool still = inQueue == lastInQueue;
      lastInQueue = inQueue;
      const std::int64_t balance = man.Engine().BytesMoved() - port.TransmitQueueLength() +
                                   port.InQueue() - radio_->BytesTaken() - radio_->BytesSent();
      if (!port.IsOpen()) settled = balance;
      stuck = balance == lastBalance ? stuck + 1 : 0;
      lastBalance = balance;
      if (stuck > 3000) settled = balance;  // bytes dropped unread at an open
      quiet = !radio_->IsQuiet() || !still || balance != settled ? 0 : quiet + 1;
      rig_.clock.Advance(quiet > 30 ? 50 : 1);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return true;
  }

  std::vector<SentFrame> SentFrames() const {
    std::vector<SentFrame> frames;
    int preamble = 0;
    std::vector<std::uint8_t> body;
    for (const radioemu::WireSegment& segment : radio_->WireLog()) {
      for (std::uint8_t b : segment.bytes) {
        if (b == 0xFE && body.empty()) {
          ++preamble;
        } else if (b == 0xFD) {
          if (body.size() >= 3) frames.push_back({preamble, body[2]});
          preamble = 0;
          body.clear();
        } else {
          body.push_back(b);
        }
      }
    }
    return frames;
  }
  int CountSent(std::uint8_t command) const {
    int n = 0;
    for (const SentFrame& f : SentFrames()) n += f.command == command;
    return n;
  }
  // Identifications before the first write request.
  int IdentifiesBeforeWrite() const {
    int n = 0;
    for (const SentFrame& f : SentFrames()) {
      if (f.command == 0xE3) return n;
      n += f.command == 0xE0;
    }
    return -1;
  }

  bool RadioHolds(const cmcEeprom& image, std::int64_t last) const {
    const std::vector<std::uint8_t> memory = radio_->Memory();
    return std::equal(image.Data(), image.Data() + last + 1, memory.begin());
  }

  QString BoxText(std::size_t i) const {
    return i < rig_.boxes.Count() ? rig_.boxes.Shown()[i].text : QString();
  }

  struct Snapshot {
    cmcEeprom image;
    std::string name;
    bool modified;
    std::uint32_t revision;
    dst_EtcData destination;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() {
    return {Main().Image(), Main().FileName(), Main().ModifiedFlag(), Main().DocumentRevision(),
            rig_.env->EtcData};
  }

  kwtest::DocumentRig rig_;
  std::unique_ptr<RadioEmulator> radio_;
  int checkEvents_ = 0;
  int setupEvents_ = 0;
};

// --- read -------------------------------------------------------------------

TEST_F(CloneCommandsTest, ReadTakesTheRadiosImageUntitled) {
  rig_.Press(CL_Menu_Clone_Read);
  ASSERT_TRUE(RunClone());
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  EXPECT_TRUE(Main().IsUntitled());
  EXPECT_TRUE(Main().IsModified());
  EXPECT_EQ(Main().DocumentRevision(), 3u);
  EXPECT_EQ(rig_.window->windowTitle(), QStringLiteral("Untitled - KW-3700"));
  datCh ch(&Main().Image());
  ch.Load(itemkind::kChannel, 0);
  EXPECT_EQ(std::string(ch.name.data(), 6), kMarkerName);
  EXPECT_EQ(CountSent(0xE0), 1);
  EXPECT_EQ(CountSent(0xE2), 1);
  EXPECT_TRUE(rig_.window->isEnabled());
}

TEST_F(CloneCommandsTest, ReadOfAnOldRadioConvertsIt) {
  StartRadio(2, 5, 0x00);
  rig_.Press(CL_Menu_Clone_Read, true);
  ASSERT_TRUE(RunClone());
  EXPECT_EQ(Main().DocumentRevision(), 2u);
  EXPECT_EQ(rig_.window->windowTitle(), QStringLiteral("Untitled [Old Form] - KW-3700"));
  EXPECT_EQ(Main().Image().GetByte(layout::kLayoutByte), 3);
  datCh ch(&Main().Image());
  ch.Load(itemkind::kChannel, 0);
  EXPECT_EQ(std::string(ch.name.data(), 6), kMarkerName);
}

// A radio of destination 0: without the user's agreement nothing is read;
// with it the radio is identified again, read, and the settings take its
// destination and flags before the image is loaded.
TEST_F(CloneCommandsTest, ReadOfAnotherDestinationTakesItOnlyWhenAgreed) {
  StartRadio(3, 0, kRadioInfoFirstFlagBit);
  const Snapshot before = Take();
  rig_.boxes.Answer(mb::IdCancel);
  rig_.Press(CL_Menu_Clone_Read);
  ASSERT_TRUE(RunClone());
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(CountSent(0xE0), 1);
  EXPECT_EQ(CountSent(0xE2), 0);
  EXPECT_TRUE(Take() == before);

  radio_->ClearWireLog();
  rig_.boxes.Clear();
  rig_.boxes.Answer(mb::IdOk);
  rig_.Press(CL_Menu_Clone_Read);
  ASSERT_TRUE(RunClone());
  EXPECT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(CountSent(0xE0), 2);
  EXPECT_EQ(CountSent(0xE2), 1);
  EXPECT_EQ(rig_.env->EtcData.destination, 0u);
  EXPECT_EQ(rig_.env->EtcData.secondFlag, 1);
  const cmcEeprom& image = Main().Image();
  EXPECT_NE(image.GetByte(kInfoFlagByte) & 0x08, 0);
  for (std::int64_t a : kRadioOwnBytes) EXPECT_EQ(image.GetByte(a), kMarkerByte) << a;
  const cmcEeprom initial0 = imagepass::BuildInitialImage(Main().SettingsDestination(), true);
  EXPECT_TRUE(std::equal(initial0.Data() + layout::kBandDefaults,
                         initial0.Data() + layout::kBandDefaults + layout::kBandDefaultBytes,
                         image.Data() + layout::kBandDefaults));
  EXPECT_EQ(Main().InitialImage(), initial0);
}

// Every radio fault: the manager's one message, nothing changed, the main
// form enabled again.
TEST_F(CloneCommandsTest, AFailedReadChangesNothing) {
  struct Case {
    const char* name;
    std::function<void(RadioEmulator&)> setUp;
    const char* head;
  };
  const std::vector<Case> cases = {
      {"silent", [](RadioEmulator& r) { r.SetFault(Fault::Silence); },
       "No answer from transceiver."},
      {"bad checksum", [](RadioEmulator& r) { r.SetFault(Fault::BadChecksum, 40); },
       "Illegal data."},
      {"wrong count", [](RadioEmulator& r) { r.SetFault(Fault::WrongEndCount); },
       "Data counter error."},
      {"other model", [](RadioEmulator& r) { r.SetFault(Fault::OtherModelWord); },
       "No answer from transceiver."},
      {"other version", [](RadioEmulator& r) { r.SetModelWords(0x3484, 0x0002); },
       "Connected transceiver is not compatible model."},
      {"short information",
       [](RadioEmulator& r) {
         std::vector<std::uint8_t> info(44, 0x20);
         info[0] = 44;
         info[1] = 3;
         r.SetInfo(info);
       },
       "Illegal information."},
      {"revision 4", [](RadioEmulator& r) { r.SetInfoByte(kRadioInfoRevisionByte, 4); },
       "Connected transceiver is not compatible model."},
      // Codes above 15 name no band plan: never taken into the settings.
      {"destination 20", [](RadioEmulator& r) { r.SetInfoByte(kRadioInfoDestinationByte, 20); },
       "Connected transceiver is not compatible model."},
      {"damaged image",
       [](RadioEmulator& r) {
         std::vector<std::uint8_t> memory = r.Memory();
         memory[layout::kLayoutByte] = 7;
         r.SetMemory(memory);
       },
       "Illegal data."},
      // About 75 bytes a data frame after the identification and E8.
      {"silent after frame 100", [](RadioEmulator& r) { r.SetFault(Fault::Disconnect, 0, 7800); },
       "No answer from transceiver."},
  };
  Main().Image().SetByte(kCommentAddress, 'X');  // a document of its own
  Main().SetModified();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The radio's information flags differ from the settings': a read that
    // fails after its identification must not take them either.
    StartRadio(3, 5, kRadioInfoFirstFlagBit | kRadioInfoSecondFlagBit);
    c.setUp(*radio_);
    rig_.boxes.Clear();
    rig_.boxes.Answer(mb::IdNo);  // keep the modified document unsaved
    rig_.boxes.Answer(mb::IdOk);
    const Snapshot before = Take();
    rig_.Press(CL_Menu_Clone_Read);
    ASSERT_TRUE(RunClone());
    ASSERT_EQ(rig_.boxes.Count(), 2u);
    EXPECT_TRUE(BoxText(1).startsWith(QString::fromLatin1(c.head) + "\n\n")) << BoxText(1).toStdString();
    if (std::string(c.head) == "No answer from transceiver.") {
      EXPECT_EQ(BoxText(1), kNoAnswer);
    }
    EXPECT_EQ(rig_.boxes.Last().flags & 0xF0u, mb::IconError);
    EXPECT_TRUE(Take() == before);
    EXPECT_TRUE(rig_.window->isEnabled());
  }
}

// --- write ------------------------------------------------------------------

TEST_F(CloneCommandsTest, WriteIdentifiesThreeTimesAndSendsThePreparedImage) {
  Main().Image().SetByte(kCommentAddress, 'X');
  Main().SetModified();
  cmcEeprom expected = Main().Image();
  Main().NormalizeImage(expected);
  Main().PrepareWriteImage(expected);
  rig_.boxes.Answer(mb::IdOk);
  rig_.boxes.Answer(mb::IdOk);
  rig_.Press(CL_Menu_Clone_Write);
  ASSERT_TRUE(RunClone());
  ASSERT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_EQ(BoxText(0), QStringLiteral("Write the data to the transceiver?"));
  EXPECT_EQ(rig_.boxes.Shown()[0].flags, mb::OkCancel | mb::IconWarning);
  EXPECT_EQ(BoxText(1), QStringLiteral("Writing to the transceiver is complete."));
  EXPECT_EQ(rig_.boxes.Shown()[1].flags, mb::Ok | mb::IconInformation);
  EXPECT_EQ(IdentifiesBeforeWrite(), 3);
  EXPECT_EQ(CountSent(0xE3), 1);
  EXPECT_TRUE(RadioHolds(expected, layout::kCloneLast));
  EXPECT_TRUE(rig_.window->isEnabled());
}

TEST_F(CloneCommandsTest, AnOldRadioGetsItsOwnLayout) {
  StartRadio(2, 5, 0x00);
  cmcEeprom expected = Main().Image();
  Main().NormalizeImage(expected);
  Main().PrepareWriteImage(expected);
  const cmcEeprom expected2 = kwtest::AtRevision(expected, 2);
  rig_.boxes.Answer(mb::IdOk);
  rig_.boxes.Answer(mb::IdOk);
  rig_.Press(CL_Menu_Clone_Write, true);
  ASSERT_TRUE(RunClone());
  ASSERT_EQ(rig_.boxes.Count(), 2u);
  EXPECT_TRUE(BoxText(0).startsWith(QStringLiteral(
      "The transceiver uses the old format 1.10: data it cannot hold is not written.\n"
      "Write the data to the transceiver?")))
      << BoxText(0).toStdString();
  EXPECT_TRUE(RadioHolds(expected2, 0x242BF));
}

TEST_F(CloneCommandsTest, ThePreambleBitPutsEightFeBeforeEveryDataFrame) {
  std::vector<int> preambles;
  for (std::uint8_t flags : {std::uint8_t{0}, kRadioInfoPreambleBit}) {
    StartRadio(3, 5, flags);
    rig_.boxes.Answer(mb::IdOk);
    rig_.boxes.Answer(mb::IdOk);
    rig_.Press(CL_Menu_Clone_Write);
    ASSERT_TRUE(RunClone());
    int dataFrames = 0;
    int fe = 0;
    for (const SentFrame& f : SentFrames())
      if (f.command == 0xE4) {
        ++dataFrames;
        fe += f.preamble;
      }
    ASSERT_GT(dataFrames, 0);
    EXPECT_EQ(fe % dataFrames, 0);
    preambles.push_back(fe / dataFrames);
  }
  EXPECT_EQ(preambles[1] - preambles[0], 8);
}

// Nothing reaches the radio when the user cancels, the data has errors, the
// radio is swapped between the stages or says nothing.
TEST_F(CloneCommandsTest, AWriteThatStopsSendsNothing) {
  struct Case {
    const char* name;
    std::vector<int> answers;
    bool errors;
    bool swap;
    bool silent;
    const char* lastBox;
  };
  const Case cases[] = {
      {"cancelled", {mb::IdCancel}, false, false, false, "Write the data to the transceiver?"},
      {"errors", {mb::IdOk}, true, false, false,
       "Some settings are marked as errors.\nCorrect them before writing to the transceiver."},
      {"swapped", {mb::IdOk, mb::IdOk}, false, true, false,
       "Transceiver version does not match.\n\nThe transceiver cannot be programmed with the "
       "current setting."},
      {"silent", {mb::IdOk}, false, false, true, "No answer from transceiver."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartRadio(3, 5, 0x00);
    Main().Image() = Main().InitialImage();
    Main().SetModified();
    if (c.errors) {
      datCh ch(&Main().Image());
      ch.Load(itemkind::kChannel, 3);
      ch.flags |= datCh::kUsed;
      ch.freq = 600000000;
      ASSERT_TRUE(ch.StoreSelf());
    }
    if (c.silent) radio_->SetFault(Fault::Silence);
    int identified = 0;
    rig_.bus->AddListener(&identified, [&](const cmcEvent& e) {
      if (e.id == ev::CloneRunEnded && ++identified == 1 && c.swap)
        radio_->SetInfoByte(kRadioInfoDestinationByte, 0);
    });
    const std::vector<std::uint8_t> memory = radio_->Memory();
    const Snapshot before = Take();
    rig_.boxes.Clear();
    for (int a : c.answers) rig_.boxes.Answer(a);
    rig_.Press(CL_Menu_Clone_Write);
    ASSERT_TRUE(RunClone());
    rig_.bus->RemoveListener(&identified);
    ASSERT_EQ(rig_.boxes.Count(), c.answers.size());
    EXPECT_TRUE(BoxText(c.answers.size() - 1).startsWith(QString::fromLatin1(c.lastBox)))
        << BoxText(c.answers.size() - 1).toStdString();
    EXPECT_EQ(CountSent(0xE3), 0);
    EXPECT_EQ(radio_->Memory(), memory);
    EXPECT_TRUE(Take() == before);
    EXPECT_TRUE(rig_.window->isEnabled());
  }
}

// --- information ------------------------------------------------------------

cuiInformation* OpenInformation() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* info = dynamic_cast<cuiInformation*>(w); info && info->isVisible()) return info;
  return nullptr;
}

TEST_F(CloneCommandsTest, InformationShowsTheDialogUntilItIsClosed) {
  enum class End { Enter, Ok, CloseBox };
  for (End end : {End::Enter, End::Ok, End::CloseBox}) {
    SCOPED_TRACE(static_cast<int>(end));
    rig_.Press(CL_Menu_Clone_Info, end == End::Ok);
    ASSERT_TRUE(RunClone());
    EXPECT_EQ(rig_.boxes.Count(), 0u);
    QPointer<cuiInformation> info = OpenInformation();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->parentWidget(), nullptr);
    EXPECT_FALSE(rig_.window->isEnabled());
    EXPECT_FALSE(rig_.window->CloseAllowed());
    EXPECT_TRUE(info->isEnabled());
    EXPECT_TRUE(info->OkButton()->isEnabled());
    EXPECT_TRUE(info->OkButton()->hasFocus());
    EXPECT_EQ(info->windowTitle(), QStringLiteral("KW-3700"));
    switch (end) {
      case End::Enter: QTest::keyClick(info.data(), Qt::Key_Return); break;
      case End::Ok: info->OkButton()->click(); break;
      case End::CloseBox: info->close(); break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(info.isNull());
    EXPECT_TRUE(rig_.window->isEnabled());
    EXPECT_TRUE(rig_.window->isActiveWindow() || QApplication::activeWindow() == nullptr);
  }
  EXPECT_EQ(CountSent(0xE0), 3);
  EXPECT_EQ(CountSent(0xE2), 0);
}

// Behind the setup dialog the answer goes to the dialog instead.
TEST_F(CloneCommandsTest, InformationForTheSetupDialogSendsItsEvent) {
  rig_.window->hide();
  rig_.bus->Send(ev::CloneInfoConfirmed);
  ASSERT_TRUE(RunClone());
  EXPECT_EQ(setupEvents_, 1);
  EXPECT_EQ(OpenInformation(), nullptr);
  EXPECT_GE(checkEvents_, 1);
}

// --- the clone run's window states ---------------------------------------------

TEST_F(CloneCommandsTest, RunEventsDisableAndEnableTheVisibleForm) {
  struct Step {
    int id;
    std::intptr_t p1;
    bool enabled;
  };
  const Step steps[] = {
      {ev::CloneIdentifyStart, 0, false}, {ev::CloneRunEnded, 0, true},
      {ev::CloneIdentifyStart, 0, false}, {ev::CloneRunEnded, 1, true},
      {ev::CloneIdentifyStart, 0, false}, {ev::CloneProgressClosed, 0, true},
  };
  for (const Step& s : steps) {
    rig_.bus->Send(s.id, s.p1);
    EXPECT_EQ(rig_.window->isEnabled(), s.enabled) << s.id;
  }
  rig_.window->activateWindow();
  // A hidden form (behind the setup dialog) is left as it is.
  rig_.window->hide();
  rig_.bus->Send(ev::CloneIdentifyStart);
  EXPECT_TRUE(rig_.window->isEnabled());
  rig_.window->setEnabled(false);
  rig_.bus->Send(ev::CloneRunEnded, 1);
  EXPECT_FALSE(rig_.window->isEnabled());
}

}  // namespace
