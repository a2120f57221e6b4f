#include "model/DvRoute.h"

#include <algorithm>
#include <cstring>

#include "core/SjisBytes.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"

namespace {

constexpr std::int64_t kMaxUsableOffset = 59999999;
constexpr std::uint32_t kModeDv = 5;
constexpr int kNoAccessBand = 3;
constexpr char kCqCall[] = "CQCQCQ  ";

bool IsListed(const cmcEeprom& image, int i) { return i >= 0 && i < GetRptTotalCount(image); }

datCh LoadRpt(const cmcEeprom& image, int i) {
  return LoadDetached(image, itemkind::kRepeater, static_cast<std::uint32_t>(i));
}

RouteName CqName() {
  RouteName name;
  SetText(name, kCqCall);
  return name;
}

bool SameCall(const RouteCall& a, const RouteCall& b) { return a == b; }

// A repeater by its DV name, else by the name taken as a plain call sign.
int FindRptByNameOrCall(const cmcEeprom& image, const RouteName& name) {
  const int byName = FindDvRptByName(image, name.data());
  if (IsListed(image, byName)) return byName;
  return FindCallSignIndex(image, name.data(), nullptr, 16, kCallModePlain);
}

// The first 8 characters of a name put through SlashUrToRptCall.
void SlashToRptInPlace(RouteName& name) {
  const RouteCall call = SlashUrToRptCall(name.data());
  std::copy(call.begin(), call.end(), name.begin());
}

int ClassifyDest(const cmcEeprom& image, int access, int accessIndex, const RouteName& destName) {
  RouteName text = destName;
  SlashToRptInPlace(text);
  if (IsBlankText(text)) return dvdest::kBlank;
  if (text == CqName()) return dvdest::kCq;
  if (FindYourCallSign(image, text.data()) != kUrNotFound) return dvdest::kYourCall;
  const int byName = FindDvRptByName(image, text.data());
  if (IsListed(image, byName) && IsBlankText(LoadRpt(image, byName).rptCall)) return dvdest::kBlank;
  const int dest = IsListed(image, byName)
                       ? byName
                       : FindCallSignIndex(image, text.data(), nullptr, 16, kCallModePlain);
  if (!IsListed(image, dest)) return dvdest::kYourCall;
  if (access == dvaccess::kNone || access == dvaccess::kNotFound) return dvdest::kSameRpt;
  const datCh a = LoadRpt(image, accessIndex);
  const datCh d = LoadRpt(image, dest);
  if (SameCall(a.rptCall, d.rptCall)) return dvdest::kSameRpt;
  if (!IsBlankText(a.gwCall) && SameCall(a.gwCall, d.gwCall)) return dvdest::kSameSite;
  return d.gwCall[7] == 'G' ? dvdest::kOtherGateway : dvdest::kOtherLocal;
}

void BlankCall(RouteCall& call) { SetText(call, ""); }

}  // namespace

int GetRptAccessStatus(const cmcEeprom& image, int index, bool checkFreq) {
  if (index >= kRouteNone || !IsListed(image, index)) return dvaccess::kNotFound;
  const datCh r = LoadRpt(image, index);
  if (r.freq == 0 || r.duplex == 0) return dvaccess::kUnusable;
  if (checkFreq) {
    const indDestination& destination = indDestination::Current();
    if (!destination.IsFreqAllowed(r.freq) || indDestination::IsAirBand(r.freq) ||
        r.offset > kMaxUsableOffset)
      return dvaccess::kUnusable;
  }
  return r.gwCall[7] == 'G' ? dvaccess::kGateway : dvaccess::kNoGateway;
}

