// kw-test: gui
// kw-test: link=kw_test_cells_support
// kw-test: link=Qt6::Test
// The DV call-sign dialogs from a memory-channel sheet through the
// program's cell handler and the radio's controller: Enter on a route cell
// runs the Repeater Setting dialog and the channel's record bytes take the
// route; reopening shows it again and Cancel leaves the image alone; the
// popup command "Select..." runs the selector on one call sign.
#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "DvFormScript.h"
#include "app/ModalRunner.h"
#include "app/ProgramCellHandler.h"
#include "app/cuiHtmlHelp.h"
#include "app/indMain.h"
#include "cells/names/CellNames.h"
#include "core/EventIds.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ImageAccess.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"
#include "sheet/cmcCellCapsule.h"
#include "support/ManualClock.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/cells/FixtureSheet.h"
#include "support/cells/ScratchSettings.h"
#include "support/model/ListFixture.h"

namespace {

using namespace kwtest;

using Bytes = std::vector<int>;

class DvDialogsEndToEndTest : public ::testing::Test {
 protected:
  DvDialogsEndToEndTest() {
    controller_->SetMainForm(&mainForm_);
    controller_->InitialImage() = InitialImageDest0();
    controller_->Image() = LoadListFixture("dv-route-dialogs.txt");
    controller_->ClearModified();
    controller_->RegisterDvDialogs(cells_.Host());
    bus_->AddListener(this, [this](const cmcEvent& event) {
      if (event.mode == cmcEvent::Sent) events_.push_back("send " + std::to_string(event.id));
      if (event.mode == cmcEvent::Posted) events_.push_back("post " + std::to_string(event.id));
    });
  }
  ~DvDialogsEndToEndTest() override {
    bus_->RemoveListener(this);
    EXPECT_TRUE(script_.Done()) << "forms the program never opened";
  }

  // Bytes first..last of a channel's record in the image.
  Bytes Record(int channel, int first, int last) {
    Bytes out;
    for (int k = first; k <= last; ++k)
      out.push_back(controller_->Image().GetByte(layout::ChannelAddress(channel) + k));
    return out;
  }
  bool Empty(int channel) {
    return imageaccess::GetBit(controller_->Image(), layout::kChannelEmptyBitmap,
                               layout::ChannelEmptyBit(channel));
  }
  bool Saw(const std::string& event) const {
    return std::find(events_.begin(), events_.end(), event) != events_.end();
  }

  // Enter on a route cell of the channel, as the grid sends it.
  void Enter(std::int32_t cellId, int channel) {
    cmcCellCapsule capsule = sheet_.Prepare(sheet_.Cell(CT_Conv, cellId, channel));
    capsule.owner = capsule.owner2 = &grid_;
    capsule.cellRect = QRect(40, 60, 80, 20);
    capsule.operation = cellop::kEnter;
    cells_.Frame().Handler()(capsule, 1);
  }

