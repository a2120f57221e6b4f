#pragma once
// Field splitting, trimming and small copies of code page 932 texts. A byte
// that is the second byte of a double-byte character is never a separator,
// a blank or an ampersand.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace core {

// Field n (from 0) of the text split at the separator; none when the text has
// fewer than n + 1 fields.
std::optional<std::string> GetTextField(std::string_view text, char separator, int n);
// The same with any byte of the set as a separator.
std::optional<std::string> GetDelimitedField(std::string_view text, std::string_view delimiters,
                                             int n);

// Blanks here are 0x20 and tabs.
std::string_view SkipBlanks(std::string_view text);
void TrimBlanks(std::string& text);
// The text without its leading and trailing blanks and tabs.
std::string_view TrimBlanksView(std::string_view text);
void RemoveBlanks(std::string& text);
// All bytes are 0x20 (true for an empty field).
bool IsBlankField(std::string_view bytes);
bool IsBlankField(std::span<const std::uint8_t> bytes);

// Removes trailing 0x20 and full-width blanks (81 40).
void TrimRightBlanks(std::string& text);
std::string_view TrimRightBlanksView(std::string_view text);

// Removes every character equal to the value from the field (a trail byte is
// never one; a matching lead byte goes with its trail byte) and fills the
// freed end with blanks. True when any was removed.
bool RemoveByteValue(std::span<std::uint8_t> bytes, std::uint8_t value);

// Thin copies, kept for the callers that name them.
inline std::string StrDup(std::string_view text) { return std::string(text); }
inline std::string StrDup(const char* text) { return text ? std::string(text) : std::string(); }
inline std::string StrNDup(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, n));
}
// Stops at a NUL within the first n bytes, as the C copies did.
inline std::string StrNDup(const char* text, std::size_t n) {
  return text ? std::string(text, ::strnlen(text, n)) : std::string();
}
inline void StrClear(std::string& text) { text.clear(); }
// Appends the source; returns the destination so that copies chain.
inline std::string& StrCopyEnd(std::string& destination, std::string_view source) {
  return destination.append(source);
}

// Every "&" doubled, so that a caption shows it rather than underlining.
std::string DoubleAmpersands(std::string_view text);

}  // namespace core
