// kw-test: gui
// kw-test: with=ListEditHarness.cpp
// kw-test: link=kw_test_model_support
// The row commands of the channel and scan-edge lists: copy, paste, carry,
// clear, delete and insert, with their questions, events, status texts,
// selection and cursor, and the selected channel and link memberships that
// follow them.
#include <gtest/gtest.h>

#include "ListEditHarness.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "platform/MessageBoxService.h"

namespace {

using kwtest::ListEditHarness;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kCh = itemkind::kChannel;
constexpr std::uint32_t kEdge = itemkind::kScanEdge;
constexpr int kOk = platform::mb::IdOk;
constexpr int kCancel = platform::mb::IdCancel;

TEST(ListEditChannelTest, CopyKeepsTheRowsSelectedAndReports) {
  ListEditHarness h;
  const cmcCellCapsule c = h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 7);
  EXPECT_EQ(h.clip.Count(), 3);
  EXPECT_EQ(h.clip.Kind(), kCh);
  EXPECT_EQ(c.selectionBits & cellselect::kSelectRows, cellselect::kSelectRows);
  EXPECT_EQ(c.firstSelected, 5);
  EXPECT_EQ(c.lastSelected, 7);
  EXPECT_EQ(h.Events(), (Lines{"send 4 Copied."}));
  EXPECT_EQ(h.modified, 0);
}

TEST(ListEditChannelTest, PasteAtTheListEndAsksAndWritesWhatFits) {
  ListEditHarness h;
  h.SetChannel(8, "D", 148000000);
  h.SetChannel(9, "F", 149000000);
  h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 9);
  h.Events();
  h.boxes.Answer(kOk);  // only the overflow question: the target rows are empty
  const cmcCellCapsule c = h.Run(CL_PMenu_Paste, kCh, 997, 900, 999);
  EXPECT_EQ(h.Boxes(),
            (Lines{"31 The copied rows run past the end of the list. Paste only the rows "
                   "that fit?"}));
  EXPECT_EQ(h.ChannelName(997), "A");
  EXPECT_EQ(h.ChannelName(998), "B");
  EXPECT_EQ(h.ChannelName(999), "C");
  EXPECT_EQ(h.ChannelName(1000), h.ChannelName(1000));  // call channels untouched
  EXPECT_EQ(c.firstSelected, 997);
  EXPECT_EQ(c.lastSelected, 999);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Pasted.", "post 15"}));
  EXPECT_EQ(h.modified, 1);
}

TEST(ListEditChannelTest, DeclinedQuestionsLeaveTheImageAsItWas) {
  const struct {
    int command, cursor, first, last;
  } cases[] = {
      {CL_PMenu_Paste, 98, -1, -1},  // overflow declined
      {CL_PMenu_Paste, 5, -1, -1},   // overwrite declined
      {CL_PMenu_Clear, 5, 5, 7},     {CL_PMenu_Delete, 5, 5, 6},
      {CL_PMenu_Insert, 90, 90, 99},  // Z in row 99 would be lost
  };
  for (const auto& c : cases) {
    ListEditHarness h;
    h.SetChannel(99, "Z", 145500000);
    h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 7);
    h.Events();
    const cmcEeprom before = h.image;
    h.boxes.Answer(kCancel);
    h.Run(c.command, kCh, c.cursor, 0, 99, c.first, c.last);
    EXPECT_EQ(h.Boxes().size(), 1u) << c.command;
    EXPECT_TRUE(before == h.image) << c.command;
    EXPECT_TRUE(h.Events().empty()) << c.command;
    EXPECT_EQ(h.modified, 0) << c.command;
  }
}

TEST(ListEditChannelTest, PastingAnEmptyRowOverTheSelectedChannelDropsTheSelection) {
  ListEditHarness h;
  h.Run(CL_PMenu_Copy, kCh, 10, 0, 99);  // an empty row
  h.boxes.Answer(kOk);                   // overwrite channel 20
  h.Run(CL_PMenu_Paste, kCh, 20, 0, 99);
  EXPECT_EQ(h.ChannelName(20), "");
  EXPECT_EQ(GetSelectedChannel(h.image), kNoSelectedChannel);
}

