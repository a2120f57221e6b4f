// Received-call history (kind 9): an entry reached through the history order
// table, spread over a 46-byte record, a 20-byte text, a status byte and a
// 92-byte position record.
#include <array>
#include <cstring>

#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

constexpr std::uint32_t kModeDv = 5;

std::uint16_t Be16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }
std::uint32_t Be32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(Be16(p)) << 16) | Be16(p + 2);
}

}  // namespace

void datCh::LoadRxCall(int i) {
  // The entry is the position of the byte value i in the order table.
  int e = -1;
  for (int k = 0; k < kRxEntries; ++k) {
    if (image_->GetByte(kRxOrderTable + k) == i) {
      e = k;
      break;
    }
  }
  if (e < 0) {
    flags = 0;
    return;
  }
  // Every received call is a digital-voice call: the record's mode is DV,
  // so the sheets and the export show the mode list's "DV".
  mode = kModeDv;
  datRxCall& r = rx;
  std::array<std::uint8_t, kRxRecordSize> a{};
  image_->GetBlock(kRxRecords + static_cast<std::int64_t>(kRxRecordSize) * e, a.data(),
                   kRxRecordSize);
  std::memcpy(r.caller.data(), &a[0], 8);
  std::memcpy(r.callerNote.data(), &a[8], 4);
  std::memcpy(r.called.data(), &a[12], 8);
  std::memcpy(r.rpt1.data(), &a[20], 8);
  std::memcpy(r.rpt2.data(), &a[28], 8);
  r.frequency = Be32(&a[36]);
  std::memcpy(r.date.data(), &a[40], 3);
  std::memcpy(r.time.data(), &a[43], 3);
  image_->GetBlock(kRxTexts + static_cast<std::int64_t>(kRxTextSize) * e, r.message.data(),
                   kRxTextSize);
  r.status = image_->GetByte(kRxStatusBytes + e);

  std::array<std::uint8_t, kRxPositionSize> p{};
  image_->GetBlock(kRxPositions + static_cast<std::int64_t>(kRxPositionSize) * e, p.data(),
                   kRxPositionSize);
  std::memcpy(r.latitude.data(), &p[0], 4);
  std::memcpy(r.longitude.data(), &p[4], 4);
  r.altitude = Be32(&p[8]);
  std::memcpy(r.ssid.data(), &p[12], 2);
  std::memcpy(r.symbol.data(), &p[14], 2);
  std::memcpy(r.gpsTimestamp.data(), &p[25], 4);
  r.dataType = p[29];
  std::memcpy(r.gpsMessage.data(), &p[49], 43);

  // Empty markers for the values the data type does not carry.
  r.course = r.speed = 65535;
  r.phg.fill(0xFF);
  r.objItemName.fill(' ');
  r.objState = 255;
  r.objSubType = 255;
  r.temperature = 32767;
  r.rain = r.rain24 = r.rainMidnight = 0xFFFF;
  r.windDir = r.windSpeed = r.gustSpeed = 0xFFFF;
  r.barometric = 0xFFFFFFFF;
  r.humidity = 0xFF;
  switch (r.dataType) {
    case 1:
    case 6:
      r.course = Be16(&p[30]);
      r.speed = Be16(&p[32]);
      break;
    case 2: std::memcpy(r.phg.data(), &p[30], 4); break;
    case 3:
    case 4:
      std::memcpy(r.objItemName.data(), &p[30], 9);
      r.objState = p[39];
      r.objSubType = p[40];
      if (p[40] == 1) {
        r.course = Be16(&p[41]);
        r.speed = Be16(&p[43]);
      } else if (p[40] == 2) {
        std::memcpy(r.phg.data(), &p[41], 4);
      }
      break;
    case 5:
      r.windDir = Be16(&p[30]);
      r.windSpeed = Be16(&p[32]);
      r.gustSpeed = Be16(&p[34]);
      r.temperature = Be16(&p[36]);
      r.rain = Be16(&p[38]);
      r.rain24 = Be16(&p[40]);
      r.rainMidnight = Be16(&p[42]);
      r.humidity = p[44];
      r.barometric = Be32(&p[45]);
      break;
    default: break;
  }
}
