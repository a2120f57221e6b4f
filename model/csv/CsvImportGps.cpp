// Rows of the GPS memory (one group or all) and of the your-call list.
#include <array>

#include "core/TextFields.h"
#include "model/GpsDateTime.h"
#include "model/GroupLabels.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/SheetNumbers.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvCodecs.h"
#include "model/csv/CsvImportRows.h"
#include "model/csv/CsvTables.h"
#include "model/datCh.h"

namespace csv {
namespace gpsrows {

enum : int {
  kGroup = 0, kBank, kGroupName, kName, kDate, kTime, kLatitude, kLongitude, kAltitude, kAlarm
};
enum : int { kUrNo = 0, kUrName, kUrCall };

constexpr int kNamedGroups = layout::kGpsGroupNameCount;  // A..Z

std::int64_t GroupNameAddress(int group) {
  return layout::kGpsGroupNames + 16 * static_cast<std::int64_t>(group - 1);
}

bool IsNameBlank(const cmcEeprom& image, int group) {
  std::array<std::uint8_t, 16> name{};
  image.GetBlock(GroupNameAddress(group), name.data(), 16);
  return core::IsBlankField(std::span<const std::uint8_t>(name));
}

void BlankName(cmcEeprom& image, int group) {
  const std::array<std::uint8_t, 16> blanks = [] {
    std::array<std::uint8_t, 16> b{};
    b.fill(' ');
    return b;
  }();
  image.SetBlock(GroupNameAddress(group), blanks.data(), 16);
}

void DeleteGroup(cmcEeprom& image, int g) {
  while (GpsGroupCount(image, g) > 0) GpsMemDelete(image, g, GpsGroupLast(image, g));
}

}  // namespace gpsrows

void ReadGpsRows(ImportRun& run, const std::vector<std::string_view>& lines) {
  using namespace gpsrows;
  cmcEeprom& image = run.image;
  const int g = run.target.group;
  const bool all = g == kAllGroups;
  if (all) {
    for (int k = 0; k < layout::kGpsGroups; ++k) DeleteGroup(image, k);
    for (int k = 1; k <= kNamedGroups; ++k) BlankName(image, k);
  } else {
    DeleteGroup(image, g);
    if (g != 0) BlankName(image, g);
  }
  const int utc = gpstime::ReadUtcOffsetMinutes(image);
  datCh blank = LoadDetached(run.initial, itemkind::kBlankGpsNoDate, 0);
  blank.flags &= ~datCh::kUsed;
  const int groupColumn = run.Has(kGroup) ? kGroup : (run.Has(kBank) ? kBank : -1);
  bool alarmFound = false;
  GpsAlarm alarm;
  alarm.type = kGpsAlarmMemory;
  int next = 0;

  for (const std::string_view line : lines) {
    run.row.Set(line, run.ctx.separator);
    datCh r = blank;
    std::array<char, 16> groupName{};
    groupName.fill(' ');
    int corr = 0;
    std::int64_t group = -1;
    if (groupColumn >= 0) group = EnumParse(GpsGroupTable(), run.Field(groupColumn));
    if (run.Has(kGroupName) && ParseName(run.Field(kGroupName), groupName)) ++corr;
    if (run.Has(kName) && ParseName(run.Field(kName), r.gpsName)) ++corr;
    DateTimeBcd when{r.gpsDate[0], r.gpsDate[1], r.gpsDate[2],
                     r.gpsTime[0], r.gpsTime[1], r.gpsTime[2]};
    if (run.Has(kDate))
      ParseDate(run.Field(kDate), run.ctx.dateOrder, run.ctx.dateSeparator, when);
    if (run.Has(kTime)) ParseTime(run.Field(kTime), when);
    r.latitude = ParseLatitude(run.Field(kLatitude), run.ctx.decimal);
    r.longitude = ParseLongitude(run.Field(kLongitude), run.ctx.decimal);
    if (run.Has(kAltitude)) r.altitude = ParseAltitude(run.Field(kAltitude), run.ctx.decimal);
    bool alarmRow = false;
    if (run.Has(kAlarm)) {
      const std::uint32_t on = EnumParse(OffOnTable(), run.Field(kAlarm));
      if (on == kNotFound || (on == 1 && alarmFound)) ++corr;
      else if (on == 1) alarmRow = true;
    }
    // The record check.
    if (!IsValidLatitude(r.latitude) || !IsValidLongitude(r.longitude)) {
      ++run.result.discarded;
      continue;
    }
    if (!IsValidAltitude(r.altitude)) {
      r.altitude = kAltitudeNone;
      ++corr;
    }
    if (FixInvalidTextChars(r.gpsName)) ++corr;
    if (FixGpsTimeFields(when, utc)) ++corr;
    r.gpsDate = {when[0], when[1], when[2]};
    r.gpsTime = {when[3], when[4], when[5]};
    if (group < 0 || group >= layout::kGpsGroups) {
      group = 0;
      ++corr;
    }

    if (GpsOrderCount(image) >= layout::kGpsCapacity) {
      run.NoSpace();
      break;
    }
    const int target = all ? static_cast<int>(group) : g;
    const int first = GpsGroupFirst(image, target);
    const int position = all ? first + GpsGroupCount(image, target) : first + next;
    if (!GpsMemInsert(image, target, position)) continue;
    ++next;
    r.flags |= datCh::kUsed;  // stored rows are in use, so the store writes them
    r.SetImage(&image);
    r.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(position));
    run.Count(false, corr);
    if (alarmRow) {
      alarmFound = true;
      alarm.group = static_cast<std::uint8_t>(target);
      alarm.position = static_cast<std::uint16_t>(position - first);
    }
    if (target != 0 && IsNameBlank(image, target))
      image.SetBlock(GroupNameAddress(target), groupName.data(), 16);
  }
  if (alarmFound) SetGpsAlarm(image, alarm);
  for (int i = 0; i < kNamedGroups; ++i)
    run.labels.emplace_back(sheetno::kFirstNamedGpsGroup + i,
                            FormatGpsBankNameLabel(image, i, false));
}

void ReadYourCallRows(ImportRun& run, const std::vector<std::string_view>& lines) {
  using namespace gpsrows;
  cmcEeprom& image = run.image;
  while (GetYourCallCount(image) > 0) UrListDelete(image, GetYourCallCount(image) - 1);
  datCh blank = LoadDetached(run.initial, itemkind::kBlankYourCall, 0);
  blank.flags &= ~datCh::kUsed;
  int next = 0;
  for (const std::string_view line : lines) {
    run.row.Set(line, run.ctx.separator);
    datCh r = blank;
    int corr = 0;
    if (ParseCallSign(run.Field(kUrCall), r.urCall)) ++corr;
    r.flags |= datCh::kUsed;
    FixCallSignChars(r.urCall);
    if (IsBlankText(r.urCall)) {
      ++run.result.discarded;
      continue;
    }
    if (run.Has(kUrName) && ParseName(run.Field(kUrName), r.name)) ++corr;
    if (FixInvalidTextChars(r.name)) ++corr;
    if (GetYourCallCount(image) >= layout::kUrCapacity) {
      run.NoSpace();
      break;
    }
    if (!UrListInsert(image, next)) continue;
    r.SetImage(&image);
    r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(next));
    ++next;
    run.Count(false, corr);
  }
}

}  // namespace csv
