#include "core/cmcBuff.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

std::vector<std::uint8_t> Contents(const cmcBuff& b) {
  return std::vector<std::uint8_t>(b.Data(), b.Data() + b.Length());
}

cmcBuff Counting(int n) {
  cmcBuff b;
  for (int i = 0; i < n; ++i) b.PushByte(static_cast<std::uint8_t>(i));
  return b;
}

}  // namespace

TEST(cmcBuffTest, StartsEmptyWithAOneByteBlock) {
  cmcBuff b;
  EXPECT_EQ(b.Length(), 0);
  EXPECT_EQ(b.Capacity(), 1);
  EXPECT_NE(b.Data(), nullptr);
  EXPECT_EQ(b.FillByte(), 0);
}

TEST(cmcBuffTest, PopFrontOnEmptyGivesMinusOneAndChangesNothing) {
  cmcBuff b;
  EXPECT_EQ(b.PopFront(), -1);
  EXPECT_EQ(b.Length(), 0);
  EXPECT_EQ(b.Capacity(), 1);
}

TEST(cmcBuffTest, ConsumedFrontIsCompactedOnceKeepingTheTailInOrder) {
  cmcBuff b = Counting(5000);
  for (int i = 0; i < 4096; ++i) ASSERT_EQ(b.PopFront(), i & 0xFF);
  // Nothing moved yet: the consumed bytes only shrink the capacity.
  EXPECT_GT(b.Capacity(), 904);
  EXPECT_EQ(b.PopFront(), 4096 & 0xFF);
  EXPECT_EQ(b.Length(), 903);
  EXPECT_EQ(b.Capacity(), 903);
  for (int i = 0; i < 903; ++i) ASSERT_EQ(*b.At(i), static_cast<std::uint8_t>(4097 + i));
}

TEST(cmcBuffTest, AlternatingQueueStaysSmall) {
  // A transmit queue fed and drained a byte at a time never grows its block.
  cmcBuff b;
  for (int i = 0; i < 100000; ++i) {
    b.PushByte(static_cast<std::uint8_t>(i));
    b.PushByte(static_cast<std::uint8_t>(i + 1));
    ASSERT_EQ(b.PopFront(), i & 0xFF);
    ASSERT_EQ(b.PopFront(), (i + 1) & 0xFF);
  }
  EXPECT_EQ(b.Length(), 0);
  EXPECT_LE(b.Capacity() + 0, 8192);
}

TEST(cmcBuffTest, BytesAddedBySetLengthReadAsTheFillByte) {
  struct Case {
    const char* name;
    std::uint8_t fill;
  } cases[] = {{"zero", 0}, {"ff", 0xFF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    cmcBuff b;
    b.SetFillByte(c.fill);
    b.AppendFill(0xAA, 100);
    b.SetLength(10);   // shrink: the block still holds 0xAA past the length
    b.SetLength(100);  // grow inside the capacity
    for (int i = 0; i < 10; ++i) ASSERT_EQ(*b.At(i), 0xAA);
    for (int i = 10; i < 100; ++i) ASSERT_EQ(*b.At(i), c.fill) << i;
    b.SetLength(1000);  // grow past the capacity
    for (int i = 100; i < 1000; ++i) ASSERT_EQ(*b.At(i), c.fill) << i;
  }
}

TEST(cmcBuffTest, NegativeAndZeroCountsAddNothing) {
  cmcBuff b = Counting(5);
  const std::uint8_t bytes[] = {1, 2, 3};
  b.AppendBytes(bytes, -1);
  b.AppendBytes(bytes, 0);
  b.AppendBytes(nullptr, 3);
  b.AppendFill(7, -5);
  EXPECT_EQ(b.Length(), 5);
  b.SetLength(-3);
  EXPECT_EQ(b.Length(), 0);
  b = Counting(5);
  b.SetBytes(bytes, -2);
  EXPECT_EQ(b.Length(), 0);
}

TEST(cmcBuffTest, AppendingItselfCopiesBeforeTheBlockIsReplaced) {
  for (int n : {1, 3, 64, 1000}) {
    SCOPED_TRACE(n);
    cmcBuff b = Counting(n);
    b.Compact();  // no reserve: the append must grow and free the old block
    b.Append(b);
    ASSERT_EQ(b.Length(), 2 * n);
    for (int i = 0; i < 2 * n; ++i) ASSERT_EQ(*b.At(i), static_cast<std::uint8_t>(i % n));
  }
}

TEST(cmcBuffTest, SetBytesAndAppendBytesFromInsideTheBuffer) {
  cmcBuff b = Counting(10);
  b.Compact();
  b.AppendBytes(b.Data() + 2, 5);  // grows
  EXPECT_EQ(Contents(b), (std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5, 6}));
  b.SetBytes(b.Data() + 10, 5);
  EXPECT_EQ(Contents(b), (std::vector<std::uint8_t>{2, 3, 4, 5, 6}));
  b.Assign(b);
  EXPECT_EQ(Contents(b), (std::vector<std::uint8_t>{2, 3, 4, 5, 6}));
}

TEST(cmcBuffTest, CopiesAreIndependent) {
  cmcBuff a = Counting(20);
  cmcBuff b(a);
  cmcBuff c;
  c = a;
  *a.At(0) = 99;
  EXPECT_EQ(*b.At(0), 0);
  EXPECT_EQ(*c.At(0), 0);
  EXPECT_EQ(b, c);
  cmcBuff moved(std::move(b));
  EXPECT_EQ(moved, c);
  b.PushByte(5);  // a moved-from buffer is usable again
  EXPECT_EQ(Contents(b), std::vector<std::uint8_t>{5});
}

TEST(cmcBuffTest, ClearAndCompact) {
  cmcBuff b = Counting(100);
  b.SetLength(0);
  b.Compact();
  EXPECT_EQ(b.Capacity(), 1);
  b = Counting(100);
  b.Clear();
  EXPECT_EQ(b.Length(), 0);
  EXPECT_EQ(b.Capacity(), 1);
}

TEST(cmcBuffTest, AtLastByte) {
  cmcBuff b = Counting(7);
  EXPECT_EQ(*b.At(b.Length() - 1), 6);
}

using cmcBuffDeathTest = ::testing::Test;

TEST_F(cmcBuffDeathTest, IndexOutsideTheBytesHeldIsFatal) {
  cmcBuff b = Counting(7);
  for (int i : {7, -1, std::numeric_limits<int>::min(), 8}) {
    SCOPED_TRACE(i);
    EXPECT_EXIT(b.At(i), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
  }
  cmcBuff empty;
  EXPECT_EXIT(empty.At(0), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
  const cmcBuff& constant = b;
  EXPECT_EXIT(constant.At(7), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
}

TEST_F(cmcBuffDeathTest, LengthPastTheIntRangeIsFatalNotWrapped) {
  // length + n wrapped to a small int would let the copy run past the block.
  constexpr int kMax = std::numeric_limits<int>::max();
  const std::uint8_t bytes[] = {1, 2, 3};
  cmcBuff b = Counting(7);
  EXPECT_EXIT(b.AppendFill(0, kMax), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
  EXPECT_EXIT(b.AppendFill(0, kMax - 6), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
  EXPECT_EXIT(b.AppendBytes(bytes, kMax), ::testing::ExitedWithCode(3), "Out of cmcBuff element !");
}
