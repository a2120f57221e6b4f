// kw-bench: ci
// kw-bench: link=cells
// Speed of the converters' display path, which every visible cell runs on
// every repaint. Goal: each under 2 microseconds a call.
#include <benchmark/benchmark.h>

#include <array>

#include "cells/CallSignConverters.h"
#include "cells/ConverterContext.h"
#include "cells/DateTimeConverters.h"
#include "cells/NumberConverters.h"
#include "cells/PositionConverters.h"
#include "sheet/cmcCellCapsule.h"

namespace {

void BM_EditFrequencyDisplay(benchmark::State& state) {
  std::uint32_t hz = 145012500;
  for (auto _ : state) {
    cmcCellCapsule cap;
    int status = 0;
    benchmark::DoNotOptimize(EditFrequency(cap, hz, 118, 550, false, status));
    benchmark::DoNotOptimize(cap.outputText.data());
  }
}
BENCHMARK(BM_EditFrequencyDisplay);

void BM_EditCallSignCodeDisplay(benchmark::State& state) {
  const ConverterContext ctx;
  std::array<char, 8> call{'J', 'A', '1', 'Y', 'X', 'X', ' ', ' '};
  for (auto _ : state) {
    cmcCellCapsule cap;
    int status = 0;
    benchmark::DoNotOptimize(EditCallSignCode(ctx, cap, call, false, status));
    benchmark::DoNotOptimize(cap.outputText.data());
  }
}
BENCHMARK(BM_EditCallSignCodeDisplay);

void BM_EditDateDisplay(benchmark::State& state) {
  const ConverterContext ctx;
  const DateTimeBcd record{0x07, 0x04, 0x15, 0x12, 0x30, 0x00};
  for (auto _ : state) {
    benchmark::DoNotOptimize(EditDate(ctx, record, 540, dtform::kCell));
  }
}
BENCHMARK(BM_EditDateDisplay);

void BM_FormatLatitude(benchmark::State& state) {
  const std::array<std::uint8_t, 4> position{35, 0x98, 0xD3, 'N'};
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatLatitude(position, 0, 1, false));
  }
}
BENCHMARK(BM_FormatLatitude);

}  // namespace

BENCHMARK_MAIN();
