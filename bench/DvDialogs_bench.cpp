// kw-bench: ci
// kw-bench: link=app
// Speed of the DV call-sign dialogs' lists over a full repeater list: 1500
// distinct DV repeaters behind one gateway, so that every one is offered.
// Goals: the called-station selector's "Repeater List" (one route check per
// entry) under 50 ms, and the Repeater Select choices (the access
// repeater's site) built again under 20 ms. Before timing, each result is
// checked against the route logic entry by entry.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "app/DvCallSignPicker.h"
#include "app/DvRouteEditor.h"
#include "app/ImagePasses.h"
#include "core/cmcGTex.h"
#include "model/DvRoute.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/RouteDisplay.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "resources/text/TextTables.h"

namespace {

using namespace layout;

constexpr int kRepeaterListPosition = 2;  // kinds 0 and 3

cmcEeprom FullRepeaterList() {
  cmcEeprom image = imagepass::BuildInitialImage(indDestination(0), false);
  datCh r(&image);
  for (int i = 0; i < kRptCapacity; ++i) {
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    char call[9];
    std::snprintf(call, sizeof call, "JR%04d A", i);
    char name[17];
    std::snprintf(name, sizeof name, "SITE %04d", i);
    SetText(r.rptCall, call);
    SetText(r.gwCall, "JR0000 G");
    SetText(r.name, name);
    r.freq = 434000000;
    r.duplex = 1;
    r.offset = 5000000;
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  SetRptGroupCount(image, 0, kRptCapacity);
  return image;
}

RouteName Name(const char* text) { return CopyPaddedName16(text); }

void BM_CalledStationRepeaterList(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  const cmcEeprom image = FullRepeaterList();
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  DvCallSignPicker::Setup setup;
  setup.kind = dvpick::kKindCalled;
  setup.accessName = Name("SITE 0000");

  // The same entries as a route check of each repeater gives.
  std::vector<int> expected;
  for (int i = 0; i < kRptCapacity; ++i) {
    const datCh r = LoadDetached(image, itemkind::kRepeater, static_cast<std::uint32_t>(i));
    RouteName dest = r.name;
    const DvRouteCheck check = CheckDvRoute(image, setup.accessName, dest, true);
    if (IsDvRouteValid(check.access, check.dest)) expected.push_back(i);
  }
  {
    DvCallSignPicker picker(image, texts, setup);
    picker.Click(dvpick::kListKind, kRepeaterListPosition);
    std::vector<int> offered;
    for (int e = 0; picker.RepeaterAt(e) >= 0; ++e) offered.push_back(picker.RepeaterAt(e));
    if (offered != expected || offered.size() != static_cast<std::size_t>(kRptCapacity)) {
      state.SkipWithError("the list differs from the route checks");
      return;
    }
  }
  for (auto _ : state) {
    DvCallSignPicker picker(image, texts, setup);
    picker.Click(dvpick::kListKind, kRepeaterListPosition);
    benchmark::DoNotOptimize(picker.NameList().entries.data());
  }
}
BENCHMARK(BM_CalledStationRepeaterList)->Unit(benchmark::kMillisecond);

void BM_RepeaterSelectChoices(benchmark::State& state) {
  ScopedDestination destination{indDestination(0)};
  cmcEeprom image = FullRepeaterList();
  const cmcEeprom initial = imagepass::BuildInitialImage(indDestination(0), false);
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  datCh channel(&image);
  channel.Load(itemkind::kChannel, 0);
  ResetChannelRoute(channel);
  ResolveRptDisplay(channel);
  GetDvRouteStatus(channel);
  DvRouteEditor editor(image, initial, texts, true, channel);
  editor.ChooseAccess(Name("SITE 0000"));

  // "Same Repeater", the site's repeaters as each site check gives them,
  // "Gateway".
  editor.ChooseCalled(Name("JA1ABC"));
  std::size_t site = 0;
  for (int j = 0; j < kRptCapacity; ++j) site += IsRptSameSite(image, j, 0) ? 1 : 0;
  if (editor.Choices().size() != site + 2 || site != static_cast<std::size_t>(kRptCapacity)) {
    state.SkipWithError("the choices differ from the site checks");
    return;
  }
  // Each choice of the called station builds the choices again.
  for (auto _ : state) {
    editor.ChooseCalled(Name("JA1ABC"));
    benchmark::DoNotOptimize(editor.Choices().data());
  }
}
BENCHMARK(BM_RepeaterSelectChoices)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
