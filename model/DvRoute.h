#pragma once
// Digital-voice routes of a memory channel: the access repeater (RPT1), the
// called station (UR) and the forwarding repeater or gateway (RPT2), chosen
// by names from the repeater and your-call lists, judged, and written into a
// channel record with the access repeater's frequency, duplex and offset.
//
// Repeater indexes here: 0 .. total - 1 an entry of the repeater list; 1500
// none, 1501 "CQCQCQ", 1502 a call sign typed directly. Any other index,
// negative ones and list indexes past the used entries included, counts as
// none: nothing outside the lists is read. Frequencies are judged against
// the destination in force (indDestination::Current()), as the item codec
// does. Names are 16 bytes, call signs 8, code page 932 padded with blanks.
//
// Nothing here stores a record; the callers do.
#include <cstdint>
#include <string_view>

#include "model/datCh.h"

class cmcEeprom;

inline constexpr int kRouteNone = 1500;
inline constexpr int kRouteCq = 1501;
inline constexpr int kRouteDirect = 1502;

using RouteName = datText<16>;
using RouteCall = datText<8>;

// Access status of a chosen access repeater.
namespace dvaccess {
inline constexpr int kNone = 0;       // no access repeater (blank name)
inline constexpr int kUnusable = 1;   // 0 Hz or duplex off (checked: also bad frequencies)
inline constexpr int kNoGateway = 2;  // usable, gateway call sign not ending in "G"
inline constexpr int kGateway = 3;    // usable, gateway call sign ending in "G"
inline constexpr int kNotFound = 4;   // not in the list
}  // namespace dvaccess

// Destination status of a chosen destination.
namespace dvdest {
inline constexpr int kBlank = 0;         // blank, or a DV repeater without call sign
inline constexpr int kSameRpt = 1;       // the access repeater's own call sign
inline constexpr int kSameSite = 2;      // another repeater behind the same gateway
inline constexpr int kOtherLocal = 3;    // another repeater, gateway not ending in "G"
inline constexpr int kOtherGateway = 4;  // another repeater, gateway ending in "G"
inline constexpr int kCq = 5;            // "CQCQCQ"
inline constexpr int kYourCall = 6;      // a your-call name, or a name of no repeater
inline constexpr int kUnreachable = 7;   // a "/" call sign the access repeater cannot reach
}  // namespace dvdest

// RPT2 modes of a route.
inline constexpr int kRpt2SameRpt = 1;
inline constexpr int kRpt2NamedRpt = 2;
inline constexpr int kRpt2Gateway = 3;

// Access status of repeater `index`. Unusable: 0 Hz or duplex off; with
// checkFreq also a frequency the destination does not allow, one in the air
// band, or an offset above 59999999 Hz.
int GetRptAccessStatus(const cmcEeprom& image, int index, bool checkFreq);

struct DvRouteCheck {
  int access = dvaccess::kNone;
  int dest = dvdest::kBlank;
};
// Classifies a chosen pair. A "/" destination that reaches the access
// repeater's site is rewritten into repeater form ("/ABCDEFC" becomes
// "ABCDEF C"); one that reaches a repeater without gateway is blanked.
DvRouteCheck CheckDvRoute(const cmcEeprom& image, RouteName accessName, RouteName& destName,
                          bool checkFreq);
bool IsDvRouteValid(int access, int dest);
// 0, or for a your-call destination: 1 with access 2, 2 with access 3.
int GetRpt2ChoiceKind(int access, int dest);
// Repeater i is DV with a call sign, and repeater j has i's call sign or its
// non-blank gateway call sign.
bool IsRptSameSite(const cmcEeprom& image, int i, int j);

// Resolves the names on the record's image (rpt2Name is used for RPT2 mode
// 2 only; mode 3 is the gateway, others none) and writes the route. A name
// that matches nothing leaves its part blank.
bool SetDvRouteByNames(datCh& record, const cmcEeprom& initialImage, RouteName accessName,
                       RouteName destName, RouteName rpt2Name, int rpt2Mode);
// Writes the route into a channel record: an unused record first becomes the
// band-default record (from the initial image) of the access repeater's band
// (the third record without access repeater) and is marked used; then the
// access repeater's frequency, duplex and offset, DV mode and UR / RPT1 /
// RPT2. Refuses (false, record untouched) an access repeater that is not
// usable with frequencies checked, a record without image, or an initial
// image too small to hold the band defaults.
bool WriteDvRoute(datCh& record, const cmcEeprom& initialImage, int accessIndex, int destIndex,
                  int rpt2Index, RouteName destText);

// "KLMNOP C" <-> "/KLMNOPC". The first leaves a blank call sign as it is,
// the second changes only a text that begins with "/".
RouteCall MakeSlashUrCall(const char* call8);
RouteCall SlashUrToRptCall(const char* text8);
// The text without trailing blanks, padded with blanks or cut to 16 bytes,
// never splitting a double-byte character.
RouteName CopyPaddedName16(std::string_view text);
