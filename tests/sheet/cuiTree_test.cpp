// kw-test: gui
// The navigation tree from the markup: levels from the blanks before '+',
// node cells and images, the bus events it answers, fault marks with their
// overlay images, the selection colour without focus, the change delay and
// closing with its owner.
#include "sheet/cuiTree.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include "core/cmcEvMan.h"
#include "core/cmcGTex.h"
#include "sheet/cuiImageList.h"
#include "tests/sheet/SheetFixture.h"
#include "tests/support/ManualClock.h"

namespace {

using kwtest::LoadTable;

constexpr int kImageSize = 16;

// Images 0..5 in plain colours; 4 and 5 are the warning and error marks.
const QRgb kImageColors[] = {0xFF0000C0, 0xFF00C000, 0xFF008080,
                             0xFF808000, 0xFFFFFF00, 0xFFFF0000};

cuiImageList MakeImages() {
  cuiImageList images(kImageSize, kImageSize);
  for (QRgb color : kImageColors) {
    QImage image(kImageSize, kImageSize, QImage::Format_ARGB32);
    image.fill(color);
    images.Add(image);
  }
  return images;
}

// The first line has depth 2: its level is the roots. A line without '+' is
// no node; a line between two open depths opens a level of its own.
std::vector<std::string> TreeLines() {
  return {
      "#CellModel_BasicTree",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-12,,,)",
      "#GI_Tree_T_BasicCell",
      "{($BasicTree)}",
      "#GI_Tree_T_Body",
      "  +\t\t\t{(ImageIndex=0)(%CallSheet:GI_Sheet_TopPage)}",
      "   +Memory CH\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}",
      "     +  0 -  99\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,0,0)}",
      "     +100 - 199\t{(ImageIndex=2)(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,1,100)}",
      "no plus: not a node",
      "   +Bank CH\t{(ImageIndex=1)(%CallSheet:GI_Sheet_TreeTop)}",
      "       +A:\t\t{(ImageIndex=2)(%CallSheet:[St_CCBank]GI_Sheet_BankCH,21)}",
      "      +Again\t{(ImageIndex=2)(%CallSheet:[St_CCBank]GI_Sheet_BankCH,21)}",
      "  +Second root\t{(ImageIndex=3)(%CallSheet:GI_Sheet_Other)}",
      "#",
  };
}

class TreeTest : public ::testing::Test {
 protected:
  TreeTest() : images_(MakeImages()) {
    LoadTable(gtex_, TreeLines());
    window_.resize(300, 400);
    panel_ = new QWidget(&window_);
    panel_->setGeometry(0, 0, 300, 400);
    tree_ = new cuiTree(panel_, gtex_, "GI_Tree_T", &images_);
    tree_->setGeometry(0, 0, 300, 400);
    tree_->Build();
    window_.show();
    QApplication::processEvents();
  }
  ~TreeTest() override {
    delete tree_.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QTreeWidgetItem* Node(int i) { return tree_->NodeAt(i); }
  std::string Caption(int i) { return tree_->NodeText(Node(i)); }

  // The colour at the middle of the node's image.
  QRgb ImagePixel(QTreeWidgetItem* node) {
    tree_->scrollToItem(node);
    const QImage shot = tree_->viewport()->grab().toImage();
    const QRect row = tree_->visualItemRect(node);
    // The image sits at the left of the row, after the indentation.
    for (int x = row.left(); x < row.right(); ++x) {
      const QRgb c = shot.pixel(x, row.center().y());
      for (QRgb image : kImageColors)
        if ((c & 0xFFFFFF) == (image & 0xFFFFFF)) return c | 0xFF000000;
    }
    return 0;
  }

  ScopedEvMan bus_;
  cmcGTex gtex_;
  cuiImageList images_;
  QWidget window_;
  QWidget* panel_ = nullptr;
  QPointer<cuiTree> tree_;
};

TEST_F(TreeTest, LevelsFollowTheBlanksBeforeThePlus) {
  // Roots: the two lines of depth 2.
  ASSERT_EQ(tree_->topLevelItemCount(), 2);
  QTreeWidgetItem* root = tree_->topLevelItem(0);
  EXPECT_EQ(tree_->NodeText(root), "");
  EXPECT_EQ(tree_->NodeText(tree_->topLevelItem(1)), "Second root");
  ASSERT_EQ(root->childCount(), 2);
  EXPECT_EQ(tree_->NodeText(root->child(0)), "Memory CH");
  EXPECT_EQ(root->child(0)->childCount(), 2);
  EXPECT_EQ(root->child(0)->child(0)->text(0), QStringLiteral("0 -  99"));
  // "A:" (depth 7) is a child of "Bank CH"; "Again" (depth 6, between 3 and
  // 7) opens a level of its own under "Bank CH" too.
  QTreeWidgetItem* bank = root->child(1);
  ASSERT_EQ(bank->childCount(), 2);
  EXPECT_EQ(tree_->NodeText(bank->child(0)), "A:");
  EXPECT_EQ(tree_->NodeText(bank->child(1)), "Again");
  // Absolute order, cells and images.
  EXPECT_EQ(tree_->Nodes().size(), 8u);
  EXPECT_EQ(Caption(3), "100 - 199");
  const cmcCellObj* cell = tree_->CellOf(Node(3));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->cellId, CallSheet);
  EXPECT_EQ(cell->bindingText, "[St_ColCut]GI_Sheet_MemoryCH,1,100");
  EXPECT_EQ(cell->imageIndex, 2);
  EXPECT_FALSE(tree_->topLevelItem(0)->icon(0).isNull());
  // The first node is open, the others closed; nothing is selected.
  EXPECT_TRUE(root->isExpanded());
  EXPECT_FALSE(root->child(0)->isExpanded());
  EXPECT_EQ(tree_->GetSelectedCell(), nullptr);
  // Building again replaces the nodes.
  tree_->Build();
  EXPECT_EQ(tree_->Nodes().size(), 8u);
}

