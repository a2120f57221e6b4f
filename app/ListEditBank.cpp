// The bank-sheet commands. A row is a slot of the sheet's bank. Slots are
// read from the bank table, rebuilt from the channels before each step that
// reads it; a slot claimed by two channels (0xFFFE) shows as empty and is
// neither pasted over, cleared nor taken out of the bank. Rows that move
// (carry, delete, insert) move every channel of their slot, so channels that
// share a slot keep their place among the others.
#include <algorithm>
#include <vector>

#include "app/ListEditCommands.h"
#include "app/ListEditRun.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListRows.h"
#include "model/cmcClipCh.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

using namespace listedit::keys;

class BankRun {
 public:
  BankRun(ListEditRun& run, int bank) : run_(run), image_(run.doc.image), bank_(bank) {}

  std::uint16_t Slot(int slot) {
    RebuildBankTable(image_);
    return imageaccess::Get16(image_, BankTableEntry(bank_, slot));
  }

  // The used channels of this bank at slots from..to.
  std::vector<datCh> ChannelsAt(int from, int to) {
    std::vector<datCh> found;
    datCh ch(&image_);
    for (int n = 0; n < kMemoryChannels; ++n) {
      ch.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
      if (ch.IsUsed() && ch.bank == static_cast<std::uint32_t>(bank_) &&
          static_cast<int>(ch.bankSlot) >= from && static_cast<int>(ch.bankSlot) <= to)
        found.push_back(ch);
    }
    return found;
  }

  bool Store(datCh& ch) {
    if (!ch.StoreSelf()) return false;
    run_.Wrote();
    return true;
  }

  // Rows s and t exchange their channels.
  bool Exchange(int s, int t) {
    bool changed = false;
    for (datCh& ch : ChannelsAt(std::min(s, t), std::max(s, t))) {
      ch.bankSlot = static_cast<int>(ch.bankSlot) == s ? static_cast<std::uint32_t>(t)
                                                       : static_cast<std::uint32_t>(s);
      changed = Store(ch) || changed;
    }
    return changed;
  }

  void Erase(datCh& ch) {
    ch.flags &= ~datCh::kUsed;
    if (!Store(ch)) return;
    if (GetSelectedChannel(image_) == ch.index) SetSelectedChannel(image_, kNoSelectedChannel);
  }

  void Off(int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
      const std::uint16_t word = Slot(slot);
      if (word >= kMemoryChannels) continue;
      datCh ch(&image_);
      ch.Load(itemkind::kChannel, word);
      ch.bank = datCh::kBankNone;
      ch.bankSlot = datCh::kBankNone;
      Store(ch);
    }
  }

  // Events after a bank change; the status only when the run wrote.
  void Report(const char* status) {
    run_.doc.bus.Send(ev::DocumentEdited);
    run_.doc.bus.Post(ev::CellsRefreshAll);
    if (status != nullptr) run_.Status(status);
    run_.doc.bus.Send(ev::ListChanged);
  }

 private:
  ListEditRun& run_;
  cmcEeprom& image_;
  int bank_;
};

void BankOff(ListEditRun& run, BankRun& bank) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  bank.Off(first, last);
  RebuildBankTable(run.doc.image);
  run.doc.bus.Send(ev::DocumentEdited);
  run.doc.bus.Post(ev::CellsRefreshAll);
}

void BankCopy(ListEditRun& run, int bankNo) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  RebuildBankTable(run.doc.image);
  run.doc.clip.CopyBank(run.doc.image, ClipKindOfList(itemkind::kBankChannel), bankNo, first,
                        last - first + 1);
  run.Select(first, last);
}

void BankPaste(ListEditRun& run, BankRun& bank, int bankNo) {
  datClipCh& clip = run.doc.clip;
  const std::uint32_t kind = ClipKindOfList(itemkind::kBankChannel);
  if (!run.CursorIn() || !clip.CanPaste(kind)) return;
  const int rows = run.listLast - run.cursor + 1;
  if (rows < clip.Count() && !run.Ask(kAskOverflowPaste)) return;
  const int n = std::min(clip.Count(), rows);
  const int last = run.cursor + n - 1;
  RebuildBankTable(run.doc.image);
  if (!IsBankRangeEmpty(run.doc.image, bankNo, run.cursor, last) && !run.Ask(kAskOverwrite)) return;
  for (int i = 0; i < n; ++i) {
    const int slot = run.cursor + i;
    const std::uint16_t word = bank.Slot(slot);
    if (word == kBankSlotClash) continue;
    datCh record;
    clip.GetRecord(i, record);
    record.SetImage(&run.doc.image);
    if (record.IsUsed()) {
      const int channel = word < kMemoryChannels ? word : record.FindFreeChannel(0);
      if (channel < 0) {
        run.ShowError(kNoChannelLeft);
        break;
      }
      record.kind = itemkind::kChannel;
      record.index = static_cast<std::uint32_t>(channel);
      record.bank = static_cast<std::uint32_t>(bankNo);
      record.bankSlot = static_cast<std::uint32_t>(slot);
      bank.Store(record);
    } else if (word < kMemoryChannels) {
      bank.Off(slot, slot);
    }
  }
  RebuildBankTable(run.doc.image);
  bank.Report(run.HasWritten() ? kStatusPaste : nullptr);
  if (run.HasWritten()) run.Select(run.cursor, last);
}

