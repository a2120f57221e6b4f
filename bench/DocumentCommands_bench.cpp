// kw-bench: link=app
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=kw_bench_main_gui
// Speed of the document commands on a full image (bench/support/BenchImages.h),
// without a window or any question: opening a data file (read, checks,
// conversion, loading passes) under 250 ms; saving one of the current layout
// under 300 ms; the report of what an older layout loses under 150 ms; what
// the end of a clone read does with the radio's image under 300 ms.
#include <benchmark/benchmark.h>

#include <QDir>
#include <string>

#include "app/DataFileSave.h"
#include "app/indMain.h"
#include "bench/support/BenchCells.h"
#include "bench/support/BenchImages.h"
#include "clone/dst_CDrv_Result.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/WorkFolder.h"

namespace {

constexpr std::uint32_t kBenchDestination = 0;

// A controller over scratch settings with a full document, and a folder
// for its files.
class BenchDocument {
 public:
  BenchDocument() : folder_(QDir::tempPath(), QStringLiteral("kw3700-bench-")) {
    settings_.Get().EtcData = dst_EtcData{kBenchDestination, 1, 0, 0};
    SelectTextTable(texts_, TextTable::English);
    main_ = std::make_unique<indMain>(settings_.Get(), texts_);
    main_->LoadInitialImage();
    main_->Image() = kwbench::FullDocumentImage(main_->SettingsDestination());
  }
  indMain& Main() { return *main_; }
  std::string Path(const char* name) const {
    return folder_.FilePath(QString::fromLatin1(name)).toStdString();
  }

 private:
  kwbench::ScratchSettings settings_;
  ScopedEvMan bus_;
  cmcGTex texts_;
  platform::WorkFolder folder_;
  std::unique_ptr<indMain> main_;
};

void BM_OpenIcfFile(benchmark::State& state) {
  BenchDocument document;
  const std::string path = document.Path("full.icf");
  if (document.Main().SaveToFile(path, 3) != 0) state.SkipWithError("the file was not written");
  for (auto _ : state) benchmark::DoNotOptimize(document.Main().OpenIcfFile(path));
}
BENCHMARK(BM_OpenIcfFile)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
  BenchDocument document;
  const std::string path = document.Path("saved.icf");
  for (auto _ : state) benchmark::DoNotOptimize(document.Main().SaveToFile(path, 3));
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_OldLayoutLossReport(benchmark::State& state) {
  BenchDocument document;
  indMain& main = document.Main();
  const savefile::PassContext passes{main.InitialImage(), main.SettingsDestination(), false};
  for (auto _ : state)
    benchmark::DoNotOptimize(savefile::PredictOldLayoutLoss(main.Image(), passes, 2));
}
BENCHMARK(BM_OldLayoutLossReport)->Unit(benchmark::kMillisecond);

void BM_ReadDone(benchmark::State& state) {
  BenchDocument document;
  indMain& main = document.Main();
  RadioInformation info{};
  info[kRadioInfoLengthByte] = kRadioInformationSize;
  info[kRadioInfoRevisionByte] = 3;
  info[kRadioInfoDestinationByte] = kBenchDestination;
  info[kRadioInfoVariantByte] = kRadioInfoVariantBit;
  main.SetRadioInfo(info, indMain::kModelWord1);
  cmcEeprom radio = main.Image();
  main.PrepareWriteImage(radio);
  for (auto _ : state) {
    state.PauseTiming();
    dst_CDrv_Result result;
    result.mode = kCloneModeRead;
    result.code = kCloneOk;
    result.image = radio;
    main.CloneDestination() = main.Settings().EtcData;
    state.ResumeTiming();
    main.OnReadDone(result);
  }
}
BENCHMARK(BM_ReadDone)->Unit(benchmark::kMillisecond);

}  // namespace
