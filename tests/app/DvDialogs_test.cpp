// kw-test: gui
// kw-test: link=kw_test_cells_support
// kw-test: link=Qt6::Test
// The digital-voice call-sign dialogs as a user meets them: the live forms
// driven with mouse and keys through the modal runner (nested forms
// included), over the repeater and your-call fixture. What the forms show,
// what OK gives the caller, what Cancel, Escape and closing leave, the
// Detail setting, the typed called station, and that every form is
// window-modal to its opener, enables the help windows and is released.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DvFormScript.h"
#include "app/DocumentContext.h"
#include "app/DvListBox.h"
#include "app/ModalRunner.h"
#include "app/indDvSet.h"
#include "core/TextTableChoice.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ItemKinds.h"
#include "model/RouteDisplay.h"
#include "model/cmcClipCh.h"
#include "model/datCh.h"
#include "model/indDestination.h"
#include "support/cells/ScratchSettings.h"
#include "support/model/ListFixture.h"

namespace {

using namespace kwtest;

template <std::size_t N>
std::string Bytes(const std::array<char, N>& field) {
  return std::string(field.begin(), field.end());
}

CallSignField Call(const char* text) {
  CallSignField field;
  SetText(field, text);
  return field;
}

class DvDialogsTest : public ::testing::Test {
 protected:
  DvDialogsTest() { SelectTextTable(texts_, TextTable::English); }
  ~DvDialogsTest() override { EXPECT_TRUE(script_.Done()) << "forms the dialogs never opened"; }

  indDvSet Dialogs() {
    return indDvSet(&owner_, document_, settings_.Get(), true, [this] { ++helpEnables_; });
  }

  // A channel as the cell handler hands it to the Repeater Setting dialog.
  datCh Channel(int n) {
    datCh r(&image_);
    r.Load(itemkind::kChannel, static_cast<std::uint32_t>(n));
    ResetChannelRoute(r);
    ResolveRptDisplay(r);
    GetDvRouteStatus(r);
    return r;
  }

  // Every form the run opened is released once the loop deletes it.
  void ExpectFormsReleased() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QDialog>& form : script_.forms) EXPECT_TRUE(form.isNull());
  }

  ScopedDestination destination_{indDestination(0)};
  cmcGTex texts_;
  kwtest::ScratchSettings settings_;
  ScopedEvMan bus_;
  datClipCh clip_;
  cmcEeprom initial_ = kwtest::InitialImageDest0();
  cmcEeprom image_ = kwtest::LoadListFixture("dv-route-dialogs.txt");
  DocumentContext document_{image_, initial_, clip_, bus_.Bus(), texts_};
  QWidget owner_;
  int helpEnables_ = 0;
  DvFormScript script_;
  ScopedModalRunner runner_{[this](QDialog& form) { return script_.Run(form); }};
};

TEST_F(DvDialogsTest, TheSelectorShowsThePickersListsAndOkGivesTheChosenCallSign) {
  script_.Then("DvCallSignForm", [](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Call Sign Setting"));
    DvListBox* kinds = ListOf(form, "kindList");
    DvListBox* names = ListOf(form, "nameList");
    DvListBox* calls = ListOf(form, "callList");
    EXPECT_EQ(kinds->count(), 52);
    EXPECT_EQ(kinds->currentRow(), 0);
    EXPECT_EQ(Rows(names), QStringList{QStringLiteral("---")});
    EXPECT_FALSE(names->isEnabled());
    EXPECT_FALSE(form.findChild<QCheckBox*>(QStringLiteral("detail"))->isVisible());

    ClickRow(kinds, 1);  // "Repeater List"
    EXPECT_TRUE(names->isEnabled());
    EXPECT_EQ(Rows(names), (QStringList{"ACCESS-B", "SAME-SITE-C", "REMOTE-C", "NOGW-A"}));
    ClickRow(names, 1);
    EXPECT_EQ(Rows(calls), (QStringList{"ABCDEF C", "ABCDEF G"}));
    ClickRow(calls, 1);
    // Right and Left wrap over the lists.
    calls->setFocus();
    QTest::keyClick(calls, Qt::Key_Right);
    EXPECT_EQ(form.focusWidget(), kinds);
    QTest::keyClick(kinds, Qt::Key_Left);
    EXPECT_EQ(form.focusWidget(), calls);
    // Clicks on blank space below the entries change nothing.
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                      QPoint(5, names->viewport()->height() - 2));
    EXPECT_EQ(Rows(calls), (QStringList{"ABCDEF C", "ABCDEF G"}));
    Click(ButtonOf(form, "ok"));
  });
  CallSignField field = Call("");
  EXPECT_TRUE(Dialogs().CallSignSettingDialog(nullptr, 1, field, nullptr, -1, -1));
  EXPECT_EQ(Bytes(field), "ABCDEF G");
  EXPECT_EQ(helpEnables_, 1);
  EXPECT_EQ(script_.parents, std::vector<QWidget*>{&owner_});
  EXPECT_EQ(script_.windowModal, std::vector<bool>{true});
  ExpectFormsReleased();
}

