#pragma once
// The choice lists of the record fields of the list sheets whose list
// depends on the record: a memory channel's mode and tuning step (by band,
// destination group and the current value), a scan edge's step and mode (by
// the bands of its two ends), and a repeater entry's mode and duplex (by its
// type). Each answers a list key; nothing here reads the text tables.
#include <cstdint>

namespace recordlists {

// Mode of a memory channel: the band's list, or its "_w" list that adds a
// current mode the band does not allow.
const char* ChannelModeList(std::int64_t freq, std::uint32_t mode);
// Tuning step of a memory channel; groupB: the destination is of group B.
const char* ChannelStepList(std::int64_t freq, std::uint32_t step, bool groupB);
// Tuning step and mode of a scan edge from its low and high ends.
const char* ScanEdgeStepList(std::int64_t low, std::int64_t high, std::uint32_t step, bool groupB);
const char* ScanEdgeModeList(std::int64_t low, std::int64_t high);
// Mode and duplex of a repeater entry by its type (GetRepeaterListType: 0 DV
// repeater, 1 DV simplex, 2 FM repeater, 3 FM simplex). The duplex cell of a simplex entry
// shows "---" instead of a list; its stored duplex belongs to the simplex list.
const char* RepeaterModeList(int type);
const char* RepeaterDupList(int type);

// The plain list of a band (no "_w" list): what a channel of that band may
// hold without a warning.
const char* PlainChannelModeList(std::int64_t freq);
const char* PlainChannelStepList(std::int64_t freq, bool groupB);

}  // namespace recordlists
