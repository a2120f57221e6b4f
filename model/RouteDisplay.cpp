#include "model/RouteDisplay.h"

#include <algorithm>
#include <array>

#include "model/DvRoute.h"
#include "model/ItemKinds.h"
#include "model/RouteLookup.h"
#include "model/cmcEeprom.h"

namespace {

constexpr std::array<const char*, 10> kKindTexts = {
    "?          ", "Direct     ", "Single     ", "Asist Link ", "Gateway    ",
    nullptr,       nullptr,       "Single?    ", "Asist Link?", "Gateway?   ",
};

bool IsFound(const cmcEeprom* image, int rpt) {
  return image != nullptr && rpt >= 0 && rpt < kRouteNone;
}

datCh LoadRpt(const cmcEeprom& image, int i) {
  return LoadDetached(image, itemkind::kRepeater, static_cast<std::uint32_t>(i));
}

// The text of an RPT field: the repeater's name (with "G" as 17th character
// for a gateway call sign) when it has one, else the call sign.
void FillRptRoute(const cmcEeprom* image, int rpt, const datText<8>& call, datText<17>& route) {
  SetText(route, "");
  if (IsFound(image, rpt)) {
    const datCh r = LoadRpt(*image, rpt);
    if (!IsBlankText(r.name)) {
      std::copy(r.name.begin(), r.name.end(), route.begin());
      if (call[7] == 'G') route[16] = 'G';
      return;
    }
  }
  std::copy(call.begin(), call.end(), route.begin());
}

RouteName First16(const datText<17>& route) {
  RouteName name;
  std::copy_n(route.begin(), name.size(), name.begin());
  return name;
}

}  // namespace

datText<11> RouteKindText(std::uint32_t kind) {
  datText<11> text;
  const char* source = kind < kKindTexts.size() ? kKindTexts[kind] : nullptr;
  SetText(text, source != nullptr ? source : kKindTexts[0]);
  return text;
}

void ResetChannelRoute(datCh& record) {
  SetText(record.urRoute, "");
  std::copy(record.urCall.begin(), record.urCall.end(), record.urRoute.begin());
  record.urRouteIndex = kRouteNone;
  const cmcEeprom* image = record.Image();
  if (image == nullptr) return;
  if (const int ur = FindYourCallSignNoSlash(*image, record.urCall.data(), 8); ur != kUrNotFound) {
    const datCh entry = LoadDetached(*image, itemkind::kYourCall, static_cast<std::uint32_t>(ur));
    if (!IsBlankText(entry.name)) record.urRoute = entry.name;
    return;
  }
  if (const int rpt = FindRptBySlashCall(*image, record.urCall.data(), 8); IsFound(image, rpt)) {
    record.urRouteIndex = static_cast<std::uint32_t>(rpt);
    const datCh r = LoadRpt(*image, rpt);
    if (!IsBlankText(r.name)) record.urRoute = r.name;
  }
}

void ResolveRptDisplay(datCh& record) {
  const cmcEeprom* image = record.Image();
  const int rpt1 = image ? FindRptByCall(*image, record.rpt1Call.data(), 8) : kRptNotFound;
  record.rpt1RouteIndex = kRouteNone;
  if (IsFound(image, rpt1)) {
    const datCh r = LoadRpt(*image, rpt1);
    if (r.freq != 0 && r.duplex != 0) record.rpt1RouteIndex = static_cast<std::uint32_t>(rpt1);
  }
  FillRptRoute(image, rpt1, record.rpt1Call, record.rpt1Route);

  const int rpt2 =
      image ? FindRptByCallPair(*image, record.rpt1Call.data(), record.rpt2Call.data(), 8, 1)
            : kRptNotFound;
  record.rpt2RouteIndex = IsFound(image, rpt2) ? static_cast<std::uint32_t>(rpt2) : kRouteNone;
  FillRptRoute(image, rpt2, record.rpt2Call, record.rpt2Route);
}

