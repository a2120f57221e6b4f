// kw-test: gui
// kw-test: link=kw_test_model_support
// End to end: scripted runs of the list edit commands on the main
// controller's document (list fixture tests/data/lists/dv-routes.txt), with
// the questions and status texts checked after every step and the final
// image compared byte for byte with one built from a hand-written table of
// the final rows. Also: what "lists edited" does to the document.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ListEditCommands.h"
#include "app/indMain.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcTick.h"
#include "core/indEnviron.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/LocaleInfo.h"
#include "platform/MessageBoxService.h"
#include "platform/StandardFolders.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "support/ManualClock.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/model/ListFixture.h"

namespace {

using Lines = std::vector<std::string>;
constexpr char kKey[] = "Software\\Quor\\KW-3700";
constexpr int kOk = platform::mb::IdOk;
constexpr int kCancel = platform::mb::IdCancel;
constexpr std::uint32_t kCh = itemkind::kChannel;

// The first address at which two images differ, -1 when none does.
std::int64_t FirstDifference(const cmcEeprom& a, const cmcEeprom& b) {
  if (a.GetSize() != b.GetSize()) return 0;
  for (std::int64_t i = 0; i < a.GetSize(); ++i)
    if (a.GetByte(i) != b.GetByte(i)) return i;
  return -1;
}

class ListEditScenarioTest : public ::testing::Test {
 protected:
  ListEditScenarioTest()
      : folders_({dir_.FileStd("docs"), dir_.FileStd("prog"), dir_.FileStd("cwd")}) {
    const indEnviron::Options o = kwtest::ScratchEnvironOptions(dir_);
    env_ = std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey, o);
    main_ = std::make_unique<indMain>(*env_, gtex_);
    main_->Image() = kwtest::LoadListFixture("dv-routes.txt");
    main_->InitialImage() = kwtest::InitialImageDest0();
    main_->ClearModified();
    main_->SetStatusSink([this](const QString& text) { status_.push_back(text.toStdString()); });
  }
  ~ListEditScenarioTest() override { SelectTextTable(gtex_, TextTable::English); }

  void Run(int command, std::uint32_t kind, int cursor, int listFirst, int listLast,
           int selFirst = -1, int selLast = -1, int group = 0) {
    cmcCellObj cell;
    cell.category = CT_Conv;
    cell.cellId = CL_Mch_Name;
    cell.index = cursor;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    if (selFirst >= 0) {
      capsule.selectionBits = cellselect::kHasSelection;
      capsule.firstSelected = selFirst;
      capsule.lastSelected = selLast;
    }
    datCh record(&main_->Image());
    record.Load(kind, static_cast<std::uint32_t>(cursor));
    DocumentContext context = main_->Context();
    ExecListEditCommandEx(context, command, capsule, record, listFirst, listLast, group);
    bus_->Drain();
  }

  // Questions since the last call.
  Lines Questions() {
    Lines texts;
    for (; seen_ < boxes_.Count(); ++seen_)
      texts.push_back(boxes_.Shown()[seen_].text.toStdString());
    return texts;
  }
  Lines Status() { return std::exchange(status_, {}); }

  std::string Name(int n) {
    datCh ch(&main_->Image());
    ch.Load(kCh, static_cast<std::uint32_t>(n));
    if (!ch.IsUsed()) return "";
    std::string name(ch.name.data(), 16);
    return name.erase(name.find_last_not_of(' ') + 1);
  }
  // Names of the used channels of a page, as "n name".
  Lines Page(int first, int last) {
    Lines rows;
    for (int n = first; n <= last; ++n)
      if (!Name(n).empty()) rows.push_back(std::to_string(n) + " " + Name(n));
    return rows;
  }

  kwtest::ScratchDir dir_;
  kwtest::ScriptedMessageBoxes boxes_;
  kwtest::ManualClock clock_;
  ScopedDestination destination_{indDestination(0)};
  platform::ScopedLocaleInfo locale_{platform::LocaleInfo{}};
  platform::ScopedStandardFolders folders_;
  std::unique_ptr<indEnviron> env_;
  cmcGTex gtex_;
  ScopedEvMan bus_;
  std::unique_ptr<indMain> main_;
  Lines status_;
  std::size_t seen_ = 0;
};

