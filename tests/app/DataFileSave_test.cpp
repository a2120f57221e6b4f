// What saving in an older layout reports as lost, on documents that an
// older file gave (so that every setting is one the old layout holds) with
// one thing added that it cannot hold as it is.
#include "app/DataFileSave.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/ImagePasses.h"
#include "core/cmcEvMan.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/ItemKinds.h"
#include "model/ListEdit.h"
#include "model/MemMapConvert.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

constexpr int kDestination = 5;

class OldLayoutLossTest : public ::testing::Test {
 protected:
  OldLayoutLossTest()
      : destination_(kDestination),
        inForce_(destination_),
        initial_(imagepass::BuildInitialImage(destination_, false)) {}

  // The document a file of the revision gives: the default image there and
  // back, through the loading passes.
  cmcEeprom FromFileOf(int revision) {
    cmcEeprom old;
    MemMapConvertImage(old, FullImageFromDefault(BuildDefaultImage(kDestination)), revision, 3);
    cmcEeprom image;
    MemMapConvertImage(image, old, 3, revision);
    imagepass::PrepareImage(image, destination_);
    imagepass::NormalizeImage(image, initial_, destination_, false);
    return image;
  }

  OldLayoutLoss Predict(const cmcEeprom& document, int revision) {
    return savefile::PredictOldLayoutLoss(document, {initial_, destination_, false}, revision);
  }

  ScopedEvMan bus_;
  indDestination destination_;
  ScopedDestination inForce_;
  cmcEeprom initial_;
};

TEST_F(OldLayoutLossTest, OnlyWhatTheOldLayoutCannotHoldIsReported) {
  struct Case {
    const char* name;
    int revision;
    std::function<void(cmcEeprom&)> add;
    OldLayoutLoss expected;
  };
  const auto repeaterInGroup = [](int group) {
    return [group](cmcEeprom& image) {
      ASSERT_TRUE(RptListInsert(image, group, 0));
      datCh r(&image);
      r.Load(itemkind::kRepeater, 0);
      SetText(r.rptCall, "JR1ABC A");
      ASSERT_TRUE(r.StoreSelf());
    };
  };
  // A repeater whose tone mode the oldest layout lacks (it becomes 1).
  const auto toneMode2 = [](cmcEeprom& image) {
    ASSERT_TRUE(RptListInsert(image, 0, 0));
    datCh r(&image);
    r.Load(itemkind::kRepeater, 0);
    r.rptMode = 1;  // analogue
    r.duplex = 1;
    r.offset = 600000;
    r.freq = 145600000;
    SetText(r.rptCall, "GB3XX   ");
    r.rptToneMode = 2;
    ASSERT_TRUE(r.StoreSelf());
  };
  const Case cases[] = {
      {"nothing added, 1.10", 2, [](cmcEeprom&) {}, {}},
      {"nothing added, 1.00", 1, [](cmcEeprom&) {}, {}},
      {"a group the old layout holds", 2, repeaterInGroup(29), {}},
      // Its entries go with the group: no group of the old layout holds them.
      {"a group beyond the old layout", 2, repeaterInGroup(35), {.repeaters = 1, .groups = 1}},
      {"tone mode 2, 1.10", 2, toneMode2, {}},
      {"tone mode 2, 1.00", 1, toneMode2, {.settingsReset = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cmcEeprom document = FromFileOf(c.revision);
    c.add(document);
    const cmcEeprom before = document;
    const OldLayoutLoss loss = Predict(document, c.revision);
    EXPECT_EQ(loss.repeaters, c.expected.repeaters);
    EXPECT_EQ(loss.groups, c.expected.groups);
    EXPECT_EQ(loss.yourCalls, c.expected.yourCalls);
    EXPECT_EQ(loss.gpsMemories, c.expected.gpsMemories);
    EXPECT_EQ(loss.channelsChanged, c.expected.channelsChanged);
    EXPECT_EQ(loss.settingsReset, c.expected.settingsReset);
    EXPECT_EQ(document, before);
  }
}

}  // namespace
