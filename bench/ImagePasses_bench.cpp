// kw-bench: link=app
// kw-bench: link=kw_bench_cells_support
// Speed of the whole-image passes on a full image (bench/support/BenchImages.h).
// Goals: the destination fix-up under 100 ms; the write preparation followed
// by the loading pass under 100 ms; the warning check (every check
// cell of the built-in list through the cell handler) under 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/ImagePasses.h"
#include "app/WarningCheckScan.h"
#include "bench/support/BenchCells.h"
#include "bench/support/BenchImages.h"
#include "cells/CellCaseTable.h"
#include "cells/FrameCases.h"
#include "cells/MenuCheckCases.h"
#include "cells/indCellFrame.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

void BM_NormalizeImage(benchmark::State& state) {
  const indDestination destination(0);
  const cmcEeprom initial = imagepass::BuildInitialImage(destination, false);
  const cmcEeprom full = kwbench::FullDocumentImage(destination);
  for (auto _ : state) {
    state.PauseTiming();
    cmcEeprom image = full;
    state.ResumeTiming();
    imagepass::NormalizeImage(image, initial, destination, false);
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_NormalizeImage)->Unit(benchmark::kMillisecond);

void BM_WritePreparationThenLoadingPass(benchmark::State& state) {
  const indDestination destination(0);
  const cmcEeprom full = kwbench::FullDocumentImage(destination);
  for (auto _ : state) {
    cmcEeprom image = full;
    imagepass::PrepareWriteImage(image);
    imagepass::PrepareImage(image, destination);
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_WritePreparationThenLoadingPass)->Unit(benchmark::kMillisecond);

void BM_WarningCheck(benchmark::State& state) {
  kwbench::ScratchSettings settings;
  ScopedEvMan bus;
  const indDestination destination(0);
  ScopedDestination inForce(destination);
  cmcGTex texts;
  SelectTextTable(texts, TextTable::English);
  cmcEeprom image = kwbench::FullDocumentImage(destination);
  kwbench::ImageHost host(image);
  CellCaseTable table;
  RegisterFrameCases(table);
  RegisterMenuCheckCases(table);
  indCellFrame frame(settings.Get(), texts, host, table);
  for (auto _ : state) {
    const warningcheck::ScanResult result =
        warningcheck::ScanWarningCheckList(texts, [&](cmcCellObj& cell) {
          cmcCellCapsule capsule;
          capsule.cell = &cell;
          frame.Handle(capsule, 0);
          return capsule.stateBits;
        });
    benchmark::DoNotOptimize(result.errors);
  }
}
BENCHMARK(BM_WarningCheck)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
