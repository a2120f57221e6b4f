#include "sheet/GpsFieldModel.h"

#include <algorithm>

#include "core/GpsFieldText.h"
#include "platform/Fatal.h"

namespace {

constexpr std::string_view kPatterns[GpsFieldModel::kKinds] = {
    "20##/##/##",       // 0 yyyy/mm/dd, the century fixed
    "##/##/20##",       // 1 mm/dd/yyyy
    "##/##/20##",       // 2 dd/mm/yyyy
    "##:##:##",         // 3 time
    "##:##",            // 4 hour and minute
    " ##\xB0##'##\"@",  // 5 latitude, seconds
    "###\xB0##'##\"@",  // 6 longitude, seconds
    " ##\xB0##.##'@",   // 7 latitude, hundredths
    "###\xB0##.##'@",   // 8 longitude, hundredths
};

bool IsDateKind(int kind) { return kind >= 0 && kind <= 2; }

}  // namespace

std::string_view GpsFieldModel::Pattern(int kind) {
  if (kind < 0 || kind >= kKinds) platform::Fatal("Unknown GPS field kind.");
  return kPatterns[kind];
}

std::string GpsFieldModel::DateToKindOrder(std::string_view fixed, int kind) {
  if ((kind != 1 && kind != 2) || fixed.size() != 10) return std::string(fixed);
  const std::string_view y = fixed.substr(0, 4), m = fixed.substr(5, 2), d = fixed.substr(8, 2);
  const std::string_view a = kind == 1 ? m : d, b = kind == 1 ? d : m;
  return std::string(a) + "/" + std::string(b) + "/" + std::string(y);
}

std::string GpsFieldModel::DateFromKindOrder(std::string_view text, int kind) {
  if ((kind != 1 && kind != 2) || text.size() != 10) return std::string(text);
  const std::string_view a = text.substr(0, 2), b = text.substr(3, 2), y = text.substr(6, 4);
  const std::string_view m = kind == 1 ? a : b, d = kind == 1 ? b : a;
  return std::string(y) + "/" + std::string(m) + "/" + std::string(d);
}

bool GpsFieldModel::IsValid(int kind, std::string_view prepared) {
  if (IsDateKind(kind)) {
    const auto date = core::ReadFixedDate(prepared);
    return date && core::IsDateInRange(*date);
  }
  if (kind == 3) return core::ReadFixedTime(prepared).has_value();
  if (kind == 4) return core::ReadFixedTimeHm(prepared).has_value();
  const bool seconds = kind == 5 || kind == 6;
  const auto p = core::ReadFixedPosition(prepared, seconds);
  return p && core::IsValidPosition(*p, kind == 5 || kind == 7, seconds);
}

GpsFieldModel::GpsFieldModel(int kind, std::string_view initialText)
    : kind_(kind), field_(Pattern(kind)), initial_(initialText) {
  field_.SetText(DateToKindOrder(initialText, kind));
  initialPrepared_ = Prepared();
}

std::string GpsFieldModel::Prepared() const {
  std::string text = field_.Text();
  std::replace(text.begin(), text.end(), ' ', '0');
  return DateFromKindOrder(text, kind_);
}

std::optional<std::string> GpsFieldModel::OkText() const {
  if (IsValid()) return Prepared();
  if (initial_.empty()) return std::nullopt;
  return initial_;
}

std::optional<std::string> GpsFieldModel::CloseText() const {
  const std::string prepared = Prepared();
  if (!IsValid(kind_, prepared) || prepared == initialPrepared_) {
    return std::nullopt;
  }
  return prepared;
}
