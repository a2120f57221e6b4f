#pragma once
// The call-sign selector's decisions, without widgets: a three-column
// picker over the repeater and your-call lists that gives one DV call sign
// (8 bytes, for a channel's UR, RPT1 or RPT2) or one station name (16 bytes,
// for the Repeater Setting dialog's access repeater and called station).
//
// The left list holds the kinds of source ("CQCQCQ" or "not used", "Your
// Call Sign", "Repeater List" and the 50 repeater groups), the middle one
// the names of the chosen source and the right one the call signs of the
// chosen name. A source that offers nothing shows "---" in both lists and
// cannot be accepted. The picker starts on the entry that matches the
// caller's value, when one does.
//
// Texts are code page 932 bytes; DisplayText turns them into what a list
// draws. Nothing is ever read outside the lists, whatever the image's counts
// say, and nothing is written: Accept answers the new value, the caller
// stores it.
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/DvRoute.h"

class cmcEeprom;
class cmcGTex;

namespace dvpick {

// What the selector picks for.
inline constexpr int kKindUr = 0;
inline constexpr int kKindRpt1 = 1;
inline constexpr int kKindRpt2 = 2;
inline constexpr int kKindCalled = 3;  // a called station's name
inline constexpr int kKindAccess = 4;  // an access repeater's name

// Codes of the left list's entries.
inline constexpr int kCodeCq = 0;
inline constexpr int kCodeYourCall = 1;
inline constexpr int kCodeNotUsed = 2;
inline constexpr int kCodeRepeaterList = 3;
inline constexpr int kCodeFirstGroup = 4;  // group g has code 4 + g

// The three lists, left to right.
inline constexpr int kListKind = 0;
inline constexpr int kListName = 1;
inline constexpr int kListCall = 2;

// Kinds 3 and 4 pick names (16 bytes); kinds 0-2 pick call signs (8 bytes).
inline bool IsNameKind(int kind) { return kind == kKindCalled || kind == kKindAccess; }
inline int FieldLength(int kind) { return IsNameKind(kind) ? 16 : 8; }
inline bool IsValidKind(int kind) { return kind >= kKindUr && kind <= kKindAccess; }

// The text of an empty list.
inline constexpr char kEmptyEntry[] = "---";

}  // namespace dvpick

// One list of the picker as the form shows it.
struct PickerList {
  std::vector<std::string> entries;  // code page 932 bytes
  int selected = -1;
  bool enabled = false;  // takes clicks and the focus
  bool grey = true;      // drawn on the button face instead of the window colour
  bool visible = true;
};

class DvCallSignPicker {
 public:
  struct Setup {
    int kind = dvpick::kKindUr;
    // The caller's field, FieldLength(kind) bytes (shorter is blank padded).
    std::string value;
    // Kind 2: the channel's RPT1 (8 bytes), which pairs a gateway call sign
    // with its repeater.
    std::string second;
    // Kind 3: the access repeater a called station must be reachable from.
    RouteName accessName{};
    // Repeaters whose frequency the destination refuses count as unusable.
    bool exclusion = true;
    // Group entries start with the half-width middle dot of code page 932
    // (0xA5) instead of the Western one (0xB7).
    bool japaneseDot = false;
    // Name kinds: the call-sign column is shown.
    bool detail = false;
  };

  // Fills the left list and starts on the entry that matches the value.
  // `image` and `texts` must outlive the picker. A kind outside 0..4 is the
  // caller's fault and picks like kind 0.
  DvCallSignPicker(const cmcEeprom& image, cmcGTex& texts, Setup setup);

  int Kind() const { return kind_; }
  bool NameMode() const { return dvpick::IsNameKind(kind_); }

  const PickerList& List(int list) const;
  const PickerList& KindList() const { return lists_[dvpick::kListKind]; }
  const PickerList& NameList() const { return lists_[dvpick::kListName]; }
  const PickerList& CallList() const { return lists_[dvpick::kListCall]; }
  bool OkEnabled() const { return ok_; }
  bool Detail() const { return detail_; }

  // The code of a left-list position (-1 outside the list).
  int CodeAt(int position) const;
  // The code whose entries the middle list shows (-1 before the first fill).
  int CurrentCode() const { return currentCode_; }
  // The middle entry whose call signs the right list shows (-1 for none).
  int CurrentNameIndex() const { return currentName_; }
  // The repeater-list or your-call index a middle entry stands for (-1 when
  // it stands for none).
  int RepeaterAt(int nameEntry) const;
  int YourCallAt(int nameEntry) const;

  // A click (or a keyboard move) on an entry of a list. Clicks outside the
  // entries or on a disabled list change nothing.
  void Click(int list, int entry);
  // Name kinds: shows or hides the call-sign column.
  void SetDetail(bool detail);

  // The value OK gives: FieldLength(kind) bytes; nothing while OK is off.
  std::optional<std::string> Accept() const;

  // The next enabled, visible list to the right (+1) or left (-1) of `from`,
  // wrapping round; `from` itself when no other is.
  int NextList(int from, int direction) const;
  // The list that takes the focus when the form opens: the call signs when
  // enabled, else the names when enabled, else the kinds.
  int FocusList() const;

  // What a list draws for an entry: names and call signs as the image holds
  // them; the left list's texts as the interface table shows its bytes.
  QString DisplayText(int list, int entry) const;

 private:
  struct Repeater;
  Repeater LoadRepeater(int index) const;
  bool Offered(const Repeater& r) const;
  void SetEmpty(PickerList& list) const;
  void Fill(int code);
  void FillRepeaters(int first, int count);
  void FillYourCalls();
  void ShowFirstName();
  void FillCalls(int nameEntry);
  void Preselect(const std::string& value, const std::string& second);
  void SelectRepeater(int index, int callEntry);
  void SelectYourCall(int index);
  void SelectKindPosition(int position);

  const cmcEeprom& image_;
  cmcGTex& texts_;
  int kind_;
  RouteName accessName_;
  bool exclusion_;
  bool detail_;
  bool ok_ = true;
  int currentCode_ = -1;
  int currentName_ = -1;
  PickerList lists_[3];
  // What each middle entry stands for: a repeater-list index or a your-call
  // index, -1 for none.
  std::vector<int> repeaterMap_;
  std::vector<int> yourCallMap_;
};
