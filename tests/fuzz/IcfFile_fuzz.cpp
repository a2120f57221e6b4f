// Fuzzes the data file reader as the document uses it: an image of the
// largest layout, the revision and destination checks, sometimes a coverage
// list. A failed read must leave the image as it was; a successful one may
// only change bytes that records set, and its image must convert to
// revision 3 and back.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

namespace {

const cmcEeprom& Pattern() {
  static const cmcEeprom pattern = [] {
    cmcEeprom image;
    image.SetSize(MemMapMaxSize);
    for (std::int32_t a = 0; a < image.GetSize(); ++a)
      image.Data()[a] = static_cast<std::uint8_t>(a * 131 + 7);
    return image;
  }();
  return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const cmcEeprom& pattern = Pattern();
  cmcEeprom image(pattern);
  cmcIcfFile file;
  file.SetImage(&image);
  file.SetModel(0x3484);
  file.SetSubCode(1);
  file.SetMapRevCheck([](int rev) { return rev >= 1 && rev <= 3; });
  file.SetEtcDataCheck([](std::uint32_t value, std::uint32_t&) {
    dst_EtcData record;
    return indEnviron::DecodeEtcData(value, record) && record.destination <= 16;
  });
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Odd sizes also check coverage against a revision's clone range.
  const MemRangeList* coverage =
      (size & 1) ? &MemMapRevisionOf(static_cast<int>(size % 3) + 1).MemMapRangeList() : nullptr;
  const int code = file.ParseBytes(bytes, coverage);
  if (code != 0) {
    if (image != pattern) std::abort();
    return 0;
  }
  for (std::int32_t a = 0; a < image.GetSize(); ++a)
    if (image.Data()[a] != pattern.Data()[a] && !file.WasLoaded(a)) std::abort();
  const int rev = file.GetMapRev();
  cmcEeprom up;
  if (MemMapConvertImage(up, image, 3, rev).refused) std::abort();
  cmcEeprom down;
  if (MemMapConvertImage(down, up, rev, 3).refused) std::abort();
  return 0;
}
