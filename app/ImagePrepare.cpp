// The list passes of loading and writing: order tables and group starts as
// stored in data files and in the radio, against the packed lists and counts
// the program edits.
#include <cstring>
#include <string>
#include <unordered_map>

#include "app/ImagePasses.h"
#include "model/CallSignPack.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"

using namespace layout;
using imageaccess::Get16;
using imageaccess::Set16;

namespace imagepass {
namespace {

constexpr std::uint32_t kNoWord = 65535;  // repeater word: no gateway reference

std::int64_t WordAt(std::int64_t table, int p) { return table + 2 * static_cast<std::int64_t>(p); }

std::int64_t GatewayAt(int i) {
  return kRptGatewayCalls + static_cast<std::int64_t>(kPackedCallSize) * i;
}

// Entries before the first 0xFFFF, at most `capacity`.
int UsedLength(const cmcEeprom& image, std::int64_t table, int capacity) {
  int n = 0;
  while (n < capacity && Get16(image, WordAt(table, n)) != kOrderWordNone) ++n;
  return n;
}

void SetCountsFromOrderTables(cmcEeprom& image) {
  int length = UsedLength(image, kRptOrderTable, kRptCapacity);
  for (int g = 0; g < kRptGroups; ++g) SetRptGroupCount(image, g, 0);
  for (int g = kRptGroups - 1; g >= 0; --g) {
    const int start = Get16(image, WordAt(kRptGroupStarts, g));
    if (start >= kRptCapacity) continue;
    // A start past the entries left belongs to a damaged table: the group
    // gets nothing rather than a count that wraps.
    if (start > length) continue;
    SetRptGroupCount(image, g, length - start);
    length = start;
  }
  SetYourCallCount(image, UsedLength(image, kUrOrderTable, kUrCapacity));
}

void PutRepeatersInOrder(cmcEeprom& image, cmcEeprom& copy) {
  datCh record;
  std::uint8_t blankGateway[kPackedCallSize];
  datText<8> blanks;
  SetText(blanks, "");
  callsign::PackText7(blanks.data(), blankGateway);

  for (int p = 0; p < kRptCapacity; ++p) {
    const int entry = Get16(copy, WordAt(kRptOrderTable, p));
    std::uint32_t word = kNoWord;
    if (entry < kRptCapacity) {
      record.SetImage(&copy);
      record.Load(itemkind::kRepeater, static_cast<std::uint32_t>(entry));
      word = record.rptWord;
    } else {
      record.SetImage(&image);
      record.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(p));
    }
    record.SetImage(&image);
    // A record decoded from an image always encodes again.
    record.Store(itemkind::kRepeater, static_cast<std::uint32_t>(p));
    std::uint8_t gateway[kPackedCallSize];
    if (word < static_cast<std::uint32_t>(kRptCapacity))
      copy.GetBlock(GatewayAt(static_cast<int>(word)), gateway, kPackedCallSize);
    else
      std::memcpy(gateway, blankGateway, kPackedCallSize);
    image.SetBlock(GatewayAt(p), gateway, kPackedCallSize);
  }
}

void PutYourCallsInOrder(cmcEeprom& image, cmcEeprom& copy) {
  datCh record;
  for (int p = 0; p < kUrCapacity; ++p) {
    const int entry = Get16(copy, WordAt(kUrOrderTable, p));
    if (entry < kUrCapacity) {
      record.SetImage(&copy);
      record.Load(itemkind::kYourCall, static_cast<std::uint32_t>(entry));
    } else {
      record.SetImage(&image);
      record.Load(itemkind::kBlankYourCall, static_cast<std::uint32_t>(p));
    }
    record.SetImage(&image);
    record.Store(itemkind::kYourCall, static_cast<std::uint32_t>(p));
  }
}

}  // namespace

void PrepareImage(cmcEeprom& image, const indDestination& destination) {
  ScopedDestination scope{destination};
  SetCountsFromOrderTables(image);
  cmcEeprom copy = image;
  PutRepeatersInOrder(image, copy);
  PutYourCallsInOrder(image, copy);
}

void PrepareWriteImage(cmcEeprom& image) {
  for (int g = 0; g < kRptGroups; ++g)
    Set16(image, WordAt(kRptGroupStarts, g),
          GetRptGroupCount(image, g) > 0 ? static_cast<std::uint32_t>(GetRptGroupFirst(image, g))
                                         : kOrderWordNone);
  const int repeaters = GetRptTotalCount(image);
  for (int p = 0; p < kRptCapacity; ++p)
    Set16(image, WordAt(kRptOrderTable, p),
          p < repeaters ? static_cast<std::uint32_t>(p) : kOrderWordNone);

  // Each gateway call once: the first repeater that has it keeps it, later
  // ones point at that repeater.
  std::unordered_map<std::string, std::uint32_t> firstWithGateway;
  datCh record(&image);
  for (int i = 0; i < kRptCapacity; ++i) {
    record.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    if (IsBlankText(record.gwCall)) {
      record.rptWord = kNoWord;
    } else {
      const auto [it, first] = firstWithGateway.try_emplace(
          std::string(record.gwCall.data(), record.gwCall.size()), static_cast<std::uint32_t>(i));
      record.rptWord = it->second;
      if (!first) SetText(record.gwCall, "");
    }
    record.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }

  const int yourCalls = GetYourCallCount(image);
  for (int p = 0; p < kUrCapacity; ++p)
    Set16(image, WordAt(kUrOrderTable, p),
          p < yourCalls ? static_cast<std::uint32_t>(p) : kOrderWordNone);
}

}  // namespace imagepass
