#pragma once
// What the CSV tests share: the English text table with its option cache,
// an event bus that records what the import tells, destination 0 in force,
// its initial image, and a context with a chosen separator and decimal.
#include <string>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/cmcEeprom.h"
#include "model/csv/CsvContext.h"
#include "model/indDestination.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/cmcFCache.h"
#include "support/model/ListFixture.h"

namespace kwtest {

struct CsvRig {
  struct Told {
    int id;
    int mode;
    std::intptr_t p1;
    std::intptr_t p2;
    std::string text;
  };

  ScopedDestination destination{indDestination(0)};
  cmcGTex texts;
  cmcFCache choices{texts};
  cmcEvMan bus;
  cmcEeprom initial = InitialImageDest0();
  std::vector<Told> told;
  bool keepAnswer = false;
  int keepAsked = 0;

  CsvRig() {
    texts.SetSource(kwres::kTextEnglish);
    bus.AddListener(this, [this](const cmcEvent& e) {
      told.push_back({e.id, e.mode, e.p1, e.p2, e.Text() ? *e.Text() : std::string()});
    });
  }
  ~CsvRig() { bus.RemoveListener(this); }

  CsvContext Context(char separator = ',', char decimal = '.') {
    CsvContext ctx{choices, bus, texts, ',', '.', 0, '/', false, {}};
    ctx.separator = separator;
    ctx.decimal = decimal;
    ctx.keepUseFrom = [this] {
      ++keepAsked;
      return keepAnswer;
    };
    return ctx;
  }
  // Delivers what was posted.
  void Drain() { bus.Drain(); }
};

// Lines joined with CR LF, each ended by it.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace kwtest
