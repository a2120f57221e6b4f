// kw-bench: ci
// kw-bench: link=app
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=kw_bench_main_gui
// Speed of a full refresh of the main menu (every item asks the cell
// handler for its state, as each menu opening and each edit do), over the
// real main window with a full document, page "0 - 99" open and four recent
// files. Goal: under 5 ms.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <memory>

#include "app/MainFrame.h"
#include "app/ProgramCellHandler.h"
#include "app/indMain.h"
#include "bench/support/BenchCells.h"
#include "bench/support/BenchImages.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiMenu.h"

namespace {

void BM_MainMenuRefresh(benchmark::State& state) {
  kwbench::ScratchSettings settings;
  settings.Get().EtcData = dst_EtcData{0, 1, 0, 0};
  for (const char* name : {"/d/d.icf", "/d/c.icf", "/e/b&b.icf", "a.icf"})
    settings.Get().Recent.AddTop(name);
  ScopedEvMan bus;
  cmcGTex texts;
  SelectTextTable(texts, TextTable::English);
  indMain main(settings.Get(), texts);
  ProgramCellHandler cells(settings.Get(), texts, main);
  ScopedDefaultCellHandler handler(cells.Frame().Handler());
  {
    MainFrame window(settings.Get(), texts);
    main.BuildMainWindow(window);
    main.Image() = kwbench::FullDocumentImage(main.SettingsDestination());
    main.ClearModified();
    window.show();
    main.OpenSheet("[St_ColCut]GI_Sheet_MemoryCH,0,0");
    QApplication::processEvents();
    cuiMenu& menu = *window.Menu();
    menu.Refresh();
    // The refresh reaches the cells: the first recent file has its caption.
    const QAction* recent = menu.FindItemByCellId(CL_Menu_File_Recent);
    if (!recent || !recent->text().startsWith(QStringLiteral("&1 a.icf")))
      state.SkipWithError("the menu was not refreshed through the cells");
    for (auto _ : state) menu.Refresh();
    main.CloseSheet();
    main.OnMainFormClosed();
  }
}
BENCHMARK(BM_MainMenuRefresh)->Unit(benchmark::kMillisecond);

}  // namespace
