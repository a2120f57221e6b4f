// kw-test: link=kw_test_model_support
// The correction of marked settings before a save with a digest line: faulty
// channels and edges take the initial record, faulty and duplicate list
// entries go (the later of two), and the save is told what happened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ImagePasses.h"
#include "core/cmcEvMan.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RecordChecks.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/model/ListFixture.h"

namespace {

using namespace layout;

const indDestination& Dest0() {
  static const indDestination destination(0);
  return destination;
}

// The initial image of destination 0, with call channel 1001 used so that
// taking its record shows whether the pass marked it unused.
const cmcEeprom& Initial() {
  static const cmcEeprom initial = [] {
    cmcEeprom image = imagepass::BuildInitialImage(Dest0(), false);
    datCh call(&image);
    call.Load(itemkind::kChannel, 1001);
    call.flags |= datCh::kUsed;
    call.freq = 145500000;
    call.Store(itemkind::kChannel, 1001);
    return image;
  }();
  return initial;
}

template <std::size_t N>
std::string Text(const datText<N>& t) {
  return std::string(t.data(), N);
}

std::vector<std::uint8_t> RecordBytes(const cmcEeprom& image, std::int64_t address, int size) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  image.GetBlock(address, bytes.data(), size);
  return bytes;
}

// A used scan edge; a high end of 600 MHz is out of band for destination 0.
void StoreEdge(cmcEeprom& image, int n, std::uint32_t low, std::uint32_t high) {
  datCh edge(&image);
  edge.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
  edge.flags = datCh::kUsed;
  edge.freq = low;
  edge.freq2 = high;
  SetText(edge.name, "EDGE");
  ASSERT_TRUE(edge.Store(itemkind::kScanEdge, static_cast<std::uint32_t>(n)));
}

std::vector<int> DrainIds(ScopedEvMan& bus) {
  std::vector<int> ids;
  bus->AddListener(&ids, [&ids](const cmcEvent& e) { ids.push_back(e.id); });
  bus->Drain();
  bus->RemoveListener(&ids);
  return ids;
}

class CorrectMarkedSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = kwtest::LoadListFixture("marked-settings.txt");
    StoreEdge(image_, 2, 144000000, 146000000);
    StoreEdge(image_, 3, 144000000, 600000000);
  }
  datCh Load(std::uint32_t kind, int i) {
    datCh r(&image_);
    r.Load(kind, static_cast<std::uint32_t>(i));
    return r;
  }

  ScopedEvMan bus_;
  cmcEeprom image_;
};

TEST_F(CorrectMarkedSettingsTest, FaultyChannelsAndEdgesTakeTheInitialRecord) {
  {
    ScopedDestination scope{Dest0()};
    ASSERT_FALSE(ChCheckFreqBand(Load(itemkind::kChannel, 4)) ||
                 ChCheckStepGrid(Load(itemkind::kChannel, 4)) ||
                 ChCheckAirbandMode(Load(itemkind::kChannel, 4)) ||
                 ChCheckTuneStep(Load(itemkind::kChannel, 4)));
    ASSERT_TRUE(ChCheckFreqBand(Load(itemkind::kChannel, 5)));
    ASSERT_TRUE(ChCheckAirbandMode(Load(itemkind::kChannel, 6)));
    ASSERT_TRUE(ChCheckStepGrid(Load(itemkind::kChannel, 7)));
    ASSERT_TRUE(ChCheckFreqBand(Load(itemkind::kChannel, 1001)));
  }
  ASSERT_EQ(GetSelectedChannel(image_), 5);
  ASSERT_EQ(imageaccess::Get16(image_, BankTableEntry(0, 3)), 7);

  imagepass::CorrectMarkedSettings(image_, Initial(), Dest0(), false);

  EXPECT_EQ(Text(Load(itemkind::kChannel, 4).name).substr(0, 4), "GOOD");
  EXPECT_TRUE(Load(itemkind::kChannel, 4).IsUsed());
  for (int n : {5, 6, 7}) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(Load(itemkind::kChannel, n).IsUsed());
    EXPECT_EQ(RecordBytes(image_, ChannelAddress(n), kChannelSize),
              RecordBytes(Initial(), ChannelAddress(n), kChannelSize));
  }
  EXPECT_EQ(GetSelectedChannel(image_), kNoSelectedChannel);
  EXPECT_EQ(imageaccess::Get16(image_, BankTableEntry(0, 3)), kBankSlotFree);
  // The call channel takes the initial record as it is, used.
  const datCh call = Load(itemkind::kChannel, 1001);
  EXPECT_TRUE(call.IsUsed());
  EXPECT_EQ(call.freq, 145500000u);

  EXPECT_TRUE(Load(itemkind::kScanEdge, 2).IsUsed());
  EXPECT_FALSE(Load(itemkind::kScanEdge, 3).IsUsed());
  EXPECT_EQ(RecordBytes(image_, kScanEdgeBase + kScanEdgeSize * 3, kScanEdgeSize),
            RecordBytes(Initial(), kScanEdgeBase + kScanEdgeSize * 3, kScanEdgeSize));
}

