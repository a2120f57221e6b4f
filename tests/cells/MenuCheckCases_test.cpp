// kw-test: link=kw_test_cells_support
// The exit and page cells and the warning-check items over the fixture image
// (support/model/CellFixtureImage.h).
#include "cells/MenuCheckCases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "model/ListCounts.h"
#include "support/cells/CellFrameRig.h"

namespace {

class MenuCheckCasesTest : public ::testing::Test {
 protected:
  MenuCheckCasesTest() { RegisterMenuCheckCases(rig_.table); }

  // Runs one cell as the warning check (and menus) do: a fresh capsule,
  // notify off; answers the state bits.
  std::uint8_t Run(std::int32_t cellId, std::int32_t key, const char* binding = nullptr) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = cellId;
    if (binding) cell.bindingText = binding;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.operation = key;
    rig_.frame.Handle(capsule, 0);
    return capsule.stateBits;
  }

  kwtest::CellFrameRig rig_;
};

TEST_F(MenuCheckCasesTest, CheckItemsMarkTheirListsFaults) {
  const int groupOfFirst = GetRptGroupOfIndex(rig_.image, 0);
  int emptyGroup = 0;
  while (GetRptGroupCount(rig_.image, emptyGroup) > 0) ++emptyGroup;
  struct Case {
    std::int32_t cellId;
    std::uint8_t bits;
  };
  const Case cases[] = {
      // Channel 11 at 200 MHz warns, channel 12 at 600 MHz is an error.
      {CL_Check_MemoryCH0, cellstate::kWarning | cellstate::kError},
      {CL_Check_MemoryCH1, 0},
      {CL_Check_MemoryCH9, 0},
      // Bank A names channel 11 and holds a slot claimed twice.
      {CL_Check_BankCHA, cellstate::kWarning | cellstate::kError},
      {CL_Check_BankCHB, 0},
      {CL_Check_ScanEdge, cellstate::kWarning},
      {CL_Check_URList, cellstate::kWarning},
      {CL_Check_RPTList0 + groupOfFirst, cellstate::kWarning},
      {CL_Check_RPTList0 + emptyGroup, 0},
  };
  const cmcEeprom before = rig_.image;
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.cellId, cellop::kQuery), c.bits) << GetCellIdName(c.cellId);
  }
  EXPECT_EQ(rig_.image, before);
  EXPECT_EQ(rig_.host.checkDelayStarts, 0);
}

TEST_F(MenuCheckCasesTest, AnEmptyYourCallListLeavesItsItemUnmarked) {
  SetYourCallCount(rig_.image, 0);
  EXPECT_EQ(Run(CL_Check_URList, cellop::kQuery), 0);
}

TEST_F(MenuCheckCasesTest, ExitAndPageCellsActOnlyOnEnter) {
  Run(CL_Menu_File_Exit, cellop::kQuery);
  EXPECT_EQ(rig_.host.closeRequests, 0);
  Run(CL_Menu_File_Exit, cellop::kEnter);
  EXPECT_EQ(rig_.host.closeRequests, 1);

  Run(CallSheet, cellop::kQuery, "[St_ColCut]GI_Sheet_MemoryCH,0,0");
  Run(CallSheet, cellop::kEnter);  // no ':' text: nothing to open
  Run(CallSheet, cellop::kEnter, "[St_ColCut]GI_Sheet_MemoryCH,0,0");
  EXPECT_EQ(rig_.host.sheetsOpened, std::vector<std::string>{"[St_ColCut]GI_Sheet_MemoryCH,0,0"});
}

// The file and clone items run their command on Enter only; New, Open and
// Save not while the main form is hidden behind the setup dialog.
TEST_F(MenuCheckCasesTest, FileAndCloneItemsRunTheirCommandsOnEnter) {
  struct Case {
    std::int32_t cellId;
    const char* command;   // "" for an event instead of a command
    bool whileHidden;      // runs while the main form is hidden
  };
  const Case cases[] = {
      {CL_Menu_File_New, "new", false},       {CL_Menu_File_Open, "open", false},
      {CL_Menu_File_Save, "save", false},     {CL_Menu_File_SaveAs, "save as", true},
      {CL_Menu_Clone_Read, "read", true},     {CL_Menu_Clone_Write, "write", true},
      {CL_Menu_Clone_Info, "", true},
  };
  for (const bool visible : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(GetCellIdName(c.cellId)) + (visible ? " shown" : " hidden"));
      rig_.host.mainFormVisible = visible;
      rig_.host.documentCommands.clear();
      rig_.events.clear();
      Run(c.cellId, cellop::kQuery);
      EXPECT_TRUE(rig_.host.documentCommands.empty());
      EXPECT_TRUE(rig_.events.empty());
      Run(c.cellId, cellop::kEnter);
      const bool runs = visible || c.whileHidden;
      const std::vector<std::string> expected =
          runs && *c.command ? std::vector<std::string>{c.command} : std::vector<std::string>{};
      EXPECT_EQ(rig_.host.documentCommands, expected);
      const bool infoSent = std::count_if(rig_.events.begin(), rig_.events.end(), [](auto& e) {
                              return e.id == ev::CloneInfoConfirmed;
                            }) == 1;
      EXPECT_EQ(infoSent, runs && !*c.command);
    }
  }
}

}  // namespace
