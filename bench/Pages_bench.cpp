// kw-bench: ci
// kw-bench: link=kw_bench_main_gui
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=app
// The tree's pages as the main window opens them, offscreen, over the
// program's English table and its cell handler: each is made by the sheet
// factory, built and painted once into an image. Goals: a memory-channel or
// received-call page under 60 ms, the common settings under 80 ms, a
// 1500-entry repeater group under 150 ms and one inserted row on it (the
// page following its list) within 1 % of that; all 153 pages under 4 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/indMain.h"
#include "app/iuiTree.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiSheet.h"
#include "support/BenchCells.h"
#include "bench/support/BenchProgram.h"

namespace {

using Program = kwbench::Program;

// Makes, builds and paints a page once; the page is returned built.
cuiSheet* OpenAndPaint(Program& p, const std::string& reference, QImage& image) {
  QWidget* panel = p.window.SheetPanel();
  cuiSheet* sheet = p.window.CreateSheet(panel, reference);
  sheet->Build();
  QPainter painter(&image);
  panel->render(&painter);
  return sheet;
}

void BM_Page(benchmark::State& state, const char* reference) {
  Program p;  // each run its own, gone before the application is
  QImage image(p.window.SheetPanel()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    cuiSheet* sheet = OpenAndPaint(p, reference, image);
    state.PauseTiming();
    sheet->Release();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_Page, MemoryChannels, "[St_ColCut]GI_Sheet_MemoryCH,1,100")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Page, ReceivedCalls, "[St_ColCut]GI_Sheet_Received_Callsign,215")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Page, CommonSettings, "[St_Common]GI_Sheet_Common,250")
    ->Unit(benchmark::kMillisecond);

constexpr char kGroup1[] = "[St_RptList]GI_Sheet_RepeaterList,123,RptCH  0";

// Group 1 holds the whole repeater list (or all but one entry).
void FillGroup1(Program& p, int count) {
  for (int g = 0; g < layout::kRptGroups; ++g) SetRptGroupCount(p.main.Image(), g, 0);
  SetRptGroupCount(p.main.Image(), 0, count);
}

void BM_FullRepeaterGroup(benchmark::State& state) {
  Program p;  // each run its own, gone before the application is
  FillGroup1(p, layout::kRptCapacity);
  QImage image(p.window.SheetPanel()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    cuiSheet* sheet = OpenAndPaint(p, kGroup1, image);
    state.PauseTiming();
    sheet->Release();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FullRepeaterGroup)->Unit(benchmark::kMillisecond);

// One row inserted into (or, every other time, deleted from) the open
// 1500-row page: the page reads its list and grows or shrinks by a row.
void BM_RowInsertedOnAFullGroup(benchmark::State& state) {
  Program p;  // each run its own, gone before the application is
  FillGroup1(p, layout::kRptCapacity - 1);
  QImage image(p.window.SheetPanel()->size(), QImage::Format_RGB32);
  cuiSheet* sheet = OpenAndPaint(p, kGroup1, image);
  bool grown = false;
  for (auto _ : state) {
    state.PauseTiming();
    SetRptGroupCount(p.main.Image(), 0, layout::kRptCapacity - (grown ? 1 : 0));
    state.ResumeTiming();
    EvMan().Send(grown ? ev::ListRowDeleted : ev::ListRowInserted);
    grown = !grown;
  }
  sheet->Release();
  QApplication::processEvents();
}
BENCHMARK(BM_RowInsertedOnAFullGroup)->Unit(benchmark::kMicrosecond);

void BM_AllPages(benchmark::State& state) {
  Program p;  // each run its own, gone before the application is
  FillGroup1(p, 0);
  std::vector<std::string> references;
  for (QTreeWidgetItem* node : p.window.Tree()->Nodes())
    references.push_back(p.window.Tree()->CellOf(node)->bindingText.value_or(""));
  QImage image(p.window.SheetPanel()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    for (const std::string& reference : references) {
      cuiSheet* sheet = OpenAndPaint(p, reference, image);
      sheet->Release();
    }
    QApplication::processEvents();
  }
  state.counters["pages"] = static_cast<double>(references.size());
}
BENCHMARK(BM_AllPages)->Unit(benchmark::kMillisecond);

}  // namespace
