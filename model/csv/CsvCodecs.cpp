#include "model/csv/CsvCodecs.h"

#include <charconv>
#include <chrono>
#include <cstdlib>

#include "cells/names/CellNames.h"
#include "cells/rxformat/RxMeasureFormatters.h"
#include "core/BcdBits.h"
#include "core/CsvFieldText.h"
#include "core/GpsFieldText.h"
#include "core/HalfWidth.h"
#include "core/NumberText.h"
#include "core/ScaledDecimal.h"
#include "core/ShortDateText.h"
#include "core/SjisBytes.h"
#include "core/SjisCleaners.h"
#include "core/TextFields.h"
#include "core/Units.h"
#include "model/GpsDateTime.h"
#include "model/csv/CsvTables.h"
#include "sheet/choices/cmcFCache.h"

using namespace std::chrono;

namespace csv {
namespace {

constexpr std::int64_t kMicro = 1000000;
constexpr std::uint8_t kEmpty = 0x99;
constexpr std::uint8_t kBad = 0xFF;
constexpr const char* kToneList = "GI_Sheet_Sel_Mch_TFreq";
constexpr std::uint32_t kToneDefault = 8;  // 88.5 Hz
constexpr int kMaxOffset = 840;

std::string SixDecimals(std::int64_t micro, char decimal) {
  return core::WriteFixedPoint(micro, 6, decimal);
}

Position ParsePosition(std::string_view text, char decimal, int limit, char plus, char minus) {
  const std::string_view t = core::TrimBlanksView(text);
  if (t.empty()) return kNoPosition;
  // Nano-degrees, truncated: a text with more decimals than that is read as
  // the radio's own rounding below would read it.
  const auto nano = core::ReadScaledDecimal(t, decimal, 9, core::ScaledRounding::kTruncate);
  const auto exact = core::ReadDecimal(t, decimal);
  if (!nano || !exact || *exact > limit || *exact < -limit) return kNoPosition;
  const bool negative = *nano < 0 || core::StartsNegative(t);
  // Half a millionth of a degree up, then whole degrees and the fraction
  // in thousandths of a minute.
  const std::int64_t magnitude = std::llabs(*nano) + 500;
  const std::int64_t degrees = magnitude / 1000000000;
  const std::int64_t milliMinutes = magnitude % 1000000000 * 60000 / 1000000000;
  return {static_cast<std::uint8_t>(degrees), static_cast<std::uint8_t>(milliMinutes >> 8),
          static_cast<std::uint8_t>(milliMinutes & 0xFF),
          static_cast<std::uint8_t>(negative ? minus : plus)};
}

bool IsValidPosition(const Position& p, int maxDegrees, char plus, char minus) {
  const int minutes = (p[1] << 8) | p[2];
  return p[0] <= maxDegrees && minutes <= 59999 && (p[3] == plus || p[3] == minus);
}

int UsableOffset(int utcOffset) {
  return utcOffset == kUtcNone ? 0 : gpstime::UsableUtcOffset(utcOffset);
}

void SetPart(DateTimeBcd& record, int first, std::uint8_t value) {
  for (int k = first; k < first + 3; ++k) record[static_cast<std::size_t>(k)] = value;
}

bool IsEmptyPart(const DateTimeBcd& record, int first) {
  return record[static_cast<std::size_t>(first)] == kEmpty &&
         record[static_cast<std::size_t>(first + 1)] == kEmpty &&
         record[static_cast<std::size_t>(first + 2)] == kEmpty;
}

bool IsBcdPart(const DateTimeBcd& record, int first) {
  for (int k = first; k < first + 3; ++k)
    if (!core::IsValidBcd(record[static_cast<std::size_t>(k)])) return false;
  return true;
}

}  // namespace

std::uint32_t ParseFreq(std::string_view text, char decimal) {
  const auto hz = core::ReadScaledDecimal(text, decimal, 6, core::ScaledRounding::kHalfUp);
  if (!hz || *hz < 0 || *hz > 0xFFFFFFFFLL) return 0;
  return static_cast<std::uint32_t>(*hz);
}

std::uint32_t ParseFreqOpt(std::string_view text, char decimal) {
  if (core::TrimBlanksView(text).empty()) return 0xFFFFFFFF;
  if (!core::ReadDecimal(text, decimal)) return 0xFFFFFFFF;
  return ParseFreq(text, decimal);
}

std::string FormatFreq(std::uint32_t hz, char decimal) { return SixDecimals(hz, decimal); }

std::string FormatFreqOrEmpty(std::uint32_t hz, char decimal) {
  return hz == 0 ? std::string() : FormatFreq(hz, decimal);
}

bool ParseName(std::string_view text, std::span<char> field) {
  const std::string_view t = core::TrimRightBlanksView(text);
  return core::CopyToBlankField(
      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(field.data()), field.size()), t);
}

