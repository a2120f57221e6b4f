// kw-test: gui
// kw-test: link=radioemu
// kw-test: slow
// The initial setup dialog in the program as main() starts it (in process,
// offscreen, fresh settings): its controls, the COM port entry, the events
// of a clone run, data files good and bad, and whole first starts over the
// emulated radio and over a data file, each followed by the next start.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>

#include "RadioEmulator.h"
#include "clone/indCloneMan.h"
#include "core/EventIds.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"
#include "platform/MessageBoxService.h"
#include "tests/app/DocumentRig.h"
#include "tests/app/SetupRig.h"

namespace {

namespace mb = platform::mb;
using radioemu::RadioEmulator;

const QString kNotice = QStringLiteral(
    "Specify the COM port number. (1 - 256)\n"
    "Choose the port of the programming cable from the list, or type its number.");

// Events sent while it lives, by id.
class EventCount {
 public:
  EventCount() {
    EvMan().AddListener(this, [this](const cmcEvent& e) { ids.push_back(e.id); });
  }
  ~EventCount() { EvMan().RemoveListener(this); }
  int Of(int id) const { return static_cast<int>(std::count(ids.begin(), ids.end(), id)); }
  std::vector<int> ids;
};

class SetupDialogTest : public ::testing::Test {
 protected:
  TForm2& Dialog() { return *rig_.setup; }

  // A data file of the revision and destination record, from the default
  // image of destination 5 with channel 5 at 145.5 MHz.
  std::string DataFile(const std::string& name, int revision, const dst_EtcData& record) {
    cmcEeprom image = kwtest::DefaultDocumentImage(5);
    datCh ch(&image);
    ch.Load(itemkind::kChannel, 5);
    ch.flags |= datCh::kUsed;
    ch.freq = 145500000;
    EXPECT_TRUE(ch.StoreSelf());
    const std::string path = rig_.dir.FileStd(name);
    EXPECT_TRUE(kwtest::WriteFixtureFile(path, image, revision, record));
    return path;
  }

  // OK with the data file chosen through the file button.
  void ChooseAndConfirm(const std::string& path) {
    Dialog().rbIcf->click();
    rig_.dialogs.Choose(QString::fromStdString(path));
    Dialog().btIcfSel->click();
    Dialog().Button1->click();
  }

