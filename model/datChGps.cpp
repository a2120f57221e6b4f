// GPS memories (kind 6) and the blank GPS memory (kinds 16 and 17).
#include <array>
#include <cstring>

#include "model/GpsDateTime.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

void datCh::LoadGps(int position) {
  const int slot = GpsOrderSlot(*image_, position);
  gpsGroup = static_cast<std::uint32_t>(GpsGroupOfIndex(*image_, position));
  if (slot >= kGpsCapacity) {
    flags = 0;
    return;
  }
  std::array<std::uint8_t, kGpsSize> b{};
  image_->GetBlock(GpsAddress(slot), b.data(), kGpsSize);
  std::memcpy(latitude.data(), &b[gps::kLatitude], latitude.size());
  std::memcpy(longitude.data(), &b[gps::kLongitude], longitude.size());
  std::memcpy(gpsDate.data(), &b[gps::kDate], gpsDate.size());
  std::memcpy(gpsTime.data(), &b[gps::kTime], gpsTime.size());
  altitude = static_cast<std::int32_t>((static_cast<std::uint32_t>(b[gps::kAltitude]) << 24) |
                                       (static_cast<std::uint32_t>(b[gps::kAltitude + 1]) << 16) |
                                       (static_cast<std::uint32_t>(b[gps::kAltitude + 2]) << 8) |
                                       b[gps::kAltitude + 3]);
  std::memcpy(gpsName.data(), &b[gps::kName], gpsName.size());
}

// Only a used record is written, and only into a slot the order table names.
bool datCh::StoreGps(int position) {
  if (!IsUsed()) return false;
  const int slot = GpsOrderSlot(*image_, position);
  if (slot >= kGpsCapacity) return false;
  std::array<std::uint8_t, kGpsSize> b{};
  std::memcpy(&b[gps::kLatitude], latitude.data(), latitude.size());
  std::memcpy(&b[gps::kLongitude], longitude.data(), longitude.size());
  std::memcpy(&b[gps::kDate], gpsDate.data(), gpsDate.size());
  std::memcpy(&b[gps::kTime], gpsTime.data(), gpsTime.size());
  const auto alt = static_cast<std::uint32_t>(altitude);
  b[gps::kAltitude] = static_cast<std::uint8_t>(alt >> 24);
  b[gps::kAltitude + 1] = static_cast<std::uint8_t>(alt >> 16);
  b[gps::kAltitude + 2] = static_cast<std::uint8_t>(alt >> 8);
  b[gps::kAltitude + 3] = static_cast<std::uint8_t>(alt);
  std::memcpy(&b[gps::kName], gpsName.data(), gpsName.size());
  image_->SetBlock(GpsAddress(slot), b.data(), kGpsSize);
  return true;
}

void datCh::LoadBlankGps(std::uint32_t position, bool withClock) {
  if (withClock) {
    gpstime::SetDateTimeFromClock(*this, gpstime::ReadUtcOffsetMinutes(*image_));
  } else {
    gpsDate.fill(gpstime::kEmptyBcd);
    gpsTime.fill(gpstime::kEmptyBcd);
  }
  latitude = {0, 0, 0, 'N'};
  longitude = {0, 0, 0, static_cast<std::uint8_t>(indDestination::Current().IsDest0() ? 'W' : 'E')};
  altitude = 0x7FFFFFFF;
  gpsGroup = static_cast<std::uint32_t>(GpsGroupOfIndex(
      *image_,
      position < static_cast<std::uint32_t>(kGpsCapacity) ? static_cast<int>(position) : -1));
}
