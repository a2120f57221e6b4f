#include "model/datCh.h"

#include <array>

#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/StepCode.h"
#include "model/cmcEeprom.h"

namespace {

struct KindRow {
  std::uint32_t lowest;
  std::uint32_t highest;
  std::uint32_t flags;
};

// Index ranges of the list kinds. Kind 5 (program-link positions) is 10
// links of 26 positions.
constexpr std::array<KindRow, 14> kKindTable = {{
    {0, 0, 0},
    {0, 1003, 3},
    {0, 3, 3},
    {0, 2599, 3},
    {0, 24, 3},
    {0, 259, 3},
    {0, 299, 3},
    {0, 1499, 3},
    {0, 299, 3},
    {0, 49, 3},
    {0, 9, 3},
    {0, 9, 3},
    {0, 19, 3},
    {0, 4, 3},
}};

}  // namespace

datCh::datCh() { BlankTexts(); }

datCh::datCh(cmcEeprom* image) : image_(image) { BlankTexts(); }

void datCh::BlankTexts() {
  name.fill(' ');
  urCall.fill(' ');
  urRoute.fill(' ');
  rpt1Call.fill(' ');
  rpt1Route.fill(' ');
  rpt2Call.fill(' ');
  rpt2Route.fill(' ');
  gpsName.fill(' ');
  subName.fill(' ');
  rptCall.fill(' ');
  gwCall.fill(' ');
  listCall.fill(' ');
}

void datCh::Clear() {
  cmcEeprom* image = image_;
  *this = datCh(image);
}

bool datCh::HasImage() const { return image_ && image_->GetSize() >= layout::kMinImageSize; }

std::uint32_t datCh::KindMin(std::uint32_t kind) {
  return kind < kKindTable.size() ? kKindTable[kind].lowest : 0;
}

std::uint32_t datCh::KindMax(std::uint32_t kind) {
  return kind < kKindTable.size() ? kKindTable[kind].highest : 0;
}

std::uint32_t datCh::KindFlag(std::uint32_t kind) {
  return kind < kKindTable.size() ? kKindTable[kind].flags : 0;
}

std::uint32_t datCh::KindMinChecked(std::uint32_t kind) {
  return kind < kKindTable.size() ? KindMin(kind) : 0;
}

std::uint32_t datCh::KindMaxChecked(std::uint32_t kind) {
  return kind < kKindTable.size() ? KindMax(kind) : 100000000;
}

bool datCh::IsValidItem(std::uint32_t kind, std::uint32_t index) {
  switch (kind) {
    // Kinds 2 and 3 take the index as the channel number itself.
    case itemkind::kChannel:
    case itemkind::kCallChannel:
    case itemkind::kBankChannel: return index < static_cast<std::uint32_t>(layout::kAllChannels);
    case itemkind::kNone:
    case itemkind::kNone14: return true;
    default: return kind >= kKindTable.size() || index <= kKindTable[kind].highest;
  }
}

void datCh::Load(std::uint32_t kindIn, std::uint32_t indexIn) {
  Clear();
  kind = kindIn;
  index = indexIn;
  if (kind == itemkind::kNone || kind == itemkind::kNone14 || kind > itemkind::kLast) return;
  if (kind == itemkind::kBlankYourCall) {
    LoadBlankYourCall();
    return;
  }
  if (!IsValidItem(kind, index) || !HasImage()) {
    flags = 0;
    return;
  }
  const int i = static_cast<int>(index);
  switch (kind) {
    case itemkind::kChannel:
    case itemkind::kCallChannel:
    case itemkind::kBankChannel: LoadChannel(i); break;
    case itemkind::kScanEdge: LoadScanEdge(i); break;
    case itemkind::kLinkPosition: LoadLinkPosition(i); break;
    case itemkind::kGpsMemory: LoadGps(i); break;
    case itemkind::kRepeater: LoadRepeater(i); break;
    case itemkind::kYourCall: LoadYourCall(i); break;
    case itemkind::kRxCall: LoadRxCall(i); break;
    case itemkind::kCallListA:
    case itemkind::kCallListB:
    case itemkind::kCallListC:
    case itemkind::kCallListD: LoadCallList(kind, i); break;
    case itemkind::kBandDefault: LoadBandDefault(index); break;
    case itemkind::kBlankGps: LoadBlankGps(index, true); break;
    case itemkind::kBlankGpsNoDate: LoadBlankGps(index, false); break;
    case itemkind::kBlankRepeater: LoadBlankRepeater(index); break;
    default: break;
  }
}

bool datCh::Store(std::uint32_t kindIn, std::uint32_t indexIn) {
  const std::uint32_t k = kindIn == itemkind::kNone ? kind : kindIn;
  if (k < itemkind::kChannel || k > itemkind::kYourCall) return false;
  if (!IsValidItem(k, indexIn) || !HasImage()) return false;
  const int i = static_cast<int>(indexIn);
  switch (k) {
    case itemkind::kChannel:
    case itemkind::kCallChannel:
    case itemkind::kBankChannel: return StoreChannel(i);
    case itemkind::kScanEdge: return StoreScanEdge(i);
    case itemkind::kLinkPosition: return StoreLinkPosition(i);
    case itemkind::kGpsMemory: return StoreGps(i);
    case itemkind::kRepeater: return StoreRepeater(i);
    case itemkind::kYourCall: return StoreYourCall(i);
    default: return false;
  }
}

bool datCh::StoreAndReload() {
  const bool stored = StoreSelf();
  Reload();
  return stored;
}

void datCh::LoadInto(std::uint32_t kindIn, std::uint32_t indexIn) {
  datCh scratch(image_);
  scratch.Load(kindIn, indexIn);
  const std::uint32_t ownKind = kind;
  const std::uint32_t ownIndex = index;
  *this = scratch;
  kind = ownKind;
  index = ownIndex;
}

datCh LoadDetached(const cmcEeprom& image, std::uint32_t kind, std::uint32_t index) {
  // Decoding never writes to the image; the record is unbound before it
  // leaves, so nothing can store through it.
  datCh record(const_cast<cmcEeprom*>(&image));
  record.Load(kind, index);
  record.SetImage(nullptr);
  return record;
}

bool datCh::IsCall3Blank() const { return IsBlankText(rpt2Call); }

bool ChooseStepClass(datCh& record, std::uint64_t freq, std::uint64_t offset, bool isRepeater) {
  const auto classes =
      isRepeater ? stepcode::ChooseStepClass(freq, offset, true, layout::rpt::kFreqCountBits,
                                             layout::rpt::kOffsetCountBits)
                 : stepcode::ChooseStepClass(freq, offset, false, layout::ch::kFreqCountBits,
                                             layout::ch::kOffsetCountBits);
  if (!classes) return false;
  record.stepClass = classes->freq;
  record.offsetStepClass = classes->offset;
  return true;
}

bool ChooseEdgeStepClasses(datCh& record, std::uint64_t freqHigh, std::uint64_t freqLow) {
  const auto classes =
      stepcode::ChooseEdgeStepClasses(freqHigh, freqLow, layout::ch::kFreqCountBits);
  if (!classes) return false;
  record.stepClass2 = classes->high;
  record.stepClass = classes->low;
  return true;
}
