#pragma once
// Growable byte array of the serial link and the clone engine (transmit and
// receive queues, frames under assembly). Appending reserves a quarter of the
// length on each growth; bytes are consumed from the front without moving
// memory until enough has been consumed to make compaction pay. Sizes are
// summed in 64 bits, so a count never wraps into a short block: a length past
// the int range is the same internal failure as At.
#include <cstdint>
#include <memory>

class cmcBuff {
 public:
  cmcBuff();
  cmcBuff(const cmcBuff& other);
  cmcBuff(cmcBuff&& other) noexcept;
  cmcBuff& operator=(const cmcBuff& other);
  cmcBuff& operator=(cmcBuff&& other) noexcept;
  ~cmcBuff();

  // Sets the length. Bytes added always read as the fill byte, whether the
  // block had to grow or not; a negative length counts as 0.
  void SetLength(int n);
  int Length() const { return length_; }
  int Size() const { return length_; }
  // Bytes available from the first byte held to the end of the block.
  int Capacity() const { return capacity_; }
  bool Empty() const { return length_ == 0; }

  std::uint8_t* Data() { return block_.get() + start_; }
  const std::uint8_t* Data() const { return block_.get() + start_; }
  std::uint8_t* Bytes() { return Data(); }
  const std::uint8_t* Bytes() const { return Data(); }

  void Assign(const cmcBuff& other);
  void Append(const cmcBuff& other);
  void PushByte(std::uint8_t b);
  void AppendByte(std::uint8_t b) { PushByte(b); }
  // Replaces the contents with / appends n bytes from p. A null p or a count
  // of 0 or less adds nothing. p may point into this buffer.
  void SetBytes(const void* p, int n);
  void AppendBytes(const void* p, int n);
  // Appends n copies of b (n <= 0 adds nothing).
  void AppendFill(std::uint8_t b, int n);

  // Pointer to byte i. An index outside 0..length-1 is an internal failure
  // ("Out of cmcBuff element !", the program ends with exit code 3).
  std::uint8_t* At(int i);
  const std::uint8_t* At(int i) const;

  // Removes and returns the first byte (0..255), or -1 when empty.
  int PopFront();
  // Moves the bytes into a new block of exactly the length (at least 1).
  void Compact();
  // Frees the block and becomes empty as after construction.
  void Clear();

  std::uint8_t FillByte() const { return fill_; }
  void SetFillByte(std::uint8_t b) { fill_ = b; }

  bool operator==(const cmcBuff& other) const;

 private:
  void Grow(std::int64_t n);
  void Reallocate(std::int64_t capacity);
  // p points into the block (held bytes or the room around them).
  bool InBlock(const std::uint8_t* p) const;
  [[noreturn]] static void OutOfElement();

  std::unique_ptr<std::uint8_t[]> block_;
  int start_ = 0;  // offset of the first byte held within the block
  int length_ = 0;
  int capacity_ = 1;  // from start_ to the end of the block
  std::uint8_t fill_ = 0;
};
