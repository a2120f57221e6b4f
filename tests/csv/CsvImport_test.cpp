// Imports of the five lists from small files: what lands where, what is
// counted (stored, discarded, corrected, overflow), what the sheet and tree
// are told, and that a bad file changes nothing.
#include "model/csv/CsvImport.h"

#include <gtest/gtest.h>

#include "csv/CsvRig.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/csv/CsvExport.h"
#include "model/datCh.h"

namespace {

using namespace csv;
using kwtest::CrLf;

struct Counts {
  int stored;
  int discarded;
  int corrected;
  bool noSpace;
};

void ExpectCounts(const CsvImportResult& r, Counts c, const char* what) {
  EXPECT_EQ(r.status, CsvImportResult::Status::kDone) << what;
  EXPECT_EQ(r.stored, c.stored) << what;
  EXPECT_EQ(r.discarded, c.discarded) << what;
  EXPECT_EQ(r.corrected, c.corrected) << what;
  EXPECT_EQ(r.noSpace, c.noSpace) << what;
}

const char* kChannelHeader = "CH No,Frequency,Mode,Name,TONE,Repeater Tone";

TEST(CsvImport, ChannelRows) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    Counts counts;
  };
  const Case cases[] = {
      {"plain", {"00,145.000000,FM,ONE,OFF,88.5Hz"}, {1, 0, 0, false}},
      {"row 100 is skipped", {"100,145.000000,FM,X,OFF,88.5Hz"}, {0, 0, 0, false}},
      {"65635 is no row 99", {"65635,145.000000,FM,X,OFF,88.5Hz"}, {0, 0, 0, false}},
      {"out of range", {"01,117.995,FM,X,OFF,88.5Hz"}, {1, 1, 0, false}},
      {"empty frequency clears quietly", {"02,,FM,X,OFF,88.5Hz"}, {1, 0, 0, false}},
      {"unknown mode and tone", {"03,145.000000,XX,X,OFF,88.6Hz"}, {1, 0, 1, false}},
      {"auto mode", {"04,145.000000,Auto,X,TRAIN1,88.5Hz"}, {1, 0, 1, false}},
      {"snapped", {"05,145.0012,FM,X,OFF,88.5Hz"}, {1, 0, 1, false}},
      {"long name", {"06,145.000000,FM,ABCDEFGHIJKLMNOPQ,OFF,88.5Hz"}, {1, 0, 1, false}},
      // Present but empty columns read as texts no table holds.
      {"short row", {"07,145.000000"}, {1, 0, 1, false}},
      {"no columns but the keys", {"07,145.000000"}, {1, 0, 0, false}},
  };
  for (const Case& c : cases) {
    kwtest::CsvRig rig;
    cmcEeprom image = rig.initial;
    std::vector<std::string> lines{c.what == std::string("no columns but the keys")
                                       ? "CH No,Frequency"
                                       : kChannelHeader};
    lines.insert(lines.end(), c.rows.begin(), c.rows.end());
    const auto r = ReadCsvText(CrLf(lines), image, rig.initial, ConfirmCsvImport(0, false),
                               rig.Context());
    ExpectCounts(r, c.counts, c.what);
  }
}

TEST(CsvImport, ChannelsLandOnTheirRowsAndKeepTrainTones) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvText(
      CrLf({kChannelHeader, "99,430.5,FM, LAST,TRAIN1,100.0Hz", "01,117.995,FM,X,OFF,88.5Hz"}),
      image, rig.initial, ConfirmCsvImport(3, false), rig.Context());
  EXPECT_TRUE(r.changed);
  const datCh last = LoadDetached(image, itemkind::kChannel, 399);
  EXPECT_TRUE(last.IsUsed());
  EXPECT_EQ(last.freq, 430500000u);
  EXPECT_EQ(last.toneMode, 12u);
  EXPECT_EQ(last.rptTone, 12u);
  EXPECT_EQ(std::string(last.name.data(), 16), " LAST           ");
  EXPECT_FALSE(LoadDetached(image, itemkind::kChannel, 301).IsUsed());
  // The sheet is reopened and the bank table rebuilt.
  ASSERT_GE(rig.told.size(), 1u);
  EXPECT_EQ(rig.told[0].id, ev::DocumentEdited);
  rig.Drain();
  EXPECT_EQ(rig.told.back().id, ev::ReopenSheet);
  EXPECT_EQ(rig.told.back().p1, 1);
}

