#include "model/FrequencySnap.h"

#include "model/StepCode.h"
#include "model/indDestination.h"

namespace {

constexpr int kAirBandIndex = 0;

bool OutsideAirBand(std::int64_t frequency) {
  return indDestination::Current().BandIndex(frequency) != kAirBandIndex;
}

std::int64_t Snap(std::int64_t value, bool outsideAirBand, bool anyBand) {
  if (value < 0) return value;
  return static_cast<std::int64_t>(
      stepcode::SnapToChannelStep(static_cast<std::uint64_t>(value), outsideAirBand, anyBand));
}

}  // namespace

std::int64_t SnapFrequency(std::int64_t frequency) {
  return Snap(frequency, OutsideAirBand(frequency), false);
}

std::int64_t SnapOffsetFrequency(std::int64_t channelFrequency, std::int64_t offset) {
  return Snap(offset, OutsideAirBand(channelFrequency), false);
}

std::int64_t SnapRepeaterFrequency(std::int64_t frequency) { return Snap(frequency, true, true); }

std::int64_t SnapRepeaterOffset(std::int64_t offset) { return Snap(offset, true, true); }
