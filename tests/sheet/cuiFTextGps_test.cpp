// kw-test: gui
// kw-test: label=locale
// The GPS field dialog at a cell: masks and the character filter through
// real keys, OK only while valid, what OK, Cancel, Escape and the two
// events send back to the cell.
#include "sheet/cuiFTextGps.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <vector>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "platform/LocaleInfo.h"
#include "resources/text/TextTables.h"
#include "sheet/MaskedLineEdit.h"
#include "sheet/cmcCellObj.h"

namespace {

struct Sent {
  int mode;
  int operation;
  std::string text;
  int resultCellId;
};

class GpsDialog : public ::testing::Test {
 protected:
  GpsDialog() {
    texts_.SetSource(kwres::kTextEnglish);
    grid_.resize(300, 200);
    owner_.owner = owner_.owner2 = &grid_;
    owner_.cellRect = QRect(20, 30, 80, 18);
  }
  ~GpsDialog() override { Flush(); }

  cuiFTextGps* Open(std::string_view text, int kind) {
    auto* d = new cuiFTextGps(owner_, text, kind, texts_, [this](const cmcCellCapsule&) {
      return [this](cmcCellCapsule& c, int notify) {
        EXPECT_EQ(notify, 1);
        sent_.push_back({c.mode, c.operation, c.inputText,
                         c.parent && c.parent->cell ? c.parent->cell->cellId : -1});
        return 1;
      };
    });
    form_ = d->Form();
    return d;
  }
  static void Press(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &event);
  }
  static void Type(cuiFTextGps* d, const char* text) {
    for (const char* p = text; *p; ++p) Press(d->Edit(), 0, QString(QChar(*p)));
  }
  // Runs the deferred deletes: the window goes, and with it the dialog.
  void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  bool Gone() {
    Flush();
    return form_.isNull();
  }

  ScopedEvMan bus_;
  cmcGTex texts_;
  QWidget grid_;
  cmcCellCapsule owner_;
  QPointer<QWidget> form_;
  std::vector<Sent> sent_;
};

TEST_F(GpsDialog, DayMonthYearStopsAtTheThirtiethOfDecember2099) {
  cuiFTextGps* d = Open("2015/04/07", 2);
  EXPECT_EQ(d->Edit()->text(), QStringLiteral("07/04/2015"));
  EXPECT_TRUE(d->OkButton()->isEnabled());
  Type(d, "311299");  // the century is part of the mask
  EXPECT_EQ(d->Edit()->text(), QStringLiteral("31/12/2099"));
  EXPECT_FALSE(d->OkButton()->isEnabled());
  Press(d->Edit(), Qt::Key_Home);
  Type(d, "30");
  EXPECT_TRUE(d->OkButton()->isEnabled());
  d->OkButton()->click();
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].text, "2099/12/30");
  EXPECT_EQ(sent_[0].mode, cellmode::kChoice);
  EXPECT_EQ(sent_[0].operation, 0);
  EXPECT_EQ(sent_[0].resultCellId, Flex0);
  EXPECT_TRUE(Gone());
}

TEST_F(GpsDialog, LatitudeLimitsAndHemisphereLetters) {
  struct Case {
    const char* typed;
    bool ok;
  } cases[] = {{"900001N", false},
               {"900000N", true},
               {"350000E", false},
               {"3500x00s", true},
               {"123456W", false}};
  for (const auto& c : cases) {
    cuiFTextGps* d = Open("", 5);
    EXPECT_FALSE(d->OkButton()->isEnabled());
    Type(d, c.typed);
    EXPECT_EQ(d->OkButton()->isEnabled(), c.ok) << c.typed;
    d->Cancel();
    EXPECT_TRUE(Gone());
  }
  EXPECT_TRUE(sent_.empty());
}

TEST_F(GpsDialog, CaretStaysInTheEditablePositions) {
  cuiFTextGps* d = Open("2015/04/07", 0);
  Press(d->Edit(), Qt::Key_Home);
  EXPECT_EQ(d->Edit()->cursorPosition(), 2);
  Press(d->Edit(), Qt::Key_Left);
  EXPECT_EQ(d->Edit()->cursorPosition(), 2);
  Press(d->Edit(), Qt::Key_End);
  EXPECT_EQ(d->Edit()->cursorPosition(), 10);
  d->Cancel();
}

TEST_F(GpsDialog, TimesAreSentWithAColonUnderAnySeparator) {
  platform::LocaleInfo info;
  info.timeSeparator = '.';
  platform::ScopedLocaleInfo scope(info);
  cuiFTextGps* d = Open("12:30:00", 3);
  Type(d, "0830");
  Press(d->Edit(), Qt::Key_Return);
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].text, "08:30:00");
}

TEST_F(GpsDialog, ClosingThePopupsSendsOnlyAValidChange) {
  {  // an empty date opened on today: nothing
    Open("2026/01/01", 0);
    bus_->Send(ev::EndCellEditing);
    EXPECT_TRUE(Gone());
    EXPECT_TRUE(sent_.empty());
  }
  {  // an invalid edit: nothing
    cuiFTextGps* d = Open("2026/01/01", 0);
    Press(d->Edit(), Qt::Key_End);
    Press(d->Edit(), Qt::Key_Backspace);
    bus_->Send(ev::EndCellEditing);
    EXPECT_TRUE(Gone());
    EXPECT_TRUE(sent_.empty());
  }
  {  // a valid edit: sent once
    cuiFTextGps* d = Open("2026/01/01", 0);
    Type(d, "27");
    bus_->Send(ev::EndCellEditing);
    bus_->Send(ev::EndCellEditing);
    d = nullptr;
    EXPECT_TRUE(Gone());
    ASSERT_EQ(sent_.size(), 1u);
    EXPECT_EQ(sent_[0].text, "2027/01/01");
  }
}

TEST_F(GpsDialog, CancelEscapeAndTheOwnersClosingSendNothing) {
  cuiFTextGps* d = Open("12:30:00", 3);
  Type(d, "08");
  Press(d->Edit(), Qt::Key_Escape);
  EXPECT_TRUE(Gone());

  d = Open("12:30:00", 3);
  Type(d, "08");
  QWidget other;
  bus_->Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(&other));
  EXPECT_FALSE(Gone());  // another window's closing is not ours
  bus_->Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(&grid_));
  EXPECT_TRUE(Gone());

  d = Open("12:30:00", 3);
  Type(d, "08");
  d->Cancel();
  bus_->Send(ev::EndCellEditing);  // a cancelled dialog commits nothing later
  EXPECT_TRUE(Gone());
  EXPECT_TRUE(sent_.empty());
}

TEST_F(GpsDialog, OkFallsBackToTheOpeningTextOnlyWhenItIsInvalid) {
  cuiFTextGps* d = Open(
      " 35\xB0"
      "39.12'N",
      7);
  EXPECT_EQ(d->Edit()->text(), QString::fromUtf8(" 35\u00B039.12'N"));
  d->OkButton()->click();
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].text,
            "035\xB0"
            "39.12'N");
}

}  // namespace
