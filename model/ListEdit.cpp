#include "model/ListEdit.h"

#include <vector>

#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

bool ImageFits(const cmcEeprom& image) { return image.GetSize() >= kMinImageSize; }

// Moves `count` items of `size` bytes at base from index `from` to index `to`.
void MoveItems(cmcEeprom& image, std::int64_t base, int size, int from, int to, int count) {
  if (count <= 0) return;
  const std::int64_t bytes = static_cast<std::int64_t>(size) * count;
  std::vector<std::uint8_t> buffer(static_cast<size_t>(bytes));
  image.GetBlock(base + static_cast<std::int64_t>(size) * from, buffer.data(), bytes);
  image.SetBlock(base + static_cast<std::int64_t>(size) * to, buffer.data(), bytes);
}

// Moves bits from..from+count-1 of a bitmap to to..to+count-1.
void MoveBits(cmcEeprom& image, std::int64_t base, int from, int to, int count) {
  if (from < to) {
    for (std::int64_t k = count - 1; k >= 0; --k)
      imageaccess::SetBit(image, base, to + k, imageaccess::GetBit(image, base, from + k));
  } else {
    for (std::int64_t k = 0; k < count; ++k)
      imageaccess::SetBit(image, base, to + k, imageaccess::GetBit(image, base, from + k));
  }
}

void StoreBlankRepeater(cmcEeprom& image, int i) {
  // The blank is fully defined: bits no field holds start at 0 too.
  const std::vector<std::uint8_t> zeros(kRptSize, 0);
  image.SetBlock(RptAddress(i), zeros.data(), kRptSize);
  datCh blank(&image);
  blank.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
  blank.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
}

std::int64_t RawRptCount(const cmcEeprom& image, int g) {
  return imageaccess::Get16(image, kRptGroupCounts + 2 * static_cast<std::int64_t>(g));
}

void SetGroupStart(cmcEeprom& image, int g, std::uint32_t value) {
  imageaccess::Set16(image, kGpsGroupStarts + 2 * static_cast<std::int64_t>(g), value);
}

void SetOrderWord(cmcEeprom& image, int p, std::uint32_t value) {
  imageaccess::Set16(image, kGpsOrderTable + 2 * static_cast<std::int64_t>(p), value);
}

}  // namespace

bool RptListInsert(cmcEeprom& image, int g, int i) {
  if (!ImageFits(image) || !datCh::IsValidRptGroupIndex(g)) return false;
  if (GetRptTotalCount(image) >= kRptCapacity) return false;
  const std::int64_t first = GetRptGroupFirst(image, g);
  if (i < first || i > first + GetRptGroupCount(image, g)) return false;

  const int moved = kRptCapacity - 1 - i;
  MoveItems(image, kRptBase, kRptSize, i, i + 1, moved);
  MoveItems(image, kRptGatewayCalls, kPackedCallSize, i, i + 1, moved);
  MoveBits(image, kRptUseFromBitmap, i, i + 1, moved);
  SetRptGroupCount(image, g, static_cast<int>(RawRptCount(image, g) + 1));
  StoreBlankRepeater(image, i);

  const std::int64_t selected = GetSelectedRepeater(image);
  if (selected < kRptCapacity && selected >= i)
    SetSelectedRepeater(image, selected + 1 < kRptCapacity
                                   ? static_cast<std::uint16_t>(selected + 1)
                                   : kNoSelectedRepeater);
  return true;
}

bool RptListDelete(cmcEeprom& image, int g, int i) {
  if (!ImageFits(image) || !datCh::IsValidRptGroupIndex(g)) return false;
  const std::int64_t first = GetRptGroupFirst(image, g);
  if (i < first || i >= first + GetRptGroupCount(image, g)) return false;

  const int moved = kRptCapacity - 1 - i;
  MoveItems(image, kRptBase, kRptSize, i + 1, i, moved);
  MoveItems(image, kRptGatewayCalls, kPackedCallSize, i + 1, i, moved);
  MoveBits(image, kRptUseFromBitmap, i + 1, i, moved);
  SetRptGroupCount(image, g, static_cast<int>(RawRptCount(image, g) - 1));
  StoreBlankRepeater(image, kRptCapacity - 1);

  const std::int64_t selected = GetSelectedRepeater(image);
  if (selected == i)
    SetSelectedRepeater(image, kNoSelectedRepeater);
  else if (selected > i && selected < kRptCapacity)
    SetSelectedRepeater(image, static_cast<std::uint16_t>(selected - 1));
  return true;
}

namespace {

void StoreBlankYourCall(cmcEeprom& image, int i) {
  datCh blank(&image);
  blank.Load(itemkind::kBlankYourCall, 0);
  blank.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i));
}

}  // namespace

bool UrListInsert(cmcEeprom& image, int i) {
  if (!ImageFits(image)) return false;
  const int count = GetYourCallCount(image);
  if (count >= kUrCapacity || i < 0 || i > count) return false;
  const int moved = kUrCapacity - 1 - i;
  MoveItems(image, kUrCalls, 8, i, i + 1, moved);
  MoveItems(image, kUrNames, 16, i, i + 1, moved);
  StoreBlankYourCall(image, i);
  SetYourCallCount(image, count + 1);
  return true;
}

