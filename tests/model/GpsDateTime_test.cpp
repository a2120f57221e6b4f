// kw-test: label=locale
// Date and time of a new GPS memory: the computer's local time minus the
// radio's UTC offset, whatever the computer's time zone is.
#include "model/GpsDateTime.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <array>

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "support/ManualClock.h"

namespace {

using Bytes3 = std::array<std::uint8_t, 3>;

TEST(GpsDateTimeTest, RadioOffsetEqualToTheZoneGivesUtc) {
  // 2024-02-29 23:45:30 UTC.
  kwtest::ManualClock clock(0, 1709250330000);
  const int zoneMinutes = QDateTime::fromMSecsSinceEpoch(clock.NowUnixMs()).offsetFromUtc() / 60;
  datCh r;
  gpstime::SetDateTimeFromClock(r, zoneMinutes);
  EXPECT_EQ(r.gpsDate, (Bytes3{0x29, 0x02, 0x24}));
  EXPECT_EQ(r.gpsTime, (Bytes3{0x23, 0x45, 0x30}));
}

TEST(GpsDateTimeTest, LocalToBcdShiftsAcrossDaysAndYears) {
  struct Case {
    std::int64_t localMs;
    int offset;
    Bytes3 date, time;
    bool ok;
  } cases[] = {
      {1709250330000, 60, {0x29, 0x02, 0x24}, {0x22, 0x45, 0x30}, true},
      {1709250330000, -30, {0x01, 0x03, 0x24}, {0x00, 0x15, 0x30}, true},  // into March
      {946684800000, 1, {0x99, 0x99, 0x99}, {0x99, 0x99, 0x99}, false},    // back into 1999
      {946684800000, 0, {0x01, 0x01, 0x00}, {0x00, 0x00, 0x00}, true},
      {-1000, 0, {0x99, 0x99, 0x99}, {0x99, 0x99, 0x99}, false},
  };
  for (const Case& c : cases) {
    Bytes3 date{}, time{};
    EXPECT_EQ(gpstime::LocalToBcd(c.localMs, c.offset, date, time), c.ok) << c.localMs;
    EXPECT_EQ(date, c.date) << c.localMs << " " << c.offset;
    EXPECT_EQ(time, c.time) << c.localMs << " " << c.offset;
  }
}

TEST(GpsDateTimeTest, UtcOffsetSettingOutOfRangeCountsAsZero) {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  struct Case {
    std::uint16_t stored;
    int minutes;
  } cases[] = {{540, 540}, {0xFFC4, -60}, {840, 840}, {0xFCB8, -840},
               {841, 0},   {0xFCB7, 0},   {32767, 0}};
  for (const Case& c : cases) {
    imageaccess::Set16(image, layout::kUtcOffset, c.stored);
    EXPECT_EQ(gpstime::ReadUtcOffsetMinutes(image), c.minutes) << c.stored;
  }
}

}  // namespace
