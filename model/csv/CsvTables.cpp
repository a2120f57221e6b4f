#include "model/csv/CsvTables.h"

#include <array>

#include "core/TextFields.h"

namespace csv {
namespace {

constexpr FieldRow kDuplex[] = {{"OFF", 0}, {"DUP-", 1}, {"DUP+", 2}};
#define KW_STEPS                                                                            \
  {"5kHz", 0}, {"6.25kHz", 1}, {"8.33kHz", 2}, {"10kHz", 4}, {"12.5kHz", 5}, {"15kHz", 6},  \
      {"20kHz", 7}, {"25kHz", 8}, {"30kHz", 9}, {"50kHz", 10}, {"Auto", 14}
constexpr FieldRow kStep[] = {KW_STEPS};
constexpr FieldRow kStepNone[] = {KW_STEPS, {"-", 255}};
#undef KW_STEPS
constexpr FieldRow kMode[] = {{"FM", 0}, {"FM-N", 1}, {"DV", 5},
                              {"AM", 3}, {"AM-N", 4}, {"Auto", 6}};
constexpr FieldRow kModeNone[] = {{"FM", 0}, {"FM-N", 1}, {"DV", 5},
                                  {"AM", 3}, {"AM-N", 4}, {"-", 255}};
constexpr FieldRow kRptMode[] = {{"DV", 0}, {"FM", 1}, {"FM-N", 2}};
constexpr FieldRow kSkip[] = {{"OFF", 0}, {"SKIP", 1}, {"PSKIP", 3}};
constexpr FieldRow kToneMode[] = {
    {"OFF", 0},     {"TONE", 1},   {"TSQL", 3},    {"DTCS", 5},   {"TSQL-R", 6},
    {"TSQL R", 6},  {"DTCS-R", 7}, {"DTCS R", 7},  {"DTCS(T)", 8}, {"TONE(T)/DTCS(R)", 9},
    {"DTCS(T)/TSQL(R)", 10},       {"TONE(T)/TSQL(R)", 11},       {"TRAIN1", 12},
    {"TRAIN2", 13}, {"MSK", 14}};
constexpr FieldRow kShortToneMode[] = {{"OFF", 0}, {"TONE", 1}, {"TSQL", 2}};
constexpr FieldRow kCtcss[] = {
    {"67.0Hz", 0},   {"69.3Hz", 1},   {"71.9Hz", 2},   {"74.4Hz", 3},   {"77.0Hz", 4},
    {"79.7Hz", 5},   {"82.5Hz", 6},   {"85.4Hz", 7},   {"88.5Hz", 8},   {"91.5Hz", 9},
    {"94.8Hz", 10},  {"97.4Hz", 11},  {"100.0Hz", 12}, {"103.5Hz", 13}, {"107.2Hz", 14},
    {"110.9Hz", 15}, {"114.8Hz", 16}, {"118.8Hz", 17}, {"123.0Hz", 18}, {"127.3Hz", 19},
    {"131.8Hz", 20}, {"136.5Hz", 21}, {"141.3Hz", 22}, {"146.2Hz", 23}, {"151.4Hz", 24},
    {"156.7Hz", 25}, {"159.8Hz", 26}, {"162.2Hz", 27}, {"165.5Hz", 28}, {"167.9Hz", 29},
    {"171.3Hz", 30}, {"173.8Hz", 31}, {"177.3Hz", 32}, {"179.9Hz", 33}, {"183.5Hz", 34},
    {"186.2Hz", 35}, {"189.9Hz", 36}, {"192.8Hz", 37}, {"196.6Hz", 38}, {"199.5Hz", 39},
    {"203.5Hz", 40}, {"206.5Hz", 41}, {"210.7Hz", 42}, {"218.1Hz", 43}, {"225.7Hz", 44},
    {"229.1Hz", 45}, {"233.6Hz", 46}, {"241.8Hz", 47}, {"250.3Hz", 48}, {"254.1Hz", 49}};
constexpr const char* kDtcsCodes[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
constexpr FieldRow kPolarity[] = {{"BOTH N", 0}, {"TN-RR", 1}, {"TR-RN", 2}, {"BOTH R", 3}};
constexpr FieldRow kDigitalSquelch[] = {{"OFF", 0}, {"DSQL", 2}, {"CSQL", 4}};
constexpr FieldRow kOffOn[] = {{"OFF", 0}, {"ON", 1}};
constexpr FieldRow kNoYes[] = {{"NO", 0}, {"YES", 1}};
constexpr FieldRow kPosition[] = {{"None", 0}, {"Approximate", 1}, {"Exact", 2}};

template <std::size_t N>
constexpr std::array<FieldRow, N> Numbered(const char* const (&texts)[N]) {
  std::array<FieldRow, N> rows{};
  for (std::size_t i = 0; i < N; ++i) rows[i] = {texts[i], static_cast<std::uint32_t>(i)};
  return rows;
}

constexpr auto kDtcs = Numbered(kDtcsCodes);

constexpr const char* kGroupTexts[] = {"OFF", "A", "B", "C", "D", "E", "F", "G", "H",
                                       "I",   "J", "K", "L", "M", "N", "O", "P", "Q",
                                       "R",   "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr auto kGroups = Numbered(kGroupTexts);

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

std::uint32_t EnumParse(FieldTable table, std::string_view text) {
  const std::string_view t = core::TrimBlanksView(text);
  for (const FieldRow& row : table)
    if (EqualNoCase(t, row.text)) return row.value;
  return kNotFound;
}

std::string EnumFormat(FieldTable table, std::uint32_t value) {
  for (const FieldRow& row : table)
    if (row.value == value) return row.text;
  return kNotFoundText;
}

FieldTable DuplexTable() { return kDuplex; }
FieldTable TuneStepTable() { return kStep; }
FieldTable TuneStepWithNoneTable() { return kStepNone; }
FieldTable ModeTable() { return kMode; }
FieldTable ModeWithNoneTable() { return kModeNone; }
FieldTable RptModeTable() { return kRptMode; }
FieldTable SkipTable() { return kSkip; }
FieldTable ToneModeTable() { return kToneMode; }
FieldTable ShortToneModeTable() { return kShortToneMode; }
FieldTable CtcssTable() { return kCtcss; }
FieldTable DtcsTable() { return kDtcs; }
FieldTable PolarityTable() { return kPolarity; }
FieldTable DigitalSquelchTable() { return kDigitalSquelch; }
FieldTable GpsGroupTable() { return kGroups; }
FieldTable OffOnTable() { return kOffOn; }
FieldTable NoYesTable() { return kNoYes; }
FieldTable PositionTable() { return kPosition; }

std::uint32_t ParseTuneStep(FieldTable table, std::string_view text) {
  std::string t(text);
  for (char& c : t)
    if (c == ',') c = '.';
  return EnumParse(table, t);
}

std::uint32_t ParseDtcs(std::string_view text) {
  std::string t(core::TrimBlanksView(text));
  if (t.size() < 3) t.insert(0, 1, '0');
  return EnumParse(DtcsTable(), t);
}

std::string FormatCtcss(std::uint32_t value, char decimal) {
  std::string text = EnumFormat(CtcssTable(), value);
  if (value < kCtcss[std::size(kCtcss) - 1].value + 1)
    for (char& c : text)
      if (c == '.') c = decimal;
  return text;
}

}  // namespace csv
