// kw-test: label=locale
// Frequencies, decimals, integers and channel numbers: entries, clamping,
// stepping and the display, the same under any locale.
#include "cells/NumberConverters.h"

#include <gtest/gtest.h>

#include <string>

#include "CapsuleKit.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "platform/LocaleInfo.h"

namespace {

using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

struct FrequencyEntry {
  const char* text;
  std::uint32_t before;
  int changed;
  std::uint32_t after;
};

TEST(EditFrequency, EntriesAreReadClampedOrRefused) {
  const FrequencyEntry cases[] = {
      {"145.5", 433000000, 1, 145500000},
      {"145.0125", 433000000, 1, 145012500},
      {"600", 433000000, 1, 550000000},
      {"100", 433000000, 1, 118000000},
      {"145.000000001", 433000000, 1, 145000000},  // read from 11 kept characters
      {" 145.5 MHz", 433000000, 1, 145500000},
      {"145,5", 433000000, 1, 145500000},  // a typed decimal comma is the point
      {"", 433000000, 0, 433000000},
      {"abc", 433000000, 0, 433000000},
      {".", 433000000, 0, 433000000},  // no digit: no change, never 118 MHz
      {"-", 433000000, 0, 433000000},
      {"-.", 0, 0, 0},  // an empty channel stays empty
      {"1-2", 433000000, 0, 433000000},
      {"1.2.3", 433000000, 0, 433000000},
  };
  for (char decimal : {'.', ','}) {  // the locale's decimal character never matters
    platform::LocaleInfo info;
    info.decimal = decimal;
    platform::ScopedLocaleInfo scope(info);
    for (const auto& c : cases) {
      std::uint32_t hz = c.before;
      cmcCellCapsule cap = Commit(c.text);
      int status = 0;
      EXPECT_EQ(EditFrequency(cap, hz, 118, 550, false, status), c.changed) << c.text;
      EXPECT_EQ(hz, c.after) << c.text;
    }
  }
}

TEST(EditFrequency, ShowsMegahertzWithSixDecimals) {
  std::uint32_t hz = 145012500;
  cmcCellCapsule cap = Commit("145.0125");
  int status = 0;
  EditFrequency(cap, hz, 118, 550, false, status);
  EXPECT_EQ(cap.outputText, "145.012500");
  // A damaged channel may decode above 2^31 Hz: still shown, never negative.
  hz = 2184525000u;
  cap = Query();
  EditFrequency(cap, hz, 118, 550, false, status);
  EXPECT_EQ(cap.outputText, "2184.525000");
}

TEST(EditFrequency, EmptyChannelOpensAnEmptyEditorOrZeroAfterThePoint) {
  std::uint32_t hz = 0;
  int status = 0;
  cmcCellCapsule cap = Key(cellop::kEnter);
  EXPECT_EQ(EditFrequency(cap, hz, 118, 550, true, status), 0);
  EXPECT_EQ(status, kCellOpenEditor);
  EXPECT_EQ(cap.outputText, "");

  status = 0;
  cap = Typed('.');
  EXPECT_EQ(EditFrequency(cap, hz, 118, 550, true, status), 0);
  EXPECT_EQ(status, kCellOpenEditor);
  EXPECT_EQ(cap.outputText, "0.000000");
  EXPECT_EQ(cap.caretPos, 2);
  EXPECT_EQ(cap.selLength, 0);

  // A used channel: "." opens its own text with the caret after the point.
  hz = 145500000;
  status = 0;
  cap = Typed('.');
  EditFrequency(cap, hz, 118, 550, false, status);
  EXPECT_EQ(cap.outputText, "145.500000");
  EXPECT_EQ(cap.caretPos, 4);
  EXPECT_EQ(hz, 145500000u);
}

TEST(EditDecimal, WidthPadsTheIntegerPartAndSignsShowOnlyWhenAsked) {
  struct Case {
    std::int32_t value;
    int width;
    double minimum;
    bool sign;
    const char* shown;
  } cases[] = {
      {145012500, 3, 0, false, "145.012500"}, {145012500, 4, 0, false, " 145.012500"},
      {600000, 3, 0, false, "  0.600000"},    {600000, 3, -10, false, "  0.600000"},
      {-600000, 3, -10, false, " -0.600000"}, {600000, 3, 0, true, " +0.600000"},
      {0, 3, 0, true, "  0.000000"},
  };
  for (const auto& c : cases) {
    std::int32_t v = c.value;
    cmcCellCapsule cap = Query();
    int status = 0;
    EditDecimal(cap, v, 6, 6, c.width, c.minimum, 100, 1, c.sign, false, false, status);
    EXPECT_EQ(cap.outputText, c.shown) << c.value;
  }
}

TEST(EditDecimal, StepsWrapOnlyWithTheSteppingFlag) {
  std::int32_t v = 59995000;
  int status = 0;
  cmcCellCapsule cap = Key(cellop::kSpace);
  EXPECT_EQ(EditDecimal(cap, v, 6, 6, 3, 0, 59.995, 5000, false, true, false, status), 1);
  EXPECT_EQ(v, 0);
  cap = Key(cellop::kBackspace);
  EXPECT_EQ(EditDecimal(cap, v, 6, 6, 3, 0, 59.995, 5000, false, true, false, status), 1);
  EXPECT_EQ(v, 59995000);
  EXPECT_EQ(cap.outputText, " 59.995000");
  // Without it Space opens the editor and Backspace does nothing.
  status = 0;
  cap = Key(cellop::kSpace);
  EXPECT_EQ(EditDecimal(cap, v, 6, 6, 3, 0, 59.995, 5000, false, false, false, status), 0);
  EXPECT_EQ(status, kCellOpenEditor);
  EXPECT_EQ(cap.outputText, "59.995000");
  status = 0;
  cap = Key(cellop::kBackspace);
  EXPECT_EQ(EditDecimal(cap, v, 6, 6, 3, 0, 59.995, 5000, false, false, false, status), 0);
  EXPECT_EQ(status, 0);
  // Entries drop the remainder below the step.
  cap = Commit("0.6049");
  EditDecimal(cap, v, 6, 6, 3, 0, 59.995, 5000, false, true, false, status);
  EXPECT_EQ(v, 600000);
}

TEST(EditRepeaterFrequency, NothingOfANumberClearsAndZeroShowsEmpty) {
  struct Case {
    const char* text;
    int changed;
    std::uint32_t after;
    const char* shown;
  } cases[] = {{"", 1, 0, ""},
               {"off", 1, 0, ""},
               {".", 0, 439500000, " 439.500000"},
               {"-", 0, 439500000, " 439.500000"},
               {"0.01", 1, 30000, "   0.030000"},
               {"1400", 1, 1399995000, "1399.995000"}};
  for (const auto& c : cases) {
    std::uint32_t hz = 439500000;
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditRepeaterFrequency(cap, hz, 0.03, 1399.995, status), c.changed) << c.text;
    EXPECT_EQ(hz, c.after) << c.text;
    EXPECT_EQ(cap.outputText, c.shown) << c.text;
  }
  // A typed digit keeps its editor text even on an empty entry.
  std::uint32_t hz = 0;
  cmcCellCapsule cap = Typed('4');
  int status = 0;
  EditRepeaterFrequency(cap, hz, 0.03, 1399.995, status);
  EXPECT_EQ(status, kCellOpenEditor);
  EXPECT_EQ(cap.outputText, "4");
}

