// Revision 3 -> 2: the revision-2 layout is walked piece by piece and only the
// entries that fit its capacities are kept. What is dropped is counted in the
// loss report; nothing is read beyond a table's own entries.
#include <algorithm>

#include "model/CallSignPack.h"
#include "model/MemMapConvert.h"
#include "model/MemMapConvertIo.h"

namespace {

constexpr unsigned kNone16 = 0xFFFF;
constexpr int kChannels = 1000;
constexpr int kCallChannels = 4;
constexpr int kChannelSize = 49;
constexpr int kToneByte = 10;  // channel byte holding the tone mode in bits 7-4

// Used length of the repeater order table: the entries before the first 0xFFFF.
int RptOrderLength(const MemMapConvertIo& io) {
  const MemMapCapacities& src = io.InCaps();
  const std::int64_t table = io.InR(27) + src.tables.rptOrder;
  int n = 0;
  while (n < src.repeaters && io.In16(table + 2 * n) != kNone16) ++n;
  return n;
}

void Channels(MemMapConvertIo& io, MemMapLoss& loss) {
  const std::int64_t emptyMap = io.InR(5);
  for (int n = 0; n < kChannels + kCallChannels; ++n) {
    const std::int64_t at = n < kChannels
                                ? std::int64_t{kChannelSize} * n
                                : io.InR(3) + std::int64_t{kChannelSize} * (n - kChannels);
    io.Copy(at, at, kChannelSize);
    const int bit = n < kChannels ? n : n + 1;
    const bool used = ((io.In(emptyMap + bit / 8) >> (bit % 8)) & 1) == 0;
    const std::uint8_t tone = io.In(at + kToneByte);
    if (used && (tone >> 4) > 7) {
      io.Set(at + kToneByte, tone & 0x0F);
      ++loss.toneCodes;
    }
  }
}

// Repeater records, gateway calls, group names, USE(FROM) and the order and
// group-start tables. Repeaters of the dropped groups 30..49 that lie below
// 1200 would otherwise join the last kept group: the list is cut before the
// first of them.
int Repeaters(MemMapConvertIo& io, MemMapLoss& loss) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapCapacities& dst = io.OutCaps();
  const std::int64_t inTables = io.InR(27), outTables = io.OutR(27);
  const int used = RptOrderLength(io);
  int kept = std::min(dst.repeaters, used);
  for (int g = dst.rptGroups; g < src.rptGroups; ++g) {
    const int start = static_cast<int>(io.In16(inTables + src.tables.rptGroupStarts + 2 * g));
    if (start < src.repeaters) {
      kept = std::min(kept, start);
      ++loss.groups;
    }
  }
  loss.repeaters += used - kept;

  for (int p = 0; p < dst.repeaters; ++p) {
    const unsigned entry = p < kept ? io.In16(inTables + src.tables.rptOrder + 2 * p) : kNone16;
    io.Set16(outTables + dst.tables.rptOrder + 2 * p, entry);
  }
  for (int g = 0; g < dst.rptGroups; ++g) {
    const unsigned start = io.In16(inTables + src.tables.rptGroupStarts + 2 * g);
    const bool keep = start < static_cast<unsigned>(kept);
    io.Set16(outTables + dst.tables.rptGroupStarts + 2 * g, keep ? start : kNone16);
    if (!keep && start < static_cast<unsigned>(src.repeaters)) ++loss.groups;
  }

