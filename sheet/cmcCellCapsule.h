#pragma once
// The command capsule: one request from a visible cell (sheet cell, menu
// item, tree node, tool-bar button, choice-list entry) to the cell handler,
// and the handler's answer. Sheets, menus, the tree and the tool bar fill
// one and call the handler; the handler passes the same capsule on to the
// value converters.
//
// The handler answers by its return value (see CellResult), by the output
// text, the normal length, the state bits 2 and 3 with the marker position,
// and by the user flags of the capsule's cell (checked, hidden, disabled,
// caption replaced). It may ask the sheet for a follow-up request and for a
// row selection.
//
// Pointers in the capsule are not owned. Texts are code page 932 bytes;
// the sheet's title and name are owned copies, so a capsule that outlives
// its sheet's call never points into freed text.
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;
class cmcCellObj;
class cuiSheet;
class cuiCanvas;
class cuiImageList;
class cmcCellCapsule;

// Handler results.
enum CellResult : std::int32_t {
  kCellNothing = 0,     // nothing more to do
  kCellRedraw = 1,      // the value changed: redraw the cell and the selection
  kCellOpenEditor = 2,  // open the in-place editor with the output text
};

// Operation codes besides character codes (a typed character arrives as its
// signed 8-bit value, so bytes from 0x80 on are negative).
namespace cellop {
inline constexpr std::int32_t kQuery = 0;  // state/display query, context-menu item, commit
inline constexpr std::int32_t kBackspace = 8;
inline constexpr std::int32_t kEnter = 13;
inline constexpr std::int32_t kSpace = 32;
inline constexpr std::int32_t kCtrlBackspace = 127;
inline constexpr std::int32_t kClick = 256;           // click on the current cell: like Enter
inline constexpr std::int32_t kLeftAtEdge = 0x2500;   // Left when the cursor could not move
inline constexpr std::int32_t kRightAtEdge = 0x2700;  // Right when the cursor could not move
inline constexpr std::int32_t kF1 = 0x7000;           // F1..F12 = 0x7000..0x7B00
inline constexpr std::int32_t kF2 = 0x7100;
inline constexpr std::int32_t kImeStart = 0x10007;  // the input method began a composition
inline constexpr std::int32_t FunctionKey(int n) { return 0x7000 + (n - 1) * 0x100; }
}  // namespace cellop

// Modes.
namespace cellmode {
inline constexpr std::int32_t kRequest = 0;  // a display or key request
inline constexpr std::int32_t kCommit = 1;   // the input text is a committed edit
inline constexpr std::int32_t kChoice = 2;   // a popup or dialog confirmed a choice
}  // namespace cellmode

// State bits.
namespace cellstate {
inline constexpr std::uint8_t kCurrent = 1;   // current or selected cell
inline constexpr std::uint8_t kPrinting = 2;  // drawing for the printer
inline constexpr std::uint8_t kWarning = 4;   // draw marker image 4
inline constexpr std::uint8_t kError = 8;     // draw marker image 5
}  // namespace cellstate

// Selection bits.
namespace cellselect {
inline constexpr std::uint8_t kHasSelection = 2;  // the sheet has a multi-cell selection
inline constexpr std::uint8_t kSelectRows = 4;    // handler: select rows first..last index
}  // namespace cellselect

// Redraw masks for the redraw closure (which cells match the capsule's cell).
namespace redraw {
inline constexpr int kCell = 1;
inline constexpr int kRow = 8;
inline constexpr int kAllData = 32;
}  // namespace redraw

// The handler: called with the capsule and notify (1 for a sheet's action,
// 0 for state and drawing queries and for menu, tree and tool-bar clicks).
// Its context lives for one call inside the handler.
using CellHandler = std::function<std::int32_t(cmcCellCapsule& capsule, int notify)>;

class cmcCellCapsule {
 public:
  using RedrawClosure = std::function<void(const cmcCellCapsule& capsule, int mask)>;
  using EditorClosure = std::function<void(const cmcCellCapsule& capsule, int flag)>;

  cmcCellCapsule() = default;
  cmcCellCapsule(const cmcCellCapsule&) = default;
  cmcCellCapsule& operator=(const cmcCellCapsule&) = default;

  // Every field to its cleared value (maximum length 1024, normal length -1,
  // everything else zero, empty or null).
  void Clear() { *this = cmcCellCapsule(); }
  void Assign(const cmcCellCapsule& other) { *this = other; }

  // The normal length as drawing counts it: only the low byte, -1 = 255.
  int NormalLengthBytes() const { return static_cast<std::uint8_t>(normalLength); }

  cmcCellCapsule* parent = nullptr;   // the sheet's template capsule, or the edited cell's
  QWidget* owner = nullptr;           // grid, menu owner or tool-bar owner; null: no keys
  QWidget* owner2 = nullptr;          // same as owner (sheets set both)
  cmcCellObj* cell = nullptr;         // the cell the request is about
  cuiCanvas* canvas = nullptr;        // drawing queries only
  cuiImageList* imageList = nullptr;  // the sheet's marker images
  QRect cellRect;                     // the cell's rectangle in the grid (or the text rectangle)
  std::int32_t caretPos = 0;          // editor: selection start, in bytes
  std::int32_t selLength = 0;         // editor: selection length, in bytes
  std::int32_t maxLength = 1024;      // editor: maximum text length, in bytes
  std::int32_t operation = cellop::kQuery;
  std::int32_t popupCommand = 0;          // cell id of the chosen context-menu item
  std::string inputText;                  // committed editor text
  std::string outputText;                 // display text, or editor text with result 2
  std::int32_t normalLength = -1;         // bytes drawn in the normal colour; the rest light grey
  std::optional<std::string> sheetTitle;  // absent: no sheet (menus, tree, warning check)
  std::optional<std::string> sheetName;   // e.g. "1,100" for the second memory-channel page
  std::uint8_t stateBits = 0;             // cellstate::
  std::int32_t markerPosition = 0;        // 0 automatic, 1 left edge, 3 after the text, else right
  std::int32_t mode = cellmode::kRequest;
  std::int32_t followUpFlag = 0;  // non-zero: make the target cell current first
  std::int32_t targetCategory = 0;
  std::int32_t targetCellId = 0;
  std::int32_t targetIndex = 0;
  std::int32_t followUpOperation = 0;  // non-zero: run the handler again with it
  cuiSheet* sheet = nullptr;
  std::uint8_t selectionBits = 0;  // cellselect::
  std::int32_t firstSelected = 0;
  std::int32_t lastSelected = 0;
  RedrawClosure redrawClosure;
  EditorClosure editorClosure;
};
