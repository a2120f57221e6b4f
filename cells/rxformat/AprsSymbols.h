#pragma once
// The position-report symbol vocabulary: a symbol code is two characters,
// the table ("/" primary, "\" alternate, or an overlay character "0"-"9",
// "A"-"Z" that selects the alternate table with an overlay) and the symbol
// character "!".."~". The program names the symbols of
// resources/symbol-names (English and Japanese) and offers 74 of them by
// index (0..73; 255 = none).
//
// Nothing here reads past a table: a symbol character outside "!".."~"
// has no name, and a code shorter than two bytes names nothing.
#include <optional>
#include <string>
#include <string_view>

#include "resources/symbol-names/SelectableSymbolCodes.h"

inline constexpr int kAprsLanguageEnglish = 0;
inline constexpr int kAprsLanguageJapanese = 1;

// The name of the code in the language (CP932), the overlay character
// appended as " (A)". When the program does not name it: the code's
// printable ASCII characters (0x20..0x7E) and false.
bool GetAprsSymbolName(std::string_view code, int language, std::string& name);

// The selectable code at the index; none above 73.
std::optional<aprscodes::Code> GetAprsSymbolCode(int index);

// The index of the code among the 74, or 255. With `overlay` an overlay
// character as table (but "QY") is read as "\" first, so "A>" finds "\>".
int FindAprsSymbolIndex(std::string_view code, bool overlay);

bool IsAprsTableChar(char c);       // "/", "\" or an overlay character
bool IsAprsPrimaryTable(char c);    // "/"
bool IsAprsAlternateTable(char c);  // "\" or an overlay character
bool IsAprsOverlayChar(char c);     // "0"-"9", "A"-"Z"
// The 94 printable ASCII characters "!".."~".
bool IsAllowedTextChar(char c);
