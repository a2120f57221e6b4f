// kw-test: gui
// kw-test: link=kw_test_cells_support
// A tree over the cell handler's fixture image marks the faulty pages the
// way the warning check does (warnings first, then errors, so an error
// wins): the check scans judge each node's page, the faulty nodes and their
// collapsed parents get the marks, and the mark is painted over the node.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "cells/CheckScans.h"
#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "model/cmcEeprom.h"
#include "model/indDestination.h"
#include "sheet/cuiImageList.h"
#include "sheet/cuiTree.h"
#include "support/model/CellFixtureImage.h"
#include "tests/sheet/SheetFixture.h"

namespace {

std::vector<std::string> TreeLines() {
  return {
      "#CellModel_BasicTree",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-12,,,)",
      "#GI_Tree_T_BasicCell",
      "{($BasicTree)}",
      "#GI_Tree_T_Body",
      "+\t\t\t{(ImageIndex=0)(%CallSheet:GI_Sheet_TopPage)}",
      " +Memory CH\t\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}",
      "   +  0 -  99\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,0,0)}",
      "   +100 - 199\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,1,100)}",
      " +Bank CH\t\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}",
      "   +A:\t\t{(ImageIndex=2)(%CallSheet:[St_CCBank]GI_Sheet_BankCH,21)}",
      "   +B:\t\t{(ImageIndex=2)(%CallSheet:[St_CCBank]GI_Sheet_BankCH,22)}",
      "#",
  };
}

// Scans a page: the number after the first comma names the memory-channel
// block or the bank (21 = A); other pages are never faulty.
using ChannelScan = int (*)(cmcEeprom&, int, int);
using BankScan = int (*)(cmcEeprom&, int, int, int);
int ScanPage(cmcEeprom& image, const std::string& reference, ChannelScan channels, BankScan bank) {
  const std::size_t comma = reference.find(',');
  if (comma == std::string::npos) return -1;
  const int number = std::stoi(reference.substr(comma + 1));
  int faulty = 0;
  if (reference.starts_with("[St_ColCut]GI_Sheet_MemoryCH"))
    faulty = channels(image, number * 100, number * 100 + 100);
  else if (reference.starts_with("[St_CCBank]GI_Sheet_BankCH"))
    faulty = bank(image, number - 21, 0, 100);
  return faulty > 0 ? 0 : -1;
}

class TreeMarksTest : public ::testing::Test {
 protected:
  TreeMarksTest() : images_(16, 16) {
    for (QRgb color :
         {0xFF0000C0u, 0xFF00C000u, 0xFF008080u, 0xFF808000u, 0xFFFFFF00u, 0xFFFF0000u}) {
      QImage image(16, 16, QImage::Format_ARGB32);
      image.fill(color);
      images_.Add(image);
    }
    kwtest::LoadTable(gtex_, TreeLines());
    window_.resize(300, 300);
    tree_ = new cuiTree(&window_, gtex_, "GI_Tree_T", &images_);
    tree_->setGeometry(0, 0, 300, 300);
    tree_->Build();
    window_.show();
    QApplication::processEvents();
  }

  // The warning check's marking: old marks go, warnings first, errors last.
  void Mark() {
    tree_->ClearMarks();
    tree_->MarkIds(
        nullptr,
        [&](const std::string& ref) {
          return ScanPage(image_, ref, ScanMchRangeWarnings, ScanBankRangeWarnings);
        },
        cuiTree::kWarningOverlay);
    tree_->MarkIds(
        nullptr,
        [&](const std::string& ref) {
          return ScanPage(image_, ref, ScanMchRangeErrors, ScanBankRangeErrors);
        },
        cuiTree::kErrorOverlay);
  }
  QTreeWidgetItem* Node(const std::string& reference) {
    return tree_->FindNodeByBinding(reference);
  }
  int OverlayOf(const std::string& reference) { return tree_->Overlay(Node(reference)); }

  ScopedEvMan bus_;
  ScopedDestination destination_{indDestination(0)};
  cmcEeprom image_ = kwtest::MakeCellFixtureImage();
  cmcGTex gtex_;
  cuiImageList images_;
  QWidget window_;
  cuiTree* tree_ = nullptr;
};

TEST_F(TreeMarksTest, TheFaultyNodeAndItsCollapsedParentAreMarked) {
  const std::string block0 = "[St_ColCut]GI_Sheet_MemoryCH,0,0";
  const std::string block1 = "[St_ColCut]GI_Sheet_MemoryCH,1,100";
  const std::string bankA = "[St_CCBank]GI_Sheet_BankCH,21";
  const std::string bankB = "[St_CCBank]GI_Sheet_BankCH,22";
  Mark();
  // Channel 12 (600 MHz) and bank A's doubly claimed slot are errors; the
  // warnings of the same pages (channel 11 at 200 MHz) give way to them.
  EXPECT_EQ(OverlayOf(block0), cuiTree::kErrorOverlay);
  EXPECT_EQ(OverlayOf(block1), cuiTree::kNoOverlay);
  EXPECT_EQ(OverlayOf(bankA), cuiTree::kErrorOverlay);
  EXPECT_EQ(OverlayOf(bankB), cuiTree::kNoOverlay);
  QTreeWidgetItem* root = tree_->topLevelItem(0);
  QTreeWidgetItem* banks = root->child(1);
  EXPECT_EQ(tree_->Overlay(banks), cuiTree::kErrorOverlay);
  EXPECT_EQ(tree_->Overlay(root), cuiTree::kNoOverlay);  // open: its children show

  // Opened, the parent gives its mark up to the node, which paints image 5
  // over its own image.
  banks->setExpanded(true);
  Mark();
  EXPECT_EQ(tree_->Overlay(banks), cuiTree::kNoOverlay);
  QTreeWidgetItem* a = Node(bankA);
  tree_->scrollToItem(a);
  QApplication::processEvents();
  const QImage shot = tree_->viewport()->grab().toImage();
  const QRect row = tree_->visualItemRect(a);
  int red = 0;
  int teal = 0;
  for (int x = row.left(); x < row.right(); ++x) {
    const QRgb c = shot.pixel(x, row.center().y()) & 0xFFFFFF;
    red += c == 0xFF0000 ? 1 : 0;
    teal += c == 0x008080 ? 1 : 0;
  }
  EXPECT_GT(red, 8);
  EXPECT_EQ(teal, 0);
}

}  // namespace
