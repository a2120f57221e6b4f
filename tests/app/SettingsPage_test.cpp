// kw-test: gui
// The settings page class over small pages of its own: its drop commands
// (what they drop, for which destinations, and that a drop never runs past
// the end of the page's cells), its page kind and the kind's title.
#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/iuiSh_Common.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "resources/text/TextTables.h"
#include "sheet/cuiGrid.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"

namespace {

class SettingsPageTest : public ::testing::Test {
 protected:
  SettingsPageTest() {
    env_ = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                        indEnviron::kKeyPath, kwtest::ScratchEnvironOptions(dir_));
    owner_.resize(600, 400);
  }

  // A page "GI_Sheet_X" of the given cells lines, in front of the program's
  // English table (for its cell models and the kinds' titles).
  iuiSh_Common& Build(const std::vector<std::string>& cells, std::uint32_t destination,
                      std::uint8_t firstFlag, const std::string& name = "250") {
    std::vector<std::string> lines = {
        "",           "#GI_Sheet_X_Style", "(TitleString= X)(FixedCols=1)", "#GI_Sheet_X_BasicCell",
        "{($Basic)}", "#GI_Sheet_X_Cells"};
    lines.insert(lines.end(), cells.begin(), cells.end());
    lines.push_back("#");
    for (std::size_t i = 1; i < kwres::kTextEnglish.count; ++i)
      lines.emplace_back(kwres::kTextEnglish.lines[i]);
    gtex_.Reset();
    gtex_.SetSource(std::move(lines));
    env_->EtcData.destination = destination;
    env_->EtcData.firstFlag = firstFlag;
    page_ = std::make_unique<iuiSh_Common>(&owner_, gtex_, "GI_Sheet_X", nullptr);
    page_->SetCellHandler([](cmcCellCapsule&, int) { return 0; });
    page_->SetSettings(env_.get());
    page_->SetName(name);
    page_->Build();
    return *page_;
  }

  // The captions of column 1, top to bottom.
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    for (int r = 0; r < page_->Grid()->RowCount(); ++r)
      labels.emplace_back(page_->GetCell(1, r)->GetCaption());
    return labels;
  }

  ScopedEvMan bus_;
  kwtest::ScratchDir dir_;
  std::unique_ptr<indEnviron> env_;
  cmcGTex gtex_;
  QWidget owner_;
  std::unique_ptr<iuiSh_Common> page_;
};

TEST_F(SettingsPageTest, DropCommandsLeaveOutTheirLinesForTheirDestinations) {
  const std::vector<std::string> cells = {"|a",  ":(Only_JPUSKR 1)", "|jp",  ":(Only_USA 1)",
                                          "|us", ":(Only_M_REP 1)",  "|rep", "|z"};
  struct Case {
    std::uint32_t destination;
    std::uint8_t firstFlag;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {0, 0, {"a", "jp", "us", "rep", "z"}},
      {0, 1, {"a", "jp", "us", "z"}},
      {10, 0, {"a", "jp", "rep", "z"}},
      {2, 0, {"a", "jp", "rep", "z"}},
      {5, 0, {"a", "rep", "z"}},
      {5, 1, {"a", "z"}},
      {16, 0, {"a", "rep", "z"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.destination) + "/" + std::to_string(c.firstFlag));
    Build(cells, c.destination, c.firstFlag);
    EXPECT_EQ(Labels(), c.labels);
  }
}

TEST_F(SettingsPageTest, ADropNeverPassesTheEndAndOtherCommandsStillRun) {
  // Nine lines asked for, two there: the page ends where its cells end.
  Build({"|a", ":(Only_USA 9)", "|b", "|c"}, 5, 0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"a"}));
  // A command that only looks like a drop is the sheet's own (ignored); a
  // drop without a count drops nothing; the loop still runs.
  Build({"|a", ":(Only_USAX 1)", "|b", ":(Only_USA)", "|c", ":(LoopFrom 2)", "|d", ":(LoopTo)"}, 5,
        0);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"a", "b", "c", "d", "d"}));
}

TEST_F(SettingsPageTest, KindsOneAndTwoAddTheirTitle) {
  struct Case {
    const char* name;
    int kind;
    const char* title;
  };
  const Case cases[] = {{"250", 0, " X"},
                        {"250,1", 1, " X (A Band)"},
                        {"250,2", 2, " X (B Band)"},
                        {"250,3", 3, " X"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    iuiSh_Common& page = Build({"|a"}, 0, 0, c.name);
    EXPECT_EQ(page.PageKind(), c.kind);
    EXPECT_EQ(page.GetTitleText(), c.title);
  }
}

}  // namespace
