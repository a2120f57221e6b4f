// Widths and column-cut masks per sheet group: the group list, the checks
// on stored values and the reset that keeps the masks.
#include "sheet/ColWidthStore.h"

#include <gtest/gtest.h>

#include "core/cmcGTex.h"
#include "tests/sheet/SheetSettings.h"

namespace {

using platform::RegRoot;

class ColWidthStoreTest : public ::testing::Test {
 protected:
  ColWidthStoreTest() {
    std::vector<std::string> lines{""};
    for (const std::string& line : kwtest::WidthListLines(
             {"GI_Sheet_MemoryCH:memory", "no colon here", "GI_Sheet_Txed_Call_From:txcallfrom",
              "GI_Sheet_Txed_Call_FAnalog:txcallfrom", "GI_Sheet_Empty:"}))
      lines.push_back(line);
    lines.push_back("#End_Of_Ovl");
    texts_.SetSource(std::move(lines));
  }
  int Read(const std::string& group, const std::string& name) {
    return settings_->RegReadInt(RegRoot::CurrentUser, settings_.GroupKey(group), name);
  }

  kwtest::SheetSettings settings_;
  cmcGTex texts_;
  ColWidthStore store_{settings_.Get(), texts_};
};

TEST_F(ColWidthStoreTest, SheetKeysFindTheirGroups) {
  EXPECT_EQ(store_.GroupOf("GI_Sheet_MemoryCH"), "memory");
  EXPECT_EQ(store_.GroupOf("GI_Sheet_Txed_Call_FAnalog"), "txcallfrom");
  EXPECT_EQ(store_.GroupOf("GI_Sheet_Txed_Call_From"), "txcallfrom");
  EXPECT_EQ(store_.GroupOf("GI_Sheet_Empty"), "");
  EXPECT_EQ(store_.GroupOf("GI_Sheet_BankCH"), "");
  EXPECT_EQ(store_.GroupOf("no colon here"), "");
}

TEST_F(ColWidthStoreTest, StoredValuesAreCheckedOnTheirOwn) {
  const std::string widths = settings_.WidthsKey("memory");
  struct Case {
    const char* name;
    std::int32_t stored;
    std::optional<int> loads;
  } const cases[] = {
      {"1", 80, 80}, {"2", 900, 650}, {"3", 3, 10},  {"4", 0, 10},
      {"5", -7, 10}, {"6", 650, 650}, {"7", 10, 10}, {"8", -1, std::nullopt},
  };
  for (const Case& c : cases)
    ASSERT_TRUE(settings_->RegWriteInt(RegRoot::CurrentUser, widths, c.name, c.stored));
  for (const Case& c : cases)
    EXPECT_EQ(store_.ReadWidth("memory", std::stoi(c.name)), c.loads) << c.name;
  EXPECT_EQ(store_.ReadWidth("memory", 9), std::nullopt);
  EXPECT_EQ(store_.ReadWidth("", 1), std::nullopt);
  // Not an integer: absent.
  settings_->Store().WriteString(widths, "10", "wide");
  EXPECT_EQ(store_.ReadWidth("memory", 10), std::nullopt);

  // The mask keeps seven bits.
  EXPECT_EQ(store_.ReadColCut("memory"), std::nullopt);
  for (const auto& [stored, loads] : {std::pair{95, 95}, {0x1F5, 0x75}, {-2, 0x7E}, {0, 0}}) {
    ASSERT_TRUE(settings_->RegWriteInt(RegRoot::CurrentUser, settings_.GroupKey("memory"), "colcut",
                                       stored));
    EXPECT_EQ(store_.ReadColCut("memory"), loads) << stored;
  }
}

TEST_F(ColWidthStoreTest, WritesGoUnderTheGroupAndResetKeepsTheMasks) {
  store_.WriteWidth("memory", 3, 120);
  store_.WriteColCut("memory", 0x185);
  store_.WriteWidth("txcallfrom", 0, 40);
  store_.WriteColCut("txcallfrom", 3);
  store_.WriteWidth("", 1, 50);  // no group: nothing
  EXPECT_EQ(settings_->RegReadInt(RegRoot::CurrentUser, settings_.WidthsKey("memory"), "3"), 120);
  EXPECT_EQ(Read("memory", "colcut"), 5);

  store_.ResetWidths();
  EXPECT_TRUE(
      settings_->RegGetValueNames(RegRoot::CurrentUser, settings_.WidthsKey("memory")).empty());
  EXPECT_TRUE(
      settings_->RegGetValueNames(RegRoot::CurrentUser, settings_.WidthsKey("txcallfrom")).empty());
  EXPECT_EQ(Read("memory", "colcut"), 5);
  EXPECT_EQ(Read("txcallfrom", "colcut"), 3);
}

// The view options' column groups live in the masks of the pages that show
// them: a toggle reaches every owner, and the state is the owners' own.
TEST(ColWidthStoreGroups, TogglesReachEveryOwningPageAndReadTheOwnersMask) {
  kwtest::SheetSettings settings;
  cmcGTex texts;
  std::vector<std::string> lines{""};
  for (const std::string& line : kwtest::WidthListLines(
           {"GI_Sheet_MemoryCH:memory", "GI_Sheet_BankCH:bank", "GI_Sheet_CallCh:call",
            "GI_Sheet_ScanEdge:scanedge", "GI_Sheet_Received_Callsign:rxcallrecord"}))
    lines.push_back(line);
  lines.push_back("#End_Of_Ovl");
  texts.SetSource(std::move(lines));
  ColWidthStore store(settings.Get(), texts);
  const auto mask = [&](const char* group) { return store.ReadColCut(group); };

  // Nothing stored: every group shows.
  for (int bit = 0; bit < ColWidthStore::kColumnGroupCount; ++bit)
    EXPECT_TRUE(store.ColumnGroupShown(bit)) << bit;
  EXPECT_FALSE(store.ColumnGroupShown(7));
  EXPECT_FALSE(store.ColumnGroupShown(-1));

  // The mask in force came from the scan-edge page: a tone cut still lands
  // in the three channel pages' groups.
  settings->ViewCutBits = 0x7F;
  EXPECT_FALSE(store.ToggleColumnGroup(0));
  EXPECT_EQ(settings->ViewCutBits, 0x7E);
  for (const char* group : {"memory", "bank", "call"}) EXPECT_EQ(mask(group), 0x7E) << group;
  EXPECT_EQ(mask("rxcallrecord"), std::nullopt);
  EXPECT_EQ(mask("scanedge"), std::nullopt);
  EXPECT_FALSE(store.ColumnGroupShown(0));

  // A weather cut made on a memory page (whose mask in force shows the
  // weather group as the memory group last stored it) reaches the
  // received-call page; the state read back is the received-call page's.
  settings->ViewCutBits = 0x3E;  // stale: bit 6 already clear in force
  ASSERT_TRUE(store.ColumnGroupShown(6));
  EXPECT_FALSE(store.ToggleColumnGroup(6));
  EXPECT_EQ(mask("rxcallrecord"), 0x3F);
  EXPECT_EQ(settings->ViewCutBits, 0x3E);
  EXPECT_EQ(mask("memory"), 0x7E) << "a station bit never touches the channel pages";
  EXPECT_TRUE(store.ToggleColumnGroup(6));
  EXPECT_EQ(mask("rxcallrecord"), 0x7F);
  EXPECT_EQ(settings->ViewCutBits, 0x7E);

  // Owners whose masks disagree (settings from an older program) follow the
  // first owner; the toggle then makes them agree.
  store.WriteColCut("bank", 0x7F);
  EXPECT_FALSE(store.ColumnGroupShown(0));
  EXPECT_TRUE(store.ToggleColumnGroup(0));
  for (const char* group : {"memory", "bank", "call"}) EXPECT_EQ(mask(group), 0x7F) << group;

  // Another bit changes nothing.
  settings->ViewCutBits = 0x55;
  EXPECT_FALSE(store.ToggleColumnGroup(7));
  EXPECT_EQ(settings->ViewCutBits, 0x55);
}

}  // namespace
