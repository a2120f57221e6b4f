#include "cells/GpsCases.h"

#include <cstdint>
#include <string>

#include "cells/CellCaseTable.h"
#include "cells/ChoiceList.h"
#include "cells/CommonSettings.h"
#include "cells/ListCellKit.h"
#include "cells/PositionConverters.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "model/GpsDateTime.h"
#include "model/GroupLabels.h"
#include "model/LayoutFixedAreas.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/SheetNumbers.h"
#include "sheet/cmcCellCapsule.h"

namespace {

using namespace listcells;

// An unused row shows nothing, unless the editor is being opened.
void BlankWhenUnused(indActiveCell& ctx) {
  if (!ctx.record.IsUsed() && ctx.status != kCellOpenEditor) ctx.capsule.outputText.clear();
}

void RowNumber(indActiveCell& ctx) { ShowListRowNumber(ctx, ctx.index); }

// The key cell of the row: on the new-entry row a key the name converter
// acts on appends a memory to the group first; any other request there
// does nothing.
void Name(indActiveCell& ctx) {
  const ConverterContext converters = ConvertersFor(ctx);
  if (ctx.past && (!NameConverterActsOn(converters, ctx) || !InsertEntry(ctx))) return;
  std::string name = FieldText(ctx.record.gpsName);
  if (EditNameText(converters, ctx.capsule, name, layout::kGroupNameSize, ctx.status) != 0) {
    SetField(ctx.record.gpsName, name);
    ctx.StoreRecord();
  }
  BlankWhenUnused(ctx);
}

void GpsField(indActiveCell& ctx, int fieldKind, const ConverterContext& converters) {
  const int utcOffset = gpstime::ReadUtcOffsetMinutes(ctx.Image());
  if (EditGpsField(converters, ctx.capsule, ctx.record, utcOffset, fieldKind, ctx.status) != 0)
    ctx.StoreRecord();
  BlankWhenUnused(ctx);
}

void Date(indActiveCell& ctx) {
  const ConverterContext converters = ConvertersFor(ctx);
  // The date field kinds are the date orders.
  GpsField(ctx, converters.dateOrder, converters);
}

void Time(indActiveCell& ctx) { GpsField(ctx, gpsfield::kTime, ConvertersFor(ctx)); }

void Position(indActiveCell& ctx, bool latitude) {
  const ConverterContext converters = ConvertersFor(ctx);
  const bool seconds = converters.positionFormat != 0;
  const int kind = latitude
                       ? (seconds ? gpsfield::kLatitudeSeconds : gpsfield::kLatitudeHundredths)
                       : (seconds ? gpsfield::kLongitudeSeconds : gpsfield::kLongitudeHundredths);
  GpsField(ctx, kind, converters);
}

void Altitude(indActiveCell& ctx) {
  const ConverterContext converters = ConvertersFor(ctx);
  const bool metric = commonset::MetricAltitude(ctx.common);
  if (EditAltitude(converters, ctx.capsule, ctx.record.altitude, metric, ctx.status) != 0)
    ctx.StoreRecord();
  BlankWhenUnused(ctx);
}

constexpr char kAlarmList[] = "GI_Sheet_Sel_GPS_Alarm";
constexpr int kAlarmAllRow = 3;
constexpr int kAlarmFirstGroupRow = 4;
constexpr int kAlarmThisMemoryRow = 1;
constexpr std::uint8_t kAlarmGroups = 2;

// Whether the alarm covers this row's memory: all memories, the sheet's
// group, or this very memory.
bool AlarmCoversRow(const indActiveCell& ctx, const GpsAlarm& alarm) {
  const int row = GpsAlarmToSelIndex(alarm.type, alarm.group);
  if (row == kAlarmAllRow) return true;
  if (row >= kAlarmFirstGroupRow) return row - kAlarmFirstGroupRow == ctx.range.group;
  return row == kAlarmThisMemoryRow && alarm.group == ctx.range.group &&
         alarm.position == ctx.index - ctx.range.first;
}

// The GPS alarm of the common settings, chosen on any memory's row; the
// cell shows "*" where the alarm covers the row.
void Alarm(indActiveCell& ctx) {
  cmcEeprom& image = ctx.Image();
  const GpsAlarm stored = GetGpsAlarm(image);
  std::int32_t row = GpsAlarmToSelIndex(stored.type, stored.group);
  if (SelectChoice(ctx.Choices(), ctx.capsule, kAlarmList, row, ctx.status) != 0) {
    GpsAlarm chosen = GpsAlarmFromSelIndex(row);
    if (chosen.type == kGpsAlarmMemory) {
      chosen.group = static_cast<std::uint8_t>(ctx.range.group);
      chosen.position = static_cast<std::uint16_t>(ctx.index - ctx.range.first);
    } else if (chosen.type != kAlarmGroups) {
      chosen.group = 0;
    }
    if (chosen.type != kGpsAlarmMemory) chosen.position = 0;
    SetGpsAlarm(image, chosen);
    ctx.bus.Send(ev::ListChanged);
    ctx.redrawMask |= redraw::kAllData;
  }
  ctx.capsule.outputText.assign(1, AlarmCoversRow(ctx, GetGpsAlarm(image)) ? '*' : ' ');
}

// The name of GPS group index + 1 (the groups with letters A..Z).
void GroupName(indActiveCell& ctx) {
  EditNodeName(ctx, layout::kGpsGroupNames, ctx.index, layout::kGpsGroupNameCount,
               sheetno::kFirstNamedGpsGroup + ctx.index, FormatGpsBankNameLabel, ctx.index);
}

}  // namespace

void RegisterGpsCases(CellCaseTable& table) {
  table.Register(CL_Gps_ChNo, RowNumber);
  table.Register(CL_Gps_Name, Name);
  table.Register(CL_Gps_Date, Date);
  table.Register(CL_Gps_Time, Time);
  table.Register(CL_Gps_Latitude, [](indActiveCell& ctx) { Position(ctx, true); });
  table.Register(CL_Gps_Longitude, [](indActiveCell& ctx) { Position(ctx, false); });
  table.Register(CL_Gps_Altitude, Altitude);
  table.Register(CL_Gps_Alarm, Alarm);
  table.Register(CL_Gps_Bank_Name, GroupName);
}
