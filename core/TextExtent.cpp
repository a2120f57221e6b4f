#include "core/TextExtent.h"

#include <algorithm>

#include "core/SjisBytes.h"

namespace core {

TextExtent GetTextExtentLines(const LineMeasurer& canvas, std::string_view text) {
  TextExtent total;
  auto add = [&](std::string_view line) {
    const TextExtent e = canvas.MeasureLine(line);
    total.width = std::max(total.width, e.width);
    total.height += e.height;
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 1 && text[i] == '\n') {
      add(text.substr(start, i - start));
      start = i + 1;
    }
    i += len;
  }
  add(text.substr(start));
  return total;
}

}  // namespace core
