#include "core/HalfWidth.h"

#include <algorithm>

#include "core/HalfWidthTable.h"
#include "core/SjisBytes.h"
#include "core/SjisCleaners.h"

namespace core {
namespace {

const HalfWidthEntry* Find(std::uint16_t pair) {
  const auto table = HalfWidthTable();
  const auto it =
      std::lower_bound(table.begin(), table.end(), pair,
                       [](const HalfWidthEntry& e, std::uint16_t p) { return e.pair < p; });
  return it != table.end() && it->pair == pair ? &*it : nullptr;
}

// Pairs with a half-width form become it; everything else is copied.
std::string MapPairs(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    const HalfWidthEntry* e =
        len == 2 ? Find(static_cast<std::uint16_t>(ByteAt(text, i) << 8 | ByteAt(text, i + 1)))
                 : nullptr;
    if (e)
      out.append(reinterpret_cast<const char*>(e->bytes), e->length);
    else
      out.append(text, i, len);
    i += len;
  }
  return out;
}

}  // namespace

std::string HalfWidthText(std::string_view text) {
  return WithoutDoubleByte(MapPairs(WithoutInvalidSjis(text)));
}

bool ToHalfWidth(std::string& text) {
  std::string folded = HalfWidthText(text);
  const bool changed = folded != text;
  text.swap(folded);
  return changed;
}

bool ToHalfWidthBuf(std::span<std::uint8_t> field) {
  const std::string folded = HalfWidthText(AsText(field));
  const std::string before(AsText(field));
  CopyToBlankField(field, folded);
  return AsText(field) != before;
}

}  // namespace core
