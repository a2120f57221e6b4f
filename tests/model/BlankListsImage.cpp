#include "BlankListsImage.h"

#include <cstring>

#include "model/BandDefaults.h"
#include "model/BankTable.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace kwtest {

cmcEeprom MakeBlankListsImage(int destination) {
  using namespace layout;
  ScopedDestination scope{indDestination(destination)};
  cmcEeprom image;
  image.SetSize(kImageSize);

  datCh r(&image);
  for (int n = 0; n < kAllChannels; ++n) {
    r.Clear();
    r.flags = 0;
    r.Store(itemkind::kChannel, static_cast<std::uint32_t>(n));
  }
  for (int n = 0; n < kScanEdges; ++n) {
    r.Clear();
    r.flags = 0;
    r.Store(itemkind::kScanEdge, static_cast<std::uint32_t>(n));
  }
  for (int i = 0; i < kRptCapacity; ++i) {
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  }
  for (int i = 0; i < kUrCapacity; ++i) {
    r.Load(itemkind::kBlankYourCall, 0);
    r.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i));
  }
  for (int i = 0; i < kRptCapacity; ++i)
    imageaccess::Set16(image, kRptOrderTable + 2 * i, kOrderWordNone);
  for (int g = 0; g < kRptGroups; ++g) {
    imageaccess::Set16(image, kRptGroupStarts + 2 * g, kOrderWordNone);
    SetRptGroupCount(image, g, 0);
  }
  for (int i = 0; i < kUrCapacity; ++i)
    imageaccess::Set16(image, kUrOrderTable + 2 * i, kOrderWordNone);
  for (int i = 0; i < kRxEntries; ++i) image.SetByte(kRxOrderTable + i, kOrderByteNone);
  for (int i = 0; i < 10; ++i) image.SetByte(kCallListAOrder + i, kOrderByteNone);
  for (int i = 0; i < 10; ++i) image.SetByte(kCallListBOrder + i, kOrderByteNone);
  for (int i = 0; i < 20; ++i) image.SetByte(kCallListCOrder + i, kOrderByteNone);
  for (int i = 0; i < 5; ++i) image.SetByte(kCallListDOrder + i, kOrderByteNone);
  for (int p = 0; p < kGpsCapacity; ++p)
    imageaccess::Set16(image, kGpsOrderTable + 2 * p, kOrderWordNone);
  for (int g = 0; g < kGpsGroups; ++g)
    imageaccess::Set16(image, kGpsGroupStarts + 2 * g, kOrderWordNone);
  SetYourCallCount(image, 0);
  SetSelectedRepeater(image, kNoSelectedRepeater);
  imageaccess::Set16(image, kMemoryHomeChannel, 0xFFFF);
  SetGpsAlarm(image, GpsAlarm{});
  RebuildBankTable(image);
  WriteBandDefaults(image, destination);
  image.SetBlock(kSignature, kSignatureText, 16);
  image.SetByte(kLayoutByte, static_cast<std::uint8_t>(kRevision));
  return image;
}

}  // namespace kwtest
