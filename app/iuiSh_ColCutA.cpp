#include "app/iuiSh_ColCutA.h"

#include <cstdint>

#include "app/PageTitles.h"
#include "app/cuiMain.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/indEnviron.h"
#include "model/GroupLabels.h"
#include "model/ListRows.h"

namespace {

constexpr int kColCutFirstMemoryPage = 0;
constexpr int kColCutLastMemoryPage = 9;
constexpr int kColCutFirstBankPage = 21;
constexpr int kColCutLastBankPage = 46;

// Cell ids of each view group, first and last of a run.
struct ViewRun {
  std::int32_t first;
  std::int32_t last;
  int group;
};
constexpr ViewRun kViewRuns[] = {
    {CL_Mch_Decode, CL_Mch_DTCS_Polarity, 0},
    {CL_Mch_Digital_Sql, CL_Mch_Digital_Code, 1},
    {CL_Mch_DYou_Callsign, CL_Mch_DRpt2_Callsign, 2},
    {CL_Received_Callsign_Latitude, CL_Received_Callsign_Speed, 3},
    {CL_Received_Callsign_Power, CL_Received_Callsign_Directivity, 4},
    {CL_Received_Callsign_ObjItemName, CL_Received_Callsign_DataType, 5},
    {CL_Received_Callsign_Temp, CL_Received_Callsign_Humidity, 6},
};

bool InRange(int value, int first, int last) { return value >= first && value <= last; }

}  // namespace

iuiSh_ColCut_A::iuiSh_ColCut_A(QWidget* owner, cmcGTex& texts, std::string key,
                               cuiImageList* images, cuiMain& main)
    : iuiSh_ColCut(owner, texts, std::move(key), images, main) {}

void iuiSh_ColCut_A::SetName(std::string_view name) {
  iuiSh_ColCut::SetName(name);
  SetIndexOffset(pagetitle::LeadingNumber(pagetitle::LoadParameter(name)));
}

void iuiSh_ColCut_A::SetStyleItem(std::string_view item) {
  iuiSh_ColCut::SetStyleItem(item);
  if (InRange(number_, kFirstLinkPage, kLastLinkPage) &&
      item.substr(0, item.find('=')) == "TitleString")
    titleString_ = pagetitle::ForInterface(
        FormatSheetNameLabel51(Main().Image(), number_ - kFirstLinkPage, true), Main().Settings());
}

int iuiSh_ColCut_A::ViewGroupOf(std::int32_t cellId) {
  for (const ViewRun& run : kViewRuns)
    if (InRange(cellId, run.first, run.last)) return run.group;
  return -1;
}

bool iuiSh_ColCut_A::IsCutColumn(const cmcCellObj& cell) const {
  const int group = ViewGroupOf(cell.cellId);
  if (group < 0 || !settings_) return false;
  return (settings_->ViewCutBits & (1 << group)) == 0;
}

bool iuiSh_ColCut_A::IsPrintable() const {
  return iuiSh_ColCut::IsPrintable() && IsPageInUse(Main().Image(), number_);
}

bool iuiSh_ColCut_A::CanPrint() const {
  if (!IsPrintable()) return false;
  if (InRange(number_, kColCutFirstMemoryPage, kColCutLastMemoryPage)) return Main().PrintChoiceMemory();
  if (InRange(number_, kColCutFirstBankPage, kColCutLastBankPage)) return Main().PrintChoiceBank();
  return true;
}

void iuiSh_ColCut_A::OnPageEvent(const cmcEvent& event) {
  switch (event.id) {
    case ev::QuerySheetKind: EvMan().AnswerData(GetTitleText()); break;
    case ev::QueryListNumber:
    case ev::QueryListNumber2: EvMan().AnswerData(static_cast<std::int32_t>(number_)); break;
    default: break;
  }
}
