#pragma once
// A cell handler for sheet and menu tests: what each cell (by cell id and
// index) shows and answers is scripted, and every call is logged.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace kwtest {

struct ScriptedCell {
  std::string text;                    // display text (state query)
  std::uint8_t userFlags = 0;          // bit n: user flag n (checked, hidden, disabled, caption)
  std::optional<std::string> caption;  // the new caption with user flag 3
  std::map<int, int> results;          // operation -> result; a commit (mode 1) uses key -1
  // Editor (result 2).
  std::string editorText;
  int caret = 0;
  int selection = 0;
  int maxLength = 1024;
  // Follow-up: passes left that ask for one.
  int followUps = 0;
  int followUpOperation = 0;
  std::optional<CellIdRecord> target;
  // Row selection request (first, last).
  std::optional<std::pair<int, int>> selectRows;
  // A committed text becomes the display text.
  bool storeCommits = true;
  // Anything else a test needs the handler to do during a call.
  std::function<void(cmcCellCapsule&)> during;
};

struct CellCall {
  int operation = 0;
  int popupCommand = 0;
  int mode = 0;
  std::string inputText;
  int notify = 0;
  CellIdRecord cell;
  std::optional<CellIdRecord> parentCell;
  std::optional<std::string> sheetName;
  std::optional<std::string> parentSheetName;
  int parentMode = 0;
  std::uint8_t selectionBits = 0;
  int firstSelected = 0;
  int lastSelected = 0;
};

class ScriptedCellHandler {
 public:
  ScriptedCell& Cell(int cellId, int index) { return cells_[{cellId, index}]; }

  CellHandler Handler() {
    return [this](cmcCellCapsule& c, int notify) { return Call(c, notify); };
  }

  int Call(cmcCellCapsule& c, int notify) {
    CellCall call;
    call.operation = c.operation;
    call.popupCommand = c.popupCommand;
    call.mode = c.mode;
    call.inputText = c.inputText;
    call.notify = notify;
    if (c.cell) call.cell = c.cell->GetCellId();
    if (c.parent && c.parent->cell) call.parentCell = c.parent->cell->GetCellId();
    if (c.parent) call.parentSheetName = c.parent->sheetName;
    if (c.parent) call.parentMode = c.parent->mode;
    call.selectionBits = c.selectionBits;
    call.firstSelected = c.firstSelected;
    call.lastSelected = c.lastSelected;
    call.sheetName = c.sheetName;
    calls.push_back(call);
    if (!c.cell) return kCellNothing;
    auto it = cells_.find({c.cell->cellId, c.cell->index});
    if (it == cells_.end()) return kCellNothing;
    ScriptedCell& s = it->second;
    c.outputText = s.text;
    for (int n = 0; n < 4; ++n)
      if (s.userFlags & (1u << n)) c.cell->SetUserFlag(n, true);
    if ((s.userFlags & 8) && s.caption) c.cell->SetCaption(*s.caption);
    if (s.during) s.during(c);
    if (c.mode == cellmode::kCommit && s.storeCommits) s.text = c.inputText;
    // Follow-ups and selections answer actions only, never drawing queries.
    if (notify == 1 && s.followUps > 0) {
      --s.followUps;
      c.followUpOperation = s.followUpOperation;
      if (s.target) {
        c.followUpFlag = 1;
        c.targetCategory = s.target->category;
        c.targetCellId = s.target->cellId;
        c.targetIndex = s.target->index;
      }
    }
    if (notify == 1 && s.selectRows) {
      c.selectionBits |= cellselect::kSelectRows;
      c.firstSelected = s.selectRows->first;
      c.lastSelected = s.selectRows->second;
    }
    const int key = c.mode == cellmode::kCommit ? -1 : c.operation;
    const auto result = s.results.find(key);
    const int r = result == s.results.end() ? kCellNothing : result->second;
    if (r == kCellOpenEditor) {
      c.outputText = s.editorText;
      c.caretPos = s.caret;
      c.selLength = s.selection;
      c.maxLength = s.maxLength;
    }
    return r;
  }

  // Calls of sheet actions (notify 1).
  std::vector<CellCall> Actions() const {
    std::vector<CellCall> out;
    for (const CellCall& c : calls)
      if (c.notify == 1) out.push_back(c);
    return out;
  }

  std::vector<CellCall> calls;

 private:
  std::map<std::pair<int, int>, ScriptedCell> cells_;
};

}  // namespace kwtest
