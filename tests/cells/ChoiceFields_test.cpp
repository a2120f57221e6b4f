// The choice-field table: every list it names exists; each byte is edited by
// one row; the selectors pick the list the cell's rules say; values are read
// and written through the row's bit mask only.
#include "cells/ChoiceFields.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "cells/RecordChoiceLists.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "support/ChoiceListSource.h"

namespace {

using choicefield::ChoiceField;
using choicefield::Selector;

cmcEeprom Image() {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  image.Fill(0);
  return image;
}

std::int64_t Common(std::int64_t offset) { return layout::kCommonSettings + offset; }

TEST(ChoiceFields, EveryNamedListExists) {
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    // Rows of other shapes (texts, numbers, positions) offer no list.
    if (f.shape != choicefield::Shape::kChoice && f.shape != choicefield::Shape::kSymbol) continue;
    ASSERT_NE(f.list, nullptr) << f.cellName;
    EXPECT_NE(kwtest::FindSourceList(f.list), nullptr) << f.cellName << " " << f.list;
    if (f.listAlt) {
      EXPECT_NE(kwtest::FindSourceList(f.listAlt), nullptr) << f.listAlt;
    }
  }
}

// Two rows never edit one bit, except the auto-repeater cell, whose byte
// depends on the destination, and the two cells of a position-report symbol
// (its choice and its code).
TEST(ChoiceFields, EachByteHasOneRow) {
  std::map<std::pair<std::int64_t, int>, const ChoiceField*> owner;
  auto isSymbol = [](const ChoiceField& f) {
    return f.shape == choicefield::Shape::kSymbol || f.shape == choicefield::Shape::kSymbolText;
  };
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    for (int i = f.firstIndex; i <= f.lastIndex; ++i) {
      const std::int64_t at = choicefield::ChoiceByteOffset(f, i);
      for (int b = 0; b < f.size; ++b) {
        const std::uint8_t bits = choicefield::FieldBits(f, b);
        for (int bit = 0; bit < 8; ++bit) {
          if (((bits >> bit) & 1) == 0) continue;
          const auto [it, fresh] = owner.emplace(std::pair{at + b, bit}, &f);
          const ChoiceField& other = *it->second;
          const bool symbolPair = isSymbol(f) && isSymbol(other) && other.offset == f.offset &&
                                  other.cellId + 1 == f.cellId;
          EXPECT_TRUE(fresh || other.cellId == f.cellId || symbolPair)
              << std::hex << at + b << " in " << f.cellName << " and " << other.cellName;
        }
      }
    }
  }
  EXPECT_EQ(choicefield::FindChoiceField(506)->offset, Common(0x15));
  EXPECT_EQ(choicefield::FindChoiceField(9999), nullptr);
}

