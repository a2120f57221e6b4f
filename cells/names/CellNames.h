#pragma once
// The names cell markup uses for the list a cell belongs to ("CT_" category
// names) and for the field or command it stands for ("CL_" cell id names),
// the numbers they stand for, and the record kind each category loads.
//
// Categories and cell ids are two separate tables: a name of one is never
// found by the other's look-up. A name missing from its table is an internal
// consistency failure (the markup of our own tables is wrong): a fixed
// message and exit code 3. The empty name is "none" (CT_None, CL_None) and is
// not looked up. The tables are built on first use and never change.
#include <cstdint>
#include <string_view>

// Value = position in the category table; CT_None = no category.
enum CellCategory : std::int32_t {
  CT_Null,
  CT_PopupMenu,
  CT_Conv,
  CT_BankCh,
  CT_Gps,
  CT_Prog,
  CT_Prog_Link,
  CT_Rptlist,
  CT_Urlist,
  CT_RXCall,
  CT_TXCall_From,
  CT_TXCall_FAnalog,
  CT_TXCall_To,
  CT_TXCall_Ref,
  CT_None,
};

// Value = position in the cell id table; CL_None = no cell id.
enum CellId : std::int32_t {
#define KW_CELL_ID(name) name,
#include "cells/names/CellIdList.inc"
#undef KW_CELL_ID
  CL_None,
};

inline constexpr std::int32_t kCategoryCount = CT_None;
inline constexpr std::int32_t kCellIdCount = CL_None;

// The category value of a "CT_" name; "" gives CT_None. Any other name is
// fatal: "Cannot use the specified category.\n'<name>'".
std::int32_t GetCategoryIndex(std::string_view name);
// The cell id of a name; "" gives CL_None. Any other name is fatal:
// "Cannot use the specified cell.\n'<name>'".
std::int32_t GetCellIdIndex(std::string_view name);

// The name of a cell id 0..577; the empty text for any other value.
std::string_view GetCellIdName(std::int32_t id);
// The name of a category 0..13; the empty text for any other value.
std::string_view GetCategoryName(std::int32_t category);

// The record kind a category loads: CT_Null, CT_PopupMenu and CT_None 0,
// CT_Conv 1 (memory channel), CT_BankCh 3 (the channel a bank slot names),
// CT_Gps 6, CT_Prog 4, CT_Prog_Link 5, CT_Rptlist .. CT_TXCall_Ref 7 .. 13.
// Any other value is fatal: "Unknown Cell Category.".
std::int32_t GetCategoryKind(std::int32_t category);
