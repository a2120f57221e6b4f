#include "cells/RecordChoiceLists.h"

#include "model/RepeaterListType.h"
#include "model/indDestination.h"

namespace recordlists {
namespace {

// Tuning-step codes.
constexpr std::uint32_t kStep5 = 0, kStep6_25 = 1, kStep8_33 = 2, kStep10 = 4, kStep12_5 = 5,
                        kStep15 = 6, kStep20 = 7, kStep30 = 9, kStep50 = 10, kStepAuto = 14;
// Mode codes.
constexpr std::uint32_t kModeFm = 0, kModeFmN = 1, kModeAm = 3, kModeAmN = 4, kModeDv = 5;

bool SameBand(std::int64_t a, std::int64_t b) {
  return indDestination::BandIndex(a) == indDestination::BandIndex(b);
}

}  // namespace

const char* PlainChannelModeList(std::int64_t freq) {
  return indDestination::IsAirBand(freq) ? "GI_Sheet_Sel_Mch_Mode_Air" : "GI_Sheet_Sel_Mch_Mode_VU";
}

const char* ChannelModeList(std::int64_t freq, std::uint32_t mode) {
  if (indDestination::IsAirBand(freq)) {
    switch (mode) {
      case kModeFm: return "GI_Sheet_Sel_Mch_Mode_Air_wFM";
      case kModeFmN: return "GI_Sheet_Sel_Mch_Mode_Air_wFMN";
      case kModeDv: return "GI_Sheet_Sel_Mch_Mode_Air_wDV";
      default: return "GI_Sheet_Sel_Mch_Mode_Air";
    }
  }
  switch (mode) {
    case kModeAm: return "GI_Sheet_Sel_Mch_Mode_VU_wAM";
    case kModeAmN: return "GI_Sheet_Sel_Mch_Mode_VU_wAMN";
    default: return "GI_Sheet_Sel_Mch_Mode_VU";
  }
}

const char* PlainChannelStepList(std::int64_t freq, bool groupB) {
  if (indDestination::IsAirBand(freq)) return "GI_Sheet_Sel_Mch_TS_Pitch_Air";
  return groupB ? "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU" : "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU";
}

const char* ChannelStepList(std::int64_t freq, std::uint32_t step, bool groupB) {
  if (indDestination::IsAirBand(freq)) {
    switch (step) {
      case kStep5: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w5";
      case kStep6_25: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w6_25";
      case kStep10: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w10";
      case kStep12_5: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w12_5";
      case kStep15: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w15";
      case kStep20: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w20";
      case kStep30: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w30";
      case kStep50: return "GI_Sheet_Sel_Mch_TS_Pitch_Air_w50";
      default: return "GI_Sheet_Sel_Mch_TS_Pitch_Air";
    }
  }
  if (groupB)
    return step == kStep8_33 ? "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU_w8_33"
                             : "GI_Sheet_Sel_Mch_TS_Pitch_Jpn_VU";
  if (step == kStep8_33) return "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU_w8_33";
  if (step == kStepAuto) return "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU_wAuto";
  return "GI_Sheet_Sel_Mch_TS_Pitch_Exp_VU";
}

const char* ScanEdgeStepList(std::int64_t low, std::int64_t high, std::uint32_t step, bool groupB) {
  if (!SameBand(low, high)) return "GI_Sheet_Sel_PgSrch_TS_Pitch_Bar";
  if (indDestination::IsAirBand(high)) return "GI_Sheet_Sel_PgSrch_TS_Pitch_Air";
  // An Auto step outside the air band stays visible (and marked) even where
  // the destination does not allow it.
  if (groupB || step == kStepAuto) return "GI_Sheet_Sel_PgSrch_TS_Pitch_Jpn_VU";
  return "GI_Sheet_Sel_PgSrch_TS_Pitch_Exp_VU";
}

const char* ScanEdgeModeList(std::int64_t low, std::int64_t high) {
  if (!SameBand(low, high)) return "GI_Sheet_Sel_PgSrch_Mode_Bar";
  return indDestination::IsAirBand(high) ? "GI_Sheet_Sel_PgSrch_Mode_Air"
                                         : "GI_Sheet_Sel_PgSrch_Mode_VU";
}

const char* RepeaterModeList(int type) {
  return type == kRptTypeFmRepeater || type == kRptTypeFmSimplex ? "GI_Sheet_Sel_Rpt_Mode_FM"
                                                                 : "GI_Sheet_Sel_Rpt_Mode_DV";
}

const char* RepeaterDupList(int type) {
  switch (type) {
    case kRptTypeDvRepeater: return "GI_Sheet_Sel_Rpt_Dup_DV";
    case kRptTypeFmRepeater: return "GI_Sheet_Sel_Rpt_Dup_FM";
    default: return "GI_Sheet_Sel_Rpt_Dup_Simplex";
  }
}

}  // namespace recordlists
