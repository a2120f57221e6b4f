// kw-test: gui
// kw-test: link=Qt6::Test
// kw-test: link=kw_test_cells_support
// End to end on real sheets over a generated default image: a frequency and
// a mode typed on an empty row of a memory-channel sheet make a channel and
// change what the row paints; a frequency typed on an empty bank slot puts
// a new channel into that slot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ChannelCellsRig.h"
#include "cells/names/CellNames.h"
#include "model/ImageAccess.h"
#include "model/LayoutImage.h"
#include "model/indDestination.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiImageList.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"

namespace {

std::vector<std::string> Table() {
  std::vector<std::string> lines(kwres::kTextEnglish.lines,
                                 kwres::kTextEnglish.lines + kwres::kTextEnglish.count - 1);
  for (const char* line :
       {"#GI_Sheet_TestMemory_Style", "(FixedCols=1)(FixedRows=0)",
        "#GI_Sheet_TestMemory_BasicCell", "{($Basic)}", "#GI_Sheet_TestMemory_Cells",
        "{(%CT_Conv.CL_Misc_ChNo_0Base[1])}999|{($eWh)(%CT_Conv.CL_Mch_Freq[1])}9999.999999|"
        "{($eWh)(%CT_Conv.CL_Mch_Mode[1])}WWWWWW",
        "{(%CT_Conv.CL_Misc_ChNo_0Base[2])}999|{($eWh)(%CT_Conv.CL_Mch_Freq[2])}9999.999999|"
        "{($eWh)(%CT_Conv.CL_Mch_Mode[2])}WWWWWW",
        "#", "#GI_Sheet_TestBank_Style", "(FixedCols=1)(FixedRows=0)",
        "#GI_Sheet_TestBank_BasicCell", "{($Basic)}", "#GI_Sheet_TestBank_Cells",
        "{(%CT_BankCh.CL_Misc_ChNo_0Base[4])}999|{($eWh)(%CT_BankCh.CL_Mch_Select_ChNo[4])}999|"
        "{($eWh)(%CT_BankCh.CL_Mch_Freq[4])}9999.999999",
        "#"})
    lines.emplace_back(line);
  lines.emplace_back("#End_Of_Ovl");
  return lines;
}

class ChannelSheetEndToEnd : public ::testing::Test {
 protected:
  ChannelSheetEndToEnd() {
    r_.ClearChannels();
    window_.resize(640, 200);
    window_.show();
    QApplication::processEvents();
  }
  ~ChannelSheetEndToEnd() override {
    if (sheet_) sheet_->Release();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Open(const char* key, const char* name, cuiImageList* images = nullptr) {
    sheet_ = new cuiSheet(&window_, nullptr, 0, 0, r_.rig.texts, key, images);
    sheet_->SetCellHandler(r_.rig.frame.Handler());
    sheet_->SetName(name);
    sheet_->Build();
    sheet_->Grid()->setFocus();
    QApplication::processEvents();
  }
  // Types into the cell: the first character opens the editor, Return
  // commits.
  void Type(std::int32_t category, std::int32_t cellId, std::int32_t index, const QString& text) {
    sheet_->FindCell(category, cellId, index);
    sheet_->Grid()->setFocus();
    QTest::keyClicks(sheet_->Grid(), text.left(1));
    ASSERT_TRUE(sheet_->EditorVisible()) << text.toStdString();
    QTest::keyClicks(sheet_->Editor(), text.mid(1));
    QTest::keyClick(sheet_->Editor(), Qt::Key_Return);
    QApplication::processEvents();
  }
  QImage Painted() {
    sheet_->Grid()->viewport()->repaint();
    return sheet_->Grid()->viewport()->grab().toImage();
  }

  kwtest::ChannelCellsRig r_{Table()};
  QWidget window_;
  cuiSheet* sheet_ = nullptr;
};

TEST_F(ChannelSheetEndToEnd, FrequencyAndModeTypedOnAnEmptyRowMakeAChannel) {
  Open("GI_Sheet_TestMemory", "0,0");
  const QImage before = Painted();
  Type(CT_Conv, CL_Mch_Freq, 2, QStringLiteral("145.5"));
  Type(CT_Conv, CL_Mch_Mode, 2, QStringLiteral("FM-N"));
  const datCh channel = r_.Load(itemkind::kChannel, 2);
  ASSERT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 145'500'000u);
  EXPECT_EQ(channel.mode, 1u);
  EXPECT_FALSE(r_.Load(itemkind::kChannel, 1).IsUsed());
  EXPECT_NE(Painted(), before) << "the new row paints its texts";
}

TEST_F(ChannelSheetEndToEnd, AnOutOfBandFrequencyDrawsTheWarningImage) {
  // Six marker images, each one solid colour; 4 is the warning, 5 the error.
  cuiImageList images(16, 16);
  const QRgb colours[] = {0x000011, 0x000022, 0x000033, 0x000044, 0xFF00FF, 0x00FFFF};
  for (QRgb c : colours) {
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(c);
    images.Add(picture);
  }
  Open("GI_Sheet_TestMemory", "0,0", &images);
  auto count = [](const QImage& shot, QRgb colour) {
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) n += (shot.pixel(x, y) & 0xFFFFFF) == colour;
    return n;
  };
  Type(CT_Conv, CL_Mch_Freq, 1, QStringLiteral("145"));
  EXPECT_EQ(count(Painted(), 0xFF00FF), 0) << "in band: no mark";
  ASSERT_TRUE(indDestination::Current().IsOutOfBand(300'000'000));
  Type(CT_Conv, CL_Mch_Freq, 1, QStringLiteral("300"));
  ASSERT_EQ(r_.Load(itemkind::kChannel, 1).freq, 300'000'000u);
  const QImage shot = Painted();
  EXPECT_GT(count(shot, 0xFF00FF), 0) << "the warning image is drawn";
  EXPECT_EQ(count(shot, 0x00FFFF), 0) << "no error image";
}

TEST_F(ChannelSheetEndToEnd, FrequencyOnAnEmptyBankSlotShowsTheNewChannelThere) {
  Open("GI_Sheet_TestBank", "21");
  Type(CT_BankCh, CL_Mch_Freq, 4, QStringLiteral("433"));
  const datCh channel = r_.Load(itemkind::kChannel, 0);
  ASSERT_TRUE(channel.IsUsed());
  EXPECT_EQ(channel.freq, 433'000'000u);
  EXPECT_EQ(channel.bank, 0u);
  EXPECT_EQ(channel.bankSlot, 4u);
  EXPECT_EQ(imageaccess::Get16(r_.rig.image, layout::BankTableEntry(0, 4)), 0);
}

}  // namespace
