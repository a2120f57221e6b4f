// Text fields of CSV lines: nothing in a cleaned text can end the field or
// the line early, and double-byte characters stay whole.
#include "core/CsvFieldText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CsvFieldText, SeparatorsControlBytesAndLoneLeadBytesBecomeBlanks) {
  struct Case {
    std::string in;
    std::string out;
    bool changed;
  };
  const Case cases[] = {
      {"PLAIN NAME", "PLAIN NAME", false},
      {"A,B;C", "A B C", true},
      {"LINE\r\nEND\t\x7F", "LINE  END  ", true},
      {std::string("NUL\0X", 5), "NUL X", true},
      {"\x82\xA0\x82\xA2", "\x82\xA0\x82\xA2", false},  // two double-byte characters
      {"END\x82", "END ", true},                        // lead byte at the end
      {"\x82,X", "  X", true},                          // lead byte before a separator
      {"\x82\x0D", "  ", true},
      {"\x83\x5C", "\x83\x5C", false},  // a trail byte that looks like a backslash
      {"\xB1\xB2", "\xB1\xB2", false},  // half-width katakana
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(core::CleanCsvText(text), c.changed) << c.in;
    EXPECT_EQ(text, c.out);
    EXPECT_EQ(core::CleanedCsvText(c.in), c.out);
  }
}

}  // namespace
