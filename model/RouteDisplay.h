#pragma once
// What a DV channel's three call signs mean, for display: the names of the
// your-call entry or repeaters they resolve to, and the route they sum up
// to (direct, single repeater, assisted link, gateway), as texts and list
// indexes. Lookups run on the record's own image (none without one); only
// the record's route fields change, never its call signs or the image.
#include "model/datCh.h"

namespace dvroute {
inline constexpr std::uint32_t kKindNone = 0;
inline constexpr std::uint32_t kKindDirect = 1;
inline constexpr std::uint32_t kKindSingle = 2;
inline constexpr std::uint32_t kKindAssistLink = 3;
inline constexpr std::uint32_t kKindGateway = 4;
// The forms of 2, 3 and 4 when RPT1 or RPT2 names no usable list entry.
inline constexpr std::uint32_t kKindSingleMissing = 7;
inline constexpr std::uint32_t kKindAssistLinkMissing = 8;
inline constexpr std::uint32_t kKindGatewayMissing = 9;
}  // namespace dvroute

// The 11-byte text of a route kind ("Asist Link " for 3, "?          " for
// 0 and any kind without a text of its own).
datText<11> RouteKindText(std::uint32_t kind);

// urRoute and urRouteIndex from urCall: the your-call entry's name, else the
// name of the repeater a "/" call sign routes to, else the call sign.
void ResetChannelRoute(datCh& record);
// rpt1Route / rpt1RouteIndex and rpt2Route / rpt2RouteIndex from RPT1 and
// RPT2. RPT1 counts as found only when its repeater has a frequency and
// duplex; a name gets a 17th character "G" for a gateway call sign.
void ResolveRptDisplay(datCh& record);
// Fills the summary fields (routeKind, routeKindText and the destination,
// access and RPT2 names, indexes and mode) from a working copy of the record.
void GetDvRouteStatus(datCh& record);
