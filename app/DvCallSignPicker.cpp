#include "app/DvCallSignPicker.h"

#include <algorithm>

#include "core/TextFields.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "model/GroupLabels.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "platform/Cp932.h"

using namespace dvpick;

namespace {

constexpr char kSourceKey[] = "GI_AppInd_YourCallSign_List";
constexpr char kCqField[] = "CQCQCQ";
constexpr std::uint8_t kWesternDot = 0xB7;
constexpr std::uint8_t kJapaneseDot = 0xA5;
// " " + dot + " " before a group's label.
constexpr std::size_t kGroupPrefix = 3;

bool IsUrLike(int kind) { return kind == kKindUr || kind == kKindCalled; }

std::string Padded(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, std::min(text.size(), length)));
  out.resize(length, ' ');
  return out;
}

bool IsBlank(std::string_view text) { return core::IsBlankField(text); }

std::string TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

template <std::size_t N>
std::string Text(const datText<N>& field) {
  return std::string(field.data(), N);
}

}  // namespace

// What the picker reads of a repeater.
struct DvCallSignPicker::Repeater {
  int index = -1;
  bool dv = false;
  std::string call;     // 8 bytes
  std::string gateway;  // 8 bytes
  std::string text;     // the name, or the call sign padded to 16 when the name is blank
};

DvCallSignPicker::DvCallSignPicker(const cmcEeprom& image, cmcGTex& texts, Setup setup)
    : image_(image),
      texts_(texts),
      kind_(IsValidKind(setup.kind) ? setup.kind : kKindUr),
      accessName_(setup.accessName),
      exclusion_(setup.exclusion),
      detail_(NameMode() && setup.detail) {
  for (PickerList& list : lists_) {
    list.enabled = true;
    list.grey = false;
  }
  SetEmpty(lists_[kListName]);
  SetEmpty(lists_[kListCall]);
  lists_[kListCall].visible = !NameMode() || detail_;

  // The left list: the sources, then the 50 groups.
  PickerList& kinds = lists_[kListKind];
  const int firstSource = IsUrLike(kind_) ? 0 : 2;
  const int lastSource = IsUrLike(kind_) ? 1 : 2;
  for (int n = firstSource; n <= lastSource; ++n)
    kinds.entries.push_back(texts_.GetText(kSourceKey, n));
  kinds.entries.push_back(texts_.GetText(kSourceKey, 3));
  const char dot = static_cast<char>(setup.japaneseDot ? kJapaneseDot : kWesternDot);
  for (int g = 0; g < layout::kRptGroups; ++g)
    kinds.entries.push_back(std::string{' ', dot, ' '} + FormatGroupNameLabel(image_, g, false));
  kinds.selected = 0;

  Preselect(Padded(setup.value, static_cast<std::size_t>(FieldLength(kind_))),
            Padded(setup.second, 8));
}

const PickerList& DvCallSignPicker::List(int list) const {
  return lists_[std::clamp(list, kListKind, kListCall)];
}

int DvCallSignPicker::CodeAt(int position) const {
  if (position < 0 || position >= static_cast<int>(lists_[kListKind].entries.size())) return -1;
  if (IsUrLike(kind_)) return position < 2 ? position : position + 1;
  return position + 2;
}

int DvCallSignPicker::RepeaterAt(int nameEntry) const {
  if (nameEntry < 0 || nameEntry >= static_cast<int>(repeaterMap_.size())) return -1;
  return repeaterMap_[static_cast<std::size_t>(nameEntry)];
}

int DvCallSignPicker::YourCallAt(int nameEntry) const {
  if (nameEntry < 0 || nameEntry >= static_cast<int>(yourCallMap_.size())) return -1;
  return yourCallMap_[static_cast<std::size_t>(nameEntry)];
}

DvCallSignPicker::Repeater DvCallSignPicker::LoadRepeater(int index) const {
  const datCh r = LoadDetached(image_, itemkind::kRepeater, static_cast<std::uint32_t>(index));
  Repeater out;
  out.index = index;
  out.dv = r.rptMode == layout::rpt::kTypeDv;
  out.call = Text(r.rptCall);
  out.gateway = Text(r.gwCall);
  out.text = IsBlankText(r.name) ? Padded(out.call, 16) : Text(r.name);
  return out;
}

// Whether the lists offer a repeater for this kind.
bool DvCallSignPicker::Offered(const Repeater& r) const {
  if (!r.dv) return false;
  switch (kind_) {
    case kKindAccess: {
      const int status = GetRptAccessStatus(image_, r.index, exclusion_);
      return status == dvaccess::kNoGateway || status == dvaccess::kGateway;
    }
    case kKindCalled: {
      RouteName dest = CopyPaddedName16(r.text);
      const DvRouteCheck check = CheckDvRoute(image_, accessName_, dest, exclusion_);
      return IsDvRouteValid(check.access, check.dest);
    }
    default: return !IsBlank(r.call);
  }
}

