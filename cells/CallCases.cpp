#include "cells/CallCases.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cells/CellCaseTable.h"
#include "cells/CellHost.h"
#include "cells/CommonSettings.h"
#include "cells/PositionConverters.h"
#include "cells/TextConverters.h"
#include "cells/indActiveCell.h"
#include "cells/names/CellNames.h"
#include "cells/rxformat/RxMeasureFormatters.h"
#include "cells/rxformat/RxTextFormatters.h"
#include "cells/rxformat/RxTimeFormatters.h"
#include "core/NumberText.h"
#include "core/TextTableChoice.h"
#include "model/GpsDateTime.h"
#include "model/datCh.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellCapsule.h"

namespace {

constexpr char kCallDuplexList[] = "GI_Sheet_Sel_Mch_Dup";
constexpr std::uint8_t kRxEmptyByte = 0xFF;
constexpr std::uint16_t kRxEmptyWord = 0xFFFF;
constexpr std::uint16_t kRxEmptyTemperature = 32767;
constexpr std::uint32_t kRxEmptyAltitude = 0x7FFFFFFF;
constexpr std::uint8_t kRxEmptyBcd = 0x99;

// What a column formats: the row's record (its received-call fields, or
// the empty ones), and what the sheet and the image say about units,
// language, dates and the UTC offset.
struct CallView {
  const datCh& record;
  const datRxCall& rx;
  bool used;
  RxFormatOptions options;
  int utcOffset;
  int positionFormat;
  const imageaccess::CommonBlock& common;
  cmcFCache& choices;
};

using CallFormatter = std::string (*)(const CallView& view);

struct CallColumn {
  int cellId;
  const char* field;  // what the column shows
  CallFormatter format;
};

template <std::size_t N>
std::string_view FieldBytes(const datText<N>& field) {
  return {field.data(), N};
}

// A received call of no values: what an unused history row shows.
datRxCall EmptyRxCall() {
  datRxCall r;
  for (auto* text : {r.caller.data(), r.called.data(), r.rpt1.data(), r.rpt2.data()})
    std::fill_n(text, 8, ' ');
  r.callerNote.fill(' ');
  r.message.fill(' ');
  r.gpsMessage.fill(' ');
  r.objItemName.fill(' ');
  r.date.fill(kRxEmptyBcd);
  r.time.fill(kRxEmptyBcd);
  r.gpsTimestamp.fill(kRxEmptyBcd);
  r.latitude = {kNoPositionDegrees, 0, 0, ' '};
  r.longitude = {kNoPositionDegrees, 0, 0, ' '};
  r.altitude = kRxEmptyAltitude;
  r.ssid = {static_cast<char>(kRxEmptyByte), static_cast<char>(kRxEmptyByte)};
  r.symbol = r.ssid;
  r.dataType = kRxEmptyByte;
  r.course = r.speed = kRxEmptyWord;
  r.phg.fill(kRxEmptyByte);
  r.objState = r.objSubType = kRxEmptyByte;
  r.temperature = kRxEmptyTemperature;
  r.rain = r.rain24 = r.rainMidnight = kRxEmptyWord;
  r.windDir = r.windSpeed = r.gustSpeed = kRxEmptyWord;
  r.barometric = 0xFFFFFFFF;
  r.humidity = kRxEmptyByte;
  r.status = 0;
  return r;
}

std::string RxLatitudeText(const CallView& v) {
  return FormatLatitude(v.rx.latitude, 0, v.positionFormat, v.options.japanese);
}
std::string RxLongitudeText(const CallView& v) {
  return FormatLongitude(v.rx.longitude, 0, v.positionFormat, v.options.japanese);
}
std::string RxTimeStampText(const CallView& v) {
  const DateTimeBcd stamp = {v.rx.date[0], v.rx.date[1], v.rx.date[2],
                             v.rx.time[0], v.rx.time[1], v.rx.time[2]};
  return FormatGpsTimeStamp(stamp, v.utcOffset, v.options);
}
std::string RxGpsTimeText(const CallView& v) {
  return FormatRxTime({v.rx.gpsTimestamp[0], v.rx.gpsTimestamp[1], v.rx.gpsTimestamp[2]},
                      v.utcOffset, v.options);
}

const CallColumn kReceivedColumns[] = {
    {CL_Received_Callsign_Caller, "caller's call sign",
     [](const CallView& v) { return FormatFixedText(FieldBytes(v.rx.caller)); }},
    {CL_Received_Callsign_Caller2, "caller's note",
     [](const CallView& v) { return FormatFixedText(FieldBytes(v.rx.callerNote)); }},
    {CL_Received_Callsign_Called, "called call sign",
     [](const CallView& v) { return FormatFixedText(FieldBytes(v.rx.called)); }},
    {CL_Received_Callsign_RPT1, "RPT1",
     [](const CallView& v) { return FormatFixedText(FieldBytes(v.rx.rpt1)); }},
    {CL_Received_Callsign_RPT2, "RPT2",
     [](const CallView& v) { return FormatFixedText(FieldBytes(v.rx.rpt2)); }},
    {CL_Received_Callsign_Message, "message",
     [](const CallView& v) {
       return FormatRxMessage(FieldBytes(v.rx.message), v.options, !v.options.japanese);
     }},
    {CL_Received_Callsign_Status, "route status",
     [](const CallView& v) { return FormatRxRouteStatus(v.rx.status); }},
    {CL_Received_Callsign_Date, "time stamp", RxTimeStampText},
    {CL_Received_Callsign_BK, "BK",
     [](const CallView& v) { return FormatFlagStar20(v.rx.status); }},
    {CL_Received_Callsign_EMR, "EMR",
     [](const CallView& v) { return FormatFlagStar08(v.rx.status); }},
    {CL_Received_Callsign_Latitude, "latitude", RxLatitudeText},
    {CL_Received_Callsign_Longitude, "longitude", RxLongitudeText},
    {CL_Received_Callsign_Altitude, "altitude",
     [](const CallView& v) {
       return FormatRxAltitude(v.rx.altitude, commonset::AltitudeUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_SSID, "SSID",
     [](const CallView& v) { return FormatRxSsid(FieldBytes(v.rx.ssid), v.options); }},
    {CL_Received_Callsign_Symbol, "symbol",
     [](const CallView& v) { return FormatRxAprsSymbol(FieldBytes(v.rx.symbol), v.options); }},
    {CL_Received_Callsign_Course, "course",
     [](const CallView& v) { return FormatRxCourse(v.rx.course, v.options); }},
    {CL_Received_Callsign_Speed, "speed",
     [](const CallView& v) {
       return FormatRxSpeed(v.rx.speed, commonset::SpeedUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_GpsTimestamp, "GPS time", RxGpsTimeText},
    {CL_Received_Callsign_Power, "PHG power",
     [](const CallView& v) { return FormatPhgPower(v.rx.phg[0], v.options); }},
    {CL_Received_Callsign_Height, "PHG height",
     [](const CallView& v) {
       return FormatPhgHeight(v.rx.phg[1], commonset::AltitudeUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_Gain, "PHG gain",
     [](const CallView& v) { return FormatPhgGain(v.rx.phg[2], v.options); }},
    {CL_Received_Callsign_Directivity, "PHG directivity",
     [](const CallView& v) { return FormatPhgDirectivity(v.rx.phg[3], v.options); }},
    {CL_Received_Callsign_ObjItemName, "object or item name",
     [](const CallView& v) { return FormatRxObjectName(FieldBytes(v.rx.objItemName), v.options); }},
    {CL_Received_Callsign_DataType, "object state",
     [](const CallView& v) { return FormatRxObjectState(v.rx.objState, v.options); }},
    {CL_Received_Callsign_Temp, "temperature",
     [](const CallView& v) {
       return FormatRxTemperature(v.rx.temperature, commonset::TemperatureUnit(v.common),
                                  v.options);
     }},
    {CL_Received_Callsign_Rain, "rainfall of the last hour",
     [](const CallView& v) {
       return FormatRxRainfall(v.rx.rain, commonset::RainUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_Rain24, "rainfall of 24 hours",
     [](const CallView& v) {
       return FormatRxRainfall(v.rx.rain24, commonset::RainUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_RainMidnight, "rainfall since midnight",
     [](const CallView& v) {
       return FormatRxRainfall(v.rx.rainMidnight, commonset::RainUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_WindDir, "wind direction",
     [](const CallView& v) { return FormatRxWindDirection(v.rx.windDir, v.options); }},
    {CL_Received_Callsign_WindSpeed, "wind speed",
     [](const CallView& v) {
       return FormatRxWindSpeed(v.rx.windSpeed, commonset::WindSpeedUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_GustSpeed, "gust speed",
     [](const CallView& v) {
       return FormatRxWindSpeed(v.rx.gustSpeed, commonset::WindSpeedUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_Barometric, "pressure",
     [](const CallView& v) {
       return FormatPressure(v.rx.barometric, commonset::PressureUnit(v.common), v.options);
     }},
    {CL_Received_Callsign_Humidity, "humidity",
     [](const CallView& v) { return FormatRxHumidity(v.rx.humidity, v.options); }},
    {CL_Received_Callsign_GpsMsg, "comment",
     [](const CallView& v) {
       return FormatRxComment(FieldBytes(v.rx.gpsMessage), v.options, !v.options.japanese);
     }},
};

// The transmitted calls: a call sign and what the repeater or your-call
// lists hold for it.
bool CallFound(const CallView& v) { return v.used && v.record.listFound != 0; }

std::string CallSignText(const CallView& v) {
  return FormatFixedText(FieldBytes(v.record.listCall));
}
std::string CallNameText(const CallView& v) {
  if (v.record.name[0] == '\0') return {};
  const std::string text = FormatFixedText(FieldBytes(v.record.name));
  return v.options.japanese ? text : ShowAsSingleByte(text);
}
std::string CallFrequencyText(const CallView& v) {
  return CallFound(v) ? core::FormatFrequencyText(v.record.freq, '.') : std::string();
}
std::string CallDuplexText(const CallView& v) {
  return CallFound(v) ? v.choices.GetText(kCallDuplexList, Flex0, static_cast<int>(v.record.duplex))
                      : std::string();
}
std::string CallOffsetText(const CallView& v) {
  return CallFound(v) ? core::FormatFrequencyText(v.record.offset, '.') : std::string();
}

const CallColumn kTransmittedColumns[] = {
    {CL_TxCall_From_Callsign, "call sign", CallSignText},
    {CL_TxCall_From_Name, "name", CallNameText},
    {CL_TxCall_From_Freq, "frequency", CallFrequencyText},
    {CL_TxCall_From_Dup, "duplex", CallDuplexText},
    {CL_TxCall_From_Offset, "offset", CallOffsetText},
    {CL_TxCall_FAnalog_Callsign, "call sign", CallSignText},
    {CL_TxCall_FAnalog_Name, "name", CallNameText},
    {CL_TxCall_FAnalog_Freq, "frequency", CallFrequencyText},
    {CL_TxCall_FAnalog_Dup, "duplex", CallDuplexText},
    {CL_TxCall_FAnalog_Offset, "offset", CallOffsetText},
    {CL_TxCall_To_Callsign, "call sign", CallSignText},
    {CL_TxCall_To_Name, "name", CallNameText},
    {CL_TxCall_Ref_Callsign, "call sign", CallSignText},
};

const CallColumn* FindCallColumn(int cellId) {
  for (const CallColumn& c : kReceivedColumns)
    if (c.cellId == cellId) return &c;
  for (const CallColumn& c : kTransmittedColumns)
    if (c.cellId == cellId) return &c;
  return nullptr;
}

void ShowCallColumn(indActiveCell& ctx) {
  const CallColumn* column = FindCallColumn(ctx.cellId);
  if (!column) return;
  static const datRxCall kEmpty = EmptyRxCall();
  const bool used = ctx.record.IsUsed();
  RxFormatOptions options;
  options.japanese = IsJapaneseUi(ctx.settings);
  options.dateOrder = ctx.host.DateOrder();
  const CallView view{ctx.record,
                      used ? ctx.record.rx : kEmpty,
                      used,
                      options,
                      gpstime::ReadUtcOffsetMinutes(ctx.Image()),
                      commonset::PositionFormat(ctx.common),
                      ctx.common,
                      ctx.Choices()};
  ctx.capsule.outputText = column->format(view);
}

}  // namespace

void RegisterCallCases(CellCaseTable& table) {
  for (const CallColumn& c : kReceivedColumns) table.Register(c.cellId, ShowCallColumn);
  for (const CallColumn& c : kTransmittedColumns) table.Register(c.cellId, ShowCallColumn);
}
