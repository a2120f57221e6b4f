// kw-bench: ci
// kw-bench: link=kw_bench_main_gui
// kw-bench: link=sheet
// Sheets of 20 columns, offscreen. Goals: (a) building a 1000-row sheet,
// looped or written out line by line, under 100 ms, and 1000 rows within 12
// times the time of 100; (b) one full repaint of a 1600 x 1000 viewport
// (each visible cell through DrawCell with one handler query) under 16 ms,
// at the top and at row 500.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

constexpr int kColumns = 20;

// A cell of the body: a data cell over one of the channel fields.
std::string BodyCell(int col, const std::string& index) {
  static const char* const kFields[] = {"CL_Mch_Freq", "CL_Mch_Dup", "CL_Mch_Offset_Freq",
                                        "CL_Mch_Name", "CL_Mch_Mode"};
  return "{($eWh)(%CT_Conv." + std::string(kFields[col % 5]) + "[" + index + "])}" +
         (col % 5 == 3 ? "WWWWWWWWWWWW" : "9999.999999");
}

std::vector<std::string> Table(int rows, bool looped) {
  std::vector<std::string> t{"",
                             "#CellModel_Basic",
                             "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)",
                             "#CellModel_eWh",
                             "S<_WHB",
                             "#CellModel_iChN",
                             ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)",
                             "#GI_Sheet_B_Style",
                             "(FixedCols=1)(FixedRows=1)(MultiSelect=Line)",
                             "#GI_Sheet_B_BasicCell",
                             "{($Basic)}",
                             "#GI_Sheet_B_Cells"};
  std::string header = "{($iChN)(@ch0=0)}CH";
  for (int c = 1; c < kColumns; ++c) header += "|{($iChN)}Field " + std::to_string(c);
  t.push_back(header);
  auto row = [](const std::string& index) {
    std::string line = "{($iChN)(%CT_Conv.CL_Mch_No[" + index + "])}9999";
    for (int c = 1; c < kColumns; ++c) line += "|" + BodyCell(c, index);
    return line;
  };
  if (looped) {
    t.push_back(":(LoopFrom " + std::to_string(rows) + ")");
    t.push_back(row("@ch0"));
    t.push_back(":(LoopTo)");
  } else {
    for (int r = 0; r < rows; ++r) t.push_back(row(std::to_string(r)));
  }
  t.push_back("#");
  t.push_back("#End_Of_Ovl");
  return t;
}

std::int32_t Handler(cmcCellCapsule& c, int) {
  c.outputText = "145.500000";
  return kCellNothing;
}

void BM_Build(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const bool looped = state.range(1) != 0;
  ScopedEvMan bus;
  cmcGTex gtex;
  gtex.SetSource(Table(rows, looped));
  QWidget owner;
  owner.resize(1600, 1000);
  for (auto _ : state) {
    auto* sheet = new cuiSheet(&owner, nullptr, 0, 0, gtex, "GI_Sheet_B", nullptr);
    sheet->SetCellHandler(Handler);
    sheet->Build();
    state.PauseTiming();
    sheet->Release();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  state.SetLabel(looped ? "looped" : "written out");
}
BENCHMARK(BM_Build)->ArgsProduct({{100, 1000}, {1, 0}})->Unit(benchmark::kMillisecond);

void BM_Repaint(benchmark::State& state) {
  const int top = static_cast<int>(state.range(0));
  ScopedEvMan bus;
  cmcGTex gtex;
  gtex.SetSource(Table(1000, true));
  QWidget owner;
  auto* sheet = new cuiSheet(&owner, nullptr, 0, 0, gtex, "GI_Sheet_B", nullptr);
  sheet->SetCellHandler(Handler);
  sheet->Build();
  cuiGrid* grid = sheet->Grid();
  // A viewport of 1600 x 1000: the owner is larger by the frames around it.
  owner.resize(1700, 1100);
  owner.show();
  QApplication::processEvents();
  owner.resize(1600 + owner.width() - grid->viewport()->width(),
               1000 + owner.height() - grid->viewport()->height());
  QApplication::processEvents();
  grid->SetTopRow(top);
  QImage image(grid->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) grid->viewport()->render(&image);
  state.counters["viewport_w"] = grid->viewport()->width();
  state.counters["viewport_h"] = grid->viewport()->height();
  state.counters["rows_shown"] = grid->VisibleRowCount();
  sheet->Release();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_Repaint)->Arg(1)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
