#pragma once
// The choice-list source: every list a choice cell offers, written once in
// resources/choice-lists/*.txt (UTF-8) with its key, its list id, its
// column count, where its values come from and, per option, the value, the
// English and Japanese popup captions and the optional cell text. The
// reader checks each block and names file and line of every fault; it never
// guesses a missing field. The format is described in
// resources/choice-lists/README.md.
#include <string>
#include <vector>

#include "TextSource.h"  // textgen::Diagnostics

namespace choicegen {

// Where a list's values and texts come from.
enum class ListClass {
  kGiven,     // a table of the program gives values and texts
  kDerived,   // values follow from the rules of the cells that use the list
  kAuthored,  // the program's own reading of the setting; marked for review
};

struct Option {
  int value = 0;
  std::string english;   // popup caption, never empty
  std::string japanese;  // popup caption in the Japanese tables, never empty
  bool hasCellText = false;
  std::string cellText;  // text shown in the edited cell, when it differs
  int line = 0;
};

struct ChoiceList {
  std::string key;     // whole text key, "GI_Sheet_Sel_..." (or the SubBandMute sheet)
  std::string listId;  // cell name that marks the options: Flex0 or a CL_FlexMark_ name
  int columns = 1;
  bool spacers = false;  // a spacer cell between neighbouring columns
  ListClass listClass = ListClass::kGiven;
  std::string authored;         // the mark of an authored list: why its options are what they are
  std::string source;           // where a given or derived list comes from (free text)
  std::vector<Option> options;  // in reading order
  std::string file;
  int line = 0;

  // True when every option reads the same in both languages.
  bool Neutral() const;
  // Rows of the popup: the options fill the columns top to bottom, left to right.
  int Rows() const;
};

// The list ids a list may use.
bool IsKnownListId(const std::string& id);

// Reads one source text (file names the errors).
std::vector<ChoiceList> ParseChoiceSource(const std::string& text, const std::string& file,
                                          textgen::Diagnostics& diag);
// Reads every *.txt of the folder in byte order of the file names, and checks
// what spans files (one block per key).
std::vector<ChoiceList> ReadChoiceSources(const std::string& folder, textgen::Diagnostics& diag);

}  // namespace choicegen
