#include "model/cmcEeprom.h"

#include <algorithm>
#include <cstring>

#include "platform/Fatal.h"

cmcEeprom::cmcEeprom(const cmcEeprom& other) { *this = other; }

// A copy writes every byte: the buffer is neither cleared first nor
// reallocated when the size is the same.
cmcEeprom& cmcEeprom::operator=(const cmcEeprom& other) {
  if (this == &other) return *this;
  if (size_ != other.size_) Allocate(other.size_);
  if (size_ > 0) std::memcpy(data_.get(), other.data_.get(), static_cast<size_t>(size_));
  return *this;
}

cmcEeprom::cmcEeprom(cmcEeprom&& other) noexcept
    : size_(other.size_), data_(std::move(other.data_)) {
  other.size_ = 0;
}

cmcEeprom& cmcEeprom::operator=(cmcEeprom&& other) noexcept {
  if (this != &other) {
    size_ = other.size_;
    data_ = std::move(other.data_);
    other.size_ = 0;
  }
  return *this;
}

bool cmcEeprom::operator==(const cmcEeprom& other) const {
  if (size_ != other.size_) return false;
  return size_ == 0 || std::memcmp(data_.get(), other.data_.get(), static_cast<size_t>(size_)) == 0;
}

void cmcEeprom::Allocate(std::int32_t size) {
  data_.reset();
  size_ = 0;
  if (size > 0) {
    data_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<size_t>(size));
    size_ = size;
  }
}

void cmcEeprom::SetSize(std::int32_t size) {
  if (size < 0) size = 0;
  if (size != size_) Allocate(size);
  if (size_ > 0) std::memset(data_.get(), 0, static_cast<size_t>(size_));
}

void cmcEeprom::Fill(std::uint8_t value) {
  if (size_ > 0) std::memset(data_.get(), value, static_cast<size_t>(size_));
}

void cmcEeprom::SetByte(std::int64_t address, std::uint8_t value) {
  if (!IsValidAddress(address))
    platform::Fatal(QStringLiteral("Out of EEPROM image address (SetByte)."));
  data_[static_cast<size_t>(address)] = value;
}

std::uint8_t cmcEeprom::GetByte(std::int64_t address) const {
  if (!IsValidAddress(address))
    platform::Fatal(QStringLiteral("Out of EEPROM image address (GetByte)."));
  return data_[static_cast<size_t>(address)];
}

bool cmcEeprom::BlockFits(std::int64_t address, std::int64_t count) const {
  // count <= size - address: the sum itself could overflow for a huge count.
  return address >= 0 && address < size_ && count >= 1 && count <= size_ - address;
}

void cmcEeprom::SetBlock(std::int64_t address, const void* source, std::int64_t count) {
  if (!source || !BlockFits(address, count)) return;
  std::memmove(data_.get() + address, source, static_cast<size_t>(count));
}

void cmcEeprom::GetBlock(std::int64_t address, void* destination, std::int64_t count) const {
  if (!destination || !BlockFits(address, count)) return;
  std::memmove(destination, data_.get() + address, static_cast<size_t>(count));
}
