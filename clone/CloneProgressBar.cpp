#include "clone/CloneProgressBar.h"

namespace clonebar {

int FilledSegments(std::int64_t dataBytes, std::int64_t totalBytes) {
  if (totalBytes <= 0 || dataBytes <= 0) return 0;
  const std::int64_t filled = (kSegments + 1) * dataBytes / totalBytes;
  return filled > kSegments + 1 ? kSegments + 1 : static_cast<int>(filled);
}

std::vector<Rect> Rects(int clientLeft, int clientRight, int filled) {
  const int w = (clientRight - clientLeft + 1) / kSegments;
  std::vector<Rect> rects;
  rects.reserve(2 * kSegments);
  for (int i = 0; i < kSegments; ++i) {
    const int left = clientLeft + w * i;
    rects.push_back({left, left + w - 1, i < filled});
    rects.push_back({left + w - 1, left + w, false});
  }
  return rects;
}

}  // namespace clonebar
