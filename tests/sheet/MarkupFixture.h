#pragma once
// A small text table of cell models for the parser tests: the program's own
// models that the tests use, a model that applies itself, and a chain of
// seventeen models ("Deep1" applies "Deep2" ... "Deep17" sets the bottom rule).
#include <string>
#include <vector>

#include "core/cmcGTex.h"

namespace kwtest {

inline std::vector<std::string> CellModelLines() {
  std::vector<std::string> lines = {
      "",
      "#CellModel_Basic",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
      "#CellModel_iChN",
      ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)",
      "#CellModel_eWh",
      "S<_WHB",
      "#CellModel_iQp",
      "(%CT_Null.CL_Misc_QuarterPillar)",
      "#CellModel_Loop",
      "W($Loop)",
      "#CellModel_Counter",
      "(@ch0++)",
  };
  for (int i = 1; i <= 17; ++i) {
    lines.push_back("#CellModel_Deep" + std::to_string(i));
    lines.push_back(i < 17 ? "($Deep" + std::to_string(i + 1) + ")" : "B");
  }
  lines.push_back("#End_Of_Ovl");
  return lines;
}

// A text table over CellModelLines().
class ModelTable {
 public:
  ModelTable() { gtex.SetSource(CellModelLines()); }
  cmcGTex gtex;
};

}  // namespace kwtest
