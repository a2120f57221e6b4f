// kw-test: slow
// kw-test: with=BlankListsImage.cpp
// Property test of the record codec: seeded valid records stored into every
// item of kinds 1-8 load back as stored (except what Store documents), a
// Load then Store of any item leaves the image byte-identical, and on an
// image of random bytes one item's Load and Store only touch that item.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BlankListsImage.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/ListEdit.h"
#include "model/StepCode.h"
#include "model/datCh.h"

namespace {

using namespace layout;

struct Item {
  std::uint32_t kind;
  std::uint32_t count;
};
constexpr Item kStoredKinds[] = {{1, 1004}, {2, 1004}, {3, 1004}, {4, 25},
                                 {5, 260},  {6, 300},  {7, 1500}, {8, 300}};

class Gen {
 public:
  explicit Gen(std::uint32_t seed) : rng_(seed) {}
  std::uint32_t Int(std::uint32_t lo, std::uint32_t hi) {
    return std::uniform_int_distribution<std::uint32_t>(lo, hi)(rng_);
  }
  bool Chance(int percent) { return Int(0, 99) < static_cast<std::uint32_t>(percent); }
  template <std::size_t N>
  void Text(datText<N>& t, bool sevenBit) {
    for (char& c : t) c = static_cast<char>(sevenBit ? Int(0x20, 0x7E) : Int(0, 255));
  }
  template <std::size_t N>
  void Bytes(std::array<std::uint8_t, N>& b) {
    for (auto& x : b) x = static_cast<std::uint8_t>(Int(0, 255));
  }
  // A frequency on the channel grid: 8.33 kHz in the air band, else a
  // multiple of 5 or 6.25 kHz whose count fits 18 bits.
  std::uint32_t ChannelFreq() {
    if (Chance(30)) {
      const std::uint32_t block = Int(118000000 / 25000, 136975000 / 25000) * 25000;
      static constexpr std::uint32_t kRest[] = {0, 8333, 16666};
      return block + kRest[Int(0, 2)];
    }
    return Chance(50) ? Int(137000000 / 5000, 1310000000 / 5000) * 5000
                      : Int(137000000 / 6250, 1310000000 / 6250) * 6250;
  }
  std::uint32_t Offset() {
    return Chance(50) ? Int(0, 60000000 / 5000) * 5000 : Int(0, 60000000 / 6250) * 6250;
  }

