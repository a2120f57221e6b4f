#pragma once
// The editor protocol every value converter keeps:
//  - mode 1 (a committed edit) parses the input text by the converter's rule;
//  - the output text is the display text, the caret at 0 and the whole text
//    selected, so that an editor opened now starts with it selected;
//  - keys count only for requests with an owner control: Enter (F2 too)
//    opens the in-place editor (result word 2), an accepted typed character
//    opens it holding just that character, Space and Backspace step where the
//    converter says so, any other key changes nothing.
// These helpers are that protocol's vocabulary; the rules of each converter
// stay in the converter.
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/cmcCellCapsule.h"

namespace editor {

inline bool HasOwner(const cmcCellCapsule& c) { return c.owner != nullptr; }

// The request's key with F2 counted as Enter; 0 (no key) without an owner.
std::int32_t Key(const cmcCellCapsule& c);

// The typed character of a key code, or 0 when the code is not one (the
// query, Backspace, Enter, Space, Delete, function and other keys).
char TypedChar(std::int32_t key);

inline bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
inline bool IsHexDigit(char ch) {
  return IsDigit(ch) || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}
inline bool HasDigit(std::string_view text) {
  for (char ch : text) {
    if (IsDigit(ch)) return true;
  }
  return false;
}

// "%0*d" without the C library: at least width digits, "-" in front of
// negative values.
std::string ZeroPadded(std::int64_t value, int width);

// Output text = the display text, caret 0, everything selected.
void SetDisplay(cmcCellCapsule& c, std::string text);
// Result word 2 with the output text as it stands (caret 0, all selected).
void OpenEditor(cmcCellCapsule& c, int& status);
// Result word 2 with this text, caret 0, all selected.
void OpenEditorWith(cmcCellCapsule& c, std::string text, int& status);
// Result word 2 with the one typed character, the caret after it.
void OpenWithChar(cmcCellCapsule& c, char ch, int& status);

}  // namespace editor
