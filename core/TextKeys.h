#pragma once
// The registry of text-table keys the code asks for. Each area declares its
// keys in resources/text/<area>.keys.txt (fixed keys, and composed-key bases
// written "Base_*"); the generator checks that every fixed key exists and
// compiles the sorted list in.
#include <string>
#include <string_view>
#include <vector>

// Every registered entry, sorted; bases end with "*".
std::vector<std::string> RegisteredTextKeys();

// True for a registered fixed key, or for the exact stem of a registered
// base ("CellModel_" for "CellModel_*").
bool IsRegisteredTextKey(std::string_view literal);
