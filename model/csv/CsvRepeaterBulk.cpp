#include "model/csv/CsvRepeaterBulk.h"

#include <array>

#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"

using namespace layout;

namespace csv {
namespace rptbulk {

// The three parallel arrays of the list, read whole.
struct Arrays {
  std::vector<std::uint8_t> records;
  std::vector<std::uint8_t> gateways;
  std::vector<bool> useFrom;

  explicit Arrays(const cmcEeprom& image)
      : records(static_cast<std::size_t>(kRptSize) * kRptCapacity),
        gateways(static_cast<std::size_t>(kPackedCallSize) * kRptCapacity),
        useFrom(kRptCapacity) {
    image.GetBlock(kRptBase, records.data(), static_cast<std::int64_t>(records.size()));
    image.GetBlock(kRptGatewayCalls, gateways.data(), static_cast<std::int64_t>(gateways.size()));
    for (int i = 0; i < kRptCapacity; ++i)
      useFrom[static_cast<std::size_t>(i)] = imageaccess::GetBit(image, kRptUseFromBitmap, i);
  }
  Arrays() = default;

  void Append(const Arrays& from, int first, int count) {
    if (count <= 0) return;
    const auto f = static_cast<std::size_t>(first);
    const auto c = static_cast<std::size_t>(count);
    records.insert(records.end(), from.records.begin() + static_cast<long>(f * kRptSize),
                   from.records.begin() + static_cast<long>((f + c) * kRptSize));
    gateways.insert(gateways.end(), from.gateways.begin() + static_cast<long>(f * kPackedCallSize),
                    from.gateways.begin() + static_cast<long>((f + c) * kPackedCallSize));
    useFrom.insert(useFrom.end(), from.useFrom.begin() + static_cast<long>(f),
                   from.useFrom.begin() + static_cast<long>(f + c));
  }
  // Room for entries written afterwards (zero bytes, as an insert clears).
  void AppendEmpty(int count) {
    records.insert(records.end(), static_cast<std::size_t>(count) * kRptSize, 0);
    gateways.insert(gateways.end(), static_cast<std::size_t>(count) * kPackedCallSize, 0);
    useFrom.insert(useFrom.end(), static_cast<std::size_t>(count), false);
  }

  void Write(cmcEeprom& image) const {
    image.SetBlock(kRptBase, records.data(), static_cast<std::int64_t>(records.size()));
    image.SetBlock(kRptGatewayCalls, gateways.data(), static_cast<std::int64_t>(gateways.size()));
    for (int i = 0; i < kRptCapacity; ++i)
      imageaccess::SetBit(image, kRptUseFromBitmap, i, useFrom[static_cast<std::size_t>(i)]);
  }
};

// What a deleted or freshly inserted entry holds before its record: zero
// bytes, then the blank repeater.
void StoreBlank(cmcEeprom& image, int i) {
  const std::array<std::uint8_t, kRptSize> zeros{};
  image.SetBlock(RptAddress(i), zeros.data(), kRptSize);
  datCh blank(&image);
  blank.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
  blank.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
}

void SetCount(cmcEeprom& image, int g, int n) {
  imageaccess::Set16(image, kRptGroupCounts + 2 * static_cast<std::int64_t>(g),
                     static_cast<std::uint32_t>(n));
}

}  // namespace rptbulk

void DeleteRptGroups(cmcEeprom& image, int first, int last) {
  if (first < 0) first = 0;
  if (last >= kRptGroups) last = kRptGroups - 1;
  if (first > last) return;
  const int from = GetRptGroupFirst(image, first);
  const int to = GetRptGroupLast(image, last) + 1;  // one past the deleted block
  const int count = to - from;
  if (count <= 0) return;
  const rptbulk::Arrays old(image);
  rptbulk::Arrays now;
  now.Append(old, 0, from);
  now.Append(old, to, kRptCapacity - to);
  now.AppendEmpty(count);
  now.Write(image);
  for (int i = kRptCapacity - count; i < kRptCapacity; ++i) rptbulk::StoreBlank(image, i);
  for (int g = first; g <= last; ++g) rptbulk::SetCount(image, g, 0);

  const int selected = GetSelectedRepeater(image);
  if (selected >= from && selected < to)
    SetSelectedRepeater(image, kNoSelectedRepeater);
  else if (selected >= to && selected < kRptCapacity)
    SetSelectedRepeater(image, static_cast<std::uint16_t>(selected - count));
}

void AppendRptRecords(cmcEeprom& image, const std::vector<std::pair<int, datCh>>& rows) {
  if (rows.empty()) return;
  std::array<int, kRptGroups> added{};
  for (const auto& [g, record] : rows)
    if (g >= 0 && g < kRptGroups) ++added[static_cast<std::size_t>(g)];
  std::array<int, kRptGroups> oldFirst{};
  std::array<int, kRptGroups> oldCount{};
  for (int g = 0; g < kRptGroups; ++g) {
    oldFirst[static_cast<std::size_t>(g)] = GetRptGroupFirst(image, g);
    oldCount[static_cast<std::size_t>(g)] = GetRptGroupCount(image, g);
  }
  const int total = GetRptTotalCount(image);
  int inserted = 0;
  for (const int n : added) inserted += n;
  if (total + inserted > kRptCapacity) return;

  const rptbulk::Arrays old(image);
  rptbulk::Arrays now;
  std::array<int, kRptGroups> newStart{};
  for (int g = 0; g < kRptGroups; ++g) {
    const auto gi = static_cast<std::size_t>(g);
    newStart[gi] = static_cast<int>(now.useFrom.size());
    now.Append(old, oldFirst[gi], oldCount[gi]);
    now.AppendEmpty(added[gi]);
  }
  now.Append(old, total, kRptCapacity - total - inserted);
  now.Write(image);

  std::array<int, kRptGroups> next{};
  for (int g = 0; g < kRptGroups; ++g) {
    const auto gi = static_cast<std::size_t>(g);
    next[gi] = newStart[gi] + oldCount[gi];
    rptbulk::SetCount(image, g, oldCount[gi] + added[gi]);
  }
  for (const auto& [g, record] : rows) {
    if (g < 0 || g >= kRptGroups) continue;
    const int i = next[static_cast<std::size_t>(g)]++;
    datCh r = record;
    r.SetImage(&image);
    rptbulk::StoreBlank(image, i);
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }

  // The selected entry moves past the entries inserted before it.
  const int selected = GetSelectedRepeater(image);
  if (selected < kRptCapacity) {
    int shifted = selected;
    if (selected >= total) {
      shifted = selected + inserted;
    } else {
      int before = 0;
      for (int k = 0; k < kRptGroups; ++k) {
        const auto ki = static_cast<std::size_t>(k);
        if (selected >= oldFirst[ki] && selected < oldFirst[ki] + oldCount[ki]) break;
        before += added[ki];
      }
      shifted = selected + before;
    }
    SetSelectedRepeater(image, shifted < kRptCapacity ? static_cast<std::uint16_t>(shifted)
                                                      : kNoSelectedRepeater);
  }
}

}  // namespace csv
