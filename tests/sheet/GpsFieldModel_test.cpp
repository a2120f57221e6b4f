// kw-test: label=locale
// The GPS field dialog's model: masks and editable positions for every
// kind, date orders, validation and what a commit sends.
#include "sheet/GpsFieldModel.h"

#include <gtest/gtest.h>

#include "platform/LocaleInfo.h"

namespace {

TEST(GpsFieldModel, MasksAndEditablePositionsForEveryKind) {
  struct Case {
    int kind;
    const char* blank;  // the field opened blank
    int first, last;
  } cases[] = {
      {0, "20  /  /  ", 2, 9},       {1, "  /  /20  ", 0, 9},      {2, "  /  /20  ", 0, 9},
      {3, "  :  :  ", 0, 7},         {4, "  :  ", 0, 4},           {5, "   \xB0  '  \" ", 1, 10},
      {6, "   \xB0  '  \" ", 0, 10}, {7, "   \xB0  .  ' ", 1, 10}, {8, "   \xB0  .  ' ", 0, 10},
  };
  for (const auto& c : cases) {
    GpsFieldModel m(c.kind, "");
    EXPECT_EQ(m.Field().Text(), c.blank) << c.kind;
    EXPECT_EQ(m.Field().FirstEditable(), c.first) << c.kind;
    EXPECT_EQ(m.Field().LastEditable(), c.last) << c.kind;
  }
}

TEST(GpsFieldModel, DatesOpenInTheKindsOrderAndCommitAsYearMonthDay) {
  struct Case {
    int kind;
    const char* shown;
  } cases[] = {{0, "2015/04/07"}, {1, "04/07/2015"}, {2, "07/04/2015"}};
  for (const auto& c : cases) {
    GpsFieldModel m(c.kind, "2015/04/07");
    EXPECT_EQ(m.Field().Text(), c.shown);
    EXPECT_EQ(m.Prepared(), "2015/04/07");
  }
}

TEST(GpsFieldModel, DayMonthYearRangeEndsAtTheThirtiethOfDecember2099) {
  GpsFieldModel m(2, "");
  m.Field().Paste("31/12/2099");
  EXPECT_FALSE(m.IsValid());
  m.Field().SetText("30/12/2099");
  EXPECT_TRUE(m.IsValid());
  EXPECT_EQ(m.OkText(), "2099/12/30");
}

TEST(GpsFieldModel, ValidationByKind) {
  struct Case {
    int kind;
    const char* typed;  // typed from the first editable position
    bool valid;
  } cases[] = {
      {0, "000102", true},    {0, "000101", false},   {0, "150229", false},  {0, "1502", false},
      {3, "235959", true},    {3, "240000", false},   {4, "2359", true},     {4, "2360", false},
      {5, "900001N", false},  {5, "900000N", true},   {5, "350000E", false}, {6, "1800000E", true},
      {6, "1800001W", false}, {6, "0100000N", false}, {7, "355999S", true},  {7, "356000S", false},
      {8, "1794599W", true},
  };
  for (const auto& c : cases) {
    GpsFieldModel m(c.kind, "");
    m.Field().Paste(c.typed);
    EXPECT_EQ(m.IsValid(), c.valid) << c.kind << " " << c.typed;
  }
}

TEST(GpsFieldModel, BlanksReadAsZerosAndLeaveTheDateInvalid) {
  GpsFieldModel m(0, "2015/04/07");
  m.Field().SetCaret(5);
  m.Field().Delete();  // "2015/ 4/07"
  EXPECT_EQ(m.Prepared(), "2015/04/07");
  m.Field().SetCaret(6);
  m.Field().Delete();  // "2015/  /07"
  EXPECT_EQ(m.Prepared(), "2015/00/07");
  EXPECT_FALSE(m.IsValid());
  // OK falls back to the opening text; closing the popups sends nothing.
  EXPECT_EQ(m.OkText(), "2015/04/07");
  EXPECT_EQ(m.CloseText(), std::nullopt);
}

TEST(GpsFieldModel, TimesKeepTheColonWhateverTheSystemSeparator) {
  platform::LocaleInfo info;
  info.timeSeparator = '.';
  platform::ScopedLocaleInfo scope(info);
  GpsFieldModel m(3, "12:30:00");
  m.Field().Paste("083000");
  EXPECT_TRUE(m.IsValid());
  EXPECT_EQ(m.OkText(), "08:30:00");
  EXPECT_EQ(m.CloseText(), "08:30:00");
}

TEST(GpsFieldModel, ClosingThePopupsCommitsOnlyAValidChangedValue) {
  {  // unedited: nothing
    GpsFieldModel m(7,
                    " 35\xB0"
                    "39.12'N");
    EXPECT_EQ(m.CloseText(), std::nullopt);
    EXPECT_EQ(m.OkText(),
              "035\xB0"
              "39.12'N");
  }
  {  // edited and valid
    GpsFieldModel m(7,
                    " 35\xB0"
                    "39.12'N");
    m.Field().End();
    m.Field().Backspace();
    m.Field().Type('S');
    EXPECT_EQ(m.CloseText(),
              "035\xB0"
              "39.12'S");
  }
  {  // an empty date opens on today; unconfirmed, nothing is stored
    GpsFieldModel m(0, "2026/01/01");
    EXPECT_EQ(m.CloseText(), std::nullopt);
  }
  {  // opened blank: untouched, nothing; OK reads the blanks as zeros
    GpsFieldModel m(4, "");
    EXPECT_EQ(m.CloseText(), std::nullopt);
    EXPECT_EQ(m.OkText(), "00:00");
    m.Field().Paste("0700");
    EXPECT_EQ(m.CloseText(), "07:00");
  }
  {  // a blank position stays invalid: OK has nothing to fall back on
    GpsFieldModel m(8, "");
    EXPECT_EQ(m.OkText(), std::nullopt);
    EXPECT_EQ(m.CloseText(), std::nullopt);
  }
}

}  // namespace
