#pragma once
// The program's own copy buffer for list rows: whole decoded item records,
// so a paste re-encodes every field. Every operation is clamped to the range
// of its item kind, and buffered records are never left bound to the image
// they came from (that image may be resized or destroyed before a paste).
#include <cstdint>
#include <vector>

#include "model/datCh.h"

class cmcEeprom;

class cmcClipCh {
 public:
  cmcClipCh() = default;
  virtual ~cmcClipCh();
  cmcClipCh(const cmcClipCh&) = delete;
  cmcClipCh& operator=(const cmcClipCh&) = delete;

  // Destroys the records; kind, first and count become 0.
  virtual void Clear();
  // Clears, then holds the items (kind, first + i) for i below count, as far
  // as the kind's range reaches.
  virtual void Copy(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int count);
  // Loads item (kind, index) of the image into the record.
  virtual void CopyOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index, datCh& record);
  // The buffer holds records of this kind (kind 0 never).
  virtual bool CanPaste(std::uint32_t kind) const;
  // Writes record i at first + i while i < count, i < n and the index stays
  // in the kind's range; answers the number of records written.
  virtual int Paste(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int n);
  // Stores the record at (kind, index) of the image; answers whether it wrote.
  virtual bool PasteOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index,
                        const datCh& record);

  std::uint32_t Kind() const { return kind_; }
  std::uint32_t First() const { return first_; }
  int Count() const { return count_; }

  // Highest index of a kind the buffer works on; false for kinds without a
  // list. Bank channels are channel numbers (0..1003), not bank slots.
  static bool KindRange(std::uint32_t kind, std::uint32_t& lowest, std::uint32_t& highest);

 protected:
  // How many of `count` items from `first` lie in the kind's range.
  static int ClampCount(std::uint32_t kind, std::uint32_t first, std::int64_t count);

  std::vector<datCh> records_;
  std::uint32_t kind_ = 0;
  std::uint32_t first_ = 0;
  int count_ = 0;
};

// The document's copy buffer.
class datClipCh : public cmcClipCh {
 public:
  datClipCh() = default;
  ~datClipCh() override;

  // Only the lists that can be pasted into: memory channels (1), bank
  // channels (3), scan edges (4), GPS memories (6), repeaters (7) and your
  // call signs (8).
  bool CanPaste(std::uint32_t kind) const override;
  bool PasteOne(cmcEeprom& image, std::uint32_t kind, std::uint32_t index,
                const datCh& record) override;

  // Holds the channels of bank slots firstSlot.. (clamped to bank 0..25 and
  // slots 0..99) under the given kind. A slot naming a channel gives that
  // channel without its bank; a free or twice-claimed slot an unused record.
  void CopyBank(cmcEeprom& image, std::uint32_t kind, int bank, int firstSlot, int count);
  int PasteGuarded(cmcEeprom& image, std::uint32_t kind, std::uint32_t first, int n);
  // Copies record i into `record` when 0 <= i < count.
  bool GetRecord(int i, datCh& record) const;
  bool Busy() const { return busy_ != 0; }

 private:
  std::uint32_t busy_ = 0;
  datCh scratch_;
};

// The kind a list's rows are buffered as: bank rows are memory channels, so
// that bank rows paste into the channel list and channel rows into banks.
std::uint32_t ClipKindOfList(std::uint32_t listKind);
