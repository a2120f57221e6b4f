// kw-bench: ci
// kw-bench: link=kw_bench_main_gui
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=app
// Printing at 600 dpi into a PDF writer, offscreen. Goals: (a) counting the
// pages of every page of a full image's tree (ten memory-channel pages of
// 100 channels, 26 bank pages and a few short lists) within 3 s; (b) one
// preview page of a full memory-channel page within 100 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWidget>
#include <string>
#include <vector>

#include "app/PageReference.h"
#include "app/cuiPreview.h"
#include "app/cuiPrinter.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/DefaultCellHandler.h"
#include "sheet/cuiSheet.h"
#include "support/BenchCells.h"

namespace {

constexpr int kColumns = 20;

// A page laid out as the channel lists are: a header row, then a loop of
// data rows over the channel fields.
std::vector<std::string> PageLines(const std::string& key, int rows) {
  static const char* const kFields[] = {"CL_Mch_Freq", "CL_Mch_Dup", "CL_Mch_Offset_Freq",
                                        "CL_Mch_Name", "CL_Mch_Mode"};
  std::vector<std::string> t{"#" + key + "_Style",
                             "(TitleString= Memory CH)(FixedCols=1)(FixedRows=1)",
                             "#" + key + "_BasicCell", "{($Basic)}", "#" + key + "_Cells"};
  std::string header = "{($iChN)(@ch0=0)}CH";
  for (int c = 1; c < kColumns; ++c) header += "|{($iChN)}Field " + std::to_string(c);
  t.push_back(header);
  t.push_back(":(LoopFrom " + std::to_string(rows) + ")");
  std::string row = "{($iChN)(%CT_Conv.CL_Mch_No[@ch0])}9999";
  for (int c = 1; c < kColumns; ++c)
    row += "|{($eWh)(%CT_Conv." + std::string(kFields[c % 5]) + "[@ch0])}" +
           (c % 5 == 3 ? "WWWWWWWWWWWW" : "9999.999999");
  t.push_back(row);
  t.push_back(":(LoopTo)");
  t.push_back("#");
  return t;
}

std::vector<std::string> Table() {
  std::vector<std::string> t{"",
                             "#CellModel_Basic",
                             "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)",
                             "#CellModel_eWh",
                             "S<_WHB",
                             "#CellModel_iChN",
                             ">-WHB(Color=clOlive)(Font=,,clWhite,,,fsBold,)",
                             "#CellModel_BasicDialog",
                             "DEFAULT_CHARSET,,clWindowText,-12,,,",
                             "#GI_Sys_AppTitle",
                             "KW-3700",
                             "#GI_Sys_AppTitleRev",
                             "KW-3700 Rev.%s",
                             "#GI_Sys_Maker",
                             "Quor Inc.",
                             "#GI_Sys_Printer_Margins",
                             "15,10,5,5",
                             "#GI_Sys_Printer_FrameFont",
                             "14",
                             "#GI_CellWidthRegList",
                             "#",
                             "#GI_AppInd_Preview_Caption",
                             "&Print",
                             "&Setting...",
                             "Top Page",
                             "Previous Page",
                             "Next Page",
                             "Last Page",
                             "Zoom"};
  for (const auto& page : {PageLines("GI_Sheet_Full", 100), PageLines("GI_Sheet_Short", 16)})
    t.insert(t.end(), page.begin(), page.end());
  t.push_back("#End_Of_Ovl");
  return t;
}

// The pages of a full image's tree: every list page a full image fills.
std::vector<std::string> TreePages() {
  std::vector<std::string> pages;
  for (int i = 0; i < 10; ++i) pages.push_back("GI_Sheet_Full," + std::to_string(i));
  for (int i = 21; i <= 46; ++i) pages.push_back("GI_Sheet_Full," + std::to_string(i));
  for (int i = 0; i < 8; ++i) pages.push_back("GI_Sheet_Short," + std::to_string(70 + i));
  return pages;
}

std::int32_t Handler(cmcCellCapsule& c, int) {
  c.outputText = "145.500000";
  return kCellNothing;
}

struct PrintBench {
  PrintBench() : writer(dir.filePath(QStringLiteral("bench.pdf"))) {
    gtex.SetSource(Table());
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer.UseDevice(&writer);
  }

  ScopedEvMan bus;
  ScopedDefaultCellHandler handler{Handler};
  kwbench::ScratchSettings settings;
  cmcGTex gtex;
  QTemporaryDir dir;
  QPdfWriter writer;
  QWidget owner;
  cuiPrinter printer{&owner, settings.Get(), gtex, "1.20",
                     [this](QWidget* parent, const std::string& name) -> cuiSheet* {
                       const PageReference ref = PageReference::Parse(name);
                       auto* sheet = new cuiSheet(parent, nullptr, 0, 0, gtex, ref.key, nullptr);
                       sheet->SetTitle(name);
                       sheet->SetName(ref.rest);
                       return sheet;
                     }};
};

void BM_CountEveryTreePage(benchmark::State& state) {
  PrintBench bench;
  const std::vector<std::string> pages = TreePages();
  int count = 0;
  for (auto _ : state) {
    count = 0;
    for (const std::string& page : pages)
      count += bench.printer.PrintSheet(page, bench.printer.Area(), false, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  state.counters["sheets"] = static_cast<double>(pages.size());
  state.counters["pages"] = count;
}
BENCHMARK(BM_CountEveryTreePage)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PreviewPage(benchmark::State& state) {
  PrintBench bench;
  cuiPreview preview(&bench.owner, QStringLiteral("KW-3700"), nullptr, false, bench.printer);
  const std::string page = "GI_Sheet_Full,0";
  const printgeom::Box& area = bench.printer.Area();
  preview.Prepare(bench.printer.PrintSheet(page, area, false, nullptr));
  bench.printer.PrintSheet(page, area, false, &preview);
  for (auto _ : state) {
    preview.GoTo(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  state.counters["pages"] = preview.PageCount();
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);

}  // namespace
