// kw-test: gui
// kw-test: link=kw_test_cells_support
// The program's cell handler over a real main controller: requests reach the
// controller's document, modified state and delayed warning check; parts the
// program has not registered do nothing.
#include "app/ProgramCellHandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/AppCellHost.h"
#include "app/indMain.h"
#include "cells/CellCaseTable.h"
#include "cells/FrameCases.h"
#include "cells/indCellFrame.h"
#include "cells/names/CellNames.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "core/cmcHelpGTex.h"
#include "core/cmcTick.h"
#include "model/ImageAccess.h"
#include "model/ItemKinds.h"
#include "model/LayoutImage.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "platform/MessageBoxService.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellCapsule.h"
#include "sheet/cmcCellObj.h"
#include "support/ManualClock.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/FixtureSheet.h"
#include "support/cells/ScratchSettings.h"
#include "support/model/CellFixtureImage.h"

namespace {

class ProgramCellHandlerTest : public ::testing::Test {
 protected:
  ProgramCellHandlerTest() {
    controller_->Image() = kwtest::MakeCellFixtureImage();
    controller_->ClearModified();
  }

  kwtest::ManualClock clock_;
  kwtest::ScriptedMessageBoxes boxes_;
  kwtest::ScratchSettings settings_;
  cmcGTex texts_;
  ScopedEvMan bus_;
  ScopedDestination destination_{indDestination(0)};
  std::unique_ptr<indMain> controller_ = std::make_unique<indMain>(settings_.Get(), texts_);
  ProgramCellHandler cells_{settings_.Get(), texts_, *controller_};
};

TEST_F(ProgramCellHandlerTest, AnEditMarksTheDocumentModifiedAndRestartsTheCheck) {
  // Channel 5 is the memory home channel of the saved document.
  imageaccess::Set16(controller_->Image(), layout::kMemoryHomeChannel, 5);
  controller_->ClearModified();
  kwtest::FixtureSheet sheet(cells_.Frame().Handler(), "216", bus_.Bus());
  cmcCellObj& home = sheet.Cell(CT_Null, CL_Common_HmchMr, 0);

  sheet.DoCellAction(home, 0);  // a query: nothing starts
  EXPECT_EQ(controller_->CheckDelay(), nullptr);
  EXPECT_FALSE(controller_->ModifiedFlag());

  sheet.DoCellAction(home, 0, CL_PMenu_HomeCH_Clear);
  ASSERT_NE(controller_->CheckDelay(), nullptr);
  EXPECT_EQ(controller_->CheckDelay()->GetRemain(), cuiMain::kCheckDelayMs);
  EXPECT_EQ(imageaccess::Get16(controller_->Image(), layout::kMemoryHomeChannel), 0xFFFF);
  EXPECT_TRUE(controller_->ModifiedFlag()) << "the image differs from the saved one";
}

TEST_F(ProgramCellHandlerTest, ChoiceCellsReadTheControllersOptionCache) {
  // One cache for the program: a language switch renews it in one place.
  EXPECT_EQ(&cells_.Frame().ChoiceCache(), &controller_->Choices());
}

// Every cell id has its case; the memory-debug cells come with the debug
// windows and may still be missing.
TEST_F(ProgramCellHandlerTest, EveryCellIdHasItsCase) {
  const CellCaseTable& table = cells_.Table();
  std::vector<std::string> missing;
  for (std::int32_t id = 0; id < CellCaseTable::kSlots; ++id) {
    if (table.IsFilled(id)) continue;
    if (id >= CL_EeDebugWin_Adr && id <= CL_EeDebugWin_F) continue;
    missing.emplace_back(GetCellIdName(id));
  }
  EXPECT_EQ(missing, std::vector<std::string>{});
  EXPECT_EQ(CL_EeDebugWin_Adr, 60);
  EXPECT_EQ(CL_EeDebugWin_F, 76);
  EXPECT_EQ(CellCaseTable::kSlots, kCellIdCount + 1);
}

// Help on a cell: its id name, its topic, the topic's context; 0 without a
// row.
TEST_F(ProgramCellHandlerTest, HelpContextsComeFromTheTopicMap) {
  cmcHelpGTex topics;
  topics.SetSource(kwres::kHelpTopicMap);
  struct Case {
    std::int32_t cellId;
    int context;
  };
  const Case cases[] = {{CL_Mch_Select_ChNo, 1}, {CL_Mch_Freq, 2}, {CL_Menu_File_Exit, 0}};
  for (const Case& c : cases) {
    cmcCellObj cell;
    cell.cellId = c.cellId;
    EXPECT_EQ(indMain::GetHelpIds(topics, cell), c.context) << GetCellIdName(c.cellId);
  }
  controller_->RegisterHelp(cells_.Host(), topics);
  cmcCellObj freq;
  freq.cellId = CL_Mch_Freq;
  EXPECT_EQ(cells_.Host().GetHelpIds(freq), 2);
}

TEST_F(ProgramCellHandlerTest, PartsNotRegisteredDoNothing) {
  kwtest::FixtureSheet sheet(cells_.Frame().Handler(), "0,0", bus_.Bus());
  const cmcEeprom before = controller_->Image();
  sheet.DoCellAction(sheet.Cell(CT_Conv, CL_Mch_DYou_Callsign, 5), 0, CL_PMenu_Rpt_Set);
  sheet.DoCellAction(sheet.Cell(CT_Conv, CL_Mch_Name, 5), 0, CL_PMenu_Help);
  EXPECT_EQ(controller_->Image(), before);
  EXPECT_EQ(bus_->QueuedCount(), 0);
  EXPECT_FALSE(controller_->ModifiedFlag());
}

TEST_F(ProgramCellHandlerTest, RegisteredPartsAreCalled) {
  int dialogs = 0;
  cells_.Host().SetCallSignDialog(
      [&dialogs](cmcCellCapsule&, int kind, CallSignField& field, const CallSignField*) {
        ++dialogs;
        EXPECT_EQ(kind, 0);
        field = {'C', 'Q', 'C', 'Q', 'C', 'Q', ' ', ' '};
        return true;
      });
  std::vector<int> contexts;
  cells_.Host().SetHelpCommands([](const cmcCellObj& cell) { return 1000 + cell.cellId; },
                                [&contexts](int context) { contexts.push_back(context); });
  kwtest::FixtureSheet sheet(cells_.Frame().Handler(), "0,0", bus_.Bus());
  sheet.DoCellAction(sheet.Cell(CT_Conv, CL_Mch_DYou_Callsign, 5), 0, CL_PMenu_Rpt_Set);
  sheet.DoCellAction(sheet.Cell(CT_Conv, CL_Mch_Name, 5), 0, CL_PMenu_Help);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(contexts, (std::vector<int>{1000 + CL_Mch_Name}));
  const datCh channel = LoadDetached(controller_->Image(), itemkind::kChannel, 5);
  EXPECT_EQ(std::string(channel.urCall.begin(), channel.urCall.end()), "CQCQCQ  ");
  EXPECT_TRUE(controller_->ModifiedFlag());
}

// Counts what the handler itself asks of the controller, passing it on.
class CountingHost final : public CellHost {
 public:
  explicit CountingHost(CellHost& inner) : inner_(inner) {}
  cmcEeprom& Image() override { return inner_.Image(); }
  bool IsModified() override {
    ++modifiedQueries;
    return inner_.IsModified();
  }
  void StartCheckDelay() override {
    ++checkDelayStarts;
    inner_.StartCheckDelay();
  }
  bool RunListEdit(const ListEditRequest& request, cmcCellCapsule& capsule,
                   datCh& record) override {
    return inner_.RunListEdit(request, capsule, record);
  }
  bool SetRepeaterUseFromAll(int first, int last, bool use) override {
    return inner_.SetRepeaterUseFromAll(first, last, use);
  }
  std::optional<bool> RunCallSignDialog(cmcCellCapsule& capsule, int kind, CallSignField& field,
                                        const CallSignField* second) override {
    return inner_.RunCallSignDialog(capsule, kind, field, second);
  }
  std::optional<int> GetHelpIds(const cmcCellObj& cell) override { return inner_.GetHelpIds(cell); }
  void ShowHelp(int context) override { inner_.ShowHelp(context); }

