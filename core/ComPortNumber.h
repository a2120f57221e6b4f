#pragma once
// The COM port number a user typed: the text without leading and trailing
// blanks (spaces, tabs, line ends) must be all decimal digits and name a
// port 1..256. Anything else (an empty text, a sign, a decimal point, "3.5",
// letters, a number out of range) reads as no port; nothing is rounded.
#include <optional>
#include <string_view>

namespace core {

inline constexpr int kMinComPort = 1;
inline constexpr int kMaxComPort = 256;

std::optional<int> ReadComPortNumber(std::string_view text);

}  // namespace core