void DvCallSignPicker::SetEmpty(PickerList& list) const {
  list.entries.assign(1, kEmptyEntry);
  list.selected = -1;
  list.enabled = false;
  list.grey = true;
}

void DvCallSignPicker::Fill(int code) {
  if (code == currentCode_ || code < 0) return;
  ok_ = true;
  PickerList& names = lists_[kListName];
  PickerList& calls = lists_[kListCall];
  for (PickerList* list : {&names, &calls}) {
    list->entries.clear();
    list->selected = -1;
    list->enabled = true;
    list->grey = false;
  }
  repeaterMap_.clear();
  yourCallMap_.clear();
  currentName_ = -1;
  currentCode_ = code;
  if (code == kCodeCq || code == kCodeNotUsed) {
    SetEmpty(names);
    SetEmpty(calls);
  } else if (code == kCodeYourCall) {
    FillYourCalls();
  } else if (code == kCodeRepeaterList) {
    FillRepeaters(0, GetRptTotalCount(image_));
  } else {
    const int g = code - kCodeFirstGroup;
    FillRepeaters(GetRptGroupFirst(image_, g), GetRptGroupCount(image_, g));
  }
  // Names are picked from the middle list: the call signs only show what the
  // chosen name stands for.
  if (NameMode()) {
    calls.enabled = false;
    calls.grey = true;
  }
}

void DvCallSignPicker::FillYourCalls() {
  const int count = std::min(GetYourCallCount(image_), layout::kUrCapacity);
  PickerList& names = lists_[kListName];
  for (int k = 0; k < count; ++k) {
    const datCh entry = LoadDetached(image_, itemkind::kYourCall, static_cast<std::uint32_t>(k));
    names.entries.push_back(IsBlankText(entry.name) ? Text(entry.urCall)
                                                    : TrimRight(Text(entry.name)));
    yourCallMap_.push_back(k);
  }
  ShowFirstName();
}

void DvCallSignPicker::FillRepeaters(int first, int count) {
  // Never past the list's capacity, whatever the counts say.
  const int begin = std::clamp(first, 0, layout::kRptCapacity);
  const int end = std::clamp(first + std::max(count, 0), begin, layout::kRptCapacity);
  PickerList& names = lists_[kListName];
  for (int i = begin; i < end; ++i) {
    const Repeater r = LoadRepeater(i);
    if (!Offered(r)) continue;
    names.entries.push_back(r.text);
    repeaterMap_.push_back(i);
  }
  ShowFirstName();
}

// The first name and its call signs; a source that offers nothing cannot
// be accepted.
void DvCallSignPicker::ShowFirstName() {
  PickerList& names = lists_[kListName];
  if (names.entries.empty()) {
    SetEmpty(names);
    SetEmpty(lists_[kListCall]);
    ok_ = false;
    return;
  }
  names.selected = 0;
  FillCalls(0);
}

void DvCallSignPicker::FillCalls(int nameEntry) {
  PickerList& calls = lists_[kListCall];
  calls.entries.clear();
  calls.selected = -1;
  currentName_ = nameEntry;
  if (const int k = YourCallAt(nameEntry); k >= 0) {
    const datCh entry = LoadDetached(image_, itemkind::kYourCall, static_cast<std::uint32_t>(k));
    calls.entries.push_back(Text(entry.urCall));
  } else if (const int i = RepeaterAt(nameEntry); i >= 0) {
    const Repeater r = LoadRepeater(i);
    if (kind_ == kKindUr) {
      const RouteCall slash = MakeSlashUrCall(r.call.data());
      calls.entries.push_back(std::string(slash.data(), slash.size()));
    } else {
      calls.entries.push_back(r.call);
      // A gateway call sign of the repeater's own station follows it.
      const bool ownGateway = r.gateway.compare(0, 7, r.call, 0, 7) == 0 && r.gateway[7] == 'G';
      if ((kind_ == kKindRpt1 || kind_ == kKindRpt2) && ownGateway)
        calls.entries.push_back(r.gateway);
    }
  }
  if (!calls.entries.empty()) calls.selected = 0;
}

void DvCallSignPicker::Click(int list, int entry) {
  if (list < kListKind || list > kListCall) return;
  PickerList& target = lists_[list];
  if (!target.enabled || !target.visible || entry < 0 ||
      entry >= static_cast<int>(target.entries.size()))
    return;
  target.selected = entry;
  if (list == kListKind) {
    Fill(CodeAt(entry));
  } else if (list == kListName && entry != currentName_) {
    FillCalls(entry);
  }
}

void DvCallSignPicker::SetDetail(bool detail) {
  if (!NameMode()) return;
  detail_ = detail;
  lists_[kListCall].visible = detail;
  lists_[kListCall].enabled = false;
  lists_[kListCall].grey = true;
}

void DvCallSignPicker::SelectKindPosition(int position) {
  lists_[kListKind].selected = position;
  Fill(CodeAt(position));
}