std::string FormatName(std::string_view field) {
  std::string text(field.substr(0, field.find('\0')));
  core::CleanCsvText(text);
  core::TrimRightBlanks(text);
  return text;
}

bool ParseCallSign(std::string_view text, std::span<char, 8> field) {
  const std::string folded = core::HalfWidthText(text);
  const bool changed = folded != text || folded.size() > field.size();
  std::size_t i = 0;
  for (; i < field.size() && i < folded.size(); ++i) field[i] = folded[i];
  for (; i < field.size(); ++i) field[i] = ' ';
  return changed;
}

std::string FormatCallSign(std::string_view field) {
  std::string text(field.substr(0, field.find('\0')));
  core::CleanCsvText(text);
  core::TrimRightBlanks(text);
  return text;
}

std::uint32_t ParseInt16(std::string_view text) {
  std::string_view t = core::TrimBlanksView(text);
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  if (t.empty() || t.size() > 9) return 65535;
  std::uint32_t value = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || value > 65535) return 65535;
  return value;
}

std::string FormatInt(std::int64_t value) { return std::to_string(value); }

std::string FormatRowNumber(int number) {
  std::string text = std::to_string(number);
  if (number >= 0 && text.size() < 2) text.insert(0, 1, '0');
  return text;
}

std::int64_t ParseNumber(std::string_view text, char decimal) {
  if (core::TrimBlanksView(text).empty()) return kNoNumberEmpty;
  const auto v = core::ReadScaledDecimal(text, decimal, 0, core::ScaledRounding::kTruncate);
  return v ? *v : kNoNumber;
}

std::uint32_t ParseCtcss(std::string_view text, cmcFCache& choices, int& corrections) {
  std::string t(core::TrimBlanksView(text));
  for (char& c : t)
    if (c == ',') c = '.';
  const std::uint32_t value = EnumParse(CtcssTable(), t);
  if (value != kNotFound) return value;
  std::string lower = t;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (lower.size() <= 2 || lower.compare(lower.size() - 2, 2, "hz") != 0) return kNotFound;
  const std::string number = t.substr(0, t.size() - 2);
  const auto hz = core::ReadDecimal(number, '.');
  if (!hz || *hz < 60 || *hz > 300) return kNotFound;
  ++corrections;
  const auto matched = choices.MatchTyped(kToneList, Flex0, number, 0);
  return matched && *matched >= 0 && *matched < 50 ? static_cast<std::uint32_t>(*matched)
                                                   : kToneDefault;
}

std::string FormatDate(const DateTimeBcd& record, int utcOffset, int order, char separator) {
  year_month_day date;
  if (!GetRecordDate(record, date)) return {};
  seconds timeOfDay{};
  if (GetRecordTime(record, timeOfDay)) {
    const sys_seconds local = sys_days(date) + timeOfDay + minutes{UsableOffset(utcOffset)};
    date = year_month_day{floor<days>(local)};
  }
  return core::ShortDateText(date, order, separator);
}

std::string FormatTime(const DateTimeBcd& record, int utcOffset) {
  seconds timeOfDay{};
  if (!GetRecordTime(record, timeOfDay)) return {};
  const seconds local = timeOfDay + minutes{UsableOffset(utcOffset)};
  return core::FixedTimeText(local - floor<days>(local));
}

void ParseDate(std::string_view text, int order, char separator, DateTimeBcd& record) {
  if (core::TrimBlanksView(text).empty()) return SetPart(record, 0, kEmpty);
  const auto date = core::ReadShortDate(text, order, separator);
  const int y = date ? static_cast<int>(date->year()) : 0;
  if (!date || y < 2000 || y > 2099) return SetPart(record, 0, kBad);
  record[0] = core::BinToBcd(static_cast<int>(static_cast<unsigned>(date->day())));
  record[1] = core::BinToBcd(static_cast<int>(static_cast<unsigned>(date->month())));
  record[2] = core::BinToBcd(y - 2000);
}

void ParseTime(std::string_view text, DateTimeBcd& record) {
  if (core::TrimBlanksView(text).empty()) return SetPart(record, 3, kEmpty);
  const auto t = core::ReadClockTime(text);
  if (!t) return SetPart(record, 3, kBad);
  const auto s = static_cast<int>(t->count());
  record[3] = core::BinToBcd(s / 3600);
  record[4] = core::BinToBcd(s / 60 % 60);
  record[5] = core::BinToBcd(s % 60);
}

