// The masked entry's template model: slots, caret limits, typing, deleting
// and pasting.
#include "sheet/MaskedEditModel.h"

#include <gtest/gtest.h>

namespace {

TEST(MaskedEditModel, TypingFillsSlotsAndStepsOverLiterals) {
  MaskedEditModel m("20##/##/##");
  EXPECT_EQ(m.Text(), "20  /  /  ");
  EXPECT_EQ(m.FirstEditable(), 2);
  EXPECT_EQ(m.LastEditable(), 9);
  EXPECT_EQ(m.Caret(), 2);
  for (char ch : std::string("1x5/04a07")) m.Type(ch);
  EXPECT_EQ(m.Text(), "2015/04/07");
  EXPECT_EQ(m.Caret(), 10);
  EXPECT_TRUE(m.IsComplete());
  EXPECT_FALSE(m.Type('1'));  // no slot left
}

TEST(MaskedEditModel, LettersAreUpperCasedAndDigitsStayInDigitSlots) {
  MaskedEditModel m("##@");
  EXPECT_FALSE(m.Type('n'));  // a letter never fills a digit slot
  EXPECT_TRUE(m.Type('3'));
  EXPECT_TRUE(m.Type('5'));
  EXPECT_FALSE(m.Type('7'));
  EXPECT_TRUE(m.Type('n'));
  EXPECT_EQ(m.Text(), "35N");
}

TEST(MaskedEditModel, CaretStaysInTheEditableRange) {
  MaskedEditModel m(" ##\xB0##.##'@");
  m.SetCaret(0);
  EXPECT_EQ(m.Caret(), 1);
  m.Left();
  EXPECT_EQ(m.Caret(), 1);
  m.End();
  EXPECT_EQ(m.Caret(), 11);
  m.Right();
  EXPECT_EQ(m.Caret(), 11);
  m.Home();
  EXPECT_EQ(m.Caret(), 1);
}

TEST(MaskedEditModel, BackspaceAndDeleteBlankASlot) {
  MaskedEditModel m("##:##");
  m.SetText("12:34");
  m.End();
  m.Backspace();
  EXPECT_EQ(m.Text(), "12:3 ");
  EXPECT_EQ(m.Caret(), 4);
  m.Backspace();
  m.Backspace();  // over the ":" onto the 2
  EXPECT_EQ(m.Text(), "1 :  ");
  EXPECT_EQ(m.Caret(), 1);
  m.Home();
  m.Delete();
  EXPECT_EQ(m.Text(), "  :  ");
  EXPECT_EQ(m.Caret(), 0);
  m.Backspace();  // nothing before the first slot
  EXPECT_EQ(m.Caret(), 0);
}

TEST(MaskedEditModel, SetTextAndPasteKeepOnlyWhatFits) {
  MaskedEditModel m("###\xB0##'##\"@");
  m.SetText(
      "139\xB0"
      "45'3x\"e");
  EXPECT_EQ(m.Text(),
            "139\xB0"
            "45'3 \"E");
  m.SetText("");
  EXPECT_EQ(m.Text(), "   \xB0  '  \" ");
  // A whole value goes in position by position.
  EXPECT_EQ(m.Paste("035\xB0"
                    "12'34\"W"),
            11);
  EXPECT_EQ(m.Text(),
            "035\xB0"
            "12'34\"W");
  // Anything else is typed from the caret, dropping what no slot takes.
  m.SetText("");
  EXPECT_EQ(m.Paste("1-2 3"), 3);
  EXPECT_EQ(m.Text(), "123\xB0  '  \" ");
}

}  // namespace