TEST_F(TreeTest, BusEventsSelectByBindingAndAnswerTheSelectedText) {
  auto selected = [&] {
    std::string text = "(no answer)";
    for (const cmcEvAns& a : EvMan().Query(ev::QueryTreeSelection))
      if (const std::string* t = a.Text()) text = *t;
    return text;
  };
  EXPECT_EQ(selected(), "");
  // Two nodes bind bank A: the first in absolute order wins.
  EvMan().SendStr(ev::TreeSelectNode, 0, 0, "[St_CCBank]GI_Sheet_BankCH,21");
  EXPECT_EQ(tree_->currentItem(), Node(5));
  EXPECT_EQ(selected(), "A:");
  ASSERT_NE(tree_->GetSelectedCell(), nullptr);
  EXPECT_EQ(tree_->GetSelectedCell()->bindingText, "[St_CCBank]GI_Sheet_BankCH,21");
  // A renamed node answers its new text.
  tree_->SetNodeText(Node(5), "A: Home");
  EXPECT_EQ(selected(), "A: Home");
  EXPECT_EQ(Node(5)->text(0), QStringLiteral("A: Home"));
  // An unknown binding changes nothing.
  EvMan().SendStr(ev::TreeSelectNode, 0, 0, "GI_Sheet_Nowhere");
  EXPECT_EQ(tree_->currentItem(), Node(5));
}

TEST_F(TreeTest, MarkIdsMarksFaultyNodesAndCollapsedParents) {
  const std::string faulty = "[St_ColCut]GI_Sheet_MemoryCH,1,100";
  const cuiTree::Checker checker = [&](const std::string& binding) {
    return binding == faulty ? 0 : -1;
  };
  QTreeWidgetItem* root = tree_->topLevelItem(0);
  QTreeWidgetItem* memory = root->child(0);
  // Collapsed parent: marked with its faulty child; the open root is not.
  EXPECT_EQ(tree_->MarkIds(nullptr, checker, cuiTree::kErrorOverlay), 1);
  EXPECT_EQ(tree_->Overlay(Node(3)), cuiTree::kErrorOverlay);
  EXPECT_EQ(tree_->Overlay(memory), cuiTree::kErrorOverlay);
  EXPECT_EQ(tree_->Overlay(root), cuiTree::kNoOverlay);
  EXPECT_EQ(tree_->Overlay(Node(2)), cuiTree::kNoOverlay);

  // Expanded: only the child.
  tree_->ClearMarks();
  EXPECT_EQ(tree_->Overlay(Node(3)), cuiTree::kNoOverlay);
  memory->setExpanded(true);
  EXPECT_EQ(tree_->MarkIds(root, checker, cuiTree::kWarningOverlay), 1);
  EXPECT_EQ(tree_->Overlay(Node(3)), cuiTree::kWarningOverlay);
  EXPECT_EQ(tree_->Overlay(memory), cuiTree::kNoOverlay);

  // A mark laid later wins, and ClearMarks of a subtree leaves the rest.
  tree_->MarkIds(root, checker, cuiTree::kErrorOverlay);
  EXPECT_EQ(tree_->Overlay(Node(3)), cuiTree::kErrorOverlay);
  tree_->SetOverlay(tree_->topLevelItem(1), cuiTree::kWarningOverlay);
  tree_->ClearMarks(root);
  EXPECT_EQ(tree_->Overlay(Node(3)), cuiTree::kNoOverlay);
  EXPECT_EQ(tree_->Overlay(tree_->topLevelItem(1)), cuiTree::kWarningOverlay);
}

