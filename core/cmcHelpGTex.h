#pragma once
// Reader of the help-topic map (cell-id name -> topic id -> help context
// number). It behaves exactly like the text-table reader but offers only
// SetSource and GetText.
#include <string_view>

#include "core/cmcGTex.h"

class cmcHelpGTex : private cmcGTexReader {
 public:
  using cmcGTexReader::GetText;
  using cmcGTexReader::SetSource;
};

// Help context number of a cell, by its "CL_" name: the first topic row whose
// name field equals it gives the topic id; the last context row of that topic
// gives the number (leading blanks skipped, optional sign). 0 when the cell
// has no topic, the topic no context, or the context is not a number. Both
// sections end at a value starting with "#" or an empty value; a row without
// a tab matches nothing.
int HelpContextOf(cmcHelpGTex& help, std::string_view cellName);
