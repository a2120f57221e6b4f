// kw-bench: ci
// kw-bench: link=model_csv
// Importing 1500 repeater rows, all groups, into an empty list from memory,
// against a plain split of the same file into lines and std::string fields:
// the goal is at most 3x the split.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/DefaultImage.h"
#include "model/InitialImage.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvImport.h"
#include "model/indDestination.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/cmcFCache.h"

namespace {

// 1500 repeaters spread over the 50 groups, as an export writes them.
const std::string& RepeaterFile() {
  static const std::string text = [] {
    std::string t =
        "Group No,Group Name,Name,Sub Name,Repeater Call Sign,Gateway Call Sign,Frequency,Dup,"
        "Offset,Mode,TONE,Repeater Tone,RPT1USE,Position,Latitude,Longitude,UTC Offset\r\n";
    for (int i = 0; i < 1500; ++i) {
      const int group = i / 30 + 1;
      t += std::to_string(group) + ",GROUP " + std::to_string(group) + ",Repeater " +
           std::to_string(i) + ",SUB,JR" + std::to_string(i) + "  B,JR" + std::to_string(i) +
           "  G,439." + std::to_string(100 + i % 800) +
           "000,DUP-,5.000000,DV,OFF,88.5Hz,YES,Exact,35.200000,139.500000,+9:00\r\n";
    }
    return t;
  }();
  return text;
}

void BM_PlainSplit(benchmark::State& state) {
  const std::string& text = RepeaterFile();
  for (auto _ : state) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      std::vector<std::string> fields;
      std::size_t f = start;
      for (;;) {
        const std::size_t comma = text.find(',', f);
        if (comma == std::string::npos || comma > end) {
          fields.emplace_back(text, f, end - f);
          break;
        }
        fields.emplace_back(text, f, comma - f);
        f = comma + 1;
      }
      rows.push_back(std::move(fields));
      start = end + 2;
    }
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_PlainSplit)->Unit(benchmark::kMillisecond);

void BM_ImportRepeatersAllGroups(benchmark::State& state) {
  // The bus posts the import's events through a timer task.
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  ScopedDestination destination{indDestination(0)};
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  cmcFCache choices(texts);
  cmcEvMan bus;
  const cmcEeprom initial = FullImageFromDefault(BuildDefaultImage(0));
  const CsvContext ctx{choices, bus, texts, ',', '.', 0, '/', false, {}};
  const csv::CsvTarget target = csv::ConfirmCsvImport(121, true);
  const std::string& text = RepeaterFile();
  for (auto _ : state) {
    state.PauseTiming();
    cmcEeprom image = initial;
    state.ResumeTiming();
    const CsvImportResult r = csv::ReadCsvText(text, image, initial, target, ctx);
    if (r.stored != 1500) state.SkipWithError("not every row was stored");
    state.PauseTiming();
    bus.Drain();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ImportRepeatersAllGroups)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