  kwtest::SetupRig rig_;
};

TEST_F(SetupDialogTest, ControlsFollowThePortSettingAndTheChoice) {
  // Fresh settings name no port; the next start shows the one stored.
  for (int port : {0, 7}) {
    SCOPED_TRACE(port);
    rig_.Start();
    ASSERT_TRUE(rig_.SetupOpen());
    EXPECT_FALSE(rig_.window->isVisible());
    EXPECT_EQ(rig_.env->ComPort, port);
    EXPECT_EQ(Dialog().cbComm->currentText(), port ? QStringLiteral("7") : QString());
    // The table's first button value is OK, the second Cancel.
    EXPECT_EQ(Dialog().Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(Dialog().Button2->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(Dialog().cbComm->isEnabled());
    EXPECT_FALSE(Dialog().btIcfSel->isEnabled());
    EXPECT_FALSE(Dialog().lbIcfName->isEnabled());
    Dialog().rbIcf->click();
    EXPECT_FALSE(Dialog().cbComm->isEnabled());
    EXPECT_TRUE(Dialog().btIcfSel->isEnabled());
    EXPECT_TRUE(Dialog().lbIcfName->isEnabled());
    Dialog().rbCom->click();
    EXPECT_TRUE(Dialog().cbComm->isEnabled());
    EXPECT_FALSE(Dialog().btIcfSel->isEnabled());
    rig_.env->ComPort = 7;
    rig_.Stop();
  }
}

TEST_F(SetupDialogTest, OnlyAWholePortNumberIsTaken) {
  rig_.Start();
  EventCount events;
  for (const char* text : {"0", "257", "abc", "", "3.5", "-1"}) {
    SCOPED_TRACE(text);
    rig_.boxes.Clear();
    rig_.boxes.Answer(mb::IdOk);
    Dialog().cbComm->setEditText(QString::fromLatin1(text));
    Dialog().Button1->click();
    ASSERT_EQ(rig_.boxes.Count(), 1u);
    EXPECT_EQ(rig_.boxes.Last().text, kNotice);
    EXPECT_EQ(rig_.boxes.Last().caption, QStringLiteral("KW-3700"));
    EXPECT_EQ(rig_.env->ComPort, 0);
  }
  EXPECT_EQ(events.Of(ev::CloneInfoConfirmed), 0);

  // A whole number with blanks around it: stored and the radio asked (no
  // device behind COM 12: the clone error, and the dialog is back).
  rig_.boxes.Clear();
  rig_.boxes.SetDefaultAnswer(mb::IdOk);
  Dialog().cbComm->setEditText(QStringLiteral(" 12 "));
  Dialog().Button1->click();
  EXPECT_EQ(rig_.env->ComPort, 12);
  EXPECT_EQ(events.Of(ev::CloneInfoConfirmed), 1);
  QElapsedTimer waited;
  waited.start();
  while (rig_.Main().CloneMan().IsBusy() && waited.elapsed() < 30000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    rig_.clock.Advance(50);
  }
  EXPECT_FALSE(rig_.Main().CloneMan().IsBusy());
  EXPECT_TRUE(rig_.SetupOpen());
  EXPECT_TRUE(Dialog().isEnabled());
}

TEST_F(SetupDialogTest, CloneRunEventsDisableAndCloseIt) {
  rig_.Start();
  EvMan().Send(ev::CloneIdentifyStart);
  EXPECT_FALSE(Dialog().isEnabled());
  Dialog().close();
  Dialog().Button2->click();
  EXPECT_TRUE(rig_.SetupOpen()) << "a user's close is refused while disabled";
  EXPECT_FALSE(rig_.window->isVisible());
  EvMan().Send(ev::CloneRunEnded, 1);
  EXPECT_FALSE(Dialog().isEnabled()) << "a good run goes on";
  EvMan().Send(ev::CloneRunEnded, 0);
  EXPECT_TRUE(Dialog().isEnabled());

  // The setup's end closes it even while disabled.
  for (std::uint32_t destination : {16u, 5u}) {
    SCOPED_TRACE(destination);
    rig_.Stop();
    rig_.Start();
    EventCount events;
    EvMan().Send(ev::CloneIdentifyStart);
    rig_.env->EtcData.destination = destination;
    rig_.Main().Image().SetByte(0x10, rig_.Main().Image().GetByte(0x10) ^ 0xFF);
    rig_.Main().SetModified();
    EvMan().Send(ev::CloseSetupDialog);
    EXPECT_FALSE(rig_.SetupOpen());
    EXPECT_TRUE(rig_.window->isVisible());
    EXPECT_EQ(rig_.env->SetupDone, destination == 5 ? 1 : 0);
    EXPECT_EQ(events.Of(ev::SetupDoneWithoutRadio), destination == 5 ? 1 : 0);
    EXPECT_EQ(rig_.Main().IsModified(), destination != 5);
  }
}

TEST_F(SetupDialogTest, ARefusedFileShowsItsErrorAndChangesNothing) {
  const std::string good = DataFile("good.icf", 3, dst_EtcData{5, 1, 0, 0});
  const QByteArray text = kwtest::ReadAll(good);
  const int firstRecord = text.indexOf("\r\n00000000") + 2;
  struct Case {
    const char* name;
    QByteArray what;  // "" : no file at all
    QByteArray with;
    const char* message;
  };
  const Case cases[] = {
      {"no file", "", "", "The file cannot be opened."},
      {"other model", "34840001", "12340001", "This file is for another model."},
      {"bad check bits", "#EtcData=144011", "#EtcData=144010",
       "The destination setting of this file is not supported."},
      {"no destination", "#EtcData=144011", "#EtcData=404010",
       "The destination setting of this file is not supported."},
      {"format name", "51756F72436C6F6E65466F726D617433", "51756F72436C6F6E65466F726D617434",
       "The file holds data outside the memory area."},
      {"record missing", text.mid(firstRecord, 76), "", "Some data is missing from the file."},
      {"newer layout", "#MapRev=3", "#MapRev=4",
       "This file was made for a newer version of the transceiver."},
      {"unknown layout", "#MapRev=3", "#MapRev=0",
       "The memory layout of this file is not supported."},
  };
  rig_.Start();
  const cmcEeprom document = rig_.Main().Image();
  const std::string folder = rig_.Main().DefaultFolder();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = rig_.dir.FileStd(std::string(c.name) + ".icf");
    if (!c.what.isEmpty()) {
      ASSERT_TRUE(kwtest::EditFile(good, path, c.what, c.with));
    }
    rig_.boxes.Clear();
    rig_.boxes.Answer(mb::IdOk);
    ChooseAndConfirm(path);
    ASSERT_EQ(rig_.boxes.Count(), 1u);
    EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("File error.\n\n") + c.message);
    EXPECT_TRUE(rig_.SetupOpen());
    EXPECT_EQ(rig_.env->EtcData, dst_EtcData{});
    EXPECT_EQ(rig_.env->SetupDone, 0);
    EXPECT_TRUE(rig_.Main().Image() == document);
    EXPECT_EQ(rig_.Main().DefaultFolder(), folder);
  }
  // OK before any file was chosen.
  rig_.Stop();
  rig_.Start();
  rig_.boxes.Clear();
  rig_.boxes.Answer(mb::IdOk);
  Dialog().rbIcf->click();
  Dialog().Button1->click();
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_EQ(rig_.boxes.Last().text, QStringLiteral("File error.\n\nThe file cannot be opened."));
  EXPECT_TRUE(rig_.SetupOpen());
}

// --- whole first starts ---------------------------------------------------------

class FirstStartTest : public SetupDialogTest {
 protected:
  void TearDown() override {
    rig_.Stop();
    if (radio_) radio_->Stop();
  }

