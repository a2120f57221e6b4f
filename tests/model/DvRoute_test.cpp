// kw-test: link=kw_test_model_support
// Digital-voice routes on the list fixture: access and destination
// statuses, route writing into channels, and the slash call-sign forms.
#include "model/DvRoute.h"

#include <gtest/gtest.h>

#include <string>

#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/model/ListFixture.h"

namespace {

template <std::size_t N>
std::string Str(const datText<N>& text) {
  return std::string(text.data(), N);
}

RouteName Name(const char* text) { return CopyPaddedName16(text); }

std::string Padded(const char* text, std::size_t n) {
  std::string s(text);
  s.resize(n, ' ');
  return s;
}

// Fixture: R0 ACCESS-B (gateway), R1 SAME-SITE-C (0 Hz), R2 REMOTE-C
// (other gateway), R3 NOGW-A (no gateway); your-call ALICE, BOB, CAROL.
class DvRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = kwtest::LoadListFixture("dv-routes.txt");
    initial = kwtest::InitialImageDest0();
    // Mark the three band-default records, so a test can tell which one a
    // new channel took.
    for (int r = 0; r < layout::kBandDefaultCount; ++r)
      initial.SetByte(layout::kBandDefaults + layout::kBandDefaultSize * r + 15,
                      static_cast<std::uint8_t>(100 + r));
  }

  void EditRepeater(int i, void (*edit)(datCh&)) {
    datCh r(&image);
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    edit(r);
    ASSERT_TRUE(r.StoreSelf());
  }

  datCh UnusedChannel() {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, 30);
    EXPECT_FALSE(ch.IsUsed());
    return ch;
  }

  ScopedDestination destination{indDestination(0)};
  cmcEeprom image;
  cmcEeprom initial;
};

TEST(DvRouteTextTest, SlashFormsGoBothWays) {
  EXPECT_EQ(Str(MakeSlashUrCall("KLMNOP C")), "/KLMNOPC");
  EXPECT_EQ(Str(SlashUrToRptCall("/KLMNOPC")), "KLMNOP C");
  EXPECT_EQ(Str(MakeSlashUrCall("        ")), "        ");
  EXPECT_EQ(Str(SlashUrToRptCall("KLMNOP C")), "KLMNOP C");  // only "/" texts change
  EXPECT_EQ(Str(MakeSlashUrCall("KLMNOPXC")), "/KLMNOPC");   // the seventh character goes
}

TEST(DvRouteTextTest, PaddedNamesNeverSplitADoubleByteCharacter) {
  EXPECT_EQ(Str(CopyPaddedName16("ALICE   ")), Padded("ALICE", 16));
  EXPECT_EQ(Str(CopyPaddedName16("0123456789ABCDEFGH")), "0123456789ABCDEF");
  // 15 single bytes, then a double-byte character that would straddle the end.
  const std::string text = std::string("ABCDEFGHIJKLMNO") + "\x82\xA0";
  EXPECT_EQ(Str(CopyPaddedName16(text)), "ABCDEFGHIJKLMNO ");
}

TEST_F(DvRouteTest, AccessStatusOfTheFixtureRepeaters) {
  EXPECT_EQ(GetRptAccessStatus(image, 0, true), dvaccess::kGateway);
  EXPECT_EQ(GetRptAccessStatus(image, 1, true), dvaccess::kUnusable);  // 0 Hz
  EXPECT_EQ(GetRptAccessStatus(image, 2, true), dvaccess::kGateway);
  EXPECT_EQ(GetRptAccessStatus(image, 3, true), dvaccess::kNoGateway);
  for (int none : {4, 1499, 1500, 1501, 65535, -1})  // past the list, or no index
    EXPECT_EQ(GetRptAccessStatus(image, none, true), dvaccess::kNotFound) << none;
}

