// kw-test: label=locale
// Runs under the C locale and under de_DE.UTF-8: every result here must be the
// same in both, because nothing may read the process locale.
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/LocaleInfo.h"

using namespace core;

namespace {

platform::LocaleInfo WithDecimal(char decimal) {
  platform::LocaleInfo info;
  info.decimal = decimal;
  return info;
}

}  // namespace

TEST(ReadDecimal, OneReaderForBothDecimals) {
  struct Case {
    const char* text;
    char decimal;
    std::optional<double> expected;
  } cases[] = {
      {"12,5", ',', 12.5},
      {"12.5", ',', std::nullopt},
      {"12.5", '.', 12.5},
      {"12,5", '.', std::nullopt},
      {" -0.25\t", '.', -0.25},
      {"+3", '.', 3.0},
      {".5", '.', 0.5},
      {"7.", '.', 7.0},
      {"1e3", '.', 1000.0},
      {"1,5E-1", ',', 0.15},
      {"1.5", ';', 1.5},  // a decimal other than "." or "," counts as "."
      {"1e", '.', std::nullopt},
      {"1e999", '.', std::nullopt},
      {"inf", '.', std::nullopt},
      {"nan", '.', std::nullopt},
      {"-", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"1,000.5", '.', std::nullopt},
      {"1.2.3", '.', std::nullopt},
      {"0x10", '.', std::nullopt},
      {"12 5", '.', std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadDecimal(c.text, c.decimal), c.expected) << c.text << " " << c.decimal;
}

TEST(WriteFixedPoint, IntegerDigits) {
  EXPECT_EQ(FormatFrequencyText(145000000, ','), "145,000000");
  EXPECT_EQ(FormatFrequencyText(145012500, '.'), "145.012500");
  EXPECT_EQ(FormatFrequencyText(0, '.'), "0.000000");
  EXPECT_EQ(FormatFrequencyText(-600000, '.'), "-0.600000");
  EXPECT_EQ(WriteFixedPoint(std::numeric_limits<std::int64_t>::min(), 2, '.'),
            "-92233720368547758.08");
  EXPECT_EQ(WriteFixedPoint(-5, 1, ','), "-0,5");
  EXPECT_EQ(WriteFixedPoint(42, 0, ','), "42");
}

TEST(NumberText, LocaleFunctionsUseTheLocaleDecimal) {
  for (char decimal : {'.', ',', ':'}) {
    platform::ScopedLocaleInfo locale(WithDecimal(decimal));
    const std::string d(1, NormalizeDecimal(decimal));
    SCOPED_TRACE(d);
    double out = -1;
    EXPECT_EQ(ParseFloatOr9999(out, "12" + d + "5"), 1);
    EXPECT_EQ(out, 12.5);
    EXPECT_EQ(ParseFloatOr9999(out, "9999"), 0);
    EXPECT_EQ(out, 0);
    EXPECT_EQ(ParseFloatOr9999(out, "9999" + d + "5"), 0);
    EXPECT_EQ(ParseFloatOr9999(out, "junk"), 0);  // reads as 9999
    EXPECT_EQ(ParseFloatOr9999(out, "-9999"), 1);
    EXPECT_EQ(out, -9999);

    EXPECT_TRUE(ParseFloatNonZero(out, "1" + d + "5"));
    EXPECT_EQ(out, 1.5);
    EXPECT_FALSE(ParseFloatNonZero(out, "0" + d + "5"));
    EXPECT_FALSE(ParseFloatNonZero(out, "x"));
    EXPECT_EQ(out, 0);

    // The separator is the caller's, whatever the locale says.
    EXPECT_EQ(ParseFrequencyText("145,5", ',', -1), 145.5);
    EXPECT_EQ(ParseFrequencyText("145.5", '.', -1), 145.5);
    EXPECT_EQ(ParseFrequencyText("145.5", ',', -1), -1);
    EXPECT_EQ(ParseFrequencyText("-1", '.', 7), -1);
    EXPECT_EQ(ParseFrequencyText("1-1", '.', 7), 7);
    EXPECT_EQ(ParseFrequencyText(" 145", '.', 7), 7);
    EXPECT_EQ(ParseFrequencyText("1.4.5", '.', 7), 7);
    EXPECT_EQ(ParseFrequencyText("", '.', 7), 7);
    EXPECT_EQ(ParseFrequencyText("1e5", '.', 7), 7);
  }
}

TEST(NumberText, TextToRoundedIntAlwaysReadsAPoint) {
  platform::ScopedLocaleInfo locale(WithDecimal(','));
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"COM3", 3},
      {"2.5", 3},
      {"-2.5", -3},
      {"2.4", 2},
      {"12,7", 127},
      {"", 0},
      {"abc", 0},
      {"1-2", 0},
      {"-", 0},
      {"1234567890123", 123456789},
      {"99999999999", 999999999},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToRoundedInt(c.text), c.expected) << c.text;
}

TEST(NumberText, TryTextToRoundedIntTellsNoNumberFromZero) {
  struct Case {
    const char* text;
    std::optional<int> expected;
  } cases[] = {
      {"0", 0},
      {"-0.4", 0},
      {"COM3", 3},
      {"2.5", 3},
      {".5", 1},
      {"", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"-.", std::nullopt},
      {"abc", std::nullopt},
      {"1-2", std::nullopt},
      {"1.2.3", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TryTextToRoundedInt(c.text), c.expected) << c.text;
}

TEST(NumberText, RoundingNeverCastsOutOfRange) {
  EXPECT_EQ(RoundHalfAwayFromZero(2.5), 3);
  EXPECT_EQ(RoundHalfAwayFromZero(-2.5), -3);
  EXPECT_EQ(RoundHalfAwayFromZero(1e19), std::nullopt);
  EXPECT_EQ(RoundHalfAwayFromZero(-1e19), std::nullopt);
  EXPECT_EQ(RoundHalfAwayFromZero(std::nan("")), std::nullopt);
  EXPECT_EQ(RoundHalfAwayFromZero(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(RoundHalfAwayFromZero(-9223372036854775808.0),
            std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(IntToDouble(7), 7.0);
}
