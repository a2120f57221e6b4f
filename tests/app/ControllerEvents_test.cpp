// kw-test: gui
// The controller's answers to the bus's events: list names to the tree
// (30, 32), reopening a sheet at its cell (33), the destination check after
// an identification (36, with its question), the reset behind the setup
// dialog (37) and the bank table after list edits (45).
#include <gtest/gtest.h>

#include <QPointer>
#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

#include "app/ImagePasses.h"
#include "app/MainFrame.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcClipCh.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/app/DocumentRig.h"

namespace {

namespace mb = platform::mb;
using Rename = std::pair<std::intptr_t, std::string>;

constexpr std::int64_t kInfoFlagByte = 170870;
constexpr std::uint8_t kInfoFlagBit = 0x08;

std::string Padded(const std::string& name) { return name + std::string(16 - name.size(), ' '); }

void SetName(cmcEeprom& image, std::int64_t address, const std::string& name) {
  const std::string padded = Padded(name);
  image.SetBlock(address, padded.data(), 16);
}

// Renames posted while it lives.
class RenameLog {
 public:
  RenameLog() {
    EvMan().AddListener(this, [this](const cmcEvent& e) {
      if (e.id == ev::RenameTreeNode && e.Text()) renames.emplace_back(e.p2, *e.Text());
    });
  }
  ~RenameLog() { EvMan().RemoveListener(this); }
  std::vector<Rename> renames;
};

class ControllerEventsTest : public ::testing::Test {
 protected:
  indMain& Main() { return *rig_.main; }
  void Tick() {
    EvMan().Drain();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  kwtest::DocumentRig rig_;
};

// --- list names ----------------------------------------------------------------

TEST_F(ControllerEventsTest, ListNamesGoToTheTreeInOrderAndNoneBeyondTheGpsGroups) {
  rig_.Build();
  cmcEeprom& image = Main().Image();
  SetName(image, layout::kBankNames + 2 * 16, "CLUB");
  SetName(image, layout::kGpsGroupNames, "HOME");
  SetName(image, layout::kLinkNames + 3 * 16, "AIR");
  SetName(image, layout::kRptGroupNames + 4 * 16, "TOKYO");
  Tick();

  RenameLog log;
  rig_.bus->Send(ev::ListNamesChanged);
  EXPECT_TRUE(log.renames.empty()) << "posted";
  Tick();
  ASSERT_EQ(log.renames.size(), 112u);
  std::vector<std::intptr_t> pages;
  for (const Rename& r : log.renames) pages.push_back(r.first);
  std::vector<std::intptr_t> expected;
  for (int p = 21; p <= 46; ++p) expected.push_back(p);
  for (int p = 222; p <= 247; ++p) expected.push_back(p);
  for (int p = 51; p <= 60; ++p) expected.push_back(p);
  for (int p = 123; p <= 172; ++p) expected.push_back(p);
  EXPECT_EQ(pages, expected);
  auto has = [&](const Rename& r) {
    return std::find(log.renames.begin(), log.renames.end(), r) != log.renames.end();
  };
  EXPECT_TRUE(has({23, "C: " + Padded("CLUB")}));
  EXPECT_TRUE(has({222, "A: " + Padded("HOME")}));
  EXPECT_TRUE(has({54, "3: " + Padded("AIR")}));
  EXPECT_TRUE(has({127, "05: " + Padded("TOKYO")}));
  // The tree took bank C's name.
  EXPECT_EQ(rig_.NodeOf("[St_CCBank]GI_Sheet_BankCH,23")->text(0).trimmed(),
            QStringLiteral("C: CLUB"));

  // One link list; numbers outside 0..9 post nothing.
  log.renames.clear();
  for (std::intptr_t list : {3, 10, -1}) rig_.bus->Send(ev::GroupRenamed, 0, list);
  Tick();
  EXPECT_EQ(log.renames, (std::vector<Rename>{{54, "3: " + Padded("AIR")}}));
}

TEST_F(ControllerEventsTest, AnOpenedFileNamesTheTreesNodes) {
  rig_.Build();
  cmcEeprom image = kwtest::DefaultDocumentImage(kwtest::kRigDestination);
  SetName(image, layout::kBankNames + 2 * 16, "FIELD");
  const std::string path = rig_.Path("named.icf");
  ASSERT_TRUE(kwtest::WriteFixtureFile(path, image, 3, rig_.env->EtcData));
  Tick();
  Main().ClearModified();
  ASSERT_EQ(Main().OpenIcfFile(path), 0);
  Tick();
  EXPECT_EQ(rig_.NodeOf("[St_CCBank]GI_Sheet_BankCH,23")->text(0).trimmed(),
            QStringLiteral("C: FIELD"));
}

TEST_F(ControllerEventsTest, WithoutATreeNoNamesArePosted) {
  rig_.Build();
  Tick();
  rig_.window->DeleteTree();
  RenameLog log;
  rig_.bus->Send(ev::ListNamesChanged);
  Tick();
  EXPECT_TRUE(log.renames.empty());
}

// --- reopening a sheet -----------------------------------------------------------

TEST_F(ControllerEventsTest, AViewCutReopensTheSheetAtItsCell) {
  rig_.Build();
  const std::string page = "[St_ColCut]GI_Sheet_MemoryCH,0,0";
  Main().OpenSheet(page);
  cuiSheet* before = Main().CurrentSheet();
  ASSERT_NE(before, nullptr);
  QPointer<QWidget> oldGrid = before->Grid();
  before->FindCell(CT_Conv, CL_Mch_Freq, 57);
  // What the view menu's tone item does.
  rig_.env->ViewCutBits ^= 1;
  rig_.bus->Post(ev::ReopenSheet, 1, 0);
  Tick();
  Tick();
  EXPECT_TRUE(oldGrid.isNull()) << "a new sheet";
  cuiSheet* after = Main().CurrentSheet();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->GetTitle(), page);
  const cmcCellObj* cell = after->GetCell(after->Grid()->Col(), after->Grid()->Row());
  EXPECT_EQ(cell->category, CT_Conv);
  EXPECT_EQ(cell->cellId, CL_Mch_Freq);
  EXPECT_EQ(cell->index, 57);