TEST(CsvImport, BankRowsFillFreeChannelsAndTheLaterRowWins) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvText(CrLf({kChannelHeader, "05,145.000000,FM,FIRST,OFF,88.5Hz",
                                   "05,146.000000,FM,SECOND,OFF,88.5Hz"}),
                             image, rig.initial, ConfirmCsvImport(21 + 2, false), rig.Context());
  ExpectCounts(r, {2, 0, 0, false}, "bank");
  const datCh c = LoadDetached(image, itemkind::kChannel, 0);
  EXPECT_TRUE(c.IsUsed());
  EXPECT_EQ(c.freq, 146000000u);
  EXPECT_EQ(c.bank, 2u);
  EXPECT_EQ(c.bankSlot, 5u);
  EXPECT_FALSE(LoadDetached(image, itemkind::kChannel, 1).IsUsed());
}

TEST(CsvImport, BankWithoutFreeChannelsOverflows) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  for (int n = 0; n < 999; ++n) {
    datCh c = LoadDetached(image, itemkind::kChannel, static_cast<std::uint32_t>(n));
    c.SetImage(&image);
    c.flags |= datCh::kUsed;
    c.freq = 145000000;
    ASSERT_TRUE(c.Store(itemkind::kChannel, static_cast<std::uint32_t>(n)));
  }
  const auto r = ReadCsvText(CrLf({kChannelHeader, "00,145.5,FM,A,OFF,88.5Hz",
                                   "01,145.5,FM,B,OFF,88.5Hz", "02,145.5,FM,C,OFF,88.5Hz"}),
                             image, rig.initial, ConfirmCsvImport(21, false), rig.Context());
  ExpectCounts(r, {1, 0, 0, true}, "full");
  EXPECT_EQ(LoadDetached(image, itemkind::kChannel, 999).bank, 0u);
}

TEST(CsvImport, ScanEdgesAcrossBandsLoseStepAndMode) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvText(
      CrLf({"No,Name,Frequency Low,Frequency High,TS,Mode", "00,AIR,118.0,136.975,25kHz,AM",
            "01,WIDE,140.0,440.0,5kHz,FM", "02,HALF,145.0,,5kHz,FM", "25,X,145.0,146.0,5kHz,FM",
            "03,BAD,100.0,146.0,5kHz,FM"}),
      image, rig.initial, ConfirmCsvImport(48, false), rig.Context());
  ExpectCounts(r, {4, 1, 1, false}, "edges");
  const datCh air = LoadDetached(image, itemkind::kScanEdge, 0);
  EXPECT_EQ(air.tuneStep, 8u);
  EXPECT_EQ(air.mode, 3u);
  const datCh wide = LoadDetached(image, itemkind::kScanEdge, 1);
  EXPECT_TRUE(wide.IsUsed());
  EXPECT_EQ(wide.tuneStep, 255u);
  EXPECT_EQ(wide.mode, 255u);
  EXPECT_FALSE(LoadDetached(image, itemkind::kScanEdge, 2).IsUsed());
}

const char* kGpsHeader = "Group,Group Name,Name,Date,Time,Latitude,Longitude,Altitude,Alarm";

TEST(CsvImport, GpsGroupTakesEveryRowAndTheFirstAlarm) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvText(
      CrLf({kGpsHeader, "A,HOME,ONE,,,35.5,139.5,,OFF", "A,HOME,TWO,,,35.5,139.5,-12.3,ON",
            "B,AWAY,THREE,,,91,139.5,,ON", "A,,FOUR,,,35.5,139.5,,ON"}),
      image, rig.initial, ConfirmCsvImport(221 + 3, false), rig.Context());
  ExpectCounts(r, {3, 1, 1, false}, "gps");
  EXPECT_EQ(GpsGroupCount(image, 3), 3);
  EXPECT_EQ(GpsGroupCount(image, 1), 0);
  const GpsAlarm alarm = GetGpsAlarm(image);
  EXPECT_EQ(alarm.type, kGpsAlarmMemory);
  EXPECT_EQ(alarm.group, 3);
  EXPECT_EQ(alarm.position, 1);
  const datCh two = LoadDetached(image, itemkind::kGpsMemory,
                                 static_cast<std::uint32_t>(GpsGroupFirst(image, 3) + 1));
  EXPECT_EQ(two.altitude, -404);
  rig.Drain();
  int labels = 0;
  for (const auto& t : rig.told)
    if (t.id == ev::RenameTreeNode) {
      if (t.p2 == 222 + 2) {
        EXPECT_EQ(t.text, "C: HOME            ");
      }
      ++labels;
    }
  EXPECT_EQ(labels, 26);
}

