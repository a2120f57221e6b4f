// kw-test: link=kw_test_cells_support
// The set-mode cells through the cell handler: steps, picks and entries land
// in their bytes and no others; the GPS TX mode, sentence set and auto TX
// timer keep to one rule; the GPS alarm's group and memory never leave
// their group; a change other cells read redraws every data cell; bad
// bytes are shown and kept.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingCellsRig.h"
#include "cells/ChoiceFields.h"
#include "cells/CommonSettings.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"

namespace {

using kwtest::SettingCellsRig;

constexpr std::int64_t kBase = layout::kCommonSettings;
const QColor kLightGrey(0xC0, 0xC0, 0xC0);

class SettingCasesTest : public ::testing::Test {
 protected:
  SettingCellsRig r_;
};

TEST_F(SettingCasesTest, SpaceAndBackspaceStepTheListWrapping) {
  const struct {
    int id;
    std::int64_t address;
    std::uint8_t stored;
    int key;
    std::uint8_t expected;
    const char* shownBefore;
  } cases[] = {
      {CL_Common_RxBass, 0x29B11, 5, cellop::kSpace, 6, "0"},
      {CL_Common_RxBass, 0x29B11, 10, cellop::kSpace, 0, "+5"},
      {CL_Common_RxBass, 0x29B11, 0, cellop::kBackspace, 10, "-5"},
      {CL_Common_CIV_BaudRate, 0x29AB2, 2, cellop::kBackspace, 5, "4800bps"},
      {CL_Common_CIV_BaudRate, 0x29AB2, 5, cellop::kSpace, 2, "Auto"},
      // A byte outside its list shows "?N" and steps to the first choice.
      {CL_Common_CIV_BaudRate, 0x29AB2, 9, cellop::kSpace, 2, "?9"},
      {CL_Common_CIV_BaudRate, 0x29AB2, 9, cellop::kBackspace, 2, "?9"},
  };
  for (const auto& c : cases) {
    r_.Set(c.address, c.stored);
    const cmcEeprom before = r_.rig.image;
    EXPECT_EQ(r_.Show(c.id), c.shownBefore) << c.id;
    EXPECT_EQ(r_.rig.image, before) << "a display wrote";
    r_.Key(c.id, c.key);
    EXPECT_EQ(r_.At(c.address), c.expected) << c.id << " from " << int{c.stored};
    cmcEeprom expected = before;
    expected.SetByte(c.address, c.expected);
    EXPECT_EQ(r_.rig.image, expected) << "another byte changed";
  }
}

TEST_F(SettingCasesTest, IndexedCellsEditTheirOwnByteWithTheirIndexesList) {
  const struct {
    int id;
    int index;
    int value;
    std::int64_t address;
    const char* shown;
  } cases[] = {
      {CL_Common_RemoteMicKey_Nor_UD, 3, 2, 0x29B39, "Down"},  // the up/down list
      {CL_Common_RemoteMicKey_Nor, 1, 2, 0x29B37, "Monitor"},  // the remote-microphone list
      {CL_Common_RemoteMicKey_Nor_BT, 6, 9, 0x29B3C, "Home CH"},
      {CL_Common_RFPower, 1, 1, 0x29B67, nullptr},
      {CL_Common_PauseTimer, 1, 3, 0x29AD8, nullptr},
  };
  for (const auto& c : cases) {
    const cmcEeprom before = r_.rig.image;
    r_.Pick(c.id, c.value, c.index);
    cmcEeprom expected = before;
    expected.SetByte(c.address, static_cast<std::uint8_t>(c.value));
    EXPECT_EQ(r_.rig.image, expected) << c.id << "[" << c.index << "]";
    if (c.shown) {
      EXPECT_EQ(r_.Show(c.id, c.index), c.shown);
    }
  }
  // An index outside the row's array shows nothing and writes nothing.
  const cmcEeprom before = r_.rig.image;
  EXPECT_EQ(r_.Show(CL_Common_RemoteMicKey_Nor, 2), "");
  r_.Key(CL_Common_RemoteMicKey_Nor, cellop::kSpace, 2);
  r_.Pick(CL_Common_PauseTimer, 1, 2);
  r_.Commit(CL_Common_Wx_Ch, "3", 5);
  EXPECT_EQ(r_.rig.image, before);
}

TEST_F(SettingCasesTest, HangUpTimeIsBitFiveOnly) {
  const std::int64_t at = 0x29B77;
  for (const auto& [stored, after] : {std::pair{0x5A, 0x7A}, {0xFF, 0xDF}}) {
    r_.Set(at, static_cast<std::uint8_t>(stored));
    r_.Key(CL_Common_MiniRPT_Hung, cellop::kSpace);
    EXPECT_EQ(r_.At(at), after) << std::hex << stored;
  }
}

TEST_F(SettingCasesTest, AutoRepeaterByteFollowsTheDestination) {
  const struct {
    int destination;
    std::int64_t address;  // -1: the cell edits nothing
    const char* shown;     // value 1
  } cases[] = {
      {0, 0x29AA1, "ON (DUP)"}, {10, 0x29AA0, "ON"}, {2, 0x29AA0, "ON"}, {1, -1, ""}, {5, -1, ""}};
  for (const auto& c : cases) {
    r_.rig.settings->EtcData.destination = static_cast<std::uint32_t>(c.destination);
    const cmcEeprom before = r_.rig.image;
    r_.Pick(CL_Common_AutoRepeater, 1);
    cmcEeprom expected = before;
    if (c.address >= 0) expected.SetByte(c.address, 1);
    EXPECT_EQ(r_.rig.image, expected) << "destination " << c.destination;
    EXPECT_EQ(r_.Show(CL_Common_AutoRepeater), c.shown) << "destination " << c.destination;
    if (c.address >= 0) r_.Set(c.address, 0);
  }
}

TEST_F(SettingCasesTest, EntriesOfMultiByteSettingsAreStoredBigEndianInTheirBytes) {
  const struct {
    int id;
    const char* entry;
    std::int64_t address;
    std::vector<std::uint8_t> bytes;
    const char* shown;
  } cases[] = {
      {CL_Common_UTCOffset, "+9:00", 0x29D83, {0x02, 0x1C}, "+9:00"},
      {CL_Common_UTCOffset, "-3:30", 0x29D83, {0xFF, 0x2E}, "-3:30"},
      {CL_Common_CIV_Address, "7C", 0x29AB1, {0x7C}, "7C"},
      {CL_Common_CIV_Address, "E5", 0x29AB1, {0xDF}, "DF"},  // clamped to the highest address
      {CL_Common_CIV_BT_Transceive, "0", 0x29AC5, {0x00}, "00"},
      {CL_Common_EmrAfLevel, "40", 0x29B03, {32}, "32"},
      {CL_Common_BeepLevel, "7", 0x29AFC, {7}, "7"},
      {CL_Common_GPS_Message_Code,
       "QRV 145",
       0x29D91,
       {'Q', 'R', 'V', ' ', '1', '4', '5', ' ', ' ', ' ',
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
       "QRV 145"},
      {CL_Common_AlarmArea1, "1.25", 0x29D81, {0x04, 0xE2}, "01.25'"},
      {CL_Common_ObjCourse, "270", 0x29EDF, {0x01, 0x0E}, nullptr},
  };
  for (const auto& c : cases) {
    const cmcEeprom before = r_.rig.image;
    r_.Commit(c.id, c.entry);
    cmcEeprom expected = before;
    expected.SetBlock(c.address, c.bytes.data(), static_cast<int>(c.bytes.size()));
    EXPECT_EQ(r_.rig.image, expected) << c.id << " " << c.entry;
    if (c.shown) {
      EXPECT_EQ(r_.Show(c.id), c.shown) << c.id;
    }
  }
  // The UTC offset has no empty value to type.
  r_.Commit(CL_Common_UTCOffset, "");
  EXPECT_EQ(imageaccess::Get16(r_.rig.image, 0x29D83), 0xFF2E);
  // Names read an unset byte (0xFF) as a blank and store blanks.
  const std::vector<std::uint8_t> unset(9, 0xFF);
  r_.rig.image.SetBlock(0x29E9C, unset.data(), 9);
  EXPECT_EQ(r_.Show(CL_Common_ObjName), "");
  r_.Commit(CL_Common_ObjName, "NET");
  char name[9];
  r_.rig.image.GetBlock(0x29E9C, name, 9);
  EXPECT_EQ(std::string(name, 9), "NET      ");
}

TEST_F(SettingCasesTest, BankLinksShowAndToggleTheirOwnBits) {
  const std::int64_t bandA = 0x2A290, bandB = 0x2A294;
  const std::vector<std::uint8_t> stored = {0x05, 0x04, 0x00, 0x02};
  r_.rig.image.SetBlock(bandA, stored.data(), 4);
  r_.rig.image.SetBlock(bandB, std::vector<std::uint8_t>(4, 0xFF).data(), 4);
  EXPECT_EQ(r_.Show(CL_Common_BankLink_A_J, 0), "A_C_______");
  EXPECT_EQ(r_.Show(CL_Common_BankLink_K_T, 0), "K_________");
  EXPECT_EQ(r_.Show(CL_Common_BankLink_U_Z, 0), "_____Z");
  EXPECT_EQ(r_.Show(CL_Common_BankLink_U_Z, 1), "UVWXYZ");

  const cmcEeprom before = r_.rig.image;
  r_.Key(CL_Common_BankLink_A_J, 'B', 0);
  cmcEeprom expected = before;
  expected.SetByte(bandA, 0x07);
  EXPECT_EQ(r_.rig.image, expected);
  // Backspace inverts the group's banks only: byte 3 keeps its bits 2-7.
  r_.Key(CL_Common_BankLink_U_Z, cellop::kBackspace, 1);
  EXPECT_EQ(r_.At(bandB + 2), 0x0F);
  EXPECT_EQ(r_.At(bandB + 3), 0xFC);
  EXPECT_EQ(r_.At(bandB + 1), 0xFF);
  // The dialog's answer: banks K and T (items 11 and 20).
  r_.Answer(CL_Common_BankLink_K_T, std::to_string((1u << 15) | (1u << 6)), 0);
  EXPECT_EQ(r_.Show(CL_Common_BankLink_K_T, 0), "K________T");
  EXPECT_EQ(r_.At(bandA + 1), 0x04);
  EXPECT_EQ(r_.At(bandA + 2), 0x08);
}

TEST_F(SettingCasesTest, ACommentTakesWhatItsReportLeavesRoomFor) {
  const std::string typed(50, 'x');
  const struct {
    int id;
    std::int64_t extension;  // -1: none set
    std::int64_t altitudeFlag;
    std::int64_t altitudeField;
    std::int64_t comment;
    int kept;
  } cases[] = {
      {CL_Common_AprsComment_1, -1, -1, -1, 0x29DE9, 43},
      {CL_Common_AprsComment_2, 0x29E95, -1, -1, 0x29E14, 36},
      {CL_Common_AprsComment_3, 0x29E95, 0x29E9B, -1, 0x29E3F, 28},
      {CL_Common_AprsComment_4, -1, 0x29E9B, -1, 0x29E6A, 35},
      {CL_Common_ObjComment, 0x29EE3, -1, 0x29EDB, 0x29EA8, 28},
      {CL_Common_ItmComment, -1, -1, 0x29F29, 0x29EF6, 35},
      {CL_Common_WxComment, 0x29E95, 0x29E9B, -1, 0x29F3B, 43},
  };
  for (const auto& c : cases) {
    kwtest::CellFrameRig& rig = r_.rig;
    imageaccess::Set32(rig.image, 0x29EDB, 0x7FFFFFFF);
    imageaccess::Set32(rig.image, 0x29F29, 0x7FFFFFFF);
    rig.image.SetByte(0x29E95, 0);
    rig.image.SetByte(0x29E9B, 0);
    rig.image.SetByte(0x29EE3, 0);
    if (c.extension >= 0) rig.image.SetByte(c.extension, 2);
    if (c.altitudeFlag >= 0) rig.image.SetByte(c.altitudeFlag, 1);
    if (c.altitudeField >= 0) imageaccess::Set32(rig.image, c.altitudeField, 100);
    r_.Commit(c.id, typed);
    char stored[43];
    rig.image.GetBlock(c.comment, stored, 43);
    EXPECT_EQ(std::string(stored, 43), std::string(c.kept, 'x') + std::string(43 - c.kept, ' '))
        << c.id;
  }
}

TEST_F(SettingCasesTest, HomeChannelsOnlyShow) {
  const struct {
    int id;
    std::int64_t address;
    std::vector<std::uint8_t> bytes;
    const char* shown;
  } cases[] = {
      {CL_Common_HmchVfo, 0x29B2E, {0, 0, 0, 0}, "---"},
      {CL_Common_HmchVfo, 0x29B2E, {0x08, 0xA6, 0x4F, 0xD4}, "145.117140"},
      {CL_Common_HmchMr, 0x29B32, {0xFF, 0xFF}, "---"},
      {CL_Common_HmchMr, 0x29B32, {0x00, 0x05}, "5"},
      {CL_Common_HmchMr, 0x29B32, {0x04, 0x19}, "24B"},  // scan-edge end 49
      {CL_Common_HmchMr, 0x29B32, {0x03, 0xE8}, "00A"},
      {CL_Common_HmchDr, 0x29B34, {0xFF, 0xFF}, "---"},
      {CL_Common_HmchDr, 0x29B34, {0x05, 0xDB}, "---"},  // beyond the used repeaters
  };
  for (const auto& c : cases) {
    r_.rig.image.SetBlock(c.address, c.bytes.data(), static_cast<int>(c.bytes.size()));
    const cmcEeprom before = r_.rig.image;
    EXPECT_EQ(r_.Show(c.id), c.shown) << c.id;
    EXPECT_EQ(r_.Drawn(c.id), QColor(0x80, 0x80, 0x00));
    for (const int key : {int{cellop::kSpace}, int{cellop::kEnter}, int{'5'}}) r_.Key(c.id, key);
    r_.Commit(c.id, "7");
    EXPECT_EQ(r_.rig.image, before) << c.id;
  }
}

TEST_F(SettingCasesTest, HomeRepeaterShowsNameCallSignAndFrequency) {
  datCh entry(&r_.rig.image);
  entry.Load(itemkind::kRepeater, 3);
  SetText(entry.name, "Hill \x93\x8C");  // a double-byte character
  SetText(entry.rptCall, "AB1CDE A");
  ASSERT_TRUE(entry.StoreSelf());
  SetSelectedRepeater(r_.rig.image, 3);
  EXPECT_EQ(r_.Show(CL_Common_HmchDr), "Hill == / AB1CDE A / 439.000000");
  r_.UseJapanese(true);
  EXPECT_EQ(r_.Show(CL_Common_HmchDr), "Hill \x93\x8C / AB1CDE A / 439.000000");
  // Without a name or call sign, the parts there are.
  SetText(entry.name, "");
  SetText(entry.rptCall, "");
  ASSERT_TRUE(entry.StoreSelf());
  EXPECT_EQ(r_.Show(CL_Common_HmchDr), "439.000000");
}

// A position-report symbol: its choice and its code are the same two bytes.
class SymbolTest : public SettingCasesTest {
 protected:
  static constexpr std::int64_t kSymbol = 0x29DE0;  // position report, No.1
  std::string Code() {
    char b[2];
    r_.rig.image.GetBlock(kSymbol, b, 2);
    return std::string(b, 2);
  }
  void SetCode(const char* code) { r_.rig.image.SetBlock(kSymbol, code, 2); }
};

TEST_F(SymbolTest, APickKeepsAnOverlayOfTheAlternateTable) {
  const struct {
    const char* stored;
    int picked;  // symbol index
    const char* after;
  } cases[] = {
      {"/>", 46, "\\#"},  // \#, Overlayed Digipeater
      {"A>", 46, "A#"},   // the overlay stays on an alternate symbol
      {"A>", 1, "/#"},    // and goes with a primary one
      {"QY", 52, "\\>"},  // "QY" carries no overlay
      {"A>", 255, "A>"},  // none changes nothing
  };
  for (const auto& c : cases) {
    SetCode(c.stored);
    r_.Pick(CL_Common_AprsSymbolSel_1, c.picked);
    EXPECT_EQ(Code(), c.after) << c.stored << " pick " << c.picked;
  }
  SetCode("/>");
  EXPECT_EQ(r_.Show(CL_Common_AprsSymbolSel_1), "Car");
  EXPECT_EQ(r_.Show(CL_Common_AprsSymbolEdit_1), "/>");
  SetCode("A>");
  EXPECT_EQ(r_.Show(CL_Common_AprsSymbolSel_1), "Overlayed Car");
  SetCode("/$");  // a code none of the selectable ones is
  EXPECT_EQ(r_.Show(CL_Common_AprsSymbolSel_1), "---");
  // Steps skip "none": Space from the last symbol wraps to the first.
  SetCode("\\x");
  r_.Key(CL_Common_AprsSymbolSel_1, cellop::kSpace);
  EXPECT_EQ(Code(), "/!");
  r_.Key(CL_Common_AprsSymbolSel_1, cellop::kBackspace);
  EXPECT_EQ(Code(), "\\x");
  EXPECT_TRUE(r_.LastMask() & redraw::kAllData) << "the code cell shows the same bytes";
}

TEST_F(SymbolTest, ACodeOutsideTheSymbolSetsIsRefusedWhole) {
  const struct {
    const char* entry;
    const char* after;
  } cases[] = {
      {"/-", "/-"},        {"B&", "B&"}, {"\\k", "\\k"},  // accepted
      {"a>", "/>"},        {"/", "/>"},  {"/ ", "/>"},    // refused: no table, no symbol
      {"\x82\x60>", "A>"},                                // a full-width "A" folds to "A"
  };
  for (const auto& c : cases) {
    SetCode("/>");
    const cmcEeprom before = r_.rig.image;
    const auto answer = r_.Commit(CL_Common_AprsSymbolEdit_1, c.entry);
    EXPECT_EQ(Code(), c.after) << c.entry;
    if (Code() == "/>") {
      EXPECT_EQ(r_.rig.image, before) << c.entry;
      EXPECT_EQ(answer.capsule.outputText, "/>") << c.entry;
    }
  }
}

// GPS TX mode, auto TX timer and the sentence set keep one rule: NMEA with
// a long sentence set never keeps the 5-second interval.
class GpsTxTest : public SettingCasesTest {
 protected:
  static constexpr std::int64_t kMode = kBase + 0x30;
  static constexpr std::int64_t kFlags = kBase + 0x31;
  static constexpr std::int64_t kAutoTx = kBase + 0x37;
  void Arrange(int mode, int autoTx, const char* flags) {
    r_.Set(kMode, static_cast<std::uint8_t>(mode));
    r_.Set(kAutoTx, static_cast<std::uint8_t>(autoTx));
    for (int i = 0; i < 6; ++i) r_.Set(kFlags + i, static_cast<std::uint8_t>(flags[i] - '0'));
  }
};

TEST_F(GpsTxTest, PickingNmeaDropsTheShortestIntervalOfALongSet) {
  const struct {
    const char* flags;  // RMC GGA GLL GSA VTG GSV
    int autoTxAfter;
  } cases[] = {
      {"111100", 2},  // four sentences: number 42
      {"111000", 1},  // three: number 9
      {"111110", 2},  // five: the long set's mark
  };
  for (const auto& c : cases) {
    Arrange(1, 1, c.flags);
    r_.Pick(CL_Common_GPS_Tx, 2);
    EXPECT_EQ(r_.At(kMode), 2);
    EXPECT_EQ(r_.At(kAutoTx), c.autoTxAfter) << c.flags;
    EXPECT_TRUE(r_.LastMask() & redraw::kAllData) << "the auto TX cell reads the mode";
    EXPECT_EQ(r_.Show(CL_Common_GPS_AutoTx), c.autoTxAfter == 2 ? "10sec" : "5sec");
  }
  // Only 1 moves: another interval stays.
  Arrange(1, 4, "111100");
  r_.Pick(CL_Common_GPS_Tx, 2);
  EXPECT_EQ(r_.At(kAutoTx), 4);
}

TEST_F(GpsTxTest, ALongerSentenceSetDropsTheShortestIntervalToo) {
  Arrange(2, 1, "111000");
  r_.Answer(CL_Common_GPS_ControlMode,
            std::to_string((1u << 25) | (1u << 24) | (1u << 23) | (1u << 22)));  // RMC GGA GLL GSA
  EXPECT_EQ(r_.At(kFlags + 3), 1);
  EXPECT_EQ(r_.At(kAutoTx), 2) << "a value its own list (0, 2-8) does not hold";
  EXPECT_TRUE(r_.LastMask() & redraw::kAllData);
  EXPECT_EQ(r_.Show(CL_Common_GPS_AutoTx), "10sec");
  // With D-PRS the timer keeps every interval.
  Arrange(1, 1, "111000");
  r_.Answer(CL_Common_GPS_ControlMode, std::to_string((1u << 25) | (1u << 22) | (1u << 21)));
  EXPECT_EQ(r_.At(kAutoTx), 1);
}

TEST_F(GpsTxTest, SentenceCellShowsTheSetAndStoresZeroOrOne) {
  Arrange(2, 0, "100100");
  EXPECT_EQ(r_.Show(CL_Common_GPS_ControlMode), "RMC, GSA");
  Arrange(2, 0, "000000");
  EXPECT_EQ(r_.Show(CL_Common_GPS_ControlMode), "OFF");
  // A flag byte of 7 is set; a store writes 1.
  Arrange(2, 0, "000000");
  r_.Set(kFlags + 5, 7);
  EXPECT_EQ(r_.Show(CL_Common_GPS_ControlMode), "GSV");
  r_.Answer(CL_Common_GPS_ControlMode, std::to_string((1u << 25) | (1u << 20)));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r_.At(kFlags + i), i == 0 || i == 5 ? 1 : 0) << i;
  // The combination table's texts are the cell's texts for every set of up
  // to four sentences.
  for (int packed = 0; packed < 64; ++packed) {
    const SixFlags flags = UnpackSixFlags(static_cast<std::uint8_t>(packed));
    int count = 0;
    for (int i = 0; i < 6; ++i) {
      r_.Set(kFlags + i, flags[static_cast<std::size_t>(i)]);
      count += flags[static_cast<std::size_t>(i)];
    }
    const std::string text = choicefield::SentenceCombinationText(packed);
    if (count <= 4) {
      EXPECT_EQ(r_.Show(CL_Common_GPS_ControlMode), text) << packed;
    } else {
      EXPECT_EQ(text, "Dummy") << packed;
      EXPECT_EQ(choicefield::SentenceCombinationNumber(packed), 255) << packed;
    }
  }
}

// The GPS alarm: a type, a group numbered as the type numbers groups, and a
// memory of that group.
class GpsAlarmTest : public SettingCasesTest {
 protected:
  static constexpr std::int64_t kAlarm = 0x29D7D;  // type, group, memory word
  std::vector<std::uint8_t> Alarm() {
    std::vector<std::uint8_t> b(4);
    r_.rig.image.GetBlock(kAlarm, b.data(), 4);
    return b;
  }
  void SetAlarm(std::vector<std::uint8_t> b) { r_.rig.image.SetBlock(kAlarm, b.data(), 4); }
  void ClearGpsMemories() {
    while (GpsOrderCount(r_.rig.image) > 0) {
      const int before = GpsOrderCount(r_.rig.image);
      GpsMemDelete(r_.rig.image, GpsGroupOfIndex(r_.rig.image, 0), 0);
      ASSERT_LT(GpsOrderCount(r_.rig.image), before);
    }
  }
};

TEST_F(GpsAlarmTest, ATypeResetsGroupAndMemoryToTheFirstUsedGroup) {
  // The fixture's first used group is group 0 ("No Group").
  const struct {
    int type;
    std::vector<std::uint8_t> after;
  } cases[] = {
      {3, {3, 0, 0, 0}},  // memory alarm: the group itself
      {2, {2, 1, 0, 0}},  // group alarm: group g is g + 1 (0 is every memory)
      {1, {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SetAlarm({0, 9, 0, 7});
    r_.Pick(CL_Common_GPSAlarmType, c.type);
    EXPECT_EQ(Alarm(), c.after) << "type " << c.type;
    EXPECT_TRUE(r_.LastMask() & redraw::kAllData);
  }
}

TEST_F(GpsAlarmTest, WithoutGpsMemoriesTheGroupIsNoneAndTheMemoryShowsDashes) {
  ClearGpsMemories();
  SetAlarm({0, 0, 0, 0});
  r_.Pick(CL_Common_GPSAlarmType, 3);
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 0xFF, 0, 0}));
  EXPECT_EQ(r_.Show(CL_Common_GPSAlarmBank), "---");
  EXPECT_EQ(r_.Show(CL_Common_AlarmCH), "---");
  // Keys and entries change nothing while the group holds no memory.
  for (const int key : {int{cellop::kSpace}, int{cellop::kBackspace}, int{'4'}})
    r_.Key(CL_Common_AlarmCH, key);
  r_.Commit(CL_Common_AlarmCH, "4");
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 0xFF, 0, 0}));
  // A group past the last GPS group holds none either.
  SetAlarm({3, 30, 0, 0});
  EXPECT_EQ(r_.Show(CL_Common_AlarmCH), "---");
  r_.Key(CL_Common_AlarmCH, cellop::kBackspace);
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 30, 0, 0}));
}

