// Rebreaking cell texts for drawing: a break before the character that
// overflows, at least one character a line, a double-byte pair kept whole.
#include "sheet/CellTextWrap.h"

#include <gtest/gtest.h>

namespace {

// Every byte 8 pixels wide.
class ByteMeasurer : public core::LineMeasurer {
 public:
  core::TextExtent MeasureLine(std::string_view line) const override {
    return {static_cast<int>(line.size()) * 8, 16};
  }
};

TEST(CellTextWrap, BreaksBeforeTheOverflowingCharacter) {
  const ByteMeasurer measurer;
  // "あ" is 0x82 0xA0: one character of 16 pixels.
  const std::string a = "\x82\xA0";
  struct Case {
    std::string text;
    int limit;
    std::string wrapped;
  } const cases[] = {
      {"ABCDEF", 24, "ABC\nDEF"},
      {"ABCDEFG", 24, "ABC\nDEF\nG"},
      {"ABC", 24, "ABC"},
      {"AB\nCDEF", 24, "AB\nCDE\nF"},
      {"", 24, ""},
      // Narrower than one character: one a line, never an empty line.
      {"ABC", 5, "A\nB\nC"},
      {"ABC", 0, "A\nB\nC"},
      // A double-byte character is measured and moved as one.
      {"A" + a + a, 24, "A" + a + "\n" + a},
      {a + a, 8, a + "\n" + a},
      // A lead byte at the end stands alone.
      {"AB\x82", 8, "A\nB\n\x82"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WrapCellText(measurer, c.text, c.limit), c.wrapped) << c.text;
}

TEST(CellTextWrap, TheLimitIsNinetyPercent) {
  EXPECT_EQ(WrapLimit(10), 9);
  EXPECT_EQ(WrapLimit(100), 90);
  EXPECT_EQ(WrapLimit(95), 86);
  EXPECT_EQ(WrapLimit(0), 0);
}

}  // namespace