TEST(CsvImport, GpsOverflowStoresNothingMoreAndSetsNoAlarm) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  std::vector<std::string> lines{kGpsHeader};
  for (int i = 0; i < 300; ++i) lines.push_back("A,,P" + std::to_string(i) + ",,,1,1,,OFF");
  lines.push_back("A,,LAST,,,1,1,,ON");
  const auto r = ReadCsvText(CrLf(lines), image, rig.initial, ConfirmCsvImport(219, true),
                             rig.Context());
  ExpectCounts(r, {300, 0, 0, true}, "overflow");
  EXPECT_NE(GetGpsAlarm(image).type, kGpsAlarmMemory);
}

const char* kRptHeader = "Group No,Group Name,Name,Repeater Call Sign,Frequency,Dup,Offset,Mode";

TEST(CsvImport, RepeaterGroupsAndCounts) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvText(CrLf({kRptHeader, "0,TWENTY,R0,JA1RA,439.0,DUP-,5.0,DV",
                                   "-3,NEG,R1,JA1RB,439.0,DUP-,5.0,DV",
                                   "51,OVER,R2,JA1RC,439.0,DUP-,5.0,DV",
                                   "3,THREE,R3,JA1RD,439.0,DUP-,5.0,DV"}),
                             image, rig.initial, ConfirmCsvImport(121, true), rig.Context());
  ExpectCounts(r, {4, 0, 2, false}, "groups");
  EXPECT_EQ(GetRptGroupCount(image, 19), 1);
  EXPECT_EQ(GetRptGroupCount(image, 49), 2);
  EXPECT_EQ(GetRptGroupCount(image, 2), 1);
  EXPECT_EQ(rig.keepAsked, 0);  // nothing was there to keep
}

TEST(CsvImport, RepeaterOverflowKeepsTheFirst1500) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  std::vector<std::string> lines{kRptHeader};
  for (int i = 0; i < 1600; ++i)
    lines.push_back(std::to_string(i % 50 + 1) + ",,R,JA" + std::to_string(i) + ",439.0,,,DV");
  const auto r = ReadCsvText(CrLf(lines), image, rig.initial, ConfirmCsvImport(121, true),
                             rig.Context());
  EXPECT_TRUE(r.noSpace);
  EXPECT_EQ(r.stored, 1500);
  EXPECT_EQ(GetRptTotalCount(image), 1500);
}

TEST(CsvImport, YourCallsKeepOrderAndOverflowAt301) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  std::vector<std::string> lines{"No,Name,Call Sign"};
  lines.push_back("01,EMPTY,");
  for (int i = 0; i < 301; ++i) lines.push_back("01,N,JA" + std::to_string(i));
  const auto r = ReadCsvText(CrLf(lines), image, rig.initial, ConfirmCsvImport(120, false),
                             rig.Context());
  ExpectCounts(r, {300, 1, 0, true}, "your calls");
  EXPECT_EQ(GetYourCallCount(image), 300);
  EXPECT_EQ(LoadDetached(image, itemkind::kYourCall, 0).urCall[2], '0');
}

TEST(CsvImport, HeaderOnlyClearsTheTarget) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  ReadCsvText(CrLf({"No,Name,Call Sign", "1,A,JA1AAA"}), image, rig.initial,
              ConfirmCsvImport(120, false), rig.Context());
  ASSERT_EQ(GetYourCallCount(image), 1);
  const auto r = ReadCsvText(CrLf({"No,Name,Call Sign"}), image, rig.initial,
                             ConfirmCsvImport(120, false), rig.Context());
  ExpectCounts(r, {0, 0, 0, false}, "header only");
  EXPECT_EQ(GetYourCallCount(image), 0);
  EXPECT_TRUE(r.changed);
}