  const std::int64_t in = io.InR(18), out = io.OutR(18);
  const std::int64_t inGw = in + std::int64_t{kMemMapRepeaterSize} * src.repeaters;
  const std::int64_t outGw = out + std::int64_t{kMemMapRepeaterSize} * dst.repeaters;
  const std::int64_t inUse = io.InR(28), outUse = io.OutR(28);
  std::uint8_t blanks[kMemMapGatewaySize];
  callsign::PackText7("        ", blanks);
  for (int i = 0; i < dst.repeaters; ++i) {
    const std::int64_t rec = std::int64_t{kMemMapRepeaterSize} * i;
    io.Copy(out + rec, in + rec, kMemMapRepeaterSize);
    const bool listed = io.Out(outTables + dst.tables.rptOrder + 2 * i) != 0xFF ||
                        io.Out(outTables + dst.tables.rptOrder + 2 * i + 1) != 0xFF;
    const bool useFrom = listed && ((io.In(inUse + i / 8) >> (i % 8)) & 1);
    const std::int64_t useByte = outUse + i / 8;
    const std::uint8_t mask = static_cast<std::uint8_t>(1u << (i % 8));
    io.Set(useByte, useFrom ? (io.Out(useByte) | mask) : (io.Out(useByte) & ~mask));
    // Revision 2 keeps every gateway call in its own record: a reference to
    // another repeater's call is resolved here.
    const unsigned word = io.In16(in + rec + 5);
    const std::int64_t gw = outGw + std::int64_t{kMemMapGatewaySize} * i;
    if (word == kNone16) {
      io.Copy(gw, inGw + std::int64_t{kMemMapGatewaySize} * i, kMemMapGatewaySize);
    } else if (word >= static_cast<unsigned>(src.repeaters)) {
      for (int k = 0; k < kMemMapGatewaySize; ++k) io.Set(gw + k, blanks[k]);
      io.Set16(out + rec + 5, kNone16);
    } else {
      io.Copy(gw, inGw + std::int64_t{kMemMapGatewaySize} * word, kMemMapGatewaySize);
      io.Set16(out + rec + 5, static_cast<unsigned>(i));
    }
  }
  const std::int64_t inNames = inGw + std::int64_t{kMemMapGatewaySize} * src.repeaters;
  const std::int64_t outNames = outGw + std::int64_t{kMemMapGatewaySize} * dst.repeaters;
  io.Copy(outNames, inNames, std::int64_t{kMemMapGroupNameSize} * dst.rptGroups);
  return kept;
}

// A word-wide order table as bytes: a word below the limit stays, any other
// becomes 255. Returns how many entries named something that is lost.
int NarrowTable(MemMapConvertIo& io, std::int64_t to, std::int64_t from, int count,
                unsigned limit) {
  int lost = 0;
  for (int i = 0; i < count; ++i) {
    const unsigned w = io.In16(from + 2 * i);
    io.Set(to + i, w < limit ? static_cast<std::uint8_t>(w) : 0xFF);
    if (w >= limit && w != kNone16) ++lost;
  }
  return lost;
}

void YourCalls(MemMapConvertIo& io, MemMapLoss& loss) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapCapacities& dst = io.OutCaps();
  const std::int64_t in = io.InR(19), out = io.OutR(19);
  constexpr int kSettings = 72;
  io.Copy(out, in, kSettings);
  io.Copy(out + kSettings, in + kSettings, std::int64_t{kMemMapYourCallSize} * dst.yourCalls);
  io.Copy(out + kSettings + std::int64_t{kMemMapYourCallSize} * dst.yourCalls,
          in + kSettings + std::int64_t{kMemMapYourCallSize} * src.yourCalls,
          std::int64_t{kMemMapYourNameSize} * dst.yourCalls);
  const std::int64_t inOrder = io.InR(27) + src.tables.yourCallOrder;
  const std::int64_t outOrder = io.OutR(27) + dst.tables.yourCallOrder;
  loss.yourCalls +=
      NarrowTable(io, outOrder, inOrder, dst.yourCalls, static_cast<unsigned>(dst.yourCalls));
  for (int p = dst.yourCalls; p < src.yourCalls; ++p)
    if (io.In16(inOrder + 2 * p) != kNone16) ++loss.yourCalls;
}

