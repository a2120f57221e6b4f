#include "model/RepeaterListType.h"

#include "model/LayoutLists.h"
#include "model/datCh.h"

using namespace layout;

namespace {

bool IsFm(const datCh& r) { return r.rptMode != rpt::kTypeDv; }

// FM-N is a kind of FM: setting the FM flag keeps it.
void SetFm(datCh& r) {
  if (!IsFm(r)) r.rptMode = rpt::kTypeFm;
}

void BlankCalls(datCh& r) {
  SetText(r.rptCall, "");
  SetText(r.gwCall, "");
  r.duplex = 0;
}

}  // namespace

int GetRepeaterListType(const datCh& record) {
  if (!record.IsUsed()) return kRptTypeDvRepeater;
  if (IsFm(record)) return record.duplex != 0 ? kRptTypeFmRepeater : kRptTypeFmSimplex;
  return IsBlankText(record.rptCall) ? kRptTypeDvSimplex : kRptTypeDvRepeater;
}

bool SetRepeaterListType(int type, datCh& record) {
  switch (type) {
    case kRptTypeDvRepeater:
      if (IsBlankText(record.rptCall)) SetText(record.rptCall, "CALLSIGN");
      record.rptMode = rpt::kTypeDv;
      return true;
    case kRptTypeDvSimplex:
      BlankCalls(record);
      record.rptMode = rpt::kTypeDv;
      return true;
    case kRptTypeFmRepeater:
      if (record.duplex == 0) record.duplex = 1;
      SetFm(record);
      return true;
    case kRptTypeFmSimplex:
      BlankCalls(record);
      SetFm(record);
      return true;
    default: return false;
  }
}
