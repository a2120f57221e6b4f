// kw-test: gui
// The page classes as the main window opens them over the program's English
// table: index offsets and layouts, the rows the settings pages drop by
// destination, the list pages following their lists, hidden column groups,
// printing, titles and the answers to the page queries.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <map>
#include <typeinfo>

#include "app/MainFrame.h"
#include "app/iuiSh_ChNewLists.h"
#include "app/iuiSh_ColCutA.h"
#include "app/iuiSh_ColCutBank.h"
#include "app/iuiSh_Common.h"
#include "cells/ListRange.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/ListRangeAnswer.h"
#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "platform/Cp932.h"
#include "sheet/ColWidthStore.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/app/MainWindowRig.h"

namespace {

constexpr char kMemory900[] = "[St_ColCut]GI_Sheet_MemoryCH,9,900";
constexpr char kMemory0[] = "[St_ColCut]GI_Sheet_MemoryCH,0,0";
constexpr char kBankA[] = "[St_CCBank]GI_Sheet_BankCH,21";
constexpr char kCall[] = "[St_ColCut]GI_Sheet_CallCh,47";
constexpr char kLink1[] = "[St_PLink]GI_Sheet_ScanLink,52,26";
constexpr char kReceived[] = "[St_ColCut]GI_Sheet_Received_Callsign,215";
constexpr char kYourCall[] = "[St_UrList]GI_Sheet_You_Callsign,120,UrCH";
constexpr char kGroup02[] = "[St_RptList]GI_Sheet_RepeaterList,124,RptCH  1";
constexpr char kCommon[] = "[St_Common]GI_Sheet_Common,250";
constexpr char kAbBand[] = "[St_Common]GI_Sheet_AB_Band,251";

// Data cells of a column top to bottom: id and index.
using Column = std::vector<std::pair<std::int32_t, int>>;

Column DataColumn(cuiSheet& sheet, int col) {
  Column cells;
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    if (sheet.IsDataCell(col, r))
      cells.emplace_back(sheet.GetCell(col, r)->cellId, sheet.GetCell(col, r)->index);
  return cells;
}

Column Cells(std::int32_t id, int first, int count) {
  Column cells;
  for (int i = 0; i < count; ++i) cells.emplace_back(id, first + i);
  return cells;
}

// Every cell's index, row by row.
std::vector<int> Indexes(cuiSheet& sheet) {
  std::vector<int> indexes;
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    for (int c = 0; c < sheet.Grid()->ColCount(); ++c)
      indexes.push_back(sheet.GetCell(c, r)->index);
  return indexes;
}

// Indexes of the data cells bound to an id, anywhere on the page.
std::vector<int> IndexesOf(cuiSheet& sheet, std::int32_t id) {
  std::vector<int> indexes;
  for (int r = 0; r < sheet.Grid()->RowCount(); ++r)
    for (int c = 0; c < sheet.Grid()->ColCount(); ++c)
      if (sheet.IsDataCell(c, r) && sheet.GetCell(c, r)->cellId == id)
        indexes.push_back(sheet.GetCell(c, r)->index);
  return indexes;
}

std::string Title(cuiSheet& sheet) {
  return sheet.TitleLabel() ? platform::UnicodeToCp932(sheet.TitleLabel()->text()) : "";
}

class PageClassesTest : public ::testing::Test {
 protected:
  void Build(std::uint32_t destination = 0, std::uint8_t firstFlag = 0) {
    rig_.env->EtcData.destination = destination;
    rig_.env->EtcData.firstFlag = firstFlag;
    rig_.Build(&kwres::kTextEnglish);
    rig_.window->show();
    QApplication::processEvents();
  }
  cuiSheet& Open(const std::string& reference) {
    rig_.main->OpenSheet(reference);
    QApplication::processEvents();
    cuiSheet* sheet = rig_.window->CurrentSheet();
    EXPECT_NE(sheet, nullptr) << reference;
    return *sheet;
  }
  cmcEeprom& Image() { return rig_.main->Image(); }
  ColWidthStore Store() { return ColWidthStore(*rig_.env, rig_.texts); }
  // A group's stored mask, written once the open page (which stores the
  // mask in force when it closes) is gone.
  void StoreMask(const char* group, int mask) {
    rig_.main->CloseSheet();
    Store().WriteColCut(group, mask);
  }