TEST_F(DvRouteTest, AccessStatusChecksOffsetAndBandOnlyWhenAsked) {
  // 59999999 Hz cannot be stored in a repeater; 59995000 is the largest
  // offset below the limit that can.
  EditRepeater(0, [](datCh& r) { r.offset = 59995000; });
  EXPECT_EQ(GetRptAccessStatus(image, 0, true), dvaccess::kGateway);
  EditRepeater(0, [](datCh& r) { r.offset = 60000000; });
  EXPECT_EQ(GetRptAccessStatus(image, 0, true), dvaccess::kUnusable);
  EXPECT_EQ(GetRptAccessStatus(image, 0, false), dvaccess::kGateway);

  EditRepeater(3, [](datCh& r) { r.freq = 127000000; });  // air band
  EXPECT_EQ(GetRptAccessStatus(image, 3, true), dvaccess::kUnusable);
  EXPECT_EQ(GetRptAccessStatus(image, 3, false), dvaccess::kNoGateway);
  EditRepeater(3, [](datCh& r) { r.freq = 200000000; });  // not allowed for destination 0
  EXPECT_EQ(GetRptAccessStatus(image, 3, true), dvaccess::kUnusable);
  EditRepeater(3, [](datCh& r) { r.duplex = 0; });
  EXPECT_EQ(GetRptAccessStatus(image, 3, false), dvaccess::kUnusable);
}

TEST_F(DvRouteTest, CheckDvRouteClassifiesPairs) {
  const struct Case {
    const char* access;
    const char* dest;
    int accessStatus, destStatus;
    bool valid;
    const char* destAfter;  // the destination text afterwards
  } cases[] = {
      {"ACCESS-B", "REMOTE-C", 3, 4, true, "REMOTE-C"},
      {"ACCESS-B", "SAME-SITE-C", 3, 2, true, "SAME-SITE-C"},
      {"ACCESS-B", "ACCESS-B", 3, 1, true, "ACCESS-B"},
      {"ACCESS-B", "ALICE", 3, 6, true, "ALICE"},
      {"ACCESS-B", "CQCQCQ", 3, 5, true, "CQCQCQ"},
      {"ACCESS-B", "", 3, 0, false, ""},
      {"ACCESS-B", "NOBODY", 3, 6, true, "NOBODY"},  // names no repeater
      {"ACCESS-B", "NOGW-A", 3, 3, false, "NOGW-A"},
      {"NOGW-A", "REMOTE-C", 2, 4, false, "REMOTE-C"},
      {"NOGW-A", "ALICE", 2, 6, true, "ALICE"},
      {"SAME-SITE-C", "CQCQCQ", 1, 5, false, "CQCQCQ"},  // unusable access
      {"NO-SUCH", "CQCQCQ", 4, 5, false, "CQCQCQ"},
      {"NO-SUCH", "REMOTE-C", 4, 1, false, "REMOTE-C"},
      {"", "CQCQCQ", 0, 5, true, "CQCQCQ"},
      {"", "REMOTE-C", 0, 1, false, "REMOTE-C"},
      {"ABCDEF B", "KLMNOP C", 3, 4, true, "KLMNOP C"},  // call signs instead of names
      // "/" destinations: rewritten when they reach the access site, blanked
      // when they reach a repeater without gateway, else unreachable.
      {"ACCESS-B", "/ABCDEFC", 3, 2, true, "ABCDEF C"},
      {"ACCESS-B", "/ABCDEFB", 3, 1, true, "ABCDEF B"},
      {"ACCESS-B", "/QRSTUVA", 3, 0, false, ""},
      {"ACCESS-B", "/KLMNOPC", 3, 7, true, "/KLMNOPC"},
      {"ACCESS-B", "/ZZZZZZC", 3, 7, true, "/ZZZZZZC"},
  };
  for (const Case& c : cases) {
    RouteName dest = Name(c.dest);
    const DvRouteCheck check = CheckDvRoute(image, Name(c.access), dest, true);
    EXPECT_EQ(check.access, c.accessStatus) << c.access << " / " << c.dest;
    EXPECT_EQ(check.dest, c.destStatus) << c.access << " / " << c.dest;
    EXPECT_EQ(IsDvRouteValid(check.access, check.dest), c.valid) << c.access << " / " << c.dest;
    EXPECT_EQ(Str(dest), Padded(c.destAfter, 16)) << c.access << " / " << c.dest;
  }
}