TEST(ListEditChannelTest, CarryDownExchangesTheBlockWithTheRowBelow) {
  ListEditHarness h;
  h.SetChannel(8, "D", 148000000);
  SetSelectedChannel(h.image, 8);
  const cmcCellCapsule c = h.Run(CL_PMenu_CarryDown, kCh, 7, 0, 9, 5, 7);
  EXPECT_EQ(h.ChannelName(5), "D");
  EXPECT_EQ(h.ChannelName(6), "A");
  EXPECT_EQ(h.ChannelName(8), "C");
  EXPECT_EQ(c.firstSelected, 6);
  EXPECT_EQ(c.lastSelected, 8);
  EXPECT_EQ(c.followUpFlag, 1);
  EXPECT_EQ(c.targetIndex, 8);
  EXPECT_EQ(c.targetCellId, CL_Mch_Freq);
  EXPECT_EQ(c.targetCategory, CT_Conv);
  EXPECT_EQ(GetSelectedChannel(h.image), 5);  // the row jumped over went to the far end
  EXPECT_EQ(h.Events(), (Lines{"send 45"}));
  EXPECT_EQ(h.modified, 1);
  // The bank assignment travels with the channel.
  EXPECT_EQ(h.Load(kCh, 8).bank, 0u);
  EXPECT_EQ(h.Load(kCh, 8).bankSlot, 3u);
}

TEST(ListEditChannelTest, SelectedChannelFollowsACarry) {
  const struct {
    int selected, d, after;
  } cases[] = {{6, -1, 5}, {4, -1, 7}, {8, -1, 8}, {6, 1, 7}, {8, 1, 5}, {4, 1, 4}};
  for (const auto& c : cases) {
    ListEditHarness h;
    SetSelectedChannel(h.image, static_cast<std::uint16_t>(c.selected));
    h.Run(c.d < 0 ? CL_PMenu_CarryUp : CL_PMenu_CarryDown, kCh, 5, 0, 99, 5, 7);
    EXPECT_EQ(GetSelectedChannel(h.image), c.after) << c.selected << " " << c.d;
  }
}

TEST(ListEditChannelTest, CarryAtTheListEdgeMovesNothing) {
  ListEditHarness h;
  const cmcEeprom before = h.image;
  const cmcCellCapsule c = h.Run(CL_PMenu_CarryUp, kCh, 0, 0, 99, 0, 1);
  EXPECT_TRUE(before == h.image);
  EXPECT_EQ(h.Events(), (Lines{"send 45"}));
  EXPECT_EQ(h.modified, 0);
  EXPECT_EQ(c.selectionBits & cellselect::kSelectRows, 0);
  h.Run(CL_PMenu_CarryDown, kCh, 99, 0, 99);
  EXPECT_EQ(h.modified, 0);
}

TEST(ListEditChannelTest, ClearAsksEvenForEmptyRowsAndDropsTheSelectedChannel) {
  ListEditHarness h;
  SetSelectedChannel(h.image, 6);
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Clear, kCh, 5, 0, 99, 5, 6);
  EXPECT_EQ(h.Boxes(), (Lines{"31 Clear the selected rows?"}));
  EXPECT_EQ(h.ChannelName(5), "");
  EXPECT_EQ(h.ChannelName(6), "");
  EXPECT_EQ(h.ChannelName(7), "C");
  EXPECT_EQ(GetSelectedChannel(h.image), kNoSelectedChannel);
  EXPECT_EQ(h.Events(), (Lines{"send 45", "send 4 Cleared.", "post 18 5", "post 18 6", "post 15"}));
  EXPECT_EQ(h.modified, 1);

  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Clear, kCh, 50, 0, 99);  // empty already: asked all the same
  EXPECT_EQ(h.Boxes().size(), 1u);
}

TEST(ListEditChannelTest, DeleteClosesUpAndTheSelectedChannelFollows) {
  const struct {
    int selected, after;
  } cases[] = {{20, 17}, {11, 0xFFFF}, {9, 9}, {150, 150}, {99, 96}};
  for (const auto& c : cases) {
    ListEditHarness h;
    h.SetChannel(11, "K", 145100000);
    SetSelectedChannel(h.image, static_cast<std::uint16_t>(c.selected));
    h.boxes.Answer(kOk);
    const cmcCellCapsule capsule = h.Run(CL_PMenu_Delete, kCh, 10, 0, 99, 10, 12);
    EXPECT_EQ(GetSelectedChannel(h.image), c.after) << c.selected;
    EXPECT_EQ(h.ChannelName(17), "E");
    EXPECT_EQ(h.ChannelName(11), "");
    EXPECT_EQ(capsule.selectionBits & cellselect::kSelectRows, 0);
    EXPECT_EQ(capsule.targetIndex, 10);
  }
}