TEST_F(DvDialogsTest, CancelEscapeAndClosingLeaveTheFieldAsItWas) {
  const std::function<void(QDialog&)> endings[] = {
      [](QDialog& form) { Click(ButtonOf(form, "cancel")); },
      [](QDialog& form) { QTest::keyClick(ListOf(form, "nameList"), Qt::Key_Escape); },
      [](QDialog& form) { form.close(); },
  };
  for (const auto& end : endings) {
    script_.Then("DvCallSignForm", [&end](QDialog& form) {
      EXPECT_EQ(ListOf(form, "kindList")->currentRow(), 1) << "opens on the your-call sign";
      ClickRow(ListOf(form, "kindList"), 2);
      ClickRow(ListOf(form, "nameList"), 2);
      end(form);
    });
    CallSignField field = Call("QQ1XYZ");
    EXPECT_FALSE(Dialogs().CallSignSettingDialog(nullptr, 0, field, nullptr, -1, -1));
    EXPECT_EQ(Bytes(field), "QQ1XYZ  ");
  }
  EXPECT_EQ(image_, kwtest::LoadListFixture("dv-route-dialogs.txt"));
  ExpectFormsReleased();
}

TEST_F(DvDialogsTest, OkIsOffWhileTheListOffersNothingAndADoubleClickAccepts) {
  script_.Then("DvCallSignForm", [](QDialog& form) {
    DvListBox* kinds = ListOf(form, "kindList");
    ClickRow(kinds, 5);  // group 03: FM repeaters only
    QPushButton* ok = ButtonOf(form, "ok");
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(Rows(ListOf(form, "nameList")), QStringList{QStringLiteral("---")});
    QTest::keyClick(kinds, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible()) << "Enter does not accept while OK is off";
    ClickRow(kinds, 3);  // group 01
    EXPECT_TRUE(ok->isEnabled());
    DoubleClickRow(ListOf(form, "nameList"), 1);
  });
  CallSignField field = Call("");
  EXPECT_TRUE(Dialogs().CallSignSettingDialog(nullptr, 0, field, nullptr, -1, -1));
  EXPECT_EQ(Bytes(field), "/ABCDEFC");
}

