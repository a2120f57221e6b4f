#pragma once
// The band plan of a destination (the radio's sales region, code 0..15;
// 16 = none). Each code has its own immutable table; codes outside 0..15
// act as 16, which takes the tables of 15 but is never out of band or range.
//
// The destination in force is injectable like the clock: the main controller
// installs the one of the settings, tests install their own (ScopedDestination).
#include <cstdint>

struct BandPlanRow;

class indDestination {
 public:
  static constexpr int kNone = 16;

  // secondFlag: the gaps of the destination are ignored; thirdFlag: the
  // cellular ranges are excluded (both from the destination setting).
  explicit indDestination(int code = kNone, bool secondFlag = false, bool thirdFlag = false);

  int Code() const { return code_; }
  bool SecondFlag() const { return secondFlag_; }
  bool ThirdFlag() const { return thirdFlag_; }
  // Destination 0 and the destinations 2, 3, 4, 6, 7, 8, 9, 12, 13, 15.
  bool IsDest0() const { return code_ == 0; }
  bool IsGroupB() const;

  // 118000000, 137000000, 174000001, 375000000, 550000001 Hz for i = 0..4.
  static std::int64_t BandEdge(int i);
  // Offset class of a destination code (0..6; 6 for codes not listed).
  static int DestinationClass(int code);

  bool IsFreqAllowed(std::int64_t f) const;
  bool IsOutOfBand(std::int64_t f) const;
  static bool IsInRange(std::int64_t f);
  bool IsOutOfRange(std::int64_t f) const;
  // 0 = 118..137 MHz, 1 = 137..174, 2 = 174..375, 3 = 375..550, 4 above, 5 below.
  static int BandIndex(std::int64_t f);
  // First general range whose top is not below f (0..3); 4 above 1399999999.
  static int OffsetRangeIndex(std::int64_t f);
  // 0 for a range index outside 0..3.
  std::int64_t DefaultDuplexOffset(int rangeIndex) const;
  std::int64_t ChooseDuplexOffset(std::int64_t newFreq, std::int64_t oldFreq,
                                  std::int64_t currentOffset) const;

  static bool IsAirBand(std::int64_t f) { return f >= 118000000 && f <= 136999999; }
  static bool IsBelow300M(std::int64_t f) { return f < 300000000; }
  static bool IsAtOrAbove300M(std::int64_t f) { return f >= 300000000; }

  // The destination in force (code 16, no flags, unless one was installed).
  static const indDestination& Current();

 private:
  int code_;
  bool secondFlag_;
  bool thirdFlag_;
  const BandPlanRow* plan_;
};

// Installs a destination as the one in force for the object's lifetime.
class ScopedDestination {
 public:
  explicit ScopedDestination(const indDestination& destination);
  ~ScopedDestination();
  ScopedDestination(const ScopedDestination&) = delete;
  ScopedDestination& operator=(const ScopedDestination&) = delete;

 private:
  indDestination destination_;
  const indDestination* previous_;
};

// Sets the destination in force for the rest of the program (the main
// controller, whenever the destination setting changes).
void SetCurrentDestination(const indDestination& destination);
