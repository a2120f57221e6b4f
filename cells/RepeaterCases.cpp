#include "cells/RepeaterCases.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "cells/CallSignConverters.h"
#include "cells/CellCaseTable.h"
#include "cells/CellLook.h"
#include "cells/ChoiceList.h"
#include "cells/CodeConverters.h"
#include "cells/ListCellKit.h"
#include "cells/NumberConverters.h"
#include "cells/PositionConverters.h"
#include "cells/RecordChoiceLists.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/FrequencySnap.h"
#include "model/GroupLabels.h"
#include "model/LayoutFixedAreas.h"
#include "model/LayoutLists.h"
#include "model/RecordChecks.h"
#include "model/RepeaterListType.h"
#include "model/SheetNumbers.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace listcells;

constexpr int kNameLength = 16;
constexpr int kSubNameLength = 8;
constexpr char kNotUsed[] = "---";
constexpr char kDefaultCall[] = "CALLSIGN";
constexpr std::size_t kGatewayMark = 7;  // the gateway call sign's "G"

// Repeater frequencies and offsets, MHz.
constexpr double kLowestFreqMHz = 0.03;
constexpr double kHighestFreqMHz = 1399.995;
constexpr double kWideOffsetMHz = 99.995;    // the fourth general range
constexpr double kNarrowOffsetMHz = 59.995;  // the others
constexpr int kWideOffsetRange = 3;

void BlankWhenUnused(indActiveCell& ctx) {
  if (!ctx.record.IsUsed() && ctx.status != kCellOpenEditor) ctx.capsule.outputText.clear();
}

int Type(const indActiveCell& ctx) { return GetRepeaterListType(ctx.record); }
bool IsSimplex(int type) { return type == kRptTypeDvSimplex || type == kRptTypeFmSimplex; }
bool IsFm(int type) { return type == kRptTypeFmRepeater || type == kRptTypeFmSimplex; }

// A field the entry's type does not use: "---", grey, no typing. A field it
// uses takes its inherited colour back (the cell may have been greyed for
// an earlier type).
bool ShowNotUsed(indActiveCell& ctx, bool notUsed) {
  if (!notUsed) {
    celllook::InheritTextColor(ctx.capsule);
    return false;
  }
  GrayOutCell(ctx.capsule);
  ctx.capsule.outputText = kNotUsed;
  return true;
}

bool IsBlank(std::span<const char> field) {
  return std::all_of(field.begin(), field.end(), [](char ch) { return ch == ' '; });
}

bool IsDefaultCall(std::span<const char> field) {
  return IsBlank(field) || std::string_view(field.data(), field.size()) == kDefaultCall;
}

void RowNumber(indActiveCell& ctx) { ShowListRowNumber(ctx, ctx.index); }

constexpr char kTypeList[] = "GI_Sheet_Sel_Rpt_Type";
constexpr char kToneList[] = "GI_Sheet_Sel_Rpt_Tone";
constexpr char kToneFreqList[] = "GI_Sheet_Sel_Mch_TFreq";
constexpr char kRpt1UseList[] = "GI_Sheet_Sel_Rpt_Rpt1use";
constexpr char kPositionList[] = "GI_Sheet_Sel_Rpt_Position";
constexpr int kFlex0 = Flex0;
constexpr int kNearestNumber = 0;  // typed tones: the nearest frequency

// A record field chosen from a list; true when it changed (and was stored).
bool ChooseField(indActiveCell& ctx, const char* list, std::uint32_t& field) {
  auto value = static_cast<std::int32_t>(field);
  if (SelectChoice(ctx.Choices(), ctx.capsule, list, value, ctx.status) == 0 || value < 0)
    return false;
  field = static_cast<std::uint32_t>(value);
  return ctx.StoreRecord();
}

// The entry's type. On the new-entry row only Enter acts: it appends an
// entry to the group and opens the list; the choice then sets the new
// entry's type. Space and Backspace, which would step a type, do nothing
// there.
void EntryType(indActiveCell& ctx) {
  if (ctx.past && (ctx.Key() != cellop::kEnter || !InsertEntry(ctx))) return;
  std::int32_t type = Type(ctx);
  if (SelectChoice(ctx.Choices(), ctx.capsule, kTypeList, type, ctx.status) != 0 &&
      SetRepeaterListType(type, ctx.record) && ctx.StoreRecord())
    ctx.redrawMask |= redraw::kAllData;
  BlankWhenUnused(ctx);
}

// DV entries are always DV: their mode shows, grey, and takes no typing.
void Mode(indActiveCell& ctx) {
  const int type = Type(ctx);
  if (IsFm(type)) {
    celllook::InheritTextColor(ctx.capsule);
  } else {
    GrayOutCell(ctx.capsule);
  }
  ChooseField(ctx, recordlists::RepeaterModeList(type), ctx.record.rptMode);
  BlankWhenUnused(ctx);
}