TEST_F(CorrectMarkedSettingsTest, ListsLoseTheLaterDuplicateAndWhatTheRadioRefuses) {
  EXPECT_TRUE(imagepass::CorrectMarkedSettings(image_, Initial(), Dest0(), false));

  struct Expect {
    int group;
    const char* call;
    std::uint32_t freq;
  } expect[] = {
      {0, "JP1YIU A", 439010000},
      {1, "JR1ABC  ", 145600000},
      {1, "        ", 145700000},  // analogue duplicate: call sign blanked, kept
      {2, "JQ1XYZ A", 0},          // digital outside every range: frequency 0, kept
  };
  ASSERT_EQ(GetRptTotalCount(image_), static_cast<int>(std::size(expect)));
  for (int i = 0; i < static_cast<int>(std::size(expect)); ++i) {
    SCOPED_TRACE(i);
    const datCh r = Load(itemkind::kRepeater, i);
    EXPECT_EQ(static_cast<int>(r.rptGroup), expect[i].group);
    EXPECT_EQ(Text(r.rptCall), expect[i].call);
    EXPECT_EQ(r.freq, expect[i].freq);
  }
  ASSERT_EQ(GetYourCallCount(image_), 2);
  EXPECT_EQ(Text(Load(itemkind::kYourCall, 0).name).substr(0, 5), "ALICE");
  EXPECT_EQ(Text(Load(itemkind::kYourCall, 1).name).substr(0, 3), "BOB");
}

// Only deletions count as changes: after the first run nothing is left to
// delete, and the second run reports no change.
TEST_F(CorrectMarkedSettingsTest, FromSaveReopensTheSheetAfterADeletionElseRefreshesIt) {
  EXPECT_TRUE(imagepass::CorrectMarkedSettings(image_, Initial(), Dest0(), true));
  EXPECT_EQ(DrainIds(bus_), std::vector<int>{ev::ReopenSheet});

  const cmcEeprom corrected = image_;
  EXPECT_FALSE(imagepass::CorrectMarkedSettings(image_, Initial(), Dest0(), true));
  EXPECT_EQ(DrainIds(bus_), std::vector<int>{ev::CellsRefreshAll});
  EXPECT_TRUE(image_ == corrected);

  EXPECT_FALSE(imagepass::CorrectMarkedSettings(image_, Initial(), Dest0(), false));
  EXPECT_TRUE(DrainIds(bus_).empty());
}

// Channel and edge resets alone are no change the save reopens for.
TEST_F(CorrectMarkedSettingsTest, ResetsWithoutDeletionsAreNoChange) {
  cmcEeprom image = Initial();
  datCh ch(&image);
  ch.Load(itemkind::kChannel, 12);
  ch.flags = datCh::kUsed;
  ch.freq = 200000000;
  ASSERT_TRUE(ch.Store(itemkind::kChannel, 12));
  EXPECT_FALSE(imagepass::CorrectMarkedSettings(image, Initial(), Dest0(), true));
  EXPECT_EQ(DrainIds(bus_), std::vector<int>{ev::CellsRefreshAll});
  ch.Load(itemkind::kChannel, 12);
  EXPECT_FALSE(ch.IsUsed());
}

}  // namespace
