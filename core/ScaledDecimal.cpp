#include "core/ScaledDecimal.h"

#include <string>

#include "core/NumberText.h"
#include "core/TextFields.h"

namespace core {
namespace {

constexpr int kMaxDigits = 18;
constexpr int kExponentClamp = 100000;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool StartsNegative(std::string_view text) {
  const std::string_view t = TrimBlanksView(text);
  return !t.empty() && t[0] == '-';
}

std::optional<std::int64_t> ReadScaledDecimal(std::string_view text, char decimal, int scale,
                                              ScaledRounding rounding) {
  if (!ReadDecimal(text, decimal)) return std::nullopt;  // the accepted forms only
  decimal = NormalizeDecimal(decimal);
  const std::string_view t = TrimBlanksView(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  std::string digits;  // every mantissa digit; the point after `pointAt` of them
  long long pointAt = -1;
  for (; i < t.size(); ++i) {
    if (IsDecimalDigit(t[i])) {
      digits.push_back(t[i]);
    } else if (t[i] == decimal && pointAt < 0) {
      pointAt = static_cast<long long>(digits.size());
    } else {
      break;
    }
  }
  if (pointAt < 0) pointAt = static_cast<long long>(digits.size());
  long long exponent = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegative = t[i++] == '-';
    for (; i < t.size() && IsDecimalDigit(t[i]); ++i)
      if (exponent < kExponentClamp) exponent = exponent * 10 + (t[i] - '0');
    if (expNegative) exponent = -exponent;
  }
  // The integer part of the scaled value is the first `whole` digits.
  const long long whole = pointAt + exponent + scale;
  std::int64_t value = 0;
  int significant = 0;
  for (long long k = 0; k < whole; ++k) {
    const char c = k < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(k)]
                                                             : '0';
    if (significant > 0 || c != '0') ++significant;
    if (significant > kMaxDigits) return negative ? -kScaledSaturated : kScaledSaturated;
    value = value * 10 + (c - '0');
  }
  if (rounding == ScaledRounding::kHalfUp && whole >= 0 &&
      whole < static_cast<long long>(digits.size()) &&
      digits[static_cast<std::size_t>(whole)] >= '5') {
    ++value;
  }
  if (value > kScaledSaturated) value = kScaledSaturated;
  return negative ? -value : value;
}

}  // namespace core