  kwtest::MainWindowRig rig_;
};

TEST_F(PageClassesTest, PagesBindTheirItemsFromTheirFirstIndex) {
  Build();
  struct Case {
    const char* reference;
    int rows;
    int col;
    Column cells;
  };
  const Case cases[] = {
      {kMemory900, 105, 3, Cells(CL_Mch_Freq, 900, 100)},
      {kMemory900, 105, 21, Cells(CL_Mch_Bank_ChNo, 900, 100)},
      {kCall, 9, 3, Cells(CL_Mch_Freq, 1000, 4)},
      {kLink1, 29, 3, Cells(CL_PgLink_No, 26, 26)},
      {kReceived, 57, 3, Cells(CL_Received_Callsign_Caller, 0, 50)},
      {kReceived, 57, 36, Cells(CL_Received_Callsign_GpsMsg, 0, 50)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reference) + " column " + std::to_string(c.col));
    cuiSheet& sheet = Open(c.reference);
    EXPECT_EQ(sheet.Grid()->RowCount(), c.rows);
    EXPECT_EQ(DataColumn(sheet, c.col), c.cells);
  }
  // The received calls fill columns 3 to 36 and no others.
  cuiSheet& received = Open(kReceived);
  for (int col = 0; col < received.Grid()->ColCount(); ++col)
    EXPECT_EQ(DataColumn(received, col).size(), col >= 3 && col <= 36 ? 50u : 0u) << col;
}

TEST_F(PageClassesTest, SettingsItemsBindTheirIndexes) {
  Build();
  cuiSheet& common = Open(kCommon);
  EXPECT_EQ(typeid(common), typeid(iuiSh_Common));
  const std::pair<std::int32_t, std::vector<int>> keys[] = {
      {CL_Common_RemoteMicKey_Nor, {0, 1}},       {CL_Common_RemoteMicKey_Tx, {0, 1}},
      {CL_Common_RemoteMicKey_Nor_UD, {2, 3}},    {CL_Common_RemoteMicKey_Tx_UD, {2, 3}},
      {CL_Common_RemoteMicKey_Nor_BT, {4, 5, 6}}, {CL_Common_RFPower, {0, 1}},
  };
  for (const auto& [id, indexes] : keys) EXPECT_EQ(IndexesOf(common, id), indexes) << id;

  // The A/B band page: band A in column 3, band B in column 5, item by item.
  cuiSheet& ab = Open(kAbBand);
  const Column a = DataColumn(ab, 3);
  const Column b = DataColumn(ab, 5);
  ASSERT_EQ(a.size(), 9u);
  ASSERT_EQ(b.size(), a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].second, 0);
    EXPECT_EQ(b[i], std::make_pair(a[i].first, 1));
  }
}

