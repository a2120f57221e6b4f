#pragma once
// Address ranges of an image: inclusive pairs. A list ends at its last pair or
// at the first descending pair (the stored lists end with the pair (1, 0)).
// Shared by the data file, the layout revisions and the clone engine.
#include <cstdint>
#include <vector>

struct MemRange {
  std::int64_t first = 0;
  std::int64_t last = 0;  // inclusive
  bool IsEnd() const { return first > last; }
  std::int64_t Count() const { return IsEnd() ? 0 : last - first + 1; }
};

using MemRangeList = std::vector<MemRange>;

// The pairs before the end marker.
inline MemRangeList UsedRanges(const MemRangeList& list) {
  MemRangeList used;
  for (const MemRange& r : list) {
    if (r.IsEnd()) break;
    used.push_back(r);
  }
  return used;
}

// Bytes covered by the pairs before the end marker.
inline std::int64_t RangeByteCount(const MemRangeList& list) {
  std::int64_t total = 0;
  for (const MemRange& r : list) {
    if (r.IsEnd()) break;
    total += r.Count();
  }
  return total;
}
