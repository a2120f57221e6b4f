#include "app/PageTitles.h"

#include <algorithm>

#include "core/SjisCleaners.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "model/ListCounts.h"

namespace pagetitle {
namespace {

constexpr int kMaxWidth = 32;  // a width beyond it is read as text

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Replaces the first conversion `kind` ('s' or 'd', the latter with an
// optional width) by what `make` writes for the width.
template <class Make>
std::string Fill(std::string_view format, char kind, Make make) {
  std::string out;
  bool filled = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    int width = 0;
    while (kind == 'd' && j < format.size() && IsDigit(format[j]) && width <= kMaxWidth)
      width = width * 10 + (format[j++] - '0');
    if (!filled && j < format.size() && format[j] == kind && width <= kMaxWidth) {
      out += make(width);
      filled = true;
      i = j;
      continue;
    }
    out += format[i];
  }
  return out;
}

}  // namespace

std::string FillText(std::string_view format, std::string_view text) {
  return Fill(format, 's', [&](int) { return std::string(text); });
}

std::string FillNumber(std::string_view format, int value) {
  return Fill(format, 'd', [&](int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
      digits.insert(0, static_cast<std::size_t>(width) - digits.size(), ' ');
    return digits;
  });
}

std::string RemainPart(cmcGTex& texts, std::string_view key, int remain) {
  return FillNumber(texts.GetFirst(key), std::max(remain, 0));
}

std::string Join(std::string_view name, std::string_view remain) {
  std::string title(name);
  title += kGap;
  title += remain;
  return title;
}

std::string ForInterface(std::string label, const indEnviron& settings) {
  if (!IsJapaneseUi(settings)) {
    core::ReplaceDoubleByte(label, '=');
    core::ReplaceHalfKana(label, '_');
  }
  return label;
}

std::string_view LoadParameter(std::string_view name) {
  const std::size_t comma = name.find(',');
  return comma == std::string_view::npos ? std::string_view() : name.substr(comma + 1);
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  long value = 0;
  for (; i < text.size() && IsDigit(text[i]) && value < 100000000; ++i)
    value = value * 10 + (text[i] - '0');
  return static_cast<int>(value);
}

int NumberAfter(std::string_view text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return -1;
  text.remove_prefix(prefix.size());
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos || !IsDigit(text[first])) return -1;
  return LeadingNumber(text);
}

int GpsAlarmSelect(const GpsAlarm& alarm, int g) {
  switch (alarm.type) {
    case 1: return 1;
    case 2: return alarm.group == 0 || alarm.group == g + 1 ? 2 : 0;
    case kGpsAlarmMemory: return alarm.group == g ? 3 : 0;
    default: return 0;
  }
}

}  // namespace pagetitle
