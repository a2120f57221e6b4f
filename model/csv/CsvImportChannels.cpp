// Rows of the channel sheets (memory-channel groups, call channels, banks)
// and of the scan edges.
#include "core/TextFields.h"
#include "model/BankTable.h"
#include "model/FrequencySnap.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvCodecs.h"
#include "model/csv/CsvImportRows.h"
#include "model/csv/CsvTables.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace csv {
namespace chanrows {

// Column-table positions of the channel list.
enum : int {
  kChNo = 0, kFreq = 2, kDup, kOffset, kStep, kMode, kName, kSkip, kTone, kRptTone, kTsqlTone,
  kDtcsCode, kDtcsPolarity, kCanceller, kDvSql, kDvCsql, kUrCall, kRpt1Call, kRpt2Call
};
// Of the scan edges.
enum : int { kEdgeNo = 0, kEdgeName, kEdgeLow, kEdgeHigh, kEdgeStep, kEdgeMode };

constexpr std::uint32_t kLowest = 118000000;
constexpr std::uint32_t kHighest = 550000000;
constexpr std::uint32_t kMaxOffset = 59999999;
constexpr std::uint32_t kNone = 255;
constexpr std::uint32_t kModeAuto = 6;
constexpr std::uint32_t kLastToneMode = 14;  // TRAIN1, TRAIN2 and MSK stay
constexpr std::uint32_t kMaxCsqlCode = 99;
constexpr int kNoSpace = 0;
constexpr int kSkipped = 1;
constexpr int kStored = 2;

bool IsBlank(std::string_view text) { return core::TrimBlanksView(text).empty(); }

template <typename T>
void Default(T& field, T fallback, int& corrections) {
  if (field == kNotFound) {
    field = fallback;
    ++corrections;
  }
}

// The columns after "Frequency", over the band defaults.
void ReadChannelColumns(ImportRun& run, datCh& c, bool callSheet, int& corr) {
  const char dec = run.ctx.decimal;
  if (run.Has(kDup)) c.duplex = EnumParse(DuplexTable(), run.Field(kDup));
  if (run.Has(kOffset)) c.offset = ParseFreqOpt(run.Field(kOffset), dec);
  if (run.Has(kStep)) c.tuneStep = ParseTuneStep(TuneStepTable(), run.Field(kStep));
  if (run.Has(kMode)) c.mode = EnumParse(ModeTable(), run.Field(kMode));
  if (run.Has(kName) && ParseName(run.Field(kName), c.name)) ++corr;
  if (run.Has(kSkip) && !callSheet) c.skip = EnumParse(SkipTable(), run.Field(kSkip));
  if (run.Has(kTone)) c.toneMode = EnumParse(ToneModeTable(), run.Field(kTone));
  if (run.Has(kRptTone)) c.rptTone = ParseCtcss(run.Field(kRptTone), run.ctx.choices, corr);
  if (run.Has(kTsqlTone)) c.tsqlTone = ParseCtcss(run.Field(kTsqlTone), run.ctx.choices, corr);
  if (run.Has(kDtcsCode)) c.dtcsCode = ParseDtcs(run.Field(kDtcsCode));
  if (run.Has(kDtcsPolarity)) c.dtcsPolarity = EnumParse(PolarityTable(), run.Field(kDtcsPolarity));
  if (run.Has(kDvSql)) c.dvSql = EnumParse(DigitalSquelchTable(), run.Field(kDvSql));
  if (run.Has(kDvCsql)) c.dvCsqlCode = ParseInt16(run.Field(kDvCsql));
  if (run.Has(kUrCall) && ParseCallSign(run.Field(kUrCall), c.urCall)) ++corr;
  if (run.Has(kRpt1Call) && ParseCallSign(run.Field(kRpt1Call), c.rpt1Call)) ++corr;
  if (run.Has(kRpt2Call) && ParseCallSign(run.Field(kRpt2Call), c.rpt2Call)) ++corr;
}

void CheckChannel(datCh& c, const datCh& def, bool callSheet, int& corr) {
  Default(c.duplex, def.duplex, corr);
  if (c.offset > kMaxOffset) {
    c.offset = def.offset;
    ++corr;
  } else {
    const auto snapped = static_cast<std::uint32_t>(SnapOffsetFrequency(c.freq, c.offset));
    if (snapped != c.offset) ++corr;
    c.offset = snapped;
  }
  Default(c.tuneStep, def.tuneStep, corr);
  if (c.mode == kModeAuto) c.mode = kNotFound;
  Default(c.mode, def.mode, corr);
  if (FixInvalidTextChars(c.name)) ++corr;
  if (!callSheet) Default(c.skip, def.skip, corr);
  if (c.toneMode > kLastToneMode) c.toneMode = kNotFound;
  Default(c.toneMode, def.toneMode, corr);
  Default(c.rptTone, def.rptTone, corr);
  Default(c.tsqlTone, def.tsqlTone, corr);
  Default(c.dtcsCode, def.dtcsCode, corr);
  Default(c.dtcsPolarity, def.dtcsPolarity, corr);
  Default(c.dvSql, def.dvSql, corr);
  if (c.dvCsqlCode > kMaxCsqlCode) {
    c.dvCsqlCode = def.dvCsqlCode;
    ++corr;
  }
  if (FixCallSignChars(c.urCall)) ++corr;
  if (FixCallSignChars(c.rpt1Call)) ++corr;
  if (FixCallSignChars(c.rpt2Call)) ++corr;
  if (c.rpt1Call[7] == 'G' && !IsBlankText(c.rpt2Call)) {
    c.rpt1Call[7] = ' ';
    ++corr;
  }
}

// Puts the row's record where the sheet's row lives (banks: a channel of
// the bank slot, or a free one).
int StoreRow(ImportRun& run, datCh record, int row) {
  const SheetList& sheet = run.target.sheet;
  cmcEeprom& image = run.image;
  record.SetImage(&image);
  if (sheet.itemKind != itemkind::kBankChannel) {
    const int channel = ResolveSheetRow(image, sheet, row);
    if (channel >= 0) record.Store(itemkind::kChannel, static_cast<std::uint32_t>(channel));
    return kStored;
  }
  if (!record.IsUsed()) return kStored;
  const int word = imageaccess::Get16(image, layout::BankTableEntry(sheet.bank, row));
  int channel = word;
  if (word == layout::kBankSlotClash) return kSkipped;
  if (word >= layout::kMemoryChannels) channel = record.FindFreeChannel(0);
  if (channel < 0) return kNoSpace;
  record.bank = static_cast<std::uint32_t>(sheet.bank);
  record.bankSlot = static_cast<std::uint32_t>(row);
  record.Store(itemkind::kChannel, static_cast<std::uint32_t>(channel));
  RebuildBankTable(image);
  return kStored;
}

void ClearSheet(ImportRun& run, int rows) {
  const SheetList& sheet = run.target.sheet;
  for (int r = 0; r < rows; ++r) {
    const int channel = ResolveSheetRow(run.image, sheet, r);
    if (channel < 0) continue;
    datCh c(&run.image);
    c.Load(itemkind::kChannel, static_cast<std::uint32_t>(channel));
    if (!c.IsUsed()) continue;
    c.bank = c.bankSlot = datCh::kBankNone;
    c.flags &= ~datCh::kUsed;
    c.Store(itemkind::kChannel, static_cast<std::uint32_t>(channel));
  }
  if (sheet.itemKind == itemkind::kBankChannel) RebuildBankTable(run.image);
}

// Scan edges: the record check by the bands of the two ends.
void CheckScanEdge(datCh& e, int& corr) {
  auto set = [&corr](std::uint32_t& field, std::uint32_t value) {
    if (field != value) {
      field = value;
      ++corr;
    }
  };
  if (FixInvalidTextChars(e.name)) ++corr;
  const int b = indDestination::BandIndex(e.freq);
  const int b2 = indDestination::BandIndex(e.freq2);
  const bool groupB = indDestination::Current().IsGroupB();
  const std::uint32_t s = e.tuneStep;
  if (s == kNotFound || (b != b2 && s != kNone)) set(e.tuneStep, kNone);
  else if (b >= 1 && b <= 3 && (s == 2 || (s == 14 && !groupB))) set(e.tuneStep, kNone);
  else if (b == 0 && s != kNone && s != 2 && s != 8 && s != 14) set(e.tuneStep, kNone);
  const std::uint32_t m = e.mode;
  if (m == kNotFound || (b != b2 && m != kNone)) set(e.mode, kNone);
  else if (b >= 1 && b <= 3 && m != kNone && m != 0 && m != 1 && m != 5) set(e.mode, kNone);
  else if (b == 0 && m != kNone && m != 3 && m != 4) set(e.mode, kNone);
}

// An edge frequency: none (empty), out of range (discard) or snapped.
enum class Edge { kEmpty, kOutOfRange, kRead };
Edge ReadEdge(std::string_view text, char decimal, std::uint32_t& freq, int& corr) {
  if (IsBlank(text)) return Edge::kEmpty;
  const std::uint32_t f = ParseFreq(text, decimal);
  if (f < kLowest || f > kHighest) return Edge::kOutOfRange;
  freq = static_cast<std::uint32_t>(SnapFrequency(f));
  if (freq != f) ++corr;
  return Edge::kRead;
}

}  // namespace chanrows

