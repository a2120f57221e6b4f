#include "model/ListCounts.h"

#include <algorithm>

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"

using namespace layout;
using imageaccess::Get16;
using imageaccess::Set16;

namespace {

// An image too short for the lists (never a document image) has empty lists
// and takes no writes, instead of ending the program.
bool Fits(const cmcEeprom& image) { return image.GetSize() >= kMinImageSize; }

std::int64_t RawRptCount(const cmcEeprom& image, int g) {
  return Fits(image) ? Get16(image, kRptGroupCounts + 2 * static_cast<std::int64_t>(g)) : 0;
}

// Start and end (exclusive) of group g, clipped to the list.
void RptGroupSpan(const cmcEeprom& image, int g, std::int64_t* first, std::int64_t* end) {
  std::int64_t sum = 0;
  for (int k = 0; k < g; ++k) sum += RawRptCount(image, k);
  *first = std::min<std::int64_t>(sum, kRptCapacity);
  *end = std::min<std::int64_t>(sum + RawRptCount(image, g), kRptCapacity);
}

std::int64_t GpsStartWord(const cmcEeprom& image, int g) {
  return Fits(image) ? Get16(image, kGpsGroupStarts + 2 * static_cast<std::int64_t>(g))
                     : kOrderWordNone;
}

}  // namespace

int GetRptGroupCount(const cmcEeprom& image, int g) {
  if (g < 0 || g >= kRptGroups) return 0;
  std::int64_t first = 0, end = 0;
  RptGroupSpan(image, g, &first, &end);
  return static_cast<int>(end - first);
}

void SetRptGroupCount(cmcEeprom& image, int g, int n) {
  if (g < 0 || g >= kRptGroups || !Fits(image)) return;
  Set16(image, kRptGroupCounts + 2 * static_cast<std::int64_t>(g),
        static_cast<std::uint32_t>(std::clamp(n, 0, 0xFFFF)));
}

int GetRptTotalCount(const cmcEeprom& image) {
  std::int64_t sum = 0;
  for (int g = 0; g < kRptGroups; ++g) sum += RawRptCount(image, g);
  return static_cast<int>(std::min<std::int64_t>(sum, kRptCapacity));
}

int GetRptGroupFirst(const cmcEeprom& image, int g) {
  if (g <= 0 || g >= kRptGroups) return 0;
  std::int64_t first = 0, end = 0;
  RptGroupSpan(image, g, &first, &end);
  return static_cast<int>(first);
}

int GetRptGroupLast(const cmcEeprom& image, int g) {
  return GetRptGroupFirst(image, g) + GetRptGroupCount(image, g) - 1;
}

int GetRptGroupOfIndex(const cmcEeprom& image, int i) {
  if (i < 0) return kRptGroups;
  std::int64_t sum = 0;
  for (int g = 0; g < kRptGroups; ++g) {
    sum += RawRptCount(image, g);
    if (sum > i && i < kRptCapacity) return g;
  }
  return kRptGroups;
}

int GetYourCallCount(const cmcEeprom& image) {
  if (!Fits(image)) return 0;
  return std::min<int>(Get16(image, kYourCallCount), kUrCapacity);
}

void SetYourCallCount(cmcEeprom& image, int n) {
  if (!Fits(image)) return;
  Set16(image, kYourCallCount, static_cast<std::uint32_t>(std::clamp(n, 0, kUrCapacity)));
}

int GpsOrderSlot(const cmcEeprom& image, int position) {
  if (position < 0 || position >= kGpsCapacity || !Fits(image)) return kOrderWordNone;
  return Get16(image, kGpsOrderTable + 2 * static_cast<std::int64_t>(position));
}

int GpsOrderCount(const cmcEeprom& image) {
  int p = 0;
  while (p < kGpsCapacity && GpsOrderSlot(image, p) < kGpsCapacity) ++p;
  return p;
}

int GpsOrderRemain(const cmcEeprom& image) { return kGpsCapacity - GpsOrderCount(image); }

int GpsFirstFreeSlot(const cmcEeprom& image) {
  bool named[kGpsCapacity] = {};
  for (int p = 0; p < kGpsCapacity; ++p) {
    const int slot = GpsOrderSlot(image, p);
    if (slot < kGpsCapacity) named[slot] = true;
  }
  for (int slot = 0; slot < kGpsCapacity; ++slot)
    if (!named[slot]) return slot;
  return kGpsCapacity;
}

