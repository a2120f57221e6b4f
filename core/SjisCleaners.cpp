#include "core/SjisCleaners.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "core/SjisBytes.h"

namespace core {
namespace {

bool IsExtensionLead(std::uint8_t b) { return b >= 0xF0 && b <= 0xFC; }

struct Unit {
  std::size_t length;  // 1 or 2
  bool pair;           // a two-byte character (or a lead byte at the end)
  bool validPair;      // a lead-class byte followed by a trail byte
};

// The character at i as the cleaners see it: the position kind's pairs, plus
// an extension-row byte followed by a trail byte.
Unit UnitAt(std::string_view text, std::size_t i) {
  const std::uint8_t b = ByteAt(text, i);
  const bool hasNext = i + 1 < text.size();
  if (IsSjisLeadByte(b)) {
    if (!hasNext) return {1, true, false};
    return {2, true, IsSjisTrailByte(ByteAt(text, i + 1))};
  }
  if (IsExtensionLead(b) && hasNext && IsSjisTrailByte(ByteAt(text, i + 1)))
    return {2, true, false};
  return {1, false, false};
}

// Walks the field one character at a time; every character the predicate
// picks is replaced byte for byte, or removed when the replacement is 0.
// Returns how many bytes are held before the padding.
template <typename Picks>
std::size_t Clean(std::span<std::uint8_t> field, std::uint8_t replacement, Picks picks,
                  bool* replaced) {
  const std::string_view text = AsText(field);
  std::size_t out = 0;
  for (std::size_t i = 0; i < field.size();) {
    const Unit u = UnitAt(text, i);
    if (picks(u, ByteAt(text, i))) {
      *replaced = true;
      if (replacement != 0)
        for (std::size_t k = 0; k < u.length; ++k) field[out++] = replacement;
    } else {
      for (std::size_t k = 0; k < u.length; ++k) field[out++] = field[i + k];
    }
    i += u.length;
  }
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(out), field.end(), std::uint8_t{' '});
  return out;
}

std::span<std::uint8_t> Bytes(std::string& text) {
  return {reinterpret_cast<std::uint8_t*>(text.data()), text.size()};
}

template <typename Picks>
bool Clean(std::span<std::uint8_t> field, std::uint8_t replacement, Picks picks) {
  bool replaced = false;
  Clean(field, replacement, picks, &replaced);
  return replaced;
}

template <typename Picks>
bool CleanText(std::string& text, std::uint8_t replacement, Picks picks) {
  return Clean(Bytes(text), replacement, picks);
}

template <typename Picks>
std::string Without(std::string_view text, Picks picks) {
  std::string out(text);
  bool replaced = false;
  out.resize(Clean(Bytes(out), 0, picks, &replaced));
  return out;
}

bool PicksInvalid(const Unit& u, std::uint8_t b) {
  if (u.pair) return !u.validPair;
  return !IsAsciiPrintable(b) && !IsHalfKana(b);
}
bool PicksDoubleByte(const Unit& u, std::uint8_t) { return u.pair; }
bool PicksHalfKana(const Unit& u, std::uint8_t b) { return !u.pair && IsHalfKana(b); }
bool PicksNonAscii(const Unit& u, std::uint8_t b) {
  return u.pair || (!IsAsciiPrintable(b) && !IsHalfKana(b));
}

}  // namespace

bool ReplaceInvalidSjis(std::string& text, std::uint8_t r) {
  return CleanText(text, r, PicksInvalid);
}
bool ReplaceInvalidSjisBuf(std::span<std::uint8_t> f, std::uint8_t r) {
  return Clean(f, r, PicksInvalid);
}
bool ReplaceDoubleByte(std::string& text, std::uint8_t r) {
  return CleanText(text, r, PicksDoubleByte);
}
bool ReplaceDoubleByteBuf(std::span<std::uint8_t> f, std::uint8_t r) {
  return Clean(f, r, PicksDoubleByte);
}
bool ReplaceHalfKana(std::string& text, std::uint8_t r) {
  return CleanText(text, r, PicksHalfKana);
}
bool ReplaceHalfKanaBuf(std::span<std::uint8_t> f, std::uint8_t r) {
  return Clean(f, r, PicksHalfKana);
}
bool ReplaceNonAscii(std::string& text, std::uint8_t r) {
  return CleanText(text, r, PicksNonAscii);
}
bool ReplaceNonAsciiBuf(std::span<std::uint8_t> f, std::uint8_t r) {
  return Clean(f, r, PicksNonAscii);
}

std::string WithoutInvalidSjis(std::string_view text) { return Without(text, PicksInvalid); }
std::string WithoutDoubleByte(std::string_view text) { return Without(text, PicksDoubleByte); }

}  // namespace core
