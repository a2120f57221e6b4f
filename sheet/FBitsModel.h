#pragma once
// What the bit-selection dialog edits, without widgets: the flag word (item
// k of first..last in bit 26 - k), the rules of the sentence sets and the
// markup of the dialog's own sheet, written as a private text table.
//
// Kind 4 (the NMEA sentence set) allows one to four sentences, kind 5 (the
// logger's set) at least one; any other kind allows every combination.
#include <cstdint>
#include <string>
#include <vector>

// Header kinds: what the header cell above each item shows.
namespace bitheader {
inline constexpr int kHex = 1;            // the item in hexadecimal
inline constexpr int kDecimal = 2;        // the item in decimal, 10 as 0
inline constexpr int kLetters = 3;        // item 1 is "A"
inline constexpr int kNmeaSentences = 4;  // RMC, GGA, GLL, GSA, VTG, GSV
inline constexpr int kNmeaOutput = 5;     // RMC, GGA, VTG, GSA
inline constexpr int kBitNumbers = 6;     // "B" and last item - item: B7..B0
}  // namespace bitheader

class FBitsModel {
 public:
  FBitsModel(std::uint32_t flags, int firstItem, int lastItem, int headerKind);

  std::uint32_t Flags() const { return flags_; }
  int FirstItem() const { return first_; }
  int LastItem() const { return last_; }
  int HeaderKind() const { return kind_; }

  bool IsSet(int item) const;
  // Items outside first..last are left alone.
  void Toggle(int item);
  int SetCount() const;

  // OK may commit this set.
  bool OkEnabled() const;
  // Every check cell shows the error marker: a set OK refuses.
  bool WantsMarker() const;

  // The text of an item's header cell.
  std::string Header(int item) const { return Header(kind_, item, last_); }
  static std::string Header(int headerKind, int item, int lastItem);
  // The private text table of the dialog's sheet, one line per entry.
  std::vector<std::string> Markup() const;

 private:
  std::uint32_t flags_;
  int first_;
  int last_;
  int kind_;
};