TEST(EditInteger, EntriesRoundToTheStepAndClamp) {
  struct Case {
    const char* text;
    std::int32_t step;
    int changed;
    std::int32_t after;
  } cases[] = {
      {"12", 5, 1, 10},    {"13", 5, 1, 15}, {"-13", 5, 1, -15}, {"500", 1, 1, 99},
      {"-500", 1, 1, -20}, {"7.5", 1, 1, 8}, {".", 1, 0, 42},    {"-", 1, 0, 42},
      {"", 1, 0, 42},      {"x", 1, 0, 42},
  };
  for (const auto& c : cases) {
    std::int32_t v = 42;
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditInteger(cap, v, -20, 99, 0, c.step, false, nullptr, false, status), c.changed)
        << c.text;
    EXPECT_EQ(v, c.after) << c.text;
  }
}

TEST(EditInteger, ClampFlagCorrectsAStoredValueOnFirstDisplay) {
  std::int32_t v = 150;
  cmcCellCapsule cap = kwtest::PlainQuery();
  int status = 0;
  EXPECT_EQ(EditInteger(cap, v, 0, 99, 0, 1, false, nullptr, true, status), 1);
  EXPECT_EQ(v, 99);
  EXPECT_EQ(cap.outputText, "99");
  // Without the flag the value is shown as it is and left alone.
  v = 150;
  EXPECT_EQ(EditInteger(cap, v, 0, 99, 0, 1, false, nullptr, false, status), 0);
  EXPECT_EQ(cap.outputText, "150");
}

TEST(EditInteger, StepsWrapAndShowSignOffsetOrFixedText) {
  struct Case {
    std::int32_t value;
    int key;
    std::int32_t step;
    std::int32_t after;
  } cases[] = {{99, cellop::kSpace, 1, 0},  {0, cellop::kBackspace, 1, 99},
               {95, cellop::kSpace, 5, 0},  {0, cellop::kBackspace, 5, 95},
               {40, cellop::kSpace, 5, 45}, {42, cellop::kSpace, 5, 45}};
  for (const auto& c : cases) {
    std::int32_t v = c.value;
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditInteger(cap, v, 0, 99, 0, c.step, false, nullptr, false, status), 1);
    EXPECT_EQ(v, c.after) << c.value << " " << c.key;
  }
  std::int32_t v = 3;
  cmcCellCapsule cap = Query();
  int status = 0;
  EditInteger(cap, v, -5, 5, 0, 1, true, nullptr, false, status);
  EXPECT_EQ(cap.outputText, "+3");
  EditInteger(cap, v, 0, 9, 1, 1, false, nullptr, false, status);
  EXPECT_EQ(cap.outputText, "4");
  EditInteger(cap, v, 0, 9, 0, 1, false, "OFF", false, status);
  EXPECT_EQ(cap.outputText, "OFF");
  // "-" opens the editor only where minimum plus offset is negative.
  status = 0;
  cap = Typed('-');
  EditInteger(cap, v, 0, 9, 0, 1, false, nullptr, false, status);
  EXPECT_EQ(status, 0);
  cap = Typed('-');
  EditInteger(cap, v, 0, 9, -1, 1, false, nullptr, false, status);
  EXPECT_EQ(status, kCellOpenEditor);
}

