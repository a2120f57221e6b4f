#pragma once
// One visible element (sheet cell, tree node, menu item, tool-bar button,
// choice-list entry) parsed from one cell of the text tables' cell markup:
// how it looks (alignment, rule lines, colour, font, sizing), how it behaves
// (data cell, input method, joined to its left neighbour), which field it
// shows (category, cell id, index: the binding) and which context menu it
// offers. A cell never holds a value: its text and state come from the cell
// handler when it is drawn.
//
// A value type: copies are deep, assigning a cell to itself changes nothing.
// The base cell (a sheet's, tree's or menu's basic cell) is not owned and must
// outlive the cells parsed over it; the font and the context-menu names that a
// cell lacks are found up its base chain.
//
// Markup faults in our own tables are internal consistency failures with a
// fixed message and exit code 3 ("Ch No. Error", "Illegal Ch No.", an
// unknown category or cell name, cell models nested beyond 16 levels);
// unknown letters, items, colour names and malformed numbers are ignored.
// The parser never reads past the end of its text.
//
// Markup of one cell, up to the first '|' that is neither escaped by '\' nor
// the second byte of a double-byte character:
//   {attributes}caption   any number of brace groups; '{' opens, '}' closes
// Attributes: letters  < ^ >  (left, centre, right)  ~ - _  (top, middle,
//   bottom)  W H = + B S I T (on; off after '!')  X Q (right rule full or
//   lower part; none after '!'), and items in parentheses:
//   ($model)  the attributes of "CellModel_" + model, applied in place
//   (Color=clName) (Font=spec) (ImageIndex=n) (PopupMenu=key)
//   (ColCut_PopupMenu=key) (Flag<d>=0|1) (Comb=a,b,c)
//   (@chN=v) (@chN++)     set or count up a markup variable
//   (%[CT_name.]name[[index]][:text])   the binding; index a number or @chN
// Caption: trimmed, then "\n" a line break, "\_" a blank, "\(@chN[+k])" the
// variable's value, '\' + anything else that character.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cells/names/CellNames.h"
#include "core/ColorNames.h"
#include "core/FontSpec.h"

class cmcGTex;

// Layout flag bits.
namespace celllayout {
inline constexpr std::uint8_t kHorizontalMask = 0x03;  // 0 left, 1 centre, 2 right
inline constexpr std::uint8_t kVerticalMask = 0x0C;    // (0 top, 1 middle, 2 bottom) << 2
inline constexpr std::uint8_t kWidthFromText = 0x10;   // 'W'
inline constexpr std::uint8_t kHeightFromText = 0x20;  // 'H'
inline constexpr std::uint8_t kWrapped = 0x40;         // '='
inline constexpr std::uint8_t kJoinLeft = 0x80;        // '+'
}  // namespace celllayout

// Rule and behaviour flag bits.
namespace cellrule {
inline constexpr std::uint8_t kBottomRule = 0x01;     // 'B'
inline constexpr std::uint8_t kRightRuleMask = 0x06;  // (0 none, 1 full 'X', 2 lower part 'Q') << 1
inline constexpr std::uint8_t kDataCell = 0x08;       // 'S': selectable, editable, searched
inline constexpr std::uint8_t kInputMethod = 0x10;    // 'I'
inline constexpr std::uint8_t kTrailing = 0x20;       // 'T': belongs to the data cell on its left
inline constexpr std::uint8_t kUserFlag0 = 0x40;
inline constexpr std::uint8_t kUserFlag1 = 0x80;
}  // namespace cellrule

enum class HAlign : std::uint8_t { Left = 0, Centre = 1, Right = 2 };
enum class VAlign : std::uint8_t { Top = 0, Middle = 1, Bottom = 2 };
enum class RightRule : std::uint8_t { None = 0, Full = 1, LowerPart = 2 };

