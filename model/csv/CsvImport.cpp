#include "model/csv/CsvImport.h"

#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcLoadFile.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvImportRows.h"

namespace csv {
namespace {

const std::vector<const char*> kChannelTitles = {
    "CH No",          "No",           "Frequency",      "Dup",           "Offset",
    "TS",             "Mode",         "Name",           "SKIP",          "TONE",
    "Repeater Tone",  "TSQL Frequency", "DTCS Code",    "DTCS Polarity", "Canceller Frequency",
    "DV SQL",         "DV CSQL Code", "Your Call Sign", "RPT1 Call Sign", "RPT2 Call Sign"};
const std::vector<const char*> kScanEdgeTitles = {"No",             "Name", "Frequency Low",
                                                  "Frequency High", "TS",   "Mode"};
const std::vector<const char*> kGpsTitles = {"Group",    "Bank",      "Group Name", "Name",
                                             "Date",     "Time",      "Latitude",   "Longitude",
                                             "Altitude", "Alarm"};
const std::vector<const char*> kRepeaterTitles = {
    "Group No",  "Group Name",    "Name",     "Sub Name", "Mode",     "Repeater Call Sign",
    "Gateway Call Sign", "Frequency", "Dup",  "Offset",   "TONE",     "Repeater Tone",
    "RPT1USE",   "Position",      "Latitude", "Longitude", "UTC Offset"};
const std::vector<const char*> kYourCallTitles = {"No", "Name", "Call Sign"};
const std::vector<const char*> kNoTitles;

CsvImportResult ReadLines(const std::vector<std::string_view>& all, cmcEeprom& image,
                          const cmcEeprom& initial, const CsvTarget& target,
                          const CsvContext& ctx) {
  CsvImportResult result;
  result.grouped = target.list == kListGps || target.list == kListRepeaters ||
                   target.list == kListYourCalls;
  const std::string_view header = all.empty() ? std::string_view() : all.front();
  std::vector<int> columns = FindColumns(header, ctx.separator, ImportTitles(target.list));
  if (!IsImportable(target.list) || !HasKeyColumns(target.list, columns)) {
    result.status = CsvImportResult::Status::kHeaderError;
    return result;
  }
  std::vector<std::string_view> lines;
  lines.reserve(all.size());
  for (std::size_t i = 1; i < all.size(); ++i)
    if (!all[i].empty()) lines.push_back(all[i]);

  cmcEeprom copy(image);
  ImportRun run{copy, initial, target, ctx, result, std::move(columns), {}, false, {}};
  switch (target.list) {
    case kListChannels: ReadChannelRows(run, lines); break;
    case kListScanEdges: ReadScanEdgeRows(run, lines); break;
    case kListGps: ReadGpsRows(run, lines); break;
    case kListRepeaters: ReadRepeaterRows(run, lines); break;
    default: ReadYourCallRows(run, lines); break;
  }
  result.changed = copy != image;
  if (result.changed) image = std::move(copy);
  if (run.sendBankEvent) ctx.bus.Send(ev::DocumentEdited);
  for (const auto& [p2, text] : run.labels) ctx.bus.PostStr(ev::RenameTreeNode, 0, p2, text);
  ctx.bus.Post(ev::ReopenSheet, 1, 0);
  return result;
}

std::vector<std::string_view> SplitText(std::string_view bytes) {
  std::vector<std::string_view> lines;
  for (const cmcLoadFile::Span& s : cmcLoadFile::SplitLines(bytes))
    lines.push_back(bytes.substr(s.offset, s.length));
  return lines;
}

}  // namespace

const std::vector<const char*>& ImportTitles(int list) {
  switch (list) {
    case kListChannels: return kChannelTitles;
    case kListScanEdges: return kScanEdgeTitles;
    case kListGps: return kGpsTitles;
    case kListRepeaters: return kRepeaterTitles;
    case kListYourCalls: return kYourCallTitles;
    default: return kNoTitles;
  }
}

bool HasKeyColumns(int list, const std::vector<int>& c) {
  auto has = [&](std::size_t i) { return i < c.size() && c[i] >= 0; };
  switch (list) {
    case kListChannels: return has(0) && has(2);
    case kListScanEdges: return has(0) && has(2) && has(3);
    case kListGps: return has(6) && has(7);
    case kListRepeaters: return has(5);
    case kListYourCalls: return has(2);
    default: return false;
  }
}

CsvImportResult ReadCsvText(std::string_view bytes, cmcEeprom& image, const cmcEeprom& initial,
                            const CsvTarget& target, const CsvContext& ctx) {
  return ReadLines(SplitText(bytes), image, initial, target, ctx);
}

CsvImportResult ReadCsvFile(const std::string& path, cmcEeprom& image, const cmcEeprom& initial,
                            const CsvTarget& target, const CsvContext& ctx) {
  cmcLoadFile file;
  if (!file.Load(path)) {
    CsvImportResult result;
    result.status = CsvImportResult::Status::kOpenError;
    return result;
  }
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<std::size_t>(file.Count()));
  for (std::int32_t i = 0; i < file.Count(); ++i) lines.push_back(file.GetLineAt(i));
  return ReadLines(lines, image, initial, target, ctx);
}

}  // namespace csv
