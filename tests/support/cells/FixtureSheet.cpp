#include "support/cells/FixtureSheet.h"

#include <utility>

#include "core/cmcEvMan.h"

namespace kwtest {

FixtureSheet::FixtureSheet(CellHandler handler, std::string name, cmcEvMan& bus)
    : handler_(std::move(handler)), name_(std::move(name)), bus_(bus) {
  bus_.AddListener(this, [this](const cmcEvent& event) {
    if (event.id == ev::QueryListRange && answer_) bus_.AnswerData(*answer_);
  });
}

FixtureSheet::~FixtureSheet() { bus_.RemoveListener(this); }

cmcCellObj& FixtureSheet::Cell(std::int32_t category, std::int32_t cellId, std::int32_t index,
                               std::string caption) {
  cmcCellObj& cell = cells_.emplace_back();
  cell.category = category;
  cell.cellId = cellId;
  cell.index = index;
  cell.ruleFlags |= cellrule::kDataCell;
  if (!caption.empty()) cell.SetCaption(caption);
  return cell;
}

cmcCellObj* FixtureSheet::Find(std::int32_t category, std::int32_t cellId, std::int32_t index) {
  cmcCellObj* found = nullptr;
  for (cmcCellObj& cell : cells_)
    if (cell.category == category && cell.cellId == cellId && cell.index == index) found = &cell;
  return found;
}

cmcCellCapsule FixtureSheet::Prepare(cmcCellObj& cell) {
  cmcCellCapsule capsule;
  capsule.cell = &cell;
  capsule.parent = &template_;
  capsule.sheetTitle = name_;
  capsule.sheetName = name_;
  capsule.redrawClosure = [this](const cmcCellCapsule& c, int mask) {
    redraws.push_back({c.cell ? c.cell->cellId : -1, c.cell ? c.cell->index : -1, mask});
  };
  return capsule;
}

std::int32_t FixtureSheet::DoCellAction(cmcCellObj& cell, std::int32_t operation,
                                        std::int32_t popup, const std::string* text) {
  cmcCellObj* current = &cell;
  std::int32_t result = 0;
  for (int pass = 0; pass < 2; ++pass) {
    cmcCellCapsule capsule = Prepare(*current);
    capsule.operation = operation;
    capsule.popupCommand = popup;
    if (text && pass == 0) {
      capsule.mode = 1;
      capsule.operation = 0;
      capsule.inputText = *text;
    }
    result = handler_(capsule, 1);
    calls.push_back(
        {current->cellId, current->index, capsule.operation, result, capsule.outputText});
    last = capsule;
    if (capsule.followUpFlag != 0)
      if (cmcCellObj* target =
              Find(capsule.targetCategory, capsule.targetCellId, capsule.targetIndex))
        current = target;
    if (capsule.followUpOperation == 0) break;
    operation = capsule.followUpOperation;
  }
  return result;
}

}  // namespace kwtest