bool UrListDelete(cmcEeprom& image, int i) {
  if (!ImageFits(image)) return false;
  const int count = GetYourCallCount(image);
  if (i < 0 || i >= count) return false;
  const int moved = kUrCapacity - 1 - i;
  MoveItems(image, kUrCalls, 8, i + 1, i, moved);
  MoveItems(image, kUrNames, 16, i + 1, i, moved);
  StoreBlankYourCall(image, kUrCapacity - 1);
  SetYourCallCount(image, count - 1);
  return true;
}

bool GpsGroupInsert(cmcEeprom& image, int g, int p) {
  if (!ImageFits(image) || g < 0 || g >= kGpsGroups) return false;
  if (GpsOrderCount(image) >= kGpsCapacity) return false;
  const int slot = GpsFirstFreeSlot(image);
  if (slot >= kGpsCapacity) return false;
  const std::int64_t first = GpsGroupFirst(image, g);
  const std::int64_t count = GpsGroupCount(image, g);
  if (p < first || p > first + count) return false;

  MoveItems(image, kGpsOrderTable, 2, p, p + 1, kGpsCapacity - 1 - p);
  SetOrderWord(image, p, static_cast<std::uint32_t>(slot));
  if (count == 0) SetGroupStart(image, g, static_cast<std::uint32_t>(p));
  for (int k = g + 1; k < kGpsGroups; ++k) {
    const std::uint32_t start = static_cast<std::uint32_t>(GpsGroupStart(image, k));
    if (start < kOrderWordNone) SetGroupStart(image, k, start + 1);
  }
  GpsAlarm alarm = GetGpsAlarm(image);
  if (alarm.type == kGpsAlarmMemory && alarm.group == g &&
      static_cast<std::int64_t>(alarm.position) >= p - first && alarm.position < 0xFFFF) {
    ++alarm.position;
    SetGpsAlarm(image, alarm);
  }
  return true;
}

bool GpsGroupDelete(cmcEeprom& image, int g, int p) {
  if (!ImageFits(image) || g < 0 || g >= kGpsGroups) return false;
  const std::int64_t first = GpsGroupFirst(image, g);
  const std::int64_t count = GpsGroupCount(image, g);
  if (count == 0 || p < first || p >= first + count) return false;

  MoveItems(image, kGpsOrderTable, 2, p + 1, p, kGpsCapacity - 1 - p);
  SetOrderWord(image, kGpsCapacity - 1, kOrderWordNone);
  if (count == 1) SetGroupStart(image, g, kOrderWordNone);
  for (int k = g + 1; k < kGpsGroups; ++k) {
    const std::uint32_t start = static_cast<std::uint32_t>(GpsGroupStart(image, k));
    if (start < kOrderWordNone && start > 0) SetGroupStart(image, k, start - 1);
  }
  GpsAlarm alarm = GetGpsAlarm(image);
  if (alarm.type == kGpsAlarmMemory && alarm.group == g) {
    const std::int64_t deleted = p - first;
    if (alarm.position == deleted) {
      SetGpsAlarm(image, GpsAlarm{});
    } else if (alarm.position > deleted) {
      --alarm.position;
      SetGpsAlarm(image, alarm);
    }
  }
  return true;
}

bool GpsMemInsert(cmcEeprom& image, int g, int p) {
  if (!GpsGroupInsert(image, g, p)) return false;
  datCh blank(&image);
  blank.Load(itemkind::kBlankGps, static_cast<std::uint32_t>(p));
  blank.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
  return true;
}

bool GpsMemDelete(cmcEeprom& image, int g, int p) { return GpsGroupDelete(image, g, p); }

namespace {

bool Notify(bool changed, cmcEvMan& bus, int id) {
  if (changed) {
    bus.Send(id);
    bus.Send(ev::ListChanged);
  }
  return changed;
}

}  // namespace

bool RptListInsertNotify(cmcEeprom& image, cmcEvMan& bus, int g, int i) {
  return Notify(RptListInsert(image, g, i), bus, ev::ListRowInserted);
}
bool RptListDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int g, int i) {
  return Notify(RptListDelete(image, g, i), bus, ev::ListRowDeleted);
}
bool UrListInsertNotify(cmcEeprom& image, cmcEvMan& bus, int i) {
  return Notify(UrListInsert(image, i), bus, ev::ListRowInserted);
}
bool UrListDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int i) {
  return Notify(UrListDelete(image, i), bus, ev::ListRowDeleted);
}
bool GpsMemInsertNotify(cmcEeprom& image, cmcEvMan& bus, int g, int p) {
  return Notify(GpsMemInsert(image, g, p), bus, ev::ListRowInserted);
}
bool GpsMemDeleteNotify(cmcEeprom& image, cmcEvMan& bus, int g, int p) {
  return Notify(GpsMemDelete(image, g, p), bus, ev::ListRowDeleted);
}