void BankMove(ListEditRun& run, BankRun& bank, int d) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  const bool can = d < 0 ? first >= run.listFirst + 1 : last <= run.listLast - 1;
  if (!can) {
    run.doc.bus.Post(ev::CellsRefreshAll);
    return;
  }
  for (int k = 0; k <= last - first; ++k) {
    const int s = d < 0 ? first + k : last - k;
    bank.Exchange(s, s + d);
    RebuildBankTable(run.doc.image);
    run.doc.bus.Send(ev::DocumentEdited);
  }
  run.Select(first + d, last + d);
  run.MoveCursor(d < 0 ? first + d : last + d);
  run.doc.bus.Post(ev::CellsRefreshAll);
}

void BankClear(ListEditRun& run, int bankNo) {
  int first = 0, last = 0;
  if (!run.Range(first, last) || !run.Ask(kAskClear)) return;
  RebuildBankTable(run.doc.image);
  if (ClearBankRows(run.doc.image, bankNo, first, last) == 0) return;
  run.Wrote();
  RebuildBankTable(run.doc.image);
  BankRun(run, bankNo).Report(kStatusClear);
}

void BankDelete(ListEditRun& run, BankRun& bank, int bankNo) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  RebuildBankTable(run.doc.image);
  if (!IsBankRangeEmpty(run.doc.image, bankNo, first, last) && !run.Ask(kAskDelete)) return;
  if (ClearBankRows(run.doc.image, bankNo, first, last) > 0) run.Wrote();
  const int n = last - first + 1;
  for (datCh& ch : bank.ChannelsAt(last + 1, run.listLast)) {
    ch.bankSlot -= static_cast<std::uint32_t>(n);
    bank.Store(ch);
  }
  if (!run.HasWritten()) return;
  RebuildBankTable(run.doc.image);
  run.DropSelection();
  run.MoveCursor(first);
  bank.Report(kStatusDelete);
}

void BankInsert(ListEditRun& run, BankRun& bank, int bankNo) {
  int first = 0, last = 0;
  if (!run.Range(first, last)) return;
  const int n = last - first + 1;
  RebuildBankTable(run.doc.image);
  if (!IsBankRangeEmpty(run.doc.image, bankNo, run.listLast - n + 1, run.listLast) &&
      !run.Ask(kAskOverflow))
    return;
  std::vector<datCh> channels = bank.ChannelsAt(first, run.listLast);
  std::sort(channels.begin(), channels.end(),
            [](const datCh& a, const datCh& b) { return a.bankSlot > b.bankSlot; });
  for (datCh& ch : channels) {
    const int to = static_cast<int>(ch.bankSlot) + n;
    if (to > run.listLast) {
      bank.Erase(ch);  // pushed past the bank's last slot: it stays erased
    } else {
      ch.bankSlot = static_cast<std::uint32_t>(to);
      bank.Store(ch);
    }
  }
  if (!run.HasWritten()) return;
  RebuildBankTable(run.doc.image);
  run.Select(first, last);
  bank.Report(kStatusInsert);
}

}  // namespace

void ExecBankEditCommand(DocumentContext& doc, int command, cmcCellCapsule& capsule, datCh& record,
                         int bankNo, int listFirst, int listLast) {
  ListEditRun run(doc, capsule, record, itemkind::kBankChannel, std::max(listFirst, 0),
                  std::min(listLast, kBankSlots - 1), 0);
  if (bankNo >= 0 && bankNo < kBankCount && doc.image.GetSize() >= kMinImageSize &&
      listFirst >= 0) {
    BankRun bank(run, bankNo);
    switch (command) {
      case CL_PMenu_BankOff: BankOff(run, bank); break;
      case CL_PMenu_Copy: BankCopy(run, bankNo); break;
      case CL_PMenu_Paste: BankPaste(run, bank, bankNo); break;
      case CL_PMenu_CarryUp: BankMove(run, bank, -1); break;
      case CL_PMenu_CarryDown: BankMove(run, bank, 1); break;
      case CL_PMenu_Clear: BankClear(run, bankNo); break;
      case CL_PMenu_Delete: BankDelete(run, bank, bankNo); break;
      case CL_PMenu_Insert: BankInsert(run, bank, bankNo); break;
      default: break;
    }
  }
  run.Finish();
}