TEST(ChoiceFields, SelectorsPickTheListOfTheCellsRule) {
  cmcEeprom image = Image();
  const choicefield::SelectorContext english{false, 1}, japanese{true, 1};
  auto listOf = [&](int cellId, int index, const choicefield::SelectorContext& c) {
    const ChoiceField* f = choicefield::FindChoiceField(cellId);
    const char* list =
        f ? choicefield::ChoiceListOf(*f, index, imageaccess::CommonBlock(image), c) : nullptr;
    return std::string(list ? list : "-");
  };
  // Language.
  EXPECT_EQ(listOf(515, 0, english), "GI_Sheet_Sel_Common_Temp_Units");
  EXPECT_EQ(listOf(515, 0, japanese), "GI_Sheet_Sel_Common_Temp_Units_JPN");
  EXPECT_EQ(listOf(377, 0, japanese), "GI_Sheet_Sel_MenuMode_GpsFormat_JPN");
  // The height unit follows the altitude unit byte.
  EXPECT_EQ(listOf(419, 0, english), "GI_Sheet_Sel_Common_PhgdHeight_m");
  image.SetByte(Common(0x59), 1);
  EXPECT_EQ(listOf(434, 0, english), "GI_Sheet_Sel_Common_PhgdHeight_ft");
  // The alarm group list follows the alarm type; other types offer none.
  EXPECT_EQ(listOf(392, 0, english), "-");
  image.SetByte(Common(0x2E0), 2);
  EXPECT_EQ(listOf(392, 0, english), "GI_Sheet_Sel_Common_Gps_Alarm_Bank_Group");
  image.SetByte(Common(0x2E0), 3);
  EXPECT_EQ(listOf(392, 0, english), "GI_Sheet_Sel_Common_Gps_Alarm_Bank_CH");
  // Remote-microphone keys: indexes 2 to 6 take the up/down list.
  EXPECT_EQ(listOf(481, 1, english), "GI_Sheet_Sel_Common_RemoteMicKey_Nor");
  EXPECT_EQ(listOf(482, 3, english), "GI_Sheet_Sel_Common_UpDnMicBtKey_Nor");
  EXPECT_EQ(listOf(483, 6, english), "GI_Sheet_Sel_Common_UpDnMicBtKey_Nor");
  EXPECT_EQ(listOf(481, 2, english), "-");  // outside the row's indexes
  // Auto repeater: destination 0 edits 0x04; group B and destination 10 edit 0x03.
  int rows = 0;
  for (const ChoiceField& f : choicefield::ChoiceFields()) {
    if (f.cellId != 469) continue;
    ++rows;
    const bool dest0 = f.offset == Common(0x04);
    for (const int d : {0, 1, 2, 10, 11}) {
      const char* list =
          choicefield::ChoiceListOf(f, 0, imageaccess::CommonBlock(image), {false, d});
      const bool expected = dest0 ? d == 0 : (d == 2 || d == 10);
      EXPECT_EQ(list != nullptr, expected) << "destination " << d << " offset " << f.offset;
    }
  }
  EXPECT_EQ(rows, 2);
}

// The auto TX timer drops its shortest interval when NMEA goes out with a
// long sentence set (combination number 42 or more).
TEST(ChoiceFields, GpsAutoTxListFollowsTheSentenceSet) {
  struct Case {
    int mode;
    const char* flags;  // RMC GGA GLL GSA VTG GSV
    int packed;
    const char* list;
  } cases[] = {
      {2, "000000", 0, "GI_Sheet_Sel_Common_GpsAutoTX"},
      {2, "111100", 30, "GI_Sheet_Sel_Common_GpsAutoTX2"},  // number 42
      {2, "111010", 29, "GI_Sheet_Sel_Common_GpsAutoTX2"},  // number 43
      {2, "110000", 24, "GI_Sheet_Sel_Common_GpsAutoTX"},   // number 7
      {2, "111110", 31, "GI_Sheet_Sel_Common_GpsAutoTX2"},  // five sentences: 255, longer still
      {1, "111100", 30, "GI_Sheet_Sel_Common_GpsAutoTX"},   // D-PRS: the full list
      // A flag byte of 2 counts as set, as every reader of the flags counts it
      // (the GPS TX mode's rule and the sentence cell agree): five sentences.
      {2, "111120", 31, "GI_Sheet_Sel_Common_GpsAutoTX2"},
  };
  const ChoiceField* f = choicefield::FindChoiceField(395);
  ASSERT_NE(f, nullptr);
  for (const Case& c : cases) {
    cmcEeprom image = Image();
    image.SetByte(Common(0x30), static_cast<std::uint8_t>(c.mode));
    for (int i = 0; i < 6; ++i)
      image.SetByte(Common(0x31 + i), static_cast<std::uint8_t>(c.flags[i] - '0'));
    const imageaccess::CommonBlock common(image);
    EXPECT_EQ(choicefield::PackSentenceFlags(common), c.packed) << c.flags;
    EXPECT_STREQ(choicefield::ChoiceListOf(*f, 0, common, {}), c.list) << c.flags;
  }
  EXPECT_EQ(choicefield::SentenceCombinationNumber(63), 255);
  EXPECT_EQ(choicefield::SentenceCombinationNumber(16), 1);  // RMC alone
  EXPECT_EQ(choicefield::SentenceCombinationNumber(-1), 255);
}