// Rows a settings page drops for destinations that lack them.
TEST(PageClassesDrops, FollowTheDestinationAndItsFirstFlag) {
  struct Case {
    std::uint32_t destination;
    std::uint8_t firstFlag;
    const char* reference;
    std::int32_t id;
    bool present;
  };
  const Case cases[] = {
      {5, 0, kCommon, CL_Common_AutoRepeater, false},
      {2, 0, kCommon, CL_Common_AutoRepeater, true},
      {0, 0, kCommon, CL_Common_AutoRepeater, true},
      {10, 0, kCommon, CL_Common_AutoRepeater, true},
      {16, 0, kCommon, CL_Common_AutoRepeater, false},
      {0, 1, kCommon, CL_Common_MiniRPT_Hung, false},
      {0, 0, kCommon, CL_Common_MiniRPT_Hung, true},
      {16, 0, kCommon, CL_Common_MiniRPT_Hung, true},
      {0, 0, kAbBand, CL_Common_Wx_Alert, true},
      {5, 0, kAbBand, CL_Common_Wx_Alert, false},
      {16, 0, kAbBand, CL_Common_Wx_Ch, false},
  };
  std::map<std::string, int> rowsWith;  // the full page's rows by reference
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reference) + " destination " + std::to_string(c.destination) +
                 " flag " + std::to_string(c.firstFlag));
    kwtest::MainWindowRig rig;
    rig.env->EtcData.destination = c.destination;
    rig.env->EtcData.firstFlag = c.firstFlag;
    rig.Build(&kwres::kTextEnglish);
    rig.main->OpenSheet(c.reference);
    cuiSheet& sheet = *rig.window->CurrentSheet();
    EXPECT_EQ(!IndexesOf(sheet, c.id).empty(), c.present);
    if (c.destination == 0 && c.firstFlag == 0) rowsWith[c.reference] = sheet.Grid()->RowCount();
  }
  // What goes is the item's two rows or the weather section's seven, no more.
  kwtest::MainWindowRig rig;
  rig.env->EtcData.destination = 5;
  rig.env->EtcData.firstFlag = 1;
  rig.Build(&kwres::kTextEnglish);
  rig.main->OpenSheet(kCommon);
  EXPECT_EQ(rig.window->CurrentSheet()->Grid()->RowCount(), rowsWith[kCommon] - 4);
  rig.main->OpenSheet(kAbBand);
  cuiSheet& ab = *rig.window->CurrentSheet();
  EXPECT_EQ(ab.Grid()->RowCount(), rowsWith[kAbBand] - 7);
  const Column a = DataColumn(ab, 3);
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a.back().first, CL_Common_BankLink_U_Z) << "the page ends after Bank Link U-Z";
}

TEST_F(PageClassesTest, TheYourCallPageGrowsWithItsListAndPrintsOnlyWithEntries) {
  Build();
  SetYourCallCount(Image(), 0);
  cuiSheet& page = Open(kYourCall);
  EXPECT_EQ(typeid(page), typeid(iuiSh_ChNew_Ur));
  EXPECT_EQ(page.Grid()->RowCount(), 12);
  EXPECT_EQ(Title(page), " Your Call Sign      (Remain 300 memories)");
  EXPECT_FALSE(page.IsPrintable());

  ASSERT_TRUE(UrListInsertNotify(Image(), EvMan(), 0));
  EXPECT_EQ(page.Grid()->RowCount(), 13);
  EXPECT_EQ(Title(page), " Your Call Sign      (Remain 299 memories)");
  EXPECT_TRUE(page.IsPrintable());
  // Only the entry's row takes part in line selection.
  const int firstRow = page.FirstDataRow();
  EXPECT_TRUE(page.GetCellSlot(3, firstRow).flags & clsSheetCellId::kRowMulti);
  EXPECT_FALSE(page.GetCellSlot(3, firstRow + 1).flags & clsSheetCellId::kRowMulti);
  EXPECT_TRUE(page.IsDataCell(3, firstRow + 1)) << "the new-entry row stays editable";

  // A count beyond the list's capacity shows the capacity, and no place
  // left.
  SetYourCallCount(Image(), 400);
  cuiSheet& full = Open(kYourCall);
  EXPECT_EQ(full.Grid()->RowCount(), 3 + 300 + 9);
  EXPECT_EQ(Title(full), " Your Call Sign      (Remain   0 memories)");
}

