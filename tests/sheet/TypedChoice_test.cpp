// kw-test: link=sheet_choices
// Typed choice: the nearest number, the nearest number of the typed length,
// and prefix matching, over small option lists.
#include "sheet/choices/TypedChoice.h"

#include <gtest/gtest.h>

namespace {

using choices::TypedOption;

const std::vector<TypedOption> kSteps = {{0, "5kHz"}, {1, "6.25kHz"}, {2, "8.33kHz"}, {14, "Auto"}};
const std::vector<TypedOption> kAutoFirst = {{14, "Auto"}, {0, "5kHz"}, {3, "All"}};
const std::vector<TypedOption> kDtcs = {{0, "023"}, {1, "025"}, {35, "223"}, {38, "243"}};
const std::vector<TypedOption> kModes = {{0, "FM"}, {1, "FM-N"}, {5, "DV"}};
const std::vector<TypedOption> kTones = {{7, "85.4Hz"}, {8, "88.5Hz"}, {9, "91.5Hz"}};
const std::vector<TypedOption> kTie = {{0, "5"}, {1, "7"}};

TEST(TypedChoice, MatchesByMode) {
  struct Case {
    const std::vector<TypedOption>* options;
    const char* typed;
    int mode;
    std::optional<int> value;
  } cases[] = {
      // Nearest number; texts that start with no number never take part.
      {&kSteps, "7", 0, 1},
      {&kSteps, "7.5", 0, 2},
      {&kSteps, "7,5", 0, 2},
      {&kSteps, " 100 ", 0, 2},
      {&kAutoFirst, "1", 0, 0},
      {&kTones, "88.6", 0, 8},
      {&kTones, "88.6Hz", 0, 8},  // with the options' unit
      {&kTones, "88.6 Hz", 0, std::nullopt},
      {&kTones, "88.6kHz", 0, std::nullopt},
      {&kTie, "6", 0, 0},  // a tie goes to the first
      // Nearest number of the typed length; one character acts as mode 0.
      {&kDtcs, "025", 2, 1},
      {&kDtcs, "24", 2, 38},
      {&kDtcs, "2", 2, 0},
      // Prefix, upper-cased.
      {&kAutoFirst, "a", 3, 14},
      {&kAutoFirst, "al", 3, 3},
      {&kModes, "fm-", 1, 1},
      {&kModes, "fm", 1, 0},
      // Nothing matches.
      {&kSteps, "", 0, std::nullopt},
      {&kSteps, "abc", 0, std::nullopt},
      {&kSteps, "7a", 0, std::nullopt},
      {&kModes, "x", 1, std::nullopt},
      {&kModes, "\x83\x41", 1, std::nullopt},     // double-byte
      {&kModes, "FM-N-------", 1, std::nullopt},  // longer than the entry
      {&kModes, "12345678901", 0, std::nullopt},
      {&kModes, "5", 0, std::nullopt},  // no option is a number
  };
  for (const auto& c : cases) {
    EXPECT_EQ(choices::MatchTypedChoice(*c.options, c.typed, c.mode), c.value)
        << "\"" << c.typed << "\" mode " << c.mode;
  }
}

TEST(TypedChoice, LeadingNumbers) {
  EXPECT_EQ(choices::LeadingNumber("5kHz"), 5.0);
  EXPECT_EQ(choices::LeadingNumber("6.25kHz"), 6.25);
  EXPECT_EQ(choices::LeadingNumber("023"), 23.0);
  EXPECT_EQ(choices::LeadingNumber("88,5Hz"), 88.5);
  EXPECT_EQ(choices::LeadingNumber("5."), 5.0);
  EXPECT_EQ(choices::LeadingNumber("Auto"), std::nullopt);
  EXPECT_EQ(choices::LeadingNumber("---"), std::nullopt);
  EXPECT_EQ(choices::LeadingNumber(".5"), std::nullopt);
}

}  // namespace
