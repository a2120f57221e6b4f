#pragma once
// A full-size image made from a built-in default image the way the initial
// image is: the default image's bytes, the rest 0xFF, and the head of the
// software area filled (band defaults from region 31, list counts 0).
#include "model/DefaultImage.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

namespace kwtest {

inline cmcEeprom FullFromDefaultImage(const cmcEeprom& base) {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  image.Fill(0xFF);
  image.SetBlock(0, base.Data(), base.GetSize());
  image.SetBlock(layout::kBandDefaults, base.Data() + 0x29F80, 51);
  for (std::int64_t a = layout::kRptGroupCounts; a <= layout::kYourCallCount + 1; ++a)
    image.SetByte(a, 0);
  return image;
}

}  // namespace kwtest
