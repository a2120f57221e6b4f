#include "app/ProgramCellHandler.h"

#include "cells/FrameCases.h"
#include "cells/MenuCheckCases.h"

namespace {

// Every family of cells registers its cases here.
CellCaseTable ProgramTable() {
  CellCaseTable table;
  RegisterFrameCases(table);
  RegisterMenuCheckCases(table);
  return table;
}

}  // namespace

ProgramCellHandler::ProgramCellHandler(indEnviron& settings, cmcGTex& texts, cuiMain& controller)
    : host_(controller), table_(ProgramTable()), frame_(settings, texts, host_, table_) {}
