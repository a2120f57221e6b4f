// The program's parts a window benchmark needs: scratch settings on
// destination 0, the controller with its document, the cell handler and the
// main window built at 1200 x 900 (not shown).
#pragma once

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/indMain.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/DefaultCellHandler.h"
#include "bench/support/BenchCells.h"

namespace kwbench {

struct Program {
  Program() {
    settings.Get().EtcData.destination = 0;
    window.resize(1200, 900);
    main.BuildMainWindow(window);
  }
  ScopedEvMan bus;
  ScratchSettings settings;
  cmcGTex texts;
  indMain main{settings.Get(), texts};
  ProgramCellHandler cells{settings.Get(), texts, main};
  ScopedDefaultCellHandler handler{cells.Frame().Handler()};
  MainFrame window{settings.Get(), texts};
};

}  // namespace kwbench
