#pragma once
// A test case for the dispatch table that notes what the frame handed it:
// how often it ran, the request's key and popup command, and the row the
// frame loaded. Tests register it on the cell ids they drive.
#include <cstdint>

#include "cells/CellCaseTable.h"
#include "cells/indActiveCell.h"
#include "sheet/cmcCellCapsule.h"

namespace kwtest {

struct CaseProbe {
  int runs = 0;
  std::int32_t key = 0;
  std::int32_t popup = 0;
  std::uint32_t kind = 0;
  std::uint32_t recordKind = 0;
  std::uint32_t recordIndex = 0;
  bool used = false;
  ListRange range;
  bool past = false;
  int bankNo = 0;

  CellCase Case() {
    return [this](indActiveCell& c) {
      ++runs;
      key = c.Key();
      popup = c.capsule.popupCommand;
      kind = c.kind;
      recordKind = c.record.kind;
      recordIndex = c.record.index;
      used = c.record.IsUsed();
      range = c.range;
      past = c.past;
      bankNo = c.bankNo;
    };
  }
};

}  // namespace kwtest
