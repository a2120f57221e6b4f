#include "cells/CodeConverters.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "cells/CellLook.h"
#include "cells/ConverterContext.h"
#include "cells/EditorProtocol.h"
#include "core/ColorNames.h"
#include "core/HexText.h"
#include "core/TextFields.h"
#include "sheet/FieldDialogOpener.h"

namespace {

using editor::IsDigit;
using editor::IsHexDigit;

constexpr char kDtmfDigits[] = "0123456789ABCD*#";
constexpr std::uint8_t kDtmfEnd = 0xFF;
constexpr int kMaxUtcOffset = 840;
constexpr int kUtcStep = 5;

// Bit position of item 8 of the memory-bit dialog (items 1..8, item k at
// bit 26 - k): the byte's bit 0.
constexpr int kHexBitsShift = 18;
constexpr int kHexBitsFirstItem = 1;
constexpr int kHexBitsLastItem = 8;
constexpr int kHeaderBitNumbers = 6;

char Upper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }

}  // namespace

int EditHexBytes(cmcCellCapsule& capsule, std::span<std::uint8_t> bytes, std::int32_t minimum,
                 std::int32_t maximum, int& status) {
  int changed = 0;
  if (capsule.mode == cellmode::kCommit && !bytes.empty()) {
    std::string digits;
    for (char ch : capsule.inputText) {
      if (IsHexDigit(ch)) digits.push_back(Upper(ch));
    }
    if (!digits.empty()) {
      const std::size_t room = bytes.size() * 2;
      if (digits.size() > room) digits.erase(0, digits.size() - room);
      digits.insert(0, room - digits.size(), '0');
      std::fill(bytes.begin(), bytes.end(), 0);
      core::ReadHexBytes(digits, bytes);
      bytes[0] = static_cast<std::uint8_t>(
          std::clamp<std::int32_t>(bytes[0], std::max(minimum, 0), std::min(maximum, 255)));
      changed = 1;
    }
  }
  editor::SetDisplay(capsule, core::HexBytes(bytes));
  const std::int32_t key = editor::Key(capsule);
  if (key == 0 || bytes.empty()) return changed;
  if (key == cellop::kSpace || key == cellop::kBackspace) {
    std::int32_t v = bytes[0] + (key == cellop::kSpace ? 1 : -1);
    if (v > maximum) v = minimum;
    if (v < minimum) v = maximum;
    bytes[0] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    editor::SetDisplay(capsule, core::HexBytes(bytes));
    return 1;
  }
  if (key == cellop::kEnter) {
    editor::OpenEditor(capsule, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsHexDigit(typed) || (typed == '-' && minimum < 0))
    editor::OpenWithChar(capsule, typed, status);
  return changed;
}

int EditHexBits(const ConverterContext& ctx, cmcCellCapsule& capsule, std::uint8_t& value,
                std::uint8_t reference, int number1, int number2, int& status) {
  int changed = 0;
  if (capsule.mode == cellmode::kChoice) {
    const std::string_view text = core::TrimBlanksView(capsule.inputText);
    std::uint32_t word = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), word);
    if (!text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size()) {
      value = static_cast<std::uint8_t>((word >> kHexBitsShift) & 0xFF);
      changed = 1;
    }
  } else if (capsule.mode == cellmode::kCommit) {
    const std::string_view text = core::TrimBlanksView(capsule.inputText);
    if ((text.size() == 1 || text.size() == 2) && IsHexDigit(text[0]) && IsHexDigit(text.back())) {
      int v = 0;
      for (char ch : text) v = v * 16 + core::HexDigitValue(ch);
      value = static_cast<std::uint8_t>(v);
      changed = 1;
    }
  }
  editor::SetDisplay(capsule, core::HexBytes(std::span<const std::uint8_t>(&value, 1)));
  if (value != reference) {
    celllook::SetTextColor(capsule, color::kRed);
  } else {
    celllook::InheritTextColor(capsule);
  }
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  if (key == cellop::kEnter) {
    if (ctx.dialogs) {
      ctx.dialogs->OpenBits(capsule, static_cast<std::uint32_t>(value) << kHexBitsShift,
                            kHexBitsFirstItem, kHexBitsLastItem, kHeaderBitNumbers, number1,
                            number2);
      status = kCellRedraw;
    }
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsHexDigit(typed)) editor::OpenWithChar(capsule, typed, status);
  return changed;
}