  // Without a sheet nothing happens.
  Main().CloseSheet();
  rig_.bus->Send(ev::ReopenSheet, 1, 0);
  EXPECT_EQ(Main().CurrentSheet(), nullptr);
}

// --- destination check -----------------------------------------------------------

struct DestinationCase {
  const char* name;
  bool visible;
  int p1;
  const char* file;  // document name ("" untitled)
  bool modified;
  std::uint8_t destination;
  std::uint8_t flags;  // byte 22
  std::vector<int> answers;
  // Outcome.
  bool boxShown;
  std::uint32_t settingsDestination;
  std::uint8_t second;
  std::uint8_t third;
};

RadioInformation RadioOf(std::uint8_t destination, std::uint8_t flags) {
  RadioInformation info{};
  info.fill(0x20);
  info[kRadioInfoLengthByte] = kRadioInformationSize;
  info[kRadioInfoRevisionByte] = 2;
  info[kRadioInfoDestinationByte] = destination;
  info[kRadioInfoVariantByte] = kRadioInfoVariantBit;
  info[kRadioInfoFlagsByte] = flags;
  return info;
}

TEST_F(ControllerEventsTest, DestinationCheckAsksOnlyForAVisibleFormAndTakesTheFlagsFirst) {
  const std::vector<DestinationCase> cases = {
      {"hidden, taken at once", false, 0, "", false, 5, 0x03, {}, false, 5, 1, 1},
      {"read, cancelled", true, 1, "", false, 5, 0x00, {mb::IdCancel}, true, 0, 0, 0},
      {"read, agreed", true, 1, "", false, 5, 0x03, {mb::IdOk}, true, 0, 0, 0},
      {"untitled, agreed", true, 0, "", false, 5, 0x00, {mb::IdOk}, true, 5, 0, 0},
      {"named and modified, agreed, not saved", true, 0, "a.icf", true, 5, 0x00,
       {mb::IdOk, mb::IdNo}, true, 5, 0, 0},
      {"modified, save cancelled", true, 0, "", true, 5, 0x00, {mb::IdOk, mb::IdCancel}, true,
       0, 0, 0},
      {"same destination, visible", true, 0, "", false, 0, 0x01, {}, false, 0, 1, 0},
      {"same destination, hidden", false, 0, "", false, 0, 0x01, {}, false, 0, 1, 0},
      {"code 16", false, 0, "", false, 16, 0x03, {}, false, 0, 0, 0},
      {"code 20", true, 0, "", false, 20, 0x03, {}, false, 0, 0, 0},
      {"code 255", true, 1, "", false, 255, 0x03, {}, false, 0, 0, 0},
  };
  rig_.env->EtcData = dst_EtcData{0, 1, 0, 0};
  rig_.Build();
  for (const DestinationCase& c : cases) {
    SCOPED_TRACE(c.name);
    rig_.env->EtcData = dst_EtcData{0, 1, 0, 0};
    Main().LoadInitialImage();
    Main().ResetImageToInitial();
    Main().SetFileName(c.file[0] ? rig_.Path(c.file) : std::string());
    Main().ClearModified();
    if (c.modified) {
      Main().Image().SetByte(0x10, Main().Image().GetByte(0x10) ^ 0xFF);
      Main().SetModified();
    }
    Main().ClipBuffer().Clear();
    Main().CloneDestination() = rig_.env->EtcData;
    Main().SetExpectedRevision(0);
    rig_.window->setVisible(c.visible);
    const cmcEeprom documentBefore = Main().Image();
    const RadioInformation info = RadioOf(c.destination, c.flags);
    Main().SetRadioInfo(info, 0x3484);
    rig_.boxes.Clear();
    for (int a : c.answers) rig_.boxes.Answer(a);

    rig_.bus->Send(ev::CheckDestination, c.p1, 0);

    ASSERT_EQ(rig_.boxes.Count(), c.answers.size());
    if (c.boxShown) {
      const platform::MessageBoxRequest& box = rig_.boxes.Shown()[0];
      EXPECT_EQ(box.text, QStringLiteral(
                              "The destination of the connected transceiver differs from the "
                              "current setting.\nChange the setting to the transceiver's "
                              "destination?"));
      EXPECT_EQ(box.caption, QStringLiteral("KW-3700"));
      EXPECT_EQ(box.flags, mb::OkCancel | mb::IconWarning | mb::DefButton2);
    }
    EXPECT_EQ(rig_.env->EtcData.destination, c.settingsDestination);
    EXPECT_EQ(rig_.env->EtcData.firstFlag, 1);
    EXPECT_EQ(rig_.env->EtcData.secondFlag, c.second);
    EXPECT_EQ(rig_.env->EtcData.thirdFlag, c.third);
    const bool taken = c.settingsDestination == 5;
    if (c.p1 == 1 && c.answers == std::vector<int>{mb::IdOk}) {
      // A read keeps all it takes in the clone copy.
      EXPECT_EQ(Main().CloneDestination(), (dst_EtcData{5, 1, 1, 1}));
      EXPECT_EQ(Main().ExpectedRevision(), 2u);
    } else {
      EXPECT_EQ(Main().CloneDestination().destination, 0u);
      EXPECT_EQ(Main().ExpectedRevision(), 0u);
    }
    if (!taken) {
      EXPECT_TRUE(Main().Image() == documentBefore);
      EXPECT_EQ(Main().IsUntitled(), c.file[0] == 0);
      EXPECT_EQ(Main().ModifiedFlag(), c.modified);
      continue;
    }
    const cmcEeprom initial5 = imagepass::BuildInitialImage(indDestination(5, true, c.second != 0),
                                                            c.second != 0);
    EXPECT_TRUE(Main().InitialImage() == initial5);
    EXPECT_EQ((Main().InitialImage().GetByte(kInfoFlagByte) & kInfoFlagBit) != 0, c.second != 0);
    EXPECT_TRUE(Main().IsUntitled());
    if (c.modified) {
      EXPECT_TRUE(Main().ModifiedFlag());
      EXPECT_EQ(Main().ClipBuffer().Count(), 0);
    } else {
      EXPECT_TRUE(Main().Image() == initial5);
      EXPECT_FALSE(Main().IsModified());
    }
  }
}

TEST_F(ControllerEventsTest, WithoutRadioInformationTheCheckDoesNothing) {
  rig_.Build();
  const dst_EtcData before = rig_.env->EtcData;
  rig_.bus->Send(ev::CheckDestination, 0, 0);
  EXPECT_EQ(rig_.env->EtcData, before);
  EXPECT_EQ(rig_.boxes.Count(), 0u);
}

// --- setup reset and bank table ----------------------------------------------------

TEST_F(ControllerEventsTest, SetupResetTouchesOnlyAHiddenForm) {
  rig_.Build();
  for (bool visible : {true, false}) {
    SCOPED_TRACE(visible);
    rig_.window->setVisible(visible);
    Main().Image().SetByte(0x10, Main().InitialImage().GetByte(0x10) ^ 0xFF);
    Main().SetModified();
    rig_.bus->Send(ev::SetupDoneWithoutRadio);
    EXPECT_EQ(Main().Image() == Main().InitialImage(), !visible);
    EXPECT_EQ(Main().ModifiedFlag(), visible);
  }
}

TEST_F(ControllerEventsTest, ListEditsRebuildTheBankTableAndCheckOnceLater) {
  rig_.Build();
  Main().RunSelectedNode();  // the first page open: nothing else arms the tick
  Tick();
  cmcEeprom& image = Main().Image();
  auto channel = [&](int index, std::uint32_t bank, std::uint32_t slot) {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(index));
    ch.flags |= datCh::kUsed;
    ch.freq = 145000000;
    ch.bank = bank;
    ch.bankSlot = slot;
    ASSERT_TRUE(ch.StoreSelf());
  };
  channel(3, 0, 5);
  channel(9, 0, 5);
  channel(12, datCh::kBankNone, datCh::kBankNone);
  rig_.clock.SetTick(5000);
  rig_.bus->Send(ev::DocumentEdited);
  EXPECT_EQ(image.GetByte(layout::BankTableEntry(0, 5)), 0xFF);
  EXPECT_EQ(image.GetByte(layout::BankTableEntry(0, 5) + 1), 0xFE);
  int used = 0;
  for (int bank = 0; bank < layout::kBankCount; ++bank)
    for (int slot = 0; slot < layout::kBankSlots; ++slot)
      used += image.GetByte(layout::BankTableEntry(bank, slot)) != 0xFF ||
              image.GetByte(layout::BankTableEntry(bank, slot) + 1) != 0xFF;
  EXPECT_EQ(used, 1) << "the bankless channel adds nothing";
  EXPECT_FALSE(Main().ModifiedFlag()) << "the event never marks the document";
  Main().ClearModified();
  rig_.bus->Send(ev::DocumentEdited);
  EXPECT_FALSE(Main().IsModified()) << "a rebuild changing no byte";

  ASSERT_NE(Main().CheckDelay(), nullptr);
  rig_.clock.SetTick(5249);
  Main().TickTask().OnTick();
  EXPECT_NE(Main().CheckDelay(), nullptr) << "not before 250 ms";
  rig_.clock.SetTick(5300);
  Main().TickTask().OnTick();
  EXPECT_EQ(Main().CheckDelay(), nullptr) << "checked once, 250-300 ms later";
}

}  // namespace
