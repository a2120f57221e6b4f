#include "core/Units.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace core;

TEST(Units, FeetAndMetresRoundHalfUp) {
  struct Case {
    std::uint32_t in, feetToMeters, metersToFeet;
  } cases[] = {
      {0, 0, 0}, {1, 0, 3}, {2, 1, 7}, {100000, 30480, 328084}, {12345, 3763, 40502},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FeetToMeters(c.in), c.feetToMeters) << c.in;
    EXPECT_EQ(MetersToFeet(c.in), c.metersToFeet) << c.in;
  }
}

TEST(Units, NoOverflowAtTheTop) {
  constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
  // 1.31e9 m is past 2^32 ft: saturates instead of wrapping.
  EXPECT_EQ(MetersToFeet(1310000000u), kMax);
  EXPECT_EQ(MetersToFeet(1300000000u), 4265091870u);
  EXPECT_EQ(FeetToMeters(kMax), 1309106032u);
  EXPECT_EQ(MetersToFeetSigned(std::numeric_limits<std::int32_t>::min()),
            std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(MetersToFeetSigned(-100000), -328084);
  EXPECT_EQ(FeetToMetersSigned(-2), -1);
}

TEST(Units, Distances) {
  EXPECT_EQ(DistanceNmToKm(10), 18);
  EXPECT_EQ(DistanceKmToNm(100), 53);
  EXPECT_EQ(DistanceNmToMile(1), 1);
  EXPECT_EQ(DistanceMileToNm(100), 86);
  EXPECT_EQ(DistanceNmToKm(0), 0);
  EXPECT_EQ(DistanceNmToKm(kDistanceInvalid), kDistanceInvalid);
  EXPECT_EQ(ConvertDistanceUnit(5, 99, 3, 0), 99);
  EXPECT_EQ(ConvertDistanceUnit(5, 99, 3, 3), 5);
  // 1.16e6 nm is past 2^31 m: no overflow on the way.
  EXPECT_EQ(DistanceNmToKm(1200000), 2222400);
  EXPECT_EQ(ConvertDistanceUnit(2000000000, 65535, 1, 0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ConvertDistanceUnit(-1200000, 65535, 1, 0), -2222400);
}

TEST(Units, WeatherFields) {
  EXPECT_EQ(FahrenheitToCelsius10(212), 1000);
  EXPECT_EQ(FahrenheitToCelsius10(0), -178);
  EXPECT_EQ(FahrenheitToCelsius10(32), 0);
  EXPECT_EQ(FahrenheitToCelsius10(-40), -400);
  EXPECT_EQ(FahrenheitToCelsius10(32767), 181861);
  EXPECT_EQ(FahrenheitToCelsius10(-32768), -182222);
  EXPECT_EQ(ScaleX254(65535), 166459u);
  EXPECT_EQ(ScaleX447(10), 45u);
  EXPECT_EQ(ScaleX869(1), 9u);
  EXPECT_EQ(HpaToInHg(10130), 299u);
  EXPECT_EQ(HpaToMmHg(10130), 760u);
  EXPECT_EQ(HpaToMmHg(std::numeric_limits<std::uint32_t>::max()), 322165497u);
}
