#pragma once
// The "Cloning" window's bar: 32 segments over a 256 x 16 paint area, each
// segment filled in the highlight colour up to the share of bytes moved,
// with a one-pixel gap in the window colour after it.
#include <cstdint>
#include <vector>

#include "model/MemRange.h"

namespace clonebar {

constexpr int kSegments = 32;
constexpr int kWidth = 256;
constexpr int kHeight = 16;

// Segments to fill: 33 x data / total, 0 when the total is 0 (so a complete
// transfer fills every segment; moving more than the total cannot overflow).
int FilledSegments(std::int64_t dataBytes, std::int64_t totalBytes);

struct Rect {
  int left;
  int right;  // exclusive
  bool highlight;
};

// The rectangles to fill, in order, for a paint area whose inclusive
// horizontal extent is clientLeft..clientRight (full height each).
std::vector<Rect> Rects(int clientLeft, int clientRight, int filled);

// Bytes of a run over a range list (pairs up to the end marker).
inline std::int64_t TotalBytes(const MemRangeList& ranges) { return RangeByteCount(ranges); }

}  // namespace clonebar