TEST(ListEditChannelTest, DeletingEmptyRowsAsksNothing) {
  ListEditHarness h;
  h.Run(CL_PMenu_Delete, kCh, 10, 0, 99, 10, 12);  // an unexpected box would fail the test
  EXPECT_EQ(h.ChannelName(17), "E");
  const Lines events = h.Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "post 15");
}

TEST(ListEditChannelTest, InsertPushesRowsDownAndTheSelectedChannelFollows) {
  const struct {
    int selected, after;
  } cases[] = {{20, 21}, {9, 9}, {10, 11}, {99, 0xFFFF}, {150, 150}};
  for (const auto& c : cases) {
    ListEditHarness h;
    SetSelectedChannel(h.image, static_cast<std::uint16_t>(c.selected));
    const cmcCellCapsule capsule = h.Run(CL_PMenu_Insert, kCh, 10, 0, 99);
    EXPECT_EQ(GetSelectedChannel(h.image), c.after) << c.selected;
    EXPECT_EQ(h.ChannelName(21), "E");
    EXPECT_EQ(capsule.firstSelected, 10);
    EXPECT_EQ(capsule.lastSelected, 10);
  }
}

TEST(ListEditChannelTest, InsertAsksWhenTheLastRowsHoldData) {
  ListEditHarness h;
  h.SetChannel(98, "Y", 145500000);
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Insert, kCh, 5, 0, 99, 5, 6);
  EXPECT_EQ(h.Boxes(),
            (Lines{"31 The data in the last rows of the list will be lost. Insert anyway?"}));
  EXPECT_EQ(h.ChannelName(7), "A");
  EXPECT_EQ(h.ChannelName(99), "");  // Y went past the end
  EXPECT_EQ(h.Events(),
            (Lines{"send 45", "send 45", "send 4 Inserted.", "post 18 5", "post 18 6", "post 15"}));
}

TEST(ListEditChannelTest, MalformedRequestsDoNothingAtAll) {
  const struct {
    int command, cursor, first, last;
  } cases[] = {
      {CL_PMenu_Delete, 5, 7, 5},      {CL_PMenu_Clear, 5, -3, 6},    {CL_PMenu_Copy, 150, -1, -1},
      {CL_PMenu_CarryUp, 100, -1, -1}, {CL_PMenu_Insert, -1, -1, -1}, {CL_PMenu_Paste, 120, -1, -1},
      {CL_PMenu_Clear, 50, 150, 160},  // selection entirely outside the page
  };
  for (const auto& c : cases) {
    ListEditHarness h;
    h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 7);
    h.Events();
    const cmcEeprom before = h.image;
    const cmcCellCapsule capsule = h.Run(c.command, kCh, c.cursor, 0, 99, c.first, c.last);
    EXPECT_TRUE(before == h.image) << c.command;
    EXPECT_TRUE(h.Events().empty()) << c.command;
    EXPECT_EQ(capsule.selectionBits & cellselect::kSelectRows, 0) << c.command;
    EXPECT_EQ(capsule.followUpFlag, 0) << c.command;
  }
}

TEST(ListEditChannelTest, SelectedWordsThatNameNothingStayAsTheyAre) {
  ListEditHarness h;
  h.boxes.SetDefaultAnswer(kOk);
  SetSelectedChannel(h.image, 4000);
  SetSelectedRepeater(h.image, 3000);
  h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 6);
  for (int command :
       {CL_PMenu_Paste, CL_PMenu_CarryDown, CL_PMenu_Insert, CL_PMenu_Delete, CL_PMenu_Clear})
    h.Run(command, kCh, 5, 0, 99, 5, 6);
  for (int command : {CL_PMenu_CarryDown, CL_PMenu_Insert, CL_PMenu_Delete, CL_PMenu_Clear})
    h.Run(command, itemkind::kRepeater, 0, 0, 1, 0, 1, 0);
  EXPECT_EQ(GetSelectedChannel(h.image), 4000);
  EXPECT_EQ(GetSelectedRepeater(h.image), 3000);
}

