#include "app/ProgramCellHandler.h"

#include "cells/CallSignCases.h"
#include "cells/DtmfCases.h"
#include "cells/FrameCases.h"
#include "cells/GpsCases.h"
#include "cells/RepeaterCases.h"
#include "cells/TxMessageCases.h"

namespace {

// Every family of cells registers its cases here.
CellCaseTable ProgramTable() {
  CellCaseTable table;
  RegisterFrameCases(table);
  RegisterDtmfCases(table);
  RegisterGpsCases(table);
  RegisterTxMessageCases(table);
  RegisterCallSignCases(table);
  RegisterRepeaterCases(table);
  return table;
}

}  // namespace

ProgramCellHandler::ProgramCellHandler(indEnviron& settings, cmcGTex& texts, cuiMain& controller)
    : host_(controller), table_(ProgramTable()), frame_(settings, texts, host_, table_) {}
