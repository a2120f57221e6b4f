#pragma once
// The cell handler's context for one call: the request (capsule, notify, the
// cell and its category, id and index, the source capsule and cell of a
// popup menu or choice list), the record of the cell's row, the list range
// and destination flags, the bank of the requesting sheet, the common
// settings block, and the answer being built (status word, redraw mask,
// handled flag). The frame builds one on the stack for every call and
// discards it at the end; nothing of it is static or shared.
//
// The record is bound to the document's current image. Cases store it only
// through StoreRecord(), which refuses a row that holds no entry of the
// image (the new-entry rows of GPS, repeater and your-call sheets, an empty
// bank slot, a cell without a record) until the case has loaded an entry
// into it (LoadRecord, after an insert).
//
// Bank sheets: bankNo is 0..25, or kNoSheetBank (255) for a sheet that names
// no bank; an empty slot (or a slot outside 0..99, or no bank) loads no
// channel and leaves the record unused with kind 0.
#include <cstdint>
#include <memory>

#include "cells/ListRange.h"
#include "model/ImageAccess.h"
#include "model/datCh.h"

class CellHost;
class cmcCellCapsule;
class cmcCellObj;
class cmcEvMan;
class cmcFCache;
class cmcGTex;
class indEnviron;

class indActiveCell {
 public:
  // The capsule must carry a cell. Nothing is loaded yet: the frame's
  // prologue does that.
  indActiveCell(cmcCellCapsule& capsule, int notify, indEnviron& settings, cmcGTex& texts,
                CellHost& host, cmcEvMan& bus);
  ~indActiveCell();
  indActiveCell(const indActiveCell&) = delete;
  indActiveCell& operator=(const indActiveCell&) = delete;

  // --- the request ----------------------------------------------------------
  cmcCellCapsule& capsule;
  const int notify;
  cmcCellObj& cell;
  // The capsule of the cell a popup menu or choice list was opened on, and
  // its cell; null when there is none.
  cmcCellCapsule* source;
  cmcCellObj* sourceCell;
  const std::int32_t category;
  const std::int32_t cellId;
  const std::int32_t index;

  // --- the row --------------------------------------------------------------
  datCh record;
  std::uint32_t kind = 0;  // the record kind the row's category loads
  ListRange range;         // kinds 6, 7 and 8; all zero for the others
  bool past = false;       // the row's index is past the range
  int bankNo = 0;

  // --- the environment ----------------------------------------------------------
  bool isDest0 = false;
  bool isDest10 = false;
  bool isDestGroupB = false;
  indEnviron& settings;
  cmcGTex& texts;
  CellHost& host;
  cmcEvMan& bus;
  imageaccess::CommonBlock common;
  // The option text cache of the choice lists (the frame's); null: Choices()
  // builds one of this call's own over the text table.
  cmcFCache* choiceCache = nullptr;

  // --- the answer -----------------------------------------------------------
  std::int32_t status = 0;  // the handler's result; converters set it
  int redrawMask = 1;       // redraw:: bits for the redraw closure
  bool handled = false;     // the dispatch runs as cell id 0

  cmcEeprom& Image();
  // The option text cache choice cells read their lists through.
  cmcFCache& Choices();
  // The request's operation (key) code.
  std::int32_t Key() const;

  // Loads the row of a cell as the prologue does: the kind of its category,
  // the bank of its sheet (from the capsule's sheet name), the list range and
  // past flag of its index, and the record. Used for the cell itself, and
  // for the source row of popup menus and choice lists.
  void LoadRow(const cmcCellCapsule& rowCapsule, const cmcCellObj& rowCell);
  // Loads entry (kind, index) into the record and allows storing it: for a
  // case that has just inserted the entry of a new-entry row.
  void LoadRecord(std::uint32_t kind, std::uint32_t index);
  // Stores the record at its own kind and index and reloads it; false (and
  // nothing written) when the row holds no entry of the image or the codec
  // refused.
  bool StoreRecord();
  bool CanStore() const { return storable_; }

  // Asks the sheet to run the same key on the cell `targetCellId` of this
  // row (follow-up flag, target cell id, follow-up operation = the key).
  void FollowUp(std::int32_t targetCellId);
  // ORs a check result into the cell's warning or error mark.
  void MarkWarning(bool fails);
  void MarkError(bool fails);

 private:
  bool storable_ = false;
  std::unique_ptr<cmcFCache> ownChoices_;
};
