#pragma once
// Decimal texts read exactly into scaled integers: "145.5" at scale 6 is
// 145500000, with no binary floating point on the way, so a frequency or a
// position written with its decimals reads back to the same integer.
//
// The text is what ReadDecimal (core/NumberText.h) accepts: blanks, a sign,
// digits with at most one decimal character, an optional exponent. Anything
// else is none. Magnitudes beyond 10^18 saturate at kScaledSaturated (with
// the sign), so callers' range checks still refuse them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

inline constexpr std::int64_t kScaledSaturated = 1000000000000000000LL;  // 10^18

enum class ScaledRounding { kTruncate, kHalfUp };

// value x 10^scale, its magnitude truncated or rounded half up (the sign is
// put back afterwards, so -0.05 at scale 1 rounds to -1).
std::optional<std::int64_t> ReadScaledDecimal(std::string_view text, char decimal, int scale,
                                              ScaledRounding rounding);
// True when the text (trimmed) starts with "-": "-0.0" is negative here.
bool StartsNegative(std::string_view text);

}  // namespace core
