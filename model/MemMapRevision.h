#pragma once
// The three memory layouts ("layout revisions") the radio has shipped with:
// 1 "1.00 - 1.05", 2 "1.10", 3 "1.20 -". The document is always held in
// revision 3; data files and radios of the older layouts are converted one
// step at a time (model/MemMapConvert.h).
//
// Every revision has its clone ranges, its 11 transfer blocks, its image size
// and a table of 57 region offsets. Region accessors never reach outside the
// image they are given.
#include <array>
#include <cstddef>
#include <cstdint>

#include "model/MemRange.h"

class cmcEeprom;

inline constexpr int kMemMapRegionCount = 57;
// Buffer size used while a data file of still unknown revision is read.
inline constexpr std::int32_t MemMapMaxSize = 267497;  // 0x414E9

// Offsets (from the start of region 27) of the index tables.
struct MemMapIndexTables {
  int rptOrder;        // repeater order: big-endian words
  int rptGroupStarts;  // repeater group starts: big-endian words
  int yourCallOrder;   // bytes (rev 1, 2) or words (rev 3)
  int historyOrder;    // 50 bytes
  int listAbOrder;     // 20 bytes (lists A and B)
  int listCOrder;      // 20 bytes
  int listDOrder;      // 5 bytes
  int gpsOrder;        // bytes or words
  int gpsGroupStarts;  // 27 bytes or words
  int end;             // size of region 27
};

// Pieces of region 29 (common settings): offsets from the region's start.
struct MemMapSettingsPieces {
  int first;  // 180 bytes at 0
  int added;  // settings new in revision 3 (size 0 before)
  int addedSize;
  int second;  // 110 bytes
  int third;   // 420 or 422 bytes
  int thirdSize;
  int gpsRef1;    // byte, GPS group byte, index (byte or word)
  int gpsRef2;    // type byte, GPS group byte, index (byte or word)
  int twoValues;  // two 16-bit values
  int fourth;     // 489 bytes
  int tail;       // not converted
  int tailSize;
  int size;  // size of region 29
};

// Capacities and piece sizes that differ between revisions.
struct MemMapCapacities {
  int repeaters;           // 50-byte records (and packed gateway calls)
  int rptGroups;           // group names / group starts
  int yourCalls;           // call signs and names
  int gpsMemories;         // 34-byte records
  int usedFromBytes;       // USE(FROM) bitmap of region 28
  int region33RecordSize;  // two records in region 33
  bool wideIndexes;        // order tables and GPS indexes as 16-bit words
  MemMapIndexTables tables;
  MemMapSettingsPieces settings;
};

// Record sizes shared by every revision.
inline constexpr int kMemMapRepeaterSize = 50;
inline constexpr int kMemMapGatewaySize = 7;
inline constexpr int kMemMapGroupNameSize = 16;
inline constexpr int kMemMapYourCallSize = 8;
inline constexpr int kMemMapYourNameSize = 16;
inline constexpr int kMemMapGpsSize = 34;
inline constexpr int kMemMapGpsGroupNames = 26;
inline constexpr int kMemMapGpsGroups = 27;

class MemMapRevision {
 public:
  MemMapRevision(int id, std::int32_t lastClone, const MemRangeList& blocks,
                 const std::array<std::int32_t, kMemMapRegionCount>& regions,
                 const MemMapCapacities& capacities);

  int Id() const { return id_; }

  // Clone ranges: inclusive pairs ended by (1, 0).
  const MemRangeList& MemMapRangeList() const { return ranges_; }
  // The same address space cut into the transfer blocks, ended by (1, 0).
  const MemRangeList& MemMapBlockList() const { return blocks_; }
  // The clone ranges again (a second user keeps its own name for them).
  const MemRangeList& MemMapRangeList2() const { return ranges_; }
  std::int32_t MemMapImageSize() const { return 0x40000; }
  std::int32_t LastCloneAddress() const { return lastClone_; }

  // Region offset; 1 for a region outside 0..56 (out untouched), else 0.
  int RegionOffset(int region, std::int32_t* offset) const;
  // Offset of a region without the check (callers pass constants).
  std::int32_t Region(int region) const { return regions_.at(static_cast<std::size_t>(region)); }
  // Distance between two regions' offsets (to - from); 0 for a bad region.
  std::int32_t RegionDistance(int from, int to) const;
  // Pointer to region r inside an image of this revision; null when r is
  // outside 0..56 or the region starts beyond the image.
  std::uint8_t* RegionPtr(cmcEeprom& image, int region) const;
  const std::uint8_t* RegionPtr(const cmcEeprom& image, int region) const;
  // Copies count bytes at (region, offset); 1 for a bad region or a span that
  // leaves the image (nothing copied), else 0.
  int Read(const cmcEeprom& image, int region, std::int64_t offset, void* destination,
           std::int64_t count) const;
  int Write(cmcEeprom& image, int region, std::int64_t offset, const void* source,
            std::int64_t count) const;

  const MemMapCapacities& Capacities() const { return capacities_; }

 private:
  int id_;
  std::int32_t lastClone_;
  MemRangeList ranges_;
  MemRangeList blocks_;
  std::array<std::int32_t, kMemMapRegionCount> regions_;
  MemMapCapacities capacities_;
};

// 0 or above 3 means 3.
int MemMapNormalizeRevision(int id);
const MemMapRevision& MemMapRevisionOf(int id);
// Display order 3, 2, 1: positions 1..3 (anything else gives 3).
int MemMapRevisionAt(int position);
// Position of a revision in that order (1..3).
int MemMapRevisionPos(int id);
// "1.00 - 1.05", "1.10", "1.20 -" (ids outside 1..3: "1.20 -").
const char* MemMapRevisionName(int id);

// The layout byte (region 50) of an image of revision rev; -1 when the image
// is too small to hold it.
int MemMapReadRegion50Byte(const cmcEeprom& image, int rev);
// The 16-byte format signature (region 53); null when the image is too small.
const std::uint8_t* MemMapRegion53Ptr(const cmcEeprom& image, int rev);
