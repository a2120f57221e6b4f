// Band defaults (kind 15): the channel settings a new channel takes in a
// band, three 17-byte records in the software area.
#include <array>

#include "model/BandDefaults.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"

void datCh::LoadBandDefault(std::uint32_t i) {
  const int record = i == 0 ? 0 : (i == 1 ? 1 : 2);
  std::array<std::uint8_t, layout::kBandDefaultSize> b{};
  image_->GetBlock(layout::kBandDefaults + layout::kBandDefaultSize * record, b.data(),
                   layout::kBandDefaultSize);
  DecodeBandDefault(b.data(), *this);
  SetText(urCall, "CQCQCQ");
  skip = 0;
  bank = kBankNone;
  bankSlot = 0;
}
