// Labels of banks, link lists and groups over a small image.
#include "model/GroupLabels.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"

namespace {

class GroupLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    image_.SetSize(layout::kImageSize);
    image_.Fill(0);
    Name(layout::kBankNames + 1 * 16, "Bank B name     ");
    Name(layout::kLinkNames + 9 * 16, "Link 9          ");
    Name(layout::kGpsGroupNames + 25 * 16, "Gps Z           ");
    Name(layout::kRptGroupNames + 49 * 16, "Rpt 50          ");
  }
  void Name(std::int64_t address, const char* sixteen) { image_.SetBlock(address, sixteen, 16); }
  cmcEeprom image_;
};

TEST_F(GroupLabels, LetterOrNumberColonAndTheSixteenNameBytes) {
  EXPECT_EQ(FormatBankNameLabel(image_, 22, false), "B: Bank B name     ");
  EXPECT_EQ(FormatBankNameLabel(image_, 22, true), " B: Bank B name     ");
  EXPECT_EQ(FormatSheetNameLabel51(image_, 9, false), "9: Link 9          ");
  EXPECT_EQ(FormatGpsBankNameLabel(image_, 25, false), "Z: Gps Z           ");
  EXPECT_EQ(FormatGroupNameLabel(image_, 49, false), "50: Rpt 50          ");
  EXPECT_EQ(FormatGroupNameLabel(image_, 0, false), "01: " + std::string(16, '\0'));
}

TEST_F(GroupLabels, EntriesOutsideTheirTableGiveNoName) {
  EXPECT_EQ(FormatBankNameLabel(image_, 20, false), ": ");
  EXPECT_EQ(FormatBankNameLabel(image_, 47, true), " : ");
  EXPECT_EQ(FormatSheetNameLabel51(image_, 10, false), ": ");
  EXPECT_EQ(FormatSheetNameLabel51(image_, -1, false), ": ");
  EXPECT_EQ(FormatGpsBankNameLabel(image_, 26, false), ": ");
  EXPECT_EQ(FormatGroupNameLabel(image_, 50, false), ": ");
  cmcEeprom small;
  small.SetSize(0x100);
  EXPECT_EQ(FormatGroupNameLabel(small, 0, false), "01: ");
}

}  // namespace
