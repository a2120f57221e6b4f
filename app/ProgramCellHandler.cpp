#include "app/ProgramCellHandler.h"

#include "app/cuiMain.h"
#include "cells/BankCases.h"
#include "cells/CallCases.h"
#include "cells/CallSignCases.h"
#include "cells/ChannelCases.h"
#include "cells/ChannelChoiceCases.h"
#include "cells/DtmfCases.h"
#include "cells/FrameCases.h"
#include "cells/GpsCases.h"
#include "cells/LabelCases.h"
#include "cells/LinkCases.h"
#include "cells/MenuCheckCases.h"
#include "cells/RepeaterCases.h"
#include "cells/ScanEdgeCases.h"
#include "cells/SettingCases.h"
#include "cells/TxMessageCases.h"

namespace {

// Every family of cells registers its cases here.
CellCaseTable ProgramTable() {
  CellCaseTable table;
  RegisterFrameCases(table);
  RegisterLabelCases(table);
  RegisterBankCases(table);
  RegisterChannelCases(table);
  RegisterChannelChoiceCases(table);
  RegisterScanEdgeCases(table);
  RegisterLinkCases(table);
  RegisterDtmfCases(table);
  RegisterGpsCases(table);
  RegisterTxMessageCases(table);
  RegisterCallSignCases(table);
  RegisterRepeaterCases(table);
  RegisterMenuCheckCases(table);
  RegisterSettingCases(table);
  RegisterCallCases(table);
  return table;
}

}  // namespace

ProgramCellHandler::ProgramCellHandler(indEnviron& settings, cmcGTex& texts, cuiMain& controller)
    : controller_(controller),
      host_(controller),
      table_(ProgramTable()),
      frame_(settings, texts, host_, table_) {
  frame_.SetChoiceCache(&controller.Choices());
  // A language switch replaces the cache: the cells read the new one.
  controller.SetChoicesRenewed([this](cmcFCache& cache) { frame_.SetChoiceCache(&cache); });
}

ProgramCellHandler::~ProgramCellHandler() { controller_.SetChoicesRenewed({}); }
