#pragma once
// A stand-in for a list sheet in the cell handler's tests: it holds cells
// (category, cell id, index, caption), builds their capsules as a sheet does
// (cleared, the sheet's template capsule as parent, the sheet's name and
// title, a redraw closure that records the cell and mask), runs an action
// with notify 1 and at most one follow-up request (moving to the target cell
// of the same category and index when the sheet has it), and answers the
// list-range query with the group, first index and count it is given.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ListRangeAnswer.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

class cmcEvMan;

namespace kwtest {

class FixtureSheet {
 public:
  FixtureSheet(CellHandler handler, std::string name, cmcEvMan& bus);
  ~FixtureSheet();
  FixtureSheet(const FixtureSheet&) = delete;
  FixtureSheet& operator=(const FixtureSheet&) = delete;

  // A cell of the sheet; the reference stays valid for the sheet's life.
  cmcCellObj& Cell(std::int32_t category, std::int32_t cellId, std::int32_t index,
                   std::string caption = {});
  // The cell with exactly these values, or null.
  cmcCellObj* Find(std::int32_t category, std::int32_t cellId, std::int32_t index);

  // Answers the list-range query from now on (without: no answer).
  void AnswerListRange(ListRangeAnswer answer) { answer_ = answer; }

  // The capsule the sheet builds for a cell (no operation yet).
  cmcCellCapsule Prepare(cmcCellObj& cell);

  // One action on a cell: operation and popup command, or a committed text
  // (mode 1, operation 0), then the follow-up the handler asks for, if any.
  std::int32_t DoCellAction(cmcCellObj& cell, std::int32_t operation, std::int32_t popup = 0,
                            const std::string* text = nullptr);

  struct Call {
    std::int32_t cellId;
    std::int32_t index;
    std::int32_t operation;
    std::int32_t result;
    std::string outputText;
  };
  struct Redraw {
    std::int32_t cellId;
    std::int32_t index;
    int mask;
  };
  // Every handler call of DoCellAction, in order, and every redraw.
  std::vector<Call> calls;
  std::vector<Redraw> redraws;
  // The capsule of the last handler call.
  cmcCellCapsule last;

 private:
  CellHandler handler_;
  std::string name_;
  cmcEvMan& bus_;
  cmcCellCapsule template_;
  std::deque<cmcCellObj> cells_;
  std::optional<ListRangeAnswer> answer_;
};

}  // namespace kwtest
