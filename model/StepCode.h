#pragma once
// Frequencies as the radio stores them: a step class and a step count.
//
//   class 0: 5000 Hz steps        count = f / 5000
//   class 1: 6250 Hz steps        count = f / 6250
//   class 2: 25000/3 Hz (8.33k)   count = 3f / 25000, +1 when the rest > 12500;
//                                 hertz = count x 25000 / 3, truncated
//   classes 3..7 (damaged bytes) decode as 0 Hz; the record checks flag them.
//
// All arithmetic is 64-bit so that no count or product wraps.
#include <cstdint>
#include <optional>

namespace stepcode {

inline constexpr std::uint32_t kClass5k = 0;
inline constexpr std::uint32_t kClass6k25 = 1;
inline constexpr std::uint32_t kClass8k33 = 2;

// Bit k set: class k represents f exactly (encoding then decoding gives f).
// Repeaters never get bit 2.
std::uint32_t StepMask(std::uint64_t f, bool isRepeater);
std::uint64_t EncodeStep(std::uint64_t f, std::uint32_t stepClass);
std::uint64_t DecodeStep(std::uint64_t count, std::uint32_t stepClass);

// Hertz of a 3-byte repeater-form field: class in bit 7 of the first byte,
// the 19-bit count in bits 2-0 of the first byte and the next two bytes.
std::uint64_t DecodeFreq(const std::uint8_t bytes[3]);

struct StepClasses {
  std::uint32_t freq = 0;
  std::uint32_t offset = 0;
};

// Classes of a channel (or repeater) frequency and offset. The preference
// order is 2, 0, 1 for a channel in the air band, else 0, 1, 2; a channel
// in the air band may only take class 2 exactly, one outside it only 0 or 1.
// A class is only taken when its count fits the field (freqBits, offsetBits)
// of the record: a frequency whose exact classes all overflow their field
// (or, with no exact class, whose starting class overflows) gives nullopt,
// and the caller stores nothing.
std::optional<StepClasses> ChooseStepClass(std::uint64_t freq, std::uint64_t offset,
                                           bool isRepeater, std::uint32_t freqBits,
                                           std::uint32_t offsetBits);

// Classes of a scan edge's two ends, each on its own unrestricted step mask.
struct EdgeClasses {
  std::uint32_t high = 0;
  std::uint32_t low = 0;
};
std::optional<EdgeClasses> ChooseEdgeStepClasses(std::uint64_t freqHigh, std::uint64_t freqLow,
                                                 std::uint32_t countBits);

// Nearest multiple of 50000 / n to r (0 <= r < 50000), halves rounded up at
// the first decimal, the product truncated.
std::uint64_t RoundToSubStep(std::uint64_t r, std::uint64_t n);

// Snaps a typed frequency to the channel grid: 5 kHz or 6.25 kHz steps
// (anyBand or outsideAirBand), 8.33 kHz steps otherwise (the air band). On
// equal distance the earlier candidate, 5 kHz, wins.
std::uint64_t SnapToChannelStep(std::uint64_t f, bool outsideAirBand, bool anyBand);

}  // namespace stepcode
