// The cell markup grammar: cell boundaries, brace groups, attribute letters
// and items, bindings, variables and caption escapes.
#include <QString>
#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "cells/names/CellNames.h"
#include "core/SjisBytes.h"
#include "core/TextFields.h"
#include "core/cmcGTex.h"
#include "platform/Cp932.h"
#include "platform/Fatal.h"
#include "sheet/cmcCellObj.h"

namespace {

using core::SjisCharLength;

[[noreturn]] void ChNoError() { platform::Fatal(QStringLiteral("Ch No. Error")); }
[[noreturn]] void IllegalChNo() { platform::Fatal(QStringLiteral("Illegal Ch No.")); }
[[noreturn]] void ModelsTooDeep(std::string_view model) {
  std::string text = "Cell models nested too deeply.\n'";
  text.append(model);
  text += "'";
  platform::Fatal(platform::Cp932ToUnicode(text));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The position after the character at i, with a '\' taking the character
// after it along (a lone '\' at the end goes alone).
std::size_t SkipEscaped(std::string_view text, std::size_t i) {
  ++i;
  return i < text.size() ? i + SjisCharLength(text, i) : i;
}

// Position of the first '|' that is neither escaped nor a second byte;
// npos when there is none.
std::size_t CellEnd(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (SjisCharLength(text, i) == 2) {
      i += 2;
    } else if (text[i] == '\\') {
      i = SkipEscaped(text, i);
    } else if (text[i] == '|') {
      return i;
    } else {
      ++i;
    }
  }
  return std::string_view::npos;
}

// A whole text as a decimal number (optional sign, blanks around it).
std::optional<std::int32_t> ReadInt(std::string_view text) {
  text = core::TrimBlanksView(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The text with every escaping '\' removed ("\\" gives one '\'); a '\' that is
// a second byte stays, a lone '\' at the end goes.
std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 1 && text[i] == '\\') {
      ++i;
      if (i < text.size()) {
        const std::size_t next = SjisCharLength(text, i);
        out.append(text, i, next);
        i += next;
      }
      continue;
    }
    out.append(text, i, len);
    i += len;
  }
  return out;
}

// Bytes at or below a blank and DEL, trimmed from a caption.
bool IsBlankOrControl(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  return b <= 0x20 || b == 0x7F;
}

class MarkupParser {
 public:
  MarkupParser(cmcCellObj& cell, cmcGTex& texts, CellVariables* variables)
      : cell_(cell), texts_(texts), variables_(variables) {}

  void ApplyAttributes(std::string_view text, int depth);
  void ApplyCaption(std::string_view text);

 private:
  void ApplyLetter(char c, bool negate);
  void ApplyItem(std::string_view item, int depth);
  void ApplyBinding(std::string_view binding);
  void ApplyVariableItem(std::string_view item);
  // The variable of the reference "@chN" at the start of the text (exactly
  // one digit); fatal when it is malformed or no variables are attached.
  std::int32_t& Variable(std::string_view text);

  cmcCellObj& cell_;
  cmcGTex& texts_;
  CellVariables* variables_;
};

std::int32_t& MarkupParser::Variable(std::string_view text) {
  if (!variables_ || text.size() < 4 || text.substr(0, 3) != "@ch" || !IsDigit(text[3]) ||
      (text.size() > 4 && IsDigit(text[4])))
    ChNoError();
  return (*variables_)[static_cast<std::size_t>(text[3] - '0')];
}

void MarkupParser::ApplyAttributes(std::string_view text, int depth) {
  bool negate = false;
  for (std::size_t i = 0; i < text.size();) {
    if (SjisCharLength(text, i) == 2) {
      i += 2;
      negate = false;
      continue;
    }
    const char c = text[i];
    if (c == '\\') {
      i = SkipEscaped(text, i);
      negate = false;
    } else if (c == '(') {
      // The item runs to the next unescaped ')' (or the end); its backslashes stay.
      std::size_t j = i + 1;
      while (j < text.size() && !(SjisCharLength(text, j) == 1 && text[j] == ')')) {
        if (SjisCharLength(text, j) == 2)
          j += 2;
        else if (text[j] == '\\')
          j = SkipEscaped(text, j);
        else
          ++j;
      }
      const std::size_t end = std::min(j, text.size());
      ApplyItem(text.substr(i + 1, end - (i + 1)), depth);
      i = end < text.size() ? end + 1 : end;
      negate = false;
    } else if (c == '!') {
      negate = true;
      ++i;
    } else {
      ApplyLetter(c, negate);
      negate = false;
      ++i;
    }
  }
}

