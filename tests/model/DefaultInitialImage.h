#pragma once
// A full-size image made from a built-in default image the way the initial
// image is, before the loading passes: the default image's bytes, an empty
// bank table, the head of the software area filled, list counts 0.
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/cmcEeprom.h"

namespace kwtest {

inline cmcEeprom FullFromDefaultImage(const cmcEeprom& base) { return FullImageFromDefault(base); }

}  // namespace kwtest
