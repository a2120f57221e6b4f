#include "model/cmcClipCh.h"

#include <algorithm>

#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"

namespace {

constexpr std::uint32_t kChannelLast = layout::kAllChannels - 1;
constexpr std::uint32_t kMemoryChannelCount = layout::kMemoryChannels;

}  // namespace

cmcClipCh::~cmcClipCh() { Clear(); }

bool cmcClipCh::KindRange(std::uint32_t kind, std::uint32_t& lowest, std::uint32_t& highest) {
  if (kind < itemkind::kChannel || kind > itemkind::kCallListD) return false;
  lowest = datCh::KindMin(kind);
  // There are 1004 channels: the bank-channel kind is indexed by channel number.
  highest = kind == itemkind::kBankChannel ? kChannelLast : datCh::KindMax(kind);
  return true;
}

int cmcClipCh::ClampCount(std::uint32_t kind, std::uint32_t first, std::int64_t count) {
  std::uint32_t lowest = 0, highest = 0;
  if (count <= 0 || !KindRange(kind, lowest, highest) || first < lowest || first > highest)
    return 0;
  return static_cast<int>(std::min<std::int64_t>(count, std::int64_t{highest} - first + 1));
}

void cmcClipCh::Clear() {
  records_.clear();
  kind_ = 0;
  first_ = 0;
  count_ = 0;
}

void cmcClipCh::Copy(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int count) {
  Clear();
  kind_ = kind;
  first_ = first;
  count_ = ClampCount(kind, first, count);
  records_.resize(static_cast<size_t>(count_));
  for (int i = 0; i < count_; ++i) {
    CopyOne(image, kind, first + static_cast<std::uint32_t>(i), records_[static_cast<size_t>(i)]);
    records_[static_cast<size_t>(i)].SetImage(nullptr);
  }
}

void cmcClipCh::CopyOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index, datCh& record) {
  record.SetImage(&image);
  record.Load(kind, index);
}

bool cmcClipCh::CanPaste(std::uint32_t kind) const { return kind_ != 0 && kind_ == kind; }

int cmcClipCh::Paste(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int n) {
  if (!CanPaste(kind)) return 0;
  const int limit = ClampCount(kind, first, std::min(count_, n));
  int written = 0;
  for (int i = 0; i < limit; ++i)
    if (PasteOne(image, kind, first + static_cast<std::uint32_t>(i),
                 records_[static_cast<size_t>(i)]))
      ++written;
  return written;
}

bool cmcClipCh::PasteOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index,
                         const datCh& record) {
  // The buffer keeps its own record unbound and unchanged for later pastes.
  datCh target(record);
  target.SetImage(&image);
  return target.Store(kind, index);
}

datClipCh::~datClipCh() = default;

bool datClipCh::CanPaste(std::uint32_t kind) const {
  if (kind_ != kind) return false;
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

bool datClipCh::PasteOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index,
                         const datCh& record) {
  scratch_.SetImage(&image);
  scratch_.Load(kind, index);
  scratch_.SetImage(nullptr);
  return cmcClipCh::PasteOne(image, kind, index, record);
}

void datClipCh::CopyBank(cmcEeprom& image, std::uint32_t kind, int bank, int firstSlot, int count) {
  Clear();
  kind_ = kind;
  first_ = static_cast<std::uint32_t>(std::max(firstSlot, 0));
  if (bank < 0 || bank >= layout::kBankCount || firstSlot < 0 || firstSlot >= layout::kBankSlots ||
      count <= 0)
    return;
  count_ = std::min(count, layout::kBankSlots - firstSlot);
  records_.resize(static_cast<size_t>(count_));
  for (int i = 0; i < count_; ++i) {
    datCh& record = records_[static_cast<size_t>(i)];
    const std::int64_t at = layout::BankTableEntry(bank, firstSlot + i);
    std::uint32_t word = 0xFFFF;
    if (image.IsValidAddress(at + 1))
      word = static_cast<std::uint32_t>(image.GetByte(at)) << 8 | image.GetByte(at + 1);
    record.SetImage(&image);
    if (word < kMemoryChannelCount) {
      record.Load(itemkind::kChannel, word);
      // A paste never copies a bank assignment.
      record.bank = datCh::kBankNone;
    } else {
      record.Clear();
      record.flags &= ~datCh::kUsed;
    }
    record.SetImage(nullptr);
  }
}

int datClipCh::PasteGuarded(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int n) {
  busy_ = 1;
  const int written = Paste(image, kind, first, n);
  busy_ = 0;
  return written;
}

bool datClipCh::GetRecord(int i, datCh& record) const {
  if (i < 0 || i >= count_) return false;
  record = records_[static_cast<size_t>(i)];
  return true;
}

std::uint32_t ClipKindOfList(std::uint32_t listKind) {
  return listKind == itemkind::kBankChannel ? itemkind::kChannel : listKind;
}