int GpsGroupStart(const cmcEeprom& image, int g) {
  if (g < 0 || g >= kGpsGroups) return kOrderWordNone;
  return static_cast<int>(GpsStartWord(image, g));
}

int GpsGroupCount(const cmcEeprom& image, int g) {
  if (g < 0 || g >= kGpsGroups) return 0;
  const std::int64_t start = GpsStartWord(image, g);
  if (start >= kGpsCapacity) return 0;
  const std::int64_t used = GpsOrderCount(image);
  std::int64_t end = used;
  for (int k = g + 1; k < kGpsGroups; ++k) {
    const std::int64_t next = GpsStartWord(image, k);
    if (next < kGpsCapacity) {
      end = std::min(next, used);
      break;
    }
  }
  return static_cast<int>(std::max<std::int64_t>(0, end - std::min(start, used)));
}

int GpsGroupFirst(const cmcEeprom& image, int g) {
  const int used = GpsOrderCount(image);
  for (int k = std::max(g, 0); k < kGpsGroups; ++k) {
    const std::int64_t start = GpsStartWord(image, k);
    if (start < kGpsCapacity) return static_cast<int>(std::min<std::int64_t>(start, used));
  }
  return used;
}

int GpsGroupLast(const cmcEeprom& image, int g) {
  return GpsGroupFirst(image, g) + GpsGroupCount(image, g) - 1;
}

int GpsGroupOfIndex(const cmcEeprom& image, int p) {
  // One pass over the start words: the record codec asks this for every GPS
  // position it loads.
  const std::int64_t used = GpsOrderCount(image);
  std::int64_t starts[kGpsGroups];
  for (int g = 0; g < kGpsGroups; ++g) starts[g] = GpsStartWord(image, g);
  for (int g = 0; g < kGpsGroups; ++g) {
    if (starts[g] >= kGpsCapacity) continue;
    std::int64_t end = used;
    for (int k = g + 1; k < kGpsGroups; ++k) {
      if (starts[k] < kGpsCapacity) {
        end = std::min(starts[k], used);
        break;
      }
    }
    if (p >= std::min(starts[g], used) && p < end) return g;
  }
  return kGpsNoGroup;
}

int GpsFirstUsedGroup(const cmcEeprom& image) {
  for (int g = 0; g < kGpsGroups; ++g)
    if (GpsStartWord(image, g) < kGpsCapacity) return g;
  return kGpsNoUsedGroup;
}

GpsAlarm GetGpsAlarm(const cmcEeprom& image) {
  if (!Fits(image)) return {};
  return {image.GetByte(kGpsAlarm), image.GetByte(kGpsAlarm + 1), Get16(image, kGpsAlarm + 2)};
}

void SetGpsAlarm(cmcEeprom& image, const GpsAlarm& alarm) {
  if (!Fits(image)) return;
  image.SetByte(kGpsAlarm, alarm.type);
  image.SetByte(kGpsAlarm + 1, alarm.group);
  Set16(image, kGpsAlarm + 2, alarm.position);
}

int GpsAlarmToSelIndex(int type, int group) {
  switch (type) {
    case 0: return 0;
    case 3: return 1;
    case 1: return 2;
    case 2: return group >= 0 && group <= kGpsAlarmLastGroup ? group + 3 : 0;
    default: return 0;
  }
}

GpsAlarm GpsAlarmFromSelIndex(int row) {
  GpsAlarm alarm;
  if (row == 1) alarm.type = 3;
  if (row == 2) alarm.type = 1;
  if (row >= 3 && row <= 3 + kGpsAlarmLastGroup) {
    alarm.type = 2;
    alarm.group = static_cast<std::uint8_t>(row - 3);
  }
  return alarm;
}

std::uint16_t GetSelectedRepeater(const cmcEeprom& image) {
  return Fits(image) ? Get16(image, kSelectedRepeater) : kNoSelectedRepeater;
}

void SetSelectedRepeater(cmcEeprom& image, std::uint16_t index) {
  if (Fits(image)) Set16(image, kSelectedRepeater, index);
}

std::uint16_t GetSelectedChannel(const cmcEeprom& image) {
  return Fits(image) ? Get16(image, kMemoryHomeChannel) : kNoSelectedChannel;
}

void SetSelectedChannel(cmcEeprom& image, std::uint16_t channel) {
  if (Fits(image)) Set16(image, kMemoryHomeChannel, channel);
}
