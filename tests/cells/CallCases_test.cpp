// kw-test: link=kw_test_cells_support
// The received-call history and the transmitted-call lists through the cell
// handler: a small history written byte by byte where the radio keeps it,
// shown column by column; empty rows show the empty forms; nothing a user
// does on these cells changes the image.
#include "cells/CallCases.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ListSheetRequests.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/datCh.h"
#include "sheet/RecordingCanvas.h"

namespace {

using kwtest::OnGrid;
using kwtest::Shown;

// One history entry as the radio stores it: the 46-byte record, the 20-byte
// message, the status byte and the 92-byte position record.
struct RxBytes {
  std::array<std::uint8_t, layout::kRxRecordSize> record{};
  std::array<std::uint8_t, layout::kRxTextSize> message{};
  std::uint8_t status = 0;
  std::array<std::uint8_t, layout::kRxPositionSize> position{};

  RxBytes() {
    record.fill(' ');
    message.fill(' ');
    position.fill(0xFF);
    for (int i = 40; i < 46; ++i) record[static_cast<std::size_t>(i)] = 0x99;
    for (int i = 49; i < 92; ++i) position[static_cast<std::size_t>(i)] = ' ';
  }
  template <std::size_t N>
  static void Put(std::array<std::uint8_t, N>& to, int at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
      to[static_cast<std::size_t>(at) + i] = static_cast<std::uint8_t>(text[i]);
  }
  template <std::size_t N>
  static void Put(std::array<std::uint8_t, N>& to, int at, std::vector<std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) to[static_cast<std::size_t>(at) + i] = bytes[i];
  }
};

// History entry `entry` shown on row `row` (the order table maps rows to
// entries).
void PutRxEntry(cmcEeprom& image, int entry, int row, const RxBytes& b) {
  image.SetByte(layout::kRxOrderTable + entry, static_cast<std::uint8_t>(row));
  image.SetBlock(layout::kRxRecords + layout::kRxRecordSize * entry, b.record.data(),
                 layout::kRxRecordSize);
  image.SetBlock(layout::kRxTexts + layout::kRxTextSize * entry, b.message.data(),
                 layout::kRxTextSize);
  image.SetByte(layout::kRxStatusBytes + entry, b.status);
  image.SetBlock(layout::kRxPositions + layout::kRxPositionSize * entry, b.position.data(),
                 layout::kRxPositionSize);
}

constexpr std::int64_t kBase = layout::kCommonSettings;

class CallCasesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SelectTextTable(rig_.texts, TextTable::English);
    RegisterCallCases(rig_.table);
    cmcEeprom& image = rig_.image;
    for (int k = 0; k < layout::kRxEntries; ++k) image.SetByte(layout::kRxOrderTable + k, 0xFF);
    imageaccess::Set16(image, layout::kUtcOffset, 540);  // +9:00

    RxBytes mobile;  // row 0: a mobile station's position report
    RxBytes::Put(mobile.record, 0, "AB1CDE  NOTECQCQCQ  XY1ABC BXY1ABC G");
    RxBytes::Put(mobile.record, 36, std::vector<std::uint8_t>{0x08, 0xA6, 0x4F, 0xD4});
    RxBytes::Put(mobile.record, 40, std::vector<std::uint8_t>{0x07, 0x04, 0x15, 0x12, 0x30, 0x00});
    RxBytes::Put(mobile.message, 0, "QRV \xC3\xBD\xC4");  // half-width katakana
    mobile.status = 0x28;                                 // BK and EMR
    RxBytes::Put(mobile.position, 0,
                 std::vector<std::uint8_t>{35, 0x98, 0xD3, 'N', 139, 0xAD, 0xA8, 'E', 0, 0, 3, 0xE8,
                                           '0', 0xFF, 'A', '>'});
    RxBytes::Put(mobile.position, 25, std::vector<std::uint8_t>{0x12, 0x30, 0x00, 0x00, 1});
    RxBytes::Put(mobile.position, 30, std::vector<std::uint8_t>{0, 90, 0x02, 0x8F});  // 90, 655
    RxBytes::Put(mobile.position, 49, "Mobile in town");
    PutRxEntry(image, 0, 0, mobile);

    RxBytes status1;  // rows 1 and 2: route status only
    status1.status = 0x41;
    PutRxEntry(image, 3, 1, status1);
    RxBytes status2;
    status2.status = 0x40;
    PutRxEntry(image, 4, 2, status2);

    RxBytes weather;  // row 3
    RxBytes::Put(weather.position, 29, std::vector<std::uint8_t>{5});
    RxBytes::Put(weather.position, 30,
                 std::vector<std::uint8_t>{0, 180, 0xFF, 0xFF, 0xFF, 0xFF, 0, 68, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0xFF, 0xFF, 55, 0, 0, 0x27, 0x94});
    PutRxEntry(image, 7, 3, weather);

    RxBytes object;  // row 4
    RxBytes::Put(object.position, 29, std::vector<std::uint8_t>{3});
    RxBytes::Put(object.position, 30, "NET      ");
    RxBytes::Put(object.position, 39, std::vector<std::uint8_t>{2, 0});
    PutRxEntry(image, 9, 4, object);
  }

  std::string Rx(int id, int row) { return Shown(rig_, *sheet_, sheet_->Cell(CT_RXCall, id, row)); }

  kwtest::CellFrameRig rig_;
  std::unique_ptr<kwtest::FixtureSheet> sheet_ = rig_.Sheet("215");
};

