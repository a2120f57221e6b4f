// kw-bench: link=kw_bench_main_gui
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=app
// The memory image window as event 6 opens it over the main window,
// offscreen, with the program's English table and cell handler: its 16,384
// rows built, the window shown and painted once, then closed. Goal: under
// 2 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/cuiEeDebugWin.h"
#include "app/indMain.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/DefaultCellHandler.h"
#include "support/BenchCells.h"
#include "bench/support/BenchProgram.h"

namespace {


void BM_OpenImageWindow(benchmark::State& state) {
  kwbench::Program p;
  p.window.show();
  for (auto _ : state) {
    p.bus->Send(ev::OpenImageWindow);
    cuiEeDebugWin* debug = p.main.ImageWindow();
    QImage image(debug->size(), QImage::Format_ARGB32);
    QPainter painter(&image);
    debug->render(&painter);
    painter.end();
    state.PauseTiming();
    delete debug;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenImageWindow)->Unit(benchmark::kMillisecond);

}  // namespace
