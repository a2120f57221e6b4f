#pragma once
// Big-endian numbers and bitmaps read from and written to an image through
// its checked byte access (an address outside the image ends the program).
#include <cstdint>

#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

namespace imageaccess {

inline std::uint16_t Get16(const cmcEeprom& image, std::int64_t address) {
  return static_cast<std::uint16_t>((image.GetByte(address) << 8) | image.GetByte(address + 1));
}

inline void Set16(cmcEeprom& image, std::int64_t address, std::uint32_t value) {
  image.SetByte(address, static_cast<std::uint8_t>(value >> 8));
  image.SetByte(address + 1, static_cast<std::uint8_t>(value));
}

inline std::uint32_t Get32(const cmcEeprom& image, std::int64_t address) {
  return (static_cast<std::uint32_t>(Get16(image, address)) << 16) | Get16(image, address + 2);
}

inline void Set32(cmcEeprom& image, std::int64_t address, std::uint32_t value) {
  Set16(image, address, value >> 16);
  Set16(image, address + 2, value & 0xFFFF);
}

// Bit n of the bitmap at base: byte n / 8, mask 1 << (n mod 8).
inline bool GetBit(const cmcEeprom& image, std::int64_t base, std::int64_t n) {
  return (image.GetByte(base + n / 8) >> (n % 8)) & 1;
}

inline void SetBit(cmcEeprom& image, std::int64_t base, std::int64_t n, bool on) {
  const std::int64_t address = base + n / 8;
  const auto mask = static_cast<std::uint8_t>(1u << (n % 8));
  const std::uint8_t old = image.GetByte(address);
  image.SetByte(address, on ? (old | mask) : (old & ~mask));
}

// The common settings block (region 29, 0x29A9D..0x29F7F), addressed by
// offsets from its start as the set-mode settings are numbered. A view over
// the image: it owns nothing, and an address outside the image is fatal as
// for any byte access.
class CommonBlock {
 public:
  static constexpr std::int64_t kBase = layout::kRegionStartRev3[29];
  static constexpr std::int64_t kSize = layout::kRegionStartRev3[30] - kBase;

  explicit CommonBlock(cmcEeprom& image) : image_(&image) {}

  static constexpr std::int64_t Address(std::int64_t offset) { return kBase + offset; }
  std::uint8_t Get8(std::int64_t offset) const { return image_->GetByte(Address(offset)); }
  void Set8(std::int64_t offset, std::uint8_t value) { image_->SetByte(Address(offset), value); }
  std::uint16_t Get16(std::int64_t offset) const {
    return imageaccess::Get16(*image_, Address(offset));
  }
  void Set16(std::int64_t offset, std::uint32_t value) {
    imageaccess::Set16(*image_, Address(offset), value);
  }
  std::uint32_t Get32(std::int64_t offset) const {
    return imageaccess::Get32(*image_, Address(offset));
  }
  void Set32(std::int64_t offset, std::uint32_t value) {
    imageaccess::Set32(*image_, Address(offset), value);
  }
  cmcEeprom& Image() const { return *image_; }

 private:
  cmcEeprom* image_;
};

}  // namespace imageaccess
