// kw-test: gui
// kw-test: link=Qt6::Test
// The trace window and the memory image window, opened by their events on
// the main window, and the events they answer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "app/cuiDebugWin.h"
#include "app/cuiEeDebugWin.h"
#include "cells/names/CellNames.h"
#include "core/ColorNames.h"
#include "model/cmcEeprom.h"
#include "sheet/cuiGrid.h"
#include "sheet/cuiSheet.h"
#include "sheet/cuiSheetEditor.h"
#include "tests/app/MainWindowRig.h"

namespace {

struct Seen {
  int id;
  int mode;
  std::intptr_t p1;
  std::intptr_t p2;
  bool operator==(const Seen&) const = default;
};

class DebugWindowsTest : public ::testing::Test {
 protected:
  DebugWindowsTest() {
    rig_.Build();
    rig_.window->show();
    QApplication::processEvents();
    rig_.bus->AddListener(this, [this](const cmcEvent& e) {
      if (e.mode != cmcEvent::Query) seen_.push_back({e.id, e.mode, e.p1, e.p2});
    });
  }
  ~DebugWindowsTest() override { rig_.bus->RemoveListener(this); }

  // Lets deferred deletes run (a closed window frees itself that way).
  static void Settle() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }

  std::vector<Seen> SeenWith(int id) {
    std::vector<Seen> out;
    for (const Seen& s : seen_)
      if (s.id == id) out.push_back(s);
    return out;
  }

  kwtest::MainWindowRig rig_;
  std::vector<Seen> seen_;
};

// --- trace window ------------------------------------------------------------

TEST_F(DebugWindowsTest, TraceWindowOpensOverTheMainFormAtItsHeight) {
  EXPECT_EQ(cuiDebugWin::HeightFor(600), 480);
  EXPECT_EQ(cuiDebugWin::HeightFor(126), 100);  // 100.8
  EXPECT_EQ(cuiDebugWin::HeightFor(100), 100);
  EXPECT_EQ(cuiDebugWin::HeightFor(0), 100);

  EXPECT_EQ(rig_.main->TraceWindow(), nullptr);
  rig_.bus->Send(ev::OpenTraceWindow);
  cuiDebugWin* trace = rig_.main->TraceWindow();
  ASSERT_NE(trace, nullptr);
  EXPECT_EQ(trace->windowTitle(), QStringLiteral("Free Debug Window"));
  EXPECT_TRUE(trace->isWindow());
  EXPECT_TRUE(trace->isVisible());
  EXPECT_EQ(trace->parentWidget(), rig_.window.get());
  EXPECT_EQ(trace->height(), cuiDebugWin::HeightFor(rig_.window->height()));
  EXPECT_EQ(trace->height(), static_cast<int>(0.8 * rig_.window->height()));
  EXPECT_EQ(trace->Memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(trace->Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  // A second event brings the same window forward.
  rig_.bus->Send(ev::OpenTraceWindow);
  EXPECT_EQ(rig_.main->TraceWindow(), trace);
}

TEST_F(DebugWindowsTest, TraceEventsAppendTheirTextOnly) {
  rig_.bus->Send(ev::OpenTraceWindow);
  QPlainTextEdit* memo = rig_.main->TraceWindow()->Memo();

  rig_.bus->SendStr(ev::TraceText, 0, 0, "abc");
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("abc"));
  EXPECT_EQ(memo->blockCount(), 1);

  // No data, other data, a byte block: nothing.
  rig_.bus->Send(ev::TraceText);
  rig_.bus->SendData(ev::TraceText, 0, 0, 42);
  rig_.bus->PostBlock(ev::TraceText, "xyz", 3);
  rig_.bus->Drain();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("abc"));

  // Posted text arrives with the drain; code page 932 bytes show as such.
  rig_.bus->PostStr(ev::TraceText, 0, 0, "\x96\xb3\x90\xfc");
  rig_.bus->Drain();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("abc\n") + QString::fromUtf8("無線"));
  EXPECT_EQ(memo->blockCount(), 2);

  // While text is selected nothing is added.
  memo->selectAll();
  rig_.bus->SendStr(ev::TraceText, 0, 0, "def");
  EXPECT_EQ(memo->blockCount(), 2);
  QTextCursor cursor = memo->textCursor();
  cursor.clearSelection();
  memo->setTextCursor(cursor);
  rig_.bus->SendStr(ev::TraceText, 0, 0, "def");
  EXPECT_EQ(memo->blockCount(), 3);
}

