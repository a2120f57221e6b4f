#include "app/DvRouteEditor.h"

#include <algorithm>
#include <span>

#include "cells/CallSignConverters.h"
#include "core/SjisBytes.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RouteDisplay.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"
#include "platform/Cp932.h"

namespace {

constexpr char kRpt2Key[] = "GI_AppInd_Call_Sign_DR_Rpt2";
constexpr char kCq[] = "CQCQCQ";
constexpr std::size_t kNameBytes = 16;

RouteName Name(std::string_view text) { return CopyPaddedName16(text); }

RouteName BlankName() { return Name(""); }

template <std::size_t N>
std::string Trimmed(const datText<N>& field) {
  std::string_view text(field.data(), N);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::string TrimmedText(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

// The code page 932 bytes of each character of a text; a character without
// a code is a blank (never its "?").
std::vector<std::string> CharacterBytes(const QString& text) {
  std::vector<std::string> out;
  for (const uint code : text.toUcs4()) {
    const char32_t c = code;
    bool lossy = false;
    std::string bytes = platform::UnicodeToCp932(QString::fromUcs4(&c, 1), &lossy);
    out.push_back(lossy || bytes.empty() ? std::string(" ") : std::move(bytes));
  }
  return out;
}

}  // namespace

RouteName ReadBackName16(const QString& text) {
  std::string bytes;
  for (const std::string& c : CharacterBytes(text)) {
    bytes += c;
    if (bytes.size() > kNameBytes) break;
  }
  RouteName name;
  core::CopyToBlankField(
      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(name.data()), name.size()), bytes);
  return name;
}

QString LimitCalledText(const QString& text) {
  std::size_t bytes = 0;
  qsizetype units = 0;
  const std::vector<std::string> chars = CharacterBytes(text);
  for (std::size_t k = 0; k < chars.size(); ++k) {
    if (bytes + chars[k].size() > kNameBytes) break;
    bytes += chars[k].size();
    const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                      text.at(units + 1).isLowSurrogate();
    units += pair ? 2 : 1;
  }
  return text.left(units);
}

DvRouteEditor::DvRouteEditor(const cmcEeprom& image, const cmcEeprom& initial, cmcGTex& texts,
                             bool exclusion, const datCh& record)
    : image_(image), initial_(initial), texts_(texts), exclusion_(exclusion), work_(record) {
  savedFreq_ = record.freq;
  savedDuplex_ = record.duplex;
  savedOffset_ = record.offset;
  savedMode_ = record.mode;
  savedUsed_ = record.IsUsed();

  // The route the channel holds, when it still fits the lists.
  RouteName access = record.routeAccessName;
  RouteName dest = record.routeDestName;
  const DvRouteCheck check = CheckDvRoute(image_, access, dest, exclusion_);
  const int mode = static_cast<int>(record.routeRpt2Mode);
  const int choice = GetRpt2ChoiceKind(check.access, check.dest);
  bool consistent =
      choice == 0 ? mode == 0 || mode == kRpt2SameRpt : choice != 1 || mode != kRpt2Gateway;
  if (choice == 1 || choice == 2)
    consistent = consistent && IsRptSameSite(image_, static_cast<int>(record.routeRpt2Index),
                                             static_cast<int>(record.routeAccessIndex));
  const bool complete =
      record.routeKind >= dvroute::kKindDirect && record.routeKind <= dvroute::kKindGateway;
  bool taken = false;
  if (complete && record.IsUsed() && IsDvRouteValid(check.access, check.dest) && consistent) {
    const RouteName rpt2Name = mode == kRpt2NamedRpt ? record.routeRpt2Name : BlankName();
    if (SetDvRouteByNames(work_, initial_, access, dest, rpt2Name, mode)) {
      accessName_ = access;
      destName_ = dest;
      check_ = check;
      rpt2Mode_ = mode;
      rpt2Name_ = rpt2Name;
      taken = true;
    }
  }
  if (!taken) {
    // A fresh start: no access repeater, "CQCQCQ" as called station.
    work_ = record;
    accessName_ = BlankName();
    destName_ = Name(kCq);
    rpt2Name_ = BlankName();
    rpt2Mode_ = mode;
    Recheck();
    SetText(work_.urCall, "CQCQCQ");
    SetText(work_.rpt1Call, "");
    SetText(work_.rpt2Call, "");
  }
  RebuildChoices();
}

std::string DvRouteEditor::AccessText() const { return Trimmed(accessName_); }

std::string DvRouteEditor::CalledText() const { return Trimmed(destName_); }

std::string DvRouteEditor::SelectText() const {
  if (rpt2Selected_ < 0 || rpt2Selected_ >= static_cast<int>(choices_.size())) return {};
  return TrimmedText(choices_[static_cast<std::size_t>(rpt2Selected_)].text);
}

RouteCall DvRouteEditor::Ur() const {
  RouteCall ur = work_.urCall;
  FilterCallSignField(ur);
  return ur;
}

void DvRouteEditor::Recheck() { check_ = CheckDvRoute(image_, accessName_, destName_, exclusion_); }

// A called station the access repeater cannot reach goes back to CQCQCQ.
void DvRouteEditor::ResetCalledIfUnreachable() {
  const int a = check_.access;
  const int d = check_.dest;
  const bool reset =
      (a == dvaccess::kNoGateway &&
       (d == dvdest::kOtherLocal || d == dvdest::kOtherGateway || d == dvdest::kUnreachable)) ||
      (a == dvaccess::kGateway && d == dvdest::kOtherLocal) ||
      (a == dvaccess::kNone && d != dvdest::kCq && d != dvdest::kYourCall);
  if (!reset) return;
  destName_ = Name(kCq);
  ++calledRevision_;
  Recheck();
}

void DvRouteEditor::ChooseAccess(const RouteName& name) {
  accessName_ = name;
  AfterChoice(false);
}

void DvRouteEditor::ChooseCalled(const RouteName& name) {
  destName_ = name;
  ++calledRevision_;
  AfterChoice(true);
}

void DvRouteEditor::AfterChoice(bool called) {
  Recheck();
  ResetCalledIfUnreachable();
  const bool same = rpt2Selected_ >= 0 && rpt2Selected_ == sameEntry_;
  if (called || same) {
    if (gatewayEntry_ > 0) {
      rpt2Mode_ = kRpt2Gateway;
    } else {
      rpt2Mode_ = 0;
      rpt2Name_ = BlankName();
    }
  }
  RebuildChoices();
  UpdateRoute();
}

void DvRouteEditor::TypeCalled(const RouteName& name) {
  destName_ = name;
  const int before = check_.dest;
  Recheck();
  const int after = check_.dest;
  // Clearing the text keeps the choices a typed call sign had, and typing
  // again keeps them (and the user's pick) too.
  const bool keep = (before == dvdest::kYourCall && after == dvdest::kBlank) ||
                    (before == dvdest::kBlank && after == dvdest::kYourCall && !choices_.empty());
  if (before != after && !keep) RebuildChoices();
  UpdateRoute();
}

bool DvRouteEditor::PickRpt2(int entry) {
  if (entry < 0 || entry >= static_cast<int>(choices_.size())) return false;
  rpt2Selected_ = entry;
  ApplySelection();
  Recheck();
  UpdateRoute();
  return true;
}

datCh DvRouteEditor::Accept() {
  Recheck();
  if (!IsValid() || !WriteRoute()) {
    BlankCalls();
    work_.freq = savedFreq_;
    work_.duplex = savedDuplex_;
    work_.offset = savedOffset_;
    work_.mode = savedMode_;
    work_.flags = (work_.flags & ~datCh::kUsed) | (savedUsed_ ? datCh::kUsed : 0u);
  }
  FilterCallSignField(work_.urCall);
  return work_;
}

int DvRouteEditor::AccessIndex() const {
  const int byName = FindDvRptByName(image_, accessName_.data());
  if (byName >= 0 && byName < layout::kRptCapacity) return byName;
  return FindRptByCall(image_, accessName_.data(), 8);
}

void DvRouteEditor::RebuildChoices() {
  choices_.clear();
  rpt2Selected_ = -1;
  sameEntry_ = -1;
  gatewayEntry_ = -1;
  const int choice = GetRpt2ChoiceKind(check_.access, check_.dest);
  selectEnabled_ = choice == 1 || choice == 2;
  if (selectEnabled_) {
    if (rpt2Mode_ == 0) rpt2Mode_ = kRpt2Gateway;
    sameEntry_ = 0;
    choices_.push_back({texts_.GetText(kRpt2Key, 0), kRpt2SameRpt});
    if (rpt2Mode_ == kRpt2SameRpt) rpt2Selected_ = sameEntry_;
    // The repeaters of the access repeater's site.
    const int access = AccessIndex();
    if (access >= 0 && access < layout::kRptCapacity) {
      const int total = std::min(GetRptTotalCount(image_), layout::kRptCapacity);
      for (int j = 0; j < total; ++j) {
        if (!IsRptSameSite(image_, j, access)) continue;
        const datCh r = LoadDetached(image_, itemkind::kRepeater, static_cast<std::uint32_t>(j));
        const RouteName text = IsBlankText(r.name)
                                   ? Name(std::string_view(r.rptCall.data(), r.rptCall.size()))
                                   : r.name;
        if (rpt2Selected_ < 0 && rpt2Mode_ == kRpt2NamedRpt && text == rpt2Name_)
          rpt2Selected_ = static_cast<int>(choices_.size());
        choices_.push_back({std::string(text.data(), text.size()), kRpt2NamedRpt});
      }
    }
    if (choice == 2) {
      gatewayEntry_ = static_cast<int>(choices_.size());
      choices_.push_back({texts_.GetText(kRpt2Key, 1), kRpt2Gateway});
      if (rpt2Mode_ == kRpt2Gateway) rpt2Selected_ = gatewayEntry_;
    }
  }
  if (rpt2Selected_ < 0) rpt2Selected_ = gatewayEntry_ > 0 ? gatewayEntry_ : sameEntry_;
  ApplySelection();
}

void DvRouteEditor::ApplySelection() {
  rpt2Name_ = BlankName();
  if (choices_.empty() || rpt2Selected_ < 0) {
    rpt2Mode_ = 0;
    return;
  }
  const Rpt2Choice& chosen = choices_[static_cast<std::size_t>(rpt2Selected_)];
  rpt2Mode_ = chosen.mode;
  if (chosen.mode == kRpt2NamedRpt) rpt2Name_ = Name(chosen.text);
}

void DvRouteEditor::UpdateRoute() {
  if (!IsValid() || !WriteRoute()) BlankCalls();
}

// A refusal of the route writer counts as an invalid pair.
bool DvRouteEditor::WriteRoute() {
  return SetDvRouteByNames(work_, initial_, accessName_, destName_, rpt2Name_, rpt2Mode_);
}

void DvRouteEditor::BlankCalls() {
  SetText(work_.urCall, "");
  SetText(work_.rpt1Call, "");
  SetText(work_.rpt2Call, "");
}