// The text as UTF-16 (little-endian, ASCII only).
std::string Utf16(std::string_view ascii) {
  std::string bytes;
  for (const char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST(CsvImport, BadFilesChangeNothingAndTellNothing) {
  const std::pair<const char*, std::string> files[] = {
      {"empty", ""},
      {"no key columns", "No,Name\r\n1,A\r\n"},
      {"other separator", "No;Name;Call Sign\r\n1;A;JA1A\r\n"},
      {"UTF-16", Utf16("No,Call Sign\r\n1,JA1A\r\n")},
      {"binary", std::string("\x00\xFF\x10\x80,\x81\x82\r\n", 8)},
  };
  for (const auto& [what, bytes] : files) {
    kwtest::CsvRig rig;
    cmcEeprom image = rig.initial;
    const auto r = ReadCsvText(bytes, image, rig.initial, ConfirmCsvImport(120, false),
                               rig.Context());
    EXPECT_EQ(r.status, CsvImportResult::Status::kHeaderError) << what;
    EXPECT_EQ(image, rig.initial) << what;
    rig.Drain();
    EXPECT_TRUE(rig.told.empty()) << what;
  }
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const auto r = ReadCsvFile("/nonexistent/file.csv", image, rig.initial,
                             ConfirmCsvImport(120, false), rig.Context());
  EXPECT_EQ(r.status, CsvImportResult::Status::kOpenError);
  EXPECT_EQ(image, rig.initial);
}

TEST(CsvExport, HeadersAndRowForms) {
  kwtest::CsvRig rig;
  cmcEeprom image = rig.initial;
  const CsvContext ctx = rig.Context();
  auto firstLines = [&](int sheet, bool all, int n) {
    const std::string text = WriteCsvText(image, ConfirmCsvImport(sheet, all), ctx);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (static_cast<int>(lines.size()) < n && start < text.size()) {
      const auto end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  };
  EXPECT_EQ(firstLines(0, false, 1)[0],
            "CH No,Frequency,Dup,Offset,TS,Mode,Name,SKIP,TONE,Repeater Tone,TSQL Frequency,"
            "DTCS Code,DTCS Polarity,DV SQL,DV CSQL Code,Your Call Sign,RPT1 Call Sign,"
            "RPT2 Call Sign");
  EXPECT_EQ(firstLines(0, false, 9)[8], "07,,,,,,,,,,,,,,,,,");
  EXPECT_EQ(firstLines(48, false, 1)[0], "No,Name,Frequency Low,Frequency High,TS,Mode");
  EXPECT_EQ(firstLines(224, false, 1)[0],
            "Group,Group Name,Name,Date,Time,Latitude,Longitude,Altitude,Alarm");
  EXPECT_EQ(firstLines(125, false, 1)[0],
            "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,Frequency,"
            "Dup,Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,Longitude,UTC Offset");
  EXPECT_EQ(firstLines(120, false, 1)[0], "No,Name,Call Sign");
  EXPECT_EQ(WriteCsvText(image, ConfirmCsvImport(215, false), ctx),
            "Frequency,Mode,Caller,/,Called,Rx RPT1,Rx RPT2,Message,Status,Received date,BK,EMR,"
            "Latitude,Longitude,Altitude,SSID,D-PRS Symbol,Course,Speed,Power,Height,Gain,"
            "Directivity,Object/Item Name,Data Type,Temperature,Rainfall,Rainfall (24 Hours),"
            "Rainfall (Midnight),Wind Direction,Wind Speed,Gust Speed,Barometric,Humidity,"
            "GPS Time Stamp,GPS Message\r\n");
  EXPECT_EQ(firstLines(210, false, 1)[0], "Call Sign,Name,Frequency,Dup,Offset");
  EXPECT_EQ(firstLines(211, false, 1)[0], "Call Sign,Name,Frequency,Dup,Offset");
  EXPECT_EQ(firstLines(212, false, 1)[0], "Call Sign,Name");
  EXPECT_EQ(firstLines(213, false, 1)[0], "Call Sign");

  // A channel with an unknown mode, a name with separators, the tone with ",".
  datCh c = LoadDetached(image, itemkind::kChannel, 0);
  c.SetImage(&image);
  c.flags |= datCh::kUsed;
  c.freq = 145000000;
  c.mode = 7;
  c.rptTone = 8;
  SetText(c.name, " A,B;C   ");
  ASSERT_TRUE(c.Store(itemkind::kChannel, 0));
  const std::string row =
      firstLines(0, false, 2)[1];
  EXPECT_NE(row.find(",NOT_FOUND, A B C,"), std::string::npos) << row;
  const std::string semi = WriteCsvText(image, ConfirmCsvImport(0, false), rig.Context(';', ','));
  EXPECT_NE(semi.find("00;145,000000;"), std::string::npos);
  EXPECT_NE(semi.find(";88,5Hz;"), std::string::npos);
}

}  // namespace
