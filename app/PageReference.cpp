#include "app/PageReference.h"

#include <charconv>

PageReference PageReference::Parse(std::string_view text) {
  PageReference ref;
  if (!text.empty() && text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) {
      ref.type = std::string(text.substr(1, close - 1));
      text.remove_prefix(close + 1);
    }
  }
  const std::size_t comma = text.find(',');
  ref.key = std::string(text.substr(0, comma));
  if (comma == std::string_view::npos) return ref;
  ref.rest = std::string(text.substr(comma + 1));
  const std::string_view numberText = std::string_view(ref.rest).substr(0, ref.rest.find(','));
  int number = 0;
  const auto [end, error] =
      std::from_chars(numberText.data(), numberText.data() + numberText.size(), number);
  if (error == std::errc() && end == numberText.data() + numberText.size() && number >= 0)
    ref.number = number;
  return ref;
}