TEST_F(DebugWindowsTest, ClosedWindowsLeaveTheBus) {
  // The start page first: it adds a listener of its own.
  rig_.main->RunSelectedNode();
  Settle();
  ASSERT_NE(rig_.window->CurrentSheet(), nullptr);
  const int listeners = rig_.bus->ListenerCount();
  rig_.bus->Send(ev::OpenTraceWindow);
  rig_.bus->Send(ev::OpenImageWindow);
  EXPECT_GT(rig_.bus->ListenerCount(), listeners);
  rig_.main->TraceWindow()->close();
  rig_.main->ImageWindow()->CloseButton()->click();
  Settle();
  EXPECT_EQ(rig_.main->TraceWindow(), nullptr);
  EXPECT_EQ(rig_.main->ImageWindow(), nullptr);
  EXPECT_EQ(rig_.bus->ListenerCount(), listeners);
  rig_.bus->SendStr(ev::TraceText, 0, 0, "abc");
  rig_.bus->Send(ev::ImageWindowSelect, 0, 0x10);

  // Both open again, and go with the main form.
  rig_.bus->Send(ev::OpenTraceWindow);
  rig_.bus->Send(ev::OpenImageWindow);
  ASSERT_NE(rig_.main->TraceWindow(), nullptr);
  ASSERT_NE(rig_.main->ImageWindow(), nullptr);
  rig_.window.reset();
  EXPECT_EQ(rig_.main->TraceWindow(), nullptr);
  EXPECT_EQ(rig_.main->ImageWindow(), nullptr);
  rig_.bus->SendStr(ev::TraceText, 0, 0, "abc");
  rig_.bus->Send(ev::ImageWindowSelect, 0, 0x10);
}

// --- memory image window -----------------------------------------------------

class ImageWindowTest : public DebugWindowsTest {
 protected:
  ImageWindowTest() {
    rig_.bus->Send(ev::OpenImageWindow);
    window_ = rig_.main->ImageWindow();
    sheet_ = window_ ? window_->Sheet() : nullptr;
  }

  // What the cell handler answers for the sheet's cell.
  struct Shown {
    std::string text;
    std::uint32_t color;
  };
  Shown CellAt(int col, int row) {
    cmcCellObj* cell = sheet_->GetCell(col, row);
    cmcCellCapsule capsule;
    capsule.cell = cell;
    capsule.sheet = sheet_;
    sheet_->GetCellHandler()(capsule, 0);
    return {capsule.outputText, cell->EffectiveFont().color};
  }
  Shown ByteAt(std::int64_t address) {
    const QPoint at = cuiEeDebugWin::CellOf(address);
    return CellAt(at.x(), at.y());
  }
  QPoint Current() const { return {sheet_->Grid()->Col(), sheet_->Grid()->Row()}; }
  void Select(std::int64_t address) {
    rig_.bus->Post(ev::ImageWindowSelect, 0, static_cast<std::intptr_t>(address));
    rig_.bus->Drain();
  }

  cuiEeDebugWin* window_ = nullptr;
  cuiSheet* sheet_ = nullptr;
};

TEST_F(ImageWindowTest, RowsCoverTheImageBufferByAddress) {
  ASSERT_NE(sheet_, nullptr);
  EXPECT_TRUE(window_->isWindow());
  EXPECT_EQ(window_->parentWidget(), rig_.window.get());
  EXPECT_EQ(sheet_->Grid()->RowCount(), 3 + cuiEeDebugWin::kRows);
  EXPECT_EQ(sheet_->Grid()->ColCount(), 3 + 2 * 16 - 1);
  EXPECT_EQ(sheet_->GetCell(1, 1)->GetCaption(), "Adr");
  EXPECT_EQ(sheet_->GetCell(33, 1)->GetCaption(), "F");
  EXPECT_EQ(CellAt(1, 4).text, "  10");
  EXPECT_EQ(CellAt(1, 3 + 0x2A38).text, "2A380");
  EXPECT_EQ(CellAt(1, 3 + 0x3FFF).text, "3FFF0");
  EXPECT_EQ(sheet_->GetCell(33, 3 + 0x3FFF)->cellId, CL_EeDebugWin_F);

  rig_.main->Image().SetByte(0x3FFFF, 0xC3);
  EXPECT_EQ(ByteAt(0x3FFFF).text, "C3");
  // The snapshot is the initial image: a changed byte is red.
  EXPECT_EQ(ByteAt(0x3FFFF).color, color::kRed);
  EXPECT_NE(ByteAt(0x3FFFE).color, color::kRed);
}

