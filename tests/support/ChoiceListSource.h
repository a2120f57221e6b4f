#pragma once
// The choice lists as their source in resources/choice-lists states them,
// read once per test program (tests that include this link kw_choicegen_lib).
// Lookups by key; an unknown key fails the test that asked.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ChoiceSource.h"
#include "platform/Cp932.h"

namespace kwtest {

inline const std::vector<choicegen::ChoiceList>& SourceChoiceLists() {
  static const std::vector<choicegen::ChoiceList> lists = [] {
    textgen::Diagnostics diag;
    diag.SetEcho(false);
    auto read = choicegen::ReadChoiceSources(KW_SOURCE_DIR "/resources/choice-lists", diag);
    for (const std::string& m : diag.Messages()) ADD_FAILURE() << m;
    return read;
  }();
  return lists;
}

inline const choicegen::ChoiceList* FindSourceList(const std::string& key) {
  for (const choicegen::ChoiceList& l : SourceChoiceLists())
    if (l.key == key) return &l;
  return nullptr;
}

// The values of a list in reading order (empty, with a test failure, for an
// unknown key).
inline std::vector<int> SourceValues(const std::string& key) {
  const choicegen::ChoiceList* l = FindSourceList(key);
  if (!l) {
    ADD_FAILURE() << "no choice list " << key;
    return {};
  }
  std::vector<int> values;
  for (const choicegen::Option& o : l->options) values.push_back(o.value);
  return values;
}

inline bool SourceHasValue(const std::string& key, int value) {
  const std::vector<int> values = SourceValues(key);
  return std::find(values.begin(), values.end(), value) != values.end();
}

// A source caption as the text tables hold it: CP932, with the byte escapes
// "\xB0" and "\xB7" of the sources as those single bytes.
inline std::string SourceTextInTable(const std::string& utf8) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (utf8.compare(i, 4, "\\xB0") == 0 || utf8.compare(i, 4, "\\xB7") == 0) {
      out += static_cast<char>(utf8[i + 3] == '0' ? 0xB0 : 0xB7);
      i += 4;
      continue;
    }
    std::size_t j = utf8.find("\\x", i);
    if (j == std::string::npos) j = utf8.size();
    if (j == i) j = i + 1;  // a backslash that is no escape
    out += platform::UnicodeToCp932(QString::fromStdString(utf8.substr(i, j - i)));
    i = j;
  }
  return out;
}

}  // namespace kwtest