TEST(EditInteger, ByteFormKeepsTheByteRange) {
  std::uint8_t v = 200;
  cmcCellCapsule cap = Commit("300");
  int status = 0;
  EXPECT_EQ(EditInteger(cap, v, 0, 1000, status), 1);
  EXPECT_EQ(v, 255);
  cap = Commit("-3");
  EXPECT_EQ(EditInteger(cap, v, -10, 10, status), 1);
  EXPECT_EQ(v, 0);
}

class BankSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    image_.SetSize(layout::kImageSize);
    image_.Fill(0xFF);
    record_.SetImage(&image_);
    record_.bank = 2;
  }
  void Occupy(int bank, int slot, int channel) {
    imageaccess::Set16(image_, layout::kBankTable + bank * 200 + slot * 2, channel);
  }
  cmcEeprom image_;
  datCh record_;
};

TEST_F(BankSlots, StepsPassOccupiedSlotsOfTheChannelsBank) {
  Occupy(2, 5, 10);
  Occupy(2, 6, 11);
  Occupy(2, 4, 12);
  Occupy(3, 7, 13);  // another bank's slot does not count
  struct Case {
    std::int32_t from;
    int key;
    std::int32_t to;
  } cases[] = {{5, cellop::kSpace, 7},
               {5, cellop::kBackspace, 3},
               {99, cellop::kSpace, 0},
               {0, cellop::kBackspace, 99}};
  for (const auto& c : cases) {
    std::int32_t v = c.from;
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditBankChNo(cap, &record_, v, 0, 99, 0, 1, nullptr, false, status), 1);
    EXPECT_EQ(v, c.to) << c.from;
  }
}

TEST_F(BankSlots, AFullBankKeepsTheValueAndNoBankStepsPlainly) {
  for (int slot = 0; slot < 100; ++slot) Occupy(2, slot, slot);
  std::int32_t v = 5;
  cmcCellCapsule cap = Key(cellop::kSpace);
  int status = 0;
  EditBankChNo(cap, &record_, v, 0, 99, 0, 1, nullptr, false, status);
  EXPECT_EQ(v, 5);
  // A bank of 26 or more is none: never an index into the bank table.
  for (std::uint32_t bank : {26u, 255u}) {
    record_.bank = bank;
    v = 5;
    cap = Key(cellop::kSpace);
    EditBankChNo(cap, &record_, v, 0, 99, 0, 1, nullptr, false, status);
    EXPECT_EQ(v, 6) << bank;
  }
}

TEST(EditSelectChNo, EmptyEntryIsNoChannelAndDigitsAreClamped) {
  struct Case {
    const char* text;
    int changed;
    std::int32_t after;
    const char* shown;
  } cases[] = {{"", 1, 1000, ""},       {"  ", 1, 1000, ""}, {"12", 1, 12, "12"},
               {"5000", 1, 999, "999"}, {".", 0, 7, "7"},    {"A", 0, 7, "7"}};
  for (const auto& c : cases) {
    std::int32_t v = 7;
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditSelectChNo(cap, v, 0, 999, false, status), c.changed) << c.text;
    EXPECT_EQ(v, c.after) << c.text;
    EXPECT_EQ(cap.outputText, c.shown) << c.text;
  }
}

TEST(EditSelectChNo, SpaceAndBackspaceOpenTheEditor) {
  for (int key : {int{cellop::kSpace}, int{cellop::kBackspace}, int{cellop::kEnter}}) {
    for (bool empty : {false, true}) {
      std::int32_t v = 7;
      cmcCellCapsule cap = Key(key);
      int status = 0;
      EXPECT_EQ(EditSelectChNo(cap, v, 0, 999, empty, status), 0);
      EXPECT_EQ(status, kCellOpenEditor);
      EXPECT_EQ(cap.outputText, empty ? "" : "7");
      EXPECT_EQ(v, 7);
    }
  }
}

TEST(SetEditOutput, AppendsTheUnitUnlessTheEditorOpens) {
  cmcCellCapsule cap = Query();
  cap.outputText = "12";
  EXPECT_EQ(SetEditOutput(1, cap, "m", 0), 1);
  EXPECT_EQ(cap.outputText, "12m");
  EXPECT_EQ(SetEditOutput(0, cap, "m", kCellOpenEditor), 0);
  EXPECT_EQ(cap.outputText, "12m");
  EXPECT_EQ(SetEditOutput(0, cap, nullptr, 0), 0);
  EXPECT_EQ(cap.outputText, "12m");
}

}  // namespace
