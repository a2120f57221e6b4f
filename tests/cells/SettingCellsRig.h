#pragma once
// The set-mode cells on a settings page: the cell-frame rig with the
// setting cases registered, one page, and requests as the grid sends them
// (a drawing query, a key, a committed edit, a popup pick, a dialog's
// answer). Addresses are absolute image offsets.
#include <cstdint>
#include <memory>
#include <string>

#include "ListSheetRequests.h"
#include "cells/SettingCases.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "model/LayoutImage.h"
#include "sheet/RecordingCanvas.h"

namespace kwtest {

class SettingCellsRig {
 public:
  SettingCellsRig() {
    SelectTextTable(rig.texts, TextTable::English);
    RegisterSettingCases(rig.table);
  }

  cmcCellObj& Cell(int id, int index = 0) { return sheet->Cell(CT_Null, id, index); }
  std::string Show(int id, int index = 0) { return Shown(rig, *sheet, Cell(id, index)); }
  SheetAnswer Key(int id, int key, int index = 0) {
    return OnGrid(rig, *sheet, Cell(id, index), key);
  }
  SheetAnswer Pick(int id, int value, int index = 0) {
    return PickOnGrid(rig, *sheet, Cell(id, index), Flex0, value);
  }
  SheetAnswer Commit(int id, std::string text, int index = 0) {
    return CommitOnGrid(rig, *sheet, Cell(id, index), std::move(text));
  }
  // A field dialog's answer (the bit-selection or GPS field dialog).
  SheetAnswer Answer(int id, std::string text, int index = 0) {
    SheetAnswer answer;
    answer.capsule = OnPage(*sheet, Cell(id, index));
    answer.capsule.mode = cellmode::kChoice;
    answer.capsule.inputText = std::move(text);
    answer.result = rig.frame.Handle(answer.capsule, 1);
    return answer;
  }
  // The colour a drawing query leaves the canvas in (black before).
  QColor Drawn(int id, int index = 0) {
    RecordingCanvas canvas;
    canvas.SetFontColor(Qt::black);
    cmcCellCapsule capsule = OnPage(*sheet, Cell(id, index));
    capsule.canvas = &canvas;
    rig.frame.Handle(capsule, 0);
    return canvas.FontColor();
  }
  // The redraw mask of the last request.
  int LastMask() const { return sheet->redraws.empty() ? 0 : sheet->redraws.back().mask; }

  std::uint8_t At(std::int64_t address) const { return rig.image.GetByte(address); }
  void Set(std::int64_t address, std::uint8_t value) { rig.image.SetByte(address, value); }
  static std::int64_t Common(std::int64_t offset) { return layout::kCommonSettings + offset; }

  // The interface language of the settings, text table and choice cache.
  void UseJapanese(bool japanese) {
    rig.settings->Language = japanese ? 1 : 0;
    SelectTextTable(rig.texts, japanese ? TextTable::Japanese : TextTable::English);
    rig.frame.SetChoiceCache(nullptr);
  }

  CellFrameRig rig;
  std::unique_ptr<FixtureSheet> sheet = rig.Sheet("248");
};

}  // namespace kwtest
