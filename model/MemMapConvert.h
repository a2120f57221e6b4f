#pragma once
// Conversion of memory images between the layout revisions, one revision step
// at a time (1 <-> 2 <-> 3). Every converter builds a new 0x40000-byte image
// filled with 0xFF and writes the converted parts into it; the software area
// is never converted (the caller rebuilds it).
//
// Going down loses what the older layout cannot hold; the loss report says
// how much, so the caller can tell the user instead of dropping it silently.
#include "model/cmcEeprom.h"

struct MemMapLoss {
  bool refused = false;  // the source was too small: nothing converted, target untouched
  int repeaters = 0;     // repeater list entries dropped
  int yourCalls = 0;     // your-call signs dropped
  int gpsMemories = 0;   // GPS memories dropped
  int groups = 0;        // repeater groups that lost their start
  int references = 0;    // GPS references, record indexes and the selected repeater emptied
  int toneCodes = 0;     // tone codes the older layout lacks, reset

  bool Any() const {
    return repeaters || yourCalls || gpsMemories || groups || references || toneCodes;
  }
  MemMapLoss& operator+=(const MemMapLoss& other);
};

// Converts source (of revision fromRev) into target (of revision toRev); ids
// of 0 or above 3 mean 3. Equal ids copy the source. The target may be the
// source. A source smaller than its revision's converted area is refused and
// the target left as it was.
MemMapLoss MemMapConvertImage(cmcEeprom& target, const cmcEeprom& source, int toRev, int fromRev);

// Single steps; each returns false (newImage untouched) for an undersized source.
bool ConvertImageV1ToV2(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss = nullptr);
bool ConvertImageV2ToV1(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss = nullptr);
bool ConvertImageV2ToV3(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss = nullptr);
bool ConvertImageV3ToV2(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss = nullptr);
