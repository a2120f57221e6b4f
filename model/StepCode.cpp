#include "model/StepCode.h"

#include <array>

#include "model/indDestination.h"

namespace stepcode {
namespace {

constexpr std::array<std::uint32_t, 3> kPreferAir = {2, 0, 1};
constexpr std::array<std::uint32_t, 3> kPreferOther = {0, 1, 2};

bool Fits(std::uint64_t f, std::uint32_t stepClass, std::uint32_t bits) {
  return EncodeStep(f, stepClass) < (std::uint64_t{1} << bits);
}

// Exact classes of f whose count fits the field.
std::uint32_t FittingMask(std::uint64_t f, std::uint32_t mask, std::uint32_t bits) {
  std::uint32_t fitting = 0;
  for (std::uint32_t k = 0; k < 3; ++k)
    if ((mask & (1u << k)) && Fits(f, k, bits)) fitting |= 1u << k;
  return fitting;
}

// First class of the list in mask; the start class when none is.
std::uint32_t FirstOf(const std::array<std::uint32_t, 3>& prefer, std::uint32_t mask,
                      std::uint32_t start) {
  for (std::uint32_t k : prefer)
    if (mask & (1u << k)) return k;
  return start;
}

}  // namespace

std::uint32_t StepMask(std::uint64_t f, bool isRepeater) {
  std::uint32_t mask = 0;
  if (f % 5000 == 0) mask |= 1;
  if (f % 6250 == 0) mask |= 2;
  // Only 0, 8333 and 16666 within a 25 kHz block round-trip through class 2
  // (24999 is a multiple of 8333 too, but encodes as the next block).
  if (!isRepeater) {
    const std::uint64_t rest = f % 25000;
    if (rest == 0 || rest == 8333 || rest == 16666) mask |= 4;
  }
  return mask;
}

std::uint64_t EncodeStep(std::uint64_t f, std::uint32_t stepClass) {
  switch (stepClass) {
    case 0: return f / 5000;
    case 1: return f / 6250;
    case 2: {
      const std::uint64_t t = 3 * f;
      return t / 25000 + ((t % 25000) > 12500 ? 1 : 0);
    }
    default: return 0;
  }
}

std::uint64_t DecodeStep(std::uint64_t count, std::uint32_t stepClass) {
  switch (stepClass) {
    case 0: return count * 5000;
    case 1: return count * 6250;
    case 2: return count * 25000 / 3;
    default: return 0;
  }
}

std::uint64_t DecodeFreq(const std::uint8_t bytes[3]) {
  const std::uint64_t count = (static_cast<std::uint64_t>(bytes[0] & 0x07) << 16) |
                              (static_cast<std::uint64_t>(bytes[1]) << 8) | bytes[2];
  return DecodeStep(count, bytes[0] >> 7);
}

std::optional<StepClasses> ChooseStepClass(std::uint64_t freq, std::uint64_t offset,
                                           bool isRepeater, std::uint32_t freqBits,
                                           std::uint32_t offsetBits) {
  const bool air = indDestination::IsAirBand(freq);
  std::uint32_t mf = StepMask(freq, isRepeater);
  const std::uint32_t mo = StepMask(offset, isRepeater);
  if (!isRepeater) mf &= air ? 4u : 3u;
  const bool airChannel = air && !isRepeater;
  const std::uint32_t start = airChannel ? 2 : 0;
  const auto& prefer = airChannel ? kPreferAir : kPreferOther;

  const std::uint32_t ff = FittingMask(freq, mf, freqBits);
  const std::uint32_t fo = FittingMask(offset, mo, offsetBits);
  // An exact representation exists but none of them fits the field.
  if ((mf && !ff) || (mo && !fo)) return std::nullopt;

  StepClasses chosen{start, start};
  bool both = false;
  for (std::uint32_t k : prefer) {
    if ((ff & fo) & (1u << k)) {
      chosen = {k, k};
      both = true;
      break;
    }
  }
  if (!both) chosen = {FirstOf(prefer, ff, start), FirstOf(prefer, fo, start)};
  if (!Fits(freq, chosen.freq, freqBits) || !Fits(offset, chosen.offset, offsetBits))
    return std::nullopt;
  return chosen;
}

std::optional<EdgeClasses> ChooseEdgeStepClasses(std::uint64_t freqHigh, std::uint64_t freqLow,
                                                 std::uint32_t countBits) {
  auto pick = [countBits](std::uint64_t f) -> std::optional<std::uint32_t> {
    const bool air = indDestination::IsAirBand(f);
    const std::uint32_t mask = StepMask(f, false);
    const std::uint32_t fitting = FittingMask(f, mask, countBits);
    if (mask && !fitting) return std::nullopt;
    const std::uint32_t k = FirstOf(air ? kPreferAir : kPreferOther, fitting, air ? 2 : 0);
    if (!Fits(f, k, countBits)) return std::nullopt;
    return k;
  };
  const auto high = pick(freqHigh);
  const auto low = pick(freqLow);
  if (!high || !low) return std::nullopt;
  return EdgeClasses{*high, *low};
}

std::uint64_t RoundToSubStep(std::uint64_t r, std::uint64_t n) {
  if (n == 0) return 0;
  return (((r * n * 10) / 50000 + 5) / 10) * 50000 / n;
}

std::uint64_t SnapToChannelStep(std::uint64_t f, bool outsideAirBand, bool anyBand) {
  const std::uint64_t block = f - f % 50000;
  const std::uint64_t r = f % 50000;
  static constexpr std::uint64_t kGrid[] = {10, 8};
  static constexpr std::uint64_t kAir[] = {6};
  const bool grid = anyBand || outsideAirBand;
  const std::uint64_t* candidates = grid ? kGrid : kAir;
  const int count = grid ? 2 : 1;
  std::uint64_t best = candidates[0];
  std::uint64_t bestDistance = UINT64_MAX;
  for (int i = 0; i < count; ++i) {
    const std::uint64_t c = RoundToSubStep(r, candidates[i]);
    const std::uint64_t distance = c > r ? c - r : r - c;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidates[i];
    }
    if (distance == 0) break;
  }
  return block + RoundToSubStep(r, best);
}

}  // namespace stepcode
