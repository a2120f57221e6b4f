// Rows of the repeater list (one group or all).
#include <array>

#include "core/TextFields.h"
#include "model/FrequencySnap.h"
#include "model/GroupLabels.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RepeaterListType.h"
#include "model/SheetNumbers.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvCodecs.h"
#include "model/csv/CsvImportRows.h"
#include "model/csv/CsvRepeaterBulk.h"
#include "model/csv/CsvTables.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "model/indRptStatusKeep.h"

namespace csv {
namespace rptrows {

enum : int {
  kGroupNo = 0, kGroupName, kName, kSubName, kMode, kCall, kGateway, kFreq, kDup, kOffset,
  kTone, kToneFreq, kUseFrom, kPosition, kLatitude, kLongitude, kUtc
};

constexpr std::uint32_t kLowest = 30000;
constexpr std::uint32_t kHighest = 1399995000;
constexpr std::uint32_t kMaxOffset = 59995000;
constexpr std::uint32_t kMaxOffsetWide = 99995000;  // the fourth offset range
constexpr int kWideRange = 3;
constexpr int kGroupForZero = 20;
constexpr int kLastGroup = layout::kRptGroups - 1;
constexpr std::int64_t kNoGroupColumn = -1;
constexpr std::int64_t kBadGroup = -2;

std::int64_t NameAddress(int group) {
  return layout::kRptGroupNames + 16 * static_cast<std::int64_t>(group);
}

bool IsNameBlank(const cmcEeprom& image, int group) {
  std::array<std::uint8_t, 16> name{};
  image.GetBlock(NameAddress(group), name.data(), 16);
  return core::IsBlankField(std::span<const std::uint8_t>(name));
}

void Fallback(std::uint32_t& field, std::uint32_t value, int& corr) {
  if (field == kNotFound) {
    field = value;
    ++corr;
  }
}

// The group index of the "Group No" text: 0 is group 20.
std::int64_t GroupIndex(ImportRun& run) {
  if (!run.Has(kGroupNo)) return kNoGroupColumn;
  const std::int64_t n = ParseNumber(run.Field(kGroupNo), run.ctx.decimal);
  if (n == kNoNumberEmpty || n == kNoNumber) return kBadGroup;
  return (n == 0 ? kGroupForZero : n) - 1;
}

void CheckRepeater(datCh& r, const datCh& def, std::int64_t& group, std::int32_t& utc, int& corr) {
  if (FixInvalidTextChars(r.name)) ++corr;
  if (FixInvalidTextChars(r.subName)) ++corr;
  if (group < 0 || group > kLastGroup) {
    group = kLastGroup;
    ++corr;
  }
  Fallback(r.rptMode, def.rptMode, corr);
  const int range = indDestination::OffsetRangeIndex(r.freq);
  const std::uint32_t limit = range == kWideRange ? kMaxOffsetWide : kMaxOffset;
  if (r.offset > limit) {
    r.offset = static_cast<std::uint32_t>(indDestination::Current().DefaultDuplexOffset(range));
    r.duplex = r.offset != 0 ? 1 : 0;
    ++corr;
  } else {
    const auto snapped = static_cast<std::uint32_t>(SnapRepeaterOffset(r.offset));
    if (snapped != r.offset) ++corr;
    r.offset = snapped;
  }
  if (r.duplex == kNotFound) {
    r.duplex = r.offset != 0 ? 1 : 0;
    ++corr;
  }
  if (FixCallSignChars(r.gwCall)) ++corr;
  if (r.gwCall[7] != 'G' && r.gwCall[7] != ' ') {
    r.gwCall[7] = ' ';
    ++corr;
  }
  Fallback(r.rptToneMode, def.rptToneMode, corr);
  Fallback(r.rptToneIndex, def.rptToneIndex, corr);
  Fallback(r.useFrom, def.useFrom, corr);
  Fallback(r.positionMode, def.positionMode, corr);
  if (!IsValidLatitude(r.latitude)) {
    r.latitude = def.latitude;
    ++corr;
  }
  if (!IsValidLongitude(r.longitude)) {
    r.longitude = def.longitude;
    ++corr;
  }
  const int rounded = RoundUtcOffset(utc, static_cast<std::int16_t>(def.utcOffset));
  if (rounded != utc) ++corr;
  utc = rounded;
  r.utcOffset = static_cast<std::uint16_t>(static_cast<std::int16_t>(utc));
  SetRepeaterListType(GetRepeaterListType(r), r);
}

}  // namespace rptrows

void ReadRepeaterRows(ImportRun& run, const std::vector<std::string_view>& lines) {
  using namespace rptrows;
  cmcEeprom& image = run.image;
  const bool all = run.target.group > kLastGroup;
  const int g = all ? 0 : run.target.group;
  const int first = all ? 0 : GetRptGroupFirst(image, g);
  const int last = all ? GetRptTotalCount(image) - 1 : GetRptGroupLast(image, g);
  const bool hadEntries = last >= first;
  indRptStatusKeep keeper;
  const bool keep = hadEntries && run.ctx.keepUseFrom && run.ctx.keepUseFrom();
  if (keep) keeper.SetBefore(image, first, last);
  DeleteRptGroups(image, all ? 0 : g, all ? kLastGroup : g);
  std::array<char, 16> blanks{};
  blanks.fill(' ');
  for (int k = all ? 0 : g; k <= (all ? kLastGroup : g); ++k)
    image.SetBlock(NameAddress(k), blanks.data(), 16);

  const datCh def = LoadDetached(run.initial, itemkind::kBlankRepeater, 0);
  datCh blank = def;
  blank.flags &= ~datCh::kUsed;
  std::vector<std::pair<int, datCh>> rows;
  std::array<bool, layout::kRptGroups> named{};
  for (int k = 0; k < layout::kRptGroups; ++k) named[static_cast<std::size_t>(k)] = !IsNameBlank(image, k);
  const int total = GetRptTotalCount(image);
  const char dec = run.ctx.decimal;

  for (const std::string_view line : lines) {
    run.row.Set(line, run.ctx.separator);
    datCh r = blank;
    int corr = 0;
    std::array<char, 16> groupName = blanks;
    if (ParseCallSign(run.Field(kCall), r.rptCall)) ++corr;
    r.flags |= datCh::kUsed;
    FixCallSignChars(r.rptCall);
    std::int64_t group = GroupIndex(run);
    if (run.Has(kGroupName) && ParseName(run.Field(kGroupName), groupName)) ++corr;
    if (run.Has(kMode)) r.rptMode = EnumParse(RptModeTable(), run.Field(kMode));
    if (run.Has(kFreq)) {
      const std::string_view text = run.Field(kFreq);
      r.freq = 0;
      if (!core::TrimBlanksView(text).empty()) {
        const std::uint32_t f = ParseFreq(text, dec);
        if (f < kLowest || f > kHighest) {
          ++corr;
        } else {
          r.freq = static_cast<std::uint32_t>(SnapRepeaterFrequency(f));
          if (r.freq != f) ++corr;
        }
      }
    }
    r.duplex = run.Has(kDup) ? EnumParse(DuplexTable(), run.Field(kDup)) : kNotFound;
    r.offset = run.Has(kOffset) ? ParseFreqOpt(run.Field(kOffset), dec) : 0xFFFFFFFF;
    if (run.Has(kName) && ParseName(run.Field(kName), r.name)) ++corr;
    if (run.Has(kSubName) && ParseName(run.Field(kSubName), r.subName)) ++corr;
    if (run.Has(kGateway) && ParseCallSign(run.Field(kGateway), r.gwCall)) ++corr;
    if (run.Has(kTone)) r.rptToneMode = EnumParse(ShortToneModeTable(), run.Field(kTone));
    if (run.Has(kToneFreq)) r.rptToneIndex = ParseCtcss(run.Field(kToneFreq), run.ctx.choices, corr);
    if (run.Has(kUseFrom)) r.useFrom = EnumParse(NoYesTable(), run.Field(kUseFrom));
    if (run.Has(kPosition)) r.positionMode = EnumParse(PositionTable(), run.Field(kPosition));
    if (run.Has(kLatitude)) r.latitude = ParseLatitude(run.Field(kLatitude), dec);
    if (run.Has(kLongitude)) r.longitude = ParseLongitude(run.Field(kLongitude), dec);
    std::int32_t utc = static_cast<std::int16_t>(r.utcOffset);
    if (run.Has(kUtc)) utc = ParseUtcOffset(run.Field(kUtc));
    CheckRepeater(r, def, group, utc, corr);

    if (total + static_cast<int>(rows.size()) >= layout::kRptCapacity) {
      run.NoSpace();
      break;
    }
    const int target = all ? static_cast<int>(group) : g;
    rows.emplace_back(target, r);
    run.Count(false, corr);
    auto& hasName = named[static_cast<std::size_t>(target)];
    if (!hasName && !core::IsBlankField(std::string_view(groupName.data(), 16))) {
      image.SetBlock(NameAddress(target), groupName.data(), 16);
      hasName = true;
    }
  }
  AppendRptRecords(image, rows);
  for (int k = 0; k < layout::kRptGroups; ++k)
    run.labels.emplace_back(sheetno::kFirstRepeaterGroup + k,
                            FormatGroupNameLabel(image, k, false));
  if (keep) {
    const int newFirst = all ? 0 : GetRptGroupFirst(image, g);
    const int newLast = all ? GetRptTotalCount(image) - 1 : GetRptGroupLast(image, g);
    if (newLast >= newFirst) {
      keeper.SetAfter(&image, newFirst, newLast);
      keeper.Restore();
    }
  }
  SetSelectedRepeater(image, kNoSelectedRepeater);
}

}  // namespace csv
