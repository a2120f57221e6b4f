#include "core/HexFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Contents(const cmcBuff& b) {
  return std::vector<std::uint8_t>(b.Data(), b.Data() + b.Length());
}

using Bytes = std::vector<std::uint8_t>;

}  // namespace

TEST(HexTextToBuffTest, DigitsPairUpAndEverythingElseIsSkipped) {
  struct Case {
    const char* text;
    Bytes bytes;
  } cases[] = {
      {"FE FE EE EF E2 0000 0000 FD", {0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0, 0, 0, 0, 0xFD}},
      {"A B C", {0xAB, 0xC0}},
      {"hex here!", {0xEE, 0xE0}},  // only the three e are digits
      {"xyz ,.;-", {}},
      {"", {}},
      {"0a:1B-c", {0x0A, 0x1B, 0xC0}},
      {"(9600,N,8,1)", {0x96, 0x00, 0x81}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Contents(HexTextToBuff(c.text)), c.bytes);
  }
}

TEST(HexTextToBuffTest, ReplacesTheBufferContents) {
  cmcBuff out;
  out.AppendFill(0x55, 40);
  HexTextToBuff("12 34", out);
  EXPECT_EQ(Contents(out), (Bytes{0x12, 0x34}));
  HexTextToBuff("--", out);
  EXPECT_EQ(out.Length(), 0);
}

TEST(FrameTemplateTest, FormatsLikePrintfForTheConversionsFramesUse) {
  struct Case {
    const char* tmpl;
    std::initializer_list<FrameArg> args;
    const char* text;
  };
  const Case cases[] = {
      {"FEFE EE EF E0 %04X %04X FD", {0x3484, 0}, "FEFE EE EF E0 3484 0000 FD"},
      {"%02X", {0x1FF}, "1FF"},
      {"%x|%d|%u", {255, -5, -1}, "ff|-5|4294967295"},
      {"%X", {-1}, "FFFFFFFF"},
      {"%5d|%-4d|%05d", {42, 7, -42}, "   42|7   |-0042"},
      {"(%s)", {std::string_view("9600,N,8,1")}, "(9600,N,8,1)"},
      {"%c%c", {'A', 'B'}, "AB"},
      {"100%% %q", {}, "100% %q"},
      {"%04X %s", {}, "0000 "},  // lenient: missing arguments
      {"tail %0", {1}, "tail %0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tmpl);
    EXPECT_EQ(FormatFrameTemplate(c.tmpl, c.args), c.text);
  }
}

TEST(FrameTemplateTest, IdentifyFrame) {
  EXPECT_EQ(Contents(BuildFrame("FEFE EE EF E0 %04X %04X FD", {0x3484, 0})),
            (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x34, 0x84, 0x00, 0x00, 0xFD}));
}

TEST(FrameTemplateTest, SpeedChangeFrameWithoutItsSettingsPrefix) {
  const std::string_view e8 =
      "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 %04X%04X 0000 %s FD";
  Bytes expected(20, 0xFE);
  for (std::uint8_t b : {0xEE, 0xEF, 0xE8, 0x34, 0x84, 0x00, 0x01, 0x00, 0x00, 0x02, 0x01, 0xFD})
    expected.push_back(b);
  EXPECT_EQ(Contents(BuildFrame(e8, {0x3484, 1, std::string_view("02 01")})), expected);
  cmcBuff out;
  out.AppendFill(0, 3);
  BuildFrame(out, e8, {0x3484, 1, std::string_view("02 00")});
  expected[expected.size() - 2] = 0x00;
  EXPECT_EQ(Contents(out), expected);
}
