#include "core/HexFrame.h"

#include <charconv>
#include <cstddef>

#include "core/HexText.h"

namespace {

std::string FormatNumber(std::int64_t value, char conversion) {
  char digits[32];
  std::to_chars_result r{};
  switch (conversion) {
    case 'X':
    case 'x': {
      std::string text(digits, core::WriteHexNumber(static_cast<std::uint32_t>(value), 1, digits));
      if (conversion == 'x') {
        for (char& c : text) {
          if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        }
      }
      return text;
    }
    case 'u':
      r = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(value));
      break;
    default:  // 'd'
      r = std::to_chars(digits, digits + sizeof digits, static_cast<std::int32_t>(value));
      break;
  }
  return std::string(digits, r.ptr);
}

void Pad(std::string& out, std::string_view field, std::size_t width, bool left, bool zero) {
  if (field.size() >= width) {
    out.append(field);
    return;
  }
  const std::size_t gap = width - field.size();
  if (left) {
    out.append(field);
    out.append(gap, ' ');
  } else if (zero) {
    // Zeros go after a sign.
    std::size_t sign = (!field.empty() && field[0] == '-') ? 1 : 0;
    out.append(field.substr(0, sign));
    out.append(gap, '0');
    out.append(field.substr(sign));
  } else {
    out.append(gap, ' ');
    out.append(field);
  }
}

}  // namespace

void HexTextToBuff(std::string_view text, cmcBuff& out) {
  out.SetLength(0);
  int high = -1;
  for (char c : text) {
    const int v = core::HexDigitValue(c);
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      out.PushByte(static_cast<std::uint8_t>((high << 4) | v));
      high = -1;
    }
  }
  if (high >= 0) out.PushByte(static_cast<std::uint8_t>(high << 4));
}

cmcBuff HexTextToBuff(std::string_view text) {
  cmcBuff out;
  HexTextToBuff(text, out);
  return out;
}

std::string FormatFrameTemplate(std::string_view tmpl, std::initializer_list<FrameArg> args) {
  std::string out;
  out.reserve(tmpl.size() + 16);
  auto next = args.begin();
  std::size_t i = 0;
  while (i < tmpl.size()) {
    const char c = tmpl[i];
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    const std::size_t begin = i++;
    bool left = false;
    bool zero = false;
    while (i < tmpl.size() && (tmpl[i] == '-' || tmpl[i] == '0')) {
      (tmpl[i] == '-' ? left : zero) = true;
      ++i;
    }
    std::size_t width = 0;
    while (i < tmpl.size() && tmpl[i] >= '0' && tmpl[i] <= '9' && width < 1000) {
      width = width * 10 + static_cast<std::size_t>(tmpl[i] - '0');
      ++i;
    }
    if (i >= tmpl.size()) {  // a template ending inside a conversion
      out.append(tmpl.substr(begin));
      break;
    }
    const char conversion = tmpl[i++];
    if (conversion == '%') {
      out.push_back('%');
      continue;
    }
    if (conversion != 'X' && conversion != 'x' && conversion != 'd' && conversion != 'u' &&
        conversion != 's' && conversion != 'c') {
      out.append(tmpl.substr(begin, i - begin));
      continue;
    }
    FrameArg arg = std::int64_t{0};
    if (next != args.end()) {
      arg = *next++;
    } else if (conversion == 's') {
      arg = std::string_view{};
    }
    if (conversion == 's') {
      if (const auto* s = std::get_if<std::string_view>(&arg)) {
        Pad(out, *s, width, left, false);
      } else {
        Pad(out, FormatNumber(std::get<std::int64_t>(arg), 'd'), width, left, false);
      }
      continue;
    }
    const std::int64_t value =
        std::holds_alternative<std::int64_t>(arg) ? std::get<std::int64_t>(arg) : 0;
    if (conversion == 'c') {
      const char ch = static_cast<char>(value);
      Pad(out, std::string_view(&ch, 1), width, left, false);
    } else {
      Pad(out, FormatNumber(value, conversion), width, left, zero);
    }
  }
  return out;
}

void BuildFrame(cmcBuff& out, std::string_view tmpl, std::initializer_list<FrameArg> args) {
  HexTextToBuff(FormatFrameTemplate(tmpl, args), out);
}

cmcBuff BuildFrame(std::string_view tmpl, std::initializer_list<FrameArg> args) {
  cmcBuff out;
  BuildFrame(out, tmpl, args);
  return out;
}
