// kw-bench: link=app
// kw-bench: link=kw_bench_cells_support
// Speed of the whole-image passes on a full image (every channel used, 1500
// repeaters in 50 groups with gateway calls shared in pairs, 300 your-call
// signs). Goals: the destination fix-up under 100 ms; the write preparation
// followed by the loading pass under 100 ms; the warning check (every check
// cell of the built-in list through the cell handler) under 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/ImagePasses.h"
#include "app/WarningCheckScan.h"
#include "bench/support/BenchCells.h"
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

using namespace layout;

cmcEeprom FullImage(const indDestination& destination) {
  cmcEeprom image = imagepass::BuildInitialImage(destination, false);
  datCh r(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    r.flags = datCh::kUsed;
    r.freq = 145000000 + 5000 * static_cast<std::uint32_t>(n % 400);
    r.toneMode = static_cast<std::uint32_t>(n % 16);
    r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
  for (int g = 0; g < kRptGroups; ++g) SetRptGroupCount(image, g, kRptCapacity / kRptGroups);
  for (int i = 0; i < kRptCapacity; ++i) {
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JR%04d A", i);
    SetText(r.rptCall, call);
    std::snprintf(call, sizeof call, "JR%04d G", i / 2);
    SetText(r.gwCall, call);
    r.freq = 434000000;
    r.duplex = 1;
    r.offset = 5000000;
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  SetYourCallCount(image, kUrCapacity);
  for (int i = 0; i < kUrCapacity; ++i) {
    r.Load(itemkind::kBlankYourCall, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JA%04d  ", i);
    SetText(r.urCall, call);
    r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i));
  }
  return image;
}

void BM_NormalizeImage(benchmark::State& state) {
  const indDestination destination(0);
  const cmcEeprom initial = imagepass::BuildInitialImage(destination, false);
  const cmcEeprom full = FullImage(destination);
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
  const cmcEeprom full = FullImage(destination);
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
  cmcEeprom image = FullImage(destination);
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