TEST_F(DvRouteTest, YourCallNamesWinAndBlankCallRepeatersAreBlank) {
  // BOB becomes "REMOTE-C": the your-call name wins over the repeater name.
  datCh ur(&image);
  ur.Load(itemkind::kYourCall, 1);
  SetText(ur.name, "REMOTE-C");
  ASSERT_TRUE(ur.StoreSelf());
  // A DV repeater without call sign names no destination.
  EditRepeater(2, [](datCh& r) { SetText(r.rptCall, ""); });
  RouteName dest = Name("REMOTE-C");
  EXPECT_EQ(CheckDvRoute(image, Name("ACCESS-B"), dest, true).dest, dvdest::kYourCall);
  ur.Load(itemkind::kYourCall, 1);
  SetText(ur.name, "BOB");
  ASSERT_TRUE(ur.StoreSelf());
  EXPECT_EQ(CheckDvRoute(image, Name("ACCESS-B"), dest, true).dest, dvdest::kBlank);
}

TEST(DvRoutePairTest, ValidPairsAndRpt2Choices) {
  for (int access = 0; access <= 4; ++access) {
    for (int dest = 0; dest <= 7; ++dest) {
      const bool cq = dest == dvdest::kCq;
      if (access == dvaccess::kUnusable || access == dvaccess::kNotFound) {
        EXPECT_FALSE(IsDvRouteValid(access, dest)) << access << "," << dest;
      } else if (cq) {
        EXPECT_TRUE(IsDvRouteValid(access, dest)) << access << "," << dest;
      }
    }
  }
  EXPECT_FALSE(IsDvRouteValid(dvaccess::kNone, dvdest::kSameRpt));
  EXPECT_FALSE(IsDvRouteValid(dvaccess::kNoGateway, dvdest::kUnreachable));
  EXPECT_TRUE(IsDvRouteValid(dvaccess::kGateway, dvdest::kUnreachable));
  EXPECT_EQ(GetRpt2ChoiceKind(dvaccess::kNoGateway, dvdest::kYourCall), 1);
  EXPECT_EQ(GetRpt2ChoiceKind(dvaccess::kGateway, dvdest::kYourCall), 2);
  EXPECT_EQ(GetRpt2ChoiceKind(dvaccess::kGateway, dvdest::kCq), 0);
  EXPECT_EQ(GetRpt2ChoiceKind(dvaccess::kNone, dvdest::kYourCall), 0);
}

TEST_F(DvRouteTest, SameSiteMeansSameCallOrSameGateway) {
  EXPECT_TRUE(IsRptSameSite(image, 0, 1));   // one gateway
  EXPECT_TRUE(IsRptSameSite(image, 1, 0));   // 0 Hz does not matter
  EXPECT_FALSE(IsRptSameSite(image, 0, 2));  // other gateway
  EXPECT_TRUE(IsRptSameSite(image, 3, 3));   // own call sign, no gateway
  EXPECT_FALSE(IsRptSameSite(image, 3, 0));
  EXPECT_FALSE(IsRptSameSite(image, 0, 4));  // past the list
  EXPECT_FALSE(IsRptSameSite(image, 1500, 0));
  EXPECT_FALSE(IsRptSameSite(image, -1, 0));
}

