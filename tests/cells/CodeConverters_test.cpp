// kw-test: label=locale
// Hexadecimal bytes and bits, DTMF digits, two-digit codes and the UTC
// offset.
#include "cells/CodeConverters.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "CapsuleKit.h"
#include "cells/ConverterContext.h"
#include "support/RecordingDialogs.h"

namespace {

using kwtest::Answer;
using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

TEST(EditHexBytes, DigitsFillFromTheRightAndTheFirstByteIsClamped) {
  struct Case {
    const char* text;
    int changed;
    std::array<std::uint8_t, 2> after;
  } cases[] = {
      {"7e", 1, {0x01, 0x7E}},  // the first byte, 00, is raised to the minimum
      {"1a2b", 1, {0x1A, 0x2B}},  {"x1-2y", 1, {0x01, 0x12}},
      {"fffff", 1, {0xDF, 0xFF}},  // only the last four digits fit; the first byte clamps
      {"", 0, {0x58, 0x00}},      {"zz", 0, {0x58, 0x00}},
      {"-", 0, {0x58, 0x00}},
  };
  for (const auto& c : cases) {
    std::array<std::uint8_t, 2> bytes{0x58, 0x00};
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditHexBytes(cap, bytes, 0x01, 0xDF, status), c.changed) << c.text;
    EXPECT_EQ(bytes, c.after) << c.text;
  }
  // One byte below the minimum after the fill is raised to it.
  std::array<std::uint8_t, 1> one{0x58};
  cmcCellCapsule cap = Commit("0");
  int status = 0;
  EditHexBytes(cap, one, 0x01, 0xDF, status);
  EXPECT_EQ(one[0], 0x01);
  EXPECT_EQ(cap.outputText, "01");
}

TEST(EditHexBytes, StepsWrapWithinTheRange) {
  struct Case {
    std::uint8_t from;
    int key;
    std::uint8_t to;
  } cases[] = {
      {0xDF, cellop::kSpace, 0x01}, {0x01, cellop::kBackspace, 0xDF}, {0x58, cellop::kSpace, 0x59}};
  for (const auto& c : cases) {
    std::array<std::uint8_t, 1> b{c.from};
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditHexBytes(cap, b, 0x01, 0xDF, status), 1);
    EXPECT_EQ(b[0], c.to);
  }
}

TEST(EditHexBits, EnterOpensTheBitDialogOverItemsOneToEight) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  std::uint8_t v = 0x81;
  cmcCellCapsule cap = Key(cellop::kEnter);
  int status = 0;
  EXPECT_EQ(EditHexBits(ctx, cap, v, 0x81, 3, 4, status), 0);
  EXPECT_EQ(status, kCellRedraw);
  ASSERT_EQ(dialogs.bits.size(), 1u);
  const auto& b = dialogs.bits[0];
  EXPECT_EQ(b.flags, 0x81u << 18);
  EXPECT_EQ(b.first, 1);
  EXPECT_EQ(b.last, 8);
  EXPECT_EQ(b.headerKind, 6);
  EXPECT_EQ(b.number1, 3);
  EXPECT_EQ(b.number2, 4);
  // Item 1 (B7) is bit 25, item 8 (B0) bit 18.
  EXPECT_EQ(b.flags, (1u << 25) | (1u << 18));
}

TEST(EditHexBits, DialogAnswersAndEntriesStoreTheByte) {
  const ConverterContext ctx;
  struct Case {
    cmcCellCapsule cap;
    int changed;
    std::uint8_t after;
  } cases[] = {
      {Answer(std::to_string((0x3Cu << 18) | (1u << 30) | 0x3FFFF)), 1, 0x3C},
      {Answer("junk"), 0, 0x81},
      {Commit("c"), 1, 0x0C},
      {Commit("Fe"), 1, 0xFE},
      {Commit("1FF"), 0, 0x81},
      {Commit("g"), 0, 0x81},
  };
  for (auto& c : cases) {
    std::uint8_t v = 0x81;
    int status = 0;
    EXPECT_EQ(EditHexBits(ctx, c.cap, v, 0, 0, 0, status), c.changed) << c.cap.inputText;
    EXPECT_EQ(v, c.after) << c.cap.inputText;
  }
}