void MarkupParser::ApplyLetter(char c, bool negate) {
  using namespace celllayout;
  using namespace cellrule;
  std::uint8_t& layout = cell_.layoutFlags;
  std::uint8_t& rule = cell_.ruleFlags;
  const auto setBit = [negate](std::uint8_t& flags, std::uint8_t bit) {
    flags = static_cast<std::uint8_t>(negate ? (flags & ~bit) : (flags | bit));
  };
  const auto setField = [](std::uint8_t& flags, std::uint8_t mask, int shift, int value) {
    flags = static_cast<std::uint8_t>((flags & ~mask) | (value << shift));
  };
  switch (c) {
    case '<': setField(layout, kHorizontalMask, 0, 0); break;
    case '^': setField(layout, kHorizontalMask, 0, 1); break;
    case '>': setField(layout, kHorizontalMask, 0, 2); break;
    case '~': setField(layout, kVerticalMask, 2, 0); break;
    case '-': setField(layout, kVerticalMask, 2, 1); break;
    case '_': setField(layout, kVerticalMask, 2, 2); break;
    case 'W': setBit(layout, kWidthFromText); break;
    case 'H': setBit(layout, kHeightFromText); break;
    case '=': setBit(layout, kWrapped); break;
    case '+': setBit(layout, kJoinLeft); break;
    case 'B': setBit(rule, kBottomRule); break;
    case 'X': setField(rule, kRightRuleMask, 1, negate ? 0 : 1); break;
    case 'Q': setField(rule, kRightRuleMask, 1, negate ? 0 : 2); break;
    case 'S': setBit(rule, kDataCell); break;
    case 'I': setBit(rule, kInputMethod); break;
    case 'T': setBit(rule, kTrailing); break;
    default: break;  // every other character is ignored
  }
}

void MarkupParser::ApplyItem(std::string_view item, int depth) {
  const auto valueAfterEquals = [item]() -> std::optional<std::string_view> {
    const std::size_t eq = item.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return item.substr(eq + 1);
  };
  if (item.starts_with('$')) {
    const std::string_view model = item.substr(1);
    if (depth >= cmcCellObj::kMaxModelDepth) ModelsTooDeep(model);
    std::string key = "CellModel_";
    key.append(model);
    const std::string attributes = texts_.GetFirst(key);
    ApplyAttributes(attributes, depth + 1);
  } else if (item.starts_with("Color")) {
    if (const auto name = valueAfterEquals())
      ColorNameToColor(core::TrimBlanksView(*name), cell_.color);
  } else if (item.starts_with("Font")) {
    if (!cell_.font) cell_.font = cell_.base ? cell_.base->EffectiveFont() : DefaultFontSpec();
    if (const auto spec = valueAfterEquals()) ParseFontSpec(*spec, *cell_.font);
  } else if (item.starts_with('%')) {
    ApplyBinding(item.substr(1));
  } else if (item.starts_with('@')) {
    ApplyVariableItem(item);
  } else if (item.starts_with("ImageIndex")) {
    if (const auto text = valueAfterEquals())
      if (const auto value = ReadInt(*text)) cell_.imageIndex = *value;
  } else if (item.starts_with("PopupMenu")) {
    if (const auto name = valueAfterEquals()) cell_.popupMenuName = std::string(*name);
  } else if (item.starts_with("ColCut_PopupMenu")) {
    if (const auto name = valueAfterEquals()) cell_.colCutPopupMenuName = std::string(*name);
  } else if (item.starts_with("Flag")) {
    // Exactly "Flag", a digit 0..7, "=", and 0 or 1.
    if (item.size() == 7 && item[4] >= '0' && item[4] <= '7' && item[5] == '=' &&
        (item[6] == '0' || item[6] == '1'))
      cell_.SetUserFlag(item[4] - '0', item[6] == '1');
  } else if (item.starts_with("Comb")) {
    if (const auto values = valueAfterEquals()) {
      for (int i = 0; i < 3; ++i) {
        const std::optional<std::string> field = core::GetTextField(*values, ',', i);
        if (!field) break;
        if (const auto value = ReadInt(*field))
          cell_.combination[static_cast<std::size_t>(i)] = *value;
      }
      cell_.combinationSet = true;
    }
  }
  // Any other item is ignored.
}

