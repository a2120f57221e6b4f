// Fuzzes the CSV import as the commands use it: the input is a file read
// into every importable list form (channel group, bank, scan edges, GPS
// memory all and one group, repeaters all and one group, your call signs),
// with ",", "." for even input sizes and ";", "," for odd ones. A refused
// file must leave the image byte for byte as it was; nothing may crash or
// end the program.
#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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

constexpr int kForms[] = {1, 23, 47, 48, 219, 221, 121, 125, 120};

struct Rig {
  int argc = 1;
  char name[8] = "fuzz";
  char* argv[2] = {name, nullptr};
  QCoreApplication app{argc, argv};
  ScopedDestination destination{indDestination(0)};
  cmcGTex texts;
  cmcFCache choices{texts};
  cmcEvMan bus;
  cmcEeprom initial;
  cmcEeprom image;

  Rig() {
    texts.SetSource(kwres::kTextEnglish);
    initial = FullImageFromDefault(BuildDefaultImage(0));
    image = initial;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CsvContext ctx{rig.choices, rig.bus, rig.texts, ',', '.', 0, '/', false, [] { return true; }};
  if (size & 1) {
    ctx.separator = ';';
    ctx.decimal = ',';
  }
  for (const int sheet : kForms) {
    const csv::CsvTarget target = csv::ConfirmCsvImport(sheet, sheet == 219 || sheet == 121);
    const CsvImportResult r = csv::ReadCsvText(bytes, rig.image, rig.initial, target, ctx);
    if (r.status != CsvImportResult::Status::kDone) {
      if (rig.image != rig.initial) std::abort();
      continue;
    }
    if (r.stored < 0 || r.discarded < 0 || r.corrected < 0) std::abort();
    rig.bus.Drain();
    if (r.changed) rig.image = rig.initial;
  }
  return 0;
}
