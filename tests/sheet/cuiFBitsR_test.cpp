// kw-test: gui
// kw-test: link=Qt6::Test
// The bit-selection dialog at a cell: its sheet from the generated markup,
// toggles by key, the sentence-set rules, and what OK, Cancel, Escape and
// the two events send back to the cell.
#include "sheet/cuiFBitsR.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "core/cmcEvMan.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellObj.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"

namespace {

std::uint32_t Item(int k) { return 1u << (26 - k); }

struct Sent {
  int mode;
  std::string text;
  int resultCellId;
};

class BitsDialog : public ::testing::Test {
 protected:
  BitsDialog() {
    texts_.SetSource(kwres::kTextEnglish);
    grid_.resize(300, 200);
    grid_.show();
    owner_.owner = owner_.owner2 = &grid_;
    owner_.cellRect = QRect(20, 30, 80, 18);
  }
  ~BitsDialog() override { Gone(); }

  cuiFBitsR* Open(std::uint32_t flags, int first, int last, int kind) {
    auto* d = new cuiFBitsR(
        owner_, texts_, flags, first, last, kind, 7, 9, [this](const cmcCellCapsule&) {
          return [this](cmcCellCapsule& c, int) {
            sent_.push_back(
                {c.mode, c.inputText, c.parent && c.parent->cell ? c.parent->cell->cellId : -1});
            return 1;
          };
        });
    form_ = d->Form();
    QApplication::processEvents();
    return d;
  }
  // The check cell of an item, as the dialog's handler sees it.
  static cmcCellCapsule CheckCell(cmcCellObj& cell, int item, int key = 0) {
    cell.cellId = CL_FBits;
    cell.index = item;
    cmcCellCapsule c;
    c.cell = &cell;
    c.operation = key;
    return c;
  }
  bool Gone() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form_.isNull();
  }

  ScopedEvMan bus_;
  cmcGTex texts_;
  QWidget grid_;
  cmcCellCapsule owner_;
  QPointer<QWidget> form_;
  std::vector<Sent> sent_;
};

TEST_F(BitsDialog, SheetShowsHeadersAndCheckCellsOfTheItems) {
  cuiFBitsR* d = Open(Item(21) | Item(23), 21, 26, 3);
  cuiSheet* sheet = d->Sheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(d->Number1(), 7);
  EXPECT_EQ(d->Number2(), 9);
  // Row 0 is the empty first line; row 1 the headers; row 2 the check
  // cells with quarter pillars between.
  std::vector<std::string> headers;
  std::vector<int> items;
  cuiGrid* grid = sheet->Grid();
  for (int col = 0; col < grid->ColCount(); ++col) {
    const cmcCellObj* h = sheet->GetCell(col, 1);
    if (!h->GetCaption().empty()) headers.emplace_back(h->GetCaption());
    const cmcCellObj* c = sheet->GetCell(col, 2);
    if (c->cellId == CL_FBits) items.push_back(c->index);
  }
  EXPECT_EQ(headers, (std::vector<std::string>{"U", "V", "W", "X", "Y", "Z"}));
  EXPECT_EQ(items, (std::vector<int>{21, 22, 23, 24, 25, 26}));
  // Set items show "o", a circle on the printer, clear ones nothing.
  cmcCellObj cell;
  for (auto [item, shown] : {std::pair{21, "o"}, {22, ""}, {23, "o"}}) {
    cmcCellCapsule c = CheckCell(cell, item);
    d->HandleCell(c, 0);
    EXPECT_EQ(c.outputText, shown) << item;
  }
  cmcCellCapsule printing = CheckCell(cell, 21);
  printing.stateBits = cellstate::kPrinting;
  d->HandleCell(printing, 0);
  EXPECT_EQ(printing.outputText, "\x81\x9B");
  d->Cancel();
}