 private:
  std::mt19937 rng_;
};

datCh RandomRecord(Gen& g, cmcEeprom* image, std::uint32_t kind) {
  datCh r(image);
  r.flags = g.Chance(85) ? datCh::kUsed : 0;
  switch (kind) {
    case 1:
      r.freq = g.ChannelFreq();
      r.offset = g.Offset();
      r.mode = g.Int(0, 15);
      r.rptTone = g.Int(0, 63);
      r.tsqlTone = g.Int(0, 63);
      r.dtcsCode = g.Int(0, 255);
      r.tuneStep = g.Int(0, 15);
      r.dvSql = g.Int(0, 7);
      r.cancellerFreq = g.Int(0, 511) * 10;
      r.toneMode = g.Int(0, 15);
      r.duplex = g.Int(0, 3);
      r.dtcsPolarity = g.Int(0, 3);
      r.dvCsqlCode = g.Int(0, 255);
      g.Text(r.name, false);
      g.Text(r.urCall, true);
      g.Text(r.rpt1Call, true);
      if (g.Chance(30)) r.rpt1Call[7] = 'G';
      if (g.Chance(50)) g.Text(r.rpt2Call, true);
      static constexpr std::uint32_t kSkips[] = {0, 1, 3};
      r.skip = kSkips[g.Int(0, 2)];
      r.bank = g.Chance(70) ? g.Int(0, 25) : g.Int(26, 255);
      r.bankSlot = g.Int(0, 99);
      break;
    case 4:
      r.freq = g.ChannelFreq();
      r.freq2 = g.ChannelFreq();
      r.mode = g.Int(0, 255);
      r.tuneStep = g.Int(0, 255);
      g.Text(r.name, false);
      break;
    case 5:
      r.linkEdge = g.Int(0, 24);
      r.linkMember = g.Int(0, 1);
      break;
    case 6:
      g.Bytes(r.latitude);
      g.Bytes(r.longitude);
      g.Bytes(r.gpsDate);
      g.Bytes(r.gpsTime);
      r.altitude = static_cast<std::int32_t>(g.Int(0, 0xFFFFFFFF));
      g.Text(r.gpsName, false);
      break;
    case 7:
      r.freq =
          g.Chance(50) ? g.Int(0, 2000000000 / 5000) * 5000 : g.Int(0, 2000000000 / 6250) * 6250;
      r.offset = g.Offset();
      r.rptMode = g.Int(0, 3);
      r.duplex = g.Int(0, 3);
      r.rptToneMode = g.Int(0, 3);
      r.positionMode = g.Int(0, 3);
      r.rptToneIndex = g.Int(0, 255);
      g.Text(r.rptCall, true);
      g.Text(r.gwCall, true);
      g.Text(r.name, false);
      g.Text(r.subName, false);
      g.Bytes(r.latitude);
      g.Bytes(r.longitude);
      r.utcOffset = g.Int(0, 0xFFFF);
      r.rptWord = g.Int(0, 0xFFFF);
      r.useFrom = g.Int(0, 1);
      break;
    case 8:
      g.Text(r.urCall, false);
      g.Text(r.name, false);
      break;
    default: break;
  }
  return r;
}

#define EXPECT_FIELD(f) EXPECT_EQ(got.f, want.f) << #f << " kind " << kind << " index " << index

// What Store documents as changed is applied to `want` before comparing.
void ExpectLoadedAsStored(datCh want, const datCh& got, std::uint32_t kind, std::uint32_t index) {
  switch (kind) {
    case 1: {
      if (!want.IsUsed()) {
        want.name.fill(' ');
        want.bank = datCh::kBankNone;
      }
      if (!IsBlankText(want.rpt2Call) && want.rpt1Call[7] == 'G') want.rpt1Call[7] = ' ';
      if (want.bank >= 26 || index >= 1000) {
        want.bank = datCh::kBankNone;
        want.bankSlot = 0;
      }
      if (index >= 1000) want.skip = 0;
      for (auto f : {&datCh::flags, &datCh::freq, &datCh::offset, &datCh::mode, &datCh::rptTone,
                     &datCh::tsqlTone, &datCh::dtcsCode, &datCh::tuneStep, &datCh::dvSql,
                     &datCh::cancellerFreq, &datCh::toneMode, &datCh::duplex, &datCh::dtcsPolarity,
                     &datCh::dvCsqlCode, &datCh::skip, &datCh::bank, &datCh::bankSlot})
        EXPECT_EQ(got.*f, want.*f) << "kind 1 index " << index;
      EXPECT_FIELD(name);
      EXPECT_FIELD(urCall);
      EXPECT_FIELD(rpt1Call);
      EXPECT_FIELD(rpt2Call);
      break;
    }
    case 4:
      if (!want.IsUsed()) {
        want.freq = want.freq2 = 0;
        want.name.fill(' ');
      }
      EXPECT_FIELD(flags);
      EXPECT_FIELD(freq);
      EXPECT_FIELD(freq2);
      EXPECT_FIELD(mode);
      EXPECT_FIELD(tuneStep);
      EXPECT_FIELD(name);
      break;
    case 6:
      EXPECT_FIELD(latitude);
      EXPECT_FIELD(longitude);
      EXPECT_FIELD(gpsDate);
      EXPECT_FIELD(gpsTime);
      EXPECT_FIELD(altitude);
      EXPECT_FIELD(gpsName);
      break;
    case 7:
      for (auto f : {&datCh::freq, &datCh::offset, &datCh::rptMode, &datCh::duplex,
                     &datCh::rptToneMode, &datCh::positionMode, &datCh::rptToneIndex,
                     &datCh::utcOffset, &datCh::rptWord, &datCh::useFrom})
        EXPECT_EQ(got.*f, want.*f) << "kind 7 index " << index;
      EXPECT_FIELD(rptCall);
      EXPECT_FIELD(gwCall);
      EXPECT_FIELD(name);
      EXPECT_FIELD(subName);
      EXPECT_FIELD(latitude);
      EXPECT_FIELD(longitude);
      break;
    case 8:
      EXPECT_FIELD(urCall);
      EXPECT_FIELD(name);
      break;
    default: break;
  }
}

// A full image: every group and list at capacity, consistent counts.
cmcEeprom FullListsImage(Gen& g) {
  cmcEeprom image = kwtest::MakeBlankListsImage(0);
  int left = kRptCapacity;
  for (int group = 0; group < kRptGroups; ++group) {
    const int n = group == kRptGroups - 1
                      ? left
                      : static_cast<int>(g.Int(0, static_cast<std::uint32_t>(left) / 4));
    SetRptGroupCount(image, group, n);
    left -= n;
  }
  SetYourCallCount(image, kUrCapacity);
  for (int k = 0; k < kGpsCapacity; ++k) {
    const int group = static_cast<int>(g.Int(0, kGpsGroups - 1));
    const int first = GpsGroupFirst(image, group);
    const int p =
        first + static_cast<int>(g.Int(0, static_cast<std::uint32_t>(GpsGroupCount(image, group))));
    if (!GpsGroupInsert(image, group, p)) ADD_FAILURE() << "GPS insert " << k;
  }
  return image;
}

TEST(RoundTripTest, StoredRecordsLoadBackAndLoadStoreIsIdentity) {
  Gen g(20261210);
  cmcEeprom image = FullListsImage(g);
  ASSERT_EQ(GetRptTotalCount(image), kRptCapacity);
  ASSERT_EQ(GpsOrderCount(image), kGpsCapacity);

  for (std::uint32_t kind : {1u, 4u, 5u, 6u, 7u, 8u}) {
    const std::uint32_t count = kind == 1 ? 1004 : datCh::KindMax(kind) + 1;
    for (std::uint32_t index = 0; index < count; ++index) {
      datCh r = RandomRecord(g, &image, kind);
      if (kind == 6 || kind == 7 || kind == 8) r.flags = datCh::kUsed;  // used follows the tables
      const datCh want = r;
      ASSERT_TRUE(r.Store(kind, index)) << kind << "/" << index;
      datCh got(&image);
      got.Load(kind, index);
      if (kind == 5) {
        EXPECT_EQ(imageaccess::GetBit(image, kLinkEdgeBitmaps + 4 * (index / 26), want.linkEdge),
                  want.linkMember == 1);
        continue;
      }
      ExpectLoadedAsStored(want, got, kind, index);
      if (::testing::Test::HasFailure()) return;
    }
  }
  // An unused GPS record stores nothing.
  {
    const cmcEeprom before = image;
    datCh r = RandomRecord(g, &image, 6);
    r.flags = 0;
    EXPECT_FALSE(r.Store(6, 5));
    EXPECT_TRUE(image == before);
  }

  for (const Item& item : kStoredKinds) {
    for (std::uint32_t index = 0; index < item.count; ++index) {
      const cmcEeprom before = image;
      datCh r(&image);
      r.Load(item.kind, index);
      r.Store(item.kind, index);
      ASSERT_TRUE(image == before) << "Load+Store changed kind " << item.kind << " index " << index;
    }
  }
}

// Which bits of the image an item may change: its bytes, its bitmap bits,
// its bank word.
std::vector<std::uint8_t> Footprint(const cmcEeprom& image, std::uint32_t kind,
                                    std::uint32_t index) {
  std::vector<std::uint8_t> allowed(static_cast<size_t>(image.GetSize()), 0);
  auto bytes = [&](std::int64_t a, int n) {
    for (int k = 0; k < n; ++k) allowed[static_cast<size_t>(a + k)] = 0xFF;
  };
  auto bit = [&](std::int64_t base, std::int64_t n) {
    allowed[static_cast<size_t>(base + n / 8)] |= 1u << (n % 8);
  };
  const int i = static_cast<int>(index);
  switch (kind) {
    case 1:
    case 2:
    case 3:
      if (i >= kAllChannels) break;
      bytes(ChannelAddress(i), kChannelSize);
      bit(kChannelEmptyBitmap, ChannelEmptyBit(i));
      if (i < kMemoryChannels) {
        bit(kChannelSkipBitmap, i);
        bit(kChannelPSkipBitmap, i);
        bytes(kChannelBankAssign + 2 * i, 2);
      }
      break;
    case 4:
      bytes(kScanEdgeBase + 24 * i, 24);
      bit(kScanEdgeEmptyBitmap, i);
      break;
    case 5:
      bytes(kLinkEdgeBitmaps + 4 * (i / 26), 4);  // refined below by the edge bit
      break;
    case 6: {
      const int slot = GpsOrderSlot(image, i);
      if (slot < kGpsCapacity) bytes(GpsAddress(slot), kGpsSize);
      break;
    }
    case 7:
      bytes(RptAddress(i), kRptSize);
      bytes(kRptGatewayCalls + 7 * i, 7);
      bit(kRptUseFromBitmap, i);
      break;
    case 8:
      bytes(kUrCalls + 8 * i, 8);
      bytes(kUrNames + 16 * i, 16);
      break;
    default: break;
  }
  return allowed;
}

TEST(RoundTripTest, RandomBytesOnlyChangeTheItemItself) {
  Gen g(7);
  cmcEeprom image;
  image.SetSize(kImageSize);
  for (std::int64_t a = 0; a < kImageSize; ++a)
    image.SetByte(a, static_cast<std::uint8_t>(g.Int(0, 255)));

  for (const Item& item : kStoredKinds) {
    for (std::uint32_t index = 0; index < item.count; ++index) {
      const cmcEeprom before = image;
      datCh r(&image);
      r.Load(item.kind, index);
      r.Store(item.kind, index);
      if (image != before) {
        const std::vector<std::uint8_t> allowed = Footprint(before, item.kind, index);
        const std::uint8_t* a = before.Data();
        const std::uint8_t* b = image.Data();
        for (std::int64_t k = 0; k < kImageSize; k += 4096) {
          if (std::memcmp(a + k, b + k, 4096) == 0) continue;
          for (std::int64_t x = k; x < k + 4096; ++x)
            ASSERT_EQ((a[x] ^ b[x]) & ~allowed[static_cast<size_t>(x)], 0)
                << "kind " << item.kind << " index " << index << " changed byte 0x" << std::hex
                << x;
        }
      }
      // A second pass changes nothing.
      const cmcEeprom once = image;
      r.Load(item.kind, index);
      r.Store(item.kind, index);
      ASSERT_TRUE(image == once) << "second pass, kind " << item.kind << " index " << index;
    }
  }
}

// Every kind, stored or not, loads from random bytes without leaving the
// image, and what it answers about the packed lists stays in range.
TEST(RoundTripTest, EveryKindLoadsFromRandomBytes) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    Gen g(seed);
    cmcEeprom image;
    image.SetSize(kImageSize);
    for (std::int64_t a = 0; a < kImageSize; ++a)
      image.SetByte(a, static_cast<std::uint8_t>(g.Int(0, 255)));
    const cmcEeprom before = image;
    for (std::uint32_t kind = 0; kind <= 20; ++kind) {
      const std::uint32_t last = kind == 3 ? 2599 : kind < 14 ? datCh::KindMax(kind) + 1 : 1500;
      for (std::uint32_t index = 0; index <= last; ++index) {
        datCh r(&image);
        r.Load(kind, index);
        ASSERT_LE(r.rptGroup, static_cast<std::uint32_t>(kRptGroups)) << kind << "/" << index;
        ASSERT_LE(r.gpsGroup, static_cast<std::uint32_t>(kGpsNoGroup)) << kind << "/" << index;
        if (kind >= 9 && kind <= 13 && index > datCh::KindMax(kind)) {
          ASSERT_FALSE(r.IsUsed()) << kind << "/" << index;
        }
      }
    }
    ASSERT_TRUE(image == before) << "seed " << seed;
  }
}

}  // namespace
