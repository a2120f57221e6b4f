#include "support/model/CellFixtureImage.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "model/BankTable.h"
#include "model/BlankListsImage.h"
#include "model/ItemKinds.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace kwtest {

namespace {

constexpr std::uint32_t kMHz = 1'000'000;
constexpr std::uint32_t kBankA = 0;

struct ChannelRow {
  int number;
  std::uint32_t freq = 145 * kMHz;
  std::uint32_t mode = 0;
  std::uint32_t tuneStep = 0;
  std::uint32_t bank = datCh::kBankNone;
  std::uint32_t slot = 0;
};

void PutChannel(cmcEeprom& image, const ChannelRow& row) {
  datCh r(&image);
  r.Load(itemkind::kChannel, static_cast<std::uint32_t>(row.number));
  r.flags |= datCh::kUsed;
  r.freq = row.freq;
  r.mode = row.mode;
  r.tuneStep = row.tuneStep;
  r.duplex = 0;
  r.offset = 0;
  r.bank = row.bank;
  r.bankSlot = row.bank == datCh::kBankNone ? 0 : row.slot;
  if (!r.StoreSelf()) ADD_FAILURE() << "channel " << row.number << " not stored";
}

void PutEdge(cmcEeprom& image, int number, std::uint32_t low, std::uint32_t high) {
  datCh r(&image);
  r.Load(itemkind::kScanEdge, static_cast<std::uint32_t>(number));
  r.flags |= datCh::kUsed;
  r.freq = low;
  r.freq2 = high;
  r.mode = 0;
  r.tuneStep = 0;
  if (!r.StoreSelf()) ADD_FAILURE() << "scan edge " << number << " not stored";
}

void AppendRepeater(cmcEeprom& image, int group, const char* call) {
  const int i = GetRptGroupFirst(image, group) + GetRptGroupCount(image, group);
  if (!RptListInsert(image, group, i)) {
    ADD_FAILURE() << "repeater " << i << " not inserted";
    return;
  }
  datCh r(&image);
  r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  r.rptMode = layout::rpt::kTypeDv;
  SetText(r.rptCall, call);
  SetText(r.gwCall, "");
  r.freq = 439 * kMHz;
  r.duplex = 0;
  r.offset = 0;
  if (!r.StoreSelf()) ADD_FAILURE() << "repeater " << i << " not stored";
}

void AppendYourCall(cmcEeprom& image, const char* call) {
  const int i = GetYourCallCount(image);
  if (!UrListInsert(image, i)) {
    ADD_FAILURE() << "your-call sign " << i << " not inserted";
    return;
  }
  datCh r(&image);
  r.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
  SetText(r.urCall, call);
  if (!r.StoreSelf()) ADD_FAILURE() << "your-call sign " << i << " not stored";
}

void AppendGps(cmcEeprom& image, int group) {
  const int p =
      GpsGroupCount(image, group) > 0 ? GpsGroupLast(image, group) + 1 : GpsOrderCount(image);
  if (!GpsMemInsert(image, group, p)) ADD_FAILURE() << "GPS memory " << p << " not inserted";
}

}  // namespace

cmcEeprom MakeCellFixtureImage() {
  ScopedDestination destination{indDestination(0)};
  cmcEeprom image = MakeBlankListsImage(0);

  const ChannelRow channels[] = {
      {3},
      {5},
      {10},
      {12, 600 * kMHz},
      {13, 120 * kMHz, 3, 2},
      {7, 550'005'000, 0, 0, kBankA, 3},
      {11, 200 * kMHz, 0, 0, kBankA, 0},
      {20, 145 * kMHz, 0, 0, kBankA, 2},
      {21, 145 * kMHz, 0, 0, kBankA, 2},
      {199},
      {255},
      {256},
      {257},
      {258},
      {259},
      {260},
      {299},
      {300},
      {1002},
  };
  for (const ChannelRow& row : channels) PutChannel(image, row);
  RebuildBankTable(image);

  PutEdge(image, 3, 144 * kMHz, 200 * kMHz);
  PutEdge(image, 4, 144 * kMHz, 146 * kMHz);

  AppendRepeater(image, 0, "JP1YAA A");
  AppendRepeater(image, 0, "JP1YAA A");
  AppendRepeater(image, 0, "JP1YBB A");
  AppendRepeater(image, 1, "JP1YCC A");
  AppendRepeater(image, 1, "");

  AppendYourCall(image, "AB1CDE");
  AppendYourCall(image, "XY2ABC");
  AppendYourCall(image, "AB1CDE");

  AppendGps(image, 0);
  AppendGps(image, 0);
  AppendGps(image, 1);
  AppendGps(image, 1);
  AppendGps(image, 1);
  return image;
}

}  // namespace kwtest
