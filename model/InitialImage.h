#pragma once
// The bytes the initial image starts from, before the loading passes run on
// it: a full-size image (layout::kImageSize, every byte 0) holding a
// built-in default image in its first 172928 bytes, an empty bank table
// (every byte 0xFF) and, at the head of the software area, the band-default
// records the default image keeps at the start of its set-mode settings.
// List counts stay 0 here; the loading pass derives them from the order
// tables. A default image shorter than 172928 bytes leaves the area 0.
#include "model/cmcEeprom.h"

cmcEeprom FullImageFromDefault(const cmcEeprom& defaultImage);
