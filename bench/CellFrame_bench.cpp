// kw-bench: ci
// kw-bench: link=cells
// kw-bench: link=kw_bench_cells_support
// Speed of the cell handler's frame and of the check scans. Goals: (a) 2000
// drawing queries on a memory-channel page of 100 rows and 20 columns under
// 16 ms (a full repaint within a frame); (b) all 89 check items' scans
// (eleven channel blocks and 26 banks with warnings and errors, the scan
// edges, the your-call list and 50 repeater groups) on full, fault-free
// lists under 50 ms, since the warning check runs on the UI thread.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/support/BenchCells.h"
#include "cells/CellCaseTable.h"
#include "cells/CheckScans.h"
#include "cells/FrameCases.h"
#include "cells/indCellFrame.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

using namespace layout;

constexpr int kGroupSize = kRptCapacity / kRptGroups;  // 30

// Every list full and nothing for a check to find, so every scan runs to
// its end.
cmcEeprom FullCleanImage() {
  cmcEeprom image;
  image.SetSize(kImageSize);
  datCh r(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    r.Clear();
    // Call channels 1002 and 1003 are the UHF ones.
    r.freq = n >= 1002 ? 435000000 : 145000000 + 5000 * static_cast<std::uint32_t>(n % 400);
    r.bank = static_cast<std::uint32_t>(n % kBankCount);
    r.bankSlot = static_cast<std::uint32_t>(n / kBankCount % kBankSlots);
    r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
  RebuildBankTable(image);
  for (int n = 0; n < kScanEdges; ++n) {
    r.Clear();
    r.freq = 144000000;
    r.freq2 = 146000000;
    r.Store(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
  }
  for (int i = 0; i < kRptCapacity; ++i) {
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JR%04d A", i);
    SetText(r.rptCall, call);
    SetText(r.gwCall, "JR0000 G");
    r.freq = 434000000;
    r.duplex = 1;
    r.offset = 5000000;
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  for (int g = 0; g < kRptGroups; ++g) SetRptGroupCount(image, g, kGroupSize);
  SetYourCallCount(image, kUrCapacity);
  for (int i = 0; i < kUrCapacity; ++i) {
    r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "QQ%04d  ", i);
    SetText(r.urCall, call);
    r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i));
  }
  return image;
}

void BM_AllCheckScans(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  cmcEeprom image = FullCleanImage();
  for (auto _ : state) {
    int marks = 0;
    for (int block = 0; block < 10; ++block) {
      marks += ScanMchRangeWarnings(image, block * 100, block * 100 + 100);
      marks += ScanMchRangeErrors(image, block * 100, block * 100 + 100);
    }
    marks += ScanMchRangeWarnings(image, kMemoryChannels, kAllChannels) +
             ScanMchRangeErrors(image, kMemoryChannels, kAllChannels);
    for (int bank = 0; bank < kBankCount; ++bank)
      marks += ScanBankRangeWarnings(image, bank, 0, kBankSlots) +
               ScanBankRangeErrors(image, bank, 0, kBankSlots);
    marks += ScanScanEdgeChecks(image, 0, kScanEdges);
    marks += ScanYourCallChecks(image, 0, kUrCapacity);
    for (int g = 0; g < kRptGroups; ++g)
      marks += ScanRptGroupChecks(image, g * kGroupSize, g * kGroupSize + kGroupSize);
    if (marks != 0) state.SkipWithError("the full image is not fault-free");
    benchmark::DoNotOptimize(marks);
  }
}
BENCHMARK(BM_AllCheckScans)->Unit(benchmark::kMillisecond);

void BM_DrawingQueriesOnAChannelPage(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  ScopedEvMan bus;
  cmcEeprom image = FullCleanImage();
  kwbench::ScratchSettings settings;
  cmcGTex texts;
  kwbench::ImageHost host(image);
  CellCaseTable table;
  RegisterFrameCases(table);
  indCellFrame frame(settings.Get(), texts, host, table);

  // Columns of a memory-channel page: number, frequency and the fields.
  std::vector<cmcCellObj> cells;
  for (int row = 0; row < 100; ++row) {
    for (int column = 0; column < 20; ++column) {
      cmcCellObj& cell = cells.emplace_back();
      cell.category = CT_Conv;
      cell.cellId = column == 0 ? CL_Misc_ChNo_0Base : CL_Mch_Freq + column - 1;
      cell.index = 100 + row;
    }
  }
  cmcCellCapsule templateCapsule;
  for (auto _ : state) {
    for (cmcCellObj& cell : cells) {
      cmcCellCapsule capsule;
      capsule.cell = &cell;
      capsule.parent = &templateCapsule;
      capsule.sheetName = "1,100";
      benchmark::DoNotOptimize(frame.Handle(capsule, 0));
    }
  }
}
BENCHMARK(BM_DrawingQueriesOnAChannelPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
