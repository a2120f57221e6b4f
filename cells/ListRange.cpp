#include "cells/ListRange.h"

#include <algorithm>

#include "core/ListRangeAnswer.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"

namespace {

// The first typed answer of the list sheet, if any.
const ListRangeAnswer* FirstAnswer(const cmcEvAnsList& answers) {
  for (const cmcEvAns& answer : answers)
    if (const ListRangeAnswer* range = answer.DataAs<ListRangeAnswer>()) return range;
  return nullptr;
}

}  // namespace

ListRange GetRptGroupRange(const cmcEeprom& image, int g) {
  if (g < 0 || g >= layout::kRptGroups) return {};
  const int first = GetRptGroupFirst(image, g);
  const int count = GetRptGroupCount(image, g);
  return {g, first, first + count - 1, count};
}

ListRange GetYourCallRange(const cmcEeprom& image) {
  const int n = GetYourCallCount(image);
  return {0, 0, n - 1, n};
}

ListRange GetActiveRptGroupRange(const cmcEeprom& image, cmcEvMan& bus) {
  const cmcEvAnsList answers = bus.Query(ev::QueryListRange);
  const ListRangeAnswer* answer = FirstAnswer(answers);
  if (!answer) return {};
  return GetRptGroupRange(image, answer->group);
}

ListRange GetActiveGpsGroupRange(const cmcEeprom& image, cmcEvMan& bus) {
  const cmcEvAnsList answers = bus.Query(ev::QueryListRange);
  const ListRangeAnswer* answer = FirstAnswer(answers);
  if (!answer || answer->group < 0 || answer->group >= layout::kGpsGroups || answer->count < 0)
    return {};
  const int first = std::clamp(GpsGroupFirst(image, answer->group), 0, layout::kGpsCapacity);
  const int count = std::min(answer->count, layout::kGpsCapacity - first);
  return {answer->group, first, first + count - 1, count};
}

ListRange GetListRangeByKind(const cmcEeprom& image, cmcEvMan& bus, std::uint32_t kind) {
  switch (kind) {
    case itemkind::kGpsMemory: return GetActiveGpsGroupRange(image, bus);
    case itemkind::kRepeater: return GetActiveRptGroupRange(image, bus);
    case itemkind::kYourCall: return GetYourCallRange(image);
    default: return {};
  }
}

bool IsPastRange(std::int64_t index, const ListRange& range) {
  return range.count <= 0 || index > range.last;
}

bool IsPastRangeByKind(std::uint32_t kind, std::int64_t index, const ListRange& range) {
  switch (kind) {
    case itemkind::kGpsMemory:
    case itemkind::kRepeater:
    case itemkind::kYourCall: return IsPastRange(index, range);
    default: return false;
  }
}
