// kw-test: gui
// kw-test: link=Qt6::Test
// kw-test: label=locale
// End to end on a real sheet: frequency, bank-link, latitude and time cells
// bound through a small handler that reads the image, calls one converter
// and stores on change; the field dialogs open at the cells through the
// program's opener and answer through the sheet's handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "cells/BitSetConverters.h"
#include "cells/ConverterContext.h"
#include "cells/DateTimeConverters.h"
#include "cells/NumberConverters.h"
#include "cells/PositionConverters.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/LayoutLists.h"
#include "model/cmcEeprom.h"
#include "model/datCh.h"
#include "resources/text/TextTables.h"
#include "sheet/MaskedLineEdit.h"
#include "sheet/cuiFieldDialogs.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"

namespace {

// Where the small handler keeps its bank links: a 10-bit field, bank A in
// bit 9, as a big-endian word.
constexpr std::int64_t kBankLinks = 0x2A290;
constexpr std::int64_t kLatitude = layout::GpsAddress(0) + layout::gps::kLatitude;
constexpr std::int64_t kDateTime = layout::GpsAddress(0) + layout::gps::kDate;
constexpr int kUtcOffset = 540;

std::vector<std::string> Table() {
  std::vector<std::string> lines(kwres::kTextEnglish.lines,
                                 kwres::kTextEnglish.lines + kwres::kTextEnglish.count - 1);
  for (const char* line : {"#GI_Sheet_Fields_Style", "(FixedCols=0)(FixedRows=0)",
                           "#GI_Sheet_Fields_BasicCell", "{($Basic)}", "#GI_Sheet_Fields_Cells",
                           "{($eWh)(%CT_Null.CL_Mch_Freq[0])}9999.999999|"
                           "{($eWh)(%CT_Null.CL_Common_BankLink_A_J[0])}WWWWWWWWWW|"
                           "{($eWh)(%CT_Null.CL_Gps_Latitude[0])}WWWWWWWWWWW|"
                           "{($eWh)(%CT_Null.CL_Gps_Time[0])}WWWWWWWW",
                           "#"})
    lines.emplace_back(line);
  lines.emplace_back("#End_Of_Ovl");
  return lines;
}

class FieldEditing : public ::testing::Test {
 protected:
  FieldEditing() : dialogs_(texts_) {
    texts_.SetSource(Table());
    image_.SetSize(layout::kImageSize);
    image_.Fill(0xFF);
    datCh channel(&image_);
    channel.Load(1, 0);
    channel.flags |= datCh::kUsed;
    channel.freq = 433000000;
    channel.StoreSelf();
    imageaccess::Set16(image_, kBankLinks, 0x201);  // A and J
    const std::uint8_t latitude[] = {35, 0x98, 0xD3, 'N'};
    image_.SetBlock(kLatitude, latitude, 4);
    const std::uint8_t dateTime[] = {0x07, 0x04, 0x15, 0x12, 0x30, 0x00};
    image_.SetBlock(kDateTime, dateTime, 6);

    window_.resize(640, 200);
    window_.show();
    QApplication::processEvents();
    sheet_ = new cuiSheet(&window_, nullptr, 0, 0, texts_, "GI_Sheet_Fields", nullptr);
    sheet_->SetCellHandler([this](cmcCellCapsule& c, int notify) { return Handle(c, notify); });
    sheet_->SetName("0,0");
    sheet_->Build();
    sheet_->Grid()->setFocus();
    QApplication::processEvents();
  }
  ~FieldEditing() override {
    sheet_->Release();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The small handler: one converter per cell, stored on change.
  int Handle(cmcCellCapsule& c, int notify) {
    if (!c.cell) return 0;
    if (c.popupCommand == CL_PMenu_Edit) {  // the context menu's Edit: Enter
      c.popupCommand = 0;
      c.operation = cellop::kEnter;
    }
    const ConverterContext ctx;
    int status = 0;
    switch (c.cell->cellId) {
      case CL_Mch_Freq: {
        datCh channel(&image_);
        channel.Load(1, 0);
        if (EditFrequency(c, channel.freq, 118, 550, !channel.IsUsed(), status)) {
          channel.StoreSelf();
        }
        break;
      }
      case CL_Common_BankLink_A_J: {
        std::uint32_t field = imageaccess::Get16(image_, kBankLinks);
        if (EditBankLinks(ctx, c, field, 1, 10, bitheader::kLetters, status)) {
          imageaccess::Set16(image_, kBankLinks, field);
        }
        break;
      }
      case CL_Gps_Latitude:
      case CL_Gps_Time: {
        const bool latitude = c.cell->cellId == CL_Gps_Latitude;
        const std::int64_t at = latitude ? kLatitude : kDateTime;
        std::vector<std::uint8_t> field(latitude ? 4 : 6);
        image_.GetBlock(at, field.data(), static_cast<std::int64_t>(field.size()));
        if (EditGpsField(ctx, c, field, kUtcOffset,
                         latitude ? gpsfield::kLatitudeHundredths : gpsfield::kTime, status)) {
          image_.SetBlock(at, field.data(), static_cast<std::int64_t>(field.size()));
        }
        break;
      }
      default: c.outputText = std::string(c.cell->GetCaption()); break;
    }
    if (notify && c.mode == cellmode::kChoice) ++answers_;
    return status;
  }

  void Select(int cellId) {
    sheet_->FindCell(CT_Null, cellId, 0);
    sheet_->Grid()->setFocus();
  }
  // The field dialog now open (a tool window of the host).
  template <class T>
  T* DialogChild() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->windowType() != Qt::Tool) continue;
      if (auto* child = w->findChild<T*>()) return child;
    }
    return nullptr;
  }
  QPushButton* DialogButton(const QString& text) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || w->windowType() != Qt::Tool) continue;
      for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    }
    return nullptr;
  }
  void Settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ScopedEvMan bus_;
  cmcGTex texts_;
  cuiFieldDialogs dialogs_;
  ScopedFieldDialogOpener opener_{&dialogs_};
  cmcEeprom image_;
  QWidget window_;
  cuiSheet* sheet_ = nullptr;
  int answers_ = 0;
};

