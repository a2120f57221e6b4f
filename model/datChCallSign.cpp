// Your-call signs (kind 8), the blank your-call sign (kind 19) and the call
// lists A-D (kinds 10-13), which resolve their call sign against the
// repeater and your-call lists.
#include <cstring>

#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

using namespace layout;

namespace {

struct CallList {
  std::int64_t entries;
  int entrySize;
  std::int64_t order;
};

CallList ListOf(std::uint32_t kind) {
  switch (kind) {
    case itemkind::kCallListA: return {kCallListA, 8, kCallListAOrder};
    case itemkind::kCallListB: return {kCallListB, 12, kCallListBOrder};
    case itemkind::kCallListC: return {kCallListC, 8, kCallListCOrder};
    default: return {kCallListD, 8, kCallListDOrder};
  }
}

std::uint32_t Capacity(std::uint32_t kind) { return datCh::KindMax(kind) + 1; }

}  // namespace

void datCh::LoadYourCall(int i) {
  image_->GetBlock(kUrCalls + 8 * static_cast<std::int64_t>(i), urCall.data(), 8);
  image_->GetBlock(kUrNames + 16 * static_cast<std::int64_t>(i), name.data(), 16);
  flags = i < GetYourCallCount(*image_) ? kUsed : 0;
}

bool datCh::StoreYourCall(int i) {
  image_->SetBlock(kUrCalls + 8 * static_cast<std::int64_t>(i), urCall.data(), 8);
  image_->SetBlock(kUrNames + 16 * static_cast<std::int64_t>(i), name.data(), 16);
  return true;
}

void datCh::LoadBlankYourCall() { SetText(urCall, "CALLSIGN"); }

void datCh::LoadCallList(std::uint32_t listKind, int i) {
  const CallList list = ListOf(listKind);
  const std::uint8_t entry = image_->GetByte(list.order + i);
  // An order byte past the list's own capacity is as good as "unused".
  if (entry == kOrderByteNone || entry >= Capacity(listKind)) {
    flags = 0;
    listFound = 0;
    return;
  }
  const std::int64_t address = list.entries + static_cast<std::int64_t>(list.entrySize) * entry;
  image_->GetBlock(address, listCall.data(), 8);
  if (listKind == itemkind::kCallListB) {
    freq = (static_cast<std::uint32_t>(image_->GetByte(address + 8)) << 24) |
           (static_cast<std::uint32_t>(image_->GetByte(address + 9)) << 16) |
           (static_cast<std::uint32_t>(image_->GetByte(address + 10)) << 8) |
           image_->GetByte(address + 11);
  }
  const int total = GetRptTotalCount(*image_);
  int found = kRptNotFound;
  switch (listKind) {
    case itemkind::kCallListA:
      found = FindRptByPlainCall(*image_, listCall.data(), 0, total);
      break;
    case itemkind::kCallListB:
      found = FindFmRptByCallFreq(*image_, listCall.data(), freq, 0, total);
      break;
    case itemkind::kCallListC: {
      int ur = FindYourCallSignAny(*image_, listCall.data(), 8);
      if (ur == kUrNotFound) ur = FindYourCallSignNoSlash(*image_, listCall.data(), 8);
      if (ur < kUrCapacity) {
        listFound = 1;
        image_->GetBlock(kUrCalls + 8 * static_cast<std::int64_t>(ur), urCall.data(), 8);
        image_->GetBlock(kUrNames + 16 * static_cast<std::int64_t>(ur), name.data(), 16);
        return;
      }
      found = FindRptBySlashCall(*image_, listCall.data(), 8);
      break;
    }
    default: return;
  }
  if (found < total) {
    const std::uint32_t ownFreq = freq;
    DecodeRepeaterFields(found);
    if (listKind == itemkind::kCallListB) freq = ownFreq;  // equal by the lookup
    listFound = 1;
  }
}
