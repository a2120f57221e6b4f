#pragma once
// The choice lists as their source in resources/choice-lists states them,
// read once per test program (tests that include this link kw_choicegen_lib).
// Lookups by key; an unknown key fails the test that asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ChoiceSource.h"

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

}  // namespace kwtest
