// The list dispatcher and the commands every list shares: copy, paste, the
// carry, clear, and the delete and insert of the fixed lists (channels and
// scan edges).
#include "app/ListEditCommands.h"

#include <algorithm>

#include "app/ListEditRun.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ItemKinds.h"
#include "model/LinkEdgeMap.h"
#include "model/ListCounts.h"
#include "model/ListRows.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

namespace {

using namespace listedit::keys;

bool IsGroupKind(std::uint32_t kind) {
  return kind == itemkind::kGpsMemory || kind == itemkind::kRepeater || kind == itemkind::kYourCall;
}

// A selected word (channel or repeater) that follows a block of rows carried
// by d: inside the block it moves along, the row jumped over takes the
// block's far end.
std::uint16_t FollowCarry(std::uint16_t selected, int first, int last, int d) {
  const int s = selected;
  if (s >= first && s <= last) return static_cast<std::uint16_t>(s + d);
  if (d < 0 && s == first - 1) return static_cast<std::uint16_t>(last);
  if (d > 0 && s == last + 1) return static_cast<std::uint16_t>(first);
  return selected;
}

void FollowCarryAfterMove(ListEditRun& run, int first, int last, int d) {
  cmcEeprom& image = run.doc.image;
  switch (run.kind) {
    case itemkind::kChannel: {
      const std::uint16_t s = GetSelectedChannel(image);
      if (s != kNoSelectedChannel) SetSelectedChannel(image, FollowCarry(s, first, last, d));
      break;
    }
    case itemkind::kRepeater: {
      const std::uint16_t s = GetSelectedRepeater(image);
      if (s != kNoSelectedRepeater) SetSelectedRepeater(image, FollowCarry(s, first, last, d));
      break;
    }
    case itemkind::kGpsMemory: {
      GpsAlarm alarm = GetGpsAlarm(image);
      if (alarm.type == kGpsAlarmMemory && alarm.group == run.group) {
        const int base = GpsGroupFirst(image, run.group);
        alarm.position = FollowCarry(alarm.position, first - base, last - base, d);
        SetGpsAlarm(image, alarm);
      }
      run.doc.bus.Send(ev::ListChanged);
      break;
    }
    case itemkind::kScanEdge: {
      EdgeRenumbering map = IdentityEdgeRenumbering();
      for (int e = first; e <= last; ++e) map[static_cast<std::size_t>(e)] = e + d;
      const int jumped = d < 0 ? first - 1 : last + 1;
      map[static_cast<std::size_t>(jumped)] = d < 0 ? last : first;
      RemapLinkEdges(image, map);
      break;
    }
    default: break;
  }
}

// The generic carry; answers whether the rows moved (first..last is then the
// block as it was).
bool CarryRows(ListEditRun& run, int d, int& first, int& last) {
  if (!listedit::IsPasteableKind(run.kind) || !run.Range(first, last)) return false;
  const bool can = d < 0 ? first > run.listFirst : last < run.listLast;
  if (!can) {
    run.doc.bus.Send(ev::DocumentEdited);
    return false;
  }
  cmcEeprom& image = run.doc.image;
  const int count = last - first + 1;
  datClipCh neighbour;
  datClipCh block;
  neighbour.Copy(image, run.kind, static_cast<std::uint32_t>(d < 0 ? first - 1 : last + 1), 1);
  block.Copy(image, run.kind, static_cast<std::uint32_t>(first), count);
  block.PasteGuarded(image, run.kind, static_cast<std::uint32_t>(first + d), count);
  neighbour.PasteGuarded(image, run.kind, static_cast<std::uint32_t>(d < 0 ? last : first), 1);
  run.Wrote();
  run.Select(first + d, last + d);
  run.MoveCursor(d < 0 ? first + d : last + d);
  run.doc.bus.Send(ev::DocumentEdited);
  return true;
}

// A selected channel when rows first..last went and the rows up to the
// list's end closed up.
void FollowChannelDelete(cmcEeprom& image, int first, int last, int listLast) {
  const std::uint16_t s = GetSelectedChannel(image);
  if (s == kNoSelectedChannel) return;
  if (s >= first && s <= last)
    SetSelectedChannel(image, kNoSelectedChannel);
  else if (s > last && s <= listLast)
    SetSelectedChannel(image, static_cast<std::uint16_t>(s - (last - first + 1)));
}

void FollowChannelInsert(cmcEeprom& image, int first, int count, int listLast) {
  const std::uint16_t s = GetSelectedChannel(image);
  if (s == kNoSelectedChannel || s < first || s > listLast) return;
  SetSelectedChannel(
      image, s + count > listLast ? kNoSelectedChannel : static_cast<std::uint16_t>(s + count));
}

}  // namespace

