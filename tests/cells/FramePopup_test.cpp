// kw-test: link=kw_test_cells_support
// Context-menu commands as the cell handler runs them before any cell case:
// list edits over the sheet's rows, the call-sign selector, help, repeater
// use for a whole group, view cuts and home-channel clears.
#include <gtest/gtest.h>

#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/datCh.h"
#include "sheet/ColWidthStore.h"
#include "support/cells/CaseProbe.h"
#include "support/cells/CellFrameRig.h"

namespace {

using kwtest::CaseProbe;
using Event = kwtest::CellFrameRig::Event;

class FramePopupTest : public ::testing::Test {
 protected:
  kwtest::CellFrameRig rig_;
};

TEST_F(FramePopupTest, ListEditsCoverTheRowsOfTheSheetsList) {
  using List = ListEditRequest::List;
  struct Case {
    const char* sheet;
    std::int32_t category, cellId, index;
    std::optional<ListRangeAnswer> answer;
    std::int32_t command;
    ListEditRequest request;
  };
  const Case cases[] = {
      {"2,200",
       CT_Conv,
       CL_Mch_Name,
       257,
       {},
       CL_PMenu_Delete,
       {List::Plain, CL_PMenu_Delete, CT_Conv, CL_Mch_Name, 257, 200, 299}},
      {"2,200",
       CT_Conv,
       CL_Mch_Freq,
       200,
       {},
       CL_PMenu_CarryUp,
       {List::Plain, CL_PMenu_CarryUp, CT_Conv, CL_Mch_Freq, 200, 200, 299}},
      {"47",
       CT_Conv,
       CL_Mch_Name,
       1002,
       {},
       CL_PMenu_Copy,
       {List::Plain, CL_PMenu_Copy, CT_Conv, CL_Mch_Name, 1002, 1000, 1003}},
      {"21",
       CT_BankCh,
       CL_Mch_Name,
       57,
       {},
       CL_PMenu_BankOff,
       {List::Bank, CL_PMenu_BankOff, CT_BankCh, CL_Mch_Name, 57, 0, 99, 0, 0}},
      {"46",
       CT_BankCh,
       CL_Mch_Name,
       3,
       {},
       CL_PMenu_Paste,
       {List::Bank, CL_PMenu_Paste, CT_BankCh, CL_Mch_Name, 3, 0, 99, 0, 25}},
      {"123",
       CT_Rptlist,
       CL_Repeater_List_Name,
       3,
       ListRangeAnswer{1, 3, 2},
       CL_PMenu_Insert,
       {List::Group, CL_PMenu_Insert, CT_Rptlist, CL_Repeater_List_Name, 3, 3, 4, 1}},
      {"222",
       CT_Gps,
       CL_Gps_Name,
       2,
       ListRangeAnswer{1, 2, 3},
       CL_PMenu_Clear,
       {List::Group, CL_PMenu_Clear, CT_Gps, CL_Gps_Name, 2, 2, 4, 1}},
      {"120",
       CT_Urlist,
       CL_You_Callsign_Name,
       1,
       {},
       CL_PMenu_CarryDown,
       {List::Plain, CL_PMenu_CarryDown, CT_Urlist, CL_You_Callsign_Name, 1, 0, 2}},
      {"48",
       CT_Prog,
       CL_PgSrch_Name,
       4,
       {},
       CL_PMenu_Delete,
       {List::Plain, CL_PMenu_Delete, CT_Prog, CL_PgSrch_Name, 4, 0, 24}},
  };
  CaseProbe probe;
  for (std::int32_t id : {CL_Mch_Name, CL_Mch_Freq, CL_Repeater_List_Name, CL_Gps_Name,
                          CL_You_Callsign_Name, CL_PgSrch_Name})
    rig_.table.Register(id, probe.Case());
  for (const Case& c : cases) {
    auto sheet = rig_.Sheet(c.sheet);
    if (c.answer) sheet->AnswerListRange(*c.answer);
    rig_.host.listEdits.clear();
    sheet->DoCellAction(sheet->Cell(c.category, c.cellId, c.index), 0, c.command);
    ASSERT_EQ(rig_.host.listEdits.size(), 1u) << c.sheet << " " << c.index;
    EXPECT_EQ(rig_.host.listEdits[0], c.request) << c.sheet << " " << c.index;
  }
  EXPECT_EQ(probe.runs, 0) << "a list edit is the whole request";
}

TEST_F(FramePopupTest, BankCommandsOnASheetWithoutABankDoNothing) {
  auto sheet = rig_.Sheet("47");
  sheet->DoCellAction(sheet->Cell(CT_BankCh, CL_Mch_Name, 0), 0, CL_PMenu_Delete);
  EXPECT_TRUE(rig_.host.listEdits.empty());
}

TEST_F(FramePopupTest, EditActsAsEnterOnTheCell) {
  CaseProbe probe;
  rig_.table.Register(CL_Mch_Name, probe.Case());
  auto sheet = rig_.Sheet("0,0");
  sheet->DoCellAction(sheet->Cell(CT_Conv, CL_Mch_Name, 5), 0, CL_PMenu_Edit);
  EXPECT_EQ(probe.runs, 1);
  EXPECT_EQ(probe.key, cellop::kEnter);
  EXPECT_EQ(probe.popup, 0);
  EXPECT_EQ(rig_.host.checkDelayStarts, 1);
}

TEST_F(FramePopupTest, TheCallSignSelectorEditsTheRouteFieldOfItsCell) {
  struct Case {
    std::int32_t cellId;
    int kind;
    std::string second;
  };
  const Case cases[] = {
      {CL_Mch_DYou_Callsign, 0, ""},
      {CL_Mch_DRpt1_Callsign, 1, ""},
      {CL_Mch_DRpt2_Callsign, 2, "JP1YAA B"},
  };
  CaseProbe probe;
  for (const Case& c : cases) rig_.table.Register(c.cellId, probe.Case());
  {
    datCh channel(&rig_.image);
    channel.Load(itemkind::kChannel, 5);
    SetText(channel.rpt1Call, "JP1YAA B");
    ASSERT_TRUE(channel.StoreSelf());
  }
  auto sheet = rig_.Sheet("0,0");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellId);
    const cmcEeprom before = rig_.image;
    rig_.events.clear();
    rig_.host.dialogCalls.clear();
    cmcCellObj& cell = sheet->Cell(CT_Conv, c.cellId, 5);