TEST_F(BitsDialog, SpaceOnTheGridTogglesAndOkSendsTheWord) {
  cuiFBitsR* d = Open(Item(1), 1, 10, 3);
  cuiGrid* grid = d->Sheet()->Grid();
  grid->setFocus();
  // The cursor starts on item 1 and steps over the pillars.
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Space);
  EXPECT_EQ(d->Model().Flags(), Item(1) | Item(2));
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_Backspace);  // item 3, C
  EXPECT_EQ(d->Model().Flags(), Item(1) | Item(2) | Item(3));
  d->OkButton()->click();
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].mode, cellmode::kChoice);
  EXPECT_EQ(sent_[0].text, std::to_string(Item(1) | Item(2) | Item(3)));
  EXPECT_EQ(sent_[0].resultCellId, Flex0);
  bus_->Send(ev::EndCellEditing);  // committed once
  EXPECT_EQ(sent_.size(), 1u);
  EXPECT_TRUE(Gone());
}

TEST_F(BitsDialog, SentenceSetsMarkEveryCellAndDisableOk) {
  struct Case {
    int kind, last;
    int set;  // items 1..set
    bool ok;
  } cases[] = {
      {4, 6, 0, false}, {4, 6, 5, false}, {4, 6, 4, true}, {5, 4, 0, false}, {5, 4, 1, true}};
  for (const auto& c : cases) {
    std::uint32_t flags = 0;
    for (int k = 1; k <= c.set; ++k) flags |= Item(k);
    cuiFBitsR* d = Open(flags, 1, c.last, c.kind);
    EXPECT_EQ(d->OkButton()->isEnabled(), c.ok) << c.kind << " " << c.set;
    cmcCellObj cell;
    for (int item = 1; item <= c.last; ++item) {
      cmcCellCapsule cap = CheckCell(cell, item);
      d->HandleCell(cap, 0);
      EXPECT_EQ((cap.stateBits & cellstate::kError) != 0, !c.ok) << item;
    }
    sent_.clear();
    d->Commit();  // refused while OK is disabled
    EXPECT_EQ(sent_.size(), c.ok ? 1u : 0u) << c.kind << " " << c.set;
    d->Cancel();
    EXPECT_TRUE(Gone());
  }
}

TEST_F(BitsDialog, ToggleThenCancelEscapeOrTheOwnersClosingSendNothing) {
  cmcCellObj cell;
  cuiFBitsR* d = Open(Item(1), 1, 8, 6);
  cmcCellCapsule space = CheckCell(cell, 2, cellop::kSpace);
  space.owner = &grid_;
  EXPECT_EQ(d->HandleCell(space, 1), kCellRedraw);
  d->Cancel();
  EXPECT_TRUE(Gone());

  d = Open(Item(1), 1, 8, 6);
  QTest::keyClick(d->Sheet()->Grid(), Qt::Key_Space);
  QTest::keyClick(d->Sheet()->Grid(), Qt::Key_Escape);
  EXPECT_TRUE(Gone());

  d = Open(Item(1), 1, 8, 6);
  QTest::keyClick(d->Sheet()->Grid(), Qt::Key_Space);
  bus_->Send(ev::SheetDestroying, 0, reinterpret_cast<std::intptr_t>(&grid_));
  EXPECT_TRUE(Gone());
  EXPECT_TRUE(sent_.empty());
}

TEST_F(BitsDialog, ClosingThePopupsSendsOnlyAnAcceptableChange) {
  {  // unchanged: nothing
    Open(Item(1), 1, 6, 4);
    bus_->Send(ev::EndCellEditing);
    EXPECT_TRUE(Gone());
  }
  {  // five sentences: OK would refuse, so nothing
    cuiFBitsR* d = Open(Item(1) | Item(2) | Item(3) | Item(4), 1, 6, 4);
    cmcCellObj cell;
    cmcCellCapsule space = CheckCell(cell, 5, cellop::kSpace);
    space.owner = &grid_;
    d->HandleCell(space, 1);
    bus_->Send(ev::EndCellEditing);
    EXPECT_TRUE(Gone());
  }
  EXPECT_TRUE(sent_.empty());
  {  // a changed, acceptable set: sent
    cuiFBitsR* d = Open(Item(1), 1, 6, 4);
    cmcCellObj cell;
    cmcCellCapsule space = CheckCell(cell, 6, cellop::kSpace);
    space.owner = &grid_;
    d->HandleCell(space, 1);
    bus_->Send(ev::EndCellEditing);
    EXPECT_TRUE(Gone());
  }
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].text, std::to_string(Item(1) | Item(6)));
}

}  // namespace
