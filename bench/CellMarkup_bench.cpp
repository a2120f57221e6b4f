// kw-bench: ci
// kw-bench: link=sheet
// Cell names and markup. A cell-name look-up should cost at most twice a
// look-up in a std::unordered_map of the same names; parsing one data row of
// 25 cells with models and bindings (a memory-channel sheet row) should take
// well under 1 ms in a Release build.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellObj.h"

namespace {

const std::vector<std::string>& AllNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (std::int32_t id = 0; id < kCellIdCount; ++id) n.emplace_back(GetCellIdName(id));
    return n;
  }();
  return names;
}

void BM_GetCellIdIndex(benchmark::State& state) {
  const auto& names = AllNames();
  for (auto _ : state)
    for (const std::string& name : names) benchmark::DoNotOptimize(GetCellIdIndex(name));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(BM_GetCellIdIndex);

void BM_UnorderedMapReference(benchmark::State& state) {
  const auto& names = AllNames();
  std::unordered_map<std::string_view, std::int32_t> map;
  for (std::size_t i = 0; i < names.size(); ++i)
    map.emplace(names[i], static_cast<std::int32_t>(i));
  for (auto _ : state)
    for (const std::string& name : names) benchmark::DoNotOptimize(map.find(name)->second);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(BM_UnorderedMapReference);

// A row label and 24 data cells bound to channel fields.
std::string DataRow() {
  static const char* const kFields[] = {
      "CL_Mch_Freq",
      "CL_Mch_Dup",
      "CL_Mch_Offset_Freq",
      "CL_Mch_Name",
      "CL_Mch_TS_Pitch",
      "CL_Mch_Mode",
      "CL_Mch_Decode",
      "CL_Mch_TONE_Freq",
      "CL_Mch_TSQL_Freq",
      "CL_Mch_DTCS",
      "CL_Mch_DTCS_Polarity",
      "CL_Mch_Digital_Sql",
      "CL_Mch_Digital_Code",
      "CL_Mch_DYou_Callsign",
      "CL_Mch_DRpt1_Callsign",
      "CL_Mch_DRpt2_Callsign",
      "CL_Mch_Bank_Group",
      "CL_Mch_Bank_ChNo",
      "CL_Mch_Scan_Skip",
      "CL_Mch_CH_Atr",
      "CL_Mch_CH_Inh",
      "CL_Mch_Select_ChNo",
      "CL_Mch_No",
      "CL_Mch_Freq_DbgRef",
  };
  std::string row = "{($iChN)(@ch0=0)}\\(@ch0)";
  for (const char* field : kFields)
    row += std::string("|{($eWh)(%CT_Conv.") + field + "[@ch0])}9999.999999";
  return row;
}

void BM_ParseDataRow(benchmark::State& state) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcCellObj basic;
  basic.Parse("{($Basic)}", gtex, nullptr, nullptr);
  const std::string row = DataRow();
  std::vector<cmcCellObj> cells(25);
  CellVariables vars{};
  for (auto _ : state) {
    std::string_view rest = row;
    for (cmcCellObj& cell : cells) rest = cell.Parse(rest, gtex, &vars, &basic);
    benchmark::DoNotOptimize(cells.data());
  }
  if (cells.back().cellId != CL_Mch_Freq_DbgRef) state.SkipWithError("row parsed wrong");
}
BENCHMARK(BM_ParseDataRow)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