void ReadChannelRows(ImportRun& run, const std::vector<std::string_view>& lines) {
  using namespace chanrows;
  const SheetList& sheet = run.target.sheet;
  const int rows = GetSheetRowCount(sheet.itemKind);
  const bool callSheet = sheet.itemKind == itemkind::kCallChannel;
  ClearSheet(run, rows);
  datCh start = LoadDetached(run.initial, itemkind::kChannel, 0);
  start.flags &= ~datCh::kUsed;

  for (const std::string_view line : lines) {
    run.row.Set(line, run.ctx.separator);
    const std::uint32_t number = ParseInt16(run.Field(kChNo));
    if (number >= static_cast<std::uint32_t>(rows)) continue;
    datCh c = start;
    bool discarded = false;
    int corr = 0;
    const std::string_view freqText = run.Field(kFreq);
    if (!IsBlank(freqText)) {
      const std::uint32_t f = ParseFreq(freqText, run.ctx.decimal);
      if (f < kLowest || f > kHighest) {
        discarded = true;
      } else {
        const auto snapped = static_cast<std::uint32_t>(SnapFrequency(f));
        if (snapped != f) ++corr;
        const datCh def = LoadDetached(run.initial, itemkind::kBandDefault,
                                       static_cast<std::uint32_t>(indDestination::BandIndex(snapped)));
        c = def;
        c.flags |= datCh::kUsed;
        c.freq = snapped;
        ReadChannelColumns(run, c, callSheet, corr);
        CheckChannel(c, def, callSheet, corr);
      }
    }
    const int stored = StoreRow(run, c, static_cast<int>(number));
    if (stored == kNoSpace) {
      run.NoSpace();
      break;
    }
    if (stored == kStored) run.Count(discarded, corr);
  }
  SetSelectedChannel(run.image, kNoSelectedChannel);
  run.sendBankEvent = true;
}