// GPS memories are stored packed in list order: positions stay, slots change.
// Returns the number kept.
int GpsMemories(MemMapConvertIo& io, MemMapLoss& loss) {
  const MemMapCapacities& src = io.InCaps();
  const MemMapCapacities& dst = io.OutCaps();
  const std::int64_t inOrder = io.InR(27) + src.tables.gpsOrder;
  const std::int64_t outOrder = io.OutR(27) + dst.tables.gpsOrder;
  int listed = 0;
  while (listed < src.gpsMemories &&
         io.In16(inOrder + 2 * listed) < static_cast<unsigned>(src.gpsMemories))
    ++listed;
  const int kept = std::min(listed, dst.gpsMemories);
  loss.gpsMemories += listed - kept;
  for (int p = 0; p < kept; ++p) {
    const unsigned slot = io.In16(inOrder + 2 * p);
    io.Copy(io.OutR(25) + std::int64_t{kMemMapGpsSize} * p,
            io.InR(25) + std::int64_t{kMemMapGpsSize} * slot, kMemMapGpsSize);
    io.Set(outOrder + p, static_cast<std::uint8_t>(p));
  }
  io.Fill(outOrder + kept, 0xFF, dst.gpsMemories - kept);
  io.Copy(io.OutR(25) + std::int64_t{kMemMapGpsSize} * dst.gpsMemories,
          io.InR(25) + std::int64_t{kMemMapGpsSize} * src.gpsMemories,
          std::int64_t{kMemMapGroupNameSize} * kMemMapGpsGroupNames);
  const std::int64_t inStarts = io.InR(27) + src.tables.gpsGroupStarts;
  const std::int64_t outStarts = io.OutR(27) + dst.tables.gpsGroupStarts;
  for (int g = 0; g < kMemMapGpsGroups; ++g) {
    const unsigned start = io.In16(inStarts + 2 * g);
    io.Set(outStarts + g,
           start < static_cast<unsigned>(kept) ? static_cast<std::uint8_t>(start) : 0xFF);
  }
  return kept;
}

void CommonSettings(MemMapConvertIo& io, MemMapLoss& loss) {
  const MemMapSettingsPieces& pi = io.InCaps().settings;
  const MemMapSettingsPieces& po = io.OutCaps().settings;
  const std::int64_t in = io.InR(29), out = io.OutR(29);
  io.Copy(out + po.first, in + pi.first, po.added);
  constexpr int kCountedByte = 104;
  constexpr int kSelectedRepeater = 151;
  const std::uint8_t counted = io.In(in + kCountedByte);
  if (counted != 0) io.Set(out + kCountedByte, static_cast<std::uint8_t>(counted - 1));
  const unsigned selected = io.In16(in + kSelectedRepeater);
  if (selected >= static_cast<unsigned>(io.OutCaps().repeaters)) {
    io.Set16(out + kSelectedRepeater, kNone16);
    if (selected != kNone16) ++loss.references;
  }
  io.Copy(out + po.second, in + pi.second, po.third - po.second);
  io.Copy(out + po.third, in + pi.third, po.thirdSize);
  io.Fill(out + po.third + 405, 0, 6);

  // GPS memory references: (type, group, index within the group). A
  // position the older layout cannot hold is emptied. A group byte of 27 or
  // more has no start to look up: the reference keeps its two bytes and
  // loses its index (the second one is emptied when it names a memory).
  const std::int64_t starts = io.InR(27) + io.InCaps().tables.gpsGroupStarts;
  const unsigned limit = static_cast<unsigned>(io.OutCaps().gpsMemories);
  auto position = [&](std::uint8_t group, unsigned index) -> long {
    return static_cast<long>(io.In16(starts + 2 * group)) + static_cast<long>(index);
  };
  {
    const std::int64_t from = in + pi.gpsRef1, to = out + po.gpsRef1;
    const std::uint8_t group = io.In(from + 1);
    const unsigned index = io.In16(from + 2);
    io.Copy(to, from, 2);
    if (group >= kMemMapGpsGroups) {
      io.Set(to + 2, 0xFF);
    } else if (position(group, index) >= limit) {
      io.Set(to, 0);
      io.Set(to + 1, 0xFF);
      io.Set(to + 2, 0xFF);
      if (index != kNone16 && io.In16(starts + 2 * group) != kNone16) ++loss.references;
    } else {
      io.Set(to + 2, static_cast<std::uint8_t>(index));
    }
  }
  {
    const std::int64_t from = in + pi.gpsRef2, to = out + po.gpsRef2;
    constexpr std::uint8_t kThisMemory = 3;
    const std::uint8_t type = io.In(from);
    const std::uint8_t group = io.In(from + 1);
    const unsigned index = io.In16(from + 2);
    io.Copy(to, from, 2);
    io.Set(to + 2, static_cast<std::uint8_t>(index));
    if (type == kThisMemory && (group >= kMemMapGpsGroups || position(group, index) >= limit)) {
      io.Fill(to, 0, 3);
      if (index != kNone16) ++loss.references;
    }
  }
  io.Copy(out + po.twoValues, in + pi.twoValues, 4);
  io.Copy(out + po.fourth, in + pi.fourth, po.tail - po.fourth);
}