TEST_F(PageClassesTest, ARepeaterGroupPageShowsItsGroupAndFollowsInsertsAndDeletes) {
  Build();
  for (int g = 0; g < layout::kRptGroups; ++g) SetRptGroupCount(Image(), g, 0);
  SetRptGroupCount(Image(), 0, 3);
  SetRptGroupCount(Image(), 1, 2);
  char name[17] = "HOME REPEATERS  ";
  Image().SetBlock(layout::kRptGroupNames + 16, name, 16);

  cuiSheet& page = Open(kGroup02);
  EXPECT_EQ(typeid(page), typeid(iuiSh_ChNew_Rpt));
  EXPECT_EQ(page.Grid()->RowCount(), 16);
  EXPECT_EQ(DataColumn(page, 3), Cells(CL_Repeater_List_Type, 3, 11));
  EXPECT_EQ(Title(page), " 02: HOME REPEATERS        (Remain 1495 memories)");

  const cmcEvAnsList answers = EvMan().Query(ev::QueryListRange);
  ASSERT_EQ(answers.size(), 1u);
  ASSERT_NE(answers.front().DataAs<ListRangeAnswer>(), nullptr);
  EXPECT_EQ(*answers.front().DataAs<ListRangeAnswer>(), (ListRangeAnswer{1, 3, 2}));
  EXPECT_EQ(GetActiveRptGroupRange(Image(), EvMan()), (ListRange{1, 3, 4, 2}));

  const std::vector<int> before = Indexes(page);
  // A stray insert event, or another list's, changes nothing.
  EvMan().Send(ev::ListRowInserted);
  EXPECT_EQ(Indexes(page), before);
  ASSERT_TRUE(UrListInsertNotify(Image(), EvMan(), 0));
  EXPECT_EQ(Indexes(page), before);

  ASSERT_TRUE(RptListInsertNotify(Image(), EvMan(), 1, 4));
  EXPECT_EQ(page.Grid()->RowCount(), 17);
  EXPECT_EQ(DataColumn(page, 3), Cells(CL_Repeater_List_Type, 3, 12));
  EXPECT_EQ(Title(page), " 02: HOME REPEATERS        (Remain 1494 memories)");
  EXPECT_EQ(GetActiveRptGroupRange(Image(), EvMan()), (ListRange{1, 3, 5, 3}));

  ASSERT_TRUE(RptListDeleteNotify(Image(), EvMan(), 1, 4));
  EXPECT_EQ(page.Grid()->RowCount(), 16);
  EXPECT_EQ(Indexes(page), before);

  // An earlier group grows: the page's entries start one later.
  ASSERT_TRUE(RptListInsertNotify(Image(), EvMan(), 0, 0));
  EXPECT_EQ(page.Grid()->RowCount(), 16);
  EXPECT_EQ(DataColumn(page, 3), Cells(CL_Repeater_List_Type, 4, 11));
}

