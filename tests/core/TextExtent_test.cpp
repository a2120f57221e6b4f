#include "core/TextExtent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace core;

namespace {

// 7 pixels a byte, 13 a line; an empty line has the height but no width.
class FixedMetrics : public LineMeasurer {
 public:
  TextExtent MeasureLine(std::string_view line) const override {
    lines.emplace_back(line);
    return {static_cast<int>(line.size()) * 7, 13};
  }
  mutable std::vector<std::string> lines;
};

}  // namespace

TEST(GetTextExtentLines, WidestLineAndSummedHeights) {
  FixedMetrics canvas;
  const TextExtent e = GetTextExtentLines(canvas, "ab\nabcd\n\nx");
  EXPECT_EQ(e.width, 28);
  EXPECT_EQ(e.height, 4 * 13);
  EXPECT_EQ(canvas.lines, (std::vector<std::string>{"ab", "abcd", "", "x"}));
}

TEST(GetTextExtentLines, OneLineAndTrailingNewline) {
  FixedMetrics canvas;
  EXPECT_EQ(GetTextExtentLines(canvas, "").height, 13);
  EXPECT_EQ(GetTextExtentLines(canvas, "abc\n").height, 26);
  // A byte 0x0A after a lead byte is its trail byte, not a line break.
  canvas.lines.clear();
  GetTextExtentLines(canvas,
                     "\x82\x0A"
                     "b");
  EXPECT_EQ(canvas.lines.size(), 1u);
}
