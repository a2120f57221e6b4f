// kw-test: link=kw_test_cells_support
// The TX message sheet: numbers and texts edited in place.
#include "cells/TxMessageCases.h"

#include <gtest/gtest.h>

#include <string>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "model/LayoutFixedAreas.h"

namespace {

using kwtest::CommitOnGrid;
using kwtest::Shown;

class TxMessageCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTextTable(rig_.texts, TextTable::English);
    RegisterTxMessageCases(rig_.table);
  }
  kwtest::CellFrameRig rig_;
};

TEST_F(TxMessageCasesTest, AMessageIsStoredBlankPaddedInItsOwnField) {
  auto sheet = rig_.Sheet("201");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_Tx_Message_ChNo, 3)), "3");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_Tx_Message_Code, 4), "QRV on 145.00");
  char stored[2 * layout::kTxMessageSize];
  rig_.image.GetBlock(layout::TxMessageAddress(4), stored, layout::kTxMessageSize);
  EXPECT_EQ(std::string(stored, layout::kTxMessageSize), "QRV on 145.00       ");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_Tx_Message_Code, 4)), "QRV on 145.00");
  // The settings after the five messages keep their bytes.
  const cmcEeprom before = rig_.image;
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_Tx_Message_Code, 5), "too far");
  EXPECT_EQ(rig_.image, before);
}

}  // namespace
