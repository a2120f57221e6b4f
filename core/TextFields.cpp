#include "core/TextFields.h"

#include <algorithm>

#include "core/SjisBytes.h"

namespace core {
namespace {

bool IsBlankOrTab(std::uint8_t b) { return b == ' ' || b == '\t'; }

template <typename IsSeparator>
std::optional<std::string> FieldAt(std::string_view text, int n, IsSeparator isSeparator) {
  if (n < 0) return std::nullopt;
  int field = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 1 && isSeparator(text[i])) {
      if (field == n) return std::string(text.substr(start, i - start));
      ++field;
      start = i + 1;
    }
    i += len;
  }
  if (field == n) return std::string(text.substr(start));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> GetTextField(std::string_view text, char separator, int n) {
  return FieldAt(text, n, [separator](char c) { return c == separator; });
}

std::optional<std::string> GetDelimitedField(std::string_view text, std::string_view delimiters,
                                             int n) {
  return FieldAt(text, n,
                 [delimiters](char c) { return delimiters.find(c) != std::string_view::npos; });
}

std::string_view SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlankOrTab(ByteAt(text, i))) ++i;
  return text.substr(i);
}

std::string_view TrimBlanksView(std::string_view text) {
  text = SkipBlanks(text);
  // The end of the last character that is not a blank: a blank after a lead
  // byte belongs to its character and stays.
  std::size_t keep = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 2 || !IsBlankOrTab(ByteAt(text, i))) keep = i + len;
    i += len;
  }
  return text.substr(0, keep);
}

void TrimBlanks(std::string& text) {
  const std::string_view kept = TrimBlanksView(text);
  const auto lead = static_cast<std::size_t>(kept.data() - text.data());
  const std::size_t size = kept.size();
  text.erase(0, lead);
  text.resize(size);
}

void RemoveBlanks(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 2 || !IsBlankOrTab(ByteAt(text, i))) out.append(text, i, len);
    i += len;
  }
  text.swap(out);
}

bool IsBlankField(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == ' '; });
}

bool IsBlankField(std::span<const std::uint8_t> bytes) { return IsBlankField(AsText(bytes)); }

std::string_view TrimRightBlanksView(std::string_view text) {
  std::size_t keep = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    const bool blank =
        len == 1 ? ByteAt(text, i) == ' ' : ByteAt(text, i) == 0x81 && ByteAt(text, i + 1) == 0x40;
    if (!blank) keep = i + len;
    i += len;
  }
  return text.substr(0, keep);
}

void TrimRightBlanks(std::string& text) { text.resize(TrimRightBlanksView(text).size()); }

bool RemoveByteValue(std::span<std::uint8_t> bytes, std::uint8_t value) {
  const std::string_view text = AsText(bytes);
  std::size_t out = 0;
  bool removed = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (ByteAt(text, i) == value) {
      removed = true;
    } else {
      // Moving left never overtakes the reading position.
      for (std::size_t k = 0; k < len; ++k) bytes[out++] = bytes[i + k];
    }
    i += len;
  }
  std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(out), bytes.end(), std::uint8_t{' '});
  return removed;
}

std::string DoubleAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 4);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    out.append(text, i, len);
    if (len == 1 && text[i] == '&') out.push_back('&');
    i += len;
  }
  return out;
}

}  // namespace core
