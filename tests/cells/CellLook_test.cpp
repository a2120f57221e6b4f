// What converters change on their cell: alignment, text colour, the grey
// read-only look, and the call-sign popup's pick through the parent capsule.
#include "cells/CellLook.h"

#include <gtest/gtest.h>

#include <array>

#include "CapsuleKit.h"
#include "cells/CallSignConverters.h"
#include "cells/CodeConverters.h"
#include "cells/ConverterContext.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "sheet/cmcCellObj.h"

namespace {

using kwtest::Key;
using kwtest::Query;

TEST(CellLook, DigitalCodeCellsAlignRight) {
  cmcCellObj cell;
  cmcCellCapsule cap = Query();
  cap.cell = &cell;
  std::uint8_t v = 7;
  int status = 0;
  EditDigitalCode(cap, v, status);
  EXPECT_EQ(cell.HorizontalAlign(), HAlign::Right);
  // Without a cell nothing is touched.
  cap.cell = nullptr;
  EditDigitalCode(cap, v, status);
}

TEST(CellLook, MemoryBytesThatDifferFromTheSnapshotAreRed) {
  const ConverterContext ctx;
  cmcCellObj basic;
  basic.font = DefaultFontSpec();
  cmcCellObj cell;
  cell.Reset(&basic);
  cmcCellCapsule cap = Query();
  cap.cell = &cell;
  std::uint8_t v = 0x12;
  int status = 0;
  EditHexBits(ctx, cap, v, 0x13, 0, 0, status);
  EXPECT_EQ(cell.EffectiveFont().color, color::kRed);
  EditHexBits(ctx, cap, v, 0x12, 0, 0, status);
  EXPECT_EQ(cell.EffectiveFont().color, basic.EffectiveFont().color);
}

TEST(CellLook, GrayOutCellLooksReadOnlyAndDropsTypingKeys) {
  struct Case {
    int key, after;
  } cases[] = {{'A', 0}, {cellop::kEnter, 0}, {cellop::kSpace, 0},        {1, 0},
               {126, 0}, {127, 127},          {cellop::kF2, cellop::kF2}, {0, 0}};
  for (const auto& c : cases) {
    cmcCellObj cell;
    cmcCellCapsule cap = Key(c.key);
    cap.cell = &cell;
    GrayOutCell(cap);
    EXPECT_EQ(cap.operation, c.after) << c.key;
    EXPECT_EQ(cell.EffectiveFont().color, color::kGray);
  }
}

class RoutePopup : public ::testing::Test {
 protected:
  static constexpr int kListId = CL_You_Callsign_Cell_ChNo;
  void SetUp() override {
    image_.SetSize(layout::kImageSize);
    image_.Fill(' ');
    image_.SetBlock(layout::kUrCalls + 5 * 8, "JA1YXX B", 8);
    image_.SetBlock(layout::kUrCalls + 299 * 8, "W1AW    ", 8);
    ctx_.repeaterDialog = false;
  }
  int Pick(int cellId, int index, int mode, std::array<char, 8>& field) {
    cmcCellObj picked;
    picked.cellId = cellId;
    picked.index = index;
    cmcCellCapsule parent;
    parent.cell = &picked;
    cmcCellCapsule cap = Query();
    cap.parent = &parent;
    cap.mode = mode;
    int status = 0;
    return EditRouteCallSign(ctx_, cap, field, &image_, kListId, true, status);
  }
  cmcEeprom image_;
  ConverterContext ctx_;
};

TEST_F(RoutePopup, PickCopiesAYourCallSignOrCq) {
  struct Case {
    int index;
    int changed;
    const char* stored;
  } cases[] = {{255, 1, "CQCQCQ  "},
               {5, 1, "JA1YXX B"},
               {299, 1, "W1AW    "},
               {300, 0, "OLD     "},
               {-1, 0, "OLD     "}};
  for (const auto& c : cases) {
    std::array<char, 8> field{'O', 'L', 'D', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(Pick(kListId, c.index, cellmode::kChoice, field), c.changed) << c.index;
    EXPECT_EQ(std::string(field.data(), 8), c.stored) << c.index;
  }
}

TEST_F(RoutePopup, OtherModesAndOtherCellsPickNothing) {
  std::array<char, 8> field{'O', 'L', 'D', ' ', ' ', ' ', ' ', ' '};
  EXPECT_EQ(Pick(kListId, 255, cellmode::kRequest, field), 0);
  EXPECT_EQ(Pick(CL_Null, 255, cellmode::kChoice, field), 0);
  EXPECT_EQ(std::string(field.data(), 8), "OLD     ");
  // Without an image there is no list to copy from.
  cmcCellObj picked;
  picked.cellId = kListId;
  picked.index = 5;
  cmcCellCapsule parent;
  parent.cell = &picked;
  cmcCellCapsule cap = Query();
  cap.parent = &parent;
  cap.mode = cellmode::kChoice;
  int status = 0;
  EXPECT_EQ(EditRouteCallSign(ctx_, cap, field, nullptr, kListId, true, status), 0);
}

}  // namespace
