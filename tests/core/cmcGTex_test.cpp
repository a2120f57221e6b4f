// kw-test: label=texts
#include "core/cmcGTex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/MessageBoxService.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

// "", then keys K0..K20 with one value each, a two-value key, a list, and
// the end key followed by a line indexing must never reach.
std::vector<std::string> Table() {
  std::vector<std::string> t{""};
  for (int i = 0; i <= 20; ++i) {
    t.push_back("#K" + std::to_string(i));
    t.push_back("value " + std::to_string(i));
  }
  for (const char* l :
       {"#Two", "v0", "v1", "#List", "a", "", "b", "#", "#Last", "last 0", "last 1", "last 2",
        "last 3", "last 4", "last 5", "#End_Of_Ovl", "tail", "#AfterEnd", "x"})
    t.push_back(l);
  return t;
}

constexpr std::size_t kKeysUpToLast = 21 + 3;  // K0..K20, Two, List, Last

class GTexReader : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(gtex.SetSource(Table()), 1); }
  cmcGTex gtex;
};

TEST_F(GTexReader, ColdLookUpIndexesUpToTheKeyAndARepeatReadsOnlyTheValue) {
  EXPECT_EQ(gtex.KeyCount(), 0u);  // nothing is parsed before the first look-up
  EXPECT_EQ(gtex.GetText("Last", 0), "last 0");
  EXPECT_EQ(gtex.KeyCount(), kKeysUpToLast);
  EXPECT_TRUE(gtex.MoreKeys());
  const std::size_t scanned = gtex.ScanPosition();
  const std::size_t read = gtex.LinesRead();
  EXPECT_EQ(gtex.GetText("Last", 0), "last 0");
  EXPECT_EQ(gtex.LinesRead(), read + 1);
  EXPECT_EQ(gtex.ScanPosition(), scanned);
  EXPECT_EQ(gtex.KeyCount(), kKeysUpToLast);
}

TEST_F(GTexReader, KeyFoundAfterMoreThanTenNodesMovesToTheFront) {
  gtex.GetText("K20", 0);  // indexes K0..K20 in order
  EXPECT_EQ(gtex.HeadKey(), "K0");
  EXPECT_EQ(gtex.GetText("K10", 0), "value 10");  // passed 10 nodes: stays
  EXPECT_EQ(gtex.HeadKey(), "K0");
  EXPECT_EQ(gtex.GetText("K11", 0), "value 11");  // passed 11: to the front
  EXPECT_EQ(gtex.HeadKey(), "K11");
  EXPECT_EQ(gtex.GetText("K20", 0), "value 20");  // the tail moves too
  EXPECT_EQ(gtex.HeadKey(), "K20");
  // The list is still whole: every key is found and new keys append after it.
  for (int i = 0; i <= 20; ++i)
    EXPECT_EQ(gtex.GetText("K" + std::to_string(i), 0), "value " + std::to_string(i));
  EXPECT_EQ(gtex.GetText("Two", 1), "v1");
  EXPECT_EQ(gtex.KeyCount(), 22u);
}

TEST_F(GTexReader, ValueNumbersRunOnIntoTheFollowingLines) {
  struct Case {
    int n;
    const char* text;
  } cases[] = {{0, "v0"}, {1, "v1"}, {2, "#List"}, {3, "a"}, {4, ""}, {6, "#"}};
  for (const Case& c : cases) EXPECT_EQ(gtex.GetText("Two", c.n), c.text) << "value " << c.n;
}

TEST_F(GTexReader, ASmallerNumberAfterALargerOneReadsAsAFreshReaderDoes) {
  cmcGTex fresh;
  fresh.SetSource(Table());
  EXPECT_EQ(gtex.GetText("Last", 5), "last 5");
  EXPECT_EQ(gtex.GetText("Last", 2), fresh.GetText("Last", 2));
  // Walking forward costs one line per value.
  const std::size_t before = gtex.LinesRead();
  EXPECT_EQ(gtex.GetText("Last", 3), "last 3");
  EXPECT_EQ(gtex.GetText("Last", 4), "last 4");
  EXPECT_EQ(gtex.LinesRead(), before + 2);
}

TEST_F(GTexReader, LoneHashIsNoKeyAndTheEndKeyIsFoundButEndsIndexing) {
  EXPECT_EQ(gtex.GetText("End_Of_Ovl", 0), "tail");
  EXPECT_FALSE(gtex.MoreKeys());
  EXPECT_EQ(gtex.KeyCount(), kKeysUpToLast + 1);  // the "#" after the list is not a key
}

