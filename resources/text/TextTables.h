#pragma once
// The built-in text tables and the help-topic map, generated at build time
// from the UTF-8 sources beside this header (see README.md here). Every array
// is a sequence of NUL-terminated CP932 lines with its line count.
#include <cstddef>

namespace kwres {

struct LineArray {
  const char* const* lines;
  std::size_t count;
};

// The three interface tables: the same keys in the same order; the first line
// is empty and the last is "#End_Of_Ovl".
extern const LineArray kTextEnglish;
extern const LineArray kTextJapanese;
extern const LineArray kTextMixed;

// The help-topic map: "#GI_AppItem_Topic_ID" rows "#", "#GI_AppItem_Context_ID"
// rows "#" (no end key).
extern const LineArray kHelpTopicMap;

// Keys copied from English into the Japanese table, and keys the mixed table
// takes from English (both for the table check).
extern const LineArray kTextNeutralKeys;
extern const LineArray kTextMixedEnglishKeys;

// Keys the code asks for, sorted: fixed keys, and composed-key bases ending
// with "*" ("GI_Sheet_Sel_*").
extern const LineArray kTextKeyRegistry;

}  // namespace kwres