TEST_F(CallCasesTest, TheHistoryShowsEachFieldThroughItsFormatter) {
  rig_.image.SetByte(kBase + 0x5A, 2);  // speed in knots
  const struct {
    int row;
    int id;
    const char* shown;
  } cases[] = {
      {0, CL_Received_Callsign_Caller, "AB1CDE"},
      {0, CL_Received_Callsign_Caller2, "NOTE"},
      {0, CL_Received_Callsign_Called, "CQCQCQ"},
      {0, CL_Received_Callsign_RPT1, "XY1ABC B"},
      {0, CL_Received_Callsign_RPT2, "XY1ABC G"},
      {0, CL_Received_Callsign_Message, "QRV ___"},
      {0, CL_Received_Callsign_Status, ""},
      {0, CL_Received_Callsign_Date, "2015/04/07 21:30:00"},
      {0, CL_Received_Callsign_BK, "*"},
      {0, CL_Received_Callsign_EMR, "*"},
      {0, CL_Received_Callsign_Latitude,
       "35\xB0"
       "39.12'N"},
      {0, CL_Received_Callsign_Longitude,
       "139\xB0"
       "44.45'E"},
      {0, CL_Received_Callsign_Altitude, "30m"},
      {0, CL_Received_Callsign_SSID, "(-0)"},
      {0, CL_Received_Callsign_Symbol, "Overlayed Car (A)"},
      {0, CL_Received_Callsign_Course, "90\xB0"},
      {0, CL_Received_Callsign_Speed, "65.5kt"},
      {0, CL_Received_Callsign_GpsTimestamp, "21:30:00"},
      {0, CL_Received_Callsign_GpsMsg, "Mobile in town"},
      {0, CL_Received_Callsign_Temp, "---"},
      {1, CL_Received_Callsign_Status, "RPT?"},
      {2, CL_Received_Callsign_Status, "RPT UP"},
      {2, CL_Received_Callsign_BK, ""},
      {3, CL_Received_Callsign_WindDir, "180\xB0"},
      {3, CL_Received_Callsign_Temp,
       " 20.0\xB0"
       "C"},
      {3, CL_Received_Callsign_Humidity, "55%"},
      {3, CL_Received_Callsign_Barometric, "1013hPa"},
      {3, CL_Received_Callsign_Speed, "---"},
      {4, CL_Received_Callsign_ObjItemName, "NET"},
      {4, CL_Received_Callsign_DataType, "(KILLED)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Rx(c.id, c.row), c.shown) << "row " << c.row << " id " << c.id;
  // The Japanese interface keeps the half-width katakana.
  rig_.settings->Language = 1;
  EXPECT_EQ(Rx(CL_Received_Callsign_Message, 0), "QRV \xC3\xBD\xC4");
}

TEST_F(CallCasesTest, AnEmptyRowShowsTheEmptyForms) {
  // Row 5 names no entry, whatever its bytes hold.
  const struct {
    int id;
    const char* shown;
  } cases[] = {
      {CL_Received_Callsign_Caller, ""},
      {CL_Received_Callsign_Message, ""},
      {CL_Received_Callsign_Status, ""},
      {CL_Received_Callsign_Date, "----/--/-- --:--:--"},
      {CL_Received_Callsign_BK, ""},
      {CL_Received_Callsign_Latitude, "--\xB0--.--'-"},
      {CL_Received_Callsign_Longitude, "---\xB0--.--'-"},
      {CL_Received_Callsign_Altitude, "------"},
      {CL_Received_Callsign_SSID, "---"},
      {CL_Received_Callsign_Symbol, "---"},
      {CL_Received_Callsign_Course, "---"},
      {CL_Received_Callsign_Speed, "---"},
      {CL_Received_Callsign_GpsTimestamp, "--:--:--"},
      {CL_Received_Callsign_Power, "--"},
      {CL_Received_Callsign_Height, "--"},
      {CL_Received_Callsign_Gain, "-"},
      {CL_Received_Callsign_Directivity, "---"},
      {CL_Received_Callsign_ObjItemName, ""},
      {CL_Received_Callsign_DataType, ""},
      {CL_Received_Callsign_Temp, "---"},
      {CL_Received_Callsign_Rain, "---"},
      {CL_Received_Callsign_WindSpeed, "---"},
      {CL_Received_Callsign_Barometric, "----"},
      {CL_Received_Callsign_Humidity, "--"},
      {CL_Received_Callsign_GpsMsg, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Rx(c.id, 5), c.shown) << c.id;
  // The date follows the date order of the document.
  rig_.host.dateOrder = 2;
  EXPECT_EQ(Rx(CL_Received_Callsign_Date, 5), "--/--/---- --:--:--");
}

TEST_F(CallCasesTest, NothingAUserDoesChangesTheImageAndCellsDrawOlive) {
  const cmcEeprom before = rig_.image;
  const std::int32_t keys[] = {'A',         cellop::kEnter,         cellop::kSpace,
                               cellop::kF2, cellop::kCtrlBackspace, cellop::kBackspace};
  for (const int id : {CL_Received_Callsign_Caller, CL_Received_Callsign_Date,
                       CL_Received_Callsign_Symbol, CL_Received_Callsign_GpsMsg}) {
    cmcCellObj& cell = sheet_->Cell(CT_RXCall, id, 0);
    for (const std::int32_t key : keys) {
      EXPECT_EQ(OnGrid(rig_, *sheet_, cell, key).result, 0) << id << " key " << key;
    }
    EXPECT_EQ(kwtest::CommitOnGrid(rig_, *sheet_, cell, "XX").result, 0);
    kwtest::RecordingCanvas canvas;
    canvas.SetFontColor(Qt::black);
    cmcCellCapsule capsule = kwtest::OnPage(*sheet_, cell);
    capsule.canvas = &canvas;
    rig_.frame.Handle(capsule, 0);
    EXPECT_EQ(canvas.FontColor(), QColor(0x80, 0x80, 0x00)) << id;
  }
  EXPECT_EQ(rig_.image, before);
}

// Transmitted calls: the call sign, and the name, frequency, duplex and
// offset of the repeater or your-call entry it names.
class TxCallsTest : public CallCasesTest {
 protected:
  void SetUp() override {
    CallCasesTest::SetUp();
    cmcEeprom& image = rig_.image;
    // Repeater 2 ("JP1YBB A", 439 MHz) gets a name of two double-byte characters.
    datCh repeater(&image);
    repeater.Load(itemkind::kRepeater, 2);
    SetText(repeater.name, "\x93\x8C\x8B\x9E");
    repeater.duplex = 1;
    repeater.offset = 5'000'000;
    ASSERT_TRUE(repeater.StoreSelf());
    // List A (from, DV): row 0 names the repeater, row 1 a call sign no list knows.
    const char listA[] = "JP1YBB AZZ9ZZZ  ";
    image.SetBlock(layout::kCallListA, listA, 16);
    image.SetByte(layout::kCallListAOrder + 0, 0);
    image.SetByte(layout::kCallListAOrder + 1, 1);
    for (int i = 2; i < 10; ++i) image.SetByte(layout::kCallListAOrder + i, 0xFF);
  }
  std::string Tx(int id, int row) {
    return Shown(rig_, *txSheet_, txSheet_->Cell(CT_TXCall_From, id, row));
  }
  std::unique_ptr<kwtest::FixtureSheet> txSheet_ = rig_.Sheet("210");
};

TEST_F(TxCallsTest, AKnownCallShowsItsEntryAndAnUnknownOnlyItsCallSign) {
  const struct {
    int row;
    int id;
    const char* shown;
  } cases[] = {
      {0, CL_TxCall_From_Callsign, "JP1YBB A"},
      {0, CL_TxCall_From_Name, "===="},
      {0, CL_TxCall_From_Freq, "439.000000"},
      {0, CL_TxCall_From_Dup, "DUP-"},
      {0, CL_TxCall_From_Offset, "5.000000"},
      {1, CL_TxCall_From_Callsign, "ZZ9ZZZ"},
      {1, CL_TxCall_From_Name, ""},
      {1, CL_TxCall_From_Freq, ""},
      {1, CL_TxCall_From_Dup, ""},
      {1, CL_TxCall_From_Offset, ""},
      {2, CL_TxCall_From_Callsign, ""},  // no entry
      {2, CL_TxCall_From_Freq, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Tx(c.id, c.row), c.shown) << "row " << c.row << " id " << c.id;
  rig_.settings->Language = 1;
  EXPECT_EQ(Tx(CL_TxCall_From_Name, 0), "\x93\x8C\x8B\x9E");
}

}  // namespace
