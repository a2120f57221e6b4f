#pragma once
// The names of the position-report symbols the program knows, in English and
// Japanese (CP932), generated at build time from the symbol choice list
// (resources/choice-lists/aprs-symbols.txt: the 74 selectable symbols) and
// unlisted.txt beside this header (named symbols no list offers). A
// character the code page cannot hold fails the build. Also the word for an
// omnidirectional antenna, from the directivity choice list.
#include <cstddef>

namespace kwres {

struct SymbolNameRow {
  char table;  // "/", "\" or "Q" (the code "QY")
  char symbol;
  const char* english;
  const char* japanese;
};

extern const SymbolNameRow kSymbolNameRows[];
extern const std::size_t kSymbolNameRowCount;

extern const char* const kOmniEnglish;
extern const char* const kOmniJapanese;

}  // namespace kwres
