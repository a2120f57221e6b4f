#include "cells/indCellFrame.h"

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/FrameCases.h"
#include "cells/FrameSteps.h"
#include "cells/indActiveCell.h"
#include "core/cmcEvMan.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellObj.h"

indCellFrame::indCellFrame(indEnviron& settings, cmcGTex& texts, CellHost& host,
                           const CellCaseTable& table)
    : settings_(settings), texts_(texts), host_(host), table_(table) {}

indCellFrame::~indCellFrame() = default;

void indCellFrame::SetChoiceCache(cmcFCache* cache) {
  choiceCache_ = cache;
  ownChoices_.reset();
}

cmcFCache& indCellFrame::ChoiceCache() {
  if (choiceCache_) return *choiceCache_;
  if (!ownChoices_) ownChoices_ = std::make_unique<cmcFCache>(texts_);
  return *ownChoices_;
}

std::int32_t indCellFrame::Handle(cmcCellCapsule& capsule, int notify) {
  if (!capsule.cell) {
    capsule.outputText.clear();
    return kCellNothing;
  }
  // Whether this request carried input: state and drawing queries never
  // restart the warning check.
  const bool carriesInput =
      capsule.operation != 0 || capsule.mode != 0 || capsule.popupCommand != 0;

  // Prologue.
  indActiveCell ctx(capsule, notify, settings_, texts_, host_, EvMan());
  ctx.choiceCache = &ChoiceCache();
  capsule.outputText.clear();
  capsule.stateBits &= static_cast<std::uint8_t>(~(cellstate::kWarning | cellstate::kError));
  ctx.LoadRow(capsule, ctx.cell);
  capsule.targetCategory = ctx.category;
  capsule.targetCellId = ctx.cellId;
  capsule.targetIndex = ctx.index;
  if (capsule.operation == cellop::kClick) capsule.operation = cellop::kEnter;

  if (capsule.popupCommand != 0) RunPopupCommand(ctx);
  RunCategoryStep(ctx);

  // Dispatch by cell id.
  if (!ctx.handled) {
    if (const CellCase* cellCase = table_.Find(ctx.cellId))
      (*cellCase)(ctx);
    else
      ShowNotYetText(ctx);
  }

  // Epilogue.
  if (ctx.record.kind != 0) ctx.redrawMask |= redraw::kRow;
  if (notify != 0 && ctx.redrawMask != 0 && capsule.redrawClosure)
    capsule.redrawClosure(capsule, ctx.redrawMask);
  if (carriesInput) {
    host_.StartCheckDelay();
    host_.IsModified();
  }
  return ctx.status;
}

CellHandler indCellFrame::Handler() {
  return [this](cmcCellCapsule& capsule, int notify) { return Handle(capsule, notify); };
}

std::int32_t indCellFrame::CallCellHandler(cmcCellObj* cell, std::int32_t key) {
  if (!cell) return kCellNothing;
  cmcCellCapsule capsule;
  capsule.cell = cell;
  capsule.operation = key;
  return Handle(capsule, 0);
}

std::string indCellFrame::GetCellText(cmcCellObj* cell, std::int32_t key,
                                      std::string_view sheetName) {
  if (!cell) return {};
  cmcCellCapsule capsule;
  capsule.cell = cell;
  capsule.operation = key;
  capsule.sheetName = std::string(sheetName);
  Handle(capsule, 0);
  return std::move(capsule.outputText);
}