bool FixGpsTimeFields(DateTimeBcd& record, int utcOffset) {
  const int offset = UsableOffset(utcOffset);
  if (!IsBcdPart(record, 3)) {
    record.fill(kEmpty);
    return true;
  }
  if (IsEmptyPart(record, 3)) {
    // A date alone is kept as it stands: it is written back unshifted.
    if (IsBcdPart(record, 0)) return false;
    SetPart(record, 0, kEmpty);
    return true;
  }
  bool emptied = false;
  year_month_day date;
  if (!IsBcdPart(record, 0)) {
    SetPart(record, 0, kEmpty);
    emptied = true;
  }
  if (IsEmptyPart(record, 0)) {
    if (!LocalToUtc(record, offset)) {
      record.fill(kEmpty);
      return true;
    }
    return emptied;
  }
  if (!GetRecordDate(record, date) || !core::IsDateInRange(date) || !LocalToUtc(record, offset)) {
    record.fill(kEmpty);
    return true;
  }
  return emptied;
}

Position ParseLatitude(std::string_view text, char decimal) {
  return ParsePosition(text, decimal, 90, 'N', 'S');
}

Position ParseLongitude(std::string_view text, char decimal) {
  return ParsePosition(text, decimal, 180, 'E', 'W');
}

std::string FormatPosition(const Position& p, char decimal) {
  if (p[0] == 0xFF) return {};
  const std::int64_t milliMinutes = (p[1] << 8) | p[2];
  // Thousandths of a minute to millionths of a degree, rounded half up.
  const std::int64_t micro = p[0] * kMicro + (milliMinutes * 100 + 3) / 6;
  const bool negative = p[3] == 'S' || p[3] == 'W';
  std::string text = SixDecimals(micro, decimal);
  if (negative) text.insert(0, 1, '-');
  return text;
}

bool IsValidLatitude(const Position& p) { return IsValidPosition(p, 90, 'N', 'S'); }
bool IsValidLongitude(const Position& p) { return IsValidPosition(p, 180, 'E', 'W'); }

std::int32_t ParseAltitude(std::string_view text, char decimal) {
  const auto tenths = core::ReadScaledDecimal(text, decimal, 1, core::ScaledRounding::kHalfUp);
  if (!tenths) return kAltitudeNone;
  // Far beyond the radio's range: kept beyond it, so the check refuses it.
  constexpr std::int64_t kClamp = 100000000;
  const std::int64_t m = std::llabs(*tenths) > kClamp ? (*tenths < 0 ? -kClamp : kClamp) : *tenths;
  return core::MetersToFeetSigned(static_cast<std::int32_t>(m));
}

std::string FormatAltitude(std::int32_t tenthsFoot, char decimal) {
  RxFormatOptions options;
  options.csv = true;
  options.decimal = decimal;
  return FormatRxAltitude(static_cast<std::uint32_t>(tenthsFoot), 0, options);
}

bool IsValidAltitude(std::int32_t tenthsFoot) {
  return tenthsFoot == kAltitudeNone ||
         (tenthsFoot >= -kAltitudeLimit && tenthsFoot <= kAltitudeLimit);
}

int ParseUtcOffset(std::string_view text) {
  std::string t(core::TrimBlanksView(text));
  if (t.size() < 3) return kUtcInvalid;
  if (t == "--:--") return kUtcNone;
  bool negative = false;
  if (t[0] == '+' || t[0] == '-') {
    negative = t[0] == '-';
    t[0] = ' ';
  } else if (t[0] < '0' || t[0] > '9') {
    return kUtcInvalid;
  }
  const std::string_view rest = core::TrimBlanksView(t);
  const auto colon = rest.find(':');
  if (rest.size() < 3 || colon == std::string_view::npos ||
      rest.find(':', colon + 1) != std::string_view::npos || rest.size() - colon != 3)
    return kUtcInvalid;
  const auto clock = core::ReadClockTime(rest);
  if (!clock) return kUtcInvalid;
  const int value = static_cast<int>(clock->count() / 60);
  return negative ? -value : value;
}

std::string FormatUtcOffset(int minutes) {
  if (minutes == kUtcNone) return "--:--";
  const int magnitude = std::abs(minutes);
  std::string mm = std::to_string(magnitude % 60);
  if (mm.size() < 2) mm.insert(0, 1, '0');
  std::string text = std::to_string(magnitude / 60) + ":" + mm;
  if (minutes > 0) text.insert(0, 1, '+');
  if (minutes < 0) text.insert(0, 1, '-');
  return text;
}

int RoundUtcOffset(int minutes, int defaultValue) {
  if (minutes == kUtcNone) return kUtcNone;
  if (minutes == kUtcInvalid || minutes > kMaxOffset || minutes < -kMaxOffset) return defaultValue;
  const int magnitude = std::abs(minutes) / 5 * 5;
  return minutes < 0 ? -magnitude : magnitude;
}

bool FixInvalidTextChars(std::span<char> field) {
  return core::ReplaceInvalidSjisBuf(
      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(field.data()), field.size()), ' ');
}

bool FixCallSignChars(std::span<char, 8> field) {
  bool changed = false;
  for (char& c : field) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == ' ') continue;
    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : ' ';
    changed = true;
  }
  return changed;
}

}  // namespace csv
