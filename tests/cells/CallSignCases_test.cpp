// kw-test: link=kw_test_cells_support
// My call signs and the your-call-sign list over a default image: labels,
// edits in place, the new-entry row of the your-call list and its capacity.
#include "cells/CallSignCases.h"

#include <gtest/gtest.h>

#include <string>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "model/DefaultImage.h"
#include "model/DefaultInitialImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutFixedAreas.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "platform/MessageBoxService.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using kwtest::CommitOnGrid;
using kwtest::OnGrid;
using kwtest::Shown;

std::string CallOf(const cmcEeprom& image, int i) {
  const datCh r = LoadDetached(image, itemkind::kYourCall, static_cast<std::uint32_t>(i));
  return std::string(r.urCall.begin(), r.urCall.end());
}

class CallSignCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.image = kwtest::FullFromDefaultImage(BuildDefaultImage(0));
    SelectTextTable(rig_.texts, TextTable::English);
    ASSERT_EQ(GetYourCallCount(rig_.image), 0);
    Append("JA1ABC");
    Append("JA1XYZ");
    RegisterCallSignCases(rig_.table);
  }

  void Append(const char* call) {
    const int at = GetYourCallCount(rig_.image);
    ASSERT_TRUE(UrListInsert(rig_.image, at));
    datCh r(&rig_.image);
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(at));
    SetText(r.urCall, call);
    ASSERT_TRUE(r.StoreSelf());
  }

  kwtest::CellFrameRig rig_;
};

TEST_F(CallSignCasesTest, RowLabels) {
  auto mine = rig_.Sheet("200");
  EXPECT_EQ(Shown(rig_, *mine, mine->Cell(CT_None, CL_My_Callsign_ChNo, 0)), "M00");
  EXPECT_EQ(Shown(rig_, *mine, mine->Cell(CT_None, CL_My_Callsign_ChNo, 10)), "M0A");
  auto yours = rig_.Sheet("120");
  EXPECT_EQ(Shown(rig_, *yours, yours->Cell(CT_Urlist, CL_You_Callsign_ChNo, 0)), "1");
  EXPECT_EQ(Shown(rig_, *yours, yours->Cell(CT_Urlist, CL_You_Callsign_ChNo, 1)), "2");
  EXPECT_EQ(Shown(rig_, *yours, yours->Cell(CT_Urlist, CL_You_Callsign_ChNo, 2)),
            rig_.texts.GetFirst("GI_NewChTitle"));
}

TEST_F(CallSignCasesTest, MyCallSignAndItsNoteAreEditedInPlace) {
  auto sheet = rig_.Sheet("200");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_My_Callsign_Code, 5), "jh1abc");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_None, CL_My_Callsign2_Code, 5), "ID51x");
  char stored[layout::kMyCallSignSize];
  rig_.image.GetBlock(layout::MyCallSignAddress(5), stored, sizeof stored);
  EXPECT_EQ(std::string(stored, sizeof stored), "JH1ABC  ID51");
  EXPECT_EQ(Shown(rig_, *sheet, sheet->Cell(CT_None, CL_My_Callsign_Code, 5)), "JH1ABC");
  // The neighbours keep their bytes.
  char before[layout::kMyCallSignSize];
  const cmcEeprom fresh = kwtest::FullFromDefaultImage(BuildDefaultImage(0));
  fresh.GetBlock(layout::MyCallSignAddress(4), before, sizeof before);
  rig_.image.GetBlock(layout::MyCallSignAddress(4), stored, sizeof stored);
  EXPECT_EQ(std::string(stored, sizeof stored), std::string(before, sizeof before));
}

TEST_F(CallSignCasesTest, TheNewRowTakesOnlyKeysACallSignTakes) {
  struct Case {
    const char* what;
    std::int32_t key;
    bool inserts;
  } cases[] = {
      {"minus", '-', false},
      {"dot", '.', false},
      {"query", cellop::kQuery, false},
      {"Delete", 0x7F, false},
      {"letter", 'j', true},
      {"digit", '7', true},
      {"slash", '/', true},
      {"Enter", cellop::kEnter, true},
      {"Backspace", cellop::kBackspace, true},
  };
  for (const Case& c : cases) {
    const cmcEeprom before = rig_.image;
    auto sheet = rig_.Sheet("120");
    const auto answer =
        OnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 2), c.key);
    if (c.inserts) {
      EXPECT_EQ(answer.result, kCellOpenEditor) << c.what;
      EXPECT_EQ(GetYourCallCount(rig_.image), 3) << c.what;
      ASSERT_TRUE(UrListDelete(rig_.image, 2));
    } else {
      EXPECT_EQ(answer.result, kCellNothing) << c.what;
      EXPECT_EQ(rig_.image, before) << c.what;
    }
  }
}

TEST_F(CallSignCasesTest, ATypedCallSignBecomesTheNewEntry) {
  auto sheet = rig_.Sheet("120");
  cmcCellObj& cell = sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 2);
  const auto opened = OnGrid(rig_, *sheet, cell, 'j');
  EXPECT_EQ(opened.capsule.outputText, "j");
  EXPECT_EQ(opened.capsule.maxLength, 8);
  CommitOnGrid(rig_, *sheet, cell, "jr1new");
  EXPECT_EQ(CallOf(rig_.image, 2), "JR1NEW  ");
  EXPECT_EQ(CallOf(rig_.image, 1), "JA1XYZ  ");
}

TEST_F(CallSignCasesTest, TheThreeHundredAndFirstCallSignIsRefused) {
  while (GetYourCallCount(rig_.image) < layout::kUrCapacity) Append("FILL");
  const cmcEeprom before = rig_.image;
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdOk);
  auto sheet = rig_.Sheet("120");
  const auto answer = OnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 300), 'A');
  EXPECT_EQ(answer.result, kCellNothing);
  EXPECT_EQ(rig_.image, before);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().text,
            QString::fromUtf8(rig_.texts.GetFirst("GI_AppMess_MemoryErr_Overflow")));
  EXPECT_EQ(boxes.Last().flags, platform::mb::Ok | platform::mb::IconError);
}

TEST_F(CallSignCasesTest, ADuplicateCallSignIsMarked) {
  auto sheet = rig_.Sheet("120");
  CommitOnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 1), "ja1abc");
  const auto first = OnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 0), 0);
  const auto second = OnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 1), 0);
  EXPECT_EQ(first.capsule.stateBits & cellstate::kWarning, 0);
  EXPECT_NE(second.capsule.stateBits & cellstate::kWarning, 0);
  // The new-entry row is no entry: no mark.
  const auto fresh = OnGrid(rig_, *sheet, sheet->Cell(CT_Urlist, CL_You_Callsign_Code, 2), 0);
  EXPECT_EQ(fresh.capsule.stateBits & cellstate::kWarning, 0);
  EXPECT_EQ(fresh.capsule.outputText, "");
}

}  // namespace
