#include "core/HexText.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using namespace core;
using Bytes = std::vector<std::uint8_t>;

// The reader and the writer over one table: text read into bytes, bytes
// written back as text (upper case), and texts the strict reader refuses.
TEST(HexText, ReadsStrictlyAndWritesUpperCase) {
  struct Case {
    const char* name;
    std::string text;
    bool readable;
    Bytes bytes;        // what a read gives (the bytes before a bad pair when refused)
    const char* wrote;  // the writer's text for those bytes
  } cases[] = {
      {"empty", "", true, {}, ""},
      {"every nibble",
       "0123456789ABCDEF",
       true,
       {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
       "0123456789ABCDEF"},
      {"lower case reads, upper case comes back", "abcdef", true, {0xAB, 0xCD, 0xEF}, "ABCDEF"},
      {"extremes", "00FF7F80", true, {0x00, 0xFF, 0x7F, 0x80}, "00FF7F80"},
      {"a blank is no digit", "12 34", false, {0x12}, "12"},
      {"a sign is no digit", "-1", false, {}, ""},
      {"a prefix is no digit", "0x12", false, {}, ""},
      {"a letter past F", "1G", false, {}, ""},
      {"a byte above 0x7F", "1\xC1", false, {}, ""},
      {"a NUL inside", std::string("1\0", 2), false, {}, ""},
      {"text cut short", "123", false, {0x12}, "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes out((c.text.size() + 1) / 2, 0xEE);
    EXPECT_EQ(ReadHexBytes(c.text, out), c.readable);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(c.bytes.size())),
              c.bytes);
    EXPECT_EQ(HexBytes(c.bytes), c.wrote);
    for (const char ch : c.text) {
      const bool digit =
          (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
      EXPECT_EQ(HexDigitValue(ch) >= 0, digit) << int(static_cast<unsigned char>(ch));
    }
  }
  // Never reads past the text it was given, however much room there is.
  Bytes room(4, 0xEE);
  EXPECT_FALSE(ReadHexBytes(std::string_view("12345678", 4), room));
  EXPECT_EQ(room, (Bytes{0x12, 0x34, 0xEE, 0xEE}));
}

// Long runs are written 16 bytes at a time: every byte value, at every
// length around a multiple of 16, reads back the same and is upper case.
TEST(HexText, LongRunsWriteEveryByteValue) {
  Bytes all(256 + 17);
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint8_t>(i * 7 + 3);
  for (std::size_t i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  for (std::size_t n : {15u, 16u, 17u, 31u, 32u, 33u, 256u, 273u}) {
    const std::string text = HexBytes(std::span(all.data(), n));
    ASSERT_EQ(text.size(), 2 * n);
    std::string plain;
    for (std::size_t i = 0; i < n; ++i) {
      plain += "0123456789ABCDEF"[all[i] >> 4];
      plain += "0123456789ABCDEF"[all[i] & 0xF];
    }
    EXPECT_EQ(text, plain) << n;
  }
}

TEST(HexText, NumbersGetAtLeastTheirDigits) {
  struct Case {
    std::uint64_t value;
    int minDigits;
    const char* text;
  } cases[] = {
      {0x3484, 4, "3484"},
      {0x1, 4, "0001"},
      {0xB811F, 6, "0B811F"},
      {0x1234567, 6, "1234567"},
      {0xFFFFFFFF, 6, "FFFFFFFF"},
      {0, 1, "0"},
      {0, 0, "0"},
      {0xABC, 1, "ABC"},
      {~0ull, 20, "FFFFFFFFFFFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(HexNumber(c.value, c.minDigits), c.text) << c.text;
}

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