namespace listedit {

bool IsPasteableKind(std::uint32_t kind) {
  switch (kind) {
    case itemkind::kChannel:
    case itemkind::kBankChannel:
    case itemkind::kScanEdge:
    case itemkind::kGpsMemory:
    case itemkind::kRepeater:
    case itemkind::kYourCall: return true;
    default: return false;
  }
}

int CopyRows(DocumentContext& doc, std::uint32_t kind, int first, int count, int to) {
  if (count <= 0 || first < 0 || to < 0) return 0;
  datClipCh buffer;
  buffer.Copy(doc.image, kind, static_cast<std::uint32_t>(first), count);
  return buffer.PasteGuarded(doc.image, kind, static_cast<std::uint32_t>(to), count);
}

}  // namespace listedit

void RunCopy(ListEditRun& run) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  run.doc.clip.Copy(run.doc.image, ClipKindOfList(run.kind), static_cast<std::uint32_t>(first),
                    last - first + 1);
  run.Select(first, last);
  run.Status(kStatusCopy);
}

void RunPaste(ListEditRun& run) {
  datClipCh& clip = run.doc.clip;
  if (!run.CursorIn() || !clip.CanPaste(run.kind)) return;
  const int rows = run.listLast - run.cursor + 1;
  if (rows < clip.Count() && !run.Ask(kAskOverflowPaste)) return;
  const int n = std::min(clip.Count(), rows);
  const int last = run.cursor + n - 1;
  if (!IsListRangeEmpty(run.doc.image, run.kind, run.cursor, last) && !run.Ask(kAskOverwrite))
    return;
  if (clip.PasteGuarded(run.doc.image, run.kind, static_cast<std::uint32_t>(run.cursor), n) == 0)
    return;
  run.Wrote();
  run.doc.bus.Send(ev::DocumentEdited);
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.Select(run.cursor, last);
  run.Status(kStatusPaste);
  if (run.kind == itemkind::kChannel) {
    // An empty row pasted over the selected channel leaves nothing selected.
    const std::uint16_t s = GetSelectedChannel(run.doc.image);
    if (s >= run.cursor && s <= last &&
        !LoadDetached(run.doc.image, itemkind::kChannel, s).IsUsed())
      SetSelectedChannel(run.doc.image, kNoSelectedChannel);
  }
}

void RunMove(ListEditRun& run, int direction) {
  const int d = direction >= 0 ? 1 : -1;
  int first = 0, last = 0;
  if (CarryRows(run, d, first, last)) FollowCarryAfterMove(run, first, last, d);
}

void RunClear(ListEditRun& run) {
  int first = 0, last = 0;
  if (!listedit::IsPasteableKind(run.kind) || !run.Range(first, last)) return;
  if (!run.Ask(kAskClear)) return;
  cmcEeprom& image = run.doc.image;
  if (ClearListRows(image, run.doc.initial, run.doc.bus, run.kind, first, last) == 0) return;
  run.Wrote();
  if (run.kind == itemkind::kChannel) {
    const std::uint16_t s = GetSelectedChannel(image);
    if (s >= first && s <= last) SetSelectedChannel(image, kNoSelectedChannel);
  } else if (run.kind == itemkind::kRepeater) {
    const std::uint16_t s = GetSelectedRepeater(image);
    if (s >= first && s <= last) SetSelectedRepeater(image, kNoSelectedRepeater);
  } else if (run.kind == itemkind::kGpsMemory) {
    const GpsAlarm alarm = GetGpsAlarm(image);
    const int base = GpsGroupFirst(image, run.group);
    if (alarm.type == kGpsAlarmMemory && alarm.group == run.group &&
        alarm.position >= first - base && alarm.position <= last - base)
      SetGpsAlarm(image, GpsAlarm{});
    run.doc.bus.Send(ev::ListChanged);
  }
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.Status(kStatusClear);
}

