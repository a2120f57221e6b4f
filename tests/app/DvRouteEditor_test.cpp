// kw-test: link=kw_test_model_support
// The Repeater Setting dialog's decisions without a display: how a channel
// opens, what each choice of access repeater, called station and RPT2 does
// to the three call signs, what OK gives, and how a typed called station is
// read back into a 16-byte name.
#include "app/DvRouteEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/RouteDisplay.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/model/ListFixture.h"

namespace {

template <std::size_t N>
std::string Trim(const datText<N>& field) {
  std::string text(field.begin(), field.end());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

RouteName Name(const char* text) {
  RouteName name;
  SetText(name, text);
  return name;
}

struct Boxes {
  std::string ur, rpt1, rpt2;
  bool operator==(const Boxes&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Boxes& b) {
  return out << '"' << b.ur << "\" / \"" << b.rpt1 << "\" / \"" << b.rpt2 << '"';
}

Boxes BoxesOf(const DvRouteEditor& e) { return {Trim(e.Ur()), Trim(e.Rpt1()), Trim(e.Rpt2())}; }

std::vector<std::string> ChoiceTexts(const DvRouteEditor& e) {
  std::vector<std::string> out;
  for (const Rpt2Choice& c : e.Choices()) {
    std::string text = c.text;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out.push_back(text);
  }
  return out;
}

class DvRouteEditorTest : public ::testing::Test {
 protected:
  DvRouteEditorTest() { SelectTextTable(texts_, TextTable::English); }

  // The channel as the cell handler hands it over: with its route summed up.
  datCh Channel(int n) {
    datCh r(&image_);
    r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    ResetChannelRoute(r);
    ResolveRptDisplay(r);
    GetDvRouteStatus(r);
    return r;
  }
  DvRouteEditor Open(int n) { return DvRouteEditor(image_, initial_, texts_, true, Channel(n)); }

  cmcGTex texts_;
  ScopedDestination destination_{indDestination(0)};
  cmcEeprom initial_ = kwtest::InitialImageDest0();
  cmcEeprom image_ = kwtest::LoadListFixture("dv-route-dialogs.txt");
};

TEST_F(DvRouteEditorTest, AChannelWithoutRouteBuildsOneFromAccessRepeaterCalledStationAndRpt2) {
  ASSERT_FALSE(Channel(30).IsUsed());
  DvRouteEditor e = Open(30);
  EXPECT_EQ(e.AccessText(), "");
  EXPECT_EQ(e.CalledText(), "CQCQCQ");
  EXPECT_EQ(BoxesOf(e), (Boxes{"CQCQCQ", "", ""}));
  EXPECT_FALSE(e.SelectEnabled());

  e.ChooseAccess(Name("ACCESS-B"));
  EXPECT_EQ(e.AccessText(), "ACCESS-B");
  EXPECT_EQ(BoxesOf(e), (Boxes{"CQCQCQ", "ABCDEF B", ""}));
  EXPECT_FALSE(e.SelectEnabled());
  EXPECT_EQ(e.Work().freq, 439'010'000u) << "the access repeater's frequency";

  e.ChooseCalled(Name("ALICE"));
  EXPECT_EQ(e.CalledText(), "ALICE");
  EXPECT_EQ(BoxesOf(e), (Boxes{"QQ1XYZ", "ABCDEF B", "ABCDEF G"}));
  EXPECT_TRUE(e.SelectEnabled());
  EXPECT_EQ(e.SelectText(), "Gateway");
  EXPECT_EQ(ChoiceTexts(e),
            (std::vector<std::string>{"Same Repeater", "ACCESS-B", "SAME-SITE-C", "Gateway"}));
  EXPECT_EQ(e.Rpt2Selected(), 3);
  EXPECT_EQ(e.Rpt2Mode(), kRpt2Gateway);

  ASSERT_TRUE(e.PickRpt2(2));
  EXPECT_EQ(e.Rpt2Mode(), kRpt2NamedRpt);
  EXPECT_EQ(e.SelectText(), "SAME-SITE-C");
  EXPECT_EQ(BoxesOf(e), (Boxes{"QQ1XYZ", "ABCDEF B", "ABCDEF C"}));
  // A site repeater stays chosen when the choices are built again.
  e.ChooseAccess(Name("ACCESS-B"));
  EXPECT_EQ(e.SelectText(), "SAME-SITE-C");
  EXPECT_EQ(BoxesOf(e), (Boxes{"QQ1XYZ", "ABCDEF B", "ABCDEF C"}));

  ASSERT_TRUE(e.PickRpt2(0));
  EXPECT_EQ(e.Rpt2Mode(), kRpt2SameRpt);
  EXPECT_EQ(BoxesOf(e), (Boxes{"QQ1XYZ", "ABCDEF B", ""}));
  EXPECT_FALSE(e.PickRpt2(4));
  EXPECT_FALSE(e.PickRpt2(-1));
  EXPECT_EQ(e.SelectText(), "Same Repeater");
}

TEST_F(DvRouteEditorTest, ARepeaterOfAnotherSiteGoesThroughTheGatewayUntilTheAccessCannotReachIt) {
  DvRouteEditor e = Open(30);
  e.ChooseAccess(Name("ACCESS-B"));
  e.ChooseCalled(Name("REMOTE-C"));
  EXPECT_EQ(BoxesOf(e), (Boxes{"/KLMNOPC", "ABCDEF B", "ABCDEF G"}));
  EXPECT_FALSE(e.SelectEnabled());
  const int revision = e.CalledRevision();
  e.ChooseAccess(Name("NOGW-A"));
  EXPECT_EQ(e.CalledText(), "CQCQCQ") << "the called station is reset";
  EXPECT_GT(e.CalledRevision(), revision);
  EXPECT_EQ(BoxesOf(e), (Boxes{"CQCQCQ", "QRSTUV A", ""}));
}

TEST_F(DvRouteEditorTest, ATypedCalledStationGoesThroughTheCallSignFilter) {
  struct Case {
    const char* typed;
    Boxes boxes;
  };
  const Case cases[] = {
      {"ja1abc", {"JA1ABC", "ABCDEF B", "ABCDEF G"}},
      {"ab-1", {"", "ABCDEF B", "ABCDEF G"}},  // not call-sign characters: a blank UR
      {"/KLMNOPC", {"/KLMNOPC", "ABCDEF B", "ABCDEF G"}},
      {"", {"", "", ""}},  // no called station: no route
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    DvRouteEditor e = Open(30);
    e.ChooseAccess(Name("ACCESS-B"));
    const int revision = e.CalledRevision();
    e.TypeCalled(ReadBackName16(QString::fromUtf8(c.typed)));
    EXPECT_EQ(BoxesOf(e), c.boxes);
    EXPECT_EQ(e.CalledRevision(), revision) << "typing never rewrites the edit";
    EXPECT_EQ(Trim(e.Accept().urCall), c.boxes.ur);
  }
}

TEST_F(DvRouteEditorTest, TypingKeepsTheRpt2PickWhileTheTextIsClearedAndRetyped) {
  DvRouteEditor e = Open(30);
  e.ChooseAccess(Name("ACCESS-B"));
  e.TypeCalled(ReadBackName16("JA1ABC"));
  ASSERT_TRUE(e.PickRpt2(2));
  e.TypeCalled(ReadBackName16(""));
  e.TypeCalled(ReadBackName16("JA1AB"));
  EXPECT_EQ(e.SelectText(), "SAME-SITE-C");
  EXPECT_EQ(BoxesOf(e), (Boxes{"JA1AB", "ABCDEF B", "ABCDEF C"}));
  // Going to CQCQCQ and back builds the choices again, on the gateway.
  e.TypeCalled(ReadBackName16("CQCQCQ"));
  EXPECT_FALSE(e.SelectEnabled());
  e.TypeCalled(ReadBackName16("JA1AB"));
  EXPECT_EQ(e.SelectText(), "Gateway");
}

TEST_F(DvRouteEditorTest, OkOnAnInvalidPairKeepsTheChannelsOwnSettingsWithBlankCallSigns) {
  const datCh before = Channel(31);
  DvRouteEditor e = Open(31);
  e.ChooseAccess(Name("NOGW-A"));
  EXPECT_EQ(e.Work().freq, 145'300'000u);
  e.TypeCalled(ReadBackName16("REMOTE-C"));
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(BoxesOf(e), (Boxes{"", "", ""}));
  const datCh ok = e.Accept();
  EXPECT_EQ(Trim(ok.urCall) + Trim(ok.rpt1Call) + Trim(ok.rpt2Call), "");
  EXPECT_EQ(ok.freq, 145'000'000u);
  EXPECT_EQ(ok.mode, before.mode);
  EXPECT_EQ(ok.duplex, 0u);
  EXPECT_EQ(ok.offset, before.offset);
  EXPECT_TRUE(ok.IsUsed());
  EXPECT_EQ(ok.index, 31u);
}

TEST_F(DvRouteEditorTest, AnAcceptedRouteReopensAsItWasChosen) {
  const cmcEeprom pristine = image_;
  {
    DvRouteEditor e = Open(30);
    e.ChooseAccess(Name("ACCESS-B"));
    e.ChooseCalled(Name("ALICE"));
    ASSERT_TRUE(e.PickRpt2(2));
    EXPECT_EQ(image_, pristine) << "the editor never writes the image";
    datCh ok = e.Accept();
    EXPECT_TRUE(ok.IsUsed());
    EXPECT_EQ(ok.mode, 5u);
    ASSERT_TRUE(ok.StoreSelf());
  }
  DvRouteEditor e = Open(30);
  EXPECT_EQ(e.AccessText(), "ACCESS-B");
  EXPECT_EQ(e.CalledText(), "ALICE");
  EXPECT_EQ(e.SelectText(), "SAME-SITE-C");
  EXPECT_EQ(BoxesOf(e), (Boxes{"QQ1XYZ", "ABCDEF B", "ABCDEF C"}));

  // The same route on an access repeater that can no longer be used starts
  // fresh.
  datCh access(&image_);
  access.Load(itemkind::kRepeater, 0);
  access.duplex = 0;
  ASSERT_TRUE(access.StoreSelf());
  DvRouteEditor fresh = Open(30);
  EXPECT_EQ(fresh.AccessText(), "");
  EXPECT_EQ(fresh.CalledText(), "CQCQCQ");
  EXPECT_EQ(BoxesOf(fresh), (Boxes{"CQCQCQ", "", ""}));
}

TEST(DvCalledTextTest, IsReadBackAsSixteenBytesOfCodePage932) {
  struct Case {
    const char* what;
    QString typed;
    std::string name;
  };
  const QString fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
  const Case cases[] = {
      {"short text padded", QStringLiteral("ja1abc"), "ja1abc          "},
      {"20 letters cut to 16", QStringLiteral("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOP"},
      {"a double-byte character never split", fifteen + QString::fromUtf8("\u3042"),
       "ABCDEFGHIJKLMNO "},
      {"a double-byte character that fits", QString::fromUtf8("\u3042A"),
       "\x82\xA0"
       "A             "},
      {"a character without a code is a blank", QString::fromUtf8("A\U0001F600B"),
       "A B             "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RouteName name = ReadBackName16(c.typed);
    EXPECT_EQ(std::string(name.begin(), name.end()), c.name);
  }
  EXPECT_EQ(LimitCalledText(QStringLiteral("ABCDEFGHIJKLMNOPQRST")),
            QStringLiteral("ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(LimitCalledText(fifteen + QString::fromUtf8("\u3042")), fifteen);
  EXPECT_EQ(LimitCalledText(QString::fromUtf8("\U0001F600") + fifteen),
            QString::fromUtf8("\U0001F600") + fifteen);
}

}  // namespace
