// kw-bench: ci
// kw-bench: link=cells
// kw-bench: link=kw_bench_cells_support
// Speed of the call and set-mode cells' text queries, the option cache warm.
// Goals: (a) the 50 rows of 34 columns of the received-call page under
// 16 ms (a full repaint within a frame); (b) every cell of the four settings
// pages (Digital, GPS, Common, A/B band) under 5 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <array>
#include <cstdint>
#include <vector>

#include "bench/support/BenchCells.h"
#include "cells/CallCases.h"
#include "cells/CellCaseTable.h"
#include "cells/ChoiceFields.h"
#include "cells/FrameCases.h"
#include "cells/SettingCases.h"
#include "cells/indCellFrame.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/DefaultImage.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"

namespace {

using namespace layout;

// The default image of destination 0 with a full history: every entry a
// mobile station's position report.
cmcEeprom FullHistoryImage() {
  const cmcEeprom defaults = BuildDefaultImage(0);
  cmcEeprom image;
  image.SetSize(kImageSize);
  image.SetBlock(0, defaults.Data(), defaults.GetSize());
  for (int e = 0; e < kRxEntries; ++e) {
    image.SetByte(kRxOrderTable + e, static_cast<std::uint8_t>(e));
    std::array<std::uint8_t, kRxRecordSize> record{};
    record.fill(' ');
    const char calls[] = "AB1CDE  NOTECQCQCQ  XY1ABC BXY1ABC G";
    std::copy(calls, calls + 36, record.begin());
    const std::uint8_t when[] = {0x07, 0x04, 0x15, 0x12, 0x30, 0x00};
    std::copy(std::begin(when), std::end(when), record.begin() + 40);
    image.SetBlock(kRxRecords + kRxRecordSize * e, record.data(), kRxRecordSize);
    image.SetBlock(kRxTexts + kRxTextSize * e, "QRV on 145.000      ", kRxTextSize);
    image.SetByte(kRxStatusBytes + e, 0x40);
    std::array<std::uint8_t, kRxPositionSize> position{};
    position.fill(' ');
    const std::uint8_t head[] = {35,  0x98, 0xD3, 'N',  139, 0xAD, 0xA8, 'E', 0, 0,   3, 0xE8,
                                 '0', 0xFF, '/',  '>',  0,   0,    0,    0,   0, 0,   0, 0,
                                 0,   0x12, 0x30, 0x00, 0,   1,    0,    90,  2, 0x8F};
    std::copy(std::begin(head), std::end(head), position.begin());
    image.SetBlock(kRxPositions + kRxPositionSize * e, position.data(), kRxPositionSize);
  }
  return image;
}

struct Rig {
  ScopedDestination destination{indDestination(0)};
  ScopedEvMan bus;
  cmcEeprom image = FullHistoryImage();
  kwbench::ScratchSettings settings;
  cmcGTex texts;
  kwbench::ImageHost host{image};
  CellCaseTable table;
  indCellFrame frame{settings.Get(), texts, host, table};

  Rig() {
    SelectTextTable(texts, TextTable::English);
    RegisterFrameCases(table);
    RegisterSettingCases(table);
    RegisterCallCases(table);
  }
  // One drawing query per cell, as a page's repaint asks.
  void Query(std::vector<cmcCellObj>& cells, const char* sheetName) {
    for (cmcCellObj& cell : cells) benchmark::DoNotOptimize(frame.GetCellText(&cell, 0, sheetName));
  }
};

void BM_ReceivedCallPage(benchmark::State& state) {
  Rig rig;
  std::vector<cmcCellObj> cells;
  for (int row = 0; row < kRxEntries; ++row) {
    for (int id = CL_Received_Callsign_Caller; id <= CL_Received_Callsign_GpsMsg; ++id) {
      cmcCellObj& cell = cells.emplace_back();
      cell.category = CT_RXCall;
      cell.cellId = id;
      cell.index = row;
    }
  }
  rig.Query(cells, "215");  // the option cache warm
  for (auto _ : state) rig.Query(cells, "215");
}
BENCHMARK(BM_ReceivedCallPage)->Unit(benchmark::kMillisecond);

void BM_SettingsPages(benchmark::State& state) {
  Rig rig;
  std::vector<cmcCellObj> cells;
  for (const choicefield::ChoiceField& f : choicefield::ChoiceFields()) {
    if (f.cellId < 353) continue;
    for (int index = f.firstIndex; index <= f.lastIndex; ++index) {
      cmcCellObj& cell = cells.emplace_back();
      cell.category = CT_Null;
      cell.cellId = f.cellId;
      cell.index = index;
    }
  }
  rig.Query(cells, "250");
  for (auto _ : state) rig.Query(cells, "250");
}
BENCHMARK(BM_SettingsPages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
