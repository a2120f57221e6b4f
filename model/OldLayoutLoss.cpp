#include "model/OldLayoutLoss.h"

#include <algorithm>
#include <cstring>

#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"

namespace {

constexpr std::int64_t kCallChannelsEnd =
    layout::kCallChannelBase + static_cast<std::int64_t>(layout::kChannelSize) * (layout::kAllChannels - layout::kMemoryChannels);
constexpr std::int64_t kRptGatewayEnd =
    layout::kRptGatewayCalls + static_cast<std::int64_t>(layout::kPackedCallSize) * layout::kRptCapacity;
constexpr int kGroupNameSize = 16;
constexpr std::int64_t kRptGroupNamesEnd = layout::kRptGroupNames + kGroupNameSize * layout::kRptGroups;
constexpr std::int64_t kUrSettings = 0x2215C;  // 72 bytes before the your-call signs
constexpr int kUrCallSize = 8;
constexpr int kUrNameSize = 16;
constexpr std::int64_t kUrNamesEnd = layout::kUrNames + static_cast<std::int64_t>(kUrNameSize) * layout::kUrCapacity;
constexpr std::int64_t kIndexTables = layout::kRptOrderTable;  // region 27, rebuilt by the passes
static_assert(kCallChannelsEnd <= 0x0C040 && kRptGatewayEnd == layout::kRptGroupNames &&
              kRptGroupNamesEnd == kUrSettings && kUrNamesEnd <= layout::kGpsBase &&
              layout::kGpsGroupNames < kIndexTables && layout::kRptUseFromBitmap < layout::kCommonSettings);

// The areas compared byte by byte: everything of the clone range but the
// lists and the index tables.
struct LossArea {
  std::int64_t first;
  std::int64_t end;  // exclusive
};
constexpr LossArea kSettingsAreas[] = {
    {kCallChannelsEnd, layout::kRptBase},      // spare bytes, bitmaps, bank data, names, scan edges
    {kUrSettings, layout::kUrCalls},           // settings before the your-call signs
    {kUrNamesEnd, layout::kGpsBase},           // history, call lists, texts, settings
    {layout::kGpsGroupNames, kIndexTables},    // GPS group names
    {layout::kCommonSettings, layout::kCloneLast + 1}, // common and set-mode settings
};

bool LossSameBytes(const cmcEeprom& a, const cmcEeprom& b, std::int64_t at, std::int64_t count) {
  return std::memcmp(a.Data() + at, b.Data() + at, static_cast<size_t>(count)) == 0;
}

bool LossBit(const cmcEeprom& image, std::int64_t bitmap, int n) {
  return (image.GetByte(bitmap + n / 8) >> (n % 8)) & 1;
}

// A kept repeater: its record without the reference word, its gateway call
// and its USE(FROM) bit.
bool LossSameRepeater(const cmcEeprom& a, const cmcEeprom& b, int i) {
  const std::int64_t at = layout::RptAddress(i);
  constexpr int kWordEnd = layout::rpt::kWord + 2;
  return LossSameBytes(a, b, at, layout::rpt::kWord) &&
         LossSameBytes(a, b, at + kWordEnd, layout::kRptSize - kWordEnd) &&
         LossSameBytes(a, b, layout::kRptGatewayCalls + static_cast<std::int64_t>(layout::kPackedCallSize) * i,
                       layout::kPackedCallSize) &&
         LossBit(a, layout::kRptUseFromBitmap, i) == LossBit(b, layout::kRptUseFromBitmap, i);
}

bool LossSameYourCall(const cmcEeprom& a, const cmcEeprom& b, int i) {
  return LossSameBytes(a, b, layout::kUrCalls + static_cast<std::int64_t>(kUrCallSize) * i, kUrCallSize) &&
         LossSameBytes(a, b, layout::kUrNames + static_cast<std::int64_t>(kUrNameSize) * i, kUrNameSize);
}

// The GPS memories at list position p of each image.
bool LossSameGps(const cmcEeprom& a, const cmcEeprom& b, int p) {
  const int slotA = GpsOrderSlot(a, p);
  const int slotB = GpsOrderSlot(b, p);
  if (slotA >= layout::kGpsCapacity || slotB >= layout::kGpsCapacity) return slotA == slotB;
  return std::memcmp(a.Data() + layout::GpsAddress(slotA), b.Data() + layout::GpsAddress(slotB), layout::kGpsSize) == 0 &&
         GpsGroupOfIndex(a, p) == GpsGroupOfIndex(b, p);
}

// Group names the older layout holds compare as settings; a name beyond its
// capacity counts only for a group without entries (the others are counted
// as lost groups).
bool LossSameGroupNames(const cmcEeprom& reference, const cmcEeprom& roundTrip, int capacity) {
  for (int g = 0; g < layout::kRptGroups; ++g) {
    const std::int64_t at = layout::kRptGroupNames + static_cast<std::int64_t>(kGroupNameSize) * g;
    if (g >= capacity && GetRptGroupCount(reference, g) > 0) continue;
    if (!LossSameBytes(reference, roundTrip, at, kGroupNameSize)) return false;
  }
  return true;
}

}  // namespace

OldLayoutLoss CompareOldLayoutRoundTrip(const cmcEeprom& reference, const cmcEeprom& roundTrip,
                                        const MemMapLoss& down, int revision) {
  OldLayoutLoss loss;
  loss.repeaters = down.repeaters;
  loss.groups = down.groups;
  loss.yourCalls = down.yourCalls;
  loss.gpsMemories = down.gpsMemories;
  if (reference.GetSize() <= layout::kCloneLast || roundTrip.GetSize() <= layout::kCloneLast) {
    loss.settingsReset = true;
    return loss;
  }

  for (int n = 0; n < layout::kAllChannels; ++n)
    if (!LossSameBytes(reference, roundTrip, layout::ChannelAddress(n), layout::kChannelSize))
      ++loss.channelsChanged;

  bool same = true;
  for (const LossArea& area : kSettingsAreas)
    same = same && LossSameBytes(reference, roundTrip, area.first, area.end - area.first);
  same = same && LossSameGroupNames(reference, roundTrip,
                                    MemMapRevisionOf(revision).Capacities().rptGroups);
  const int repeaters = std::min(GetRptTotalCount(reference), GetRptTotalCount(roundTrip));
  for (int i = 0; same && i < repeaters; ++i) same = LossSameRepeater(reference, roundTrip, i);
  const int yourCalls = std::min(GetYourCallCount(reference), GetYourCallCount(roundTrip));
  for (int i = 0; same && i < yourCalls; ++i) same = LossSameYourCall(reference, roundTrip, i);
  const int gps = std::min(GpsOrderCount(reference), GpsOrderCount(roundTrip));
  for (int p = 0; same && p < gps; ++p) same = LossSameGps(reference, roundTrip, p);
  loss.settingsReset = !same;
  return loss;
}