TEST_F(DvDialogsTest, DetailWidensNameSelectorsAndIsRememberedByThemOnly) {
  settings_->DrDetail = 0;
  int narrow = 0;
  script_.Then("DvCallSignForm", [&narrow](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Access Repeater Select"));
    DvListBox* calls = ListOf(form, "callList");
    EXPECT_FALSE(calls->isVisible()) << "two columns without Detail";
    narrow = form.width();
    auto* detail = form.findChild<QCheckBox*>(QStringLiteral("detail"));
    QTest::mouseClick(detail, Qt::LeftButton);
    EXPECT_TRUE(calls->isVisible());
    EXPECT_FALSE(calls->isEnabled());
    EXPECT_GT(form.width(), narrow);
    EXPECT_EQ(
        ButtonOf(form, "cancel")->geometry().right(),
        ListOf(form, "callList")->parentWidget()->geometry().right() - form.fontMetrics().height())
        << "Cancel follows the frame's right edge";
    Click(ButtonOf(form, "cancel"));
  });
  RouteName name = CopyPaddedName16("");
  EXPECT_FALSE(Dialogs().CallSignSettingDialog(nullptr, 4, name, CopyPaddedName16(""), -1, -1));
  EXPECT_EQ(settings_->DrDetail, 1) << "closing stores the Detail box";

  // A call-sign run never shows the box and leaves the setting alone.
  script_.Then("DvCallSignForm", [](QDialog& form) { Click(ButtonOf(form, "cancel")); });
  CallSignField field = Call("");
  Dialogs().CallSignSettingDialog(nullptr, 0, field, nullptr, -1, -1);
  EXPECT_EQ(settings_->DrDetail, 1);

  // The next name run opens with three columns.
  script_.Then("DvCallSignForm", [narrow](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Called Station Select"));
    EXPECT_TRUE(ListOf(form, "callList")->isVisible());
    EXPECT_GT(form.width(), narrow);
    Click(ButtonOf(form, "cancel"));
  });
  Dialogs().CallSignSettingDialog(nullptr, 3, name, CopyPaddedName16("ACCESS-B"), -1, -1);
  EXPECT_EQ(settings_->DrDetail, 1);
}

TEST_F(DvDialogsTest, RepeaterSettingBuildsTheRouteThroughItsNestedForms) {
  QDialog* setting = nullptr;
  script_.Then("DvRepeaterForm", [&](QDialog& form) {
    setting = &form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Repeater Setting"));
    EXPECT_EQ(EditOf(form, "access")->text(), QString());
    EXPECT_EQ(EditOf(form, "called")->text(), QStringLiteral("CQCQCQ"));
    EXPECT_EQ(EditOf(form, "ur")->text(), QStringLiteral("CQCQCQ"));
    EXPECT_EQ(EditOf(form, "rpt1")->text(), QString());
    EXPECT_EQ(EditOf(form, "rpt2")->text(), QString());
    EXPECT_FALSE(ButtonOf(form, "selectButton")->isEnabled());
    EXPECT_EQ(form.focusWidget(), ButtonOf(form, "cancel"));

    Click(ButtonOf(form, "accessButton"));
    EXPECT_EQ(EditOf(form, "access")->text(), QStringLiteral("ACCESS-B"));
    EXPECT_EQ(EditOf(form, "rpt1")->text(), QStringLiteral("ABCDEF B"));

    Click(ButtonOf(form, "calledButton"));
    EXPECT_EQ(EditOf(form, "called")->text(), QStringLiteral("ALICE"));
    EXPECT_EQ(EditOf(form, "ur")->text(), QStringLiteral("QQ1XYZ"));
    EXPECT_EQ(EditOf(form, "rpt2")->text(), QStringLiteral("ABCDEF G"));
    EXPECT_EQ(EditOf(form, "select")->text(), QStringLiteral("Gateway"));
    ASSERT_TRUE(ButtonOf(form, "selectButton")->isEnabled());

    Click(ButtonOf(form, "selectButton"));
    EXPECT_EQ(EditOf(form, "select")->text(), QStringLiteral("SAME-SITE-C"));
    EXPECT_EQ(EditOf(form, "rpt2")->text(), QStringLiteral("ABCDEF C"));
    Click(ButtonOf(form, "ok"));
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Access Repeater Select"));
    ClickRow(ListOf(form, "kindList"), 1);
    EXPECT_EQ(Rows(ListOf(form, "nameList")), (QStringList{"ACCESS-B", "REMOTE-C", "NOGW-A"}));
    Click(ButtonOf(form, "ok"));
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Called Station Select"));
    ClickRow(ListOf(form, "kindList"), 1);  // "Your Call Sign": ALICE first
    Click(ButtonOf(form, "ok"));
  });
  script_.Then("DvRepeaterSelectForm", [](QDialog& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Repeater Select"));
    DvListBox* list = ListOf(form, "choices");
    EXPECT_EQ(Rows(list), (QStringList{"Same Repeater", "ACCESS-B", "SAME-SITE-C", "Gateway"}));
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(form.focusWidget(), list);
    ClickRow(list, 2);
    Click(ButtonOf(form, "ok"));
  });

  datCh record = Channel(30);
  ASSERT_TRUE(Dialogs().RepeaterSettingDialog(nullptr, record, -1, -1));
  EXPECT_TRUE(record.IsUsed());
  EXPECT_EQ(record.freq, 439'010'000u);
  EXPECT_EQ(Bytes(record.urCall), "QQ1XYZ  ");
  EXPECT_EQ(Bytes(record.rpt1Call), "ABCDEF B");
  EXPECT_EQ(Bytes(record.rpt2Call), "ABCDEF C");
  ASSERT_EQ(script_.parents.size(), 4u);
  EXPECT_EQ(script_.parents[0], &owner_);
  for (std::size_t k = 1; k < 4; ++k) EXPECT_EQ(script_.parents[k], setting) << k;
  EXPECT_EQ(script_.windowModal, std::vector<bool>(4, true));
  EXPECT_EQ(helpEnables_, 4);
  ExpectFormsReleased();
}

