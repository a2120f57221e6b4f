// Deletes and inserts of the packed lists (repeaters, your-call signs, GPS
// memories), the program-link delete, the deletes of the received-call
// history and the call lists, and USE(FROM) for a range of repeaters.
#include <algorithm>
#include <array>

#include "app/ListEditCommands.h"
#include "app/ListEditRun.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/ListRows.h"
#include "model/RepeaterListType.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;

namespace {

using namespace listedit::keys;

bool ListIsFull(const cmcEeprom& image, std::uint32_t kind) {
  switch (kind) {
    case itemkind::kRepeater: return GetRptTotalCount(image) >= kRptCapacity;
    case itemkind::kYourCall: return GetYourCallCount(image) >= kUrCapacity;
    default: return GpsOrderRemain(image) == 0;
  }
}

bool DeleteOne(ListEditRun& run, int p) {
  cmcEeprom& image = run.doc.image;
  switch (run.kind) {
    case itemkind::kRepeater: return RptListDeleteNotify(image, run.doc.bus, run.group, p);
    case itemkind::kYourCall: return UrListDeleteNotify(image, run.doc.bus, p);
    default: return GpsMemDeleteNotify(image, run.doc.bus, run.group, p);
  }
}

bool InsertOne(ListEditRun& run, int p) {
  cmcEeprom& image = run.doc.image;
  switch (run.kind) {
    case itemkind::kRepeater: return RptListInsertNotify(image, run.doc.bus, run.group, p);
    case itemkind::kYourCall: return UrListInsertNotify(image, run.doc.bus, p);
    default: return GpsMemInsertNotify(image, run.doc.bus, run.group, p);
  }
}

// The one-byte order table of a call list (entry r: the stored entry shown
// at row r, 255 none).
struct OrderTable {
  std::int64_t address;
  int size;
};

OrderTable CallListOrder(std::uint32_t kind) {
  switch (kind) {
    case itemkind::kCallListA: return {kCallListAOrder, 10};
    case itemkind::kCallListB: return {kCallListBOrder, 10};
    case itemkind::kCallListC: return {kCallListCOrder, 20};
    default: return {kCallListDOrder, 5};
  }
}

void FinishTableDelete(ListEditRun& run, int first) {
  run.Wrote();
  run.DropSelection();
  run.MoveCursor(first);
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.Status(kStatusDelete);
}

// A repeater that may serve as access repeater.
bool CanBeAccessRepeater(const datCh& r) {
  const indDestination& destination = indDestination::Current();
  if (r.freq == 0 || !indDestination::IsInRange(r.freq) || !destination.IsFreqAllowed(r.freq) ||
      indDestination::IsAirBand(r.freq))
    return false;
  switch (GetRepeaterListType(r)) {
    case kRptTypeDvSimplex: return r.duplex == 0;
    case kRptTypeFmRepeater:
    case kRptTypeFmSimplex: return true;
    default: return r.duplex != 0;
  }
}

}  // namespace

void RunGroupDelete(ListEditRun& run) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  if (!IsListRangeEmpty(run.doc.image, run.kind, first, last) && !run.Ask(kAskDelete)) return;
  int deleted = 0;
  for (int row = first; row <= last && DeleteOne(run, first); ++row) ++deleted;
  if (deleted == 0) return;
  run.Wrote();
  run.DropSelection();
  run.MoveCursor(first);
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.doc.bus.Send(ev::ListChanged);
  run.Status(kStatusDelete, true);
}

void RunGroupInsert(ListEditRun& run) {
  int first = 0, last = 0;
  if (!run.Range(first, last, 1)) return;
  int inserted = 0;
  for (int row = first; row <= last; ++row) {
    if (ListIsFull(run.doc.image, run.kind)) {
      run.ShowError(kListFull);
      break;
    }
    if (!InsertOne(run, first)) break;
    ++inserted;
  }
  if (inserted == 0) return;
  run.Wrote();
  run.Select(first, last);
  run.Status(kStatusInsert);
}

void RunLinkDelete(ListEditRun& run) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  cmcEeprom& image = run.doc.image;
  if (!IsListRangeEmpty(image, run.kind, first, last) && !run.Ask(kAskDelete)) return;
  // Only the cursor row's scan edge leaves the link.
  datCh position(&image);
  position.Load(itemkind::kLinkPosition, static_cast<std::uint32_t>(run.cursor));
  if (position.linkEdge >= static_cast<std::uint32_t>(kScanEdges)) return;
  position.linkMember = 0;
  if (!position.StoreSelf()) return;
  FinishTableDelete(run, first);
}

void RunCallListDelete(ListEditRun& run) {
  const OrderTable table = CallListOrder(run.kind);
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  last = std::min(last, table.size - 1);
  if (first > last) return;
  cmcEeprom& image = run.doc.image;
  bool any = false;
  for (int r = first; r <= last; ++r)
    any = any || image.GetByte(table.address + r) != kOrderByteNone;
  if (!any || !run.Ask(kAskDelete)) return;
  const int n = last - first + 1;
  for (int r = first; r < table.size; ++r) {
    const std::uint8_t entry =
        r + n < table.size ? image.GetByte(table.address + r + n) : kOrderByteNone;
    image.SetByte(table.address + r, entry);
  }
  FinishTableDelete(run, first);
}

void RunHistoryDelete(ListEditRun& run) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  cmcEeprom& image = run.doc.image;
  auto shows = [&](std::uint8_t row) {
    return row != kOrderByteNone && row >= first && row <= last;
  };
  bool any = false;
  for (int e = 0; e < kRxEntries; ++e) any = any || shows(image.GetByte(kRxOrderTable + e));
  if (!any || !run.Ask(kAskDelete)) return;
  const int n = last - first + 1;
  for (int e = 0; e < kRxEntries; ++e) {
    const std::uint8_t row = image.GetByte(kRxOrderTable + e);
    if (shows(row))
      image.SetByte(kRxOrderTable + e, kOrderByteNone);
    else if (row != kOrderByteNone && row > last)
      image.SetByte(kRxOrderTable + e, static_cast<std::uint8_t>(row - n));
  }
  FinishTableDelete(run, first);
}

bool SetRepeaterUseFromAll(DocumentContext& doc, int first, int last, bool use) {
  first = std::max(first, 0);
  last = std::min(last, GetRptTotalCount(doc.image) - 1);
  bool changed = false;
  datCh r(&doc.image);
  for (int i = first; i <= last; ++i) {
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    if (!r.IsUsed()) continue;
    const std::uint32_t wanted = use && CanBeAccessRepeater(r) ? 1 : 0;
    if (!use && r.useFrom == 0) continue;
    if (use && (wanted == 0 || r.useFrom == 1)) continue;
    r.useFrom = wanted;
    if (r.StoreSelf()) changed = true;
  }
  doc.bus.Post(ev::CellsRefreshAll);
  if (changed && doc.setModified) doc.setModified();
  return changed;
}