TEST_F(GpsAlarmTest, TheMemoryStaysInsideItsGroup) {
  ASSERT_EQ(GpsGroupCount(r_.rig.image, 1), 3);
  SetAlarm({3, 1, 0, 0});
  r_.Commit(CL_Common_AlarmCH, "5");
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 1, 0, 2}));
  SetAlarm({3, 1, 0, 0});
  r_.Key(CL_Common_AlarmCH, cellop::kBackspace);
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 1, 0, 2}));
  EXPECT_EQ(r_.Show(CL_Common_AlarmCH), "2");
  // A new group resets the memory.
  r_.Pick(CL_Common_GPSAlarmBank, 0);
  EXPECT_EQ(Alarm(), (std::vector<std::uint8_t>{3, 0, 0, 0}));
}

TEST_F(GpsAlarmTest, GroupAndMemoryWithoutTheirTypeAreGreyAndTakeNoKeys) {
  for (const int type : {0, 1, 2}) {
    SetAlarm({static_cast<std::uint8_t>(type), 1, 0, 1});
    const cmcEeprom before = r_.rig.image;
    EXPECT_EQ(r_.Show(CL_Common_AlarmCH), "") << type;
    EXPECT_EQ(r_.Drawn(CL_Common_AlarmCH), kLightGrey) << type;
    r_.Key(CL_Common_AlarmCH, cellop::kSpace);
    r_.Commit(CL_Common_AlarmCH, "1");
    if (type != 2) {
      EXPECT_EQ(r_.Show(CL_Common_GPSAlarmBank), "") << type;
      EXPECT_EQ(r_.Drawn(CL_Common_GPSAlarmBank), kLightGrey) << type;
      r_.Key(CL_Common_GPSAlarmBank, cellop::kSpace);
      r_.Pick(CL_Common_GPSAlarmBank, 2);
    }
    EXPECT_EQ(r_.rig.image, before) << "type " << type;
  }
  SetAlarm({2, 0, 0, 0});
  EXPECT_EQ(r_.Show(CL_Common_GPSAlarmBank), "ALL");
}