TEST_F(DvDialogsTest, TheCalledEditTakesSixteenBytesAndTheRouteFollowsTheTyping) {
  script_.Then("DvRepeaterForm", [](QDialog& form) {
    QLineEdit* called = EditOf(form, "called");
    called->setFocus();
    called->selectAll();
    QTest::keyClicks(called, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(called->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(EditOf(form, "ur")->text(), QStringLiteral("ABCDEFGH"));

    Click(ButtonOf(form, "accessButton"));
    called->selectAll();
    QTest::keyClicks(called, QStringLiteral("ja1abc"));
    EXPECT_EQ(EditOf(form, "ur")->text(), QStringLiteral("JA1ABC"));
    EXPECT_EQ(EditOf(form, "rpt2")->text(), QStringLiteral("ABCDEF G"));

    // OK of Repeater Select without a selection changes nothing.
    Click(ButtonOf(form, "selectButton"));
    EXPECT_EQ(EditOf(form, "rpt2")->text(), QStringLiteral("ABCDEF G"));
    QTest::keyClick(called, Qt::Key_Escape);
  });
  script_.Then("DvCallSignForm", [](QDialog& form) {
    ClickRow(ListOf(form, "kindList"), 1);
    Click(ButtonOf(form, "ok"));
  });
  script_.Then("DvRepeaterSelectForm", [](QDialog& form) {
    ListOf(form, "choices")->clearSelection();
    Click(ButtonOf(form, "ok"));
  });
  const datCh record = Channel(30);
  datCh edited = record;
  EXPECT_FALSE(Dialogs().RepeaterSettingDialog(nullptr, edited, -1, -1));
  EXPECT_EQ(Bytes(edited.urCall) + Bytes(edited.rpt1Call) + Bytes(edited.rpt2Call),
            Bytes(record.urCall) + Bytes(record.rpt1Call) + Bytes(record.rpt2Call));
  EXPECT_EQ(edited.freq, record.freq);
  EXPECT_EQ(edited.flags, record.flags);
  EXPECT_EQ(image_, kwtest::LoadListFixture("dv-route-dialogs.txt"));
}

TEST_F(DvDialogsTest, AKindThatDoesNotFitItsFieldIsAnInternalFailure) {
  CallSignField call = Call("");
  RouteName name = CopyPaddedName16("");
  EXPECT_EXIT(Dialogs().CallSignSettingDialog(nullptr, 3, call, nullptr, -1, -1),
              ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(Dialogs().CallSignSettingDialog(nullptr, 0, name, name, -1, -1),
              ::testing::ExitedWithCode(3), "");
}

}  // namespace
