#pragma once
// The default cell handler: every sheet cell, menu item, tree node and
// tool-bar button gets its text, state and action from Handle(). A call runs
// the frame's steps in order:
//   1. prologue: the row's record (by the cell's category and index; bank
//      cells through the sheet's bank slot, new-entry rows of list sheets as
//      unused entries), the list range, the destination flags, the bank of
//      the requesting sheet; the output text and the warning and error marks
//      are cleared; key 256 becomes Enter;
//   2. the popup command of a context-menu item (list edits, call-sign
//      selector, help, repeater use for all, view cuts, home-channel clears);
//   3. the per-category step (blank rows hand typed keys on to their key
//      cell, popup items see the row they were opened on, call lists are
//      drawn olive);
//   4. the case of the cell id from the dispatch table (none once a step
//      handled the request; "<id> *Yet*" for an empty slot or an unknown id);
//   5. epilogue: a loaded row adds the whole row to the redraw mask, which
//      goes to the capsule's redraw closure when notify is set; a request
//      that carried a key, a committed edit or a popup command restarts the
//      delayed warning check and refreshes the modified state.
// The result is the status word: 0 nothing more, 1 redraw, 2 open the
// in-place editor with the output text.
//
// A capsule without a cell gets 0 and an empty text. A category outside
// 0..14 is an internal failure ("Unknown Cell Category.", exit code 3).
// Each call has its own context on the stack, so calls may nest (a modal
// dialog opened by a case runs the event loop, which may draw cells).
//
// The settings, text table, host and table must outlive the frame; the event
// bus is the installed one (EvMan()) at the time of each call.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sheet/cmcCellCapsule.h"

class CellCaseTable;
class CellHost;
class cmcCellObj;
class cmcFCache;
class cmcGTex;
class indEnviron;

class indCellFrame {
 public:
  indCellFrame(indEnviron& settings, cmcGTex& texts, CellHost& host, const CellCaseTable& table);
  ~indCellFrame();
  indCellFrame(const indCellFrame&) = delete;
  indCellFrame& operator=(const indCellFrame&) = delete;

  // The handler.
  std::int32_t Handle(cmcCellCapsule& capsule, int notify);
  // The handler as the closure sheets, menus and the tool bar call; bound to
  // this frame, which must outlive it.
  CellHandler Handler();

  // Runs (or queries) one cell with a fresh capsule, notify off: 0 for no
  // cell. The tool bar and the main controller use it.
  std::int32_t CallCellHandler(cmcCellObj* cell, std::int32_t key);
  // The same with the capsule's sheet name set; answers the output text
  // ("" for no cell). The sheet's text query.
  std::string GetCellText(cmcCellObj* cell, std::int32_t key, std::string_view sheetName);

  // The option text cache of the choice cells. The main controller gives its
  // own (and a new one after a language switch); without one the frame keeps
  // its own over the text table, dropped again by any call of this.
  void SetChoiceCache(cmcFCache* cache);
  cmcFCache& ChoiceCache();

 private:
  indEnviron& settings_;
  cmcGTex& texts_;
  CellHost& host_;
  const CellCaseTable& table_;
  cmcFCache* choiceCache_ = nullptr;
  std::unique_ptr<cmcFCache> ownChoices_;
};
