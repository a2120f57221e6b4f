// kw-test: link=kw_test_cells_support
// Stored call signs are fixed-width bytes padded with blanks, not
// terminated: a NUL inside one is a byte like any other. Each case starts
// from a blank image under destination 16 and writes its bytes straight into
// the lists, as a damaged or foreign file would hold them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "app/WarningCheckScan.h"
#include "cells/MenuCheckCases.h"
#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/RecordChecks.h"
#include "model/RouteDisplay.h"
#include "model/DvRoute.h"
#include "model/datCh.h"
#include "resources/text/TextTables.h"
#include "support/cells/CellFrameRig.h"
#include "tests/model/BlankListsImage.h"

namespace {

using Packed = std::array<std::uint8_t, layout::kPackedCallSize>;

class StoredNulBytesTest : public ::testing::Test {
 protected:
  StoredNulBytesTest() {
    RegisterMenuCheckCases(rig_.table);
    rig_.image = kwtest::MakeBlankListsImage(16);
    texts_.SetSource(kwres::kTextEnglish);
  }

  // The state bits of a warning-check cell, as the warning check asks.
  std::uint8_t Bits(cmcCellObj& cell) {
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    rig_.frame.Handle(capsule, 0);
    return capsule.stateBits;
  }
  std::uint8_t CheckBits(std::int32_t cellId) {
    cmcCellObj cell;
    cell.category = CT_None;
    cell.cellId = cellId;
    return Bits(cell);
  }

  // Warnings and errors over the whole check list of the program's table.
  int FaultTotal() {
    const warningcheck::ScanResult r = warningcheck::ScanWarningCheckList(
        texts_, [this](cmcCellObj& cell) { return Bits(cell); });
    return r.warnings + r.errors;
  }

  // The next repeater of group 0 through the codec; with `packed`, that
  // packed call sign is then written over record byte 9 as it stands.
  void AddRepeater(std::uint32_t type, std::uint32_t hz, const char* call,
                   const Packed* packed = nullptr) {
    const int i = GetRptTotalCount(rig_.image);
    ASSERT_TRUE(RptListInsert(rig_.image, 0, i));
    datCh r(&rig_.image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    r.rptMode = type;
    SetText(r.rptCall, call);
    r.freq = hz;
    r.duplex = 2;
    r.offset = 5000000;
    ASSERT_TRUE(r.StoreSelf());
    if (packed)
      rig_.image.SetBlock(layout::RptAddress(i) + layout::rpt::kCall, packed->data(),
                          static_cast<std::int64_t>(packed->size()));
  }

  datCh Record(std::uint32_t kind, int i) {
    datCh r(&rig_.image);
    r.Load(kind, static_cast<std::uint32_t>(i));
    return r;
  }

  kwtest::CellFrameRig rig_;
  ScopedDestination none_{indDestination(16)};
  cmcGTex texts_;
};

// "JA1ABC" and two NULs, the only entry of the list.
TEST_F(StoredNulBytesTest, AYourCallSignWithNulBytesIsItsOwnEntry) {
  const std::uint8_t call[8] = {'J', 'A', '1', 'A', 'B', 'C', 0, 0};
  rig_.image.SetBlock(layout::kUrCalls, call, 8);
  SetYourCallCount(rig_.image, 1);
  rig_.image.SetByte(layout::kUrOrderTable, 0);
  rig_.image.SetByte(layout::kUrOrderTable + 1, 0);
  ASSERT_EQ(GetYourCallCount(rig_.image), 1);

  EXPECT_FALSE(ChCheckDuplicateUr(Record(itemkind::kYourCall, 0)));
  EXPECT_EQ(CheckBits(CL_Check_URList), 0);
  EXPECT_EQ(FaultTotal(), 0);
}

// Repeater 1's packed call sign differs from repeater 0's only where it
// holds NULs, so it is no duplicate.
TEST_F(StoredNulBytesTest, RepeatersDifferingOnlyByNulBytesAreNoDuplicates) {
  using layout::rpt::kTypeDv;
  using layout::rpt::kTypeFm;
  struct Case {
    const char* what;
    std::uint32_t type;
    std::uint32_t hz0, hz1;
    const char* call0;
    Packed call1;  // packed 7-bit call sign
  } cases[] = {
      {"DV, \"ABCDEF\", NUL, \"A\"",
       kTypeDv,
       439000000,
       439000000,
       "ABCDEF A",
       {0x83, 0x0A, 0x1C, 0x48, 0xB1, 0x80, 0x41}},
      {"FM, \"JA1XYZ\" and two NULs",
       kTypeFm,
       145000000,
       146000000,
       "JA1XYZ  ",
       {0x95, 0x05, 0x8D, 0x8B, 0x36, 0x80, 0x00}},
  };
  for (const Case& c : cases) {
    rig_.image = kwtest::MakeBlankListsImage(16);
    AddRepeater(c.type, c.hz0, c.call0);
    AddRepeater(c.type, c.hz1, "", &c.call1);
    ASSERT_EQ(GetRptGroupCount(rig_.image, 0), 2) << c.what;
    const datCh r0 = Record(itemkind::kRepeater, 0);
    const datCh r1 = Record(itemkind::kRepeater, 1);
    ASSERT_EQ(std::string(r0.rptCall.data(), 8), c.call0) << c.what;
    ASSERT_EQ(r1.rptCall[6], '\0') << c.what;
    EXPECT_FALSE(ChCheckDuplicateRpt(r0)) << c.what;
    EXPECT_FALSE(ChCheckDuplicateRpt(r1)) << c.what;
  }
}

// The UR route shows the call sign as stored, not the name of an entry whose
// call sign has blanks where this one has NULs.
TEST_F(StoredNulBytesTest, AUrCallSignWithNulBytesNamesNoYourCallEntry) {
  ASSERT_TRUE(UrListInsert(rig_.image, 0));
  datCh entry = Record(itemkind::kYourCall, 0);
  SetText(entry.urCall, "JA1ABC  ");
  SetText(entry.name, "Taro");
  ASSERT_TRUE(entry.StoreSelf());

  datCh channel = Record(itemkind::kChannel, 0);
  const char ur[8] = {'J', 'A', '1', 'A', 'B', 'C', 0, 0};
  std::copy(ur, ur + 8, channel.urCall.begin());
  ResetChannelRoute(channel);
  EXPECT_EQ(std::string(channel.urRoute.data(), 16), std::string(ur, 8) + std::string(8, ' '));
  EXPECT_EQ(channel.urRouteIndex, kRouteNone);
}

}  // namespace