void ReadScanEdgeRows(ImportRun& run, const std::vector<std::string_view>& lines) {
  using namespace chanrows;
  auto cleared = [&run](int i) {
    datCh e = LoadDetached(run.initial, itemkind::kScanEdge, static_cast<std::uint32_t>(i));
    e.flags &= ~datCh::kUsed;
    e.SetImage(&run.image);
    return e;
  };
  for (int i = 0; i < layout::kScanEdges; ++i)
    cleared(i).Store(itemkind::kScanEdge, static_cast<std::uint32_t>(i));

  for (const std::string_view line : lines) {
    run.row.Set(line, run.ctx.separator);
    const std::uint32_t number = ParseInt16(run.Field(kEdgeNo));
    if (number >= static_cast<std::uint32_t>(layout::kScanEdges)) continue;
    const int n = static_cast<int>(number);
    datCh e = cleared(n);
    bool discarded = false;
    int corr = 0;
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    const Edge lowEdge = ReadEdge(run.Field(kEdgeLow), run.ctx.decimal, low, corr);
    const Edge highEdge =
        lowEdge == Edge::kRead ? ReadEdge(run.Field(kEdgeHigh), run.ctx.decimal, high, corr)
                               : Edge::kEmpty;
    if (lowEdge == Edge::kOutOfRange || highEdge == Edge::kOutOfRange) {
      discarded = true;
    } else if (lowEdge == Edge::kRead && highEdge == Edge::kRead) {
      e.flags |= datCh::kUsed;
      e.freq = low;
      e.freq2 = high;
      e.tuneStep = e.mode = kNone;
      if (run.Has(kEdgeStep)) e.tuneStep = ParseTuneStep(TuneStepWithNoneTable(), run.Field(kEdgeStep));
      if (run.Has(kEdgeMode)) e.mode = EnumParse(ModeWithNoneTable(), run.Field(kEdgeMode));
      if (run.Has(kEdgeName) && ParseName(run.Field(kEdgeName), e.name)) ++corr;
      CheckScanEdge(e, corr);
    }
    if (!e.IsUsed()) e = cleared(n);
    e.Store(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
    run.Count(discarded, discarded ? 0 : corr);
  }
}

}  // namespace csv