TEST_F(DvRouteTest, SetDvRouteByNamesWritesTheThreeCallSigns) {
  const struct Case {
    const char* access;
    const char* dest;
    int rpt2Mode;
    const char* rpt2Name;
    const char* ur;
    const char* rpt1;
    const char* rpt2;
    std::uint32_t freq;
    int bandRecord;
  } cases[] = {
      {"ACCESS-B", "REMOTE-C", 1, "", "/KLMNOPC", "ABCDEF B", "ABCDEF G", 439010000, 2},
      {"ACCESS-B", "SAME-SITE-C", 1, "", "CQCQCQ  ", "ABCDEF B", "ABCDEF C", 439010000, 2},
      {"ACCESS-B", "ACCESS-B", 1, "", "CQCQCQ  ", "ABCDEF B", "", 439010000, 2},
      {"ACCESS-B", "ALICE", 1, "", "QQ1XYZ  ", "ABCDEF B", "", 439010000, 2},
      {"ACCESS-B", "ALICE", 2, "SAME-SITE-C", "QQ1XYZ  ", "ABCDEF B", "ABCDEF C", 439010000, 2},
      {"ACCESS-B", "ALICE", 3, "", "QQ1XYZ  ", "ABCDEF B", "ABCDEF G", 439010000, 2},
      {"ACCESS-B", "ALICE", 0, "SAME-SITE-C", "QQ1XYZ  ", "ABCDEF B", "", 439010000, 2},
      {"ACCESS-B", "/QRSTUVA", 1, "", "/QRSTUVA", "ABCDEF B", "ABCDEF G", 439010000, 2},
      {"ACCESS-B", "", 1, "", "", "", "", 439010000, 2},
      {"NOGW-A", "CQCQCQ", 1, "", "CQCQCQ  ", "QRSTUV A", "", 145300000, 1},
      {"QRSTUV A", "CQCQCQ", 1, "", "CQCQCQ  ", "QRSTUV A", "", 145300000, 1},
      {"", "ALICE", 1, "", "QQ1XYZ  ", "", "", 430000000, 2},
      {"", "REMOTE-C", 1, "", "KLMNOP C", "", "", 430000000, 2},
      {"", "CQCQCQ", 1, "", "CQCQCQ  ", "", "", 430000000, 2},
      {"", "CQCQCQ", 3, "", "CQCQCQ  ", "", "", 430000000, 2},
      {"NO-SUCH", "BOB", 1, "", "QQ2ABC  ", "", "", 430000000, 2},  // unknown access: none
  };
  for (const Case& c : cases) {
    datCh ch = UnusedChannel();
    ASSERT_TRUE(
        SetDvRouteByNames(ch, initial, Name(c.access), Name(c.dest), Name(c.rpt2Name), c.rpt2Mode))
        << c.access << " / " << c.dest;
    EXPECT_EQ(Str(ch.urCall), Padded(c.ur, 8)) << c.access << " / " << c.dest;
    EXPECT_EQ(Str(ch.rpt1Call), Padded(c.rpt1, 8)) << c.access << " / " << c.dest;
    EXPECT_EQ(Str(ch.rpt2Call), Padded(c.rpt2, 8)) << c.access << " / " << c.dest;
    EXPECT_EQ(ch.freq, c.freq) << c.access << " / " << c.dest;
    EXPECT_TRUE(ch.IsUsed());
    EXPECT_EQ(ch.mode, 5u);  // DV
    EXPECT_EQ(ch.dtcsCode, 100u + static_cast<std::uint32_t>(c.bandRecord))
        << c.access << " / " << c.dest;
    cmcEeprom scratch = image;  // the channel stays unused for the next case
    ch.SetImage(&scratch);
    EXPECT_TRUE(ch.StoreSelf()) << c.access << " / " << c.dest;
  }
}

TEST_F(DvRouteTest, RouteTakesTheAccessRepeatersDuplexIntoAUsedChannel) {
  datCh ch(&image);
  ch.Load(itemkind::kChannel, 5);  // A, 145 MHz, used
  const std::uint32_t ownCode = ch.dtcsCode;
  ASSERT_TRUE(SetDvRouteByNames(ch, initial, Name("NOGW-A"), Name("ALICE"), Name(""), 1));
  EXPECT_EQ(ch.freq, 145300000u);
  EXPECT_EQ(ch.duplex, 1u);
  EXPECT_EQ(ch.offset, 600000u);
  EXPECT_EQ(Str(ch.name), Padded("A", 16));  // a used channel keeps its own settings
  EXPECT_EQ(ch.dtcsCode, ownCode);
}