// Bits 3-0 of byte 14 of the region-31 and region-34 records: revision 2
// knows codes 0..7 only.
void ResetToneCodes(MemMapConvertIo& io, std::int64_t at, int records, int size, MemMapLoss& loss) {
  constexpr int kCodeByte = 14;
  for (int r = 0; r < records; ++r) {
    const std::int64_t a = at + std::int64_t{size} * r + kCodeByte;
    const std::uint8_t b = io.Out(a);
    if ((b & 0x0F) > 7) {
      io.Set(a, b & 0xF0);
      ++loss.toneCodes;
    }
  }
}

void SetModeRegions(MemMapConvertIo& io, MemMapLoss& loss) {
  constexpr int kRegion31Records = 6, kRegion31Size = 17;
  constexpr int kRegion34Records = 2, kRegion34Size = 57;
  io.Copy(io.OutR(31), io.InR(31), io.OutR(33) - io.OutR(31));  // regions 31 and 32
  ResetToneCodes(io, io.OutR(31), kRegion31Records, kRegion31Size, loss);
  const int inSize = io.InCaps().region33RecordSize;
  const int outSize = io.OutCaps().region33RecordSize;
  constexpr int kIndex = 74;
  const unsigned limit = static_cast<unsigned>(io.OutCaps().gpsMemories);
  for (int r = 0; r < 2; ++r) {
    const std::int64_t in = io.InR(33) + std::int64_t{inSize} * r;
    const std::int64_t out = io.OutR(33) + std::int64_t{outSize} * r;
    io.Copy(out, in, kIndex);
    const unsigned index = io.In16(in + kIndex);
    io.Set(out + kIndex, index < limit ? static_cast<std::uint8_t>(index) : 0xFF);
    if (index >= limit && index != kNone16) ++loss.references;
    io.Copy(out + kIndex + 1, in + kIndex + 2, outSize - kIndex - 1);
  }
  io.Copy(io.OutR(34), io.InR(34), std::int64_t{kRegion34Records} * kRegion34Size);
  ResetToneCodes(io, io.OutR(34), kRegion34Records, kRegion34Size, loss);
  constexpr int kBlock = 0xA8;
  io.Copy(io.OutR(35), io.InR(35), kBlock);
  io.Fill(io.OutR(35) + kBlock, 0, 3);
}

}  // namespace

bool ConvertImageV3ToV2(cmcEeprom& newImage, const cmcEeprom& source, MemMapLoss* lossOut) {
  if (source.GetSize() < MemMapConvertedSize(3)) return false;
  MemMapLoss loss;
  cmcEeprom out = MemMapBlankImage();
  MemMapConvertIo io(out, 2, source, 3);
  Channels(io, loss);
  io.Copy(io.OutR(4), io.InR(4), 0x1000);

  Repeaters(io, loss);  // also the USE(FROM) bitmap, whose 150 bytes it covers bit by bit
  YourCalls(io, loss);
  GpsMemories(io, loss);
  // Regions 20..23 and the first 2 bytes of region 24, at their revision-2 sizes.
  io.Copy(io.OutR(20), io.InR(20), io.OutR(24) - io.OutR(20));
  io.Copy(io.OutR(24), io.InR(24), 2);
  const MemMapIndexTables& ti = io.InCaps().tables;
  const MemMapIndexTables& to = io.OutCaps().tables;
  io.Copy(io.OutR(27) + to.historyOrder, io.InR(27) + ti.historyOrder,
          to.gpsOrder - to.historyOrder);
  CommonSettings(io, loss);
  SetModeRegions(io, loss);
  io.Copy(io.OutR(50), io.InR(50), 16);
  io.Set(io.OutR(50), 2);
  io.Copy(io.OutR(52), io.InR(52), 0x30);
  newImage = std::move(out);
  if (lossOut) *lossOut += loss;
  return true;
}