TEST_F(TreeTest, OverlaysDrawImagesFiveAndFourOverTheNodeImage) {
  QTreeWidgetItem* second = tree_->topLevelItem(1);
  EXPECT_EQ(ImagePixel(second), kImageColors[3]);
  tree_->SetOverlay(second, cuiTree::kErrorOverlay);
  EXPECT_EQ(ImagePixel(second), kImageColors[5]);
  tree_->SetOverlay(second, cuiTree::kWarningOverlay);
  EXPECT_EQ(ImagePixel(second), kImageColors[4]);
  tree_->ClearMarks();
  EXPECT_EQ(ImagePixel(second), kImageColors[3]);
  // A node given another image shows it.
  tree_->SetNodeImage(second, 1);
  EXPECT_EQ(tree_->CellOf(second)->imageIndex, 1);
  EXPECT_EQ(ImagePixel(second), kImageColors[1]);
}

TEST_F(TreeTest, ANarrowPanelScrollsSidewaysInsteadOfCuttingCaptions) {
  tree_->setGeometry(0, 0, 120, 400);
  const QString caption = QStringLiteral("A caption far wider than the narrow panel it is in");
  QTreeWidgetItem* second = Node(7);
  second->setText(0, caption);
  QApplication::processEvents();
  const int textWidth = tree_->fontMetrics().horizontalAdvance(caption);
  ASSERT_GT(textWidth, 200);
  EXPECT_GE(tree_->visualItemRect(second).width(), textWidth);
  EXPECT_GT(tree_->horizontalScrollBar()->maximum(), 0);
}

TEST_F(TreeTest, TheSelectionKeepsItsColourWithoutFocus) {
  QPalette pal = tree_->palette();
  pal.setColor(QPalette::Active, QPalette::Highlight, QColor(0x10, 0x20, 0xC0));
  pal.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xE0, 0xE0, 0xE0));
  tree_->setPalette(pal);
  QTreeWidgetItem* second = tree_->topLevelItem(1);
  tree_->SelectNode(second);
  tree_->clearFocus();
  QLineEdit other(&window_);
  other.setFocus();
  QApplication::processEvents();
  ASSERT_FALSE(tree_->hasFocus());
  const QImage shot = tree_->viewport()->grab().toImage();
  const QRect row = tree_->visualItemRect(second);
  int highlighted = 0;
  for (int x = row.left(); x < row.right(); ++x)
    if (shot.pixelColor(x, row.center().y()) == QColor(0x10, 0x20, 0xC0)) ++highlighted;
  EXPECT_GT(highlighted, 10);
}

TEST_F(TreeTest, AChangeReachesTheOwnerAfterTheDelay) {
  int changes = 0;
  tree_->SetOnChange([&] { ++changes; });
  tree_->SetChangeDelay(200);
  tree_->SelectNode(Node(2));
  tree_->SelectNode(Node(3));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(tree_->ChangePending());
  tree_->ChangeTick();
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(tree_->ChangePending());
  // Without a delay the change comes at once.
  tree_->SetChangeDelay(0);
  tree_->SelectNode(Node(1));
  EXPECT_EQ(changes, 2);
  // Building anew reports no change.
  tree_->Build();
  EXPECT_EQ(changes, 2);
}

TEST_F(TreeTest, TheDelayRunsOnTheProgramsClockAndABurstReportsOnce) {
  kwtest::ManualClock clock(5000);
  int changes = 0;
  tree_->SetOnChange([&] { ++changes; });
  tree_->SetChangeDelay(200);
  tree_->SelectNode(Node(2));
  EXPECT_TRUE(tree_->ChangeTask().TimerActive());
  clock.Advance(150);
  tree_->SelectNode(Node(3));  // starts the delay again
  clock.Advance(150);
  tree_->PollChange();
  EXPECT_EQ(changes, 0);
  clock.Advance(50);
  tree_->PollChange();
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(tree_->ChangePending());
  EXPECT_FALSE(tree_->ChangeTask().TimerActive());
  tree_->PollChange();
  EXPECT_EQ(changes, 1);
}

TEST_F(TreeTest, ClosingWithItsOwnerEndsEveryEvent) {
  tree_->SelectNode(Node(1));
  int changes = 0;
  tree_->SetOnChange([&] { ++changes; });
  // Another owner's close leaves the tree alone.
  QWidget other;
  EvMan().Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(&other));
  EXPECT_TRUE(tree_->isVisible());
  EvMan().Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(panel_));
  ASSERT_FALSE(tree_.isNull());  // goes when the event loop is back
  EXPECT_FALSE(tree_->isVisible());
  // No event reaches it any more.
  EXPECT_TRUE(EvMan().Query(ev::QueryTreeSelection).empty());
  EvMan().SendStr(ev::TreeSelectNode, 0, 0, "GI_Sheet_Other");
  EXPECT_EQ(tree_->currentItem(), Node(1));
  EXPECT_EQ(changes, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(tree_.isNull());
}

}  // namespace
