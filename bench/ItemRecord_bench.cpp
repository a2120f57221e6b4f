// kw-bench: ci
// Speed of the record codec and the list primitives with every list full.
// Goals: (a) loading every item of kinds 1-13 and storing every item of
// kinds 1-8 well inside a 60 Hz frame (under 5 ms); (b) an insert plus a
// delete at repeater 0 of 1499 under 2 ms.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"

namespace {

using namespace layout;

// Every list at capacity: channels and edges used, 1500 DV repeaters with
// distinct call signs, 300 your-call signs, 300 GPS memories, every call
// list and history entry present.
cmcEeprom FullImage(int repeaters) {
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
    r.freq = 434000000;
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  SetRptGroupCount(image, 0, repeaters);
  SetYourCallCount(image, kUrCapacity);
  for (int p = 0; p < kGpsCapacity; ++p)
    imageaccess::Set16(image, kGpsOrderTable + 2 * p, static_cast<std::uint32_t>(p));
  // Spread over all 27 groups: finding a position's group then walks them all.
  for (int g = 0; g < kGpsGroups; ++g)
    imageaccess::Set16(image, kGpsGroupStarts + 2 * g, static_cast<std::uint32_t>(11 * g));
  for (int e = 0; e < kRxEntries; ++e)
    image.SetByte(kRxOrderTable + e, static_cast<std::uint8_t>(e));
  // Call lists name repeaters near the end of the list (worst case lookups).
  for (int e = 0; e < 10; ++e) {
    image.SetBlock(kCallListA + 8 * e, "JR1490 A", 8);
    image.SetByte(kCallListAOrder + e, static_cast<std::uint8_t>(e));
    image.SetBlock(kCallListB + 12 * e, "JR1490 A", 8);
    image.SetByte(kCallListBOrder + e, static_cast<std::uint8_t>(e));
  }
  for (int e = 0; e < 20; ++e) {
    image.SetBlock(kCallListC + 8 * e, "/JR1490A", 8);
    image.SetByte(kCallListCOrder + e, static_cast<std::uint8_t>(e));
  }
  for (int e = 0; e < 5; ++e) image.SetByte(kCallListDOrder + e, static_cast<std::uint8_t>(e));
  return image;
}

void BM_LoadAllStoreLists(benchmark::State& state) {
  cmcEeprom image = FullImage(kRptCapacity);
  datCh r(&image);
  for (auto _ : state) {
    for (std::uint32_t kind = 1; kind <= 13; ++kind) {
      for (std::uint32_t i = datCh::KindMin(kind); i <= datCh::KindMax(kind); ++i) {
        r.Load(kind, i);
        if (kind <= 8) r.Store(kind, i);
      }
    }
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_LoadAllStoreLists)->Unit(benchmark::kMillisecond);

void BM_RepeaterInsertDeleteAtZero(benchmark::State& state) {
  cmcEeprom image = FullImage(kRptCapacity - 1);
  for (auto _ : state) {
    RptListInsert(image, 0, 0);
    RptListDelete(image, 0, 0);
    benchmark::DoNotOptimize(image.Data());
  }
}
BENCHMARK(BM_RepeaterInsertDeleteAtZero)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