void GetDvRouteStatus(datCh& record) {
  std::uint32_t kind = dvroute::kKindNone;
  RouteName destName, accessName, rpt2Name;
  SetText(destName, "");
  SetText(accessName, "");
  SetText(rpt2Name, "");
  std::uint32_t destIndex = kRouteNone, accessIndex = kRouteNone, rpt2Index = kRouteNone;
  std::uint32_t rpt2Mode = kRpt2SameRpt;

  datCh copy = record;
  const bool duplexOn = copy.duplex != 0;
  if (IsBlankText(copy.urCall)) SetText(copy.urCall, "CQCQCQ  ");
  const bool blank1 = IsBlankText(copy.rpt1Call);
  const bool blank2 = IsBlankText(copy.rpt2Call);
  if (blank1 != blank2) {
    if (blank1)
      copy.rpt1Call = copy.rpt2Call;
    else
      copy.rpt2Call = copy.rpt1Call;
    if (copy.rpt1Call[7] == 'G') copy.rpt1Call[7] = ' ';
  }
  ResetChannelRoute(copy);
  ResolveRptDisplay(copy);

  const datText<8>& u = copy.urCall;
  const datText<8>& r1 = copy.rpt1Call;
  const datText<8>& r2 = copy.rpt2Call;
  const bool missing = copy.rpt1RouteIndex >= kRouteNone || copy.rpt2RouteIndex >= kRouteNone;
  const bool bothBlank = IsBlankText(r1) && IsBlankText(r2);
  const bool r2Gateway = r2[7] == 'G';
  auto withMissing = [&](std::uint32_t k) { return missing ? k + 5 : k; };
  auto takeDest = [&](const RouteName& name, std::uint32_t index) {
    destName = name;
    destIndex = index;
  };
  auto takeAccess = [&] {
    accessName = First16(copy.rpt1Route);
    accessIndex = copy.rpt1RouteIndex;
  };
  datText<8> cq;
  SetText(cq, "CQCQCQ  ");

  if (u == cq) {
    if (bothBlank || !duplexOn) {
      kind = dvroute::kKindDirect;
      takeDest(copy.urRoute, copy.urRouteIndex);
    } else if (r1 == r2) {
      kind = withMissing(dvroute::kKindSingle);
      takeDest(copy.urRoute, copy.urRouteIndex);
      takeAccess();
    } else if (!r2Gateway) {
      kind = withMissing(dvroute::kKindAssistLink);
      takeDest(First16(copy.rpt2Route), copy.rpt2RouteIndex);
      takeAccess();
    }
  } else if (u[0] != '/') {
    if (bothBlank || !duplexOn) {
      kind = dvroute::kKindDirect;
      takeDest(copy.urRoute, copy.urRouteIndex);
    } else if (r1 == r2) {
      kind = withMissing(dvroute::kKindSingle);
      takeDest(copy.urRoute, copy.urRouteIndex);
      takeAccess();
      rpt2Index = copy.rpt2RouteIndex;
      if (!IsBlankText(record.rpt2Route)) {
        rpt2Name = First16(record.rpt2Route);
        rpt2Mode = kRpt2NamedRpt;
      }
    } else if (!r2Gateway) {
      kind = withMissing(dvroute::kKindAssistLink);
      takeDest(copy.urRoute, copy.urRouteIndex);
      takeAccess();
      rpt2Name = First16(copy.rpt2Route);
      rpt2Index = copy.rpt2RouteIndex;
      rpt2Mode = kRpt2NamedRpt;
    } else {
      kind = withMissing(dvroute::kKindGateway);
      takeDest(copy.urRoute, copy.urRouteIndex);
      takeAccess();
      rpt2Index = copy.rpt2RouteIndex;
      rpt2Mode = kRpt2Gateway;
    }
  } else if (duplexOn && r1 != r2 && r2Gateway) {
    kind = withMissing(dvroute::kKindGateway);
    takeDest(copy.urRoute, copy.urRouteIndex);
    takeAccess();
  }

  record.routeKind = kind;
  record.routeKindText = RouteKindText(kind);
  record.routeDestName = destName;
  record.routeDestIndex = destIndex;
  record.routeAccessName = accessName;
  record.routeAccessIndex = accessIndex;
  record.routeRpt2Name = rpt2Name;
  record.routeRpt2Index = rpt2Index;
  record.routeRpt2Mode = rpt2Mode;
}
