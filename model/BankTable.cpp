#include "model/BankTable.h"

#include <array>

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"

using namespace layout;

void RebuildBankTable(cmcEeprom& image) {
  if (image.GetSize() < kMinImageSize) return;
  std::array<std::uint16_t, kBankCount * kBankSlots> table;
  table.fill(kBankSlotFree);
  for (int n = 0; n < kMemoryChannels; ++n) {
    if (imageaccess::GetBit(image, kChannelEmptyBitmap, n)) continue;
    const std::int64_t assign = kChannelBankAssign + 2 * static_cast<std::int64_t>(n);
    const int bank = image.GetByte(assign) & 0x1F;
    const int slot = image.GetByte(assign + 1);
    if (bank >= kBankCount || slot >= kBankSlots) continue;
    std::uint16_t& entry = table[static_cast<size_t>(bank * kBankSlots + slot)];
    entry = entry == kBankSlotFree ? static_cast<std::uint16_t>(n) : kBankSlotClash;
  }
  std::array<std::uint8_t, kBankCount * kBankSlots * 2> bytes;
  for (size_t k = 0; k < table.size(); ++k) {
    bytes[2 * k] = static_cast<std::uint8_t>(table[k] >> 8);
    bytes[2 * k + 1] = static_cast<std::uint8_t>(table[k]);
  }
  image.SetBlock(kBankTable, bytes.data(), static_cast<std::int64_t>(bytes.size()));
}