    // Cancel: nothing stored, the lists still refresh.
    rig_.host.dialogAnswers.push_back({false, "CANCELED"});
    sheet->DoCellAction(cell, 0, CL_PMenu_Rpt_Set);
    ASSERT_EQ(rig_.host.dialogCalls.size(), 1u);
    EXPECT_EQ(rig_.host.dialogCalls[0].kind, c.kind);
    EXPECT_EQ(rig_.host.dialogCalls[0].second, c.second);
    EXPECT_EQ(rig_.image, before);
    rig_.Drain();
    EXPECT_EQ(rig_.events, (std::vector<Event>{{ev::ListChanged, cmcEvent::Sent, 0, 0},
                                               {ev::CellsRefreshAll, cmcEvent::Posted, 0, 0}}));

    // OK: the choice is stored in the channel.
    rig_.events.clear();
    rig_.host.dialogAnswers.push_back({true, "NEWCALL"});
    sheet->DoCellAction(cell, 0, CL_PMenu_Rpt_Set);
    datCh channel(&rig_.image);
    channel.Load(itemkind::kChannel, 5);
    const auto& field = c.kind == 0   ? channel.urCall
                        : c.kind == 1 ? channel.rpt1Call
                                      : channel.rpt2Call;
    EXPECT_EQ(std::string(field.begin(), field.end()), "NEWCALL ");
    rig_.Drain();
    EXPECT_EQ(rig_.events.size(), 2u);
    if (c.kind == 1) {
      SetText(channel.rpt1Call, "JP1YAA B");
      ASSERT_TRUE(channel.StoreSelf());
    }
  }
  EXPECT_EQ(probe.runs, 0);
}

TEST_F(FramePopupTest, WithoutASelectorTheRouteCommandDoesNothing) {
  auto sheet = rig_.Sheet("0,0");
  const cmcEeprom before = rig_.image;
  sheet->DoCellAction(sheet->Cell(CT_Conv, CL_Mch_DYou_Callsign, 5), 0, CL_PMenu_Rpt_Set);
  rig_.Drain();
  EXPECT_EQ(rig_.image, before);
  EXPECT_TRUE(rig_.events.empty());
}

TEST_F(FramePopupTest, HelpOpensAtTheCellsContextAndIsHandledOnListSheets) {
  CaseProbe probe;
  rig_.table.Register(CL_Mch_Name, probe.Case());
  rig_.table.Register(CL_Common_RxBass, probe.Case());
  auto sheet = rig_.Sheet("0,0");
  cmcCellObj& name = sheet->Cell(CT_Conv, CL_Mch_Name, 5);
  cmcCellObj& setting = sheet->Cell(CT_Null, CL_Common_RxBass, 0);

  // Without help commands nothing opens.
  sheet->DoCellAction(name, 0, CL_PMenu_Help);
  EXPECT_TRUE(rig_.host.helpShown.empty());

  rig_.host.helpContext = 1002;
  sheet->DoCellAction(name, 0, CL_PMenu_Help);
  sheet->DoCellAction(setting, 0, CL_PMenu_Help);
  EXPECT_EQ(rig_.host.helpShown, (std::vector<int>{1002, 1002}));
  // List cells end there; set-mode cells still run their case.
  EXPECT_EQ(probe.runs, 1);
}

