#pragma once
// The sheet numbers of the tree's pages: one number names a page in the
// tree, in the page references, in the CSV lists and in the node-rename
// events. A list split over several pages numbers them in a run (first +
// index); the run lengths come from the image layout, so a page number and
// the table it shows cannot drift apart. Numbers not listed here name no
// list page.
#include "model/LayoutFixedAreas.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"

namespace sheetno {

// Memory channels, a hundred to a page: 0 holds 0..99, 9 holds 900..999.
inline constexpr int kMemoryPageChannels = 100;  // channels on one memory page
inline constexpr int kFirstMemory = 0;           // channels 0..99
inline constexpr int kLastMemory = kFirstMemory + layout::kMemoryChannels / kMemoryPageChannels - 1;

// Banks A..Z, then the call channels and the scan edges.
inline constexpr int kFirstBank = 21;                                  // bank A
inline constexpr int kLastBank = kFirstBank + layout::kBankCount - 1;  // bank Z
inline constexpr int kCallChannels = 47;                               // the call channels
inline constexpr int kScanEdges = 48;                                  // the scan edges

// Scan links 0..9.
inline constexpr int kFirstLink = 51;                              // scan link 0
inline constexpr int kLastLink = kFirstLink + layout::kLinks - 1;  // scan link 9

// Your call signs and the repeater list (groups 0..49).
inline constexpr int kYourCalls = 120;           // the your-call list
inline constexpr int kRepeaterTop = 121;         // the repeater list as a whole
inline constexpr int kRepeaterNames = 122;       // the repeater-group names
inline constexpr int kFirstRepeaterGroup = 123;  // repeater group 0
inline constexpr int kLastRepeaterGroup = kFirstRepeaterGroup + layout::kRptGroups - 1;  // group 49

// Transmitted and received calls.
inline constexpr int kFirstTxCalls = 210;  // the first of the four transmitted-call lists
inline constexpr int kLastTxCalls = 213;   // the last of them
inline constexpr int kRxCalls = 215;       // the received calls

// The GPS memory: group 0 has no name, groups 1..26 are A..Z.
inline constexpr int kGpsTop = 219;                             // the GPS memory as a whole
inline constexpr int kGpsNames = 220;                           // the GPS-group names
inline constexpr int kFirstGpsGroup = 221;                      // GPS group 0
inline constexpr int kFirstNamedGpsGroup = kFirstGpsGroup + 1;  // group 1 (A), group name 0
inline constexpr int kLastGpsGroup = kFirstGpsGroup + layout::kGpsGroups - 1;  // group 26 (Z)

static_assert(kLastMemory < kFirstBank && kLastBank < kCallChannels);
static_assert(kLastLink < kYourCalls && kLastRepeaterGroup < kFirstTxCalls);
static_assert(kFirstNamedGpsGroup + layout::kGpsGroupNameCount - 1 == kLastGpsGroup);

}  // namespace sheetno
