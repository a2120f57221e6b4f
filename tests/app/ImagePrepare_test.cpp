// The loading pass (counts from the order tables, lists put in order, shared
// gateway calls resolved) and the write preparation it undoes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/ImagePasses.h"
#include "model/CallSignPack.h"
#include "model/DefaultImage.h"
#include "model/ImageAccess.h"
#include "model/InitialImage.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"

namespace {

using imageaccess::Get16;
using imageaccess::Set16;
using namespace layout;

const cmcEeprom& Base() {
  static const cmcEeprom base = FullImageFromDefault(BuildDefaultImage(0));
  return base;
}

const indDestination& Dest0() {
  static const indDestination destination(0);
  return destination;
}

// Every entry 0xFFFF, then the given entries from position 0 on.
void SetTable(cmcEeprom& image, std::int64_t table, int size, const std::vector<int>& entries) {
  for (int p = 0; p < size; ++p) Set16(image, table + 2 * p, kOrderWordNone);
  for (std::size_t p = 0; p < entries.size(); ++p)
    Set16(image, table + 2 * static_cast<std::int64_t>(p), static_cast<std::uint32_t>(entries[p]));
}

void SetStarts(cmcEeprom& image, const std::vector<std::pair<int, int>>& starts) {
  SetTable(image, kRptGroupStarts, kRptGroups, {});
  for (const auto& [g, start] : starts)
    Set16(image, kRptGroupStarts + 2 * g, static_cast<std::uint32_t>(start));
}

std::vector<int> Identity(int n) {
  std::vector<int> entries;
  for (int p = 0; p < n; ++p) entries.push_back(p);
  return entries;
}

int RawCount(const cmcEeprom& image, int g) { return Get16(image, kRptGroupCounts + 2 * g); }

template <std::size_t N>
std::string Text(const datText<N>& t) {
  return std::string(t.data(), N);
}

std::string PackedGateway(const cmcEeprom& image, int i) {
  std::uint8_t packed[kPackedCallSize];
  image.GetBlock(kRptGatewayCalls + kPackedCallSize * i, packed, kPackedCallSize);
  char text[8];
  callsign::UnpackText7(packed, text);
  return std::string(text, 8);
}

struct Rpt {
  const char* call;
  const char* gateway;
  std::uint32_t word;
  std::uint32_t useFrom;
};

// Stores repeaters 0.. with the given calls; the counts are the caller's.
void StoreRepeaters(cmcEeprom& image, const std::vector<Rpt>& rpts) {
  for (std::size_t i = 0; i < rpts.size(); ++i) {
    datCh r(&image);
    r.Load(itemkind::kBlankRepeater, static_cast<std::uint32_t>(i));
    r.freq = 439000000 + 20000 * static_cast<std::uint32_t>(i);
    r.offset = 5000000;
    r.duplex = 2;
    r.rptMode = rpt::kTypeFm;
    SetText(r.rptCall, rpts[i].call);
    SetText(r.gwCall, rpts[i].gateway);
    SetText(r.name, ("Site " + std::to_string(i)).c_str());
    r.rptWord = rpts[i].word;
    r.useFrom = rpts[i].useFrom;
    ASSERT_TRUE(r.Store(itemkind::kRepeater, static_cast<std::uint32_t>(i)));
  }
}

void StoreYourCalls(cmcEeprom& image, const std::vector<const char*>& calls) {
  for (std::size_t i = 0; i < calls.size(); ++i) {
    datCh y(&image);
    y.Load(itemkind::kBlankYourCall, static_cast<std::uint32_t>(i));
    SetText(y.urCall, calls[i]);
    SetText(y.name, ("Friend " + std::to_string(i)).c_str());
    ASSERT_TRUE(y.Store(itemkind::kYourCall, static_cast<std::uint32_t>(i)));
  }
}

datCh LoadRpt(cmcEeprom& image, int i) {
  datCh r(&image);
  r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
  return r;
}

TEST(PrepareImageTest, GroupCountsComeFromTheOrderTableAndStayBounded) {
  struct Case {
    const char* what;
    int used;  // leading entries of the order table before 0xFFFF
    std::vector<std::pair<int, int>> starts;
    std::vector<std::pair<int, int>> counts;  // every other group 0
  } cases[] = {
      {"table begins with 0xFFFF", 0, {{0, 0}, {1, 0}, {49, 0}}, {}},
      {"two groups", 5, {{0, 0}, {1, 3}}, {{0, 3}, {1, 2}}},
      {"a start past the entries left", 5, {{0, 4}, {1, 2}}, {{1, 3}}},
      {"a start past the table", 5, {{0, 0}, {1, 10}}, {{0, 5}}},
      {"a start equal to the length", 5, {{0, 0}, {2, 5}}, {{0, 5}}},
      {"groups out of order", 6, {{3, 0}, {7, 2}, {9, 2}}, {{3, 2}, {9, 4}}},
      {"full table without an end", 1500, {{0, 0}, {49, 1499}}, {{0, 1499}, {49, 1}}},
      {"no group start at all", 5, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cmcEeprom image = Base();
    for (int g = 0; g < kRptGroups; ++g) Set16(image, kRptGroupCounts + 2 * g, 0x1234);
    SetTable(image, kRptOrderTable, kRptCapacity, Identity(c.used));
    SetStarts(image, c.starts);
    imagepass::PrepareImage(image, Dest0());
    std::vector<int> expected(kRptGroups, 0);
    for (const auto& [g, n] : c.counts) expected[static_cast<std::size_t>(g)] = n;
    int total = 0;
    for (int g = 0; g < kRptGroups; ++g) {
      EXPECT_EQ(RawCount(image, g), expected[static_cast<std::size_t>(g)]) << "group " << g;
      total += RawCount(image, g);
    }
    EXPECT_LE(total, c.used);
  }
}

TEST(PrepareImageTest, YourCallCountAndOrder) {
  cmcEeprom image = Base();
  SetYourCallCount(image, 3);
  StoreYourCalls(image, {"JA1AAA  ", "JA1BBB  ", "JA1CCC  "});
  struct Case {
    std::vector<int> order;
    int count;
    std::vector<const char*> calls;  // positions 0.. after the pass
  } cases[] = {
      {{0, 1, 2}, 3, {"JA1AAA  ", "JA1BBB  ", "JA1CCC  "}},
      {{2, 0, 1}, 3, {"JA1CCC  ", "JA1AAA  ", "JA1BBB  "}},
      {{0, 400, 2}, 3, {"JA1AAA  ", "CALLSIGN", "JA1CCC  "}},
      {{}, 0, {"CALLSIGN"}},
  };
  for (const Case& c : cases) {
    cmcEeprom work = image;
    SetTable(work, kUrOrderTable, kUrCapacity, c.order);
    imagepass::PrepareImage(work, Dest0());
    EXPECT_EQ(GetYourCallCount(work), c.count);
    for (std::size_t p = 0; p < c.calls.size(); ++p) {
      datCh y(&work);
      y.Load(itemkind::kYourCall, static_cast<std::uint32_t>(p));
      EXPECT_EQ(Text(y.urCall), c.calls[p]) << "position " << p;
    }
  }
}

TEST(PrepareImageTest, RepeatersFollowTheOrderTableWithTheirOwnFlagsAndGateways) {
  cmcEeprom image = Base();
  SetRptGroupCount(image, 0, 4);
  StoreRepeaters(image, {
                            {"JA1AAA A", "JA1AAA G", 0, 1},
                            {"JA1BBB A", "", 0, 0},             // shares repeater 0's gateway
                            {"JA1CCC A", "JA1CCC G", 1600, 1},  // a damaged word
                            {"JA1DDD A", "JA1DDD G", 3, 0},
                        });
  SetTable(image, kRptOrderTable, kRptCapacity, {2, 0, 1600, 1, 3});
  SetStarts(image, {{0, 0}});
  imagepass::PrepareImage(image, Dest0());

  ASSERT_EQ(GetRptGroupCount(image, 0), 5);
  struct Expect {
    const char* call;
    const char* gateway;
    std::uint32_t useFrom;
  } expect[] = {
      {"JA1CCC A", "        ", 1},  // word past the list: no gateway
      {"JA1AAA A", "JA1AAA G", 1},
      {"CALLSIGN", "        ", 0},  // order entry past the list: the blank repeater
      {"JA1BBB A", "JA1AAA G", 0},
      {"JA1DDD A", "JA1DDD G", 0},
  };
  for (int p = 0; p < 5; ++p) {
    SCOPED_TRACE(p);
    const datCh r = LoadRpt(image, p);
    EXPECT_EQ(Text(r.rptCall), expect[p].call);
    EXPECT_EQ(Text(r.gwCall), expect[p].gateway);
    EXPECT_EQ(r.useFrom, expect[p].useFrom);
  }
  // Past the used part of the order table: blank repeaters.
  EXPECT_EQ(Text(LoadRpt(image, 5).rptCall), "CALLSIGN");
  EXPECT_EQ(PackedGateway(image, 1499), "        ");
}

// What the program edits, written out and read back through the two passes:
// a gateway shared by two repeaters is stored once, both get it back.
TEST(PrepareWriteImageTest, RoundTripThroughTheLoadingPassKeepsTheLists) {
  cmcEeprom image = Base();
  SetRptGroupCount(image, 0, 2);
  SetRptGroupCount(image, 3, 3);
  StoreRepeaters(image, {
                            {"JP1YIU A", "JP1YIU G", 0, 1},
                            {"JP1ABC A", "JP1ABC G", 0, 0},
                            {"JP1YIU B", "JP1YIU G", 0, 1},
                            {"JP1DEF A", "", 0, 0},
                            {"JP1ABC B", "JP1ABC G", 0, 1},
                        });
  SetYourCallCount(image, 2);
  StoreYourCalls(image, {"JA1AAA  ", "JA1BBB  "});

  cmcEeprom written = image;
  imagepass::PrepareWriteImage(written);

  // The tables older programs and the radio read.
  EXPECT_EQ(Get16(written, kRptGroupStarts + 2 * 0), 0);
  EXPECT_EQ(Get16(written, kRptGroupStarts + 2 * 3), 2);
  for (int g : {1, 2, 4, 49}) EXPECT_EQ(Get16(written, kRptGroupStarts + 2 * g), 0xFFFF) << g;
  for (int p = 0; p < 6; ++p)
    EXPECT_EQ(Get16(written, kRptOrderTable + 2 * p), p < 5 ? p : 0xFFFF) << p;
  EXPECT_EQ(Get16(written, kRptOrderTable + 2 * 1499), 0xFFFF);
  const std::uint32_t words[] = {0, 1, 0, 65535, 1};
  const char* stored[] = {"JP1YIU G", "JP1ABC G", "        ", "        ", "        "};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(LoadRpt(written, i).rptWord, words[i]) << i;
    EXPECT_EQ(PackedGateway(written, i), stored[i]) << i;
  }
  EXPECT_EQ(Get16(written, kUrOrderTable + 2 * 1), 1);
  EXPECT_EQ(Get16(written, kUrOrderTable + 2 * 2), 0xFFFF);

  // A reader keeps no counts: they come from the tables again.
  for (int g = 0; g < kRptGroups; ++g) SetRptGroupCount(written, g, 0);
  SetYourCallCount(written, 0);
  imagepass::PrepareImage(written, Dest0());
  for (int g = 0; g < kRptGroups; ++g)
    EXPECT_EQ(GetRptGroupCount(written, g), GetRptGroupCount(image, g)) << g;
  EXPECT_EQ(GetYourCallCount(written), 2);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const datCh before = LoadRpt(image, i);
    const datCh after = LoadRpt(written, i);
    EXPECT_EQ(Text(after.rptCall), Text(before.rptCall));
    EXPECT_EQ(Text(after.gwCall), Text(before.gwCall));
    EXPECT_EQ(Text(after.name), Text(before.name));
    EXPECT_EQ(after.freq, before.freq);
    EXPECT_EQ(after.useFrom, before.useFrom);
    EXPECT_EQ(after.rptGroup, before.rptGroup);
  }
  for (int i = 0; i < 2; ++i) {
    datCh y(&written);
    y.Load(itemkind::kYourCall, static_cast<std::uint32_t>(i));
    EXPECT_EQ(Text(y.urCall), i == 0 ? "JA1AAA  " : "JA1BBB  ");
  }
}

TEST(PrepareWriteImageTest, EmptyListsWriteEmptyTables) {
  cmcEeprom image = Base();
  imagepass::PrepareWriteImage(image);
  for (int g = 0; g < kRptGroups; ++g) EXPECT_EQ(Get16(image, kRptGroupStarts + 2 * g), 0xFFFF);
  EXPECT_EQ(Get16(image, kRptOrderTable), 0xFFFF);
  EXPECT_EQ(Get16(image, kUrOrderTable), 0xFFFF);
  cmcEeprom again = image;
  imagepass::PrepareImage(again, Dest0());
  EXPECT_EQ(GetRptTotalCount(again), 0);
  EXPECT_EQ(GetYourCallCount(again), 0);
}

}  // namespace
