#include "core/cmcBuff.h"

#include <QString>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "platform/Fatal.h"

namespace {

constexpr std::int64_t kMaxLength = std::numeric_limits<int>::max();

// Bytes consumed from the front before a compaction is considered. Beyond
// this the buffer compacts once the consumed bytes at least equal the bytes
// still held, so draining a large queue moves each byte at most once on
// average instead of once per 4 KB consumed.
constexpr int kCompactAfter = 4096;

// Smallest block a growth allocates, so that short queues do not allocate
// every few bytes.
constexpr std::int64_t kMinGrowth = 64;

}  // namespace

cmcBuff::cmcBuff() : block_(new std::uint8_t[1]{0}) {}

cmcBuff::cmcBuff(const cmcBuff& other) : cmcBuff() {
  fill_ = other.fill_;
  Assign(other);
}

cmcBuff::cmcBuff(cmcBuff&& other) noexcept
    : block_(std::move(other.block_)),
      start_(other.start_),
      length_(other.length_),
      capacity_(other.capacity_),
      fill_(other.fill_) {
  // The moved-from buffer keeps the invariant only once it is used again:
  // every member function but the destructor and assignment re-creates a
  // block first (see Clear()).
  other.start_ = 0;
  other.length_ = 0;
  other.capacity_ = 0;
}

cmcBuff& cmcBuff::operator=(const cmcBuff& other) {
  Assign(other);
  return *this;
}

cmcBuff& cmcBuff::operator=(cmcBuff&& other) noexcept {
  if (this != &other) {
    block_ = std::move(other.block_);
    start_ = other.start_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    fill_ = other.fill_;
    other.start_ = 0;
    other.length_ = 0;
    other.capacity_ = 0;
  }
  return *this;
}

cmcBuff::~cmcBuff() = default;

void cmcBuff::OutOfElement() { platform::Fatal(QStringLiteral("Out of cmcBuff element !")); }

void cmcBuff::Reallocate(std::int64_t capacity) {
  if (capacity < 1) capacity = 1;
  if (capacity > kMaxLength) capacity = kMaxLength;
  const int cap = static_cast<int>(capacity);
  std::unique_ptr<std::uint8_t[]> fresh(new std::uint8_t[static_cast<std::size_t>(cap)]);
  const int keep = length_ < cap ? length_ : cap;
  if (keep > 0) std::memcpy(fresh.get(), Data(), static_cast<std::size_t>(keep));
  std::memset(fresh.get() + keep, fill_, static_cast<std::size_t>(cap - keep));
  block_ = std::move(fresh);
  start_ = 0;
  capacity_ = cap;
}

void cmcBuff::Grow(std::int64_t n) {
  if (n > kMaxLength) OutOfElement();
  if (!block_) Clear();
  if (n <= capacity_) return;
  // A quarter of the current length in reserve keeps appending amortised
  // constant; the sum is capped rather than allowed to overflow.
  std::int64_t want = static_cast<std::int64_t>(length_) / 4 + n;
  if (want < kMinGrowth) want = kMinGrowth;
  if (want > kMaxLength) want = kMaxLength;
  // A queue fed and drained at once (the serial pump) keeps a short length
  // and runs out of room only because its front was consumed: slide the
  // bytes back to the block start instead of allocating, when the block is
  // big enough and the consumed part pays for the move.
  const std::int64_t blockSize = static_cast<std::int64_t>(start_) + capacity_;
  if (blockSize >= want && start_ >= length_) {
    std::memmove(block_.get(), Data(), static_cast<std::size_t>(length_));
    start_ = 0;
    capacity_ = static_cast<int>(blockSize);
    return;
  }
  Reallocate(want);
}

bool cmcBuff::InBlock(const std::uint8_t* p) const {
  const std::uint8_t* lo = block_.get();
  const std::uint8_t* hi = lo + start_ + capacity_;
  return !std::less<const std::uint8_t*>()(p, lo) && std::less<const std::uint8_t*>()(p, hi);
}

void cmcBuff::SetLength(int n) {
  if (n < 0) n = 0;
  if (!block_) Clear();
  if (n > capacity_) Grow(n);
  if (n > length_) {
    std::memset(Data() + length_, fill_, static_cast<std::size_t>(n - length_));
  }
  length_ = n;
}

void cmcBuff::Assign(const cmcBuff& other) {
  if (this == &other) return;
  if (!other.block_) {
    Clear();
    return;
  }
  SetBytes(other.Data(), other.length_);
}

void cmcBuff::Append(const cmcBuff& other) {
  if (!other.block_) return;
  AppendBytes(other.Data(), other.length_);
}

void cmcBuff::PushByte(std::uint8_t b) {
  if (!block_) Clear();
  if (length_ >= capacity_) Grow(static_cast<std::int64_t>(length_) + 1);
  Data()[length_++] = b;
}

void cmcBuff::SetBytes(const void* p, int n) {
  // AppendBytes copies bytes of our own block out before it replaces it.
  length_ = 0;
  AppendBytes(p, n);
}

void cmcBuff::AppendBytes(const void* p, int n) {
  if (p == nullptr || n <= 0) return;
  if (!block_) Clear();
  const auto* src = static_cast<const std::uint8_t*>(p);
  const std::int64_t newLength = static_cast<std::int64_t>(length_) + n;
  if (newLength > capacity_) {
    if (InBlock(src)) {
      // Appending (part of) ourselves: the old block is freed by the growth.
      std::vector<std::uint8_t> copy(src, src + n);
      Grow(newLength);
      std::memcpy(Data() + length_, copy.data(), static_cast<std::size_t>(n));
      length_ = static_cast<int>(newLength);
      return;
    }
    Grow(newLength);
  }
  std::memmove(Data() + length_, src, static_cast<std::size_t>(n));
  length_ = static_cast<int>(newLength);
}

void cmcBuff::AppendFill(std::uint8_t b, int n) {
  if (n <= 0) return;
  if (!block_) Clear();
  const std::int64_t newLength = static_cast<std::int64_t>(length_) + n;
  if (newLength > capacity_) Grow(newLength);
  std::memset(Data() + length_, b, static_cast<std::size_t>(n));
  length_ = static_cast<int>(newLength);
}

std::uint8_t* cmcBuff::At(int i) {
  if (i < 0 || i >= length_) OutOfElement();
  return Data() + i;
}

const std::uint8_t* cmcBuff::At(int i) const {
  if (i < 0 || i >= length_) OutOfElement();
  return Data() + i;
}

int cmcBuff::PopFront() {
  if (length_ <= 0) return -1;
  const int b = Data()[0];
  ++start_;
  --capacity_;
  --length_;
  if (start_ > kCompactAfter && start_ >= length_) Compact();
  return b;
}

void cmcBuff::Compact() {
  if (!block_) {
    Clear();
    return;
  }
  Reallocate(length_);
}

void cmcBuff::Clear() {
  block_.reset(new std::uint8_t[1]{0});
  start_ = 0;
  length_ = 0;
  capacity_ = 1;
}

bool cmcBuff::operator==(const cmcBuff& other) const {
  if (length_ != other.length_) return false;
  return length_ == 0 || std::memcmp(Data(), other.Data(), static_cast<std::size_t>(length_)) == 0;
}