TEST_F(PageClassesTest, AGpsGroupPageTitlesItsGroupAndAlarm) {
  Build();
  struct Case {
    const char* reference;
    GpsAlarm alarm;
    const char* begins;
    const char* alarmText;
  };
  const Case cases[] = {
      {"[St_ChGps]GI_Sheet_GPS_BankCH,221,GpsMemory  0", {0, 0, 0}, " (No Group)", "OFF"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,221,GpsMemory  0", {1, 0, 0}, " (No Group)", "RX"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,222,GpsMemory  1", {2, 0, 0}, " A: ", "Group"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,222,GpsMemory  1", {2, 2, 0}, " A: ", "Group"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,222,GpsMemory  1", {2, 3, 0}, " A: ", "OFF"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,222,GpsMemory  1", {3, 1, 0}, " A: ", "Memory"},
      {"[St_ChGps]GI_Sheet_GPS_BankCH,223,GpsMemory  2", {3, 1, 0}, " B: ", "OFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reference) + " " + c.alarmText);
    SetGpsAlarm(Image(), c.alarm);
    cuiSheet& page = Open(c.reference);
    EXPECT_EQ(typeid(page), typeid(iuiSh_ChNew_GpsMemory));
    const std::string title = Title(page);
    EXPECT_EQ(title.rfind(c.begins, 0), 0u) << title;
    const std::string tail = std::string("      (Alarm: ") + c.alarmText + ")      (Remain " +
                             std::to_string(300 - GpsOrderCount(Image())) + " memories)";
    EXPECT_TRUE(title.ends_with(tail)) << title;
  }
}

// The pages whose columns a view option hides, with the mask each group
// stores: the hidden columns are 0 wide and no longer data.
TEST_F(PageClassesTest, ViewCutsHideTheirColumnsAndNothingElse) {
  Build();
  struct Case {
    const char* reference;
    const char* group;
    int mask;
    int first;
    int last;
  };
  const Case cases[] = {
      {kMemory0, "memory", 0x7F, -1, -1},
      {kMemory0, "memory", 0x7E, 10, 14},
      {kBankA, "bank", 0x7E, 11, 15},
      {kCall, "call", 0x7E, 9, 13},
      {kMemory0, "memory", 0x7D, 15, 16},
      {kMemory0, "memory", 0x7B, 17, 19},
      {kReceived, "rxcallrecord", 0x77, 13, 19},
      {kReceived, "rxcallrecord", 0x3F, 26, 34},
      {kReceived, "rxcallrecord", 0x7F, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reference) + " mask " + std::to_string(c.mask));
    StoreMask(c.group, c.mask);
    cuiSheet& page = Open(c.reference);
    const int ref = page.Grid()->FixedRows();
    for (int col = 3; col < page.Grid()->ColCount(); ++col) {
      const bool cut = col >= c.first && col <= c.last;
      EXPECT_EQ(page.Grid()->ColWidth(col) == 0, cut) << "column " << col;
      EXPECT_EQ(page.IsDataCell(col, ref), !cut) << "column " << col;
    }
    // A resize and the clamp that follows never widen a hidden column.
    rig_.window->resize(rig_.window->width() - 37, rig_.window->height());
    QApplication::processEvents();
    page.ClampColWidths();
    for (int col = std::max(c.first, 0); col <= c.last; ++col)
      EXPECT_EQ(page.Grid()->ColWidth(col), 0) << "column " << col;
    StoreMask(c.group, 0x7F);
  }
}

TEST_F(PageClassesTest, AHiddenGroupsClosingRuleMovesToTheColumnBeforeIt) {
  Build();
  StoreMask("memory", 0x7F);
  cuiSheet& shown = Open(kMemory0);
  std::vector<int> rules14;
  for (int r = 0; r < shown.Grid()->RowCount(); ++r)
    rules14.push_back(static_cast<int>(shown.GetCell(14, r)->GetRightRule()));
  StoreMask("memory", 0x7E);
  cuiSheet& cut = Open(kMemory0);
  for (int r = 0; r < cut.Grid()->RowCount(); ++r)
    EXPECT_EQ(static_cast<int>(cut.GetCell(9, r)->GetRightRule()),
              rules14[static_cast<std::size_t>(r)])
        << "row " << r;
}

// A cut made on one page reaches every page that shows the group.
TEST_F(PageClassesTest, ACutMadeOnAMemoryPageReachesTheBankAndReceivedCallPages) {
  Build();
  cuiSheet& memory = Open(kMemory0);
  const int row = memory.FirstDataRow();
  memory.DoCellAction(3, row, 0, CL_PMenu_WX_Cut, nullptr);
  EXPECT_FALSE(Store().ColumnGroupShown(6));
  cuiSheet& memoryAgain = Open(kMemory0);
  memoryAgain.DoCellAction(3, memoryAgain.FirstDataRow(), 0, CL_PMenu_Tone_Cut, nullptr);
  EXPECT_FALSE(Store().ColumnGroupShown(0));

  cuiSheet& received = Open(kReceived);
  for (int col = 26; col <= 34; ++col) EXPECT_EQ(received.Grid()->ColWidth(col), 0) << col;
  EXPECT_GT(received.Grid()->ColWidth(13), 0);
  cuiSheet& bank = Open(kBankA);
  for (int col = 11; col <= 15; ++col) EXPECT_EQ(bank.Grid()->ColWidth(col), 0) << col;
}

TEST_F(PageClassesTest, ChannelPagesPrintWhenInUseAndChosen) {
  Build();
  // Channel 950 in bank A.
  datCh ch(&Image());
  ch.Load(itemkind::kChannel, 950);
  const bool wasUsed = ch.IsUsed();
  cuiSheet& empty = Open(kMemory900);
  EXPECT_EQ(empty.IsPrintable(), wasUsed);
  ch.flags |= datCh::kUsed;
  ch.freq = 145000000;
  ch.bank = 0;
  ch.bankSlot = 0;
  ASSERT_TRUE(ch.StoreSelf());
  RebuildBankTable(Image());

  struct Case {
    const char* reference;
    bool memoryChoice;
    bool bankChoice;
    bool prints;
  };
  const Case cases[] = {
      {kMemory900, true, true, true}, {kMemory900, false, true, false}, {kBankA, true, true, true},
      {kBankA, true, false, false},   {kReceived, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.reference) + " " + std::to_string(c.memoryChoice) +
                 std::to_string(c.bankChoice));
    rig_.main->SetPrintChoiceMemory(c.memoryChoice);
    rig_.main->SetPrintChoiceBank(c.bankChoice);
    cuiSheet& page = Open(c.reference);
    EXPECT_TRUE(page.IsPrintable());
    EXPECT_EQ(page.CanPrint(), c.prints);
  }
}

