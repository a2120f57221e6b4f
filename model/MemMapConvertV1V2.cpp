// Revision 1 <-> 2: the same regions, four parts copied as they stand, a few
// settings of the common region set and the format signature moved.
#include "model/MemMapConvert.h"
#include "model/MemMapConvertIo.h"

namespace {

// Offsets of the touched settings, counted from the start of region 27 (they
// lie in region 29).
constexpr int kSetA = 3147, kSetB = 3148, kSetC = 3173, kSetD = 3230, kSetE = 3235, kSetF = 3236,
              kSetG = 3306, kSetH = 3307;
constexpr int kSignatureSize = 16;

void CopyParts(MemMapConvertIo& io) {
  io.Copy(io.OutR(1), io.InR(1), 0xC040);     // channels and call channels
  io.Copy(io.OutR(4), io.InR(4), 0x1000);     // bitmaps, banks, names, scan edges
  io.Copy(io.OutR(17), io.InR(17), 0x14140);  // repeaters, your calls, history, call lists
}

}  // namespace

bool ConvertImageV1ToV2(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss) {
  if (source.GetSize() < MemMapConvertedSize(1)) return false;
  cmcEeprom out = MemMapBlankImage();
  MemMapConvertIo io(out, 2, source, 1);
  CopyParts(io);
  io.Copy(io.OutR(25), io.InR(25), 0x3140);
  const std::int64_t base = io.OutR(27);
  io.Set(base + kSetA, 1);
  io.Set(base + kSetB, 240);
  io.Set(base + kSetC, 0);
  io.Set(base + kSetF, 0);
  io.Set(base + kSetG, 0);
  io.Set(base + kSetH, 2);
  io.Set(io.OutR(50), 2);
  // The signature sits 32 bytes further on in revision 2.
  const std::int64_t oldSig = MemMapRevisionOf(1).Region(53);
  io.Move(io.OutR(53), oldSig, kSignatureSize);
  io.Fill(oldSig, 0xFF, kSignatureSize);
  newImage = std::move(out);
  return true;
}

bool ConvertImageV2ToV1(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss) {
  if (source.GetSize() < MemMapConvertedSize(2)) return false;
  cmcEeprom out = MemMapBlankImage();
  MemMapConvertIo io(out, 1, source, 2);
  CopyParts(io);
  // Revision 1 has no repeater tone mode 2.
  const MemMapCapacities& caps = io.OutCaps();
  for (int i = 0; i < caps.repeaters; ++i) {
    const std::int64_t a = io.OutR(18) + static_cast<std::int64_t>(kMemMapRepeaterSize) * i + 7;
    const std::uint8_t b = io.Out(a);
    if (((b >> 2) & 3) == 2) {
      io.Set(a, static_cast<std::uint8_t>((b & ~0x0C) | (1 << 2)));
      if (loss) ++loss->toneCodes;
    }
  }
  io.Copy(io.OutR(25), io.InR(25), 0x3140);
  const std::int64_t base = io.OutR(27);
  io.Set(base + kSetA, 0xFF);
  io.Set(base + kSetB, 0xFF);
  io.Set(base + kSetC, 0);
  io.Set(base + kSetF, 0);
  io.Set(base + kSetG, 0);
  io.Set(base + kSetH, 2);
  if (io.Out(base + kSetD) == 3) io.Set(base + kSetD, 2);
  if (io.Out(base + kSetE) == 2) io.Set(base + kSetE, 1);
  io.Set(io.OutR(50), 1);
  const std::int64_t sig = io.OutR(53);
  io.Copy(sig, io.InR(53), kSignatureSize);
  io.Fill(sig + kSignatureSize, 0xFF, kSignatureSize);
  newImage = std::move(out);
  return true;
}
