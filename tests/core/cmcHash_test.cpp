#include "core/cmcHash.h"

#include <gtest/gtest.h>

#include <string>

#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(HashBucketTest, KnownBuckets) {
  struct Case {
    const char* key;
    std::uint32_t buckets;
    std::uint32_t bucket;
  };
  const Case cases[] = {
      {"clRed", 101, 8},
      {"CL_Mch_Freq", 1031, 414},
      // Bytes from 0x80 on count negative (read unsigned: 18 and 128).
      {"\x82\xa0\x41", 101, 65},
      {"\x82\xa0\x41", 1031, 654},
      {"clNavy", 101, 36},
      {"clWindowText", 101, 100},
      {"CL_Common_Wx_Ch", 1031, 969},
      // Long keys: h wraps at 32 bits, the step runs down to 0 and restarts.
      {"CL_Received_Callsign_GpsTimestamp", 1031, 525},
      {"abcdefghijklmnopqrstuvwxyz0123456789abcdefghij", 1031, 588},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 1031, 1030},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 3, 2},
      {"\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
       "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff",
       1031, 535},
      {"", 101, 0},
      // A single bucket: the step starts and stays at 0.
      {"anything", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(core::HashBucket(c.key, c.buckets), c.bucket);
  }
}

TEST(cmcHashTest, ZeroBucketsMeans1031) {
  EXPECT_EQ(cmcHash(0).BucketCount(), 1031u);
  EXPECT_EQ(cmcHash().BucketCount(), 1031u);
  EXPECT_EQ(cmcHash(101).BucketCount(), 101u);
  EXPECT_EQ(cmcHash(0).Hash("CL_Mch_Freq"), 414u);
  EXPECT_EQ(cmcHash(101).Hash("clRed"), 8u);
}

TEST(cmcHashTest, FindsEveryKeyOfACrowdedTable) {
  // Three buckets for forty keys: long chains, and keys that differ in case.
  cmcHash table(3);
  for (int i = 0; i < 20; ++i) {
    table.Insert("key" + std::to_string(i), i);
    table.Insert("KEY" + std::to_string(i), 100 + i);
  }
  EXPECT_EQ(table.Size(), 40u);
  for (int i = 0; i < 20; ++i) {
    const auto* lower = table.Find("key" + std::to_string(i));
    const auto* upper = table.Find("KEY" + std::to_string(i));
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(lower->value, i);
    EXPECT_EQ(upper->value, 100 + i);
  }
  EXPECT_EQ(table.Find("key20"), nullptr);
  EXPECT_EQ(table.Find("Key1"), nullptr);
  EXPECT_EQ(table.Find(""), nullptr);
}

TEST(cmcHashTest, AKeyEndsAtItsFirstNul) {
  cmcHash table(101);
  table.Insert(std::string_view("clRed\0tail", 10), 7);
  ASSERT_NE(table.Find("clRed"), nullptr);
  EXPECT_EQ(table.Find("clRed")->value, 7);
  EXPECT_EQ(table.Hash(std::string_view("clRed\0x", 7)), 8u);
}

TEST(cmcHash2Test, MapsNamesToPointersItDoesNotOwn) {
  int a = 1;
  int b = 2;
  cmcHash2<int> table;
  table.Insert("a#1", &a);
  table.Insert("b#1", &b);
  ASSERT_NE(table.Find("b#1"), nullptr);
  EXPECT_EQ(table.Find("b#1")->value, &b);
  *table.Find("a#1")->value = 5;
  EXPECT_EQ(a, 5);
  EXPECT_EQ(table.Find("c#1"), nullptr);
  EXPECT_EQ(table.Hash("CL_Mch_Freq"), 414u);
}

TEST(cmcHashDeathTest, ADuplicateKeyIsFatal) {
  const auto insertTwice = [] {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    cmcHash table(101);
    table.Insert("clRed", 1);
    table.Insert("clRed", 2);
  };
  EXPECT_EXIT(insertTwice(), ::testing::ExitedWithCode(3), "Overlapped Hash table\\.");
}

TEST(cmcHashDeathTest, ADuplicateKeyIsFatalInThePointerTable) {
  const auto insertTwice = [] {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    int x = 0;
    cmcHash2<int> table;
    table.Insert("k", &x);
    table.Insert("k", nullptr);
  };
  EXPECT_EXIT(insertTwice(), ::testing::ExitedWithCode(3), "Overlapped Hash2 table\\.");
}

}  // namespace
