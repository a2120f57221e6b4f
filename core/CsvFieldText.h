#pragma once
// Text fields of CSV lines. Fields are never quoted, so a text field must
// not hold what would end it early: the two field separators "," and ";",
// control bytes (a CR or LF would end the line), or a lead byte without its
// trail byte (a splitter would take the separator after it as the second
// byte of a double-byte character). Each of those becomes a blank; every
// valid double-byte character stays whole, and the length never changes.
#include <string>
#include <string_view>

namespace core {

// True when a byte was replaced.
bool CleanCsvText(std::string& text);
std::string CleanedCsvText(std::string_view text);

}  // namespace core