DvRouteCheck CheckDvRoute(const cmcEeprom& image, RouteName accessName, RouteName& destName,
                          bool checkFreq) {
  DvRouteCheck result;
  int accessIndex = kRouteNone;
  if (!IsBlankText(accessName)) {
    accessIndex = FindRptByNameOrCall(image, accessName);
    result.access = GetRptAccessStatus(image, accessIndex, checkFreq);
  }
  result.dest = ClassifyDest(image, result.access, accessIndex, destName);
  if (destName[0] == '/') {
    if (result.dest == dvdest::kSameRpt || result.dest == dvdest::kSameSite) {
      SlashToRptInPlace(destName);
    } else if (result.dest == dvdest::kOtherLocal) {
      result.dest = dvdest::kBlank;
      SetText(destName, "");
    } else {
      result.dest = dvdest::kUnreachable;
    }
  }
  return result;
}

bool IsDvRouteValid(int access, int dest) {
  switch (access) {
    case dvaccess::kNone:
      return dest == dvdest::kBlank || dest == dvdest::kCq || dest == dvdest::kYourCall;
    case dvaccess::kNoGateway:
      return dest == dvdest::kSameRpt || dest == dvdest::kSameSite || dest == dvdest::kCq ||
             dest == dvdest::kYourCall;
    case dvaccess::kGateway:
      return dest == dvdest::kSameRpt || dest == dvdest::kSameSite ||
             dest == dvdest::kOtherGateway || dest == dvdest::kCq || dest == dvdest::kYourCall ||
             dest == dvdest::kUnreachable;
    default: return false;
  }
}

int GetRpt2ChoiceKind(int access, int dest) {
  if (dest != dvdest::kYourCall) return 0;
  if (access == dvaccess::kNoGateway) return 1;
  if (access == dvaccess::kGateway) return 2;
  return 0;
}

bool IsRptSameSite(const cmcEeprom& image, int i, int j) {
  if (i >= kRouteNone || j >= kRouteNone || !IsListed(image, i) || !IsListed(image, j))
    return false;
  const datCh a = LoadRpt(image, i);
  if (a.rptMode != layout::rpt::kTypeDv || IsBlankText(a.rptCall)) return false;
  const datCh b = LoadRpt(image, j);
  return SameCall(a.rptCall, b.rptCall) || (!IsBlankText(a.gwCall) && SameCall(a.gwCall, b.gwCall));
}

bool SetDvRouteByNames(datCh& record, const cmcEeprom& initialImage, RouteName accessName,
                       RouteName destName, RouteName rpt2Name, int rpt2Mode) {
  const cmcEeprom* image = record.Image();
  if (image == nullptr) return false;

  int access = kRouteNone;
  if (!IsBlankText(accessName)) {
    access = FindRptByNameOrCall(*image, accessName);
    if (!IsListed(*image, access)) access = kRouteNone;
  }

  RouteName text = destName;
  int dest = kRouteDirect;
  if (IsBlankText(text)) {
    dest = kRouteNone;
  } else if (text == CqName()) {
    dest = kRouteCq;
  } else if (const int ur = FindYourCallSign(*image, text.data()); ur != kUrNotFound) {
    const datCh entry = LoadDetached(*image, itemkind::kYourCall, static_cast<std::uint32_t>(ur));
    std::copy(entry.urCall.begin(), entry.urCall.end(), text.begin());
  } else if (const int rpt = FindRptByNameOrCall(*image, text); IsListed(*image, rpt)) {
    dest = rpt;
  }

  int rpt2 = kRouteNone;
  if (rpt2Mode == kRpt2Gateway) {
    rpt2 = kRouteCq;
  } else if (rpt2Mode != 0 && rpt2Mode != kRpt2SameRpt) {
    // A name that matches no repeater leaves RPT2 blank.
    rpt2 = FindRptByNameOrCall(*image, rpt2Name);
    if (!IsListed(*image, rpt2)) rpt2 = kRouteNone;
  }
  return WriteDvRoute(record, initialImage, access, dest, rpt2, text);
}

