#include "cells/rxformat/AprsSymbols.h"

#include <array>

#include "resources/symbol-names/SymbolNames.h"

namespace {

constexpr char kFirstSymbol = '!';
constexpr char kLastSymbol = '~';
constexpr std::size_t kTableSize = kLastSymbol - kFirstSymbol + 1;  // 94

// Row of each named symbol: the two tables by symbol character, and "QY".
struct NameIndex {
  std::array<const kwres::SymbolNameRow*, kTableSize> primary{};
  std::array<const kwres::SymbolNameRow*, kTableSize> alternate{};
  const kwres::SymbolNameRow* qy = nullptr;
};

const NameIndex& Names() {
  static const NameIndex index = [] {
    NameIndex n;
    for (std::size_t i = 0; i < kwres::kSymbolNameRowCount; ++i) {
      const kwres::SymbolNameRow& row = kwres::kSymbolNameRows[i];
      if (row.symbol < kFirstSymbol || row.symbol > kLastSymbol) continue;
      const auto at = static_cast<std::size_t>(row.symbol - kFirstSymbol);
      if (row.table == '/') n.primary[at] = &row;
      else if (row.table == '\\') n.alternate[at] = &row;
      else if (row.table == 'Q' && row.symbol == 'Y') n.qy = &row;
    }
    return n;
  }();
  return index;
}

const char* NameIn(const kwres::SymbolNameRow* row, int language) {
  if (!row) return nullptr;
  const char* name = language == kAprsLanguageJapanese ? row->japanese : row->english;
  return name && *name ? name : nullptr;
}

bool IsPrintable(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x20 && b <= 0x7E;
}

}  // namespace

bool IsAprsOverlayChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }
bool IsAprsPrimaryTable(char c) { return c == '/'; }
bool IsAprsAlternateTable(char c) { return c == '\\' || IsAprsOverlayChar(c); }
bool IsAprsTableChar(char c) { return IsAprsPrimaryTable(c) || IsAprsAlternateTable(c); }
bool IsAllowedTextChar(char c) { return c >= kFirstSymbol && c <= kLastSymbol; }

bool GetAprsSymbolName(std::string_view code, int language, std::string& name) {
  name.clear();
  if (code.size() < 2) {
    for (const char c : code)
      if (IsPrintable(c)) name += c;
    return false;
  }
  const char table = code[0];
  const char symbol = code[1];
  if (symbol >= kFirstSymbol && symbol <= kLastSymbol) {
    const auto at = static_cast<std::size_t>(symbol - kFirstSymbol);
    const NameIndex& names = Names();
    if (IsAprsPrimaryTable(table)) {
      if (const char* n = NameIn(names.primary[at], language)) {
        name = n;
        return true;
      }
    } else if (IsAprsAlternateTable(table)) {
      if (table == 'Q' && symbol == 'Y') {
        if (const char* n = NameIn(names.qy, language)) {
          name = n;
          return true;
        }
      } else if (const char* n = NameIn(names.alternate[at], language)) {
        name = n;
        if (IsAprsOverlayChar(table)) name += std::string(" (") + table + ")";
        return true;
      }
    }
  }
  if (IsPrintable(table)) name += table;
  if (IsPrintable(symbol)) name += symbol;
  return false;
}

std::optional<aprscodes::Code> GetAprsSymbolCode(int index) {
  if (index < 0 || index >= aprscodes::kSelectableCount) return std::nullopt;
  return aprscodes::kSelectable[static_cast<std::size_t>(index)];
}

int FindAprsSymbolIndex(std::string_view code, bool overlay) {
  if (code.size() < 2) return aprscodes::kNoIndex;
  char table = code[0];
  const char symbol = code[1];
  if (overlay && IsAprsOverlayChar(table) && !(table == 'Q' && symbol == 'Y')) table = '\\';
  for (int i = 0; i < aprscodes::kSelectableCount; ++i) {
    const aprscodes::Code& c = aprscodes::kSelectable[static_cast<std::size_t>(i)];
    if (c.table == table && c.symbol == symbol) return i;
  }
  return aprscodes::kNoIndex;
}
