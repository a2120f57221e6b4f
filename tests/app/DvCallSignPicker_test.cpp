// kw-test: link=kw_test_model_support
// The call-sign selector's decisions without a display: what each kind of
// run lists, which entry it starts on, what OK gives, and how clicks move
// through the lists, over a small repeater and your-call fixture.
#include "app/DvCallSignPicker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/ListCounts.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/model/ListFixture.h"

namespace {

using namespace dvpick;

constexpr int kGroup01 = 3;  // kind-list positions of kinds 0 and 3
constexpr int kRepeaterListUr = 2;
constexpr int kRepeaterListRpt = 1;  // kinds 1, 2 and 4

std::string Trim(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::vector<std::string> Trimmed(const PickerList& list) {
  std::vector<std::string> out;
  for (const std::string& e : list.entries) out.push_back(Trim(e));
  return out;
}

RouteName Name(const char* text) {
  RouteName name;
  SetText(name, text);
  return name;
}

class DvCallSignPickerTest : public ::testing::Test {
 protected:
  DvCallSignPickerTest() { SelectTextTable(texts_, TextTable::English); }
  ~DvCallSignPickerTest() override { SelectTextTable(texts_, TextTable::English); }

  DvCallSignPicker Picker(int kind, std::string value = "", std::string second = "",
                          const char* access = "") {
    DvCallSignPicker::Setup setup;
    setup.kind = kind;
    setup.value = std::move(value);
    setup.second = std::move(second);
    setup.accessName = Name(access);
    return DvCallSignPicker(image_, texts_, setup);
  }

  cmcGTex texts_;
  ScopedDestination destination_{indDestination(0)};
  cmcEeprom image_ = kwtest::LoadListFixture("dv-route-dialogs.txt");
};

TEST_F(DvCallSignPickerTest, TheLeftListOffersTheSourcesThenTheFiftyGroups) {
  const DvCallSignPicker ur = Picker(kKindUr);
  const PickerList& kinds = ur.KindList();
  ASSERT_EQ(kinds.entries.size(), 53u);
  EXPECT_EQ(kinds.entries[0], "CQCQCQ");
  EXPECT_EQ(kinds.entries[1], "Your Call Sign");
  EXPECT_EQ(kinds.entries[2], "Repeater List");
  EXPECT_EQ(ur.DisplayText(kListKind, kGroup01), QString::fromUtf8(" \u00B7 01: KANTO           "));
  EXPECT_EQ(kinds.entries[52].substr(0, 7), " \xB7 50: ");
  EXPECT_EQ(kinds.selected, 0);
  EXPECT_EQ(ur.CodeAt(0), kCodeCq);
  EXPECT_EQ(ur.CodeAt(2), kCodeRepeaterList);
  EXPECT_EQ(ur.CodeAt(52), kCodeFirstGroup + 49);
  EXPECT_EQ(ur.CodeAt(53), -1);

  const DvCallSignPicker rpt1 = Picker(kKindRpt1);
  ASSERT_EQ(rpt1.KindList().entries.size(), 52u);
  EXPECT_EQ(rpt1.KindList().entries[0], "not used");
  EXPECT_EQ(rpt1.KindList().entries[1], "Repeater List");
  EXPECT_EQ(rpt1.CodeAt(0), kCodeNotUsed);
  EXPECT_EQ(rpt1.CodeAt(2), kCodeFirstGroup);

  // The Japanese interface draws the half-width middle dot of code page 932.
  SelectTextTable(texts_, TextTable::Japanese);
  DvCallSignPicker::Setup setup;
  setup.japaneseDot = true;
  const DvCallSignPicker japanese(image_, texts_, setup);
  EXPECT_EQ(japanese.DisplayText(kListKind, kGroup01),
            QString::fromUtf8(" \uFF65 01: KANTO           "));
}

TEST_F(DvCallSignPickerTest, EachKindListsTheRepeatersItCanUse) {
  struct Case {
    const char* what;
    int kind;
    const char* access;
    std::vector<std::string> names;
    std::vector<int> map;
  };
  const Case cases[] = {
      {"UR: DV repeaters with a call sign",
       kKindUr,
       "",
       {"ACCESS-B", "SAME-SITE-C", "REMOTE-C", "NOGW-A"},
       {0, 1, 2, 3}},
      {"RPT1", kKindRpt1, "", {"ACCESS-B", "SAME-SITE-C", "REMOTE-C", "NOGW-A"}, {0, 1, 2, 3}},
      {"RPT2", kKindRpt2, "", {"ACCESS-B", "SAME-SITE-C", "REMOTE-C", "NOGW-A"}, {0, 1, 2, 3}},
      {"access: usable repeaters only (SAME-SITE-C has no frequency)",
       kKindAccess,
       "",
       {"ACCESS-B", "REMOTE-C", "NOGW-A"},
       {0, 2, 3}},
      {"called: stations ACCESS-B reaches",
       kKindCalled,
       "ACCESS-B",
       {"ACCESS-B", "SAME-SITE-C", "REMOTE-C"},
       {0, 1, 2}},
      {"called without access repeater: none", kKindCalled, "", {"---"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DvCallSignPicker picker = Picker(c.kind, "", "", c.access);
    const bool urLike = c.kind == kKindUr || c.kind == kKindCalled;
    picker.Click(kListKind, urLike ? kRepeaterListUr : kRepeaterListRpt);
    EXPECT_EQ(picker.CurrentCode(), kCodeRepeaterList);
    EXPECT_EQ(Trimmed(picker.NameList()), c.names);
    std::vector<int> map;
    for (int e = 0; picker.RepeaterAt(e) >= 0; ++e) map.push_back(picker.RepeaterAt(e));
    EXPECT_EQ(map, c.map);
    EXPECT_EQ(picker.OkEnabled(), !c.map.empty());
    EXPECT_EQ(picker.NameList().enabled, !c.map.empty());
    if (c.map.empty()) {
      EXPECT_EQ(picker.CallList().entries, std::vector<std::string>{"---"});
      EXPECT_EQ(picker.Accept(), std::nullopt);
    }
  }
}

TEST_F(DvCallSignPickerTest, YourCallSignsShowTheirNameOrElseTheirCallSign) {
  DvCallSignPicker picker = Picker(kKindUr);
  picker.Click(kListKind, 1);
  EXPECT_EQ(Trimmed(picker.NameList()), (std::vector<std::string>{"ALICE", "JA1YOU"}));
  EXPECT_EQ(picker.YourCallAt(1), 1);
  EXPECT_EQ(picker.CallList().entries, std::vector<std::string>{"QQ1XYZ  "});
  picker.Click(kListName, 1);
  EXPECT_EQ(picker.CallList().entries, std::vector<std::string>{"JA1YOU  "});
  EXPECT_EQ(picker.Accept(), "JA1YOU  ");

  // Without any entry the source offers nothing.
  SetYourCallCount(image_, 0);
  DvCallSignPicker empty = Picker(kKindCalled);
  empty.Click(kListKind, 1);
  EXPECT_EQ(empty.NameList().entries, std::vector<std::string>{"---"});
  EXPECT_FALSE(empty.OkEnabled());
}

TEST_F(DvCallSignPickerTest, AGroupOfFmRepeatersOffersNothingUntilAnotherGroupIsChosen) {
  DvCallSignPicker picker = Picker(kKindUr);
  picker.Click(kListKind, kGroup01 + 2);  // group 03: FM-RPT only
  EXPECT_EQ(picker.NameList().entries, std::vector<std::string>{"---"});
  EXPECT_FALSE(picker.NameList().enabled);
  EXPECT_TRUE(picker.NameList().grey);
  EXPECT_FALSE(picker.OkEnabled());
  picker.Click(kListKind, kGroup01);
  EXPECT_TRUE(picker.OkEnabled());
  EXPECT_EQ(Trimmed(picker.NameList()), (std::vector<std::string>{"ACCESS-B", "SAME-SITE-C"}));
  // UR routes to a repeater by its "/" form.
  EXPECT_EQ(picker.CallList().entries, std::vector<std::string>{"/ABCDEFB"});
}

TEST_F(DvCallSignPickerTest, OpensOnTheEntryOfTheValueAndOkGivesIt) {
  struct Case {
    const char* what;
    int kind;
    std::string value, second;
    int kindPosition;
    std::vector<std::string> names;
    int nameSelected;
    std::vector<std::string> calls;
    int callSelected;
    std::string ok;
  };
  const Case cases[] = {
      {"blank RPT1", kKindRpt1, "        ", "", 0, {"---"}, -1, {"---"}, -1, "        "},
      {"RPT2 on the gateway of RPT1",
       kKindRpt2,
       "ABCDEF G",
       "ABCDEF B",
       2,
       {"ACCESS-B", "SAME-SITE-C"},
       0,
       {"ABCDEF B", "ABCDEF G"},
       1,
       "ABCDEF G"},
      {"UR found nowhere", kKindUr, "ZZ9ZZZ  ", "", 0, {"---"}, -1, {"---"}, -1, "CQCQCQ  "},
      {"UR routed to a repeater",
       kKindUr,
       "/KLMNOPC",
       "",
       kGroup01 + 1,
       {"REMOTE-C", "NOGW-A"},
       0,
       {"/KLMNOPC"},
       0,
       "/KLMNOPC"},
      {"UR of a your-call sign",
       kKindUr,
       "QQ1XYZ  ",
       "",
       1,
       {"ALICE", "JA1YOU"},
       0,
       {"QQ1XYZ  "},
       0,
       "QQ1XYZ  "},
      {"RPT1 on the second repeater of a group",
       kKindRpt1,
       "QRSTUV A",
       "",
       3,
       {"REMOTE-C", "NOGW-A"},
       1,
       {"QRSTUV A"},
       0,
       "QRSTUV A"},
      {"access repeater by name",
       kKindAccess,
       "NOGW-A          ",
       "",
       3,
       {"REMOTE-C", "NOGW-A"},
       1,
       {"QRSTUV A"},
       0,
       "NOGW-A          "},
      {"access repeater that is not usable",
       kKindAccess,
       "SAME-SITE-C     ",
       "",
       0,
       {"---"},
       -1,
       {"---"},
       -1,
       "                "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DvCallSignPicker picker = Picker(c.kind, c.value, c.second);
    EXPECT_EQ(picker.KindList().selected, c.kindPosition);
    EXPECT_EQ(Trimmed(picker.NameList()), c.names);
    EXPECT_EQ(picker.NameList().selected, c.nameSelected);
    EXPECT_EQ(picker.CallList().entries, c.calls);
    EXPECT_EQ(picker.CallList().selected, c.callSelected);
    EXPECT_EQ(picker.Accept(), c.ok);
  }
}

TEST_F(DvCallSignPickerTest, CalledStationsOpenOnRepeatersStationsAndTypedCallSigns) {
  // A called station is found by name, by call sign, by its "/" form or as
  // a your-call sign; a repeater the access repeater cannot reach is not
  // preselected.
  struct Case {
    const char* value;
    const char* access;
    int kindPosition;
    int nameSelected;
    const char* ok;
  };
  const Case cases[] = {
      {"REMOTE-C", "ACCESS-B", kGroup01 + 1, 0, "REMOTE-C        "},
      {"ABCDEF C", "ACCESS-B", kGroup01, 1, "SAME-SITE-C     "},
      {"/KLMNOPC", "ACCESS-B", kGroup01 + 1, 0, "REMOTE-C        "},
      {"ALICE", "ACCESS-B", 1, 0, "ALICE           "},
      {"QQ1XYZ", "", 1, 0, "ALICE           "},
      {"NOGW-A", "ACCESS-B", 0, -1, "CQCQCQ          "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const DvCallSignPicker picker = Picker(kKindCalled, c.value, "", c.access);
    EXPECT_EQ(picker.KindList().selected, c.kindPosition);
    EXPECT_EQ(picker.NameList().selected, c.nameSelected);
    EXPECT_EQ(picker.Accept(), c.ok);
  }
}

TEST_F(DvCallSignPickerTest, ClicksFillTheListsToTheRight) {
  DvCallSignPicker picker = Picker(kKindRpt1);
  picker.Click(kListKind, kRepeaterListRpt);
  picker.Click(kListName, 1);
  EXPECT_EQ(picker.CallList().entries, (std::vector<std::string>{"ABCDEF C", "ABCDEF G"}));
  picker.Click(kListCall, 1);
  EXPECT_EQ(picker.Accept(), "ABCDEF G");

  // Row 1 of another list shows its own entry's call signs.
  picker.Click(kListKind, kRepeaterListRpt + 2);  // group 02
  EXPECT_EQ(picker.CurrentNameIndex(), 0);
  picker.Click(kListName, 1);
  EXPECT_EQ(picker.CallList().entries, std::vector<std::string>{"QRSTUV A"});
  EXPECT_EQ(picker.Accept(), "QRSTUV A");

  // Clicks past the entries or on a list that offers nothing change nothing.
  picker.Click(kListName, 2);
  picker.Click(kListCall, 5);
  picker.Click(kListKind, 51);  // group 50: empty
  EXPECT_FALSE(picker.OkEnabled());
  picker.Click(kListName, 0);
  EXPECT_EQ(picker.NameList().entries, std::vector<std::string>{"---"});
  EXPECT_EQ(picker.Accept(), std::nullopt);
}

TEST_F(DvCallSignPickerTest, LeftAndRightWrapOverTheEnabledLists) {
  DvCallSignPicker picker = Picker(kKindRpt1);
  EXPECT_EQ(picker.FocusList(), kListKind) << "nothing to the right yet";
  EXPECT_EQ(picker.NextList(kListKind, +1), kListKind);
  picker.Click(kListKind, kRepeaterListRpt);
  EXPECT_EQ(picker.FocusList(), kListCall);
  EXPECT_EQ(picker.NextList(kListKind, +1), kListName);
  EXPECT_EQ(picker.NextList(kListCall, +1), kListKind);
  EXPECT_EQ(picker.NextList(kListKind, -1), kListCall);
  EXPECT_EQ(picker.NextList(kListName, -1), kListKind);

  // Name kinds never give the focus to the call signs.
  DvCallSignPicker access = Picker(kKindAccess);
  access.SetDetail(true);
  access.Click(kListKind, kRepeaterListRpt);
  EXPECT_TRUE(access.CallList().visible);
  EXPECT_FALSE(access.CallList().enabled);
  EXPECT_EQ(access.FocusList(), kListName);
  EXPECT_EQ(access.NextList(kListName, +1), kListKind);
}

TEST_F(DvCallSignPickerTest, DetailShowsTheCallSignsOfNamesOnly) {
  DvCallSignPicker access = Picker(kKindAccess);
  EXPECT_FALSE(access.Detail());
  EXPECT_FALSE(access.CallList().visible);
  access.SetDetail(true);
  EXPECT_TRUE(access.CallList().visible);
  access.Click(kListKind, kRepeaterListRpt);
  EXPECT_EQ(access.CallList().entries, std::vector<std::string>{"ABCDEF B"});
  EXPECT_TRUE(access.CallList().grey);
  EXPECT_EQ(access.Accept(), "ACCESS-B        ");

  DvCallSignPicker ur = Picker(kKindUr);
  ur.SetDetail(true);
  EXPECT_FALSE(ur.Detail());
  EXPECT_TRUE(ur.CallList().visible);
}

TEST_F(DvCallSignPickerTest, CountsPastTheListsCapacityAreClipped) {
  // 1500 DV repeaters with call signs, and group counts that add up to 3100.
  datCh r(&image_);
  for (int i = 0; i < layout::kRptCapacity; ++i) {
    r.Load(itemkind::kRepeater, static_cast<std::uint32_t>(i));
    r.flags |= datCh::kUsed;
    r.rptMode = layout::rpt::kTypeDv;
    const std::string call = "RP" + std::to_string(1000 + i) + " A";
    SetText(r.rptCall, call.c_str());
    SetText(r.name, "");
    ASSERT_TRUE(r.StoreSelf());
  }
  for (int g = 0; g < layout::kRptGroups; ++g)
    imageaccess::Set16(image_, layout::kRptGroupCounts + 2 * g, g < 3 ? 1000 : 2);
  DvCallSignPicker picker = Picker(kKindRpt1);
  picker.Click(kListKind, kRepeaterListRpt);
  ASSERT_EQ(picker.NameList().entries.size(), 1500u);
  EXPECT_EQ(picker.RepeaterAt(1499), 1499);
  EXPECT_EQ(picker.RepeaterAt(1500), -1);
  picker.Click(kListKind, kRepeaterListRpt + 2);  // group 02: 1000..1499
  ASSERT_EQ(picker.NameList().entries.size(), 500u);
  EXPECT_EQ(picker.NameList().entries.back(), "RP2499 A        ");
  picker.Click(kListKind, kRepeaterListRpt + 4);  // group 04: past the list
  EXPECT_EQ(picker.NameList().entries, std::vector<std::string>{"---"});
}

TEST_F(DvCallSignPickerTest, UndecodableNamesShowTheReplacementCharacterAndStillResolve) {
  datCh r(&image_);
  r.Load(itemkind::kRepeater, 2);
  const char damaged[] = "\x81\x20REMOTE-C      ";
  std::copy_n(damaged, 16, r.name.begin());
  ASSERT_TRUE(r.StoreSelf());
  const DvCallSignPicker picker = Picker(kKindAccess, std::string(damaged, 16));
  EXPECT_EQ(picker.KindList().selected, 3);
  EXPECT_EQ(picker.NameList().selected, 0);
  EXPECT_TRUE(picker.DisplayText(kListName, 0).startsWith(QChar(0xFFFD)));
  EXPECT_EQ(picker.Accept(), std::string(damaged, 16));
}

}  // namespace