// Cells that read another setting are drawn as that setting stands, and a
// change of such a setting redraws every data cell.
TEST_F(SettingCasesTest, GreyFollowsTheSettingItDependsOn) {
  const struct {
    int id;
    int index;
    std::int64_t condition;
    std::uint8_t greyValue;
    std::uint8_t plainValue;
  } cases[] = {
      {CL_Common_ManualPosLat, 0, kBase + 0x67, 1, 3},
      {CL_Common_ManualPosAlt, 0, kBase + 0x67, 0, 3},
      {CL_Common_PosPhgdHeight, 0, kBase + 0x3F8, 1, 2},
      {CL_Common_ObjPhgdDir, 0, kBase + 0x446, 0, 2},
      {CL_Common_ItmPhgdPow, 0, kBase + 0x494, 1, 2},
      {CL_Common_ObjCourse, 0, kBase + 0x446, 2, 1},
      {CL_Common_ItmSpd, 0, kBase + 0x494, 0, 1},
      {CL_Common_DispLang, 0, kBase + 0x57, 0, 1},
      {CL_Common_Wx_Ch, 1, kBase + 0x41, 0, 5},  // any non-zero alert byte is on
  };
  for (const auto& c : cases) {
    r_.Set(c.condition, c.greyValue);
    EXPECT_EQ(r_.Drawn(c.id, c.index), kLightGrey) << c.id;
    r_.Set(c.condition, c.plainValue);
    EXPECT_EQ(r_.Drawn(c.id, c.index), QColor(Qt::black)) << c.id;
  }
}

