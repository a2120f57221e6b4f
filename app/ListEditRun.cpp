#include "app/ListEditRun.h"

#include <algorithm>

#include "core/AppMessageBox.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/datCh.h"
#include "platform/MessageBoxService.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

constexpr char kTitleKey[] = "GI_Sys_AppTitle";

}  // namespace

ListEditRun::ListEditRun(DocumentContext& docIn, cmcCellCapsule& capsuleIn, datCh& recordIn,
                         std::uint32_t kindIn, int listFirstIn, int listLastIn, int groupIn)
    : doc(docIn),
      capsule(capsuleIn),
      record(recordIn),
      kind(kindIn),
      listFirst(listFirstIn),
      listLast(listLastIn),
      group(groupIn),
      cursor(capsuleIn.cell != nullptr ? capsuleIn.cell->index : -1),
      hasCell_(capsuleIn.cell != nullptr) {}

bool ListEditRun::CursorIn(int extraRows) const {
  return hasCell_ && cursor >= listFirst && cursor <= listLast + extraRows;
}

bool ListEditRun::Range(int& first, int& last, int extraRows) const {
  if (!CursorIn(extraRows) || listFirst < 0) return false;
  first = last = cursor;
  if ((capsule.selectionBits & cellselect::kHasSelection) != 0) {
    first = capsule.firstSelected;
    last = capsule.lastSelected;
    if (first < 0 || first > last) return false;
  }
  first = std::max(first, listFirst);
  last = std::min(last, listLast + extraRows);
  return first <= last;
}

bool ListEditRun::Ask(const char* key) {
  return MessageBoxCp932(nullptr, doc.texts.GetFirst(key), doc.texts.GetFirst(kTitleKey),
                         platform::mb::OkCancel | platform::mb::IconWarning) == platform::mb::IdOk;
}

void ListEditRun::ShowError(const char* key) {
  MessageBoxCp932(nullptr, doc.texts.GetFirst(key), doc.texts.GetFirst(kTitleKey),
                  platform::mb::Ok | platform::mb::IconError);
}

void ListEditRun::Status(const char* key, bool post) {
  const std::string text = doc.texts.GetFirst(key);
  if (post)
    doc.bus.PostStr(ev::StatusMessage, kStatusColour1, kStatusColour2, text);
  else
    doc.bus.SendStr(ev::StatusMessage, kStatusColour1, kStatusColour2, text);
}

void ListEditRun::Select(int first, int last) {
  capsule.selectionBits |= cellselect::kSelectRows;
  capsule.firstSelected = first;
  capsule.lastSelected = last;
}

void ListEditRun::DropSelection() { capsule.selectionBits &= ~cellselect::kSelectRows; }

void ListEditRun::MoveCursor(int row) {
  capsule.followUpFlag = 1;
  capsule.targetIndex = row;
  capsule.targetCategory = capsule.cell->category;
  capsule.targetCellId = capsule.cell->cellId;
  capsule.followUpOperation = 0;
}

void ListEditRun::Finish() {
  if (wrote_ && doc.setModified) doc.setModified();
  record.Reload();
}
