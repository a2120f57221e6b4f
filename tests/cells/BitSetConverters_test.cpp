// kw-test: label=locale
// Flag sets edited in the bit-selection dialog: bank links, the NMEA
// sentence set and the logger's sentences. The dialog keeps item k in bit
// 26 - k, so a field's first item must land there whatever its range.
#include "cells/BitSetConverters.h"

#include <gtest/gtest.h>

#include "CapsuleKit.h"
#include "cells/ConverterContext.h"
#include "support/RecordingDialogs.h"

namespace {

using kwtest::Answer;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

std::uint32_t Item(int k) { return 1u << (26 - k); }

TEST(BitSetFields, EveryRangeLinesUpWithTheDialogsItems) {
  struct Case {
    int first, last;
    std::uint32_t field;  // the first item in the highest used bit
    int item;             // the item that field names
  } cases[] = {
      {1, 10, 0x200, 1},  {1, 10, 0x001, 10}, {11, 20, 0x200, 11}, {11, 20, 0x001, 20},
      {21, 26, 0x20, 21}, {21, 26, 0x01, 26}, {1, 8, 0x80, 1},     {1, 4, 0x8, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FlagsFromField(c.field, c.first, c.last), Item(c.item)) << c.first << "-" << c.last;
    EXPECT_EQ(FieldFromFlags(0, Item(c.item), c.first, c.last), c.field);
  }
  // Only the field's own bits go back; bits above them stay.
  EXPECT_EQ(FieldFromFlags(0xFC00u, Item(21) | Item(1), 21, 26), 0xFC20u);
}

TEST(EditBankLinks, ShowsLettersOrDigitsOfTheSetItems) {
  const ConverterContext ctx;
  struct Case {
    int first, last, kind;
    std::uint32_t field;
    const char* shown;
  } cases[] = {
      {21, 26, bitheader::kLetters, 0x20, "U_____"},  // U is U, not nothing
      {21, 26, bitheader::kLetters, 0x3F, "UVWXYZ"},
      {11, 20, bitheader::kLetters, 0x201, "K________T"},
      {1, 10, bitheader::kLetters, 0x204, "A______H__"},
      {1, 10, bitheader::kDecimal, 0x3FF, "1234567890"},
  };
  for (const auto& c : cases) {
    std::uint32_t field = c.field;
    cmcCellCapsule cap = Query();
    int status = 0;
    EditBankLinks(ctx, cap, field, c.first, c.last, c.kind, status);
    EXPECT_EQ(cap.outputText, c.shown);
  }
}

TEST(EditBankLinks, TypedLettersAndDigitsToggleTheirItem) {
  const ConverterContext ctx;
  struct Case {
    int first, last;
    char typed;
    std::uint32_t before, after;
    int changed;
  } cases[] = {
      {21, 26, 'u', 0x00, 0x20, 1}, {21, 26, 'U', 0x20, 0x00, 1}, {21, 26, 'Z', 0x00, 0x01, 1},
      {21, 26, 'A', 0x00, 0x00, 0}, {1, 10, '0', 0x00, 0x01, 1},  {1, 10, '3', 0x00, 0x80, 1},
      {1, 10, 'c', 0x80, 0x00, 1},  {11, 20, '1', 0x00, 0x00, 0}, {11, 20, 'k', 0x00, 0x200, 1},
  };
  for (const auto& c : cases) {
    std::uint32_t field = c.before;
    cmcCellCapsule cap = Typed(c.typed);
    int status = 0;
    EXPECT_EQ(EditBankLinks(ctx, cap, field, c.first, c.last, bitheader::kLetters, status),
              c.changed)
        << c.typed;
    EXPECT_EQ(field, c.after) << c.typed;
  }
}

TEST(EditBankLinks, SpaceSetsOrClearsAllAndBackspaceInverts) {
  const ConverterContext ctx;
  struct Case {
    int key;
    std::uint32_t before, after;
  } cases[] = {{cellop::kSpace, 0xC0000000u, 0xC000003Fu},
               {cellop::kSpace, 0xC0000004u, 0xC0000000u},
               {cellop::kBackspace, 0xC0000005u, 0xC000003Au}};
  for (const auto& c : cases) {
    std::uint32_t field = c.before;  // the bits above the six items are not ours
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditBankLinks(ctx, cap, field, 21, 26, bitheader::kLetters, status), 1);
    EXPECT_EQ(field, c.after) << c.key;
  }
}