void MarkupParser::ApplyBinding(std::string_view binding) {
  // The name part runs to the first '[' or ':'; only there can a '.' end a
  // category name, so a '.' in the text after ':' ("12.5k") is just text.
  std::size_t nameEnd = binding.size();
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < binding.size();) {
    if (SjisCharLength(binding, i) == 2) {
      i += 2;
      continue;
    }
    const char c = binding[i];
    if (c == '[' || c == ':') {
      nameEnd = i;
      break;
    }
    if (c == '\\') {
      i = SkipEscaped(binding, i);
      continue;
    }
    if (c == '.' && dot == std::string_view::npos) dot = i;
    ++i;
  }
  std::string_view name = binding.substr(0, nameEnd);
  if (dot != std::string_view::npos) {
    cell_.category = GetCategoryIndex(name.substr(0, dot));
    name = name.substr(dot + 1);
  }
  cell_.cellId = GetCellIdIndex(name);

  std::string_view rest = binding.substr(nameEnd);
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    if (close != std::string_view::npos) {
      const std::string_view inside = core::TrimBlanksView(rest.substr(1, close - 1));
      if (inside.starts_with('@')) {
        const std::int32_t value = Variable(inside);
        if (inside.size() == 4) cell_.index = value;
      } else if (const auto value = ReadInt(inside)) {
        cell_.index = *value;
      }
      rest = rest.substr(close + 1);
    }
    // Without ']' the index stays as it was.
  }
  const std::size_t colon = rest.find(':');
  if (colon != std::string_view::npos) cell_.bindingText = Unescape(rest.substr(colon + 1));
}

void MarkupParser::ApplyVariableItem(std::string_view item) {
  std::int32_t& variable = Variable(item);
  std::string_view op = core::SkipBlanks(item.substr(4));
  if (op.starts_with("++")) {
    variable = static_cast<std::int32_t>(static_cast<std::uint32_t>(variable) + 1u);
  } else if (op.starts_with('=')) {
    if (const auto value = ReadInt(op.substr(1))) variable = *value;
  }
}

void MarkupParser::ApplyCaption(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  if (text.empty()) {
    cell_.caption.reset();
    return;
  }
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SjisCharLength(text, i);
    if (len == 2 || text[i] != '\\') {
      out.append(text, i, len);
      i += len;
      continue;
    }
    ++i;                          // the backslash
    if (i >= text.size()) break;  // a lone '\' at the end goes
    const char next = text[i];
    if (next == 'n' || next == 'N') {
      out += '\n';
      ++i;
    } else if (next == '_') {
      out += ' ';
      ++i;
    } else if (next == '(') {
      const std::size_t close = text.find(')', i + 1);
      if (close == std::string_view::npos) IllegalChNo();
      const std::string_view inside = text.substr(i + 1, close - (i + 1));
      std::int64_t value = Variable(inside);
      const std::string_view after = inside.substr(4);
      if (after.starts_with('+')) {
        std::int64_t k = 0;
        const std::string_view digits = after.substr(1);
        std::from_chars(digits.data(), digits.data() + digits.size(), k);
        value += k;
      }
      const auto shown = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
      out += std::to_string(shown).substr(0, 6);
      i = close + 1;
    } else {
      const std::size_t nextLen = SjisCharLength(text, i);
      out.append(text, i, nextLen);
      i += nextLen;
    }
  }
  cell_.caption = std::move(out);
}

}  // namespace

std::string_view cmcCellObj::SkipCell(std::string_view text) {
  const std::size_t end = CellEnd(text);
  return end == std::string_view::npos ? text.substr(text.size()) : text.substr(end + 1);
}

std::string_view cmcCellObj::Parse(std::string_view text, cmcGTex& texts, CellVariables* variables,
                                   const cmcCellObj* newBase, bool countOnly) {
  const std::size_t end = CellEnd(text);
  const std::string_view rest =
      end == std::string_view::npos ? text.substr(text.size()) : text.substr(end + 1);
  // The cell's own text may not survive the Reset when a caller passes it in.
  const std::string cellText(text.substr(0, end == std::string_view::npos ? text.size() : end));
  Reset(newBase);
  if (countOnly) return rest;

  // Every '{' opens and every '}' closes the attribute part; the pieces of
  // each part are joined in order.
  std::string attributes;
  std::string captionText;
  bool inAttributes = false;
  for (std::size_t i = 0; i < cellText.size();) {
    const std::size_t len = SjisCharLength(cellText, i);
    if (len == 1 && cellText[i] == '{') {
      inAttributes = true;
    } else if (len == 1 && cellText[i] == '}') {
      inAttributes = false;
    } else {
      (inAttributes ? attributes : captionText).append(cellText, i, len);
    }
    i += len;
  }
  MarkupParser parser(*this, texts, variables);
  parser.ApplyAttributes(attributes, 0);
  parser.ApplyCaption(captionText);
  return rest;
}