  ManualClock clock_;
  ScriptedMessageBoxes boxes_;
  ScratchSettings settings_;
  cmcGTex texts_;
  ScopedEvMan bus_;
  ScopedDestination destination_{indDestination(0)};
  std::unique_ptr<indMain> controller_ = std::make_unique<indMain>(settings_.Get(), texts_);
  ProgramCellHandler cells_{settings_.Get(), texts_, *controller_};
  FixtureSheet sheet_{cells_.Frame().Handler(), "0,0", bus_.Bus()};
  QWidget mainForm_;
  QWidget grid_{&mainForm_};
  std::vector<std::string> events_;
  DvFormScript script_;
  ScopedModalRunner runner_{[this](QDialog& form) { return script_.Run(form); }};
};

TEST_F(DvDialogsEndToEndTest, EnterOnARouteCellWritesTheChosenRouteIntoTheChannel) {
  ASSERT_TRUE(Empty(30));
  // 45 alone never marks the document modified: the handler's refresh does.
  bus_->Send(ev::DocumentEdited);
  ASSERT_FALSE(controller_->IsModified());

  script_.Then("DvRepeaterForm", [](QDialog& form) {
    Click(ButtonOf(form, "accessButton"));
    Click(ButtonOf(form, "calledButton"));
    Click(ButtonOf(form, "selectButton"));
    Click(ButtonOf(form, "ok"));
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    ClickRow(ListOf(form, "kindList"), 1);
    Click(ButtonOf(form, "ok"));  // ACCESS-B
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    ClickRow(ListOf(form, "kindList"), 1);
    Click(ButtonOf(form, "ok"));  // ALICE
  });
  script_.Then("DvRepeaterSelectForm", [](QDialog& form) {
    ClickRow(ListOf(form, "choices"), 2);
    Click(ButtonOf(form, "ok"));  // SAME-SITE-C
  });
  events_.clear();
  Enter(CL_Mch_DRpt1_Callsign, 30);

  EXPECT_EQ(Record(30, 0, 4), (Bytes{0x01, 0x56, 0xFA, 0x03, 0xE8}));
  EXPECT_EQ(Record(30, 6, 6)[0] & 0x0F, 5) << "DV";
  EXPECT_EQ((Record(30, 10, 10)[0] >> 2) & 3, 1) << "duplex -";
  EXPECT_EQ(Record(30, 28, 34), (Bytes{0xA3, 0x45, 0x8D, 0x8B, 0x36, 0x90, 0x20}));
  EXPECT_EQ(Record(30, 35, 41), (Bytes{0x83, 0x0A, 0x1C, 0x48, 0xB1, 0x90, 0x42}));
  EXPECT_EQ(Record(30, 42, 48), (Bytes{0x83, 0x0A, 0x1C, 0x48, 0xB1, 0x90, 0x43}));
  EXPECT_FALSE(Empty(30));
  EXPECT_TRUE(Saw("send 45"));
  EXPECT_TRUE(controller_->ModifiedFlag());
  ASSERT_EQ(script_.parents.size(), 4u);
  EXPECT_EQ(script_.parents[0], &mainForm_) << "owned by the main form";

  // Reopened, the dialog shows the route; Cancel leaves the image alone.
  const cmcEeprom before = controller_->Image();
  script_.Then("DvRepeaterForm", [](QDialog& form) {
    EXPECT_EQ(EditOf(form, "access")->text(), QStringLiteral("ACCESS-B"));
    EXPECT_EQ(EditOf(form, "called")->text(), QStringLiteral("ALICE"));
    EXPECT_EQ(EditOf(form, "select")->text(), QStringLiteral("SAME-SITE-C"));
    Click(ButtonOf(form, "accessButton"));
    Click(ButtonOf(form, "cancel"));
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    EXPECT_EQ(ListOf(form, "nameList")->currentItem()->text().trimmed(),
              QStringLiteral("ACCESS-B"));
    ClickRow(ListOf(form, "kindList"), 1);
    ClickRow(ListOf(form, "nameList"), 2);
    Click(ButtonOf(form, "ok"));  // NOGW-A
  });
  Enter(CL_Mch_DYou_Callsign, 30);
  EXPECT_EQ(controller_->Image(), before);
}

TEST_F(DvDialogsEndToEndTest, SelectOnARouteCellSetsOneCallSign) {
  struct Case {
    std::int32_t cellId;
    int kindRow;  // -1: keep the preselected source
    int nameRow;
    int first;
    Bytes bytes;
  };
  const Case cases[] = {
      {CL_Mch_DRpt2_Callsign, -1, 1, 42, {0x83, 0x0A, 0x1C, 0x48, 0xB1, 0x90, 0x43}},
      {CL_Mch_DYou_Callsign, 4, 0, 28, {0x5F, 0x2E, 0x64, 0xD9, 0xD3, 0xE8, 0x43}},
  };
  const Bytes frequency = Record(31, 0, 6);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellId);
    cmcCellObj& cell = sheet_.Cell(CT_Conv, c.cellId, 31);

    // Cancel: nothing changes, the lists still refresh.
    const cmcEeprom before = controller_->Image();
    script_.Then("DvCallSignForm", [](QDialog& form) {
      ClickRow(ListOf(form, "kindList"), 2);
      Click(ButtonOf(form, "cancel"));
    });
    events_.clear();
    sheet_.DoCellAction(cell, 0, CL_PMenu_Rpt_Set);
    bus_->Drain();
    EXPECT_EQ(controller_->Image(), before);
    EXPECT_TRUE(Saw("post 15"));
    EXPECT_TRUE(Saw("send 44"));

    script_.Then("DvCallSignForm", [&c](QDialog& form) {
      EXPECT_EQ(form.windowTitle(), QStringLiteral("Call Sign Setting"));
      if (c.kindRow >= 0) ClickRow(ListOf(form, "kindList"), c.kindRow);
      ClickRow(ListOf(form, "nameList"), c.nameRow);
      Click(ButtonOf(form, "ok"));
    });
    events_.clear();
    sheet_.DoCellAction(cell, 0, CL_PMenu_Rpt_Set);
    bus_->Drain();
    EXPECT_EQ(Record(31, c.first, c.first + 6), c.bytes);
    EXPECT_TRUE(Saw("post 15"));
    EXPECT_TRUE(Saw("send 44"));
  }
  EXPECT_EQ(Record(31, 0, 6), frequency) << "frequency, offset and mode kept";
}

TEST_F(DvDialogsEndToEndTest, HelpStaysUsableWhileADialogIsUp) {
  QPointer<QWidget> topic;
  ASSERT_EQ(controller_->Help().ShowTopic(QStringLiteral(KW_SOURCE_DIR "/resources/help/en"),
                                          &topic),
            cuiHtmlHelp::kShown);
  ASSERT_FALSE(topic.isNull());
  topic->setEnabled(false);  // as a modal run disables the other windows
  script_.Then("DvCallSignForm", [&topic](QDialog& form) {
    EXPECT_TRUE(topic->isEnabled());
    EXPECT_NE(topic->window(), form.parentWidget()->window()) << "the form does not block it";
    Click(ButtonOf(form, "cancel"));
  });
  sheet_.DoCellAction(sheet_.Cell(CT_Conv, CL_Mch_DYou_Callsign, 31), 0, CL_PMenu_Rpt_Set);
}

}  // namespace
