#include "cells/NumberConverters.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "cells/EditorProtocol.h"
#include "core/NumberText.h"
#include "core/TextFields.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"

namespace {

using editor::HasDigit;
using editor::IsDigit;

constexpr std::int64_t kEntryLow = -2147483648LL;
constexpr std::int64_t kEntryHigh = 2147483644LL;
constexpr std::size_t kMaxKeptDecimal = 11;

std::int64_t Pow10(int n) {
  std::int64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

std::int64_t ToUnits(double v, std::int64_t unit) {
  const double scaled = std::clamp(v * static_cast<double>(unit), -9.0e18, 9.0e18);
  return core::RoundHalfAwayFromZero(scaled).value_or(0);
}

struct DecimalSpec {
  int scale = 0;
  int fraction = 0;
  int width = 0;
  std::int64_t minimum = 0;
  std::int64_t maximum = 0;
  std::int64_t step = 1;
  bool sign = false;
  bool stepping = false;
  bool empty = false;
  bool signed_ = false;  // minimum or maximum below zero, or the sign flag
};

std::string DecimalText(std::int64_t v, const DecimalSpec& s) {
  const std::int64_t unit = Pow10(s.scale);
  const std::uint64_t magnitude =
      v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  const std::uint64_t whole = magnitude / static_cast<std::uint64_t>(unit);
  std::uint64_t rest = magnitude % static_cast<std::uint64_t>(unit);
  if (s.fraction <= s.scale) {
    rest /= static_cast<std::uint64_t>(Pow10(s.scale - s.fraction));
  } else {
    rest *= static_cast<std::uint64_t>(Pow10(s.fraction - s.scale));
  }
  std::string digits = std::to_string(whole);
  if (s.signed_) {
    if (v < 0) digits.insert(0, 1, '-');
    if (v > 0 && s.sign) digits.insert(0, 1, '+');
  }
  std::string text;
  if (static_cast<int>(digits.size()) < s.width) text.assign(s.width - digits.size(), ' ');
  text += digits;
  if (s.fraction > 0) {
    const std::string f = std::to_string(rest);
    text += '.';
    if (static_cast<int>(f.size()) < s.fraction) text.append(s.fraction - f.size(), '0');
    text += f;
  }
  return text;
}

// The committed text as a value, or nothing when it holds no number.
bool ReadDecimalEntry(std::string_view input, const DecimalSpec& s, std::int64_t& out) {
  std::string kept;
  for (char ch : input) {
    if (kept.size() == kMaxKeptDecimal) break;
    if (IsDigit(ch) || ch == '.' || ch == '-') {
      kept.push_back(ch);
    } else if (ch == ',') {
      // A decimal comma typed out of habit is the point, never a separator
      // that would turn 145,5 into 1455.
      kept.push_back('.');
    }
  }
  if (!HasDigit(kept)) return false;
  const auto number = core::ReadDecimal(kept, '.');
  if (!number) return false;
  double x = *number * static_cast<double>(Pow10(s.scale));
  x = std::clamp(x, static_cast<double>(kEntryLow), static_cast<double>(kEntryHigh));
  std::int64_t v = core::RoundHalfAwayFromZero(x).value_or(0);
  if (s.step > 1) v = v / s.step * s.step;
  out = std::clamp(v, s.minimum, std::max(s.minimum, s.maximum));
  return true;
}

int EditDecimalCore(cmcCellCapsule& c, std::int64_t& value, const DecimalSpec& s, int& status) {
  int changed = 0;
  if (c.mode == cellmode::kCommit) {
    std::int64_t v = 0;
    if (ReadDecimalEntry(c.inputText, s, v)) {
      value = v;
      changed = 1;
    }
  }
  editor::SetDisplay(c, DecimalText(value, s));
  const std::int32_t key = editor::Key(c);
  if (key == 0) return changed;
  const char typed = editor::TypedChar(key);
  if (typed == '.' || typed == ',') {
    std::string text = s.empty ? "0." + std::string(static_cast<std::size_t>(s.fraction), '0')
                               : std::string(core::TrimBlanksView(c.outputText));
    const std::size_t dot = text.find('.');
    editor::OpenEditorWith(c, text, status);
    c.caretPos = dot == std::string::npos ? static_cast<std::int32_t>(text.size())
                                          : static_cast<std::int32_t>(dot + 1);
    c.selLength = 0;
    return changed;
  }
  if (key == cellop::kSpace && !s.stepping) {
    editor::OpenEditorWith(
        c, s.empty ? std::string() : std::string(core::TrimBlanksView(c.outputText)), status);
    return changed;
  }
  if ((key == cellop::kSpace || key == cellop::kBackspace) && s.stepping) {
    std::int64_t v = value + (key == cellop::kSpace ? s.step : -s.step);
    if (v > s.maximum) v = s.minimum;
    if (v < s.minimum) v = s.maximum;
    value = v;
    editor::SetDisplay(c, DecimalText(value, s));
    return 1;
  }
  if (key == cellop::kEnter) {
    editor::OpenEditorWith(
        c, s.empty ? std::string() : std::string(core::TrimBlanksView(c.outputText)), status);
    return changed;
  }
  if (IsDigit(typed) || typed == '-' || (typed == '+' && s.sign)) {
    editor::OpenWithChar(c, typed, status);
  }
  return changed;
}

DecimalSpec MakeSpec(int scaleExp, int fractionDigits, int width, double minimum, double maximum,
                     std::int64_t step, bool signFlag, bool steppingFlag, bool emptyFlag) {
  DecimalSpec s;
  s.scale = std::clamp(scaleExp, 0, 9);
  s.fraction = std::clamp(fractionDigits, 0, 9);
  s.width = std::clamp(width, 0, 20);
  const std::int64_t unit = Pow10(s.scale);
  s.minimum = ToUnits(minimum, unit);
  s.maximum = ToUnits(maximum, unit);
  s.step = step > 0 ? step : 1;
  s.sign = signFlag;
  s.stepping = steppingFlag;
  s.empty = emptyFlag;
  s.signed_ = minimum < 0 || maximum < 0 || signFlag;
  return s;
}

std::string IntegerText(std::int32_t value, std::int32_t offset, bool signFlag,
                        const char* fixedText) {
  if (fixedText) return fixedText;
  const std::int64_t shown = static_cast<std::int64_t>(value) + offset;
  std::string text = std::to_string(shown);
  if (signFlag && shown > 0) text.insert(0, 1, '+');
  return text;
}

// Rounds half away from zero to a multiple of the step.
std::int64_t RoundToStep(std::int64_t v, std::int64_t step) {
  if (step <= 1) return v;
  const std::int64_t rest = v % step;
  v -= rest;
  if (2 * (rest < 0 ? -rest : rest) >= step) v += rest < 0 ? -step : step;
  return v;
}

struct IntegerSpec {
  std::int32_t minimum, maximum, offset, step;
  bool sign;
  const char* fixedText;
  bool clamp;
};

// One step with wrapping; the result reduced to a multiple of the step.
std::int32_t StepInteger(std::int32_t value, bool up, const IntegerSpec& s) {
  const std::int64_t step = s.step > 0 ? s.step : 1;
  std::int64_t v = static_cast<std::int64_t>(value) + (up ? step : -step);
  if (v > s.maximum) v = s.minimum;
  if (v < s.minimum) v = s.maximum;
  v = v / step * step;
  return static_cast<std::int32_t>(v);
}

// The integer protocol; `stepper` makes one Space or Backspace step.
template <class Stepper>
int EditIntegerCore(cmcCellCapsule& c, std::int32_t& value, const IntegerSpec& s, int& status,
                    Stepper stepper) {
  int changed = 0;
  if (c.mode == cellmode::kCommit) {
    if (const auto typed = core::TryTextToRoundedInt(c.inputText)) {
      std::int64_t v = static_cast<std::int64_t>(*typed) - s.offset;
      v = RoundToStep(v, s.step);
      v = std::min<std::int64_t>(v, s.maximum);
      v = std::max<std::int64_t>(v, s.minimum);
      value = static_cast<std::int32_t>(v);
      changed = 1;
    }
  }
  auto clamp = [&] {
    if (!s.clamp) return;
    std::int32_t v = value;
    if (v > s.maximum) v = s.maximum;
    if (v < s.minimum) v = s.minimum;
    if (v != value) {
      value = v;
      changed = 1;
    }
  };
  clamp();
  editor::SetDisplay(c, IntegerText(value, s.offset, s.sign, s.fixedText));
  const std::int32_t key = editor::Key(c);
  if (key == 0) return changed;
  if (key == cellop::kSpace || key == cellop::kBackspace) {
    value = stepper(value, key == cellop::kSpace);
    clamp();
    editor::SetDisplay(c, IntegerText(value, s.offset, s.sign, s.fixedText));
    return 1;
  }
  if (key == cellop::kEnter) {
    editor::OpenEditor(c, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsDigit(typed) || (typed == '-' && static_cast<std::int64_t>(s.minimum) + s.offset < 0) ||
      (typed == '+' && s.sign)) {
    editor::OpenWithChar(c, typed, status);
  }
  return changed;
}

int EditIntegerPlain(cmcCellCapsule& c, std::int32_t& value, const IntegerSpec& s, int& status) {
  return EditIntegerCore(c, value, s, status,
                         [&s](std::int32_t v, bool up) { return StepInteger(v, up, s); });
}

}  // namespace

int EditDecimal(cmcCellCapsule& capsule, std::int32_t& value, int scaleExp, int fractionDigits,
                int width, double minimum, double maximum, std::int32_t step, bool signFlag,
                bool steppingFlag, bool emptyFlag, int& status) {
  const DecimalSpec s = MakeSpec(scaleExp, fractionDigits, width, minimum, maximum, step, signFlag,
                                 steppingFlag, emptyFlag);
  std::int64_t v = value;
  const int changed = EditDecimalCore(capsule, v, s, status);
  if (changed) value = static_cast<std::int32_t>(std::clamp<std::int64_t>(v, kEntryLow, INT32_MAX));
  return changed;
}

int EditFrequency(cmcCellCapsule& capsule, std::uint32_t& hertz, double minimumMHz,
                  double maximumMHz, bool emptyFlag, int& status) {
  const DecimalSpec s = MakeSpec(6, 6, 3, minimumMHz, maximumMHz, 1, false, false, emptyFlag);
  std::int64_t v = hertz;
  const int changed = EditDecimalCore(capsule, v, s, status);
  if (changed) hertz = static_cast<std::uint32_t>(std::max<std::int64_t>(v, 0));
  return changed;
}

int EditRepeaterFrequency(cmcCellCapsule& capsule, std::uint32_t& hertz, double minimumMHz,
                          double maximumMHz, int& status) {
  if (capsule.mode == cellmode::kCommit) {
    const bool anyOfANumber = capsule.inputText.find_first_of("0123456789.-,") != std::string::npos;
    if (!anyOfANumber) {
      hertz = 0;
      editor::SetDisplay(capsule, std::string());
      return 1;
    }
  }
  const DecimalSpec s = MakeSpec(6, 6, 4, minimumMHz, maximumMHz, 1, false, false, true);
  std::int64_t v = hertz;
  const int before = status;
  const int changed = EditDecimalCore(capsule, v, s, status);
  if (changed) hertz = static_cast<std::uint32_t>(std::max<std::int64_t>(v, 0));
  // A value of 0 is no frequency: the cell shows nothing, but an editor
  // opened now keeps what it was given (the typed character, "0.000000").
  if (hertz == 0 && !(status == kCellOpenEditor && before != kCellOpenEditor)) {
    editor::SetDisplay(capsule, std::string());
  }
  return changed;
}

int EditInteger(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                std::int32_t maximum, std::int32_t offset, std::int32_t step, bool signFlag,
                const char* fixedText, bool clampFlag, int& status) {
  const IntegerSpec s{minimum,  maximum,   offset,   step > 0 ? step : 1,
                      signFlag, fixedText, clampFlag};
  return EditIntegerPlain(capsule, value, s, status);
}

int EditInteger(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                std::int32_t maximum, int& status) {
  return EditInteger(capsule, value, minimum, maximum, 0, 1, false, nullptr, false, status);
}

int EditInteger(cmcCellCapsule& capsule, std::uint8_t& value, std::int32_t minimum,
                std::int32_t maximum, int& status) {
  return EditInteger(capsule, value, minimum, maximum, 0, 1, false, nullptr, false, status);
}

int EditInteger(cmcCellCapsule& capsule, std::uint8_t& value, std::int32_t minimum,
                std::int32_t maximum, std::int32_t offset, std::int32_t step, bool signFlag,
                const char* fixedText, bool clampFlag, int& status) {
  std::int32_t v = value;
  const int changed = EditInteger(capsule, v, std::max(minimum, 0), std::min(maximum, 255), offset,
                                  step, signFlag, fixedText, clampFlag, status);
  if (changed) value = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
  return changed;
}

int EditBankChNo(cmcCellCapsule& capsule, const datCh* record, std::int32_t& value,
                 std::int32_t minimum, std::int32_t maximum, std::int32_t offset, std::int32_t step,
                 const char* fixedText, bool clampFlag, int& status) {
  const IntegerSpec s{minimum, maximum, offset, step > 0 ? step : 1, false, fixedText, clampFlag};
  const cmcEeprom* image = record ? record->Image() : nullptr;
  const bool hasBank = image && record->bank < static_cast<std::uint32_t>(layout::kBankCount) &&
                       image->GetSize() >= layout::kMinImageSize;
  if (!hasBank) return EditIntegerPlain(capsule, value, s, status);
  const std::uint32_t bank = record->bank;
  auto occupied = [&](std::int32_t slot) {
    if (slot < 0 || slot >= layout::kBankSlots) return false;  // outside the table: free
    const std::int64_t address = layout::kBankTable +
                                 static_cast<std::int64_t>(bank) * layout::kBankSlots * 2 +
                                 static_cast<std::int64_t>(slot) * 2;
    return imageaccess::Get16(*image, address) != layout::kBankSlotFree;
  };
  return EditIntegerCore(capsule, value, s, status, [&](std::int32_t v, bool up) {
    const std::int32_t start = v;
    // Enough steps to visit every slot of the range once.
    const std::int64_t rounds = (static_cast<std::int64_t>(s.maximum) - s.minimum) / s.step + 2;
    for (std::int64_t i = 0; i < rounds; ++i) {
      v = StepInteger(v, up, s);
      if (v == start || !occupied(v)) return v;
    }
    return start;
  });
}

int EditSelectChNo(cmcCellCapsule& capsule, std::int32_t& value, std::int32_t minimum,
                   std::int32_t maximum, bool emptyEditorFlag, int& status) {
  int changed = 0;
  const std::int64_t none = static_cast<std::int64_t>(maximum) + 1;
  if (capsule.mode == cellmode::kCommit) {
    if (core::TrimBlanksView(capsule.inputText).empty()) {
      value = static_cast<std::int32_t>(none);
      changed = 1;
    } else if (const auto typed = core::TryTextToRoundedInt(capsule.inputText)) {
      value = std::clamp(*typed, minimum, std::max(minimum, maximum));
      changed = 1;
    }
  }
  // A value outside the range is no channel (the free slot): nothing shows.
  const bool shown = value >= minimum && value <= maximum;
  editor::SetDisplay(capsule, shown ? std::to_string(value) : std::string());
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  if (key == cellop::kEnter || key == cellop::kSpace || key == cellop::kBackspace) {
    if (emptyEditorFlag) editor::SetDisplay(capsule, std::string());
    editor::OpenEditor(capsule, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsDigit(typed) || typed == 'A' || typed == 'B' || (typed == '-' && minimum < 0)) {
    editor::OpenWithChar(capsule, typed, status);
  }
  return changed;
}

int SetEditOutput(int result, cmcCellCapsule& capsule, const char* suffix, int status) {
  if (status != kCellOpenEditor && suffix && *suffix) {
    capsule.outputText += suffix;
    capsule.selLength = static_cast<std::int32_t>(capsule.outputText.size());
  }
  return result;
}