TEST_F(PageClassesTest, PagesAnswerTheirTitleAndNumber) {
  Build();
  struct Case {
    const char* reference;
    std::int32_t number;  // kind or sheet number
    bool second;          // the second number query is answered too
  };
  const Case cases[] = {{kCommon, 0, false}, {kCall, 47, true}, {kBankA, 21, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference);
    cuiSheet& page = Open(c.reference);
    const cmcEvAnsList titles = EvMan().Query(ev::QuerySheetKind);
    ASSERT_EQ(titles.size(), 1u);
    ASSERT_NE(titles.front().DataAs<std::string>(), nullptr);
    EXPECT_EQ(*titles.front().DataAs<std::string>(), page.GetTitleText());
    const cmcEvAnsList numbers = EvMan().Query(ev::QueryListNumber);
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(*numbers.front().DataAs<std::int32_t>(), c.number);
    EXPECT_EQ(EvMan().Query(ev::QueryListNumber2).size(), c.second ? 1u : 0u);
  }
}

TEST_F(PageClassesTest, ABankPageIsTitledWithItsLabelAndFreeChannels) {
  Build();
  cuiSheet& page = Open(kBankA);
  EXPECT_EQ(typeid(page), typeid(iuiSh_ColCutBank));
  datCh channels(&Image());
  const int free = channels.CountFreeChannels(itemkind::kChannel);
  const std::string title = Title(page);
  EXPECT_EQ(title.rfind(" A: ", 0), 0u) << title;
  char remain[32];
  std::snprintf(remain, sizeof remain, "      (Remain %3d CH)", free);
  EXPECT_TRUE(title.ends_with(remain)) << title;
  // A channel taken: the title follows once a list changed.
  datCh ch(&Image());
  const int channel = ch.FindFreeChannel(0);
  ASSERT_GE(channel, 0);
  ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(channel));
  ch.flags |= datCh::kUsed;
  ch.freq = 145000000;
  ASSERT_TRUE(ch.StoreSelf());
  EvMan().Send(ev::ListChanged);
  std::snprintf(remain, sizeof remain, "      (Remain %3d CH)", free - 1);
  EXPECT_TRUE(Title(page).ends_with(remain)) << Title(page);

  // A Japanese name reads as the tree shows it on an English interface.
  const char name[16] = {'\x83', '\x41', 'B', 'C', ' ', ' ', ' ', ' ',
                         ' ',    ' ',    ' ', ' ', ' ', ' ', ' ', ' '};
  Image().SetBlock(layout::kBankNames, name, 16);
  cuiSheet& renamed = Open(kBankA);
  EXPECT_EQ(Title(renamed).rfind(" A: ==BC ", 0), 0u) << Title(renamed);
}

using PageClassesDeathTest = ::testing::Test;

// A list page whose parameter names no group of its list is a fault of the
// tables: the program ends with its message.
TEST_F(PageClassesDeathTest, AGroupOutsideItsListIsFatal) {
  for (const char* reference : {"[St_RptList]GI_Sheet_RepeaterList,173,RptCH 50",
                                "[St_RptList]GI_Sheet_RepeaterList,123,RptCH",
                                "[St_ChGps]GI_Sheet_GPS_BankCH,248,GpsMemory 27",
                                "[St_ChGps]GI_Sheet_GPS_BankCH,221,Gps 0"}) {
    EXPECT_EXIT(
        {
          kwtest::MainWindowRig rig;
          rig.Build(&kwres::kTextEnglish);
          rig.main->OpenSheet(reference);
        },
        ::testing::ExitedWithCode(3), "Illegal list group")
        << reference;
  }
}

}  // namespace