TEST(EditDtmfCode, EntriesKeepDigitsStarAndHash) {
  std::array<std::uint8_t, 24> field;
  field.fill(0xFF);
  cmcCellCapsule cap = Commit("12ab*#");
  int status = 0;
  EXPECT_EQ(EditDtmfCode(cap, field, 24, status), 1);
  const std::vector<std::uint8_t> head(field.begin(), field.begin() + 7);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{1, 2, 10, 11, 14, 15, 0xFF}));
  EXPECT_EQ(cap.outputText, "12AB*#");
  // E and F are the same digits as * and #.
  cap = Commit("EF");
  EditDtmfCode(cap, field, 24, status);
  EXPECT_EQ(cap.outputText, "*#");
  // At most the maximum; the rest of the field is 0xFF.
  cap = Commit("1234567890");
  EditDtmfCode(cap, field, 4, status);
  EXPECT_EQ(cap.outputText, "1234");
  EXPECT_EQ(field[4], 0xFF);
}

TEST(EditDtmfCode, EmptyEntryClearsAndUnusableEntryChangesNothing) {
  std::array<std::uint8_t, 4> field{3, 4, 0xFF, 0xFF};
  cmcCellCapsule cap = Commit("xyz");
  int status = 0;
  EXPECT_EQ(EditDtmfCode(cap, field, 4, status), 0);
  EXPECT_EQ(cap.outputText, "34");
  cap = Commit("  ");
  EXPECT_EQ(EditDtmfCode(cap, field, 4, status), 1);
  EXPECT_EQ(field, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(cap.outputText, "");
}

TEST(EditDtmfCode, DamagedByteEndsTheDigits) {
  std::array<std::uint8_t, 4> full{1, 2, 3, 4};  // no end marker: the field's length
  std::array<std::uint8_t, 4> damaged{1, 0x20, 3, 0xFF};
  int status = 0;
  cmcCellCapsule cap = Query();
  EditDtmfCode(cap, full, 4, status);
  EXPECT_EQ(cap.outputText, "1234");
  EditDtmfCode(cap, damaged, 4, status);
  EXPECT_EQ(cap.outputText, "1");
}

TEST(EditDigitalCode, OneOrTwoDigitsAndWrappingSteps) {
  struct Case {
    cmcCellCapsule cap;
    std::uint8_t before;
    int changed;
    std::uint8_t after;
    const char* shown;
  } cases[] = {
      {Commit("7"), 50, 1, 7, "07"},         {Commit("42"), 50, 1, 42, "42"},
      {Commit("123"), 50, 0, 50, "50"},      {Commit("4a"), 50, 0, 50, "50"},
      {Commit(""), 50, 0, 50, "50"},         {Key(cellop::kBackspace), 0, 1, 99, "99"},
      {Key(cellop::kSpace), 99, 1, 0, "00"},
  };
  for (auto& c : cases) {
    std::uint8_t v = c.before;
    int status = 0;
    EXPECT_EQ(EditDigitalCode(c.cap, v, status), c.changed) << c.cap.inputText;
    EXPECT_EQ(v, c.after) << c.cap.inputText;
    EXPECT_EQ(c.cap.outputText, c.shown);
  }
}

TEST(EditUtcOffset, EntriesRoundToFiveMinutesWithinFourteenHours) {
  struct Case {
    const char* text;
    bool emptyAllowed;
    int changed;
    std::int32_t after;
    const char* shown;
  } cases[] = {
      {"+9:07", false, 1, 545, "+9:05"}, {"-3:30", false, 1, -210, "-3:30"},
      {"14:05", false, 0, 60, "+1:00"},  {"14:00", false, 1, 840, "+14:00"},
      {"5", false, 1, 300, "+5:00"},     {":45", false, 1, 45, "+0:45"},
      {"0", false, 1, 0, "0:00"},        {"1:60", false, 0, 60, "+1:00"},
      {"1:2:3", false, 0, 60, "+1:00"},  {"123456", false, 0, 60, "+1:00"},
      {"-", false, 0, 60, "+1:00"},      {"", false, 0, 60, "+1:00"},
      {"", true, 1, 32767, "--:--"},     {"--:--", true, 1, 32767, "--:--"},
  };
  for (const auto& c : cases) {
    std::int32_t v = 60;
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditUtcOffset(cap, v, c.emptyAllowed, status), c.changed) << c.text;
    EXPECT_EQ(v, c.after) << c.text;
    EXPECT_EQ(cap.outputText, c.shown) << c.text;
  }
}

TEST(EditUtcOffset, StepsWrapBetweenPlusAndMinusFourteen) {
  struct Case {
    std::int32_t from;
    int key;
    std::int32_t to;
  } cases[] = {{840, cellop::kSpace, -840},
               {-840, cellop::kBackspace, 840},
               {32767, cellop::kSpace, -840},
               {32767, cellop::kBackspace, -840},
               {0, cellop::kBackspace, -5}};
  for (const auto& c : cases) {
    std::int32_t v = c.from;
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditUtcOffset(cap, v, true, status), 1);
    EXPECT_EQ(v, c.to) << c.from;
  }
}

}  // namespace
