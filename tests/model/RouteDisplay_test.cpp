// kw-test: link=kw_test_model_support
// What a channel's UR / RPT1 / RPT2 call signs resolve to and sum up as,
// on the list fixture.
#include "model/RouteDisplay.h"

#include <gtest/gtest.h>

#include <string>

#include "model/DvRoute.h"
#include "model/ItemKinds.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/model/ListFixture.h"

namespace {

template <std::size_t N>
std::string Str(const datText<N>& text) {
  return std::string(text.data(), N);
}

std::string Padded(const char* text, std::size_t n) {
  std::string s(text);
  s.resize(n, ' ');
  return s;
}

class RouteDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { image = kwtest::LoadListFixture("dv-routes.txt"); }

  datCh Channel(const char* ur, const char* rpt1, const char* rpt2, std::uint32_t duplex) {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, 5);
    SetText(ch.urCall, ur);
    SetText(ch.rpt1Call, rpt1);
    SetText(ch.rpt2Call, rpt2);
    ch.duplex = duplex;
    return ch;
  }

  ScopedDestination destination{indDestination(0)};
  cmcEeprom image;
};

TEST_F(RouteDisplayTest, RouteStatusSumsTheCallSignsUp) {
  const struct Case {
    const char* ur;
    const char* rpt1;
    const char* rpt2;
    std::uint32_t duplex;
    const char* kindText;
    const char* destName;
    std::uint32_t destIndex, accessIndex, rpt2Index, rpt2Mode;
    const char* accessName;
    const char* rpt2Name;
  } cases[] = {
      // A your-call entry through one repeater.
      {"QQ1XYZ", "ABCDEF B", "", 1, "Single     ", "ALICE", 1500, 0, 0, 1, "ACCESS-B", ""},
      // A "/" call sign through the gateway, and with a local RPT2 instead.
      {"/KLMNOPC", "ABCDEF B", "ABCDEF G", 1, "Gateway    ", "REMOTE-C", 2, 0, 1500, 1, "ACCESS-B",
       ""},
      {"/KLMNOPC", "ABCDEF B", "ABCDEF C", 1, "?          ", "", 1500, 1500, 1500, 1, "", ""},
      // CQ: assisted link to the RPT2 repeater, single, direct, or nothing.
      {"CQCQCQ", "ABCDEF B", "ABCDEF C", 1, "Asist Link ", "SAME-SITE-C", 1, 0, 1500, 1, "ACCESS-B",
       ""},
      {"CQCQCQ", "ABCDEF B", "", 1, "Single     ", "CQCQCQ", 1500, 0, 1500, 1, "ACCESS-B", ""},
      {"CQCQCQ", "ZZZZZZ B", "", 1, "Single?    ", "CQCQCQ", 1500, 1500, 1500, 1, "ZZZZZZ B", ""},
      {"CQCQCQ", "ABCDEF B", "ABCDEF G", 1, "?          ", "", 1500, 1500, 1500, 1, "", ""},
      {"", "", "", 1, "Direct     ", "CQCQCQ", 1500, 1500, 1500, 1, "", ""},
      {"CQCQCQ", "ABCDEF B", "ABCDEF C", 0, "Direct     ", "CQCQCQ", 1500, 1500, 1500, 1, "", ""},
      // Other destinations.
      {"QQ1XYZ", "ABCDEF B", "ABCDEF G", 0, "Direct     ", "ALICE", 1500, 1500, 1500, 1, "", ""},
      {"QQ1XYZ", "ABCDEF B", "ABCDEF C", 1, "Asist Link ", "ALICE", 1500, 0, 1, 2, "ACCESS-B",
       "SAME-SITE-C"},
      {"QQ1XYZ", "ABCDEF B", "ABCDEF G", 1, "Gateway    ", "ALICE", 1500, 0, 0, 3, "ACCESS-B", ""},
      // A gateway RPT1 alone: RPT2 takes it, RPT1 loses its "G" and then
      // names no repeater (neither B nor C answers a blank module).
      {"QQ1XYZ", "ABCDEF G", "", 1, "Gateway?   ", "ALICE", 1500, 1500, 0, 3, "ABCDEF", ""},
      {"ZZ9ZZZ", "QRSTUV A", "", 1, "Single     ", "ZZ9ZZZ", 1500, 3, 3, 1, "NOGW-A", ""},
  };
  for (const Case& c : cases) {
    datCh ch = Channel(c.ur, c.rpt1, c.rpt2, c.duplex);
    GetDvRouteStatus(ch);
    const std::string what = std::string(c.ur) + "/" + c.rpt1 + "/" + c.rpt2;
    EXPECT_EQ(Str(ch.routeKindText), c.kindText) << what;
    EXPECT_EQ(Str(ch.routeDestName), Padded(c.destName, 16)) << what;
    EXPECT_EQ(ch.routeDestIndex, c.destIndex) << what;
    EXPECT_EQ(Str(ch.routeAccessName), Padded(c.accessName, 16)) << what;
    EXPECT_EQ(ch.routeAccessIndex, c.accessIndex) << what;
    EXPECT_EQ(Str(ch.routeRpt2Name), Padded(c.rpt2Name, 16)) << what;
    EXPECT_EQ(ch.routeRpt2Index, c.rpt2Index) << what;
    EXPECT_EQ(ch.routeRpt2Mode, c.rpt2Mode) << what;
    // Only the summary changes: the call signs stay as they were.
    EXPECT_EQ(Str(ch.urCall), Padded(c.ur, 8)) << what;
    EXPECT_EQ(Str(ch.rpt2Call), Padded(c.rpt2, 8)) << what;
  }
}

