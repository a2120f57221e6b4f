#include "model/LinkEdgeMap.h"

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

using namespace layout;

void RemapLinkEdges(cmcEeprom& image, const EdgeRenumbering& newIndex) {
  if (image.GetSize() < kMinImageSize) return;
  for (int link = 0; link < kLinks; ++link) {
    const std::int64_t base = kLinkEdgeBitmaps + 4 * static_cast<std::int64_t>(link);
    std::array<bool, kScanEdges> member{};
    for (int e = 0; e < kScanEdges; ++e) {
      const int to = newIndex[static_cast<std::size_t>(e)];
      if (to >= 0 && to < kScanEdges && imageaccess::GetBit(image, base, e))
        member[static_cast<std::size_t>(to)] = true;
    }
    for (int e = 0; e < kScanEdges; ++e)
      imageaccess::SetBit(image, base, e, member[static_cast<std::size_t>(e)]);
  }
}

EdgeRenumbering IdentityEdgeRenumbering() {
  EdgeRenumbering map{};
  for (int e = 0; e < kScanEdges; ++e) map[static_cast<std::size_t>(e)] = e;
  return map;
}
