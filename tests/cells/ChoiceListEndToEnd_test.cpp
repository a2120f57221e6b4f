// kw-test: gui
// kw-test: link=Qt6::Test
// A choice cell on a shown sheet, end to end: the CI-V baud rate byte of a
// default image edited through its list - the shown text, the popup at the
// cell on the stored option, a pick written back, Escape, and the sheet
// going away under an open popup. The cache of a new interface language
// reads the new table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>

#include "cells/ChoiceList.h"
#include "cells/names/CellNames.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "model/DefaultImage.h"
#include "model/cmcEeprom.h"
#include "platform/Cp932.h"
#include "sheet/FieldDialogOpener.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiFieldDialogs.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "tests/sheet/SheetFixture.h"

namespace {

constexpr char kBaud[] = "GI_Sheet_Sel_Common_CIV_BaudRate";
constexpr std::int64_t kBaudByte = 0x29A9D + 0x15;

class ChoiceCellEndToEnd : public ::testing::Test {
 protected:
  ChoiceCellEndToEnd() : image(BuildDefaultImage(0)) {
    SelectTextTable(texts, TextTable::English);
    image.SetByte(kBaudByte, 2);
    kwtest::LoadTable(host.gtex, kwtest::TestSheetLines("(FixedRows=5)", 1));
    sheet = new cuiSheet(&host.window, nullptr, 0, 0, host.gtex, "GI_Sheet_Test", nullptr);
    sheet->SetCellHandler([this](cmcCellCapsule& c, int notify) { return Handle(c, notify); });
    sheet->SetName("1,100");
    sheet->Build();
    sheet->Grid()->MoveColRow(1, 5, true, true);  // the baud rate cell
    sheet->Grid()->setFocus();
    QApplication::processEvents();
  }
  ~ChoiceCellEndToEnd() override {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (sheet) sheet->Release();
  }

  // The sheet's cell handler: the baud rate cell reads and writes its byte
  // through the list; the popup's options show their captions.
  int Handle(cmcCellCapsule& c, int notify) {
    if (!c.cell) return kCellNothing;
    // Enter reaches the cell as its context menu's Edit item, which the
    // program's handler turns back into Enter.
    if (c.popupCommand == CL_PMenu_Edit) {
      c.popupCommand = 0;
      c.operation = cellop::kEnter;
    }
    if (c.cell->cellId != CL_Mch_Freq) {
      c.outputText = std::string(c.cell->GetCaption());
      return kCellNothing;
    }
    std::int32_t value = image.GetByte(kBaudByte);
    int status = 0;
    if (SelectChoice(cache, c, kBaud, value, status)) {
      image.SetByte(kBaudByte, static_cast<std::uint8_t>(value));
      ++redraws;
      status = kCellRedraw;
    }
    return status;
  }
  std::string Shown() {
    cmcCellCapsule c;
    sheet->PrepareCapsule(1, 5, c);
    Handle(c, 0);
    return c.outputText;
  }
  QWidget* OpenPopup() {
    QTest::keyClick(sheet->Grid(), Qt::Key_Return);
    QApplication::processEvents();
    return QApplication::activePopupWidget();
  }
  static cuiGrid* PopupGrid(QWidget* popup) { return popup->findChild<cuiGrid*>(); }
  static bool Gone(QPointer<QWidget> popup) {
    for (int i = 0; i < 3 && popup; ++i) {
      QApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return popup.isNull();
  }

  kwtest::SheetHost host;
  cmcGTex texts;
  cmcFCache cache{texts};
  cuiFieldDialogs dialogs{texts};
  ScopedFieldDialogOpener opener{&dialogs};
  cmcEeprom image;
  cuiSheet* sheet = nullptr;
  int redraws = 0;
};

TEST_F(ChoiceCellEndToEnd, APickInThePopupIsWrittenBack) {
  EXPECT_EQ(Shown(), "4800bps");
  QPointer<QWidget> popup = OpenPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(image.GetByte(kBaudByte), 2) << "opening changes nothing";
  // At the cell: its left edge 8 pixels right of the cell's, just below it.
  EXPECT_TRUE(popup->parentWidget() == sheet->Grid());
  cmcCellCapsule at;
  sheet->PrepareCapsule(1, 5, at);
  const QPoint cellOrigin = sheet->Grid()->mapToGlobal(at.cellRect.topLeft());
  EXPECT_EQ(popup->geometry().left(), cellOrigin.x() + 8);
  EXPECT_EQ(popup->geometry().top(), cellOrigin.y() + at.cellRect.height());
  cuiGrid* grid = PopupGrid(popup);
  ASSERT_NE(grid, nullptr);

  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(image.GetByte(kBaudByte), 3);
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(Gone(popup));
  EXPECT_EQ(Shown(), "9600bps");
}

TEST_F(ChoiceCellEndToEnd, EscapeLeavesTheValue) {
  QPointer<QWidget> popup = OpenPopup();
  ASSERT_TRUE(popup);
  QTest::keyClick(PopupGrid(popup), Qt::Key_Down);
  QTest::keyClick(PopupGrid(popup), Qt::Key_Escape);
  EXPECT_TRUE(Gone(popup));
  EXPECT_EQ(image.GetByte(kBaudByte), 2);
  EXPECT_EQ(redraws, 0);
}

TEST_F(ChoiceCellEndToEnd, TheSheetGoingClosesThePopupAndWritesNothing) {
  QPointer<QWidget> popup = OpenPopup();
  ASSERT_TRUE(popup);
  sheet->Release();
  sheet = nullptr;
  EXPECT_TRUE(Gone(popup));
  EXPECT_EQ(image.GetByte(kBaudByte), 2);
}

TEST_F(ChoiceCellEndToEnd, ANewCacheAfterALanguageSwitchShowsTheNewTable) {
  EXPECT_EQ(cache.GetText(kBaud, Flex0, 5), "Auto");
  SelectTextTable(texts, TextTable::Japanese);
  cmcFCache renewed(texts);
  EXPECT_EQ(platform::Cp932ToUnicode(renewed.GetText(kBaud, Flex0, 5)),
            QString::fromUtf8("オート"));
  EXPECT_EQ(renewed.GetText(kBaud, Flex0, 2), "4800bps");
}

}  // namespace
