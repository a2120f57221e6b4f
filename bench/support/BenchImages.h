#pragma once
// A full document image for the benchmarks: the initial image of a
// destination with every channel used (tone modes of every code), 1500
// repeaters in 50 groups with gateway calls shared in pairs, and 300
// your-call signs.
#include <cstdio>

#include "app/ImagePasses.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace kwbench {

inline cmcEeprom FullDocumentImage(const indDestination& destination) {
  cmcEeprom image = imagepass::BuildInitialImage(destination, false);
  datCh r(&image);
  for (int n = 0; n < layout::kAllChannels; ++n) {
    r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    r.flags = datCh::kUsed;
    r.freq = 145000000 + 5000 * static_cast<std::uint32_t>(n % 400);
    r.toneMode = static_cast<std::uint32_t>(n % 16);
    r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
  for (int g = 0; g < layout::kRptGroups; ++g)
    SetRptGroupCount(image, g, layout::kRptCapacity / layout::kRptGroups);
  for (int i = 0; i < layout::kRptCapacity; ++i) {
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JR%04d A", i);
    SetText(r.rptCall, call);
    std::snprintf(call, sizeof call, "JR%04d G", i / 2);
    SetText(r.gwCall, call);
    r.freq = 434000000;
    r.duplex = 1;
    r.offset = 5000000;
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  SetYourCallCount(image, layout::kUrCapacity);
  for (int i = 0; i < layout::kUrCapacity; ++i) {
    r.Load(itemkind::kBlankYourCall, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JA%04d  ", i);
    SetText(r.urCall, call);
    r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i));
  }
  return image;
}

}  // namespace kwbench
