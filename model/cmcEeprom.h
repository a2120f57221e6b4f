#pragma once
// One memory image of the radio: a sized byte array with no header.
// Byte access outside the image is an internal failure (the program ends);
// block access outside it does nothing at all (never a partial copy).
#include <cstdint>
#include <memory>

class cmcEeprom {
 public:
  cmcEeprom() = default;
  cmcEeprom(const cmcEeprom& other);
  cmcEeprom& operator=(const cmcEeprom& other);
  cmcEeprom(cmcEeprom&& other) noexcept;
  cmcEeprom& operator=(cmcEeprom&& other) noexcept;
  ~cmcEeprom() = default;

  bool operator==(const cmcEeprom& other) const;
  bool operator!=(const cmcEeprom& other) const { return !(*this == other); }

  // Reallocates when the size differs; in every case a size above 0 leaves
  // all bytes 0 (so SetSize with the current size clears the image).
  void SetSize(std::int32_t size);
  std::int32_t GetSize() const { return size_; }
  bool IsValidAddress(std::int64_t address) const { return address >= 0 && address < size_; }

  void Fill(std::uint8_t value);
  void SetByte(std::int64_t address, std::uint8_t value);
  std::uint8_t GetByte(std::int64_t address) const;
  // Nothing happens unless 0 <= address, count >= 1 and address + count <= size.
  void SetBlock(std::int64_t address, const void* source, std::int64_t count);
  void GetBlock(std::int64_t address, void* destination, std::int64_t count) const;

  // Direct access for bulk readers and writers (null when empty).
  std::uint8_t* Data() { return data_.get(); }
  const std::uint8_t* Data() const { return data_.get(); }

 private:
  bool BlockFits(std::int64_t address, std::int64_t count) const;
  // A buffer of the size whose bytes are not set yet.
  void Allocate(std::int32_t size);

  std::int32_t size_ = 0;
  std::unique_ptr<std::uint8_t[]> data_;
};
