#pragma once
// Size of a text of several lines on a canvas, measured one line at a time
// through a small interface (the sheet's painter implements it; tests use
// fixed metrics).
#include <string_view>

namespace core {

struct TextExtent {
  int width = 0;
  int height = 0;
};

class LineMeasurer {
 public:
  virtual ~LineMeasurer() = default;
  // Size of one line (code page 932 bytes, no "\n").
  virtual TextExtent MeasureLine(std::string_view line) const = 0;
};

// The widest of the lines (split at "\n") and the sum of their heights.
TextExtent GetTextExtentLines(const LineMeasurer& canvas, std::string_view text);

}  // namespace core
