// The families of the DTMF, GPS, TX-message, call-sign and repeater sheets
// register beside the frame's own cases without a clash and leave no id of
// theirs to the "*Yet*" default.
#include <gtest/gtest.h>

#include "cells/CallSignCases.h"
#include "cells/CellCaseTable.h"
#include "cells/DtmfCases.h"
#include "cells/FrameCases.h"
#include "cells/GpsCases.h"
#include "cells/RepeaterCases.h"
#include "cells/TxMessageCases.h"
#include "cells/names/CellNames.h"

namespace {

TEST(ListSheetCasesTest, EveryIdFromTheDtmfNumberToTheRepeaterListIsFilled) {
  CellCaseTable table;
  RegisterFrameCases(table);
  RegisterDtmfCases(table);
  RegisterGpsCases(table);
  RegisterTxMessageCases(table);
  RegisterCallSignCases(table);
  RegisterRepeaterCases(table);
  for (int id = CL_DTMF_ChNo; id <= CL_Repeater_List_Debug_GwIndex; ++id)
    EXPECT_TRUE(table.IsFilled(id)) << id;
  EXPECT_EQ(CL_DTMF_ChNo, 261);
  EXPECT_EQ(CL_Repeater_List_Debug_GwIndex, 305);
}

}  // namespace
