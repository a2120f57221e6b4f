#include "model/indDestination.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/indEnviron.h"

struct BandPlanRow {
  struct Range {
    std::int64_t low;
    std::int64_t high;  // inclusive
  };
  std::array<Range, 10> gaps;
  int gapCount;
  int offsetClass;
};

namespace {

using FreqRange = BandPlanRow::Range;

constexpr std::int64_t kMax = 4294967294;  // highest frequency a 32-bit field holds short of "none"

constexpr std::array<std::int64_t, 5> kBandEdges = {118000000, 137000000, 174000001, 375000000,
                                                    550000001};
constexpr std::array<FreqRange, 2> kMainBands = {{{118000000, 174000000}, {375000000, 550000000}}};
constexpr std::array<FreqRange, 2> kCellular = {{{824000000, 848999999}, {869000000, 893999999}}};
constexpr std::array<FreqRange, 4> kGeneralRanges = {
    {{30000, 99999999}, {100000000, 199999999}, {400000000, 499999999}, {1200000000, 1399999999}}};

// Default duplex offsets by offset class (rows) and general range (columns).
constexpr std::array<std::array<std::int64_t, 4>, 7> kDefaultOffsets = {{
    {500000, 600000, 5000000, 12000000},
    {500000, 600000, 5000000, 12000000},
    {500000, 600000, 7600000, 28000000},
    {500000, 600000, 5000000, 20000000},
    {0, 0, 0, 0},
    {500000, 600000, 7600000, 28000000},
    {100000, 0, 5000000, 20000000},
}};

constexpr BandPlanRow kPlanAmericas = {
    {{{0, 117999999}, {174000001, 374999999}, {550000001, kMax}}}, 3, 0};
constexpr BandPlanRow MakeGroupB(int offsetClass) {
  return {{{{0, 117999999},
            {174000001, 374999999},
            {379895001, 382099999},
            {411895001, 415099999},
            {550000001, kMax}}},
          5,
          offsetClass};
}
constexpr BandPlanRow MakeNarrow(int offsetClass) {
  return {{{{0, 143999999}, {146000001, 429999999}, {440000001, kMax}}}, 3, offsetClass};
}

// One row per destination code 0..15; index 16 (none) repeats 15.
constexpr std::array<BandPlanRow, 17> kPlans = {{
    {kPlanAmericas.gaps, 3, 0},                                             // 0
    {kPlanAmericas.gaps, 3, 1},                                             // 1
    MakeGroupB(6),                                                          // 2
    MakeGroupB(6),                                                          // 3
    MakeGroupB(6),                                                          // 4
    MakeNarrow(2),                                                          // 5
    MakeGroupB(6),                                                          // 6
    MakeGroupB(6),                                                          // 7
    MakeGroupB(6),                                                          // 8
    MakeGroupB(6),                                                          // 9
    MakeNarrow(3),                                                          // 10
    {{{{0, 143999999}, {146000001, 429999999}, {432000001, kMax}}}, 3, 4},  // 11
    MakeGroupB(6),                                                          // 12
    MakeGroupB(6),                                                          // 13
    {{{{0, 117999999},
       {137000000, 143999999},
       {146000001, 429999999},
       {434000001, 434999999},
       {438000001, kMax}}},
     5,
     5},            // 14
    MakeGroupB(6),  // 15
    MakeGroupB(6),  // 16 = none
}};

bool InAny(const FreqRange* ranges, int count, std::int64_t f) {
  for (int i = 0; i < count; ++i)
    if (f >= ranges[i].low && f <= ranges[i].high) return true;
  return false;
}

const indDestination& DefaultDestination() {
  static const indDestination none(indDestination::kNone);
  return none;
}

const indDestination* g_current = nullptr;
indDestination g_installed;  // SetCurrentDestination's copy

}  // namespace

indDestination::indDestination(int code, bool secondFlag, bool thirdFlag)
    : code_(code >= 0 && code < kNone ? code : kNone),
      secondFlag_(secondFlag),
      thirdFlag_(thirdFlag),
      plan_(&kPlans[static_cast<std::size_t>(code_)]) {}

bool indDestination::IsGroupB() const {
  return indEnviron::IsDestGroupBOf(static_cast<std::uint32_t>(code_));
}

std::int64_t indDestination::BandEdge(int i) {
  return i >= 0 && i < 5 ? kBandEdges[static_cast<std::size_t>(i)] : 0;
}

int indDestination::DestinationClass(int code) {
  return code >= 0 && code < kNone ? kPlans[static_cast<std::size_t>(code)].offsetClass : 6;
}

bool indDestination::IsFreqAllowed(std::int64_t f) const {
  if (!InAny(kMainBands.data(), 2, f)) return false;
  if (thirdFlag_ && InAny(kCellular.data(), 2, f)) return false;
  return secondFlag_ || !InAny(plan_->gaps.data(), plan_->gapCount, f);
}

bool indDestination::IsOutOfBand(std::int64_t f) const {
  return code_ < kNone && !IsFreqAllowed(f);
}

bool indDestination::IsInRange(std::int64_t f) {
  return f == 0 || InAny(kGeneralRanges.data(), 4, f);
}

bool indDestination::IsOutOfRange(std::int64_t f) const { return code_ < kNone && !IsInRange(f); }

int indDestination::BandIndex(std::int64_t f) {
  for (int i = 4; i >= 0; --i)
    if (f >= kBandEdges[static_cast<std::size_t>(i)]) return i;
  return 5;
}

int indDestination::OffsetRangeIndex(std::int64_t f) {
  for (int i = 0; i < 4; ++i)
    if (kGeneralRanges[static_cast<std::size_t>(i)].high >= f) return i;
  return 4;
}

std::int64_t indDestination::DefaultDuplexOffset(int rangeIndex) const {
  if (rangeIndex < 0 || rangeIndex > 3) return 0;
  return kDefaultOffsets[static_cast<std::size_t>(plan_->offsetClass)]
                        [static_cast<std::size_t>(rangeIndex)];
}

std::int64_t indDestination::ChooseDuplexOffset(std::int64_t newFreq, std::int64_t oldFreq,
                                                std::int64_t currentOffset) const {
  const int newRange = OffsetRangeIndex(newFreq);
  if (newRange == OffsetRangeIndex(oldFreq) && ((newFreq == 0) == (oldFreq == 0)))
    return currentOffset;
  return DefaultDuplexOffset(newRange);
}

const indDestination& indDestination::Current() {
  return g_current ? *g_current : DefaultDestination();
}

ScopedDestination::ScopedDestination(const indDestination& destination)
    : destination_(destination), previous_(g_current) {
  g_current = &destination_;
}

ScopedDestination::~ScopedDestination() { g_current = previous_; }

void SetCurrentDestination(const indDestination& destination) {
  g_installed = destination;
  g_current = &g_installed;
}
