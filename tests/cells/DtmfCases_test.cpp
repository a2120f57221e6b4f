// kw-test: link=kw_test_cells_support
// The DTMF memory sheet: names by keypad key, digits edited in place.
#include "cells/DtmfCases.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "model/ImageAccess.h"
#include "model/LayoutFixedAreas.h"

namespace {

using kwtest::CommitOnGrid;
using kwtest::OnGrid;
using kwtest::Shown;

class DtmfCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTextTable(rig_.texts, TextTable::English);
    RegisterDtmfCases(rig_.table);
  }
  kwtest::CellFrameRig rig_;
};

TEST_F(DtmfCasesTest, MemoriesAreNamedByTheirKey) {
  auto sheet = rig_.Sheet("71");
  const std::pair<int, const char*> cases[] = {{0, "d0"},  {9, "d9"},  {10, "dA"},
                                               {13, "dD"}, {14, "d*"}, {15, "d#"}};
  for (const auto& [index, name] : cases)
    EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_DTMF_ChNo, index)), name) << index;
}

TEST_F(DtmfCasesTest, DigitsAreStoredOneCodeAByteAndOnlyInTheirMemory) {
  auto sheet = rig_.Sheet("71");
  const cmcEeprom before = rig_.image;
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_DTMF_Memory_Code, 15), "12ab*#");
  std::array<std::uint8_t, layout::kDtmfMemorySize> stored{};
  rig_.image.GetBlock(layout::DtmfMemoryAddress(15), stored.data(), stored.size());
  const std::array<std::uint8_t, 7> head = {1, 2, 10, 11, 14, 15, 0xFF};
  EXPECT_TRUE(std::equal(head.begin(), head.end(), stored.begin()));
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_DTMF_Memory_Code, 15)), "12AB*#");
  // Nothing outside the memory changed.
  cmcEeprom restored = rig_.image;
  std::array<std::uint8_t, layout::kDtmfMemorySize> old{};
  before.GetBlock(layout::DtmfMemoryAddress(15), old.data(), old.size());
  restored.SetBlock(layout::DtmfMemoryAddress(15), old.data(), old.size());
  EXPECT_EQ(restored, before);
}

TEST_F(DtmfCasesTest, AnIndexPastTheMemoriesShowsAndWritesNothing) {
  auto sheet = rig_.Sheet("71");
  const cmcEeprom before = rig_.image;
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_DTMF_Memory_Code, 16), "123");
  EXPECT_EQ(rig_.image, before);
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_DTMF_Memory_Code, 16)), "");
}

TEST_F(DtmfCasesTest, TheSpeedSteps) {
  auto sheet = rig_.Sheet("71");
  cmcCellObj& speed = sheet->Cell(CT_None, CL_Common_DTMF_SPEED, 0);
  imageaccess::CommonBlock common(rig_.image);
  common.Set8(0x3E, 3);
  EXPECT_EQ(Shown(rig_, *sheet, speed), "500ms");
  OnGrid(rig_, *sheet, speed, cellop::kSpace);
  EXPECT_EQ(common.Get8(0x3E), 0);
  OnGrid(rig_, *sheet, speed, cellop::kBackspace);
  EXPECT_EQ(common.Get8(0x3E), 3);
  // A stored value outside the list shows as such and is kept.
  common.Set8(0x3E, 9);
  EXPECT_EQ(Shown(rig_, *sheet, speed), "?9");
  EXPECT_EQ(common.Get8(0x3E), 9);
}

}  // namespace
