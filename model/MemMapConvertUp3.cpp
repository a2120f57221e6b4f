// Revision 2 -> 3: the revision-3 layout is walked piece by piece, each
// revision-2 piece copied to the start of its larger revision-3 place; new
// capacity stays 0xFF unless a rule below fills it.
#include "model/MemMapConvert.h"
#include "model/MemMapConvertIo.h"

namespace {

// A byte-wide index (255 none) as a big-endian word (0xFFFF none).
unsigned Widen(std::uint8_t b) { return b == 0xFF ? 0xFFFF : b; }

void WidenTable(MemMapConvertIo& io, std::int64_t to, std::int64_t from, int count) {
  for (int i = 0; i < count; ++i) io.Set16(to + 2 * i, Widen(io.In(from + i)));
}

void RepeaterList(MemMapConvertIo& io) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapCapacities& dst = io.OutCaps();
  const std::int64_t in = io.InR(18), out = io.OutR(18);
  const std::int64_t inGw = in + std::int64_t{kMemMapRepeaterSize} * src.repeaters;
  const std::int64_t outGw = out + std::int64_t{kMemMapRepeaterSize} * dst.repeaters;
  const std::int64_t inNames = inGw + std::int64_t{kMemMapGatewaySize} * src.repeaters;
  const std::int64_t outNames = outGw + std::int64_t{kMemMapGatewaySize} * dst.repeaters;
  io.Copy(out, in, std::int64_t{kMemMapRepeaterSize} * src.repeaters);
  io.Copy(outGw, inGw, std::int64_t{kMemMapGatewaySize} * src.repeaters);
  io.Copy(outNames, inNames, std::int64_t{kMemMapGroupNameSize} * src.rptGroups);
  io.Fill(outNames + std::int64_t{kMemMapGroupNameSize} * src.rptGroups, ' ',
          std::int64_t{kMemMapGroupNameSize} * (dst.rptGroups - src.rptGroups));
}

void YourCalls(MemMapConvertIo& io) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapCapacities& dst = io.OutCaps();
  const std::int64_t in = io.InR(19), out = io.OutR(19);
  constexpr int kSettings = 72;
  io.Copy(out, in, kSettings);
  io.Copy(out + kSettings, in + kSettings, std::int64_t{kMemMapYourCallSize} * src.yourCalls);
  io.Copy(out + kSettings + std::int64_t{kMemMapYourCallSize} * dst.yourCalls,
          in + kSettings + std::int64_t{kMemMapYourCallSize} * src.yourCalls,
          std::int64_t{kMemMapYourNameSize} * src.yourCalls);
}

void IndexTables(MemMapConvertIo& io, MemMapLoss* loss) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapIndexTables& ti = src.tables;
  const MemMapIndexTables& to = io.OutCaps().tables;
  const std::int64_t in = io.InR(27), out = io.OutR(27);
  io.Copy(out + to.rptOrder, in + ti.rptOrder, 2 * src.repeaters);
  // A group start past the revision-2 list names no repeater there.
  for (int g = 0; g < src.rptGroups; ++g) {
    const unsigned start = io.In16(in + ti.rptGroupStarts + 2 * g);
    const bool keep = start < static_cast<unsigned>(src.repeaters);
    io.Set16(out + to.rptGroupStarts + 2 * g, keep ? start : 0xFFFF);
    if (!keep && start != 0xFFFF && loss) ++loss->groups;
  }
  WidenTable(io, out + to.yourCallOrder, in + ti.yourCallOrder, src.yourCalls);
  // History and call-list order tables lie back to back in both layouts.
  io.Copy(out + to.historyOrder, in + ti.historyOrder, ti.gpsOrder - ti.historyOrder);
  WidenTable(io, out + to.gpsOrder, in + ti.gpsOrder, src.gpsMemories);
  WidenTable(io, out + to.gpsGroupStarts, in + ti.gpsGroupStarts, kMemMapGpsGroups);
}

