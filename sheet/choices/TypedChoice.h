#pragma once
// Typed choice: matching a typed text to one option of a choice list whose
// values can also be typed (tuning steps, tones, DTCS codes, modes, banks).
//
// Modes:
//  0  nearest number: the option whose text, read as a number, is nearest to
//     the typed number ("7" over 5, 6.25, 8.33 picks 6.25);
//  2  nearest number of the same length: each option's text is cut to the
//     typed length first (one typed character acts as mode 0);
//  1, 3  prefix: the first option whose text starts with the typed text.
// Only options whose text (cut, in mode 2) starts with a number take part in
// modes 0 and 2 ("5kHz" is 5, "023" is 23; "Auto", "OFF", "---" never
// match). The first option wins a tie. Upper-casing touches ASCII only.
//
// In mode 0 the number may carry the unit the options show ("88.6Hz" over
// "88.5Hz"), as CSV files write it.
// Refused, matching nothing: an empty text, a text that is no number in modes
// 0 and 2 (nor a number with the options' unit in mode 0), any byte outside printable ASCII, a text
// longer than the entry.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace choices {

// An option as a typed choice sees it: its value and display text.
struct TypedOption {
  int value = 0;
  std::string text;
};

// Longest typed entry (the in-place editor's room).
inline constexpr std::size_t kTypedEntryMax = 10;

// The matched option's value, or none.
std::optional<int> MatchTypedChoice(const std::vector<TypedOption>& options, std::string_view typed,
                                    int mode);

// The number a text starts with ("5kHz" 5, "6.25kHz" 6.25, "88,5Hz" 88.5),
// reading "." or "," as the decimal character; none when it starts with
// anything else.
std::optional<double> LeadingNumber(std::string_view text);

}  // namespace choices
