// kw-test: gui
// kw-test: link=kw_test_cells_support
// The numbering and label cells of the list sheets and the top page, and
// the grey pillar painted into a bitmap.
#include <gtest/gtest.h>

#include <QImage>

#include "ChannelCellsRig.h"
#include "cells/names/CellNames.h"
#include "sheet/cuiPainterCanvas.h"

namespace {

class LabelCasesTest : public ::testing::Test {
 protected:
  kwtest::ChannelCellsRig r_;
  std::unique_ptr<kwtest::FixtureSheet> sheet_ = r_.rig.Sheet("0,0");
};

TEST_F(LabelCasesTest, LabelsShowTheRowTheyStandIn) {
  r_.rig.host.versionText = "1.20";
  r_.rig.host.yearsText = "2014-2015";
  const struct {
    std::int32_t cellId, index;
    const char* text;
  } cases[] = {
      {CL_Misc_ChNo_0Base, 4, "4"},
      {CL_Misc_ChNo_1Base, 7, "8"},
      {CL_Misc_BankNm, 2, "C"},
      {CL_Misc_ChInfo_No, 3, " P03 (03A-03B)"},
      {CL_Misc_ChNo_PLink, 27, "1"},
      {CL_Misc_ChNo_PLink, 26, "0"},
      {CL_Misc_ChNo_Edge, 5, "02B"},
      {CL_Misc_ChNo_Edge, 24, "12A"},
      {CL_Misc_GroupNm, 9, "09"},
      {CL_Misc_QuarterPillar, 0, ""},
      {CL_Top_Version, 0, "Revision 1.20"},
      {CL_Top_Copyright, 0, "Copyright (C) 2014-2015 Quor Inc. All rights reserved."},
  };
  for (const auto& c : cases) {
    cmcCellObj& cell = sheet_->Cell(CT_Null, c.cellId, c.index);
    EXPECT_EQ(r_.Text(*sheet_, cell), c.text) << GetCellIdName(c.cellId) << " at " << c.index;
  }
}

TEST_F(LabelCasesTest, PillarFillsTheLowerThreeTenthsWithoutItsBottomEdge) {
  QImage bitmap(10, 30, QImage::Format_RGB32);
  bitmap.fill(Qt::white);
  {
    cuiPainterCanvas canvas(&bitmap);
    ASSERT_TRUE(canvas.Begin());
    canvas.SetBrushColor(Qt::white);
    cmcCellObj& cell = sheet_->Cell(CT_Null, CL_Misc_QuarterPillar, 0);
    cmcCellCapsule capsule = kwtest::ChannelCellsRig::Prepare(*sheet_, cell);
    capsule.canvas = &canvas;
    capsule.cellRect = QRect(0, 0, 10, 20);  // top 0, bottom 20
    r_.rig.frame.Handle(capsule, 0);
    EXPECT_EQ(canvas.BrushColor(), QColor(Qt::white)) << "the brush is given back";
    canvas.End();
  }
  for (int y = 0; y < 30; ++y) {
    const QRgb expected = (y >= 14 && y <= 19) ? qRgb(0x80, 0x80, 0x80) : qRgb(255, 255, 255);
    EXPECT_EQ(bitmap.pixel(5, y), expected) << "row " << y;
  }
}

}  // namespace
