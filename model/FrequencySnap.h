#pragma once
// Typed frequencies snapped to the channel grid, for the frequency cells and
// the CSV import. Only the entry points: the grid rule is
// stepcode::SnapToChannelStep, the band comes from the band plan of the
// destination in force (indDestination::Current()).
//
// Channels in the air band (118-137 MHz) snap to 8.33 kHz steps, all others
// to 5 or 6.25 kHz, whichever is nearer. Repeaters use the 5 / 6.25 kHz grid
// whatever the band. Negative values are returned as they are.
#include <cstdint>

// A channel's frequency, by its own band.
std::int64_t SnapFrequency(std::int64_t frequency);
// A channel's duplex offset, by the band of the channel's frequency.
std::int64_t SnapOffsetFrequency(std::int64_t channelFrequency, std::int64_t offset);
// A repeater's frequency and offset.
std::int64_t SnapRepeaterFrequency(std::int64_t frequency);
std::int64_t SnapRepeaterOffset(std::int64_t offset);