TEST_F(FieldEditing, TypedFrequencyIsStoredInHertz) {
  Select(CL_Mch_Freq);
  QTest::keyClicks(sheet_->Grid(), QStringLiteral("1"));
  ASSERT_TRUE(sheet_->EditorVisible());
  QTest::keyClicks(sheet_->Editor(), QStringLiteral("45.0125"));
  QTest::keyClick(sheet_->Editor(), Qt::Key_Return);
  datCh channel(&image_);
  channel.Load(1, 0);
  EXPECT_EQ(channel.freq, 145012500u);
}

TEST_F(FieldEditing, BankLinkDialogSetsOnlyTheToggledBit) {
  Select(CL_Common_BankLink_A_J);
  QTest::keyClick(sheet_->Grid(), Qt::Key_Return);
  Settle();
  auto* grid = DialogChild<cuiGrid>();
  ASSERT_NE(grid, nullptr);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Space);  // C
  QPushButton* ok = DialogButton(QStringLiteral("OK"));
  ASSERT_NE(ok, nullptr);
  ok->click();
  Settle();
  EXPECT_EQ(answers_, 1);
  EXPECT_EQ(imageaccess::Get16(image_, kBankLinks), 0x201 | 0x080);
  EXPECT_EQ(DialogChild<cuiGrid>(), nullptr);
}

TEST_F(FieldEditing, LatitudeEnteredInTheDialogIsStored) {
  Select(CL_Gps_Latitude);
  QTest::keyClick(sheet_->Grid(), Qt::Key_3);
  Settle();
  auto* edit = DialogChild<MaskedLineEdit>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QString::fromUtf8(" 35\u00B039.12'N"));
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClicks(edit, QStringLiteral("4840x00s"));
  QTest::keyClick(edit, Qt::Key_Return);
  Settle();
  std::uint8_t latitude[4];
  image_.GetBlock(kLatitude, latitude, 4);
  EXPECT_EQ(latitude[0], 48);
  EXPECT_EQ(latitude[1] << 8 | latitude[2], 40000);
  EXPECT_EQ(latitude[3], 'S');
}

TEST_F(FieldEditing, UneditedOkKeepsTheThousandths) {
  Select(CL_Gps_Latitude);
  QTest::keyClick(sheet_->Grid(), Qt::Key_Return);
  Settle();
  QPushButton* ok = DialogButton(QStringLiteral("OK"));
  ASSERT_NE(ok, nullptr);
  const cmcEeprom before = image_;
  ok->click();
  Settle();
  EXPECT_EQ(answers_, 1);
  EXPECT_TRUE(image_ == before);  // 39123, not 39120
}

TEST_F(FieldEditing, CancelLeavesTheImageByteIdentical) {
  const cmcEeprom before = image_;
  Select(CL_Gps_Time);
  QTest::keyClick(sheet_->Grid(), Qt::Key_Return);
  Settle();
  auto* edit = DialogChild<MaskedLineEdit>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("21:30:00"));
  QTest::keyClicks(edit, QStringLiteral("0815"));
  ASSERT_NE(DialogButton(QStringLiteral("Cancel")), nullptr);
  DialogButton(QStringLiteral("Cancel"))->click();
  Settle();

  Select(CL_Common_BankLink_A_J);
  QTest::keyClick(sheet_->Grid(), Qt::Key_Return);
  Settle();
  auto* grid = DialogChild<cuiGrid>();
  ASSERT_NE(grid, nullptr);
  QTest::keyClick(grid, Qt::Key_Space);
  QTest::keyClick(grid, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(answers_, 0);
  EXPECT_TRUE(image_ == before);
}

TEST_F(FieldEditing, TimeEditedInTheDialogIsStoredInUtc) {
  Select(CL_Gps_Time);
  QTest::keyClick(sheet_->Grid(), Qt::Key_Space);
  Settle();
  auto* edit = DialogChild<MaskedLineEdit>();
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, QStringLiteral("0815"));
  bus_->Send(ev::EndCellEditing);  // closing the popups sends the changed time
  Settle();
  std::uint8_t stored[6];
  image_.GetBlock(kDateTime, stored, 6);
  // 2015/04/07 08:15:00 local at +9:00 is 2015/04/06 23:15:00 UTC.
  EXPECT_EQ(std::vector<std::uint8_t>(stored, stored + 6),
            (std::vector<std::uint8_t>{0x06, 0x04, 0x15, 0x23, 0x15, 0x00}));
}

}  // namespace
