#include "model/MemMapRevision.h"

#include "model/LayoutImage.h"
#include "model/cmcEeprom.h"

namespace {

constexpr std::array<std::int32_t, kMemMapRegionCount> RegionsRev12(std::int32_t region53) {
  return {0x00000, 0x00000, 0x00000, 0x0BF68, 0x0C040, 0x0C040,  0x0C0BE, 0x0C13B,  // 0-7
          0x0C1C0, 0x0C9C0, 0x0C9C0, 0x0C9D0, 0x0CB70, 0x0CC10,  0x0CDC0, 0x0CDC0,  // 8-15
          0x0D018, 0x0D040, 0x0D040, 0x1DD50, 0x1F058, 0x20F66,  0x2102E, 0x210F6,  // 16-23
          0x2115A, 0x21180, 0x22DC0, 0x22DC0, 0x23966, 0x239FC,  0x23EC0, 0x23EC0,  // 24-31
          0x23F26, 0x23F86, 0x240E4, 0x24156, 0x24176, 0x24178,  0x2417A, 0x2417E,  // 32-39
          0x24182, 0x241B6, 0x241B8, 0x241BC, 0x241BE, 0x241C0,  0x241CC, 0x241CE,  // 40-47
          0x241D6, 0x24280, 0x24280, 0x24281, 0x24290, region53, 0x242C0, 0x3FB80,  // 48-55
          0x3FE80};
}

std::array<std::int32_t, kMemMapRegionCount> RegionsRev3() {
  std::array<std::int32_t, kMemMapRegionCount> r{};
  for (size_t i = 0; i < r.size(); ++i)
    r[i] = static_cast<std::int32_t>(layout::kRegionStartRev3[i]);
  return r;
}

// The first five transfer blocks are common to all revisions.
MemRangeList Blocks(std::initializer_list<MemRange> tail) {
  MemRangeList list = {
      {0x0000, 0xC03F}, {0xC040, 0xC1BF}, {0xC1C0, 0xC9BF}, {0xC9C0, 0xCDBF}, {0xCDC0, 0xD03F}};
  list.insert(list.end(), tail.begin(), tail.end());
  list.push_back({1, 0});
  return list;
}

constexpr MemMapIndexTables kTablesRev12 = {0,    2400, 2460, 2660, 2710,
                                            2730, 2750, 2755, 2955, 2982};
constexpr MemMapIndexTables kTablesRev3 = {0, 3000, 3100, 3700, 3750, 3770, 3790, 3795, 4395, 4449};

constexpr MemMapSettingsPieces kSettingsRev12 = {0,   180, 0,   180,  290, 420, 710,
                                                 713, 716, 720, 1209, 11,  1220};
constexpr MemMapSettingsPieces kSettingsRev3 = {0,   180, 20,  200,  310, 422, 732,
                                                736, 740, 744, 1233, 18,  1251};

constexpr MemMapCapacities kCapacitiesRev12 = {1200, 30,    200,          200,           150,
                                               175,  false, kTablesRev12, kSettingsRev12};
constexpr MemMapCapacities kCapacitiesRev3 = {1500, 50,   300,         300,          188,
                                              176,  true, kTablesRev3, kSettingsRev3};

const MemMapRevision& Revision(int id) {
  static const MemMapRevision rev1(1, 0x3FB3F,
                                   Blocks({{0xD040, 0x2117F},
                                           {0x21180, 0x22DBF},
                                           {0x22DC0, 0x23EBF},
                                           {0x23EC0, 0x2427F},
                                           {0x24280, 0x2428F},
                                           {0x24290, 0x3FB3F}}),
                                   RegionsRev12(0x24290), kCapacitiesRev12);
  static const MemMapRevision rev2(2, 0x242BF,
                                   Blocks({{0xD040, 0x2117F},
                                           {0x21180, 0x22DBF},
                                           {0x22DC0, 0x23EBF},
                                           {0x23EC0, 0x2427F},
                                           {0x24280, 0x2428F},
                                           {0x24290, 0x242BF}}),
                                   RegionsRev12(0x242B0), kCapacitiesRev12);
  static const MemMapRevision rev3(3, 0x2A37F,
                                   Blocks({{0xD040, 0x25EFF},
                                           {0x25F00, 0x2887F},
                                           {0x28880, 0x29F7F},
                                           {0x29F80, 0x2A33F},
                                           {0x2A340, 0x2A34F},
                                           {0x2A350, 0x2A37F}}),
                                   RegionsRev3(), kCapacitiesRev3);
  switch (id) {
    case 1: return rev1;
    case 2: return rev2;
    default: return rev3;
  }
}

bool SpanFits(std::int64_t start, std::int64_t count, std::int64_t size) {
  return start >= 0 && count >= 0 && start <= size && count <= size - start;
}

}  // namespace

