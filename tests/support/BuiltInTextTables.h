#pragma once
// The program's three built-in text tables with the names tests report them by.
#include "resources/text/TextTables.h"

namespace kwtest {

struct NamedTextTable {
  const char* name;
  const kwres::LineArray* table;
};

inline constexpr NamedTextTable kBuiltInTextTables[] = {{"English", &kwres::kTextEnglish},
                                                        {"Japanese", &kwres::kTextJapanese},
                                                        {"mixed", &kwres::kTextMixed}};

}  // namespace kwtest
