// kw-test: label=locale
// Positions, GPS field cells, altitudes, speeds, courses and alarm-area
// minutes.
#include "cells/PositionConverters.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CapsuleKit.h"
#include "cells/ConverterContext.h"
#include "cells/DateTimeConverters.h"
#include "model/datCh.h"
#include "support/ManualClock.h"
#include "support/RecordingDialogs.h"
#include "support/ScopedTimeZone.h"

namespace {

using kwtest::Answer;
using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;
using Pos = std::array<std::uint8_t, 4>;

const Pos kTokyoLat{35, 0x98, 0xD3, 'N'};   // 35 deg 39.123' N
const Pos kTokyoLon{139, 0xB1, 0xBC, 'E'};  // 139 deg 45.500' E
const Pos kNone{255, 0, 0, 'N'};

TEST(FormatPosition, FormsFormatsAndLanguages) {
  struct Case {
    Pos pos;
    bool latitude;
    int form, format;
    bool japanese;
    std::string text;
  } cases[] = {
      {kTokyoLat, true, 0, 0, false,
       "35\xB0"
       "39.12'N"},
      {kTokyoLat, true, 0, 0, true,
       "35\xDF"
       "39.12'N"},
      {kTokyoLat, true, 1, 0, true,
       " 35\xB0"
       "39.12'N"},  // the dialog's degree byte
      {kTokyoLat, true, 0, 1, false,
       "35\xB0"
       "39'07\"N"},
      {kTokyoLon, false, 0, 0, false,
       "139\xB0"
       "45.50'E"},
      {kTokyoLon, false, 1, 1, false,
       "139\xB0"
       "45'30\"E"},
      {Pos{5, 0xEA, 0x5F, 'S'}, true, 0, 1, false,
       "06\xB0"
       "00'00\"S"},  // 59.999' carries
      {kNone, true, 0, 0, false, "--\xB0--.--'-"},
      {kNone, false, 0, 1, true, "---\xDF--'--\"-"},
  };
  for (const auto& c : cases) {
    const std::string text = c.latitude ? FormatLatitude(c.pos, c.form, c.format, c.japanese)
                                        : FormatLongitude(c.pos, c.form, c.format, c.japanese);
    EXPECT_EQ(text, c.text);
  }
}

TEST(ParsePosition, FixedTextsOnlyAndValidOnly) {
  struct Case {
    std::string text;
    int format;
    bool stored;
    Pos after;
  } cases[] = {
      {" 35\xB0"
       "39.12'N",
       0,
       true,
       {35, 0x98, 0xD0, 'N'}},  // 39120
      {"035\xB0"
       "39.12'N",
       0,
       true,
       {35, 0x98, 0xD0, 'N'}},
      {"035\xB0"
       "39'07\"N",
       1,
       true,
       {35, 0x98, 0xCC, 'N'}},  // 39116
      {"139\xB0"
       "45.50'E",
       0,
       true,
       {139, 0xB1, 0xBC, 'E'}},
      {"090\xB0"
       "00'00\"N",
       1,
       true,
       {90, 0, 0, 'N'}},
      {"090\xB0"
       "00'01\"N",
       1, false, kNone},
      {"180\xB0"
       "00.01'W",
       0, false, kNone},
      {"035\xB0"
       "60.00'N",
       0, false, kNone},
      {"035\xB0"
       "39'60\"N",
       1, false, kNone},
      {"035\xB0"
       "39.12'X",
       0, false, kNone},
      {"035\xB0"
       "39.12'N",
       1, false, kNone},  // separators of the other format
      {"35\xB0"
       "39.12'N",
       0, false, kNone},
      {"", 0, false, kNone},
  };
  for (const auto& c : cases) {
    Pos p = kNone;
    EXPECT_EQ(ParsePosition(p, c.text, c.format), c.stored) << c.text;
    EXPECT_EQ(p, c.after) << c.text;
  }
}

TEST(EditGpsField, KeysOpenTheDialogWithTheFieldsText) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  struct Case {
    std::vector<std::uint8_t> field;
    int kind;
    std::string cell, dialog;
  } cases[] = {
      {{35, 0x98, 0xD3, 'N'},
       gpsfield::kLatitudeHundredths,
       "35\xB0"
       "39.12'N",
       " 35\xB0"
       "39.12'N"},
      {{35, 0x98, 0xD3, 'N'},
       gpsfield::kLatitudeSeconds,
       "35\xB0"
       "39'07\"N",
       " 35\xB0"
       "39'07\"N"},
      {{255, 0, 0, 'E'}, gpsfield::kLongitudeHundredths, "---\xB0--.--'-", ""},
      {{7, 30}, gpsfield::kTimeHm, "07:30", "07:30"},
      {{25, 0}, gpsfield::kTimeHm, "--:--", ""},
      {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, gpsfield::kDateDmy, "07/04/2015", "2015/04/07"},
      {{0x07, 0x04, 0x15, 0x12, 0x30, 0x00}, gpsfield::kTime, "12:30:00", "12:30:00"},
  };
  for (const auto& c : cases) {
    for (int key : {int{cellop::kEnter}, int{cellop::kF2}, int{cellop::kSpace},
                    int{cellop::kBackspace}, int{'7'}}) {
      std::vector<std::uint8_t> field = c.field;
      dialogs.gps.clear();
      cmcCellCapsule cap = Key(key);
      int status = 0;
      EXPECT_EQ(EditGpsField(ctx, cap, field, 0, c.kind, status), 0);
      EXPECT_EQ(status, kCellRedraw);
      EXPECT_EQ(cap.outputText, c.cell);
      ASSERT_EQ(dialogs.gps.size(), 1u);
      EXPECT_EQ(dialogs.gps[0].text, c.dialog);
      EXPECT_EQ(dialogs.gps[0].kind, c.kind);
      EXPECT_EQ(field, c.field);
    }
    // Other keys open nothing.
    std::vector<std::uint8_t> field = c.field;
    dialogs.gps.clear();
    cmcCellCapsule cap = Typed('N');
    int status = 0;
    EditGpsField(ctx, cap, field, 0, c.kind, status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(dialogs.gps.empty());
  }
}

TEST(EditGpsField, UneditedPositionAnswerKeepsTheThousandths) {
  const ConverterContext ctx;
  struct Case {
    int kind;
    std::string answer;  // the dialog's text, as opened or with its blank zeroed
  } cases[] = {
      {gpsfield::kLatitudeHundredths,
       " 35\xB0"
       "39.12'N"},
      {gpsfield::kLatitudeHundredths,
       "035\xB0"
       "39.12'N"},
      {gpsfield::kLatitudeSeconds,
       " 35\xB0"
       "39'07\"N"},
      {gpsfield::kLatitudeSeconds,
       "035\xB0"
       "39'07\"N"},
  };
  for (const auto& c : cases) {
    Pos p = kTokyoLat;
    cmcCellCapsule cap = Answer(c.answer);
    int status = 0;
    EXPECT_EQ(EditGpsField(ctx, cap, p, 0, c.kind, status), 0) << c.answer;
    EXPECT_EQ(p, kTokyoLat) << c.answer;  // 39123, not 39120 or 39116
  }
}

TEST(EditGpsField, PositionAnswersAreCheckedAgainstTheFieldsKind) {
  const ConverterContext ctx;
  struct Case {
    int kind;
    std::string answer;
    int changed;
    Pos after;
  } cases[] = {
      {gpsfield::kLatitudeHundredths,
       " 35\xB0"
       "40.00'N",
       1,
       {35, 0x9C, 0x40, 'N'}},
      {gpsfield::kLatitudeHundredths,
       " 35\xB0"
       "40.00'E",
       0, kTokyoLat},
      {gpsfield::kLatitudeSeconds,
       " 90\xB0"
       "00'01\"N",
       0, kTokyoLat},
      {gpsfield::kLatitudeSeconds,
       " 90\xB0"
       "00'00\"S",
       1,
       {90, 0, 0, 'S'}},
      {gpsfield::kLongitudeHundredths,
       "139\xB0"
       "45.50'E",
       1,
       {139, 0xB1, 0xBC, 'E'}},
      {gpsfield::kLongitudeHundredths,
       "139\xB0"
       "45.50'N",
       0, kTokyoLat},
      {gpsfield::kLatitudeHundredths,
       " 3x\xB0"
       "40.00'N",
       0, kTokyoLat},
  };
  for (const auto& c : cases) {
    Pos p = kTokyoLat;
    cmcCellCapsule cap = Answer(c.answer);
    int status = 0;
    EXPECT_EQ(EditGpsField(ctx, cap, p, 0, c.kind, status), c.changed) << c.answer;
    EXPECT_EQ(p, c.after) << c.answer;
  }
  // A blank field opened blank takes the first answer.
  Pos none = kNone;
  cmcCellCapsule cap = Answer(
      " 35\xB0"
      "39.12'N");
  int status = 0;
  EXPECT_EQ(EditGpsField(ctx, cap, none, 0, gpsfield::kLatitudeHundredths, status), 1);
  EXPECT_EQ(none, (Pos{35, 0x98, 0xD0, 'N'}));
}

TEST(EditGpsField, DateAndTimeAnswersAreStoredInUtc) {
  // 2026-01-01 00:30:00 UTC on the computer's clock.
  kwtest::ManualClock clock(0, 1767227400000);
  kwtest::ScopedTimeZone tz("Asia/Kolkata");
  const ConverterContext ctx;
  const DateTimeBcd stored{0x07, 0x04, 0x15, 0x12, 0x30, 0x00};  // 21:30 local at +540
  struct Case {
    DateTimeBcd before;
    int kind;
    const char* answer;
    int changed;
    DateTimeBcd after;
  } cases[] = {
      {stored, gpsfield::kDateYmd, "2016/02/29", 1, {0x29, 0x02, 0x16, 0x12, 0x30, 0x00}},
      {stored, gpsfield::kDateDmy, "2016/02/29", 1, {0x29, 0x02, 0x16, 0x12, 0x30, 0x00}},
      {stored, gpsfield::kTime, "08:15:00", 1, {0x06, 0x04, 0x15, 0x23, 0x15, 0x00}},
      {stored, gpsfield::kDateYmd, "2015/04/07", 0, stored},  // unedited
      {stored, gpsfield::kTime, "21:30:00", 0, stored},
      {stored, gpsfield::kDateYmd, "2015/02/30", 0, stored},
      {stored, gpsfield::kTime, "24:00:00", 0, stored},
      // Local 2000/01/01 21:30 is 12:30 UTC; 2000/01/01 at 05:00 local would
      // be 1999 in UTC and leaves the record alone.
      {stored, gpsfield::kDateYmd, "2000/01/01", 1, {0x01, 0x01, 0x00, 0x12, 0x30, 0x00}},
      {{0x07, 0x04, 0x15, 0x20, 0x00, 0x00},
       gpsfield::kDateYmd,
       "2000/01/01",
       0,
       {0x07, 0x04, 0x15, 0x20, 0x00, 0x00}},
      // An empty record: a time takes today's local date, a date now's time.
      {{0x99, 0x99, 0x99, 0x99, 0x99, 0x99},
       gpsfield::kTime,
       "10:00:00",
       1,
       {0x01, 0x01, 0x26, 0x01, 0x00, 0x00}},
      {{0x99, 0x99, 0x99, 0x99, 0x99, 0x99},
       gpsfield::kDateYmd,
       "2026/01/01",
       1,
       {0x31, 0x12, 0x25, 0x21, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    DateTimeBcd dt = c.before;
    cmcCellCapsule cap = Answer(c.answer);
    int status = 0;
    EXPECT_EQ(EditGpsField(ctx, cap, dt, 540, c.kind, status), c.changed) << c.answer;
    EXPECT_EQ(dt, c.after) << c.answer;
  }
}

TEST(EditGpsField, RecordFormUsesTheGpsFields) {
  const ConverterContext ctx;
  datCh record;
  record.gpsDate = {0x07, 0x04, 0x15};
  record.gpsTime = {0x12, 0x30, 0x00};
  record.latitude = kTokyoLat;
  record.longitude = kTokyoLon;
  int status = 0;
  cmcCellCapsule cap = Answer("2016/02/29");
  EXPECT_EQ(EditGpsField(ctx, cap, record, 0, gpsfield::kDateYmd, status), 1);
  EXPECT_EQ(record.gpsDate, (std::array<std::uint8_t, 3>{0x29, 0x02, 0x16}));
  cap = Query();
  EditGpsField(ctx, cap, record, 0, gpsfield::kLongitudeHundredths, status);
  EXPECT_EQ(cap.outputText,
            "139\xB0"
            "45.50'E");
}

using EditGpsFieldDeathTest = ::testing::Test;
TEST(EditGpsFieldDeathTest, FieldOfTheWrongSizeIsFatal) {
  const ConverterContext ctx;
  std::array<std::uint8_t, 4> four{};
  cmcCellCapsule cap = Query();
  int status = 0;
  EXPECT_EXIT(EditGpsField(ctx, cap, four, 0, gpsfield::kTime, status),
              ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(EditGpsField(ctx, cap, four, 0, 9, status), ::testing::ExitedWithCode(3), "");
}

TEST(EditAltitude, FeetOrMetresAndTheEmptyValue) {
  const ConverterContext ctx;
  struct Case {
    std::int32_t before;
    bool metric;
    cmcCellCapsule cap;
    int changed;
    std::int32_t after;
    const char* shown;
  } cases[] = {
      {0x7FFFFFFF, false, Query(), 0, 0x7FFFFFFF, "------"},
      {0x7FFFFFFF, false, Commit(""), 1, 0x7FFFFFFF, "------"},
      {1234, false, Commit("-"), 1, 0x7FFFFFFF, "------"},
      {0x7FFFFFFF, false, Commit("100"), 1, 1000, "100ft"},
      {1234, false, Query(), 0, 1234, "123ft"},
      {-1235, false, Query(), 0, -1235, "-124ft"},
      {1000, true, Query(), 0, 1000, "31m"},
      {1234, true, Commit("100"), 1, 3281, "100m"},
      {1234, false, Commit("40000"), 1, 328080, "32808ft"},
      {1234, true, Commit("-20000"), 1, -328084, "-10000m"},
  };
  for (auto& c : cases) {
    std::int32_t v = c.before;
    int status = 0;
    EXPECT_EQ(EditAltitude(ctx, c.cap, v, c.metric, status), c.changed) << c.cap.inputText;
    EXPECT_EQ(v, c.after) << c.cap.inputText;
    EXPECT_EQ(c.cap.outputText, c.shown) << c.cap.inputText;
  }
  // The empty value opens an empty editor on Enter, or the typed digit.
  std::int32_t v = 0x7FFFFFFF;
  cmcCellCapsule cap = Key(cellop::kEnter);
  int status = 0;
  EditAltitude(ctx, cap, v, false, status);
  EXPECT_EQ(status, kCellOpenEditor);
  EXPECT_EQ(cap.outputText, "");
  cap = Typed('5');
  EditAltitude(ctx, cap, v, false, status);
  EXPECT_EQ(cap.outputText, "5");
}

TEST(EditSpeed, UnitsAndEntriesBackToKnots) {
  const ConverterContext ctx;
  struct Case {
    int unit;
    cmcCellCapsule cap;
    int changed;
    std::int32_t after;
    const char* shown;
  } cases[] = {
      {2, Query(), 0, 655, "66kt"},
      {1, Query(), 0, 655, "75mph"},
      {0, Query(), 0, 655, "121km/h"},
      {0, Commit("100"), 1, 539, "100km/h"},
      {1, Commit("2000"), 1, 9991, "1150mph"},
      {2, Commit("-5"), 1, 0, "0kt"},
  };
  for (auto& c : cases) {
    std::int32_t v = 655;
    int status = 0;
    EXPECT_EQ(EditSpeed(ctx, c.cap, v, c.unit, status), c.changed);
    EXPECT_EQ(v, c.after) << c.unit;
    EXPECT_EQ(c.cap.outputText, c.shown) << c.unit;
  }
}

TEST(EditCourse, DegreesWithTheLanguagesDegreeSign) {
  ConverterContext ctx;
  std::int32_t v = 90;
  cmcCellCapsule cap = Commit("400");
  int status = 0;
  EXPECT_EQ(EditCourse(ctx, cap, v, status), 1);
  EXPECT_EQ(v, 360);
  EXPECT_EQ(cap.outputText, "360\xB0");
  ctx.japaneseUi = true;
  cap = Query();
  EditCourse(ctx, cap, v, status);
  EXPECT_EQ(cap.outputText, "360\xDF");
}

TEST(EditPosition, MinutesAndHundredthsOrSeconds) {
  struct Case {
    int format;
    cmcCellCapsule cap;
    std::uint16_t before;
    int changed;
    std::uint16_t after;
    const char* shown;
  } cases[] = {
      {0, Commit("0.07"), 12345, 0, 12345, "12.34'"},
      {0, Commit("0.08"), 12345, 1, 80, "00.08'"},
      {0, Commit("12.5"), 12345, 1, 12500, "12.50'"},
      {0, Commit("12.05"), 12345, 1, 12050, "12.05'"},
      {0, Commit("59.99"), 12345, 1, 59990, "59.99'"},
      {0, Commit("60"), 12345, 0, 12345, "12.34'"},
      {0, Commit("12.345"), 12345, 0, 12345, "12.34'"},
      {0, Commit("1.2.3"), 12345, 0, 12345, "12.34'"},
      {0, Key(cellop::kSpace), 12345, 1, 12350, "12.35'"},
      {0, Key(cellop::kBackspace), 80, 1, 59990, "59.99'"},
      {0, Key(cellop::kSpace), 59990, 1, 80, "00.08'"},
      {1, Commit("12'30"), 0, 1, 12500, "12'30\""},
      {1, Commit("0'04"), 12500, 0, 12500, "12'30\""},
      {1, Commit("59'59"), 12500, 1, 59983, "59'59\""},
      {1, Commit("1'60"), 12500, 0, 12500, "12'30\""},
      {1, Key(cellop::kSpace), 59983, 1, 83, "00'05\""},
      {1, Key(cellop::kBackspace), 83, 1, 59983, "59'59\""},
  };
  for (auto& c : cases) {
    ConverterContext ctx;
    ctx.positionFormat = c.format;
    std::array<std::uint8_t, 2> field{static_cast<std::uint8_t>(c.before >> 8),
                                      static_cast<std::uint8_t>(c.before & 0xFF)};
    int status = 0;
    EXPECT_EQ(EditPosition(ctx, c.cap, field, status), c.changed) << c.cap.inputText;
    EXPECT_EQ(field[0] << 8 | field[1], c.after) << c.cap.inputText;
    EXPECT_EQ(c.cap.outputText, c.shown) << c.cap.inputText;
  }
}

}  // namespace
