// kw-bench: ci
// Text-table look-ups on a table of the built-in tables' size: 800 keys over
// 4200 lines. A repeat look-up of the last key should be at least 20 times
// faster than a cold one (which indexes every key), and walking the values of
// a key should take time linear in their number.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/cmcGTex.h"

namespace {

constexpr int kKeys = 800;
constexpr int kLines = 4200;

// 799 keys of one value each, then a last key whose values fill the table
// up to 4200 lines, then the end key.
const std::vector<std::string>& Table() {
  static const std::vector<std::string> table = [] {
    std::vector<std::string> t{""};
    for (int k = 0; k < kKeys - 1; ++k) {
      t.push_back("#GI_Bench_Key_" + std::to_string(k));
      t.push_back("A caption of ordinary length, number " + std::to_string(k));
    }
    t.push_back("#GI_Bench_Last");
    while (static_cast<int>(t.size()) < kLines) t.push_back("value " + std::to_string(t.size()));
    t.push_back("#End_Of_Ovl");
    return t;
  }();
  return table;
}

const std::vector<const char*>& Lines() {
  static const std::vector<const char*> lines = [] {
    std::vector<const char*> l;
    for (const std::string& s : Table()) l.push_back(s.c_str());
    return l;
  }();
  return lines;
}

void BM_ColdLookUpOfTheLastKey(benchmark::State& state) {
  for (auto _ : state) {
    cmcGTex gtex;
    gtex.SetSource(Lines().data(), Lines().size());
    benchmark::DoNotOptimize(gtex.GetText("GI_Bench_Last", 0));
  }
}
BENCHMARK(BM_ColdLookUpOfTheLastKey);

void BM_RepeatLookUpOfTheLastKey(benchmark::State& state) {
  cmcGTex gtex;
  gtex.SetSource(Lines().data(), Lines().size());
  gtex.GetText("GI_Bench_Last", 0);
  for (auto _ : state) benchmark::DoNotOptimize(gtex.GetText("GI_Bench_Last", 0));
}
BENCHMARK(BM_RepeatLookUpOfTheLastKey);

// Values 0..n-1 of one key, as a list walk does; each walk restarts at 0.
void BM_WalkValues(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  cmcGTex gtex;
  gtex.SetSource(Lines().data(), Lines().size());
  for (auto _ : state)
    for (int v = 0; v < n; ++v) benchmark::DoNotOptimize(gtex.GetText("GI_Bench_Last", v));
  state.SetComplexityN(n);
}
BENCHMARK(BM_WalkValues)->Arg(1000)->Arg(2000)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
