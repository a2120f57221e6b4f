#pragma once
// Requests of a list page that has a grid: the fixture sheet builds the
// capsule, this gives it an owner control (so keys reach the converters)
// and, as a page opened from the tree, no template capsule; then it runs the
// cell handler once with notify 1, as the grid does for a key, a committed
// edit, a popup list's answer or a display query.
#include <cstdint>
#include <string>

#include "CapsuleKit.h"
#include "support/cells/CellFrameRig.h"
#include "support/cells/FixtureSheet.h"

namespace kwtest {

struct SheetAnswer {
  std::int32_t result = 0;
  cmcCellCapsule capsule;
};

inline cmcCellCapsule OnPage(FixtureSheet& sheet, cmcCellObj& cell) {
  cmcCellCapsule capsule = sheet.Prepare(cell);
  capsule.owner = capsule.owner2 = FakeOwner();
  capsule.parent = nullptr;
  return capsule;
}

inline SheetAnswer OnGrid(CellFrameRig& rig, FixtureSheet& sheet, cmcCellObj& cell,
                          std::int32_t key) {
  SheetAnswer answer;
  answer.capsule = OnPage(sheet, cell);
  answer.capsule.operation = key;
  answer.result = rig.frame.Handle(answer.capsule, 1);
  return answer;
}

inline SheetAnswer CommitOnGrid(CellFrameRig& rig, FixtureSheet& sheet, cmcCellObj& cell,
                                std::string text) {
  SheetAnswer answer;
  answer.capsule = OnPage(sheet, cell);
  answer.capsule.mode = cellmode::kCommit;
  answer.capsule.inputText = std::move(text);
  answer.result = rig.frame.Handle(answer.capsule, 1);
  return answer;
}

// The popup list's answer: the option of the list id with this value was
// confirmed.
inline SheetAnswer PickOnGrid(CellFrameRig& rig, FixtureSheet& sheet, cmcCellObj& cell,
                              std::int32_t listId, std::int32_t value) {
  cmcCellObj option;
  option.cellId = listId;
  option.index = value;
  cmcCellCapsule popup;
  popup.cell = &option;
  SheetAnswer answer;
  answer.capsule = OnPage(sheet, cell);
  answer.capsule.parent = &popup;
  answer.capsule.mode = cellmode::kChoice;
  answer.result = rig.frame.Handle(answer.capsule, 1);
  answer.capsule.parent = nullptr;
  return answer;
}

// The text a cell shows (a drawing query without a canvas).
inline std::string Shown(CellFrameRig& rig, FixtureSheet& sheet, cmcCellObj& cell) {
  return OnGrid(rig, sheet, cell, cellop::kQuery).capsule.outputText;
}

}  // namespace kwtest