  int modifiedQueries = 0;
  int checkDelayStarts = 0;

 private:
  CellHost& inner_;
};

class ProgramListEditTest : public ProgramCellHandlerTest {
 protected:
  ProgramListEditTest() {
    RegisterFrameCases(table_);
    for (int n : {199, 255, 256, 257, 258, 259, 260, 299, 300}) {
      datCh channel(&controller_->Image());
      channel.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
      SetText(channel.name, ("N" + std::to_string(n)).c_str());
      EXPECT_TRUE(channel.StoreSelf());
    }
    controller_->ClearModified();
    bus_->AddListener(this, [this](const cmcEvent& event) {
      if (event.mode == cmcEvent::Sent) events_.push_back("send " + std::to_string(event.id));
      if (event.mode == cmcEvent::Posted) events_.push_back("post " + std::to_string(event.id));
    });
  }
  ~ProgramListEditTest() override { bus_->RemoveListener(this); }

  // The channel's name, or "" when it is unused.
  std::string Name(int n) {
    const datCh channel = LoadDetached(controller_->Image(), itemkind::kChannel, n);
    if (!channel.IsUsed()) return "";
    std::string name(channel.name.begin(), channel.name.end());
    return name.substr(0, name.find(' '));
  }
  bool Saw(const std::string& event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
  }

