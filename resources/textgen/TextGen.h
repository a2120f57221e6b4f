#pragma once
// Build-time generator of the text tables: reads every area of one or more
// source folders (see resources/text/README.md), checks it, and gives the C++ source
// of the English, Japanese and mixed tables, the help-topic map, the neutral
// and mixed-English key lists and the key registry as CP932 line arrays with
// their line counts.
#include <string>
#include <vector>

#include "TextSource.h"

namespace textgen {

// The generated source; empty with the errors in diag when any check failed.
std::string Generate(const std::string& sourceDir, Diagnostics& diag);
// The same over several folders (the written sources and generated areas); an
// area name may occur in one folder only.
std::string Generate(const std::vector<std::string>& sourceDirs, Diagnostics& diag);

// A C++ string literal of the bytes: printable ASCII as it is (but "?", so
// no trigraph forms), every other byte as an octal escape.
std::string CppLiteral(const std::string& bytes);

}  // namespace textgen
