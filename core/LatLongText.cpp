#include "core/LatLongText.h"

#include <algorithm>

namespace core {
namespace {

// The value of the leading digits among the first maxChars characters
// (leading blanks skipped), as the radio's own texts are read.
int LeadingDigits(std::string_view text, std::size_t maxChars) {
  text = text.substr(0, maxChars);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10 + (text[i] - '0');
  return value;
}

std::string Digits(int value, int width) {
  std::string out(static_cast<std::size_t>(width), '0');
  for (int k = width - 1; k >= 0 && value > 0; --k, value /= 10)
    out[static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
  return out;
}

int Thousandths(std::span<const std::uint8_t, 4> record) { return record[1] << 8 | record[2]; }

}  // namespace

std::string SecondsToMilliMinutes(std::string_view seconds) {
  const int s = LeadingDigits(seconds, 2);
  return Digits(std::min(s * 1000 / 60, 999), 3);
}

int DecimalMinutesToSeconds(std::string_view tenThousandths, std::string& seconds) {
  const int value = LeadingDigits(tenThousandths, 4);
  const int t = value * 60 / 5000;
  const int s = t / 2 + t % 2;
  if (s >= 60) {
    seconds = "00";
    return 1;
  }
  seconds = Digits(s, 2);
  return 0;
}

std::array<std::uint8_t, 4> FormatLatLongText(std::span<const std::uint8_t, 4> record) {
  const int thousandths = Thousandths(record);
  int degrees = record[0];
  int minutes = thousandths / 1000;
  std::string seconds;
  // The thousandths of the minute, then "0": ten-thousandths.
  const int carry = DecimalMinutesToSeconds(Digits(thousandths % 1000, 3) + "0", seconds);
  if (carry) {
    if (minutes == 59) {
      minutes = 0;
      if (degrees < 255) ++degrees;
    } else {
      ++minutes;
    }
  }
  return {static_cast<std::uint8_t>(degrees), static_cast<std::uint8_t>(minutes),
          static_cast<std::uint8_t>(LeadingDigits(seconds, 2)), record[3]};
}

std::array<std::uint8_t, 4> FormatLatLongPlain(std::span<const std::uint8_t, 4> record) {
  const int thousandths = Thousandths(record);
  return {record[0], static_cast<std::uint8_t>(thousandths / 1000),
          static_cast<std::uint8_t>(thousandths % 1000 / 10), record[3]};
}

}  // namespace core
