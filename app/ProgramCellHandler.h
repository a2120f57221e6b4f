#pragma once
// The program's cell handler: the dispatch table filled by every family of
// cells, the host over the main controller and the frame that runs them.
// main() builds one after the controller and keeps it until the windows are
// gone; sheets, menus, the tree and the tool bar call Frame().Handler().
//
// The settings, the text table and the controller must outlive it.
#include "app/AppCellHost.h"
#include "cells/CellCaseTable.h"
#include "cells/indCellFrame.h"

class cmcGTex;
class cuiMain;
class indEnviron;

class ProgramCellHandler {
 public:
  ProgramCellHandler(indEnviron& settings, cmcGTex& texts, cuiMain& controller);
  ~ProgramCellHandler();
  ProgramCellHandler(const ProgramCellHandler&) = delete;
  ProgramCellHandler& operator=(const ProgramCellHandler&) = delete;

  AppCellHost& Host() { return host_; }
  indCellFrame& Frame() { return frame_; }
  const CellCaseTable& Table() const { return table_; }

 private:
  cuiMain& controller_;
  AppCellHost host_;
  CellCaseTable table_;
  indCellFrame frame_;
};
