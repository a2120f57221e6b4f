#include "cells/rxformat/RxTextFormatters.h"

#include <array>

#include "cells/rxformat/AprsSymbols.h"
#include "core/CsvFieldText.h"
#include "core/SjisCleaners.h"
#include "core/TextFields.h"

namespace {

constexpr std::uint8_t kNone = 255;

// In CSV the text is cleaned, and a separator that became a blank at its end
// goes with the other trailing blanks.
std::string ForField(std::string text, const RxFormatOptions& options) {
  if (options.csv && core::CleanCsvText(text)) core::TrimRightBlanks(text);
  return text;
}

std::string EmptyOr(const RxFormatOptions& options, const char* dashes) {
  return options.csv ? std::string() : std::string(dashes);
}

std::string ReportText(std::string_view field, const RxFormatOptions& options,
                       bool replaceKana) {
  std::string text(field.substr(0, field.find('\0')));
  core::ReplaceNonAscii(text, ' ');
  if (replaceKana) core::ReplaceHalfKana(text, '_');
  core::TrimRightBlanks(text);
  return ForField(std::move(text), options);
}

}  // namespace

std::string FormatFixedText(std::string_view field) {
  std::string text(field.substr(0, field.find('\0')));
  core::TrimRightBlanks(text);
  return text;
}

std::string FormatRxMessage(std::string_view field, const RxFormatOptions& options,
                            bool replaceKana) {
  return ReportText(field, options, replaceKana);
}

std::string FormatRxComment(std::string_view field, const RxFormatOptions& options,
                            bool replaceKana) {
  return ReportText(field, options, replaceKana);
}

std::string FormatRxObjectName(std::string_view field, const RxFormatOptions& options) {
  return ForField(FormatFixedText(field), options);
}

std::string FormatRxRouteStatus(std::uint8_t status) {
  if ((status & 7) == 1) return "RPT?";
  if ((status & 7) == 2) return "UR?";
  if ((status & 0x40) != 0) return "RPT UP";
  return {};
}

std::string FormatFlagStar20(std::uint8_t status) { return (status & 0x20) ? "*" : ""; }
std::string FormatFlagStar08(std::uint8_t status) { return (status & 0x08) ? "*" : ""; }

std::string FormatRxSsid(std::string_view field, const RxFormatOptions& options) {
  if (field.size() < 2) return EmptyOr(options, "---");
  const auto first = static_cast<std::uint8_t>(field[0]);
  const auto second = static_cast<std::uint8_t>(field[1]);
  if (first == kNone && second == kNone) return EmptyOr(options, "---");
  if (second == kNone) {
    if (field[0] == '0') return "(-0)";
    return ForField(std::string(1, field[0]), options);
  }
  return ForField(std::string(field.substr(0, 2)), options);
}

std::string FormatRxAprsSymbol(std::string_view code, const RxFormatOptions& options) {
  if (code.empty() || static_cast<std::uint8_t>(code[0]) == kNone)
    return EmptyOr(options, "---");
  std::string name;
  GetAprsSymbolName(code, options.japanese ? kAprsLanguageJapanese : kAprsLanguageEnglish, name);
  core::TrimRightBlanks(name);
  return ForField(std::move(name), options);
}

std::string FormatRxObjectState(std::uint8_t code, const RxFormatOptions& options) {
  static constexpr std::array<const char*, 4> kCsv{"Live Object", "Live Item", "Killed Object",
                                                   "Killed Item"};
  if (code >= kCsv.size()) return {};
  if (options.csv) return kCsv[code];
  return code >= 2 ? "(KILLED)" : "";
}
