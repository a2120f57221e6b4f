#include "core/BcdBits.h"

namespace core {
namespace {

// The low decimal digits that fit; a negative value keeps none.
int LowDigits(std::int64_t value, int modulus) {
  if (value < 0) return 0;
  return static_cast<int>(value % modulus);
}

}  // namespace

bool IsValidBcd(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

bool IsBcdBytes(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t b : bytes)
    if (!IsValidBcd(b)) return false;
  return true;
}

int GetNibble(std::span<const std::uint8_t> bytes, int n) {
  if (n < 0 || static_cast<std::size_t>(n / 2) >= bytes.size()) return 0;
  const std::uint8_t b = bytes[static_cast<std::size_t>(n / 2)];
  return n % 2 == 0 ? b >> 4 : b & 0x0F;
}

void SetNibble(std::span<std::uint8_t> bytes, int n, int digit) {
  if (n < 0 || static_cast<std::size_t>(n / 2) >= bytes.size()) return;
  const auto d = static_cast<std::uint8_t>(LowDigits(digit, 10));
  std::uint8_t& b = bytes[static_cast<std::size_t>(n / 2)];
  b = n % 2 == 0 ? static_cast<std::uint8_t>((b & 0x0F) | (d << 4))
                 : static_cast<std::uint8_t>((b & 0xF0) | d);
}

std::int64_t BcdToInt(std::span<const std::uint8_t> bytes) {
  // Unsigned so that an over-long field wraps instead of overflowing.
  std::uint64_t value = 0;
  for (std::uint8_t b : bytes) value = value * 100 + static_cast<std::uint64_t>(BcdToBin(b));
  return static_cast<std::int64_t>(value);
}

void IntToBcd(std::span<std::uint8_t> bytes, std::int64_t value) {
  std::uint64_t rest = value < 0 ? 0 : static_cast<std::uint64_t>(value);
  for (std::size_t i = bytes.size(); i-- > 0;) {
    bytes[i] = BinToBcd(static_cast<int>(rest % 100));
    rest /= 100;
  }
}

int BcdToBin(std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

std::uint8_t BinToBcd(int value) {
  const int v = LowDigits(value, 100);
  return static_cast<std::uint8_t>(((v / 10) << 4) | (v % 10));
}

void BcdPairFromInt(std::span<std::uint8_t> bytes, int value) {
  const int v = LowDigits(value, 10000);
  if (bytes.size() >= 1) bytes[0] = BinToBcd(v / 100);
  if (bytes.size() >= 2) bytes[1] = BinToBcd(v % 100);
}

bool GetBit(std::span<const std::uint8_t> bytes, int n) {
  if (n < 0 || static_cast<std::size_t>(n / 8) >= bytes.size()) return false;
  return (bytes[static_cast<std::size_t>(n / 8)] & (1u << (n % 8))) != 0;
}

void SetBit(std::span<std::uint8_t> bytes, int n, bool on) {
  if (n < 0 || static_cast<std::size_t>(n / 8) >= bytes.size()) return;
  std::uint8_t& b = bytes[static_cast<std::size_t>(n / 8)];
  const auto mask = static_cast<std::uint8_t>(1u << (n % 8));
  b = on ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
}

}  // namespace core