// User flags 0..3 as the cell handler answers states with them.
namespace userflag {
inline constexpr int kChecked = 0;
inline constexpr int kHidden = 1;
inline constexpr int kDisabled = 2;
inline constexpr int kCaptionReplaced = 3;
// With kCaptionReplaced: the caption is UTF-8 (a file path), not CP932.
inline constexpr int kCaptionUtf8 = 4;
}  // namespace userflag

// The ten markup variables @ch0..@ch9 of a sheet being parsed.
using CellVariables = std::array<std::int32_t, 10>;

// Category, cell id and index of a cell.
struct CellIdRecord {
  std::int32_t category = CT_None;
  std::int32_t cellId = CL_None;
  std::int32_t index = 0;
  bool operator==(const CellIdRecord&) const = default;
};

class cmcCellObj {
 public:
  static constexpr int kMaxModelDepth = 16;

  // No base, category CT_None, index 0, then Reset.
  cmcCellObj();

  // Drops strings and font; cell id CL_None, image -1, flags 0, colour
  // clWindow, no combination (category and index stay). With a base: every
  // field of the base (binding text and caption included) except its font and
  // context-menu names, which stay reachable through the base.
  void Reset(const cmcCellObj* base);

  // Parses the cell at the start of the text over the base and returns the
  // rest of the line after its '|' (empty when there is none). In count-only
  // mode the cell is only Reset over the base: sheets count a row's cells so.
  // The variables are needed by "@chN" references ("Ch No. Error" without
  // them); they are read and written during this call only. "$" cell models
  // are read from the text table.
  std::string_view Parse(std::string_view text, cmcGTex& texts, CellVariables* variables,
                         const cmcCellObj* base, bool countOnly = false);

  // The rest of the line after the first cell, without parsing anything.
  static std::string_view SkipCell(std::string_view text);

  // The caption, or the empty text.
  std::string_view GetCaption() const { return caption ? std::string_view(*caption) : ""; }
  void SetCaption(std::string_view text) { caption = std::string(text); }

  // Kind 0: the context menu, 1: the context menu over column-cut headers.
  // The own name when set and not empty, else the base chain's; empty: none.
  std::string_view GetPopupMenuName(int kind) const;

  CellIdRecord GetCellId() const { return {category, cellId, index}; }

  // The own font, else the nearest base's, else DefaultFontSpec().
  FontSpec EffectiveFont() const;

  HAlign HorizontalAlign() const {
    return static_cast<HAlign>(layoutFlags & celllayout::kHorizontalMask);
  }
  VAlign VerticalAlign() const {
    return static_cast<VAlign>((layoutFlags & celllayout::kVerticalMask) >> 2);
  }
  RightRule GetRightRule() const {
    return static_cast<RightRule>((ruleFlags & cellrule::kRightRuleMask) >> 1);
  }
  bool HasLayout(std::uint8_t bit) const { return (layoutFlags & bit) != 0; }
  bool HasRule(std::uint8_t bit) const { return (ruleFlags & bit) != 0; }
  bool IsDataCell() const { return HasRule(cellrule::kDataCell); }

  // User flags 0..7 (0, 1 in the rule flags, 2..7 in the user flags).
  bool UserFlag(int n) const;
  void SetUserFlag(int n, bool on);

  const cmcCellObj* base = nullptr;  // not owned
  std::int32_t category = CT_None;
  std::int32_t cellId = CL_None;
  std::int32_t index = 0;
  std::optional<std::string> bindingText;  // absent is not empty
  std::int32_t imageIndex = -1;
  std::uint8_t layoutFlags = 0;  // celllayout::
  std::uint8_t ruleFlags = 0;    // cellrule::
  std::uint8_t userFlags = 0;    // bits 0..5: user flags 2..7
  std::uint32_t color = color::kWindow;
  std::optional<FontSpec> font;  // absent: the base chain's
  std::optional<std::string> popupMenuName;
  std::optional<std::string> colCutPopupMenuName;
  bool combinationSet = false;
  std::array<std::int32_t, 3> combination{};
  std::optional<std::string> caption;
};