TEST(EditBankLinks, DialogOpensOnEnterAndItsAnswerIsStored) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  std::uint32_t field = 0x21;
  cmcCellCapsule cap = Key(cellop::kEnter);
  int status = 0;
  EXPECT_EQ(EditBankLinks(ctx, cap, field, 21, 26, bitheader::kLetters, status), 0);
  EXPECT_EQ(status, kCellRedraw);
  ASSERT_EQ(dialogs.bits.size(), 1u);
  EXPECT_EQ(dialogs.bits[0].flags, Item(21) | Item(26));
  EXPECT_EQ(dialogs.bits[0].first, 21);
  EXPECT_EQ(dialogs.bits[0].last, 26);
  EXPECT_EQ(dialogs.bits[0].headerKind, bitheader::kLetters);

  // The answer: item 22 (V) only; bits outside the items are dropped.
  cap = Answer(std::to_string(Item(22) | (1u << 31) | Item(20)));
  EXPECT_EQ(EditBankLinks(ctx, cap, field, 21, 26, bitheader::kLetters, status), 1);
  EXPECT_EQ(field, 0x10u);
  EXPECT_EQ(cap.outputText, "_V____");
}

TEST(EditNmeaSentences, RmcAloneIsItemOne) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  struct Case {
    std::uint32_t packed;
    const char* shown;
  } cases[] = {
      {0x10, "RMC"}, {0x08, "GGA"}, {0x04, "GLL"}, {0x02, "GSA"},
      {0x01, "VTG"}, {0x20, "GSV"}, {0x00, "OFF"}, {0x31, "RMC, VTG, GSV"},
  };
  for (const auto& c : cases) {
    std::uint32_t packed = c.packed;
    cmcCellCapsule cap = Query();
    int status = 0;
    EditNmeaSentences(ctx, cap, packed, status);
    EXPECT_EQ(cap.outputText, c.shown);
  }
  std::uint32_t packed = 0x10;
  cmcCellCapsule cap = Key(cellop::kSpace);
  int status = 0;
  EditNmeaSentences(ctx, cap, packed, status);
  ASSERT_EQ(dialogs.bits.size(), 1u);
  EXPECT_EQ(dialogs.bits[0].flags, Item(1));
  EXPECT_EQ(dialogs.bits[0].last, 6);
  EXPECT_EQ(dialogs.bits[0].headerKind, bitheader::kNmeaSentences);
  // GGA and GSV chosen in the dialog land in their own flags.
  cap = Answer(std::to_string(Item(2) | Item(6)));
  EXPECT_EQ(EditNmeaSentences(ctx, cap, packed, status), 1);
  EXPECT_EQ(packed, 0x28u);
}

TEST(EditNmeaOutput, FourSentencesRmcFirst) {
  kwtest::RecordingDialogs dialogs;
  const ConverterContext ctx;
  std::uint32_t field = 0x0A;
  cmcCellCapsule cap = Key(cellop::kEnter);
  int status = 0;
  EditNmeaOutput(ctx, cap, field, status);
  EXPECT_EQ(cap.outputText, "RMC, VTG");
  ASSERT_EQ(dialogs.bits.size(), 1u);
  EXPECT_EQ(dialogs.bits[0].flags, Item(1) | Item(3));
  EXPECT_EQ(dialogs.bits[0].headerKind, bitheader::kNmeaOutput);
  cap = Answer(std::to_string(Item(4)));
  EXPECT_EQ(EditNmeaOutput(ctx, cap, field, status), 1);
  EXPECT_EQ(field, 0x01u);
  EXPECT_EQ(cap.outputText, "GSA");
}

using BitSetFieldsDeathTest = ::testing::Test;
TEST(BitSetFieldsDeathTest, RangeOutsideTheDialogsWordIsFatal) {
  EXPECT_EXIT(FlagsFromField(0, 20, 27), ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(FlagsFromField(0, -1, 8), ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(FlagsFromField(0, 9, 8), ::testing::ExitedWithCode(3), "");
}

}  // namespace