bool WriteDvRoute(datCh& record, const cmcEeprom& initialImage, int accessIndex, int destIndex,
                  int rpt2Index, RouteName destText) {
  const cmcEeprom* imagePtr = record.Image();
  if (imagePtr == nullptr || initialImage.GetSize() < layout::kMinImageSize) return false;
  const cmcEeprom& image = *imagePtr;

  const int a = accessIndex >= 0 && accessIndex < kRouteNone ? accessIndex : kRouteNone;
  datCh access;
  if (a != kRouteNone) {
    const int status = GetRptAccessStatus(image, a, true);
    if (status != dvaccess::kNoGateway && status != dvaccess::kGateway) return false;
    access = LoadRpt(image, a);
  }
  // RPT2: a listed repeater, the gateway (1501) or none.
  const int x = rpt2Index == kRouteCq || IsListed(image, rpt2Index) ? rpt2Index : kRouteNone;
  const bool destIsRpt = destIndex < kRouteNone && IsListed(image, destIndex);
  const int d =
      destIsRpt || (destIndex >= kRouteNone && destIndex <= kRouteDirect) ? destIndex : -1;

  const int band = a != kRouteNone ? indDestination::BandIndex(access.freq) : kNoAccessBand;
  if (!record.IsUsed()) {
    datCh defaults =
        LoadDetached(initialImage, itemkind::kBandDefault, static_cast<std::uint32_t>(band));
    defaults.kind = record.kind;
    defaults.index = record.index;
    defaults.SetImage(record.Image());
    record = defaults;
    record.flags |= datCh::kUsed;
  }
  if (a != kRouteNone) {
    record.freq = access.freq;
    record.duplex = access.duplex;
    record.offset = access.offset;
  }
  record.mode = kModeDv;

  RouteCall accessCall, gateway;
  BlankCall(accessCall);
  BlankCall(gateway);
  if (a != kRouteNone) {
    accessCall = access.rptCall;
    gateway = access.gwCall;
  }
  RouteCall text8;
  std::copy_n(destText.begin(), text8.size(), text8.begin());
  RouteCall cq;
  SetText(cq, kCqCall);
  RouteCall blank;
  BlankCall(blank);

  auto set = [&](const RouteCall& ur, const RouteCall& rpt1, const RouteCall& rpt2) {
    record.urCall = ur;
    record.rpt1Call = rpt1;
    record.rpt2Call = rpt2;
  };

  if (d == kRouteNone) {
    set(blank, blank, blank);
  } else if (a == kRouteNone && x == kRouteNone) {
    if (destIsRpt)
      set(LoadRpt(image, d).rptCall, blank, blank);
    else if (d == kRouteCq)
      set(cq, blank, blank);
    else if (d == kRouteDirect)
      set(text8, blank, blank);
  } else if (d == kRouteCq) {
    set(cq, accessCall, blank);
  } else if (destIsRpt) {
    const datCh dest = LoadRpt(image, d);
    if (SameCall(dest.rptCall, accessCall))
      set(cq, accessCall, blank);
    else if (!SameCall(dest.gwCall, gateway))
      set(MakeSlashUrCall(dest.rptCall.data()), accessCall, gateway);
    else
      set(cq, accessCall, dest.rptCall);
  } else if (d == kRouteDirect) {
    if (text8[0] == '/' || x == kRouteCq)
      set(text8, accessCall, gateway);
    else if (x == kRouteNone)
      set(text8, accessCall, blank);
    else
      set(text8, accessCall, LoadRpt(image, x).rptCall);
  }
  return true;
}

RouteCall MakeSlashUrCall(const char* call8) {
  RouteCall call;
  std::memcpy(call.data(), call8, call.size());
  if (IsBlankText(call)) return call;
  RouteCall slash;
  slash[0] = '/';
  std::memcpy(slash.data() + 1, call.data(), 6);
  slash[7] = call[7];
  return slash;
}

RouteCall SlashUrToRptCall(const char* text8) {
  RouteCall text;
  std::memcpy(text.data(), text8, text.size());
  if (text[0] != '/') return text;
  RouteCall call;
  std::memcpy(call.data(), text.data() + 1, 6);
  call[6] = ' ';
  call[7] = text[7];
  return call;
}

RouteName CopyPaddedName16(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  RouteName name;
  core::CopyToBlankField(
      std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(name.data()), name.size()), text);
  return name;
}
