// Fuzzes the data file reader as the document uses it: an image of the
// largest layout, the revision and destination checks, sometimes a coverage
// list. A failed read must leave the image as it was; a successful one may
// only change bytes that records set, and its image must convert to
// revision 3 and back.
//
// The checks cost little next to the read itself: the image, the reader and
// the conversion targets live across inputs (no 256 KiB allocation per
// input), images are compared with memcmp, a good read is checked and put
// back block by block where it differs, and only images that a read changed
// and that are of another revision are converted.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/dst_EtcData.h"
#include "core/indEnviron.h"
#include "model/MemMapConvert.h"
#include "model/MemMapRevision.h"
#include "model/cmcEeprom.h"
#include "model/cmcIcfFile.h"

namespace {

constexpr std::int32_t kBlock = 64;

struct Rig {
  cmcEeprom pattern;
  cmcEeprom image;
  cmcEeprom up;
  cmcEeprom down;
  cmcIcfFile file;

  Rig() {
    pattern.SetSize(MemMapMaxSize);
    for (std::int32_t a = 0; a < pattern.GetSize(); ++a)
      pattern.Data()[a] = static_cast<std::uint8_t>(a * 131 + 7);
    image = pattern;
    file.SetImage(&image);
    file.SetModel(0x3484);
    file.SetSubCode(1);
    file.SetMapRevCheck([](int rev) { return rev >= 1 && rev <= 3; });
    file.SetEtcDataCheck([](std::uint32_t value, std::uint32_t&) {
      dst_EtcData record;
      return indEnviron::DecodeEtcData(value, record) && record.destination <= 16;
    });
  }

  // Every byte that differs from the pattern must have been loaded. True
  // when any does.
  bool CheckGoodRead() const {
    const std::uint8_t* want = pattern.Data();
    const std::uint8_t* got = image.Data();
    const std::int32_t size = image.GetSize();
    bool changed = false;
    for (std::int32_t at = 0; at < size; at += kBlock) {
      const std::int32_t n = std::min(kBlock, size - at);
      if (std::memcmp(got + at, want + at, static_cast<size_t>(n)) == 0) continue;
      changed = true;
      for (std::int32_t a = at; a < at + n; ++a)
        if (got[a] != want[a] && !file.WasLoaded(a)) std::abort();
    }
    return changed;
  }

  // The image is the pattern again.
  void Restore() {
    const std::int32_t size = image.GetSize();
    for (std::int32_t at = 0; at < size; at += kBlock) {
      const size_t n = static_cast<size_t>(std::min(kBlock, size - at));
      if (std::memcmp(image.Data() + at, pattern.Data() + at, n) != 0)
        std::memcpy(image.Data() + at, pattern.Data() + at, n);
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Odd sizes also check coverage against a revision's clone range.
  const MemRangeList* coverage =
      (size & 1) ? &MemMapRevisionOf(static_cast<int>(size % 3) + 1).MemMapRangeList() : nullptr;
  const int code = rig.file.ParseBytes(bytes, coverage);
  if (code != 0) {
    if (rig.image != rig.pattern) std::abort();
    return 0;
  }
  // The pattern itself converts the same way every time: only what a read
  // changed is worth converting.
  const int rev = MemMapNormalizeRevision(rig.file.GetMapRev());
  if (rig.CheckGoodRead() && rev != 3) {
    if (MemMapConvertImage(rig.up, rig.image, 3, rev).refused) std::abort();
    if (MemMapConvertImage(rig.down, rig.up, rev, 3).refused) std::abort();
  }
  rig.Restore();
  return 0;
}