void CommonSettings(MemMapConvertIo& io) {
  const MemMapSettingsPieces& pi = io.InCaps().settings;
  const MemMapSettingsPieces& po = io.OutCaps().settings;
  const std::int64_t in = io.InR(29), out = io.OutR(29);
  io.Copy(out + po.first, in + pi.first, pi.added);
  static constexpr std::uint8_t kNewSettings[] = {0, 0, 0, 0, 0, 0, 3, 18, 0, 6, 0};
  for (size_t i = 0; i < sizeof kNewSettings; ++i)
    io.Set(out + po.added + static_cast<std::int64_t>(i), kNewSettings[i]);
  io.Copy(out + po.second, in + pi.second, pi.third - pi.second);
  io.Copy(out + po.third, in + pi.third, pi.thirdSize);
  io.Fill(out + po.third + 405, 0, 6);
  io.Fill(out + po.third + pi.thirdSize, 0, po.thirdSize - pi.thirdSize);
  for (const auto& [from, to] :
       {std::pair{pi.gpsRef1, po.gpsRef1}, std::pair{pi.gpsRef2, po.gpsRef2}}) {
    io.Copy(out + to, in + from, 2);
    io.Set16(out + to + 2, Widen(io.In(in + from + 2)));
  }
  io.Copy(out + po.twoValues, in + pi.twoValues, 4);
  io.Copy(out + po.fourth, in + pi.fourth, pi.tail - pi.fourth);
}

void SetModeRegions(MemMapConvertIo& io) {
  io.Copy(io.OutR(31), io.InR(31), io.InR(33) - io.InR(31));
  const int inSize = io.InCaps().region33RecordSize;
  const int outSize = io.OutCaps().region33RecordSize;
  constexpr int kIndex = 74;
  for (int r = 0; r < 2; ++r) {
    const std::int64_t in = io.InR(33) + std::int64_t{inSize} * r;
    const std::int64_t out = io.OutR(33) + std::int64_t{outSize} * r;
    io.Copy(out, in, kIndex);
    io.Set16(out + kIndex, Widen(io.In(in + kIndex)));
    io.Copy(out + kIndex + 2, in + kIndex + 1, inSize - kIndex - 1);
  }
  io.Copy(io.OutR(34), io.InR(34), io.InR(35) - io.InR(34));
  constexpr int kBlock = 0xA8;
  io.Copy(io.OutR(35), io.InR(35), kBlock);
  io.Fill(io.OutR(35) + kBlock, 0, 3);
}

}  // namespace

bool ConvertImageV2ToV3(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* loss) {
  if (source.GetSize() < MemMapConvertedSize(2)) return false;
  cmcEeprom out = MemMapBlankImage();
  MemMapConvertIo io(out, 3, source, 2);
  io.Copy(io.OutR(1), io.InR(1), 0xC040);
  io.Copy(io.OutR(4), io.InR(4), 0x1000);

  RepeaterList(io);
  YourCalls(io);
  io.Copy(io.OutR(20), io.InR(20), io.InR(24) - io.InR(20));  // regions 20..23
  io.Copy(io.OutR(24), io.InR(24), 2);
  const int gps = io.InCaps().gpsMemories;
  io.Copy(io.OutR(25), io.InR(25), std::int64_t{kMemMapGpsSize} * gps);
  io.Copy(io.OutR(25) + std::int64_t{kMemMapGpsSize} * io.OutCaps().gpsMemories,
          io.InR(25) + std::int64_t{kMemMapGpsSize} * gps,
          std::int64_t{kMemMapGroupNameSize} * kMemMapGpsGroupNames);
  IndexTables(io, loss);
  io.Fill(io.OutR(28), 0, io.OutCaps().usedFromBytes);
  io.Copy(io.OutR(28), io.InR(28), io.InCaps().usedFromBytes);
  CommonSettings(io);
  SetModeRegions(io);
  io.Copy(io.OutR(50), io.InR(50), 16);
  io.Set(io.OutR(50), 3);
  io.Copy(io.OutR(52), io.InR(52), 0x30);
  newImage = std::move(out);
  return true;
}
