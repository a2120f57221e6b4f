#include "model/InitialImage.h"

#include "model/DefaultImage.h"
#include "model/LayoutImage.h"

namespace {

// The default image keeps the three band-default records at the start of
// the set-mode settings; the software area takes them at its head.
constexpr std::int64_t kSetModeBandDefaults = layout::kRegionStartRev3[31];
constexpr std::int64_t kBankTableBytes =
    static_cast<std::int64_t>(layout::kBankCount) * layout::kBankSlots * 2;

}  // namespace

cmcEeprom FullImageFromDefault(const cmcEeprom& defaultImage) {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  if (defaultImage.GetSize() >= kDefaultImageSize)
    image.SetBlock(0, defaultImage.Data(), kDefaultImageSize);
  for (std::int64_t a = 0; a < kBankTableBytes; ++a) image.SetByte(layout::kBankTable + a, 0xFF);
  std::uint8_t head[layout::kBandDefaultBytes];
  image.GetBlock(kSetModeBandDefaults, head, layout::kBandDefaultBytes);
  image.SetBlock(layout::kBandDefaults, head, layout::kBandDefaultBytes);
  return image;
}
