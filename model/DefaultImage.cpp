// Generating a default image: table rows first, then every list record through
// the item-record codec, on a full-size work image whose software area holds
// the band defaults the channel templates are made from.
#include "model/DefaultImage.h"

#include <QString>

#include "model/BandDefaults.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/Fatal.h"

namespace {

constexpr int kRepeaters = 1500;
constexpr int kYourCalls = 300;
constexpr int kGpsSlots = 300;

[[noreturn]] void Fail(const char* what, int destination) {
  platform::Fatal(
      QStringLiteral("Default image %1: %2").arg(destination).arg(QString::fromLatin1(what)));
}

void StoreAll(datCh record, std::uint32_t kind, int count, int destination) {
  for (int i = 0; i < count; ++i) {
    datCh copy(record);
    if (!copy.Store(kind, static_cast<std::uint32_t>(i)))
      Fail("a template record does not encode", destination);
  }
}

}  // namespace

cmcEeprom BuildDefaultImage(int destination) {
  if (destination < 0 || destination >= kDefaultImageCount) destination = 0;
  // The blank records read the destination in force; the caller's comes back
  // when the scope ends.
  ScopedDestination scope{indDestination(destination)};

  cmcEeprom work;
  work.SetSize(layout::kImageSize);
  work.Fill(0xFF);
  if (!WriteBandDefaults(work, destination)) Fail("no band defaults", destination);
  std::uint8_t bandDefaults[layout::kBandDefaultBytes];
  work.GetBlock(layout::kBandDefaults, bandDefaults, layout::kBandDefaultBytes);

  for (const DefaultImageSetting& row : DefaultImageSettings()) {
    if (((row.destinations >> destination) & 1) == 0) continue;
    if (row.bandDefaults)
      work.SetBlock(row.offset, bandDefaults, layout::kBandDefaultBytes);
    else
      work.SetBlock(row.offset, row.value.data(), row.width);
  }
  // Empty lists: no repeater in any group, no your-call entry.
  for (std::int64_t a = layout::kRptGroupCounts; a <= layout::kYourCallCount + 1; ++a)
    work.SetByte(a, 0);

  datCh channel(&work);
  channel.Load(itemkind::kBandDefault, 1);
  channel.flags &= ~datCh::kUsed;
  StoreAll(channel, itemkind::kChannel, layout::kAllChannels, destination);

  datCh edge(&work);
  edge.flags = 0;
  StoreAll(edge, itemkind::kScanEdge, layout::kScanEdges, destination);

  for (int i = 0; i < kRepeaters; ++i) {
    datCh repeater(&work);
    repeater.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    if (!repeater.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)))
      Fail("blank repeater", destination);
  }
  datCh yourCall(&work);
  yourCall.Load(itemkind::kBlankYourCall, 0);
  StoreAll(yourCall, itemkind::kYourCall, kYourCalls, destination);

  // GPS slots are reached through the order table: name every slot for the
  // stores, then empty the table again.
  std::uint8_t order[2 * kGpsSlots];
  work.GetBlock(layout::kGpsOrderTable, order, sizeof order);
  for (int p = 0; p < kGpsSlots; ++p) {
    work.SetByte(layout::kGpsOrderTable + 2 * p, static_cast<std::uint8_t>(p >> 8));
    work.SetByte(layout::kGpsOrderTable + 2 * p + 1, static_cast<std::uint8_t>(p));
  }
  for (int p = 0; p < kGpsSlots; ++p) {
    datCh gps(&work);
    gps.Load(itemkind::kBlankGpsNoDate, static_cast<std::uint32_t>(p));
    gps.flags |= datCh::kUsed;
    if (!gps.Store(itemkind::kGpsMemory, static_cast<std::uint32_t>(p)))
      Fail("blank GPS memory", destination);
  }
  work.SetBlock(layout::kGpsOrderTable, order, sizeof order);

  cmcEeprom image;
  image.SetSize(kDefaultImageSize);
  image.SetBlock(0, work.Data(), kDefaultImageSize);
  return image;
}