void Duplex(indActiveCell& ctx) {
  const int type = Type(ctx);
  if (ShowNotUsed(ctx, IsSimplex(type))) return;
  datCh& r = ctx.record;
  auto value = static_cast<std::int32_t>(r.duplex);
  if (SelectChoiceById(ctx.Choices(), ctx.capsule, recordlists::RepeaterDupList(type), value,
                       CL_FlexMark_RptDup, ctx.status) != 0 &&
      value >= 0) {
    r.duplex = static_cast<std::uint32_t>(value);
    ctx.StoreRecord();
  }
  if (r.IsUsed()) ctx.MarkWarning(ChCheckRptDupWithoutCall(r));
  if (type == kRptTypeDvRepeater && (r.freq == 0 || r.duplex == 0 || r.useFrom == 0)) Grey(ctx);
  BlankWhenUnused(ctx);
}

void Tone(indActiveCell& ctx) {
  if (ShowNotUsed(ctx, !IsFm(Type(ctx)))) return;
  ChooseField(ctx, kToneList, ctx.record.rptToneMode);
  BlankWhenUnused(ctx);
}

void ToneFrequency(indActiveCell& ctx) {
  if (ShowNotUsed(ctx, !IsFm(Type(ctx)))) return;
  datCh& r = ctx.record;
  auto value = static_cast<std::int32_t>(r.rptToneIndex);
  if (SelectTypedChoice(ctx.Choices(), ctx.capsule, kToneFreqList, value, kNearestNumber, kFlex0,
                        ctx.status) != 0 &&
      value >= 0) {
    r.rptToneIndex = static_cast<std::uint32_t>(value);
    ctx.StoreRecord();
  }
  if (r.rptToneMode != 1 && r.rptToneMode != 2) Grey(ctx);
  BlankWhenUnused(ctx);
}

// Whether the entry serves as the access repeater (RPT1): grey while it has
// no frequency, or is a DV repeater without the duplex it needs for that.
void Rpt1Use(indActiveCell& ctx) {
  datCh& r = ctx.record;
  ChooseField(ctx, kRpt1UseList, r.useFrom);
  if (r.freq == 0 || (Type(ctx) == kRptTypeDvRepeater && r.duplex == 0)) Grey(ctx);
  BlankWhenUnused(ctx);
}

void PositionKind(indActiveCell& ctx) {
  ChooseField(ctx, kPositionList, ctx.record.positionMode);
  BlankWhenUnused(ctx);
}

void GroupName(indActiveCell& ctx) {
  EditNodeName(ctx, layout::kRptGroupNames, ctx.index, layout::kRptGroups,
               sheetno::kFirstRepeaterGroup + ctx.index, FormatGroupNameLabel, ctx.index);
}

template <std::size_t N>
void NameField(indActiveCell& ctx, datText<N>& field, int length) {
  std::string name = FieldText(field);
  if (EditNameText(ConvertersFor(ctx), ctx.capsule, name, length, ctx.status) != 0) {
    SetField(field, name);
    ctx.StoreRecord();
  }
  BlankWhenUnused(ctx);
}

// The repeater's call sign. A DV repeater keeps a call sign: a blank entry
// is not stored. The first call sign given to a repeater that still has
// the default one names its gateway too, when that is blank.
void RepeaterCall(indActiveCell& ctx) {
  const int type = Type(ctx);
  if (ShowNotUsed(ctx, IsSimplex(type))) return;
  datCh& r = ctx.record;
  datText<8> call = r.rptCall;
  if (EditCallSignCode(ConvertersFor(ctx), ctx.capsule, call, false, ctx.status) != 0 &&
      !(type == kRptTypeDvRepeater && IsBlank(call))) {
    if (IsDefaultCall(r.rptCall) && !IsBlank(call) && call != r.rptCall && IsBlank(r.gwCall)) {
      r.gwCall = call;
      r.gwCall[kGatewayMark] = 'G';
    }
    r.rptCall = call;
    if (ctx.StoreRecord()) ctx.redrawMask |= redraw::kAllData;
  }
  if (r.IsUsed()) ctx.MarkWarning(ChCheckDuplicateRpt(r));
  BlankWhenUnused(ctx);
}

// The gateway call sign of a DV repeater: its last character is "G" or a
// blank.
void GatewayCall(indActiveCell& ctx) {
  if (ShowNotUsed(ctx, Type(ctx) != kRptTypeDvRepeater)) return;
  datText<8> call = ctx.record.gwCall;
  if (EditCallSignCode(ConvertersFor(ctx), ctx.capsule, call, true, ctx.status) != 0) {
    if (call[kGatewayMark] != 'G') call[kGatewayMark] = ' ';
    ctx.record.gwCall = call;
    ctx.StoreRecord();
  }
  BlankWhenUnused(ctx);
}