TEST_F(SettingCasesTest, ChangingASettingOthersReadRedrawsEveryDataCell) {
  r_.Set(kBase + 0x67, 0);
  r_.Pick(CL_Common_GPS_Select, 3);
  EXPECT_EQ(r_.LastMask(), redraw::kCell | redraw::kAllData);
  for (const int id : {CL_Common_ManualPosLat, CL_Common_ManualPosLon, CL_Common_ManualPosAlt})
    EXPECT_EQ(r_.Drawn(id), QColor(Qt::black)) << id;
  const struct {
    int id;
    int index;
    int value;
  } readByOthers[] = {
      {CL_Common_SysLang, 0, 1},          {CL_Common_Wx_Alert, 1, 1},
      {CL_Common_DataExtension, 0, 2},    {CL_Common_ObjDataExtension, 0, 1},
      {CL_Common_ItmDataExtension, 0, 1}, {CL_Common_GPS_Tx, 0, 1},
  };
  for (const auto& c : readByOthers) {
    r_.Pick(c.id, c.value, c.index);
    EXPECT_EQ(r_.LastMask(), redraw::kCell | redraw::kAllData) << c.id;
  }
  // A setting no other cell reads redraws itself only; so does a display.
  r_.Pick(CL_Common_RxBass, 3);
  EXPECT_EQ(r_.LastMask(), redraw::kCell);
  r_.Key(CL_Common_GPS_Select, 0);
  EXPECT_EQ(r_.LastMask(), redraw::kCell);
}

}  // namespace
