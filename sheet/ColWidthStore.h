#pragma once
// Column widths and the column-cut mask kept in the settings per sheet
// group. "GI_CellWidthRegList" maps sheet keys to groups ("sheet key:group"
// per value, up to a value starting with '#'); sheets of one group share
// their widths. Under the user key's "Display\<group>" the subkey
// "colwidth" holds one integer per data column, named by the column number
// in decimal (screen pixels), and the value "colcut" holds the mask.
//
// Stored values are checked on their own: a width loads clamped to
// kMinWidth..kMaxWidth, a mask keeps its low seven bits; a value that is
// missing or not an integer reads as absent. A sheet key without a group
// reads and writes nothing.
#include <optional>
#include <string>
#include <string_view>

class cmcGTex;
class indEnviron;

class ColWidthStore {
 public:
  static constexpr int kMinWidth = 10;
  static constexpr int kMaxWidth = 650;
  // The column-cut mask: bit n set = column group n is shown (all seven
  // shown by default); a column is cut while its group's bit is clear.
  static constexpr int kCutMaskBits = 0x7F;
  static constexpr int kAllColumnsShown = 0x7F;
  static constexpr char kListKey[] = "GI_CellWidthRegList";

  // Both must outlive the store.
  ColWidthStore(indEnviron& settings, cmcGTex& texts);

  // The group of a sheet key; empty when the sheet stores nothing.
  std::string GroupOf(std::string_view sheetKey) const;

  std::optional<int> ReadWidth(std::string_view group, int column) const;
  void WriteWidth(std::string_view group, int column, int width);
  std::optional<int> ReadColCut(std::string_view group) const;
  void WriteColCut(std::string_view group, int mask);
  // Deletes the widths of every listed group; the masks stay.
  void ResetWidths();

  // Column groups of the view options (bits of the mask).
  static constexpr int kColumnGroupCount = 7;
  // Whether column group `bit` (0..6) shows: the bit of its first owning
  // sheet's stored mask (all shown when none is stored). False for another
  // bit.
  bool ColumnGroupShown(int bit) const;
  // Shows a hidden column group or hides a shown one: the new state goes
  // into the mask of every owning sheet's group and into the settings'
  // mask in force. Answers the new state; nothing for another bit.
  bool ToggleColumnGroup(int bit);
  // Shows or hides column group `bit` the same way; nothing for another bit.
  void SetColumnGroup(int bit, bool shown);

 private:
  std::string GroupKey(std::string_view group) const;

  indEnviron& settings_;
  cmcGTex& texts_;
};
