#include "core/ComPortNumber.h"

namespace core {
namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<int> ReadComPortNumber(std::string_view text) {
  while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    // Past the range already: no overflow however long the text is.
    if (value > kMaxComPort) return std::nullopt;
  }
  if (value < kMinComPort) return std::nullopt;
  return value;
}

}  // namespace core
