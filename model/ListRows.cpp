#include "model/ListRows.h"

#include <algorithm>

#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/SheetNumbers.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

constexpr std::uint32_t kMaxBankFreq = 550000000;

bool Fits(const cmcEeprom& image) { return image.GetSize() >= kMinImageSize; }

bool IsBank(int bank) { return bank >= 0 && bank < kBankCount; }

std::uint16_t SlotWord(const cmcEeprom& image, int bank, int slot) {
  return imageaccess::Get16(image, BankTableEntry(bank, slot));
}

// Clips first..last of a bank to its slots; false when nothing is left.
bool ClipSlots(int& first, int& last) {
  first = std::max(first, 0);
  last = std::min(last, kBankSlots - 1);
  return first <= last;
}

// The highest row of a list that a clear may write: the used part of the
// packed lists, the kind's range otherwise; -1 for lists it leaves alone.
int ClearableLast(const cmcEeprom& image, std::uint32_t kind) {
  switch (kind) {
    case itemkind::kChannel:
    case itemkind::kBankChannel: return kAllChannels - 1;
    case itemkind::kScanEdge: return kScanEdges - 1;
    case itemkind::kGpsMemory: return GpsOrderCount(image) - 1;
    case itemkind::kRepeater: return GetRptTotalCount(image) - 1;
    case itemkind::kYourCall: return GetYourCallCount(image) - 1;
    default: return -1;
  }
}

// The list's blank entry, where it has one of its own.
std::uint32_t BlankKindOf(std::uint32_t kind) {
  switch (kind) {
    case itemkind::kGpsMemory: return itemkind::kBlankGps;
    case itemkind::kRepeater: return itemkind::kBlankRepeater;
    case itemkind::kYourCall: return itemkind::kBlankYourCall;
    default: return itemkind::kNone;
  }
}

}  // namespace

bool IsListRangeEmpty(const cmcEeprom& image, std::uint32_t kind, int first, int last) {
  if (kind < itemkind::kChannel || kind > itemkind::kCallListD) return true;
  first = std::max(first, static_cast<int>(datCh::KindMin(kind)));
  last = std::min(last, static_cast<int>(datCh::KindMax(kind)));
  for (int i = first; i <= last; ++i)
    if (LoadDetached(image, kind, static_cast<std::uint32_t>(i)).IsUsed()) return false;
  return true;
}

bool IsBankRangeEmpty(const cmcEeprom& image, int bank, int first, int last) {
  if (!Fits(image) || !IsBank(bank) || !ClipSlots(first, last)) return true;
  for (int slot = first; slot <= last; ++slot) {
    const std::uint16_t word = SlotWord(image, bank, slot);
    if (word < kMemoryChannels && LoadDetached(image, itemkind::kChannel, word).IsUsed())
      return false;
  }
  return true;
}

std::optional<int> FindFreeBankSlot(const cmcEeprom& image, int bank) {
  if (!Fits(image) || !IsBank(bank)) return std::nullopt;
  for (int slot = 0; slot < kBankSlots; ++slot)
    if (SlotWord(image, bank, slot) == kBankSlotFree) return slot;
  return std::nullopt;
}

int CountChannelsInBank(const cmcEeprom& image, int bank, int slot) {
  if (!Fits(image) || !IsBank(bank) || slot < 0 || slot >= kBankSlots) return 0;
  int count = 0;
  for (int n = 0; n < kMemoryChannels; ++n) {
    const datCh ch = LoadDetached(image, itemkind::kChannel, static_cast<std::uint32_t>(n));
    if (ch.IsUsed() && ch.bank == static_cast<std::uint32_t>(bank) &&
        ch.bankSlot == static_cast<std::uint32_t>(slot))
      ++count;
  }
  return count;
}

int ClearListRows(cmcEeprom& image, const cmcEeprom& initialImage, cmcEvMan& bus,
                  std::uint32_t kind, int first, int last) {
  if (!Fits(image) || !Fits(initialImage)) return 0;
  first = std::max(first, 0);
  last = std::min(last, ClearableLast(image, kind));
  if (first > last) return 0;

  const std::uint32_t blankKind = BlankKindOf(kind);
  datCh blank(&image);
  if (blankKind != itemkind::kNone) blank.Load(blankKind, 0);
  int written = 0;
  for (int row = first; row <= last; ++row) {
    datCh record = blank;
    if (blankKind == itemkind::kNone) {
      record = LoadDetached(initialImage, kind, static_cast<std::uint32_t>(row));
      record.flags &= ~datCh::kUsed;
      record.SetImage(&image);
    }
    if (record.Store(kind, static_cast<std::uint32_t>(row))) ++written;
  }
  if (written > 0) {
    bus.Send(ev::DocumentEdited);
    for (int row = first; row <= last; ++row) bus.Post(ev::CellsRefreshIndex, 0, row);
  }
  return written;
}

int ClearBankRows(cmcEeprom& image, int bank, int first, int last) {
  if (!Fits(image) || !IsBank(bank) || !ClipSlots(first, last)) return 0;
  int erased = 0;
  for (int slot = first; slot <= last; ++slot) {
    const std::uint16_t word = SlotWord(image, bank, slot);
    if (word >= kMemoryChannels) continue;
    datCh ch(&image);
    ch.Load(itemkind::kChannel, word);
    if (!ch.IsUsed() || ch.bank != static_cast<std::uint32_t>(bank) ||
        ch.bankSlot != static_cast<std::uint32_t>(slot))
      continue;
    ch.flags &= ~datCh::kUsed;
    if (!ch.StoreSelf()) continue;
    ++erased;
    if (GetSelectedChannel(image) == word) SetSelectedChannel(image, kNoSelectedChannel);
  }
  return erased;
}

bool IsPageInUse(const cmcEeprom& image, int page) {
  if (page >= sheetno::kFirstMemory && page <= sheetno::kLastMemory) {
    const int first = (page - sheetno::kFirstMemory) * sheetno::kMemoryPageChannels;
    return !IsListRangeEmpty(image, itemkind::kChannel, first,
                             first + sheetno::kMemoryPageChannels - 1);
  }
  if (page == sheetno::kCallChannels)
    return !IsListRangeEmpty(image, itemkind::kChannel, kMemoryChannels, kAllChannels - 1);
  if (page == sheetno::kScanEdges)
    return !IsListRangeEmpty(image, itemkind::kScanEdge, 0, kScanEdges - 1);
  if (page >= sheetno::kFirstLink && page <= sheetno::kLastLink) {
    const int base = (page - sheetno::kFirstLink) * kLinkPositions;
    return !IsListRangeEmpty(image, itemkind::kLinkPosition, base + 1, base + kLinkPositions - 1);
  }
  if (page >= sheetno::kFirstBank && page <= sheetno::kLastBank)
    return !IsBankRangeEmpty(image, page - sheetno::kFirstBank, 0, kBankSlots - 1);
  return true;
}

bool AnyChannelInBank(const cmcEeprom& image) {
  for (int n = 0; n < kMemoryChannels; ++n) {
    const datCh ch = LoadDetached(image, itemkind::kChannel, static_cast<std::uint32_t>(n));
    if (ch.IsUsed() && ch.bank < static_cast<std::uint32_t>(kBankCount) && ch.freq <= kMaxBankFreq)
      return true;
  }
  return false;
}
