#pragma once
// A page reference: the text of a tree node's "%CallSheet:" binding and of
// the warning-check cells, naming a sheet page: the page type in square
// brackets (St_ names, optional), the sheet key (GI_Sheet_ names), then
// after commas the sheet number and a load parameter, both optional:
// [St_RptList]GI_Sheet_RepeaterList,123,RptCH  0 or GI_Sheet_TreeTop.
//
// Parsing never fails: a missing ']' leaves no page type and the whole text
// before the first comma is the key; a number that is not one gives -1.
#include <string>
#include <string_view>

struct PageReference {
  static constexpr int kNoNumber = -1;

  std::string type;  // without the brackets; empty: none
  std::string key;
  std::string rest;  // the text after the key's comma: "number,parameter"
  int number = kNoNumber;

  static PageReference Parse(std::string_view text);
};
