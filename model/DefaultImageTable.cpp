// The settings table of the default images: a text table compiled into the
// program, parsed once.
#include <charconv>
#include <string_view>

#include "core/HexText.h"
#include "model/DefaultImage.h"
#include "platform/Fatal.h"

namespace {

constexpr char kTable[] =
#include "resources/default-images/DefaultImageSettings.inc"
    ;

constexpr int kBandDefaultsWidth = 3 * 17;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Next blank-separated token of the line.
std::string_view Token(std::string_view& line) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  size_t j = i;
  while (j < line.size() && !IsBlank(line[j])) ++j;
  const std::string_view token = line.substr(i, j - i);
  line.remove_prefix(j);
  return token;
}

template <typename T>
bool Number(std::string_view s, T& out) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    s.remove_prefix(2);
    base = 16;
  }
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
  return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

bool Value(std::string_view s, DefaultImageSetting& row, std::string& why) {
  if (s == "@band-defaults") {
    row.bandDefaults = true;
    if (row.width != kBandDefaultsWidth) {
      why = "band defaults are 51 bytes";
      return false;
    }
    return true;
  }
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
    s = s.substr(1, s.size() - 2);
    if (static_cast<int>(s.size()) > row.width) {
      why = "text longer than its width";
      return false;
    }
    row.value.assign(s.begin(), s.end());
    row.value.resize(static_cast<size_t>(row.width), ' ');
    return true;
  }
  if (s.empty() || s.size() % 2 != 0) {
    why = "hexadecimal bytes need an even number of digits";
    return false;
  }
  std::vector<std::uint8_t> pattern(s.size() / 2);
  if (!core::ReadHexBytes(s, pattern)) {
    why = "not a hexadecimal byte";
    return false;
  }
  if (row.width % static_cast<int>(pattern.size()) != 0) {
    why = "the width is not a multiple of the value";
    return false;
  }
  for (int i = 0; i < row.width; ++i)
    row.value.push_back(pattern[static_cast<size_t>(i) % pattern.size()]);
  return true;
}

bool Destinations(std::string_view s, std::uint32_t& mask) {
  if (s == "all") {
    mask = (1u << kDefaultImageCount) - 1;
    return true;
  }
  mask = 0;
  while (!s.empty()) {
    const size_t comma = s.find(',');
    const std::string_view part = s.substr(0, comma);
    s = comma == std::string_view::npos ? std::string_view() : s.substr(comma + 1);
    const size_t dash = part.find('-');
    int lo = 0, hi = 0;
    if (!Number(part.substr(0, dash), lo)) return false;
    hi = lo;
    if (dash != std::string_view::npos && !Number(part.substr(dash + 1), hi)) return false;
    if (lo < 0 || hi >= kDefaultImageCount || lo > hi) return false;
    for (int d = lo; d <= hi; ++d) mask |= 1u << d;
  }
  return mask != 0;
}

}  // namespace

bool ParseDefaultImageSettings(const std::string& text, std::vector<DefaultImageSetting>& rows,
                               std::string& error) {
  rows.clear();
  std::string_view rest(text);
  int lineNo = 0;
  while (!rest.empty()) {
    const size_t eol = rest.find('\n');
    std::string_view line = rest.substr(0, eol);
    rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
    ++lineNo;
    std::string_view probe = line;
    const std::string_view first = Token(probe);
    if (first.empty() || first.front() == '#') continue;
    DefaultImageSetting row;
    row.line = lineNo;
    std::string why;
    line = probe;
    const std::string_view width = Token(line);
    const std::string_view value = Token(line);
    const std::string_view dest = Token(line);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    row.note.assign(line);
    if (!Number(first, row.offset) || row.offset < 0 || row.offset >= kDefaultImageSize) {
      why = "bad offset";
    } else if (!Number(width, row.width) || row.width < 1 ||
               row.offset + row.width > kDefaultImageSize) {
      why = "bad width";
    } else if (!Value(value, row, why)) {
    } else if (!Destinations(dest, row.destinations)) {
      why = "bad destinations";
    }
    if (!why.empty()) {
      error = "line " + std::to_string(lineNo) + ": " + why;
      return false;
    }
    rows.push_back(std::move(row));
  }
  return true;
}

const std::vector<DefaultImageSetting>& DefaultImageSettings() {
  static const std::vector<DefaultImageSetting> rows = [] {
    std::vector<DefaultImageSetting> parsed;
    std::string error;
    if (!ParseDefaultImageSettings(kTable, parsed, error))
      platform::Fatal(QStringLiteral("Default image settings table, ") +
                      QString::fromStdString(error));
    return parsed;
  }();
  return rows;
}
