#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/LocaleInfo.h"

namespace core {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

char NormalizeDecimal(char decimal) { return decimal == ',' ? ',' : '.'; }

char LocaleDecimal() { return NormalizeDecimal(platform::CurrentLocaleInfo().decimal); }

std::optional<double> ReadDecimal(std::string_view text, char decimal) {
  decimal = NormalizeDecimal(decimal);
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  // Checked character by character, so that from_chars never sees "inf",
  // "nan", hex floats or the other decimal character.
  std::string plain;
  plain.reserve(e - b);
  std::size_t i = b;
  if (i < e && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain.push_back('-');
    ++i;
  }
  int digits = 0;
  bool point = false;
  for (; i < e; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      plain.push_back(c);
    } else if (c == decimal && !point) {
      point = true;
      plain.push_back('.');
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < e && (text[i] == 'e' || text[i] == 'E')) {
    plain.push_back('e');
    ++i;
    if (i < e && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
    int expDigits = 0;
    for (; i < e && IsDigit(text[i]); ++i, ++expDigits) plain.push_back(text[i]);
    if (expDigits == 0) return std::nullopt;
  }
  if (i != e) return std::nullopt;
  double value = 0;
  const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size()) return std::nullopt;
  return value;
}

std::string WriteFixedPoint(std::int64_t scaled, int decimals, char decimal) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  std::uint64_t divisor = 1;
  for (int k = 0; k < decimals; ++k) divisor *= 10;
  const bool negative = scaled < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  char buf[24];
  std::string out;
  if (negative) out.push_back('-');
  auto r = std::to_chars(buf, buf + sizeof buf, magnitude / divisor);
  out.append(buf, r.ptr);
  if (decimals > 0) {
    out.push_back(decimal);
    r = std::to_chars(buf, buf + sizeof buf, magnitude % divisor);
    out.append(static_cast<std::size_t>(decimals - (r.ptr - buf)), '0');
    out.append(buf, r.ptr);
  }
  return out;
}

std::optional<std::int64_t> RoundHalfAwayFromZero(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = std::round(value);
  // 2^63 is exact as a double; anything at or beyond it does not fit.
  if (r >= 9223372036854775808.0 || r < -9223372036854775808.0) return std::nullopt;
  return static_cast<std::int64_t>(r);
}

int ParseFloatOr9999(double& out, std::string_view text) {
  const double value = ReadDecimal(text, LocaleDecimal()).value_or(9999.0);
  if (std::trunc(value) == 9999.0) {
    out = 0;
    return 0;
  }
  out = value;
  return 1;
}

bool ParseFloatNonZero(double& out, std::string_view text) {
  out = ReadDecimal(text, LocaleDecimal()).value_or(0.0);
  return std::trunc(out) != 0.0;
}

double ParseFrequencyText(std::string_view text, char separator, double fallback) {
  // Reading with the separator as the decimal character is the same as
  // replacing it by the locale's and reading with that.
  std::string local(text);
  const char decimal = LocaleDecimal();
  for (std::size_t i = 0; i < local.size(); ++i) {
    const char c = local[i];
    if (c == separator) {
      local[i] = decimal;
    } else if (!IsDigit(c) && !(c == '-' && i == 0)) {
      return fallback;
    }
  }
  return ReadDecimal(local, decimal).value_or(fallback);
}

std::string FormatFrequencyText(std::int64_t hertz, char separator) {
  return WriteFixedPoint(hertz, 6, separator);
}

int TextToRoundedInt(std::string_view text) { return TryTextToRoundedInt(text).value_or(0); }

std::optional<int> TryTextToRoundedInt(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (kept.size() == 9) break;
    if (IsDigit(c) || c == '.' || c == '-') kept.push_back(c);
  }
  const auto value = ReadDecimal(kept, '.');
  if (!value) return std::nullopt;
  // Nine characters stay below 10^9, well inside int.
  const auto rounded = RoundHalfAwayFromZero(*value);
  if (!rounded) return std::nullopt;
  return static_cast<int>(*rounded);
}

}  // namespace core
