#include "cells/names/CellNames.h"

#include <QString>
#include <array>
#include <string>

#include "core/cmcHash.h"
#include "platform/Cp932.h"
#include "platform/Fatal.h"

namespace {

constexpr std::array<const char*, kCategoryCount> kCategoryNames = {
    "CT_Null",        "CT_PopupMenu",      "CT_Conv",      "CT_BankCh",     "CT_Gps",
    "CT_Prog",        "CT_Prog_Link",      "CT_Rptlist",   "CT_Urlist",     "CT_RXCall",
    "CT_TXCall_From", "CT_TXCall_FAnalog", "CT_TXCall_To", "CT_TXCall_Ref",
};

constexpr std::array<const char*, kCellIdCount> kCellIdNames = {
#define KW_CELL_ID(name) #name,
#include "cells/names/CellIdList.inc"
#undef KW_CELL_ID
};

// Record kind loaded per category, CT_None included.
constexpr std::array<std::int32_t, kCategoryCount + 1> kCategoryKinds = {
    0, 0, 1, 3, 6, 4, 5, 7, 8, 9, 10, 11, 12, 13, 0,
};

// One name set in its own hash table: name -> position.
struct NameTable {
  template <std::size_t N>
  explicit NameTable(const std::array<const char*, N>& names) {
    for (std::size_t i = 0; i < N; ++i) table.Insert(names[i], static_cast<std::int32_t>(i));
  }
  cmcHash table{core::kDefaultHashBuckets};
};

[[noreturn]] void UnknownName(const char* message, std::string_view name) {
  std::string text = message;
  text += "\n'";
  text.append(name);
  text += "'";
  platform::Fatal(platform::Cp932ToUnicode(text));
}

}  // namespace

std::int32_t GetCategoryIndex(std::string_view name) {
  if (name.empty()) return CT_None;
  static const NameTable categories(kCategoryNames);
  const auto* node = categories.table.Find(name);
  if (!node) UnknownName("Cannot use the specified category.", name);
  return node->value;
}

std::int32_t GetCellIdIndex(std::string_view name) {
  if (name.empty()) return CL_None;
  static const NameTable cellIds(kCellIdNames);
  const auto* node = cellIds.table.Find(name);
  if (!node) UnknownName("Cannot use the specified cell.", name);
  return node->value;
}

std::string_view GetCellIdName(std::int32_t id) {
  if (id < 0 || id >= kCellIdCount) return {};
  return kCellIdNames[static_cast<std::size_t>(id)];
}

std::string_view GetCategoryName(std::int32_t category) {
  if (category < 0 || category >= kCategoryCount) return {};
  return kCategoryNames[static_cast<std::size_t>(category)];
}

std::int32_t GetCategoryKind(std::int32_t category) {
  if (category < 0 || category > CT_None) platform::Fatal(QStringLiteral("Unknown Cell Category."));
  return kCategoryKinds[static_cast<std::size_t>(category)];
}
