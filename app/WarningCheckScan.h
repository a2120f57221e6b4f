#pragma once
// The scan at the heart of the warning check, without the tree and without
// the cell handler: the values of "GI_WarningCheckList", up to the first that
// begins with "#", are parsed one after the other into one reused cell
// object (no base, no variables), and each is handed to an evaluator that
// runs the cell handler on it and answers the capsule's state bits. A cell
// whose answer has the error bit counts as an error and its binding text
// (the page reference of the list it checks) goes into the error list; else
// with the warning bit it counts as a warning.
//
// The caller marks the tree from the result: only when the last parsed cell
// had a binding text, clearing the old marks first, then the warning mark on
// nodes whose reference is in the warning list and the error mark on those
// in the error list (an error wins). A markup fault in the list is an
// internal failure of the text tables, like every markup fault.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class cmcCellObj;
class cmcGTex;

namespace warningcheck {

inline constexpr char kListKey[] = "GI_WarningCheckList";

struct ScanResult {
  int errors = 0;
  int warnings = 0;
  std::vector<std::string> errorReferences;
  std::vector<std::string> warningReferences;
  // The last parsed cell had a binding text: the tree's marks are renewed.
  bool renewMarks = false;

  bool IsError(std::string_view reference) const;
  bool IsWarning(std::string_view reference) const;
  // The overlay a node with that reference takes: 0 the error mark, 1 the
  // warning mark, -1 none.
  int OverlayFor(std::string_view reference) const;
};

// Runs the cell handler on one check cell; answers the capsule's state bits
// (cellstate::kWarning, cellstate::kError).
using Evaluator = std::function<std::uint8_t(cmcCellObj& cell)>;

ScanResult ScanWarningCheckList(cmcGTex& texts, const Evaluator& evaluate);

}  // namespace warningcheck