  // The emulated radio of destination 5 (byte 20 0x08, byte 22 0x01) on a
  // pty named COM 7 in the settings file before the start.
  void StartRadio() {
    radio_ = std::make_unique<RadioEmulator>(3);
    ASSERT_TRUE(radio_->Start());
    const cmcEeprom image = kwtest::DefaultDocumentImage(5);
    radio_->SetMemory(std::vector<std::uint8_t>(image.Data(), image.Data() + image.GetSize()));
    std::vector<std::uint8_t> info(kRadioInformationSize, 0x20);
    info[kRadioInfoLengthByte] = kRadioInformationSize;
    info[kRadioInfoRevisionByte] = 3;
    info[kRadioInfoDestinationByte] = 5;
    info[19] = 0;
    info[kRadioInfoVariantByte] = 0x08;
    info[21] = 0;
    info[kRadioInfoFlagsByte] = 0x01;
    ASSERT_TRUE(radio_->SetInfo(info));
    platform::SettingsStore store(rig_.dir.File(QStringLiteral("kw3700.conf")), QString());
    ASSERT_TRUE(store.WriteString(std::string(indEnviron::kKeyPath) + "\\Ports", "COM7",
                                  radio_->SlavePath()));
    ASSERT_TRUE(store.Save());
  }

  // Runs the loop until the clone run is over; time-outs pass on the manual
  // clock once the line is quiet.
  void RunClone() {
    indCloneMan& man = rig_.Main().CloneMan();
    QElapsedTimer real;
    real.start();
    int quiet = 0;
    while (man.IsBusy()) {
      ASSERT_LT(real.elapsed(), 120000);
      QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
      QThread::msleep(1);
      quiet = radio_->IsQuiet() ? quiet + 1 : 0;
      rig_.clock.Advance(quiet > 30 ? 50 : 1);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  void ExpectMainWindowOfDestination(std::uint32_t destination) {
    EXPECT_FALSE(rig_.SetupOpen());
    EXPECT_TRUE(rig_.window->isVisible());
    EXPECT_TRUE(rig_.window->isEnabled());
    EXPECT_EQ(rig_.window->windowTitle(), QStringLiteral("Untitled - KW-3700"));
    EXPECT_EQ(rig_.env->EtcData.destination, destination);
    EXPECT_TRUE(rig_.Main().Image() == rig_.Main().InitialImage());
    EXPECT_FALSE(rig_.Main().IsModified());
    EXPECT_TRUE(rig_.Main().IsUntitled());
  }

  // The next start opens the main window directly.
  void ExpectNextStartDirect() {
    rig_.Start();
    EXPECT_TRUE(rig_.setup.isNull());
    EXPECT_TRUE(rig_.window->isVisible());
    rig_.Stop();
  }

  std::unique_ptr<RadioEmulator> radio_;
};

TEST_F(FirstStartTest, ThroughTheRadio) {
  StartRadio();
  rig_.Start();
  ASSERT_TRUE(rig_.SetupOpen());
  EXPECT_FALSE(rig_.window->isVisible());
  Dialog().cbComm->setEditText(QStringLiteral("7"));
  Dialog().Button1->click();
  RunClone();
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  ExpectMainWindowOfDestination(5);
  const cmcEeprom initial5 = rig_.Main().InitialImage();
  EXPECT_NE(initial5.GetByte(170870) & 0x08, 0) << "the radio's first information flag";
  rig_.Stop();
  EXPECT_EQ(rig_.StoredInt("Global", "ComPort"), 7);
  EXPECT_EQ(rig_.StoredInt("Setup", "Etc Data"), 0x144044);
  ExpectNextStartDirect();
}

TEST_F(FirstStartTest, ThroughADataFile) {
  const std::string path = DataFile("setup.icf", 2, dst_EtcData{3, 0, 1, 0});
  ASSERT_TRUE(kwtest::ReadAll(path).contains("#EtcData=0C0015"));
  rig_.Start();
  ChooseAndConfirm(path);
  EXPECT_EQ(Dialog().lbIcfName->text(), QStringLiteral("setup.icf"));
  EXPECT_EQ(rig_.dialogs.Last().filter.isEmpty(), false);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
  ExpectMainWindowOfDestination(3);
  EXPECT_EQ(rig_.env->EtcData, (dst_EtcData{3, 0, 1, 0}));
  // The file's data is not taken: the initial image of destination 3.
  datCh ch(&rig_.Main().Image());
  ch.Load(itemkind::kChannel, 5);
  EXPECT_NE(ch.freq, 145500000u);
  EXPECT_EQ(rig_.Main().DefaultFolder(),
            QFileInfo(QString::fromStdString(path)).absolutePath().toStdString());
  rig_.Stop();
  EXPECT_EQ(rig_.StoredInt("Setup", "Etc Data"), 0x0C0015);
  ExpectNextStartDirect();
}

TEST_F(FirstStartTest, ASilentRadioLeavesTheSetupToBeDone) {
  StartRadio();
  radio_->SetFault(radioemu::Fault::Silence);
  rig_.Start();
  rig_.boxes.Answer(mb::IdOk);
  Dialog().cbComm->setEditText(QStringLiteral("7"));
  Dialog().Button1->click();
  RunClone();
  ASSERT_EQ(rig_.boxes.Count(), 1u);
  EXPECT_TRUE(rig_.boxes.Last().text.startsWith(QStringLiteral("No answer from transceiver.")));
  EXPECT_TRUE(rig_.SetupOpen());
  EXPECT_TRUE(Dialog().isEnabled());
  Dialog().Button2->click();
  EXPECT_FALSE(rig_.SetupOpen());
  EXPECT_TRUE(rig_.window->isVisible());
  EXPECT_EQ(rig_.env->EtcData.destination, dst_EtcData::kNoDestination);
  rig_.Stop();
  EXPECT_EQ(rig_.StoredInt("Setup", "Etc Data"), 0x404010);
  rig_.Start();
  EXPECT_TRUE(rig_.SetupOpen()) << "asked again";
}

}  // namespace
