// kw-bench: ci
// kw-bench: link=cells
// The option text cache against reading a list through its markup on every
// call, on the 104-option DTCS list (goal: a warm cache at least 20 times
// faster), and the cost of building the tables of every program list
// (goal: all of them under 50 ms).
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cells/ChoiceList.h"
#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/cmcFCache.h"

namespace {

constexpr char kDtcs[] = "GI_Sheet_Sel_Mch_DTCS";
constexpr int kDtcsCodes = 104;

// Every list of the English table with the cell id that marks its options.
std::vector<std::pair<std::string, int>> ProgramLists() {
  std::vector<std::pair<std::string, int>> lists;
  constexpr std::string_view kSuffix = "_Cells";
  for (std::size_t i = 0; i < kwres::kTextEnglish.count; ++i) {
    const std::string_view line = kwres::kTextEnglish.lines[i];
    if (!(line.starts_with("#GI_Sheet_Sel_") || line.starts_with("#GI_Sheet_Common_SubBandMute")) ||
        !line.ends_with(kSuffix))
      continue;
    std::string key(line.substr(1, line.size() - 1 - kSuffix.size()));
    int id = Flex0;
    if (key.starts_with("GI_Sheet_Sel_Mch_Mode_") || key.starts_with("GI_Sheet_Sel_Mch_TS_Pitch_"))
      id = CL_FlexMark_Mch;
    else if (key.starts_with("GI_Sheet_Sel_PgSrch_TS_Pitch_"))
      id = CL_FlexMark_PgSrch;
    else if (key.starts_with("GI_Sheet_Sel_Rpt_Dup_"))
      id = CL_FlexMark_RptDup;
    lists.emplace_back(std::move(key), id);
  }
  return lists;
}

void BM_WarmCacheText(benchmark::State& state) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcFCache cache(gtex);
  cache.GetText(kDtcs, Flex0, 0);
  int value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cache.GetText(kDtcs, Flex0, value));
    value = (value + 37) % kDtcsCodes;
  }
}
BENCHMARK(BM_WarmCacheText);

void BM_ChoiceTextOf(benchmark::State& state) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  int value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChoiceTextOf(gtex, kDtcs, Flex0, value));
    value = (value + 37) % kDtcsCodes;
  }
}
BENCHMARK(BM_ChoiceTextOf);

void BM_BuildAllTables(benchmark::State& state) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  const std::vector<std::pair<std::string, int>> lists = ProgramLists();
  if (lists.size() != 162) state.SkipWithError("the table does not hold the 162 lists");
  for (auto _ : state) {
    cmcFCache cache(gtex);
    for (const auto& [key, id] : lists) benchmark::DoNotOptimize(cache.Table(key, id));
  }
  state.counters["lists"] = static_cast<double>(lists.size());
}
BENCHMARK(BM_BuildAllTables)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