TEST_F(RouteDisplayTest, AnAccessRepeaterAtZeroHertzMakesTheRouteMissing) {
  datCh r(&image);
  r.Load(itemkind::kRepeater, 0);
  r.freq = 0;
  ASSERT_TRUE(r.StoreSelf());
  datCh ch = Channel("QQ1XYZ", "ABCDEF B", "", 1);
  GetDvRouteStatus(ch);
  EXPECT_EQ(Str(ch.routeKindText), "Single?    ");
  EXPECT_EQ(ch.routeKind, dvroute::kKindSingleMissing);
}

TEST_F(RouteDisplayTest, ANamedRpt2OfTheCallersRecordIsKept) {
  datCh ch = Channel("QQ1XYZ", "ABCDEF B", "ABCDEF B", 1);
  SetText(ch.rpt2Route, "SAME-SITE-C");
  GetDvRouteStatus(ch);
  EXPECT_EQ(ch.routeKind, dvroute::kKindSingle);
  EXPECT_EQ(Str(ch.routeRpt2Name), Padded("SAME-SITE-C", 16));
  EXPECT_EQ(ch.routeRpt2Mode, 2u);
}

TEST_F(RouteDisplayTest, DisplayTextsNameTheEntries) {
  datCh ch = Channel("/KLMNOPC", "ABCDEF G", "ABCDEF C", 1);
  ResetChannelRoute(ch);
  ResolveRptDisplay(ch);
  EXPECT_EQ(Str(ch.urRoute), Padded("REMOTE-C", 16));
  EXPECT_EQ(ch.urRouteIndex, 2u);
  EXPECT_EQ(Str(ch.rpt1Route), Padded("ACCESS-B", 16) + "G");  // gateway form
  EXPECT_EQ(ch.rpt1RouteIndex, 0u);
  EXPECT_EQ(Str(ch.rpt2Route), Padded("SAME-SITE-C", 17));
  EXPECT_EQ(ch.rpt2RouteIndex, 1u);  // RPT2 needs no frequency

  ch = Channel("QQ2ABC", "ABCDEF C", "ZZZZZZ B", 1);
  ResetChannelRoute(ch);
  ResolveRptDisplay(ch);
  EXPECT_EQ(Str(ch.urRoute), Padded("BOB", 16));
  EXPECT_EQ(ch.urRouteIndex, 1500u);
  EXPECT_EQ(Str(ch.rpt1Route), Padded("SAME-SITE-C", 17));
  EXPECT_EQ(ch.rpt1RouteIndex, 1500u);  // found, but at 0 Hz
  EXPECT_EQ(Str(ch.rpt2Route), Padded("ZZZZZZ B", 17));
  EXPECT_EQ(ch.rpt2RouteIndex, 1500u);
}

TEST_F(RouteDisplayTest, ARecordWithoutImageResolvesNothing) {
  datCh ch;
  SetText(ch.urCall, "QQ1XYZ");
  SetText(ch.rpt1Call, "ABCDEF B");
  ch.duplex = 1;
  GetDvRouteStatus(ch);
  EXPECT_EQ(ch.routeKind, dvroute::kKindSingleMissing);
  EXPECT_EQ(Str(ch.routeDestName), Padded("QQ1XYZ", 16));
}

TEST(RouteKindTextTest, EveryKindHasItsText) {
  EXPECT_EQ(Str(RouteKindText(3)), "Asist Link ");
  EXPECT_EQ(Str(RouteKindText(8)), "Asist Link?");
  EXPECT_EQ(Str(RouteKindText(9)), "Gateway?   ");
  EXPECT_EQ(Str(RouteKindText(5)), "?          ");
  EXPECT_EQ(Str(RouteKindText(99)), "?          ");
}

}  // namespace
