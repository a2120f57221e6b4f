#include "model/csv/CsvExport.h"

#include <QSaveFile>
#include <QString>
#include <vector>

#include "cells/rxformat/RxMeasureFormatters.h"
#include "cells/rxformat/RxTextFormatters.h"
#include "cells/rxformat/RxTimeFormatters.h"
#include "core/cmcGTex.h"
#include "model/GpsDateTime.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvCodecs.h"
#include "model/csv/CsvTables.h"
#include "model/datCh.h"

namespace csv {
namespace {

constexpr std::uint32_t kBankFreqLimit = 550000000;
constexpr int kRxTitles = 36;
constexpr const char* kRxTitleKey = "GI_Mess_FileExport_Title";

// One line of fields: the separator before every field but the first.
class LineWriter {
 public:
  LineWriter(std::string& out, char separator) : out_(out), separator_(separator) {}
  void Field(std::string_view text) {
    if (count_++ > 0) out_ += separator_;
    out_ += text;
  }
  // A field written only for a used record.
  void Used(bool used, const std::string& text) { Field(used ? std::string_view(text) : ""); }
  void End() {
    out_ += "\r\n";
    count_ = 0;
  }

 private:
  std::string& out_;
  char separator_;
  int count_ = 0;
};

void Header(std::string& out, char separator, const std::vector<std::string>& titles) {
  LineWriter line(out, separator);
  for (const std::string& t : titles) line.Field(t);
  line.End();
}

template <std::size_t N>
std::string_view View(const datText<N>& field) {
  return {field.data(), N};
}

std::string Freq(std::uint32_t hz, const CsvContext& ctx) { return FormatFreq(hz, ctx.decimal); }

void WriteChannels(std::string& out, const cmcEeprom& image, const CsvTarget& t,
                   const CsvContext& ctx) {
  Header(out, ctx.separator,
         {"CH No", "Frequency", "Dup", "Offset", "TS", "Mode", "Name", "SKIP", "TONE",
          "Repeater Tone", "TSQL Frequency", "DTCS Code", "DTCS Polarity", "DV SQL",
          "DV CSQL Code", "Your Call Sign", "RPT1 Call Sign", "RPT2 Call Sign"});
  const int rows = GetSheetRowCount(t.sheet.itemKind);
  for (int r = 0; r < rows; ++r) {
    const datCh c = LoadSheetRow(image, t.sheet, r);
    bool used = c.IsUsed();
    if (t.sheet.itemKind == itemkind::kBankChannel && c.freq > kBankFreqLimit) used = false;
    LineWriter line(out, ctx.separator);
    line.Field(FormatRowNumber(r));
    line.Used(used, Freq(c.freq, ctx));
    line.Used(used, EnumFormat(DuplexTable(), c.duplex));
    line.Used(used, Freq(c.offset, ctx));
    line.Used(used, EnumFormat(TuneStepTable(), c.tuneStep));
    line.Used(used, EnumFormat(ModeTable(), c.mode));
    line.Used(used, FormatName(View(c.name)));
    line.Used(used, EnumFormat(SkipTable(), c.skip));
    line.Used(used, EnumFormat(ToneModeTable(), c.toneMode));
    line.Used(used, FormatCtcss(c.rptTone, ctx.decimal));
    line.Used(used, FormatCtcss(c.tsqlTone, ctx.decimal));
    line.Used(used, EnumFormat(DtcsTable(), c.dtcsCode));
    line.Used(used, EnumFormat(PolarityTable(), c.dtcsPolarity));
    line.Used(used, EnumFormat(DigitalSquelchTable(), c.dvSql));
    line.Used(used, FormatInt(c.dvCsqlCode));
    line.Used(used, FormatCallSign(View(c.urCall)));
    line.Used(used, FormatCallSign(View(c.rpt1Call)));
    line.Used(used, FormatCallSign(View(c.rpt2Call)));
    line.End();
  }
}

void WriteScanEdges(std::string& out, const cmcEeprom& image, const CsvContext& ctx) {
  Header(out, ctx.separator, {"No", "Name", "Frequency Low", "Frequency High", "TS", "Mode"});
  for (int i = 0; i < layout::kScanEdges; ++i) {
    const datCh e = LoadDetached(image, itemkind::kScanEdge, static_cast<std::uint32_t>(i));
    const bool used = e.IsUsed();
    LineWriter line(out, ctx.separator);
    line.Field(FormatRowNumber(i));
    line.Used(used, FormatName(View(e.name)));
    line.Used(used, Freq(e.freq, ctx));
    line.Used(used, Freq(e.freq2, ctx));
    line.Used(used, EnumFormat(TuneStepWithNoneTable(), e.tuneStep));
    line.Used(used, EnumFormat(ModeWithNoneTable(), e.mode));
    line.End();
  }
}

std::string GpsGroupName(const cmcEeprom& image, int group) {
  if (group < 1 || group >= layout::kGpsGroups) return {};
  char name[16];
  image.GetBlock(layout::kGpsGroupNames + 16 * static_cast<std::int64_t>(group - 1),
                 reinterpret_cast<std::uint8_t*>(name), 16);
  return FormatName({name, 16});
}

void WriteGps(std::string& out, const cmcEeprom& image, const CsvTarget& t,
              const CsvContext& ctx) {
  Header(out, ctx.separator,
         {"Group", "Group Name", "Name", "Date", "Time", "Latitude", "Longitude", "Altitude",
          "Alarm"});
  const bool all = t.group == kAllGroups;
  const int first = all ? 0 : GpsGroupFirst(image, t.group);
  const int last = all ? GpsOrderCount(image) - 1 : GpsGroupLast(image, t.group);
  const int utc = gpstime::ReadUtcOffsetMinutes(image);
  const GpsAlarm alarm = GetGpsAlarm(image);
  for (int p = first; p <= last; ++p) {
    const datCh g = LoadDetached(image, itemkind::kGpsMemory, static_cast<std::uint32_t>(p));
    const int group = GpsGroupOfIndex(image, p);
    const DateTimeBcd when{g.gpsDate[0], g.gpsDate[1], g.gpsDate[2],
                           g.gpsTime[0], g.gpsTime[1], g.gpsTime[2]};
    const bool alarmed = alarm.type == kGpsAlarmMemory && alarm.group == group &&
                         alarm.position == p - GpsGroupFirst(image, group);
    LineWriter line(out, ctx.separator);
    line.Field(EnumFormat(GpsGroupTable(), static_cast<std::uint32_t>(group)));
    line.Field(GpsGroupName(image, group));
    line.Field(FormatName(View(g.gpsName)));
    line.Field(FormatDate(when, utc, ctx.dateOrder, ctx.dateSeparator));
    line.Field(FormatTime(when, utc));
    line.Field(FormatPosition(g.latitude, ctx.decimal));
    line.Field(FormatPosition(g.longitude, ctx.decimal));
    line.Field(FormatAltitude(g.altitude, ctx.decimal));
    line.Field(EnumFormat(OffOnTable(), alarmed ? 1 : 0));
    line.End();
  }
}

std::string RptGroupName(const cmcEeprom& image, int group) {
  if (group < 0 || group >= layout::kRptGroups) return {};
  char name[16];
  image.GetBlock(layout::kRptGroupNames + 16 * static_cast<std::int64_t>(group),
                 reinterpret_cast<std::uint8_t*>(name), 16);
  return FormatName({name, 16});
}

void WriteRepeaters(std::string& out, const cmcEeprom& image, const CsvTarget& t,
                    const CsvContext& ctx) {
  Header(out, ctx.separator,
         {"Group No", "Group Name", "Name", "Sub Name", "Repeater Call Sign", "Gateway Call Sign",
          "Frequency", "Dup", "Offset", "Mode", "TONE", "Repeater Tone", "RPT1USE", "Position",
          "Latitude", "Longitude", "UTC Offset"});
  const bool all = t.group == kAllGroups;
  const int first = all ? 0 : GetRptGroupFirst(image, t.group);
  const int last = all ? GetRptTotalCount(image) - 1 : GetRptGroupLast(image, t.group);
  for (int i = first; i <= last; ++i) {
    const datCh r = LoadDetached(image, itemkind::kRepeater, static_cast<std::uint32_t>(i));
    const bool used = r.IsUsed();
    const int group = GetRptGroupOfIndex(image, i);
    LineWriter line(out, ctx.separator);
    line.Used(used, FormatInt(std::min(group + 1, layout::kRptGroups)));
    line.Used(used, RptGroupName(image, group));
    line.Used(used, FormatName(View(r.name)));
    line.Used(used, FormatName(View(r.subName)));
    line.Used(used, FormatCallSign(View(r.rptCall)));
    line.Used(used, FormatCallSign(View(r.gwCall)));
    line.Used(used, FormatFreqOrEmpty(r.freq, ctx.decimal));
    line.Used(used, EnumFormat(DuplexTable(), r.duplex));
    line.Used(used, Freq(r.offset, ctx));
    line.Used(used, EnumFormat(RptModeTable(), r.rptMode));
    line.Used(used, EnumFormat(ShortToneModeTable(), r.rptToneMode));
    line.Used(used, FormatCtcss(r.rptToneIndex, ctx.decimal));
    line.Used(used, EnumFormat(NoYesTable(), r.useFrom));
    line.Used(used, EnumFormat(PositionTable(), r.positionMode));
    line.Used(used, FormatPosition(r.latitude, ctx.decimal));
    line.Used(used, FormatPosition(r.longitude, ctx.decimal));
    line.Used(used, FormatUtcOffset(static_cast<std::int16_t>(r.utcOffset)));
    line.End();
  }
}

void WriteYourCalls(std::string& out, const cmcEeprom& image, const CsvContext& ctx) {
  Header(out, ctx.separator, {"No", "Name", "Call Sign"});
  const int count = GetYourCallCount(image);
  for (int i = 0; i < count; ++i) {
    char call[8];
    char name[16];
    image.GetBlock(layout::kUrCalls + 8 * static_cast<std::int64_t>(i),
                   reinterpret_cast<std::uint8_t*>(call), 8);
    image.GetBlock(layout::kUrNames + 16 * static_cast<std::int64_t>(i),
                   reinterpret_cast<std::uint8_t*>(name), 16);
    LineWriter line(out, ctx.separator);
    line.Field(FormatRowNumber(i + 1));
    line.Field(FormatName({name, 16}));
    line.Field(FormatCallSign({call, 8}));
    line.End();
  }
}

void WriteRxCalls(std::string& out, const cmcEeprom& image, const CsvContext& ctx) {
  std::vector<std::string> titles;
  for (int i = 0; i < kRxTitles; ++i) titles.push_back(ctx.texts.GetText(kRxTitleKey, i));
  Header(out, ctx.separator, titles);
  RxFormatOptions o;
  o.csv = true;
  o.decimal = ctx.decimal;
  o.japanese = ctx.japanese;
  o.dateOrder = ctx.dateOrder;
  o.dateSeparator = ctx.dateSeparator;
  const int utc = gpstime::ReadUtcOffsetMinutes(image);
  for (int e = 0; e < layout::kRxEntries; ++e) {
    const datCh c = LoadDetached(image, itemkind::kRxCall, static_cast<std::uint32_t>(e));
    if (!c.IsUsed()) break;
    const datRxCall& r = c.rx;
    LineWriter line(out, ctx.separator);
    line.Field(Freq(r.frequency, ctx));
    line.Field(EnumFormat(ModeTable(), c.mode));
    line.Field(FormatCallSign(View(r.caller)));
    line.Field(FormatName(View(r.callerNote)));
    line.Field(FormatCallSign(View(r.called)));
    line.Field(FormatCallSign(View(r.rpt1)));
    line.Field(FormatCallSign(View(r.rpt2)));
    line.Field(FormatRxMessage(View(r.message), o, false));
    line.Field(FormatRxRouteStatus(r.status));
    line.Field(FormatGpsTimeStamp(
        {r.date[0], r.date[1], r.date[2], r.time[0], r.time[1], r.time[2]}, utc, o));
    line.Field(FormatFlagStar20(r.status));
    line.Field(FormatFlagStar08(r.status));
    line.Field(FormatPosition(r.latitude, ctx.decimal));
    line.Field(FormatPosition(r.longitude, ctx.decimal));
    line.Field(FormatRxAltitude(r.altitude, 0, o));
    line.Field(FormatRxSsid(View(r.ssid), o));
    line.Field(FormatRxAprsSymbol(View(r.symbol), o));
    line.Field(FormatRxCourse(r.course, o));
    line.Field(FormatRxSpeed(r.speed, 0, o));
    line.Field(FormatPhgPower(r.phg[0], o));
    line.Field(FormatPhgHeight(r.phg[1], 0, o));
    line.Field(FormatPhgGain(r.phg[2], o));
    line.Field(FormatPhgDirectivity(r.phg[3], o));
    line.Field(FormatRxObjectName(View(r.objItemName), o));
    line.Field(FormatRxObjectState(r.objState, o));
    line.Field(FormatRxTemperature(r.temperature, 0, o));
    line.Field(FormatRxRainfall(r.rain, 0, o));
    line.Field(FormatRxRainfall(r.rain24, 0, o));
    line.Field(FormatRxRainfall(r.rainMidnight, 0, o));
    line.Field(FormatRxWindDirection(r.windDir, o));
    line.Field(FormatRxWindSpeed(r.windSpeed, 0, o));
    line.Field(FormatRxWindSpeed(r.gustSpeed, 0, o));
    line.Field(FormatPressure(r.barometric, 0, o));
    line.Field(FormatRxHumidity(r.humidity, o));
    line.Field(FormatRxTime({r.gpsTimestamp[0], r.gpsTimestamp[1], r.gpsTimestamp[2]}, utc, o));
    line.Field(FormatRxComment(View(r.gpsMessage), o, false));
    line.End();
  }
}

void WriteTxCalls(std::string& out, const cmcEeprom& image, std::uint32_t kind,
                  const CsvContext& ctx) {
  const bool from = kind == itemkind::kCallListA || kind == itemkind::kCallListB;
  const bool to = kind == itemkind::kCallListC;
  if (from) Header(out, ctx.separator, {"Call Sign", "Name", "Frequency", "Dup", "Offset"});
  else if (to) Header(out, ctx.separator, {"Call Sign", "Name"});
  else Header(out, ctx.separator, {"Call Sign"});
  const int count = static_cast<int>(datCh::KindMax(kind)) + 1;
  for (int i = 0; i < count; ++i) {
    const datCh c = LoadDetached(image, kind, static_cast<std::uint32_t>(i));
    if (!c.IsUsed()) break;
    const bool detail = c.listFound != 0;
    LineWriter line(out, ctx.separator);
    line.Field(FormatCallSign(View(c.listCall)));
    if (from || to) line.Used(detail, FormatName(View(c.name)));
    if (from) {
      line.Used(detail, FormatFreqOrEmpty(c.freq, ctx.decimal));
      line.Used(detail, EnumFormat(DuplexTable(), c.duplex));
      line.Used(detail, Freq(c.offset, ctx));
    }
    line.End();
  }
}

}  // namespace

std::string WriteCsvText(const cmcEeprom& image, const CsvTarget& t, const CsvContext& ctx) {
  std::string out;
  switch (t.list) {
    case kListChannels: WriteChannels(out, image, t, ctx); break;
    case kListScanEdges: WriteScanEdges(out, image, ctx); break;
    case kListGps: WriteGps(out, image, t, ctx); break;
    case kListRepeaters: WriteRepeaters(out, image, t, ctx); break;
    case kListYourCalls: WriteYourCalls(out, image, ctx); break;
    case kListRxCalls: WriteRxCalls(out, image, ctx); break;
    default: WriteTxCalls(out, image, t.sheet.itemKind, ctx); break;
  }
  return out;
}

WriteResult WriteCsvFile(const std::string& path, const cmcEeprom& image, const CsvTarget& target,
                         const CsvContext& ctx) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return WriteResult::kCannotCreate;
  const std::string text = WriteCsvText(image, target, ctx);
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return WriteResult::kCannotWrite;
  }
  return file.commit() ? WriteResult::kDone : WriteResult::kCannotWrite;
}

}  // namespace csv