void RunDelete(ListEditRun& run) {
  int first = 0, last = 0;
  if (!listedit::IsPasteableKind(run.kind) || !run.Range(first, last)) return;
  cmcEeprom& image = run.doc.image;
  if (!IsListRangeEmpty(image, run.kind, first, last) && !run.Ask(kAskDelete)) return;
  const int n = last - first + 1;
  listedit::CopyRows(run.doc, run.kind, last + 1, run.listLast - last, first);
  ClearListRows(image, run.doc.initial, run.doc.bus, run.kind, run.listLast - n + 1, run.listLast);
  run.Wrote();
  if (run.kind == itemkind::kChannel) FollowChannelDelete(image, first, last, run.listLast);
  if (run.kind == itemkind::kScanEdge) {
    EdgeRenumbering map = IdentityEdgeRenumbering();
    for (int e = first; e <= run.listLast; ++e)
      map[static_cast<std::size_t>(e)] = e <= last ? -1 : e - n;
    RemapLinkEdges(image, map);
  }
  run.DropSelection();
  run.MoveCursor(first);
  run.doc.bus.Send(ev::DocumentEdited);
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.Status(kStatusDelete);
}

void RunInsert(ListEditRun& run) {
  int first = 0, last = 0;
  if (!listedit::IsPasteableKind(run.kind) || !run.Range(first, last)) return;
  cmcEeprom& image = run.doc.image;
  const int n = last - first + 1;
  if (!IsListRangeEmpty(image, run.kind, run.listLast - n + 1, run.listLast) &&
      !run.Ask(kAskOverflow))
    return;
  listedit::CopyRows(run.doc, run.kind, first, run.listLast - n - first + 1, first + n);
  ClearListRows(image, run.doc.initial, run.doc.bus, run.kind, first, last);
  run.Wrote();
  run.Select(first, last);
  if (run.kind == itemkind::kChannel) FollowChannelInsert(image, first, n, run.listLast);
  if (run.kind == itemkind::kScanEdge) {
    EdgeRenumbering map = IdentityEdgeRenumbering();
    for (int e = first; e <= run.listLast; ++e)
      map[static_cast<std::size_t>(e)] = e + n <= run.listLast ? e + n : -1;
    RemapLinkEdges(image, map);
  }
  run.doc.bus.Send(ev::DocumentEdited);
  run.doc.bus.Post(ev::CellsRefreshAll);
  run.Status(kStatusInsert);
}

void ExecListEditCommandEx(DocumentContext& doc, int command, cmcCellCapsule& capsule,
                           datCh& record, int listFirst, int listLast, int group) {
  ListEditRun run(doc, capsule, record, record.kind, listFirst, listLast, group);
  switch (command) {
    case CL_PMenu_Copy: RunCopy(run); break;
    case CL_PMenu_Paste: RunPaste(run); break;
    case CL_PMenu_CarryUp: RunMove(run, -1); break;
    case CL_PMenu_CarryDown: RunMove(run, 1); break;
    case CL_PMenu_Clear: RunClear(run); break;
    case CL_PMenu_Delete:
      if (IsGroupKind(run.kind))
        RunGroupDelete(run);
      else if (run.kind == itemkind::kLinkPosition)
        RunLinkDelete(run);
      else if (run.kind == itemkind::kRxCall)
        RunHistoryDelete(run);
      else if (run.kind >= itemkind::kCallListA && run.kind <= itemkind::kCallListD)
        RunCallListDelete(run);
      else
        RunDelete(run);
      break;
    case CL_PMenu_Insert:
      if (IsGroupKind(run.kind))
        RunGroupInsert(run);
      else
        RunInsert(run);
      break;
    default: break;
  }
  run.Finish();
}

void ExecListEditCommand(DocumentContext& doc, int command, cmcCellCapsule& capsule, datCh& record,
                         int listFirst, int listLast) {
  ExecListEditCommandEx(doc, command, capsule, record, listFirst, listLast, 0);
}

void MoveListRows(DocumentContext& doc, cmcCellCapsule& capsule, datCh& record, int listFirst,
                  int listLast, int direction) {
  ListEditRun run(doc, capsule, record, record.kind, listFirst, listLast, 0);
  int first = 0, last = 0;
  CarryRows(run, direction >= 0 ? 1 : -1, first, last);
  run.Finish();
}
