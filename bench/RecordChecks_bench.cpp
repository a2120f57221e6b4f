// kw-bench: ci
// Speed of the record checks with every list full. Goal: every check over
// 1004 channels, 25 scan edges, 300 your-call signs and 1500 DV repeaters
// with distinct call signs (each duplicate search runs over all entries
// before it) under 30 ms, since the warning check runs on the UI thread.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "model/BankTable.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RecordChecks.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

using namespace layout;

cmcEeprom FullImage() {
  cmcEeprom image;
  image.SetSize(kImageSize);
  datCh r(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    r.Clear();
    r.freq = 145000000 + 5000 * static_cast<std::uint32_t>(n);
    r.bank = static_cast<std::uint32_t>(n % 26);
    r.bankSlot = static_cast<std::uint32_t>(n / 26 % 100);
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
  SetRptGroupCount(image, 0, kRptCapacity);
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

void BM_EveryCheckOverFullLists(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  cmcEeprom image = FullImage();
  datCh r(&image);
  for (auto _ : state) {
    int faults = 0;
    for (int n = 0; n < kAllChannels; ++n) {
      r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
      faults += ChCheckFreqBand(r) + ChCheckFreqOutOfRange(r) + ChCheckStepGrid(r) +
                ChCheckAirbandMode(r) + ChCheckTuneStep(r) + ChCheckBankSlot(r) +
                ChCheckFreqLimits(r);
    }
    for (int n = 0; n < kScanEdges; ++n) {
      r.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
      faults += ChCheckFreq2Band(r) + ChCheckFreq1Band(r) + ChCheckScanEdgeAutoStep(r);
    }
    for (int i = 0; i < kUrCapacity; ++i) {
      r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
      faults += ChCheckDuplicateUr(r);
    }
    for (int i = 0; i < kRptCapacity; ++i) {
      r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
      faults += ChCheckDuplicateRpt(r) + ChCheckRptFreq(r) + ChCheckRptDupWithoutCall(r);
    }
    benchmark::DoNotOptimize(faults);
  }
}
BENCHMARK(BM_EveryCheckOverFullLists)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