TEST(ListEditChannelTest, ACapsuleWithoutACellDoesNothing) {
  ListEditHarness h;
  h.Run(CL_PMenu_Copy, kCh, 5, 0, 99, 5, 7);
  h.Events();
  const cmcEeprom before = h.image;
  for (int command :
       {CL_PMenu_Paste, CL_PMenu_Clear, CL_PMenu_Delete, CL_PMenu_Insert, CL_PMenu_CarryUp}) {
    cmcCellCapsule capsule;
    datCh record = h.Load(kCh, 5);
    ExecListEditCommand(h.doc, command, capsule, record, 0, 99);
    ExecBankEditCommand(h.doc, command, capsule, record, 0, 0, 99);
  }
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
}

TEST(ListEditChannelTest, AnotherCommandCodeOnlyReloadsTheRecord) {
  ListEditHarness h;
  const cmcEeprom before = h.image;
  h.Run(202, kCh, 5, 0, 99, 5, 7);
  h.Run(CL_PMenu_BankOff, kCh, 5, 0, 99, 5, 7);
  EXPECT_TRUE(before == h.image);
  EXPECT_TRUE(h.Events().empty());
}

// Scan edges: link memberships travel with their edges.
class ListEditEdgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int e = 0; e < 6; ++e) {
      datCh edge = h.Load(kEdge, e);
      edge.flags |= datCh::kUsed;
      edge.freq = 144000000 + 100000 * static_cast<std::uint32_t>(e);
      edge.freq2 = 146000000;
      SetText(edge.name, std::string(1, static_cast<char>('P' + e)).c_str());
      ASSERT_TRUE(edge.StoreSelf());
    }
    for (int e : {1, 3}) imageaccess::SetBit(h.image, layout::kLinkEdgeBitmaps, e, true);
    h.Events();
  }
  std::vector<int> Link0() {
    std::vector<int> edges;
    for (int e = 0; e < layout::kScanEdges; ++e)
      if (imageaccess::GetBit(h.image, layout::kLinkEdgeBitmaps, e)) edges.push_back(e);
    return edges;
  }
  char EdgeName(int e) { return h.Load(kEdge, e).IsUsed() ? h.Load(kEdge, e).name[0] : '-'; }

  ListEditHarness h;
};

TEST_F(ListEditEdgeTest, CarryTakesTheLinkBitsAlong) {
  h.Run(CL_PMenu_CarryDown, kEdge, 1, 0, 24);  // Q (in link 0) and R exchange places
  EXPECT_EQ(EdgeName(2), 'Q');
  EXPECT_EQ(Link0(), (std::vector<int>{2, 3}));
  h.Run(CL_PMenu_CarryUp, kEdge, 3, 0, 24, 2, 3);  // Q and S up over R
  EXPECT_EQ(EdgeName(1), 'Q');
  EXPECT_EQ(EdgeName(2), 'S');
  EXPECT_EQ(Link0(), (std::vector<int>{1, 2}));
}

TEST_F(ListEditEdgeTest, DeleteAndInsertTakeEdgesOutOfTheirLinks) {
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Delete, kEdge, 1, 0, 24);  // Q goes, S moves up to 2
  EXPECT_EQ(EdgeName(2), 'S');
  EXPECT_EQ(Link0(), (std::vector<int>{2}));
  h.Run(CL_PMenu_Insert, kEdge, 0, 0, 24, 0, 1);
  EXPECT_EQ(EdgeName(4), 'S');
  EXPECT_EQ(Link0(), (std::vector<int>{4}));
  // An edge pushed past the last one leaves its link.
  imageaccess::SetBit(h.image, layout::kLinkEdgeBitmaps, 24, true);
  datCh last = h.Load(kEdge, 24);
  last.flags |= datCh::kUsed;
  last.freq = 144000000;
  last.freq2 = 146000000;
  ASSERT_TRUE(last.StoreSelf());
  h.boxes.Answer(kOk);
  h.Run(CL_PMenu_Insert, kEdge, 0, 0, 24);
  EXPECT_EQ(Link0(), (std::vector<int>{5}));
}

}  // namespace
