// kw-test: link=kw_test_cells_support
// The check scans over the fixture image (support/model/CellFixtureImage.h).
#include "cells/CheckScans.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/indDestination.h"
#include "support/model/CellFixtureImage.h"

namespace {

class CheckScansTest : public ::testing::Test {
 protected:
  ScopedDestination destination_{indDestination(0)};
  cmcEeprom image_ = kwtest::MakeCellFixtureImage();
};

TEST_F(CheckScansTest, EachScanFlagsTheFaultyEntriesOfItsRange) {
  using Scan = std::function<int(cmcEeprom&)>;
  struct Case {
    const char* what;
    Scan scan;
    int expected;
  };
  const Case cases[] = {
      // Channel 11 (200 MHz) is outside the bands; 10 is fine.
      {"channel warnings 10..10", [](cmcEeprom& i) { return ScanMchRangeWarnings(i, 10, 11); }, 0},
      {"channel warnings 10..11", [](cmcEeprom& i) { return ScanMchRangeWarnings(i, 10, 12); }, 1},
      // Channel 12 (600 MHz) is above 550 MHz; 20 and 21 claim one bank slot.
      {"channel errors 10..11", [](cmcEeprom& i) { return ScanMchRangeErrors(i, 10, 12); }, 0},
      {"channel errors 10..12", [](cmcEeprom& i) { return ScanMchRangeErrors(i, 10, 13); }, 1},
      {"channel errors, empty", [](cmcEeprom& i) { return ScanMchRangeErrors(i, 12, 12); }, 0},
      {"channel errors 20..21", [](cmcEeprom& i) { return ScanMchRangeErrors(i, 20, 22); }, 1},
      {"channel errors, reversed", [](cmcEeprom& i) { return ScanMchRangeErrors(i, 13, 10); }, 0},
      // Clipped to the channels: 1000..1003 are scanned, 1004 and on are not.
      {"channel errors past the list",
       [](cmcEeprom& i) { return ScanMchRangeErrors(i, 1004, 5000); }, 0},
      // Bank A: slot 0 channel 11, slot 2 claimed by two channels (0xFFFE),
      // slot 3 channel 7 at 550.005 MHz.
      {"bank errors A 2", [](cmcEeprom& i) { return ScanBankRangeErrors(i, 0, 2, 3); }, 1},
      {"bank errors A 0..1", [](cmcEeprom& i) { return ScanBankRangeErrors(i, 0, 0, 2); }, 0},
      {"bank errors A 3", [](cmcEeprom& i) { return ScanBankRangeErrors(i, 0, 3, 4); }, 1},
      {"bank warnings A", [](cmcEeprom& i) { return ScanBankRangeWarnings(i, 0, 0, 100); }, 1},
      // A claimed-twice slot names no channel to warn about.
      {"bank warnings A 2", [](cmcEeprom& i) { return ScanBankRangeWarnings(i, 0, 2, 3); }, 0},
      {"bank errors B", [](cmcEeprom& i) { return ScanBankRangeErrors(i, 1, 0, 100); }, 0},
      {"bank outside", [](cmcEeprom& i) { return ScanBankRangeErrors(i, 26, 0, 100); }, 0},
      {"bank negative", [](cmcEeprom& i) { return ScanBankRangeErrors(i, -1, 0, 100); }, 0},
      // Edge 3 reaches 200 MHz; edge 4 stays in 144..146 MHz.
      {"edges 3", [](cmcEeprom& i) { return ScanScanEdgeChecks(i, 3, 4); }, 1},
      {"edges 4", [](cmcEeprom& i) { return ScanScanEdgeChecks(i, 4, 5); }, 0},
      // The third your call repeats the first.
      {"your calls 0..1", [](cmcEeprom& i) { return ScanYourCallChecks(i, 0, 2); }, 0},
      {"your calls 0..2", [](cmcEeprom& i) { return ScanYourCallChecks(i, 0, 3); }, 1},
      // Repeaters 0 and 1 share a call sign.
      {"repeaters 0..2", [](cmcEeprom& i) { return ScanRptGroupChecks(i, 0, 3); }, 1},
      {"repeaters 3..4", [](cmcEeprom& i) { return ScanRptGroupChecks(i, 3, 5); }, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.scan(image_), c.expected) << c.what;
}

TEST_F(CheckScansTest, ABankSlotClaimedTwiceIsAnErrorButAFreeSlotIsNot) {
  const std::int64_t slot2 = layout::BankTableEntry(0, 2);
  ASSERT_EQ(imageaccess::Get16(image_, slot2), layout::kBankSlotClash);
  imageaccess::Set16(image_, slot2, layout::kBankSlotFree);
  EXPECT_EQ(ScanBankRangeErrors(image_, 0, 2, 3), 0);
  // A damaged word between the channels and the markers names nothing.
  imageaccess::Set16(image_, slot2, 1004);
  EXPECT_EQ(ScanBankRangeErrors(image_, 0, 2, 3), 0);
}

TEST_F(CheckScansTest, ScansOnlyReadTheImage) {
  const cmcEeprom before = image_;
  ScanMchRangeWarnings(image_, 0, 1004);
  ScanMchRangeErrors(image_, 0, 1004);
  for (int bank = 0; bank < 26; ++bank) {
    ScanBankRangeWarnings(image_, bank, 0, 100);
    ScanBankRangeErrors(image_, bank, 0, 100);
  }
  ScanScanEdgeChecks(image_, 0, 25);
  ScanYourCallChecks(image_, 0, 3);
  ScanRptGroupChecks(image_, 0, 5);
  EXPECT_EQ(image_, before);
}

}  // namespace