TEST_F(ImageWindowTest, SelectingAnAddressMakesItsByteCurrent) {
  ASSERT_NE(sheet_, nullptr);
  Select(0x1234);
  EXPECT_EQ(Current(), QPoint(11, 294));
  const int top = sheet_->Grid()->TopRow();
  EXPECT_LE(top, 294);
  EXPECT_GT(top + sheet_->Grid()->VisibleRowCount(), 294);
  // Outside the sheet: the cursor stays.
  Select(0x40000);
  Select(-1);
  EXPECT_EQ(Current(), QPoint(11, 294));
}

TEST_F(ImageWindowTest, TypedHexWritesTheByteInRed) {
  ASSERT_NE(sheet_, nullptr);
  Select(0x1234);
  window_->activateWindow();
  sheet_->Grid()->setFocus();
  QTest::keyClicks(sheet_->Grid(), "7");
  ASSERT_TRUE(sheet_->EditorVisible());
  QTest::keyClicks(sheet_->Editor(), "F");
  QTest::keyClick(sheet_->Editor(), Qt::Key_Return);
  EXPECT_EQ(rig_.main->Image().GetByte(0x1234), 0x7F);
  EXPECT_EQ(ByteAt(0x1234).text, "7F");
  EXPECT_EQ(ByteAt(0x1234).color, color::kRed);
  EXPECT_TRUE(rig_.main->IsModified());
}

TEST_F(ImageWindowTest, F3AndF4FindTheOnlyDifference) {
  ASSERT_NE(sheet_, nullptr);
  cmcEeprom& image = rig_.main->Image();
  struct Case {
    Qt::Key key;
    bool differs;
    std::vector<Seen> posts;
  };
  const Case cases[] = {
      {Qt::Key_F3, true, {{ev::ImageWindowSelect, cmcEvent::Posted, 0, 0x2A37F}}},
      {Qt::Key_F4, true, {{ev::ImageWindowSelect, cmcEvent::Posted, 0, 0x2A37F}}},  // wraps past 0
      {Qt::Key_F3, false, {}},
      {Qt::Key_F4, false, {}},
  };
  for (const Case& c : cases) {
    image.SetByte(0x2A37F, rig_.main->CompareImage().GetByte(0x2A37F) ^ (c.differs ? 0x01 : 0));
    Select(0x10);
    seen_.clear();
    QTest::keyClick(sheet_->Grid(), c.key);
    rig_.bus->Drain();
    EXPECT_EQ(SeenWith(ev::ImageWindowSelect), c.posts) << c.key << " " << c.differs;
    EXPECT_EQ(Current(), cuiEeDebugWin::CellOf(c.differs ? 0x2A37F : 0x10));
  }
}

TEST_F(ImageWindowTest, SetCompTakesTheImageAndRedrawAsksForTheNames) {
  ASSERT_NE(sheet_, nullptr);
  rig_.main->Image().SetByte(0x100, 0x42);
  EXPECT_EQ(ByteAt(0x100).color, color::kRed);
  seen_.clear();
  window_->SetCompButton()->click();
  EXPECT_EQ(rig_.main->CompareImage(), rig_.main->Image());
  EXPECT_NE(ByteAt(0x100).color, color::kRed);
  rig_.bus->Drain();
  // Other posts of the window's start (tree renames) may arrive with them.
  std::vector<Seen> debugEvents;
  for (const Seen& s : seen_)
    if (s.id == ev::DebugSnapshot || s.id == ev::ImageWindowRebuild) debugEvents.push_back(s);
  const std::vector<Seen> want = {{ev::DebugSnapshot, cmcEvent::Sent, 0, 0},
                                  {ev::ImageWindowRebuild, cmcEvent::Posted, 0, 0}};
  EXPECT_EQ(debugEvents, want);

  seen_.clear();
  window_->RedrawButton()->click();
  const std::vector<Seen> names = SeenWith(ev::ListNamesChanged);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names.front(), (Seen{ev::ListNamesChanged, cmcEvent::Sent, 0, 0}));
}

}  // namespace
