#include "core/HexTextToBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using namespace core;
using Bytes = std::vector<std::uint8_t>;

TEST(HexTextToBytes, ConvertsExactlyCountDigits) {
  struct Case {
    const char* name;
    std::string text;
    int count;
    std::size_t room;
    int result;
    Bytes expected;  // the whole span afterwards (starts as EE)
  } cases[] = {
      {"record digits", "530817264903", 12, 6, 0, {0x53, 0x08, 0x17, 0x26, 0x49, 0x03}},
      {"lower case", "abCD", 4, 2, 0, {0xAB, 0xCD}},
      {"stops at a non-digit", "12G4", 4, 2, -1, {0x12, 0xEE}},
      {"count shorter than the text", "1234", 2, 2, 0, {0x12, 0xEE}},
      {"odd count: last digit not read", "12Z", 3, 2, 0, {0x12, 0xEE}},
      {"text too short", "123", 4, 2, -1, {0x12, 0xEE}},
      {"span too small", "123456", 6, 2, -1, {0x12, 0x34}},
      {"negative count", "12", -2, 1, -1, {0xEE}},
      {"zero count", "", 0, 0, 0, {}},
  };
  for (const auto& c : cases) {
    Bytes out(c.room, 0xEE);
    EXPECT_EQ(HexTextToBytes(out, c.text, c.count), c.result) << c.name;
    EXPECT_EQ(out, c.expected) << c.name;
  }
}

TEST(HexTextToBytes, NoLimitOnTheCount) {
  std::string text;
  for (int i = 0; i < 255; ++i) text += "A5";
  Bytes out(255);
  EXPECT_EQ(HexTextToBytes(out, text, 510), 0);
  EXPECT_EQ(out, Bytes(255, 0xA5));
}