  AppCellHost appHost_{*controller_};
  CountingHost host_{appHost_};
  CellCaseTable table_;
  indCellFrame frame_{settings_.Get(), texts_, host_, table_};
  kwtest::FixtureSheet sheet_{frame_.Handler(), "2,200", bus_.Bus()};
  std::vector<std::string> events_;
};

TEST_F(ProgramListEditTest, DeletingAChannelClosesUpItsHundredBlock) {
  boxes_.Answer(platform::mb::IdOk);
  sheet_.DoCellAction(sheet_.Cell(CT_Conv, CL_Mch_Name, 257), 0, CL_PMenu_Delete);
  bus_->Drain();

  EXPECT_EQ(Name(257), "N258");
  EXPECT_EQ(Name(258), "N259");
  EXPECT_EQ(Name(259), "N260");
  EXPECT_EQ(Name(260), "");
  EXPECT_EQ(Name(298), "N299");
  EXPECT_EQ(Name(299), "");
  EXPECT_EQ(Name(199), "N199");
  EXPECT_EQ(Name(300), "N300");
  EXPECT_EQ(Name(256), "N256");
  EXPECT_TRUE(Saw("send 45"));
  EXPECT_TRUE(Saw("post 15"));
  EXPECT_EQ(host_.checkDelayStarts, 1);
  EXPECT_EQ(host_.modifiedQueries, 1);
  EXPECT_TRUE(controller_->ModifiedFlag());
  ASSERT_EQ(sheet_.redraws.size(), 1u);
  EXPECT_EQ(sheet_.redraws[0].mask, redraw::kCell | redraw::kRow);
}

TEST_F(ProgramListEditTest, ADeclinedDeleteLeavesTheImageAsItWas) {
  const cmcEeprom before = controller_->Image();
  boxes_.Answer(platform::mb::IdCancel);
  sheet_.DoCellAction(sheet_.Cell(CT_Conv, CL_Mch_Name, 257), 0, CL_PMenu_Delete);
  EXPECT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(controller_->Image(), before);
  EXPECT_FALSE(controller_->ModifiedFlag());
}

TEST_F(ProgramListEditTest, CarryingTheFirstRowOfABlockUpMovesNothing) {
  const cmcEeprom before = controller_->Image();
  sheet_.DoCellAction(sheet_.Cell(CT_Conv, CL_Mch_Name, 200), 0, CL_PMenu_CarryUp);
  EXPECT_EQ(controller_->Image(), before);
}

TEST_F(ProgramListEditTest, RepeaterUseForAllSetsTheGroupsEntries) {
  kwtest::FixtureSheet repeaters(frame_.Handler(), "124", bus_.Bus());
  repeaters.AnswerListRange({1, 3, 2});
  cmcCellObj& name = repeaters.Cell(CT_Rptlist, CL_Repeater_List_Name, 3);
  repeaters.DoCellAction(name, 0, CL_PMenu_RptUseFromAllYes);
  // Entry 4 (DV simplex) can be an access repeater; entry 3, a DV repeater
  // without duplex, cannot; entry 2 belongs to group 0.
  EXPECT_EQ(LoadDetached(controller_->Image(), itemkind::kRepeater, 4).useFrom, 1u);
  EXPECT_EQ(LoadDetached(controller_->Image(), itemkind::kRepeater, 3).useFrom, 0u);
  EXPECT_EQ(LoadDetached(controller_->Image(), itemkind::kRepeater, 2).useFrom, 0u);
  EXPECT_TRUE(controller_->ModifiedFlag());
  repeaters.DoCellAction(name, 0, CL_PMenu_RptUseFromAllNo);
  EXPECT_EQ(LoadDetached(controller_->Image(), itemkind::kRepeater, 4).useFrom, 0u);
}

}  // namespace
