// kw-test: link=kw_test_cells_support
// Scan-edge and program-link cells: a frequency typed on an unused edge
// makes an edge of that one frequency, ends in two bands leave mode and step
// unset, and a link row shows and renames the edge it holds.
#include <gtest/gtest.h>

#include "ChannelCellsRig.h"
#include "cells/names/CellNames.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"

namespace {

using kwtest::ChannelCellsRig;

class ScanEdgeLinkCellsTest : public ::testing::Test {
 protected:
  void SetEdge(int n, std::uint32_t low, std::uint32_t high, const char* name) {
    datCh edge = r_.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
    edge.flags |= datCh::kUsed;
    edge.freq = low;
    edge.freq2 = high;
    edge.mode = 0;
    edge.tuneStep = 0;
    SetText(edge.name, name);
    ASSERT_TRUE(edge.StoreSelf());
  }
  void Unuse(int n) {
    datCh edge = r_.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
    edge.flags &= ~datCh::kUsed;
    ASSERT_TRUE(edge.StoreSelf());
  }

  ChannelCellsRig r_;
  std::unique_ptr<kwtest::FixtureSheet> sheet_ = r_.rig.Sheet("48");
};

TEST_F(ScanEdgeLinkCellsTest, AFrequencyOnAnUnusedEdgeMakesANewEdge) {
  Unuse(6);
  r_.Commit(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Freq_Low, 6), "145.1");
  datCh edge = r_.Load(itemkind::kScanEdge, 6);
  ASSERT_TRUE(edge.IsUsed());
  EXPECT_EQ(edge.freq, 145'100'000u);
  EXPECT_EQ(edge.freq2, 145'100'000u);
  EXPECT_EQ(edge.mode, 0xFFu);
  EXPECT_EQ(edge.tuneStep, 0xFFu);
  EXPECT_EQ(std::string(edge.name.data(), 16), std::string(16, ' '));

  SetEdge(7, 144'000'000, 146'000'000, "2m");
  r_.Commit(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Freq_High, 7), "433");
  edge = r_.Load(itemkind::kScanEdge, 7);
  EXPECT_EQ(edge.freq2, 433'000'000u);
  EXPECT_EQ(edge.mode, 0xFFu) << "the ends lie in two bands";
  EXPECT_EQ(edge.tuneStep, 0xFFu);

  r_.Commit(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Name, 7), "Wide");
  EXPECT_EQ(r_.Text(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Name, 7)), "Wide");
}

TEST_F(ScanEdgeLinkCellsTest, AnUnusedEdgeShowsNothing) {
  Unuse(8);
  EXPECT_EQ(r_.Text(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Freq_Low, 8)), "");
  EXPECT_EQ(r_.Text(*sheet_, sheet_->Cell(CT_Prog, CL_PgSrch_Name, 8)), "");
}

TEST_F(ScanEdgeLinkCellsTest, ALinkRowShowsItsEdgeAndRenamesIt) {
  SetEdge(3, 144'000'000, 146'000'000, "EDGE3");
  imageaccess::Set32(r_.rig.image, layout::kLinkEdgeBitmaps + 4, 0);  // link 1 holds no edge
  datCh position = r_.Load(itemkind::kLinkPosition, 26);
  position.linkEdge = 3;
  position.linkMember = 1;
  ASSERT_TRUE(position.Store(itemkind::kLinkPosition, 26));
  auto link = r_.rig.Sheet("52,26");
  const std::int32_t row = 27;  // link 1, position 1
  EXPECT_EQ(r_.Text(*link, link->Cell(CT_Prog_Link, CL_Pglink_ScanName, row)), "EDGE3");
  EXPECT_EQ(r_.Text(*link, link->Cell(CT_Prog_Link, CL_Pglink_Edge_A, row)), "144.000000");
  EXPECT_EQ(r_.Text(*link, link->Cell(CT_Prog_Link, CL_Pglink_Edge_B, row)), "146.000000");
  EXPECT_EQ(r_.Text(*link, link->Cell(CT_Prog_Link, CL_Pglink_Edge_A, row + 1)), "");

  r_.Commit(*link, link->Cell(CT_Prog_Link, CL_Pglink_ScanName, row), "Two metres");
  EXPECT_EQ(std::string(r_.Load(itemkind::kScanEdge, 3).name.data(), 16), "Two metres      ");
}

TEST_F(ScanEdgeLinkCellsTest, ALinksNewNameRenamesItsNode) {
  r_.rig.events.clear();
  r_.Commit(*sheet_, sheet_->Cell(CT_Null, CL_PgLink_Name, 2), "Air");
  char name[16];
  r_.rig.image.GetBlock(layout::kLinkNames + 2 * 16, name, 16);
  EXPECT_EQ(std::string(name, 16), "Air             ");
  EXPECT_TRUE((std::find(r_.rig.events.begin(), r_.rig.events.end(),
                         kwtest::CellFrameRig::Event{ev::GroupRenamed, cmcEvent::Sent, 0, 2}) !=
               r_.rig.events.end()));
}

}  // namespace

namespace {

TEST_F(ScanEdgeLinkCellsTest, TheAddRowOfALinkTakesAnEdgeAndOtherRowsTakeNoKeys) {
  imageaccess::Set32(r_.rig.image, layout::kLinkEdgeBitmaps + 4, 0);  // link 1 holds no edge
  auto link = r_.rig.Sheet("52,26");
  cmcCellObj& add = link->Cell(CT_Prog_Link, CL_PgLink_No, 26);
  EXPECT_EQ(r_.Text(*link, add), "") << "the add row starts empty";

  cmcCellObj picked;  // the popup list's option for edge 5
  picked.cellId = Flex0;
  picked.index = 5;
  cmcCellCapsule pick;
  pick.cell = &picked;
  cmcCellCapsule answer = ChannelCellsRig::Prepare(*link, add);
  answer.parent = &pick;
  answer.mode = cellmode::kChoice;
  r_.rig.frame.Handle(answer, 1);
  EXPECT_TRUE(imageaccess::GetBit(r_.rig.image, layout::kLinkEdgeBitmaps + 4, 5));
  EXPECT_NE(link->redraws.back().mask & redraw::kAllData, 0);

  cmcCellObj& member = link->Cell(CT_Prog_Link, CL_PgLink_No, 27);
  EXPECT_EQ(r_.Text(*link, member), "5");
  const cmcEeprom before = r_.rig.image;
  EXPECT_EQ(r_.Key(*link, member, cellop::kSpace), kCellNothing);
  EXPECT_EQ(r_.Key(*link, member, cellop::kEnter), kCellNothing);
  EXPECT_EQ(r_.rig.image, before);
}

}  // namespace
