// kw-bench: link=app
// kw-bench: link=kw_bench_cells_support
// kw-bench: link=kw_bench_main_gui
// Speed of "lists edited" (event 45: the bank table rebuilt from every
// channel, the delayed check restarted) on a full image with 1000 banked
// channels: one event under 2 ms. A carry over 100 rows sends it once a
// row, so the second figure (100 events) shows what such a command costs.
#include <benchmark/benchmark.h>

#include "app/indMain.h"
#include "bench/support/BenchCells.h"
#include "bench/support/BenchImages.h"
#include "core/EventIds.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"

namespace {

constexpr int kBankedChannels = 1000;

class BenchController {
 public:
  BenchController() {
    settings_.Get().EtcData = dst_EtcData{0, 1, 0, 0};
    SelectTextTable(texts_, TextTable::English);
    main_ = std::make_unique<indMain>(settings_.Get(), texts_);
    main_->LoadInitialImage();
    cmcEeprom& image = main_->Image();
    image = kwbench::FullDocumentImage(main_->SettingsDestination());
    datCh r(&image);
    for (int n = 0; n < kBankedChannels; ++n) {
      r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
      r.bank = static_cast<std::uint32_t>(n % layout::kBankCount);
      r.bankSlot = static_cast<std::uint32_t>(n / layout::kBankCount);
      r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
    }
  }
  cmcEvMan& Bus() { return *bus_.operator->(); }

 private:
  kwbench::ScratchSettings settings_;
  ScopedEvMan bus_;
  cmcGTex texts_;
  std::unique_ptr<indMain> main_;
};

void BM_ListsEdited(benchmark::State& state) {
  BenchController controller;
  const int events = static_cast<int>(state.range(0));
  for (auto _ : state)
    for (int i = 0; i < events; ++i) controller.Bus().Send(ev::DocumentEdited);
}
BENCHMARK(BM_ListsEdited)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