// A bit field keeps the other bits of its byte and refuses a wider value.
TEST(ChoiceFields, MaskedValuesKeepTheOtherBits) {
  cmcEeprom image = Image();
  const ChoiceField* hang = choicefield::FindChoiceField(567);
  ASSERT_NE(hang, nullptr);
  image.SetByte(Common(0xDA), 0xC5);
  EXPECT_EQ(choicefield::ReadChoiceValue(image, *hang, 0), 0u);
  EXPECT_TRUE(choicefield::WriteChoiceValue(image, *hang, 0, 1));
  EXPECT_EQ(image.GetByte(Common(0xDA)), 0xE5);
  EXPECT_EQ(choicefield::ReadChoiceValue(image, *hang, 0), 1u);
  EXPECT_FALSE(choicefield::WriteChoiceValue(image, *hang, 0, 2));
  EXPECT_EQ(image.GetByte(Common(0xDA)), 0xE5);
  // An indexed row writes offset + index and nothing outside its indexes.
  const ChoiceField* pause = choicefield::FindChoiceField(569);
  ASSERT_NE(pause, nullptr);
  EXPECT_TRUE(choicefield::WriteChoiceValue(image, *pause, 1, 10));
  EXPECT_EQ(image.GetByte(Common(0x3B)), 10);
  EXPECT_FALSE(choicefield::WriteChoiceValue(image, *pause, 2, 1));
  EXPECT_EQ(image.GetByte(Common(0x3C)), 0);
  // Every index of a shared-byte row edits the same byte.
  const ChoiceField* select = choicefield::FindChoiceField(278);
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(choicefield::ChoiceByteOffset(*select, 5), choicefield::ChoiceByteOffset(*select, 0));
}

TEST(RecordChoiceLists, ModeAndStepListsByBandAndCurrentValue) {
  const std::int64_t air = 120000000, vhf = 145000000, uhf = 433000000;
  struct Case {
    const char* got;
    const char* list;
  } cases[] = {
      {recordlists::ChannelModeList(air, 3), "GI_Sheet_Sel_Mch_Mode_Air"},
      {recordlists::ChannelModeList(air, 1), "GI_Sheet_Sel_Mch_Mode_Air_wFMN"},
      {recordlists::ChannelModeList(vhf, 4), "GI_Sheet_Sel_Mch_Mode_VU_wAMN"},
      {recordlists::ChannelModeList(uhf, 5), "GI_Sheet_Sel_Mch_Mode_VU"},
      {recordlists::ChannelStepList(air, 5, false), "GI_Sheet_Sel_Mch_TS_Pitch_Air_w12_5"},
      {recordlists::ChannelStepList(air, 14, true), "GI_Sheet_Sel_Mch_TS_Pitch_Air"},
      {recordlists::ChannelStepList(vhf, 2, true), "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU_w8_33"},
      {recordlists::ChannelStepList(vhf, 14, true), "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU"},
      {recordlists::ChannelStepList(vhf, 14, false), "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU_wAuto"},
      {recordlists::ChannelStepList(uhf, 2, false), "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU_w8_33"},
      {recordlists::ScanEdgeStepList(vhf, uhf, 0, false), "GI_Sheet_Sel_PgSrch_TS_Pitch_Bar"},
      {recordlists::ScanEdgeStepList(air, air, 2, false), "GI_Sheet_Sel_PgSrch_TS_Pitch_Air"},
      {recordlists::ScanEdgeStepList(vhf, vhf, 14, false), "GI_Sheet_Sel_PgSrch_TS_Pitch_Jpn_VU"},
      {recordlists::ScanEdgeStepList(vhf, vhf, 0, false), "GI_Sheet_Sel_PgSrch_TS_Pitch_Exp_VU"},
      {recordlists::ScanEdgeModeList(air, vhf), "GI_Sheet_Sel_PgSrch_Mode_Bar"},
      {recordlists::ScanEdgeModeList(air, air), "GI_Sheet_Sel_PgSrch_Mode_Air"},
      {recordlists::RepeaterModeList(3), "GI_Sheet_Sel_Rpt_Mode_FM"},
      {recordlists::RepeaterModeList(1), "GI_Sheet_Sel_Rpt_Mode_DV"},
      {recordlists::RepeaterDupList(0), "GI_Sheet_Sel_Rpt_Dup_DV"},
      {recordlists::RepeaterDupList(2), "GI_Sheet_Sel_Rpt_Dup_FM"},
      {recordlists::RepeaterDupList(3), "GI_Sheet_Sel_Rpt_Dup_Simplex"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.got, c.list);
    EXPECT_NE(kwtest::FindSourceList(c.got), nullptr) << c.got;
  }
}

}  // namespace
