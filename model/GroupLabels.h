#pragma once
// Labels of banks, link lists and groups: a letter or number, ": " and the
// 16 name bytes as they stand, for tree nodes, sheet titles and CSV files.
// With the leading-blank flag a blank comes first.
//
// An entry outside its table gives neither a letter nor a name (": "
// alone): nothing is read outside the name tables.
#include <string>

class cmcEeprom;

// Entries 21..46 are banks A..Z; the name from the list and bank names.
std::string FormatBankNameLabel(const cmcEeprom& image, int entry, bool leadingBlank);
// Entries 0..9, the lists numbered 51..60: the digit and the link-list name.
std::string FormatSheetNameLabel51(const cmcEeprom& image, int entry, bool leadingBlank);
// GPS groups 0..25: the letter "A" + entry and the GPS group name.
std::string FormatGpsBankNameLabel(const cmcEeprom& image, int entry, bool leadingBlank);
// Repeater groups 0..49: the group number + 1 as two digits and its name.
std::string FormatGroupNameLabel(const cmcEeprom& image, int group, bool leadingBlank);
