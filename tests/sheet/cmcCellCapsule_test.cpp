// The command capsule starts and clears to the values every handler relies
// on, copies its texts by value, and the registered default handler is the
// one sheets, menus and the tool bar fall back on.
#include "sheet/cmcCellCapsule.h"

#include <gtest/gtest.h>

#include "sheet/DefaultCellHandler.h"

namespace {

void ExpectCleared(const cmcCellCapsule& c) {
  EXPECT_EQ(c.parent, nullptr);
  EXPECT_EQ(c.owner, nullptr);
  EXPECT_EQ(c.owner2, nullptr);
  EXPECT_EQ(c.cell, nullptr);
  EXPECT_EQ(c.canvas, nullptr);
  EXPECT_EQ(c.imageList, nullptr);
  EXPECT_TRUE(c.cellRect.isNull());
  EXPECT_EQ(c.caretPos, 0);
  EXPECT_EQ(c.selLength, 0);
  EXPECT_EQ(c.maxLength, 1024);
  EXPECT_EQ(c.operation, 0);
  EXPECT_EQ(c.popupCommand, 0);
  EXPECT_EQ(c.inputText, "");
  EXPECT_EQ(c.outputText, "");
  EXPECT_EQ(c.normalLength, -1);
  EXPECT_FALSE(c.sheetTitle.has_value());
  EXPECT_FALSE(c.sheetName.has_value());
  EXPECT_EQ(c.stateBits, 0);
  EXPECT_EQ(c.markerPosition, 0);
  EXPECT_EQ(c.mode, 0);
  EXPECT_EQ(c.followUpFlag, 0);
  EXPECT_EQ(c.targetCategory, 0);
  EXPECT_EQ(c.targetCellId, 0);
  EXPECT_EQ(c.targetIndex, 0);
  EXPECT_EQ(c.followUpOperation, 0);
  EXPECT_EQ(c.sheet, nullptr);
  EXPECT_EQ(c.selectionBits, 0);
  EXPECT_EQ(c.firstSelected, 0);
  EXPECT_EQ(c.lastSelected, 0);
  EXPECT_FALSE(c.redrawClosure);
  EXPECT_FALSE(c.editorClosure);
}

// Every field set to something other than its cleared value.
void Dirty(cmcCellCapsule& c, cmcCellCapsule* other) {
  c.parent = other;
  c.owner = reinterpret_cast<QWidget*>(other);
  c.owner2 = reinterpret_cast<QWidget*>(other);
  c.cell = reinterpret_cast<cmcCellObj*>(other);
  c.canvas = reinterpret_cast<cuiCanvas*>(other);
  c.imageList = reinterpret_cast<cuiImageList*>(other);
  c.cellRect = QRect(1, 2, 3, 4);
  c.caretPos = 5;
  c.selLength = 6;
  c.maxLength = 7;
  c.operation = cellop::kEnter;
  c.popupCommand = 9;
  c.inputText = "in";
  c.outputText = "out";
  c.normalLength = 10;
  c.sheetTitle = "title";
  c.sheetName = "1,100";
  c.stateBits = cellstate::kCurrent | cellstate::kError;
  c.markerPosition = 3;
  c.mode = cellmode::kChoice;
  c.followUpFlag = 1;
  c.targetCategory = 2;
  c.targetCellId = 230;
  c.targetIndex = 4;
  c.followUpOperation = cellop::kF2;
  c.sheet = reinterpret_cast<cuiSheet*>(other);
  c.selectionBits = cellselect::kHasSelection;
  c.firstSelected = 3;
  c.lastSelected = 5;
  c.redrawClosure = [](const cmcCellCapsule&, int) {};
  c.editorClosure = [](const cmcCellCapsule&, int) {};
}

TEST(cmcCellCapsule, StartsAndClearsToTheValuesHandlersExpect) {
  cmcCellCapsule fresh;
  ExpectCleared(fresh);
  cmcCellCapsule other;
  cmcCellCapsule c;
  Dirty(c, &other);
  c.Clear();
  ExpectCleared(c);
}

TEST(cmcCellCapsule, AssignCopiesTextsByValueAndPointersAsTheyAre) {
  cmcCellCapsule other;
  cmcCellCapsule source;
  Dirty(source, &other);
  cmcCellCapsule copy;
  copy.Assign(source);
  EXPECT_EQ(copy.parent, &other);
  EXPECT_EQ(copy.cellRect, QRect(1, 2, 3, 4));
  EXPECT_EQ(copy.sheetName, "1,100");
  EXPECT_TRUE(copy.redrawClosure);
  // The copy's texts are its own: the source may go away or change.
  source.outputText = "changed";
  source.sheetTitle.reset();
  EXPECT_EQ(copy.outputText, "out");
  EXPECT_EQ(copy.sheetTitle, "title");
}

TEST(cmcCellCapsule, OnlyTheLowByteOfTheNormalLengthCounts) {
  struct Case {
    std::int32_t normalLength;
    int bytes;
  } const cases[] = {{-1, 255}, {0, 0}, {16, 16}, {255, 255}, {256, 0}, {300, 44}};
  for (const Case& c : cases) {
    cmcCellCapsule capsule;
    capsule.normalLength = c.normalLength;
    EXPECT_EQ(capsule.NormalLengthBytes(), c.bytes) << c.normalLength;
  }
}

TEST(DefaultCellHandler, ScopedRegistrationComesAndGoes) {
  ASSERT_FALSE(HasDefaultCellHandler());
  {
    ScopedDefaultCellHandler outer([](cmcCellCapsule& c, int) {
      c.outputText = "outer";
      return kCellNothing;
    });
    {
      ScopedDefaultCellHandler inner([](cmcCellCapsule& c, int notify) {
        c.outputText = "inner";
        return notify ? kCellRedraw : kCellNothing;
      });
      cmcCellCapsule capsule;
      EXPECT_EQ(DefaultCellHandler()(capsule, 1), kCellRedraw);
      EXPECT_EQ(capsule.outputText, "inner");
    }
    cmcCellCapsule capsule;
    DefaultCellHandler()(capsule, 0);
    EXPECT_EQ(capsule.outputText, "outer");
  }
  EXPECT_FALSE(HasDefaultCellHandler());
}

TEST(DefaultCellHandlerDeathTest, AskingWhileNoneIsRegisteredIsFatal) {
  EXPECT_EXIT(DefaultCellHandler(), ::testing::ExitedWithCode(3), "No cell handler is registered.");
}

}  // namespace
