#pragma once
// Everything the cell handler's tests run it with: an installed event bus,
// destination 0 in force, the fixture image (support/model/CellFixtureImage.h),
// scratch settings, a recording host, a dispatch table holding the frame's
// own cases (tests add their own) and the frame itself. Sheets are made per
// test with Sheet().
#include <memory>
#include <string>
#include <vector>

#include "cells/CellCaseTable.h"
#include "cells/indCellFrame.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"
#include "support/cells/FixtureSheet.h"
#include "support/cells/RecordingCellHost.h"
#include "support/cells/ScratchSettings.h"

namespace kwtest {

// A text table holding only the sheet groups' width list, for tests whose
// cells store the view options' masks (the rig's table starts empty; a test
// sets a source once).
inline std::vector<std::string> WidthListTable() {
  return {"",
          "#GI_CellWidthRegList",
          "GI_Sheet_MemoryCH:memory",
          "GI_Sheet_BankCH:bank",
          "GI_Sheet_CallCh:call",
          "GI_Sheet_Received_Callsign:rxcallrecord",
          "#",
          "#End_Of_Ovl"};
}

class CellFrameRig {
 public:
  CellFrameRig();
  ~CellFrameRig();

  std::unique_ptr<FixtureSheet> Sheet(const std::string& name);

  // Every event sent or posted from now on (posted ones once the bus drains).
  struct Event {
    int id;
    int mode;
    std::intptr_t p1;
    std::intptr_t p2;
    bool operator==(const Event&) const = default;
  };
  std::vector<Event> events;
  // Drains the bus once, delivering what was posted.
  void Drain() { bus->Drain(); }

  ScopedEvMan bus;
  ScopedDestination destination;
  cmcEeprom image;
  ScratchSettings settings;
  cmcGTex texts;
  RecordingCellHost host;
  CellCaseTable table;
  indCellFrame frame;
};

}  // namespace kwtest
