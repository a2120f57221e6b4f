#pragma once
// What the document loses when it is written in an older layout revision,
// found by comparing two revision-3 images that went through the same write
// preparation and loading passes: the reference (the document as a file of
// the current layout would give it back) and the round trip (the document
// written for the older layout and read back into the current one). Only
// the conversion tells them apart, so every difference is a loss:
//
// - list entries dropped: the down conversion's own count (MemMapLoss);
// - memory and call channels: record by record, counted when changed;
// - the repeater, your-call and GPS lists: the entries both images keep,
//   compared in list order (a repeater's gateway reference word is
//   housekeeping and left out);
// - everything else of the clone range (the settings areas, scan edges,
//   bank and group names, history, call lists) byte by byte; the order
//   tables, which the passes rebuild, are left out.
//
// Nothing is written; both images must be full-size revision-3 images.
#include "model/MemMapConvert.h"

class cmcEeprom;

struct OldLayoutLoss {
  int repeaters = 0;        // repeater list entries dropped
  int groups = 0;           // repeater groups that lost their entries
  int yourCalls = 0;        // your-call signs dropped
  int gpsMemories = 0;      // GPS memories dropped (the last in list order)
  int channelsChanged = 0;  // memory and call channels whose record changes
  bool settingsReset = false;  // anything else changes

  bool Any() const {
    return repeaters || groups || yourCalls || gpsMemories || channelsChanged || settingsReset;
  }
};

// `revision` is the older layout (1 or 2); `down` the loss count of its
// conversion.
OldLayoutLoss CompareOldLayoutRoundTrip(const cmcEeprom& reference, const cmcEeprom& roundTrip,
                                        const MemMapLoss& down, int revision);