// Names are taken by value: a caller may pass the record's own route fields,
// which the band defaults of an unused channel overwrite.
TEST_F(DvRouteTest, NamesMayComeFromTheRecordItself) {
  datCh ch = UnusedChannel();
  ch.routeAccessName = Name("ACCESS-B");
  ch.routeDestName = Name("REMOTE-C");
  ASSERT_TRUE(
      SetDvRouteByNames(ch, initial, ch.routeAccessName, ch.routeDestName, ch.routeRpt2Name, 1));
  EXPECT_EQ(Str(ch.urCall), "/KLMNOPC");
  EXPECT_EQ(Str(ch.rpt1Call), "ABCDEF B");
}

TEST_F(DvRouteTest, AnUnusableAccessRepeaterIsRefusedAndTheRecordKept) {
  const int refused[] = {1, 4, 1499};  // 0 Hz, past the list
  for (int a : refused) {
    datCh ch(&image);
    ch.Load(itemkind::kChannel, 6);
    const datCh before = ch;
    EXPECT_FALSE(WriteDvRoute(ch, initial, a, 2, kRouteNone, Name(""))) << a;
    EXPECT_EQ(ch.freq, before.freq);
    EXPECT_EQ(ch.mode, before.mode);
    EXPECT_EQ(Str(ch.urCall), Str(before.urCall));
    EXPECT_EQ(Str(ch.rpt1Call), Str(before.rpt1Call));
  }
  // Offsets and bands are checked too, whatever the caller checked before.
  EditRepeater(0, [](datCh& r) { r.offset = 60000000; });
  datCh ch = UnusedChannel();
  EXPECT_FALSE(SetDvRouteByNames(ch, initial, Name("ACCESS-B"), Name("REMOTE-C"), Name(""), 1));
  EXPECT_FALSE(ch.IsUsed());
  // Negative indexes are no access repeater at all.
  EXPECT_TRUE(WriteDvRoute(ch, initial, -7, kRouteCq, kRouteNone, Name("")));
  EXPECT_EQ(Str(ch.rpt1Call), "        ");
}

TEST_F(DvRouteTest, AnRpt2NameOfNoRepeaterLeavesRpt2Blank) {
  datCh ch = UnusedChannel();
  ASSERT_TRUE(SetDvRouteByNames(ch, initial, Name("ACCESS-B"), Name("ALICE"), Name("NO-SUCH"), 2));
  EXPECT_EQ(Str(ch.urCall), "QQ1XYZ  ");
  EXPECT_EQ(Str(ch.rpt1Call), "ABCDEF B");
  EXPECT_EQ(Str(ch.rpt2Call), "        ");
  // The same for RPT2 indexes of no repeater handed in directly.
  for (int x : {65535, 4, 1499, -2}) {
    datCh direct = UnusedChannel();
    ASSERT_TRUE(WriteDvRoute(direct, initial, 0, kRouteDirect, x, Name("QQ1XYZ"))) << x;
    EXPECT_EQ(Str(direct.rpt2Call), "        ") << x;
  }
}

TEST_F(DvRouteTest, OtherDestinationIndexesLeaveTheCallSigns) {
  datCh ch(&image);
  ch.Load(itemkind::kChannel, 5);
  SetText(ch.urCall, "KEEPUR");
  for (int d : {1503, 4, -1}) {
    ASSERT_TRUE(WriteDvRoute(ch, initial, 0, d, kRouteNone, Name(""))) << d;
    EXPECT_EQ(Str(ch.urCall), "KEEPUR  ") << d;
    EXPECT_EQ(ch.freq, 439010000u);
  }
}

TEST_F(DvRouteTest, ARecordWithoutImageIsRefused) {
  datCh ch;
  ch.Load(itemkind::kChannel, 5);
  EXPECT_FALSE(SetDvRouteByNames(ch, initial, Name(""), Name("CQCQCQ"), Name(""), 1));
  cmcEeprom small;
  small.SetSize(16);
  datCh bound(&image);
  bound.Load(itemkind::kChannel, 30);
  EXPECT_FALSE(WriteDvRoute(bound, small, kRouteNone, kRouteCq, kRouteNone, Name("")));
  EXPECT_FALSE(bound.IsUsed());
}

}  // namespace