TEST_F(ListEditScenarioTest, ChannelPage) {
  // 1. Copy 5..7.
  Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 7);
  EXPECT_EQ(Questions(), Lines{});
  EXPECT_EQ(Status(), Lines{"Copied."});
  EXPECT_FALSE(main_->ModifiedFlag());

  // 2. Paste at 98: only two rows fit.
  boxes_.Answer(kOk);
  Run(CL_PMenu_Paste, kCh, 98, 0, 99);
  EXPECT_EQ(Questions(), Lines{"The copied rows run past the end of the list. Paste only the rows "
                               "that fit?"});
  EXPECT_EQ(Status(), Lines{"Pasted."});
  EXPECT_EQ(Page(90, 99), (Lines{"98 A", "99 B"}));
  EXPECT_TRUE(main_->ModifiedFlag());

  // 3. Carry 98..99 up.
  Run(CL_PMenu_CarryUp, kCh, 98, 0, 99, 98, 99);
  EXPECT_EQ(Questions(), Lines{});
  EXPECT_EQ(Status(), Lines{});
  EXPECT_EQ(Page(90, 99), (Lines{"97 A", "98 B"}));

  // 4. Insert at 5: the last row is empty, so nothing is asked.
  Run(CL_PMenu_Insert, kCh, 5, 0, 99);
  EXPECT_EQ(Questions(), Lines{});
  EXPECT_EQ(Status(), Lines{"Inserted."});
  EXPECT_EQ(Page(0, 99), (Lines{"6 A", "7 B", "8 C", "21 E", "98 A", "99 B"}));
  EXPECT_EQ(GetSelectedChannel(main_->Image()), 21);

  // 5. Delete 6..7.
  boxes_.Answer(kOk);
  Run(CL_PMenu_Delete, kCh, 6, 0, 99, 6, 7);
  EXPECT_EQ(Questions(), Lines{"Delete the selected rows?"});
  EXPECT_EQ(Status(), Lines{"Deleted."});
  EXPECT_EQ(Page(0, 99), (Lines{"6 C", "19 E", "96 A", "97 B"}));
  EXPECT_EQ(GetSelectedChannel(main_->Image()), 19);

  // 6. Clear 96..97.
  boxes_.Answer(kOk);
  Run(CL_PMenu_Clear, kCh, 96, 0, 99, 96, 97);
  EXPECT_EQ(Questions(), Lines{"Clear the selected rows?"});
  EXPECT_EQ(Status(), Lines{"Cleared."});
  EXPECT_EQ(Page(0, 99), (Lines{"6 C", "19 E"}));

  // 7. Carry 6 down.
  Run(CL_PMenu_CarryDown, kCh, 6, 0, 99);
  EXPECT_EQ(Status(), Lines{});
  EXPECT_EQ(Page(0, 99), (Lines{"7 C", "19 E"}));

  // 8. Paste A, B, C at 18: declined over E, then accepted.
  const cmcEeprom before = main_->Image();
  boxes_.Answer(kCancel);
  Run(CL_PMenu_Paste, kCh, 18, 0, 99);
  EXPECT_EQ(Questions(), Lines{"The target rows hold data. Overwrite them?"});
  EXPECT_EQ(Status(), Lines{});
  EXPECT_TRUE(before == main_->Image());
  boxes_.Answer(kOk);
  Run(CL_PMenu_Paste, kCh, 18, 0, 99);
  EXPECT_EQ(Questions(), Lines{"The target rows hold data. Overwrite them?"});
  EXPECT_EQ(Status(), Lines{"Pasted."});

  EXPECT_EQ(Page(0, 1003), (Lines{"7 C", "18 A", "19 B", "20 C"}));
  EXPECT_EQ(imageaccess::Get16(main_->Image(), layout::BankTableEntry(0, 3)),
            layout::kBankSlotClash);
  EXPECT_EQ(GetSelectedChannel(main_->Image()), 19);
  const cmcEeprom expected = kwtest::LoadListFixture("dv-routes-channels-edited.txt");
  EXPECT_EQ(FirstDifference(expected, main_->Image()), -1);
}