int EditDtmfCode(cmcCellCapsule& capsule, std::span<std::uint8_t> field, int maxDigits,
                 int& status) {
  int changed = 0;
  if (capsule.mode == cellmode::kCommit) {
    const bool empty = core::TrimBlanksView(capsule.inputText).empty();
    std::string codes;
    const std::size_t room = std::min<std::size_t>(field.size(), std::max(maxDigits, 0));
    for (char ch : capsule.inputText) {
      if (codes.size() == room) break;
      if (IsHexDigit(ch)) {
        codes.push_back(static_cast<char>(core::HexDigitValue(ch)));
      } else if (ch == '*') {
        codes.push_back(14);
      } else if (ch == '#') {
        codes.push_back(15);
      }
    }
    if (empty || !codes.empty()) {
      std::fill(field.begin(), field.end(), kDtmfEnd);
      std::copy(codes.begin(), codes.end(), field.begin());
      changed = 1;
    }
  }
  std::string text;
  for (std::uint8_t b : field) {
    if (b > 15) break;  // 0xFF ends the digits, and so does a damaged byte
    text += kDtmfDigits[b];
  }
  editor::SetDisplay(capsule, text);
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  if (key == cellop::kEnter || key == cellop::kSpace || key == cellop::kBackspace) {
    editor::OpenEditor(capsule, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsHexDigit(typed) || typed == '*' || typed == '#') {
    editor::OpenWithChar(capsule, typed, status);
  }
  return changed;
}

int EditDigitalCode(cmcCellCapsule& capsule, std::uint8_t& value, int& status) {
  int changed = 0;
  if (capsule.mode == cellmode::kCommit) {
    const std::string_view text = core::TrimBlanksView(capsule.inputText);
    if ((text.size() == 1 || text.size() == 2) &&
        std::all_of(text.begin(), text.end(), [](char ch) { return IsDigit(ch); })) {
      int v = 0;
      for (char ch : text) v = v * 10 + (ch - '0');
      value = static_cast<std::uint8_t>(v);
      changed = 1;
    }
  }
  editor::SetDisplay(capsule, editor::ZeroPadded(value, 2));
  celllook::AlignRight(capsule);
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  if (key == cellop::kSpace || key == cellop::kBackspace) {
    int v = value + (key == cellop::kSpace ? 1 : -1);
    if (v > 99) v = 0;
    if (v < 0) v = 99;
    value = static_cast<std::uint8_t>(v);
    editor::SetDisplay(capsule, editor::ZeroPadded(value, 2));
    return 1;
  }
  if (key == cellop::kEnter) {
    editor::OpenEditor(capsule, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsDigit(typed)) editor::OpenWithChar(capsule, typed, status);
  return changed;
}

namespace {

std::string UtcOffsetText(std::int32_t minutes) {
  if (minutes == kUtcOffsetNone) return "--:--";
  const std::int64_t magnitude = minutes < 0 ? -static_cast<std::int64_t>(minutes) : minutes;
  std::string text = minutes > 0 ? "+" : (minutes < 0 ? "-" : "");
  text += std::to_string(magnitude / 60);
  text += ':';
  text += editor::ZeroPadded(static_cast<int>(magnitude % 60), 2);
  return text;
}

// The committed offset, or nothing when the text is refused.
bool ReadUtcOffset(std::string_view input, std::int32_t& out) {
  std::string kept;
  for (char ch : input) {
    if (IsDigit(ch) || ch == '+' || ch == '-' || ch == ':') kept.push_back(ch);
  }
  const bool negative = !kept.empty() && kept[0] == '-';
  std::string plain;
  for (char ch : kept) {
    if (ch != '+' && ch != '-') plain.push_back(ch);
  }
  if (plain.size() > 5 || !editor::HasDigit(plain)) return false;
  const std::size_t colon = plain.find(':');
  if (colon != std::string::npos && plain.find(':', colon + 1) != std::string::npos) return false;
  int hours = 0;
  int minutes = 0;
  for (std::size_t i = 0; i < plain.size() && i != colon; ++i)
    hours = hours * 10 + (plain[i] - '0');
  if (colon != std::string::npos) {
    for (std::size_t i = colon + 1; i < plain.size(); ++i)
      minutes = minutes * 10 + (plain[i] - '0');
  }
  minutes = (2 * minutes + kUtcStep) / (2 * kUtcStep) * kUtcStep;  // nearest 5, halves up
  const int total = hours * 60 + minutes;
  if (minutes >= 60 || total > kMaxUtcOffset) return false;
  out = negative ? -total : total;
  return true;
}

}  // namespace

int EditUtcOffset(cmcCellCapsule& capsule, std::int32_t& minutes, bool emptyAllowed, int& status) {
  int changed = 0;
  if (capsule.mode == cellmode::kCommit) {
    const std::string_view text = core::TrimBlanksView(capsule.inputText);
    std::int32_t v = 0;
    if (emptyAllowed && (text.empty() || text.substr(0, 5) == "--:--")) {
      minutes = kUtcOffsetNone;
      changed = 1;
    } else if (ReadUtcOffset(text, v)) {
      minutes = v;
      changed = 1;
    }
  }
  editor::SetDisplay(capsule, UtcOffsetText(minutes));
  const std::int32_t key = editor::Key(capsule);
  if (key == 0) return changed;
  if (key == cellop::kSpace || key == cellop::kBackspace) {
    std::int64_t v =
        static_cast<std::int64_t>(minutes) + (key == cellop::kSpace ? kUtcStep : -kUtcStep);
    if (v > kMaxUtcOffset) v = -kMaxUtcOffset;
    if (v < -kMaxUtcOffset) v = kMaxUtcOffset;
    minutes = static_cast<std::int32_t>(v);
    editor::SetDisplay(capsule, UtcOffsetText(minutes));
    return 1;
  }
  if (key == cellop::kEnter) {
    editor::OpenEditor(capsule, status);
    return changed;
  }
  const char typed = editor::TypedChar(key);
  if (IsDigit(typed) || typed == '-' || typed == '+' || typed == ':') {
    editor::OpenWithChar(capsule, typed, status);
  }
  return changed;
}
