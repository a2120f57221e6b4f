// The bit-selection dialog's model: toggles, the sentence-set rules and the
// exact markup of its private sheet.
#include "sheet/FBitsModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::uint32_t Item(int k) { return 1u << (26 - k); }

TEST(FBitsModel, TogglesItemsInsideTheRangeOnly) {
  FBitsModel m(Item(21), 21, 26, bitheader::kLetters);
  EXPECT_TRUE(m.IsSet(21));
  m.Toggle(21);
  m.Toggle(23);
  m.Toggle(20);  // outside: nothing
  EXPECT_EQ(m.Flags(), Item(23));
  EXPECT_EQ(m.SetCount(), 1);
  EXPECT_TRUE(m.OkEnabled());
  EXPECT_FALSE(m.WantsMarker());
}

TEST(FBitsModel, SentenceSetsAllowOneToFourAndTheLoggerAtLeastOne) {
  struct Case {
    int kind;
    int set;  // items 1..set set
    bool ok;
  } cases[] = {{4, 0, false}, {4, 1, true}, {4, 4, true}, {4, 5, false}, {4, 6, false},
               {5, 0, false}, {5, 1, true}, {5, 4, true}, {3, 0, true},  {6, 0, true}};
  for (const auto& c : cases) {
    std::uint32_t flags = 0;
    for (int k = 1; k <= c.set; ++k) flags |= Item(k);
    FBitsModel m(flags, 1, c.kind == 5 ? 4 : 6, c.kind);
    EXPECT_EQ(m.OkEnabled(), c.ok) << c.kind << " " << c.set;
    EXPECT_EQ(m.WantsMarker(), !c.ok) << c.kind << " " << c.set;
  }
}

TEST(FBitsModel, HeadersOfEveryKind) {
  struct Case {
    int kind, item, last;
    const char* text;
  } cases[] = {
      {bitheader::kHex, 11, 16, "B"},           {bitheader::kDecimal, 10, 10, "0"},
      {bitheader::kDecimal, 3, 10, "3"},        {bitheader::kLetters, 21, 26, "U"},
      {bitheader::kNmeaSentences, 6, 6, "GSV"}, {bitheader::kNmeaOutput, 3, 4, "VTG"},
      {bitheader::kBitNumbers, 0, 7, "B7"},     {bitheader::kBitNumbers, 7, 7, "B0"},
      {bitheader::kBitNumbers, 1, 8, "B7"},     {9, 12, 12, "12"},
  };
  for (const auto& c : cases) EXPECT_EQ(FBitsModel::Header(c.kind, c.item, c.last), c.text);
}

std::vector<std::string> Expected(const std::string& headers, const std::string& checks) {
  return {"#GI_Sheet_FBitsR_Style",
          "(FixedCols=1)(FixedRows=1)",
          "#GI_Sheet_FBitsR_BasicCell",
          "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
          "#GI_Sheet_FBitsR_Cells",
          "",
          headers,
          checks,
          "#CellModel_iChI",
          "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
          "#CellModel_eWh",
          "S<_WHB",
          "#CellModel_iQp",
          "(%CT_Null.CL_Misc_QuarterPillar)",
          "#CellModel_Basic",
          "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
          "#GI_PMenu_NoItem_BasicCell",
          "{($Basic)}",
          "#GI_PMenu_NoItem_Body",
          "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
          "#GI_PMenu_Edit_BasicCell",
          "{($Basic)(%CT_PopupMenu.)}",
          "#GI_PMenu_Edit_Body",
          "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
          "#End_Of_Ovl"};
}

TEST(FBitsModel, MarkupOfEveryHeaderKind) {
  const std::string checks2 = "|{($eWh)^(%CL_FBits[9])}9|{($iQp)}|{($eWh)^(%CL_FBits[10])}9|";
  struct Case {
    int kind, first, last;
    std::string headers, checks;
  } cases[] = {
      {1, 9, 10, "|{($iChI)}9||{($iChI)}A|", checks2},
      {2, 9, 10, "|{($iChI)}9||{($iChI)}0|", checks2},
      {3, 9, 10, "|{($iChI)}I||{($iChI)}J|", checks2},
      {4, 5, 6, "|{($iChI)}VTG||{($iChI)}GSV|",
       "|{($eWh)^(%CL_FBits[5])}9|{($iQp)}|{($eWh)^(%CL_FBits[6])}9|"},
      {5, 4, 4, "|{($iChI)}GSA|", "|{($eWh)^(%CL_FBits[4])}9|"},
      {6, 7, 8, "|{($iChI)}B1||{($iChI)}B0|",
       "|{($eWh)^(%CL_FBits[7])}9|{($iQp)}|{($eWh)^(%CL_FBits[8])}9|"},
  };
  for (const auto& c : cases) {
    FBitsModel m(0, c.first, c.last, c.kind);
    EXPECT_EQ(m.Markup(), Expected(c.headers, c.checks)) << c.kind;
  }
}

}  // namespace