TEST_F(ListEditScenarioTest, RepeaterGpsAndYourCallLists) {
  boxes_.SetDefaultAnswer(kOk);
  const std::uint32_t kRpt = itemkind::kRepeater;
  auto rptName = [&](int i) {
    datCh r(&main_->Image());
    r.Load(kRpt, static_cast<std::uint32_t>(i));
    std::string name(r.name.data(), 16);
    return name.erase(name.find_last_not_of(' ') + 1);
  };

  // 1. Repeater group 0, rows 1..2 (row 2 is the new-entry row), carry up.
  Run(CL_PMenu_CarryUp, kRpt, 1, 0, 1, 1, 2, 0);
  EXPECT_EQ(rptName(0), "SAME-SITE-C");
  EXPECT_EQ(rptName(1), "ACCESS-B");
  EXPECT_EQ(Questions(), Lines{});
  EXPECT_EQ(Status(), Lines{});

  // 2. Clear rows 1..2.
  Run(CL_PMenu_Clear, kRpt, 1, 0, 1, 1, 2, 0);
  EXPECT_EQ(Questions(), Lines{"Clear the selected rows?"});
  EXPECT_EQ(Status(), Lines{"Cleared."});
  EXPECT_EQ(rptName(1), "");
  EXPECT_EQ(rptName(2), "REMOTE-C");

  // 3. Delete rows 0..2.
  Run(CL_PMenu_Delete, kRpt, 0, 0, 1, 0, 2, 0);
  EXPECT_EQ(Questions(), Lines{"Delete the selected rows?"});
  EXPECT_EQ(Status(), Lines{"Deleted."});
  EXPECT_EQ(GetRptGroupCount(main_->Image(), 0), 0);
  EXPECT_EQ(rptName(0), "REMOTE-C");
  EXPECT_EQ(rptName(1), "NOGW-A");
  EXPECT_EQ(GetSelectedRepeater(main_->Image()), 0);

  // 4. GPS group 0, rows 1..2, carry up.
  Run(CL_PMenu_CarryUp, itemkind::kGpsMemory, 1, 0, 2, 1, 2, 0);
  EXPECT_EQ(GetGpsAlarm(main_->Image()).position, 1);
  EXPECT_EQ(Status(), Lines{});

  // 5. Your-call list, delete rows 1..3 (row 3 is the new-entry row).
  Run(CL_PMenu_Delete, itemkind::kYourCall, 1, 0, 2, 1, 3);
  EXPECT_EQ(Questions(), Lines{"Delete the selected rows?"});
  EXPECT_EQ(Status(), Lines{"Deleted."});
  EXPECT_EQ(GetYourCallCount(main_->Image()), 1);

  // 6. Insert at 0.
  Run(CL_PMenu_Insert, itemkind::kYourCall, 0, 0, 0);
  EXPECT_EQ(Questions(), Lines{});
  EXPECT_EQ(Status(), Lines{"Inserted."});

  const cmcEeprom expected = kwtest::LoadListFixture("dv-routes-groups-edited.txt");
  EXPECT_EQ(FirstDifference(expected, main_->Image()), -1);
}

TEST_F(ListEditScenarioTest, ListsEditedRebuildsTheBankTableWithoutMarkingModified) {
  datCh ch(&main_->Image());
  ch.Load(kCh, 5);
  ch.bank = 1;
  ch.bankSlot = 7;
  ASSERT_TRUE(ch.StoreSelf());
  main_->ClearModified();
  bus_->Send(ev::DocumentEdited);
  EXPECT_EQ(imageaccess::Get16(main_->Image(), layout::BankTableEntry(1, 7)), 5);
  ASSERT_NE(main_->CheckDelay(), nullptr);
  EXPECT_FALSE(main_->ModifiedFlag());
  // A move at the list's edge and a declined question leave it so.
  Run(CL_PMenu_CarryUp, kCh, 0, 0, 99);
  boxes_.Answer(kCancel);
  Run(CL_PMenu_Clear, kCh, 5, 0, 99);
  EXPECT_FALSE(main_->ModifiedFlag());
  EXPECT_EQ(Status(), Lines{});
}

}  // namespace