TEST_F(FramePopupTest, RepeaterUseForAllCoversTheGroupOfARepeaterSheet) {
  auto sheet = rig_.Sheet("124");
  sheet->AnswerListRange({1, 3, 2});
  cmcCellObj& name = sheet->Cell(CT_Rptlist, CL_Repeater_List_Name, 3);
  sheet->DoCellAction(name, 0, CL_PMenu_RptUseFromAllYes);
  sheet->DoCellAction(name, 0, CL_PMenu_RptUseFromAllNo);
  using Use = kwtest::RecordingCellHost::UseFromAll;
  EXPECT_EQ(rig_.host.useFromAll, (std::vector<Use>{{3, 4, true}, {3, 4, false}}));

  // An empty group has no rows; other sheets have no repeaters.
  sheet->AnswerListRange({2, 5, 0});
  sheet->DoCellAction(sheet->Cell(CT_Rptlist, CL_Repeater_List_Name, 5), 0,
                      CL_PMenu_RptUseFromAllYes);
  auto channels = rig_.Sheet("0,0");
  channels->DoCellAction(channels->Cell(CT_Conv, CL_Mch_Name, 5), 0, CL_PMenu_RptUseFromAllYes);
  EXPECT_EQ(rig_.host.useFromAll.size(), 2u);
}

TEST_F(FramePopupTest, ViewCutsToggleTheOwningPagesAndReopenTheSheet) {
  CaseProbe probe;
  rig_.table.Register(CL_Mch_Name, probe.Case());
  rig_.texts.SetSource(kwtest::WidthListTable());
  ColWidthStore store(rig_.settings.Get(), rig_.texts);
  // The weather columns were hidden on the received-call page; the memory
  // page's mask in force does not know it.
  store.WriteColCut("rxcallrecord", 0x3F);
  auto sheet = rig_.Sheet("0,0");
  cmcCellObj& cell = sheet->Cell(CT_Conv, CL_Mch_Name, 5);
  rig_.settings->ViewCutBits = 7;
  sheet->DoCellAction(cell, 0, CL_PMenu_Tone_Cut);
  EXPECT_EQ(rig_.settings->ViewCutBits, 6);
  for (const char* group : {"memory", "bank", "call"}) EXPECT_EQ(store.ReadColCut(group), 0x7E);
  sheet->DoCellAction(cell, 0, CL_PMenu_Tone_Cut);
  EXPECT_EQ(rig_.settings->ViewCutBits, 7);
  for (const char* group : {"memory", "bank", "call"}) EXPECT_EQ(store.ReadColCut(group), 0x7F);
  // The weather toggle shows what the received-call page hides.
  sheet->DoCellAction(cell, 0, CL_PMenu_WX_Cut);
  EXPECT_EQ(rig_.settings->ViewCutBits, 0x47);
  EXPECT_EQ(store.ReadColCut("rxcallrecord"), 0x7F);
  rig_.Drain();
  // Each ends cell editing first: typed text goes in before the sheet closes.
  const Event end{ev::EndCellEditing, cmcEvent::Sent, 0, 0};
  const Event reopen{ev::ReopenSheet, cmcEvent::Posted, 1, 0};
  EXPECT_EQ(rig_.events, (std::vector<Event>{end, end, end, reopen, reopen, reopen}));
  EXPECT_EQ(probe.runs, 3) << "the cell still runs its case";
}

TEST_F(FramePopupTest, HomeChannelClearsTouchOnlyTheirBytes) {
  struct Case {
    std::int32_t cellId;
    std::int64_t first;
    int count;
    std::uint8_t value;
  };
  const Case cases[] = {
      {CL_Common_HmchVfo, 0x29B2E, 4, 0x00},
      {CL_Common_HmchMr, 0x29B32, 2, 0xFF},
      {CL_Common_HmchDr, 0x29B34, 2, 0xFF},
      {CL_Common_RxBass, 0, 0, 0},  // other cells change nothing
  };
  auto sheet = rig_.Sheet("216");
  for (const Case& c : cases) {
    for (std::int64_t a = 0x29B2E; a < 0x29B36; ++a) rig_.image.SetByte(a, 0x12);
    cmcEeprom expected = rig_.image;
    for (int k = 0; k < c.count; ++k) expected.SetByte(c.first + k, c.value);
    sheet->DoCellAction(sheet->Cell(CT_Null, c.cellId, 0), 0, CL_PMenu_HomeCH_Clear);
    EXPECT_EQ(rig_.image, expected) << c.cellId;
  }
}

}  // namespace