// The frequency; a new one takes the offset of its range when it leaves the
// old one's.
void Frequency(indActiveCell& ctx) {
  datCh& r = ctx.record;
  std::uint32_t value = r.freq;
  if (EditRepeaterFrequency(ctx.capsule, value, kLowestFreqMHz, kHighestFreqMHz, ctx.status) != 0) {
    const std::int64_t snapped = SnapRepeaterFrequency(value);
    if (snapped >= 0) {
      const auto offset = indDestination::Current().ChooseDuplexOffset(
          snapped, r.freq, static_cast<std::int64_t>(r.offset));
      r.freq = static_cast<std::uint32_t>(snapped);
      r.offset = static_cast<std::uint32_t>(offset);
      ctx.StoreRecord();
    }
  }
  if (r.IsUsed()) ctx.MarkWarning(ChCheckRptFreq(r) || ChCheckFreqLimits(r));
  BlankWhenUnused(ctx);
}

void Offset(indActiveCell& ctx) {
  if (ShowNotUsed(ctx, IsSimplex(Type(ctx)))) return;
  datCh& r = ctx.record;
  const double maximum = indDestination::OffsetRangeIndex(r.freq) == kWideOffsetRange
                             ? kWideOffsetMHz
                             : kNarrowOffsetMHz;
  std::uint32_t value = r.offset;
  if (EditFrequency(ctx.capsule, value, 0.0, maximum, false, ctx.status) != 0) {
    const std::int64_t snapped = SnapRepeaterOffset(value);
    if (snapped >= 0) {
      r.offset = static_cast<std::uint32_t>(snapped);
      ctx.StoreRecord();
    }
  }
  if (r.duplex == 0) Grey(ctx);
  BlankWhenUnused(ctx);
}

void Position(indActiveCell& ctx, bool latitude) {
  const ConverterContext converters = ConvertersFor(ctx);
  const bool seconds = converters.positionFormat != 0;
  const int kind = latitude
                       ? (seconds ? gpsfield::kLatitudeSeconds : gpsfield::kLatitudeHundredths)
                       : (seconds ? gpsfield::kLongitudeSeconds : gpsfield::kLongitudeHundredths);
  // Positions carry no time: no UTC offset applies.
  if (EditGpsField(converters, ctx.capsule, ctx.record, 0, kind, ctx.status) != 0)
    ctx.StoreRecord();
  if (ctx.record.positionMode == 0) Grey(ctx);
  BlankWhenUnused(ctx);
}

// Signed minutes in 16 bits, 32767 for none.
void UtcOffset(indActiveCell& ctx) {
  datCh& r = ctx.record;
  std::int32_t minutes = static_cast<std::int16_t>(static_cast<std::uint16_t>(r.utcOffset));
  if (EditUtcOffset(ctx.capsule, minutes, true, ctx.status) != 0) {
    r.utcOffset = static_cast<std::uint16_t>(static_cast<std::int16_t>(minutes));
    ctx.StoreRecord();
  }
  BlankWhenUnused(ctx);
}

}  // namespace

void RegisterRepeaterCases(CellCaseTable& table) {
  table.Register(CL_Group_Name, GroupName);
  table.Register(CL_Repeater_List_ChNo, RowNumber);
  table.Register(CL_Repeater_List_Type, EntryType);
  table.Register(CL_Repeater_List_Mode, Mode);
  table.Register(CL_Repeater_List_Dup, Duplex);
  table.Register(CL_Repeater_List_Tone, Tone);
  table.Register(CL_Repeater_List_Tone_Freq, ToneFrequency);
  table.Register(CL_Repeater_List_Rpt1use, Rpt1Use);
  table.Register(CL_Repeater_List_Position, PositionKind);
  table.Register(CL_Repeater_List_Name,
                 [](indActiveCell& ctx) { NameField(ctx, ctx.record.name, kNameLength); });
  table.Register(CL_Repeater_List_SubName,
                 [](indActiveCell& ctx) { NameField(ctx, ctx.record.subName, kSubNameLength); });
  table.Register(CL_Repeater_List_R_Callsign_Code, RepeaterCall);
  table.Register(CL_Repeater_List_G_Callsign_Code, GatewayCall);
  table.Register(CL_Repeater_List_Freq, Frequency);
  table.Register(CL_Repeater_List_Offset_Freq, Offset);
  table.Register(CL_Repeater_List_Latitude, [](indActiveCell& ctx) { Position(ctx, true); });
  table.Register(CL_Repeater_List_Longitude, [](indActiveCell& ctx) { Position(ctx, false); });
  table.Register(CL_Repeater_List_UtcOffset, UtcOffset);
}
