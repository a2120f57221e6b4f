#include "core/TextKeys.h"

#include <algorithm>

#include "resources/text/TextTables.h"

std::vector<std::string> RegisteredTextKeys() {
  const kwres::LineArray& r = kwres::kTextKeyRegistry;
  return std::vector<std::string>(r.lines, r.lines + r.count);
}

bool IsRegisteredTextKey(std::string_view literal) {
  const kwres::LineArray& r = kwres::kTextKeyRegistry;
  const auto less = [](const char* a, std::string_view b) { return std::string_view(a) < b; };
  const auto has = [&](std::string_view entry) {
    const char* const* it = std::lower_bound(r.lines, r.lines + r.count, entry, less);
    return it != r.lines + r.count && std::string_view(*it) == entry;
  };
  if (literal.empty()) return false;
  return has(literal) || has(std::string(literal) + "*");
}
