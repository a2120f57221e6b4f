#include "cells/indActiveCell.h"

#include "cells/CellHost.h"
#include "cells/SheetBankNo.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

// The channel a bank slot names, or -1 for an empty slot (free, claimed
// twice, damaged) and for a bank or slot outside the table.
int BankSlotChannel(const cmcEeprom& image, int bank, std::int64_t slot) {
  if (bank < 0 || bank >= layout::kBankCount || slot < 0 || slot >= layout::kBankSlots) return -1;
  const std::uint16_t word =
      imageaccess::Get16(image, layout::BankTableEntry(bank, static_cast<int>(slot)));
  return word < layout::kMemoryChannels ? word : -1;
}

}  // namespace

indActiveCell::indActiveCell(cmcCellCapsule& capsule, int notify, indEnviron& settings,
                             cmcGTex& texts, CellHost& host, cmcEvMan& bus)
    : capsule(capsule),
      notify(notify),
      cell(*capsule.cell),
      source(capsule.parent),
      sourceCell(capsule.parent ? capsule.parent->cell : nullptr),
      category(capsule.cell->category),
      cellId(capsule.cell->cellId),
      index(capsule.cell->index),
      record(&host.Image()),
      isDest0(settings.IsDest0()),
      isDest10(settings.IsDest10()),
      isDestGroupB(settings.IsDestGroupB()),
      settings(settings),
      texts(texts),
      host(host),
      bus(bus),
      common(host.Image()) {}

indActiveCell::~indActiveCell() = default;

cmcEeprom& indActiveCell::Image() { return host.Image(); }

cmcFCache& indActiveCell::Choices() {
  if (choiceCache) return *choiceCache;
  if (!ownChoices_) ownChoices_ = std::make_unique<cmcFCache>(texts);
  return *ownChoices_;
}

std::int32_t indActiveCell::Key() const { return capsule.operation; }

void indActiveCell::LoadRow(const cmcCellCapsule& rowCapsule, const cmcCellObj& rowCell) {
  cmcEeprom& image = Image();
  const std::int64_t row = rowCell.index;
  kind = static_cast<std::uint32_t>(GetCategoryKind(rowCell.category));
  bankNo = GetSheetBankNo(rowCapsule);
  range = GetListRangeByKind(image, bus, kind);
  past = IsPastRangeByKind(kind, row, range);
  record = datCh(&image);
  storable_ = false;

  switch (kind) {
    case itemkind::kNone: return;
    case itemkind::kBankChannel: {
      const int channel = BankSlotChannel(image, bankNo, row);
      if (channel < 0) {
        record.flags &= ~datCh::kUsed;
        return;
      }
      LoadRecord(itemkind::kChannel, static_cast<std::uint32_t>(channel));
      return;
    }
    case itemkind::kLinkPosition:
      if (row != 0) LoadRecord(kind, static_cast<std::uint32_t>(row));
      return;
    case itemkind::kGpsMemory:
    case itemkind::kRepeater:
    case itemkind::kYourCall:
      if (past) {
        // The row after the list: it would decode the next group's first
        // entry (or the start words as order words), so it is shown as an
        // unused entry of its own and cannot be stored.
        record.kind = kind;
        record.index = static_cast<std::uint32_t>(row);
        record.flags &= ~datCh::kUsed;
        return;
      }
      [[fallthrough]];
    default: LoadRecord(kind, static_cast<std::uint32_t>(row)); return;
  }
}

void indActiveCell::LoadRecord(std::uint32_t loadKind, std::uint32_t loadIndex) {
  record.Load(loadKind, loadIndex);
  storable_ = record.kind != itemkind::kNone;
}

bool indActiveCell::StoreRecord() {
  if (!storable_ || record.kind == itemkind::kNone) return false;
  return record.StoreAndReload();
}

void indActiveCell::FollowUp(std::int32_t targetCellId) {
  capsule.followUpFlag = 1;
  capsule.targetCellId = targetCellId;
  capsule.followUpOperation = capsule.operation;
}

void indActiveCell::MarkWarning(bool fails) {
  if (fails) capsule.stateBits |= cellstate::kWarning;
}

void indActiveCell::MarkError(bool fails) {
  if (fails) capsule.stateBits |= cellstate::kError;
}