void DvCallSignPicker::SelectYourCall(int index) {
  SelectKindPosition(1);
  const auto at = std::find(yourCallMap_.begin(), yourCallMap_.end(), index);
  if (at == yourCallMap_.end()) return;
  const int entry = static_cast<int>(at - yourCallMap_.begin());
  lists_[kListName].selected = entry;
  FillCalls(entry);
}

void DvCallSignPicker::SelectRepeater(int index, int callEntry) {
  const int g = GetRptGroupOfIndex(image_, index);
  SelectKindPosition(g + (IsUrLike(kind_) ? 3 : 2));
  const auto at = std::find(repeaterMap_.begin(), repeaterMap_.end(), index);
  if (at != repeaterMap_.end()) {
    const int entry = static_cast<int>(at - repeaterMap_.begin());
    lists_[kListName].selected = entry;
    FillCalls(entry);
    if (callEntry < static_cast<int>(lists_[kListCall].entries.size())) {
      lists_[kListCall].selected = callEntry;
      return;
    }
  }
  // The entry is not there after all: start over on the first source.
  SelectKindPosition(0);
}

void DvCallSignPicker::Preselect(const std::string& value, const std::string& second) {
  if (IsBlank(value)) return;
  const int length = FieldLength(kind_);
  int repeater = kRptNotFound;
  int yourCall = kUrNotFound;
  switch (kind_) {
    case kKindUr:
      repeater = FindRptBySlashCall(image_, value.data(), length);
      if (repeater >= layout::kRptCapacity) {
        const int k = LookupCallSignText(image_, value.data(), length);
        if (k < layout::kUrCapacity) yourCall = k;
      }
      break;
    case kKindRpt1: repeater = FindRptByCall(image_, value.data(), length); break;
    case kKindRpt2:
      repeater = FindRptByCallPair(image_, second.data(), value.data(), length, 0);
      break;
    default:
      repeater = FindDvRptByName(image_, value.data());
      if (repeater >= layout::kRptCapacity) repeater = FindRptByCall(image_, value.data(), length);
      if (kind_ == kKindCalled && repeater >= layout::kRptCapacity)
        repeater = FindRptBySlashCall(image_, value.data(), length);
      if (kind_ == kKindCalled && repeater >= layout::kRptCapacity) {
        const int k = LookupCallSignText(image_, value.data(), length);
        if (k < layout::kUrCapacity) yourCall = k;
      }
      break;
  }
  if (yourCall < layout::kUrCapacity) return SelectYourCall(yourCall);
  if (repeater < 0 || repeater >= layout::kRptCapacity) return;
  const Repeater r = LoadRepeater(repeater);
  if (!Offered(r)) return;
  int callEntry = 0;
  if ((kind_ == kKindRpt1 || kind_ == kKindRpt2) && !IsBlank(r.gateway) &&
      value.compare(0, 8, r.gateway) == 0 && value[7] == 'G')
    callEntry = 1;
  SelectRepeater(repeater, callEntry);
}

std::optional<std::string> DvCallSignPicker::Accept() const {
  if (!ok_) return std::nullopt;
  const std::size_t length = static_cast<std::size_t>(FieldLength(kind_));
  const int code = CodeAt(lists_[kListKind].selected);
  if (code == kCodeCq) return Padded(kCqField, length);
  if (code == kCodeNotUsed || code < 0) return std::string(length, ' ');
  const PickerList& from = lists_[NameMode() ? kListName : kListCall];
  if (from.selected < 0 || from.selected >= static_cast<int>(from.entries.size()))
    return std::nullopt;
  return Padded(from.entries[static_cast<std::size_t>(from.selected)], length);
}

int DvCallSignPicker::NextList(int from, int direction) const {
  const int step = direction < 0 ? 2 : 1;  // -1 mod 3
  for (int k = 1; k < 3; ++k) {
    const int list = (from + step * k) % 3;
    if (lists_[list].enabled && lists_[list].visible) return list;
  }
  return from;
}

int DvCallSignPicker::FocusList() const {
  const PickerList& calls = lists_[kListCall];
  if (calls.enabled && calls.visible) return kListCall;
  if (lists_[kListName].enabled) return kListName;
  return kListKind;
}

QString DvCallSignPicker::DisplayText(int list, int entry) const {
  const PickerList& from = List(list);
  if (entry < 0 || entry >= static_cast<int>(from.entries.size())) return {};
  const std::string& text = from.entries[static_cast<std::size_t>(entry)];
  if (list != kListKind) return platform::Cp932ToUnicode(text);
  // The dot before a group's label is the table's; the group's name is the
  // image's.
  if (CodeAt(entry) >= kCodeFirstGroup && text.size() >= kGroupPrefix)
    return ToDisplayText(std::string_view(text).substr(0, kGroupPrefix)) +
           platform::Cp932ToUnicode(std::string_view(text).substr(kGroupPrefix));
  return ToDisplayText(text);
}
