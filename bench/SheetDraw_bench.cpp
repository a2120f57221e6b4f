// kw-bench: ci
// kw-bench: link=kw_bench_main_gui
// kw-bench: link=cells
// kw-bench: link=kw_bench_cells_support
// Drawing and fitting sheet columns, offscreen. Goals: (a) one screen of a
// memory-channel page, 40 rows by 20 columns whose texts come from the
// program's cell handler over a filled image, painted into an image in
// 25 ms or less; (b) fitting a column of a 1509-row list (the repeater list
// with its trailing rows) to its widest display text in 100 ms or less.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "bench/support/BenchCells.h"
#include "cells/CellCaseTable.h"
#include "cells/FrameCases.h"
#include "cells/indCellFrame.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "resources/text/TextTables.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr int kScreenRows = 40;

// The fields of a memory-channel row after its number.
const char* const kFields[] = {"CL_Mch_Freq",          "CL_Mch_Dup",
                               "CL_Mch_Offset_Freq",   "CL_Mch_TS_Pitch",
                               "CL_Mch_Mode",          "CL_Mch_Name",
                               "CL_Mch_Scan_Skip",     "CL_Mch_TONE_Freq",
                               "CL_Mch_TSQL_Freq",     "CL_Mch_DTCS",
                               "CL_Mch_DTCS_Polarity", "CL_Mch_Digital_Sql",
                               "CL_Mch_Digital_Code",  "CL_Mch_DRpt1_Callsign",
                               "CL_Mch_DYou_Callsign", "CL_Mch_Bank_Group",
                               "CL_Mch_Bank_ChNo",     "CL_Mch_CH_Atr",
                               "CL_Mch_DRpt2_Callsign"};

// The English table with a sheet "GI_Sheet_B": a header row over `rows`
// looped body rows of a number and the fields above.
std::vector<std::string> Table(int rows) {
  std::vector<std::string> t(kwres::kTextEnglish.lines,
                             kwres::kTextEnglish.lines + kwres::kTextEnglish.count - 1);
  t.insert(t.end(), {"#GI_Sheet_B_Style", "(FixedCols=1)(FixedRows=1)(MultiSelect=Line)",
                     "#GI_Sheet_B_BasicCell", "{($Basic)}", "#GI_Sheet_B_Cells"});
  std::string header = "{($iChN)(@ch0=0)}CH";
  std::string body = "{($iChN)(%CT_Conv.CL_Mch_No[@ch0])}9999";
  for (const char* field : kFields) {
    header += "|{($iChN)}" + std::string(field + 7);
    body += "|{($eWh)(%CT_Conv." + std::string(field) + "[@ch0])}9999.999999";
  }
  t.push_back(header);
  t.push_back(":(LoopFrom " + std::to_string(rows) + ")");
  t.push_back(body);
  t.push_back(":(LoopTo)");
  t.push_back("#");
  t.push_back("#End_Of_Ovl");
  return t;
}

// A page of used channels: frequencies, duplex, names.
cmcEeprom FilledImage() {
  cmcEeprom image;
  image.SetSize(layout::kImageSize);
  datCh r(&image);
  for (int n = 0; n < 100; ++n) {
    r.Clear();
    r.freq = 145000000 + 20000 * static_cast<std::uint32_t>(n);
    r.duplex = static_cast<std::uint32_t>(n % 3);
    r.offset = 600000;
    SetText(r.name, ("CH NAME " + std::to_string(n)).c_str());
    r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
  return image;
}

void BM_PaintOneScreen(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  ScopedEvMan bus;
  cmcEeprom image = FilledImage();
  kwbench::ScratchSettings settings;
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  kwbench::ImageHost host(image);
  CellCaseTable table;
  RegisterFrameCases(table);
  indCellFrame frame(settings.Get(), texts, host, table);

  cmcGTex markup;
  markup.SetSource(Table(100));
  QWidget owner;
  owner.resize(1600, 1200);
  auto* sheet = new cuiSheet(&owner, nullptr, 0, 0, markup, "GI_Sheet_B", nullptr);
  sheet->SetCellHandler(frame.Handler());
  sheet->SetName("0,0");
  sheet->Build();
  cuiGrid* grid = sheet->Grid();
  owner.show();
  QApplication::processEvents();
  // The viewport shows exactly the header, 40 rows and the 20 columns.
  int width = 0;
  for (int c = 0; c < grid->ColCount(); ++c) width += grid->ColWidth(c);
  int height = 0;
  for (int r = 0; r <= kScreenRows; ++r) height += grid->RowHeight(r);
  owner.resize(width + owner.width() - grid->viewport()->width(),
               height + owner.height() - grid->viewport()->height());
  QApplication::processEvents();
  QImage canvas(grid->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) grid->viewport()->render(&canvas);
  state.counters["rows_shown"] = grid->VisibleRowCount();
  state.counters["columns"] = grid->ColCount();
  sheet->Release();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond);

// Display texts of one list column: varied lengths, as call signs and
// frequencies are.
std::int32_t ListHandler(cmcCellCapsule& c, int) {
  static const char* const kTexts[] = {"JR1ABC A", "434.500000", "", "JA1YXX B  ",
                                       "DV REPEATER 12"};
  c.outputText = c.cell ? kTexts[static_cast<unsigned>(c.cell->index) % 5] : "";
  return kCellNothing;
}

void BM_FitColumn(benchmark::State& state) {
  ScopedEvMan bus;
  cmcGTex markup;
  markup.SetSource(Table(1509 - 1));
  QWidget owner;
  owner.resize(1600, 1000);
  auto* sheet = new cuiSheet(&owner, nullptr, 0, 0, markup, "GI_Sheet_B", nullptr);
  sheet->SetCellHandler(ListHandler);
  sheet->Build();
  owner.show();
  QApplication::processEvents();
  for (auto _ : state) sheet->FitColumn(1);
  state.counters["rows"] = sheet->Grid()->RowCount();
  state.counters["width"] = sheet->Grid()->ColWidth(1);
  sheet->Release();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_FitColumn)->Unit(benchmark::kMillisecond);

}  // namespace