TEST_F(GTexReader, HasKeyAnswersWithoutFailing) {
  EXPECT_TRUE(gtex.HasKey("Two"));
  EXPECT_TRUE(gtex.HasKey("End_Of_Ovl"));
  EXPECT_FALSE(gtex.HasKey("AfterEnd"));  // indexing stops at the end key
  EXPECT_FALSE(gtex.HasKey("Missing"));
  EXPECT_EQ(gtex.GetText("Two", 1), "v1");
}

TEST_F(GTexReader, ASecondSourceIsRefusedUntilReset) {
  std::vector<std::string> other{"", "#K0", "other", "#End_Of_Ovl"};
  EXPECT_EQ(gtex.SetSource(other), 0);
  EXPECT_EQ(gtex.GetText("K0", 0), "value 0");
  gtex.Reset();
  EXPECT_EQ(gtex.KeyCount(), 0u);
  EXPECT_EQ(gtex.SetSource(other), 1);
  EXPECT_EQ(gtex.GetText("K0", 0), "other");
}

TEST_F(GTexReader, GetGTexLinesJoinsValuesUpToTheFirstHash) {
  EXPECT_EQ(GetGTexLines(gtex, "List"), "a\n\nb");
  EXPECT_EQ(GetGTexLines(gtex, "K3"), "value 3");  // ends at the next key line
}

TEST(GTexLines, ALongLineIsCutAt8191Bytes) {
  cmcGTex gtex;
  gtex.SetSource(std::vector<std::string>{"", "#Long", std::string(9000, 'x'), "#End_Of_Ovl"});
  EXPECT_EQ(gtex.GetText("Long", 0), std::string(8191, 'x'));
}

TEST(GTexLines, StaticLineArraysAreReadInPlace) {
  static const char* const lines[] = {"", "#A", "\x82\xa0", "#End_Of_Ovl"};
  cmcGTex gtex;
  EXPECT_EQ(gtex.SetSource(lines, 4), 1);
  EXPECT_EQ(gtex.GetFirst("A"), "\x82\xa0");
}

// Every failure shows the same box (error icon, 0x10) and ends with exit code 3.
class GTexFailureDeathTest : public ::testing::Test {
 protected:
  static void Run(void (*lookUp)(cmcGTex&)) {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    cmcGTex gtex;
    gtex.SetSource(Table());
    lookUp(gtex);
  }
};

TEST_F(GTexFailureDeathTest, MissingKey) {
  EXPECT_EXIT(Run([](cmcGTex& g) { g.GetText("GI_Nope", 0); }), ::testing::ExitedWithCode(3),
              "flags 0x10\\] GTEX Error !\nThe index 'GI_Nope' was not found\\.");
}

TEST_F(GTexFailureDeathTest, KeyAfterTheEndKey) {
  EXPECT_EXIT(Run([](cmcGTex& g) { g.GetText("AfterEnd", 0); }), ::testing::ExitedWithCode(3),
              "The index 'AfterEnd' was not found\\.");
}

TEST_F(GTexFailureDeathTest, ValuePastTheEndOfTheSource) {
  EXPECT_EXIT(Run([](cmcGTex& g) { g.GetText("Last", 50); }), ::testing::ExitedWithCode(3),
              "flags 0x10\\] GTEX Error !\nThe index 'Last' was not found\\.");
}

TEST_F(GTexFailureDeathTest, NoSource) {
  EXPECT_EXIT(
      {
        kwtest::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(platform::mb::IdOk);
        cmcGTex gtex;
        gtex.GetFirst("GI_Sys_AppTitle");
      },
      ::testing::ExitedWithCode(3), "The index 'GI_Sys_AppTitle' was not found\\.");
}

// The failure box itself looks a missing key up (a box wording its
// buttons from the table would): the second failure ends the program at once
// with the same code instead of showing a box inside the box.
class FailingAgainBoxes final : public platform::MessageBoxService {
 public:
  explicit FailingAgainBoxes(cmcGTex& gtex) : gtex_(gtex), scope_(this) {}
  int Show(const platform::MessageBoxRequest& request) override {
    if (++shown_ > 1) std::_Exit(5);  // a box for the second failure
    std::fprintf(stderr, "[first box] %s\n", request.text.toUtf8().constData());
    gtex_.GetText("GI_Also_Missing", 0);
    return platform::mb::IdOk;
  }

 private:
  cmcGTex& gtex_;
  platform::ScopedMessageBoxService scope_;
  int shown_ = 0;
};

TEST_F(GTexFailureDeathTest, ASecondFailureDuringTheBoxEndsAtOnce) {
  EXPECT_EXIT(
      {
        cmcGTex gtex;
        gtex.SetSource(Table());
        FailingAgainBoxes boxes(gtex);
        gtex.GetText("GI_Nope", 0);
      },
      ::testing::ExitedWithCode(3),
      "\\[first box\\] GTEX Error !\nThe index 'GI_Nope' was not found\\.\n"
      "Abnormal program termination");
}

}  // namespace