MemMapRevision::MemMapRevision(int id, std::int32_t lastClone, const MemRangeList& blocks,
                               const std::array<std::int32_t, kMemMapRegionCount>& regions,
                               const MemMapCapacities& capacities)
    : id_(id),
      lastClone_(lastClone),
      ranges_{{0, lastClone}, {1, 0}},
      blocks_(blocks),
      regions_(regions),
      capacities_(capacities) {}

int MemMapRevision::RegionOffset(int region, std::int32_t* offset) const {
  if (region < 0 || region >= kMemMapRegionCount) return 1;
  if (offset) *offset = regions_[static_cast<size_t>(region)];
  return 0;
}

std::int32_t MemMapRevision::RegionDistance(int from, int to) const {
  std::int32_t a = 0, b = 0;
  if (RegionOffset(from, &a) != 0 || RegionOffset(to, &b) != 0) return 0;
  return b - a;
}

std::uint8_t* MemMapRevision::RegionPtr(cmcEeprom& image, int region) const {
  std::int32_t offset = 0;
  if (RegionOffset(region, &offset) != 0 || !image.Data() || offset >= image.GetSize())
    return nullptr;
  return image.Data() + offset;
}

const std::uint8_t* MemMapRevision::RegionPtr(const cmcEeprom& image, int region) const {
  std::int32_t offset = 0;
  if (RegionOffset(region, &offset) != 0 || !image.Data() || offset >= image.GetSize())
    return nullptr;
  return image.Data() + offset;
}

int MemMapRevision::Read(const cmcEeprom& image, int region, std::int64_t offset, void* destination,
                         std::int64_t count) const {
  std::int32_t start = 0;
  if (RegionOffset(region, &start) != 0 || offset < 0) return 1;
  if (!SpanFits(start + offset, count, image.GetSize())) return 1;
  if (count > 0) image.GetBlock(start + offset, destination, count);
  return 0;
}

int MemMapRevision::Write(cmcEeprom& image, int region, std::int64_t offset, const void* source,
                          std::int64_t count) const {
  std::int32_t start = 0;
  if (RegionOffset(region, &start) != 0 || offset < 0) return 1;
  if (!SpanFits(start + offset, count, image.GetSize())) return 1;
  if (count > 0) image.SetBlock(start + offset, source, count);
  return 0;
}

int MemMapNormalizeRevision(int id) { return (id >= 1 && id <= 3) ? id : 3; }

const MemMapRevision& MemMapRevisionOf(int id) { return Revision(MemMapNormalizeRevision(id)); }

int MemMapRevisionAt(int position) {
  if (position == 2) return 2;
  if (position == 3) return 1;
  return 3;
}

int MemMapRevisionPos(int id) {
  switch (MemMapNormalizeRevision(id)) {
    case 1: return 3;
    case 2: return 2;
    default: return 1;
  }
}

const char* MemMapRevisionName(int id) {
  switch (id) {
    case 1: return "1.00 - 1.05";
    case 2: return "1.10";
    default: return "1.20 -";
  }
}

int MemMapReadRegion50Byte(const cmcEeprom& image, int rev) {
  std::uint8_t value = 0;
  if (MemMapRevisionOf(rev).Read(image, 50, 0, &value, 1) != 0) return -1;
  return value;
}

const std::uint8_t* MemMapRegion53Ptr(const cmcEeprom& image, int rev) {
  const MemMapRevision& r = MemMapRevisionOf(rev);
  const std::int32_t start = r.Region(53);
  if (!SpanFits(start, 16, image.GetSize())) return nullptr;
  return image.Data() + start;
}
