#include "sheet/cmcCellObj.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/LocaleInfo.h"
#include "sheet/MarkupFixture.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

class CellMarkupTest : public ::testing::Test {
 protected:
  CellMarkupTest() {
    vars.fill(0);
    vars[0] = 5;
    basic.Parse("{($Basic)}", models.gtex, nullptr, nullptr);
  }

  // Parses one cell over the basic cell; returns the rest.
  std::string_view ParseOver(cmcCellObj& cell, std::string_view text) {
    return cell.Parse(text, models.gtex, &vars, &basic);
  }
  cmcCellObj Cell(std::string_view text) {
    cmcCellObj cell;
    ParseOver(cell, text);
    return cell;
  }

  platform::ScopedLocaleInfo locale{platform::LocaleInfo{}};
  kwtest::ModelTable models;
  CellVariables vars{};
  cmcCellObj basic;
};

TEST_F(CellMarkupTest, BasicCellFromItsModel) {
  EXPECT_EQ(basic.HorizontalAlign(), HAlign::Left);
  EXPECT_EQ(basic.VerticalAlign(), VAlign::Middle);
  EXPECT_EQ(basic.color, color::kWindow);
  ASSERT_TRUE(basic.font.has_value());
  EXPECT_EQ(basic.font->height, -17);
  EXPECT_EQ(basic.font->face, "MS Sans Serif");
  EXPECT_EQ(basic.GetPopupMenuName(0), "GI_PMenu_Edit");
  EXPECT_EQ(basic.GetPopupMenuName(1), "");
  EXPECT_EQ(basic.GetCellId(), (CellIdRecord{CT_None, CL_None, 0}));
  EXPECT_FALSE(basic.caption.has_value());
}

TEST_F(CellMarkupTest, RowLabelCellAfterAnEmptyCell) {
  vars[0] = 9;
  cmcCellObj cell;
  const std::string_view rest = ParseOver(cell, "|{($iChN)^!B(@ch0=0)}CH");
  EXPECT_EQ(rest, "{($iChN)^!B(@ch0=0)}CH");
  EXPECT_FALSE(cell.caption.has_value());
  EXPECT_EQ(cell.HorizontalAlign(), HAlign::Left);  // the basic cell's
  EXPECT_EQ(vars[0], 9);

  EXPECT_EQ(ParseOver(cell, rest), "");
  EXPECT_EQ(cell.HorizontalAlign(), HAlign::Centre);  // '^' after the model's '>'
  EXPECT_EQ(cell.VerticalAlign(), VAlign::Middle);
  EXPECT_TRUE(cell.HasLayout(celllayout::kWidthFromText));
  EXPECT_TRUE(cell.HasLayout(celllayout::kHeightFromText));
  EXPECT_FALSE(cell.HasRule(cellrule::kBottomRule));  // "!B" after the model's 'B'
  EXPECT_EQ(cell.color, color::kOlive);
  const FontSpec font = cell.EffectiveFont();
  EXPECT_EQ(font.color, color::kWhite);
  EXPECT_EQ(font.styles, fontstyle::kBold);
  EXPECT_EQ(font.height, -17);  // from the basic cell's font
  EXPECT_EQ(vars[0], 0);
  EXPECT_EQ(cell.GetCaption(), "CH");
  EXPECT_EQ(cell.GetPopupMenuName(0), "GI_PMenu_Edit");
}

TEST_F(CellMarkupTest, Bindings) {
  struct Case {
    const char* item;
    std::int32_t category;
    std::int32_t cellId;
    std::int32_t index;
    std::optional<std::string> text;
  };
  // The basic cell here carries category 4 and index 7, so what a binding
  // keeps shows.
  basic.category = CT_Gps;
  basic.index = 7;
  const Case cases[] = {
      {"(%CL_Mch_Freq[@ch0])", CT_Gps, 230, 5, std::nullopt},
      {"(%CT_Conv.CL_Mch_Freq[@ch0])", CT_Conv, 230, 5, std::nullopt},
      {"(%CT_Null.CL_Misc_QuarterPillar)", CT_Null, 218, 7, std::nullopt},
      {"(%CL_Menu_File_New:Ctrl+N)", CT_Gps, 8, 7, "Ctrl+N"},
      {"(%CT_PopupMenu.)", CT_PopupMenu, 578, 7, std::nullopt},
      {"(%CallSheet:[St_ColCut]GI_Sheet_MemoryCH,1,100)", CT_Gps, 77, 7,
       "[St_ColCut]GI_Sheet_MemoryCH,1,100"},
      // A '.' after ':' is text, not the end of a category name.
      {"(%CL_FlexMark_Mch[5]:12.5k)", CT_Gps, 5, 5, "12.5k"},
      {"(%CL_FlexMark_Mch[5]:12\\.5k)", CT_Gps, 5, 5, "12.5k"},
      {"(%CL_FlexMark_RptDup[0]:)", CT_Gps, 7, 0, ""},
      {"(%Flex0[0]:a\\)b)", CT_Gps, 1, 0, "a)b"},
      {"(%Flex0:a\\\\b)", CT_Gps, 1, 7, "a\\b"},
      {"(%Flex0:x\x83\x5C)", CT_Gps, 1, 7, "x\x83\x5C"},
      {"(%Flex0[ 2])", CT_Gps, 1, 2, std::nullopt},
      {"(%Flex0[2 ])", CT_Gps, 1, 2, std::nullopt},
      {"(%Flex0[ @ch0 ])", CT_Gps, 1, 5, std::nullopt},
      {"(%Flex0[-3])", CT_Gps, 1, -3, std::nullopt},
      // No number: the index stays.
      {"(%Flex0[])", CT_Gps, 1, 7, std::nullopt},
      {"(%Flex0[x])", CT_Gps, 1, 7, std::nullopt},
      {"(%Flex0[3", CT_Gps, 1, 7, std::nullopt},
      {"(%Flex0[3:t)", CT_Gps, 1, 7, "t"},
      {"(%)", CT_Gps, 578, 7, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const cmcCellObj cell = Cell(std::string("{") + c.item + "}");
    EXPECT_EQ(cell.GetCellId(), (CellIdRecord{c.category, c.cellId, c.index}));
    EXPECT_EQ(cell.bindingText, c.text);
  }
}

TEST_F(CellMarkupTest, AttributeLetters) {
  struct Case {
    const char* attributes;
    HAlign h;
    VAlign v;
    std::uint8_t layoutBits;  // above the alignments
    RightRule right;
    std::uint8_t ruleBits;  // other than the right rule
  };
  using namespace celllayout;
  using namespace cellrule;
  const Case cases[] = {
      {"", HAlign::Left, VAlign::Middle, 0, RightRule::None, 0},
      {">_", HAlign::Right, VAlign::Bottom, 0, RightRule::None, 0},
      {"^~", HAlign::Centre, VAlign::Top, 0, RightRule::None, 0},
      // Negation does not touch alignments.
      {">!<", HAlign::Left, VAlign::Middle, 0, RightRule::None, 0},
      {"WH=+", HAlign::Left, VAlign::Middle,
       kWidthFromText | kHeightFromText | kWrapped | kJoinLeft, RightRule::None, 0},
      {"WH!W", HAlign::Left, VAlign::Middle, kHeightFromText, RightRule::None, 0},
      {"BSIT", HAlign::Left, VAlign::Middle, 0, RightRule::None,
       kBottomRule | kDataCell | kInputMethod | kTrailing},
      {"BSIT!B!S!I!T", HAlign::Left, VAlign::Middle, 0, RightRule::None, 0},
      {"X", HAlign::Left, VAlign::Middle, 0, RightRule::Full, 0},
      {"Q", HAlign::Left, VAlign::Middle, 0, RightRule::LowerPart, 0},
      {"X!Q", HAlign::Left, VAlign::Middle, 0, RightRule::None, 0},
      {"QX", HAlign::Left, VAlign::Middle, 0, RightRule::Full, 0},
      // The negation lapses after one character, an item included.
      {"!WW", HAlign::Left, VAlign::Middle, kWidthFromText, RightRule::None, 0},
      {"B!(Color=clRed)B", HAlign::Left, VAlign::Middle, 0, RightRule::None, kBottomRule},
      {"B!zB", HAlign::Left, VAlign::Middle, 0, RightRule::None, kBottomRule},
      // '\' makes the next character ignored.
      {"\\W\\>", HAlign::Left, VAlign::Middle, 0, RightRule::None, 0},
      // Unknown letters, blanks and double-byte characters are ignored.
      {"z 9 \x83\x57 S", HAlign::Left, VAlign::Middle, 0, RightRule::None, kDataCell},
      {"($eWh)", HAlign::Left, VAlign::Bottom, kWidthFromText | kHeightFromText, RightRule::None,
       kDataCell | kBottomRule},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    const cmcCellObj cell = Cell(std::string("{") + c.attributes + "}");
    EXPECT_EQ(cell.HorizontalAlign(), c.h);
    EXPECT_EQ(cell.VerticalAlign(), c.v);
    EXPECT_EQ(cell.layoutFlags & 0xF0, c.layoutBits);
    EXPECT_EQ(cell.GetRightRule(), c.right);
    EXPECT_EQ(cell.ruleFlags & ~kRightRuleMask, c.ruleBits);
  }
}

TEST_F(CellMarkupTest, Items) {
  cmcCellObj cell = Cell("{(Color=clRed)(Color=clNope)(ImageIndex=3)(ImageIndex=x)}");
  EXPECT_EQ(cell.color, color::kRed);
  EXPECT_EQ(cell.imageIndex, 3);

  cell = Cell("{(PopupMenu=GI_PMenu_Copy)(ColCut_PopupMenu=GI_PMenu_ColCut)}");
  EXPECT_EQ(cell.GetPopupMenuName(0), "GI_PMenu_Copy");
  EXPECT_EQ(cell.GetPopupMenuName(1), "GI_PMenu_ColCut");
  // An empty name counts as unset: the basic cell's name shows through.
  cell = Cell("{(PopupMenu=)}");
  EXPECT_EQ(cell.popupMenuName, "");
  EXPECT_EQ(cell.GetPopupMenuName(0), "GI_PMenu_Edit");

  cell = Cell("{(Comb=1,-2,3,4)}");
  EXPECT_TRUE(cell.combinationSet);
  EXPECT_EQ(cell.combination, (std::array<std::int32_t, 3>{1, -2, 3}));
  cell = Cell("{(Comb=9)}");
  EXPECT_EQ(cell.combination, (std::array<std::int32_t, 3>{9, 0, 0}));

  // An unclosed item runs to the end of the attributes.
  cell = Cell("{W(Color=clTeal}x");
  EXPECT_EQ(cell.color, color::kTeal);
  EXPECT_EQ(cell.GetCaption(), "x");

  // Unknown items change nothing.
  cell = Cell("{(Nonsense=1)(Colour=clRed)()}");
  EXPECT_EQ(cell.color, color::kWindow);
}

TEST_F(CellMarkupTest, FlagItems) {
  struct Case {
    const char* item;
    int flag;  // -1: nothing changes
    bool on;
  };
  const Case cases[] = {
      {"(Flag0=1)", 0, true},    {"(Flag1=1)", 1, true},    {"(Flag2=1)", 2, true},
      {"(Flag7=1)", 7, true},    {"(Flag8=1)", -1, false},  {"(Flag3=2)", -1, false},
      {"(Flag33=1)", -1, false}, {"(Flag3=1 )", -1, false}, {"(Flag=1)", -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const cmcCellObj cell = Cell(std::string("{") + c.item + "}");
    for (int n = 0; n < 8; ++n) EXPECT_EQ(cell.UserFlag(n), n == c.flag && c.on) << n;
  }
  const cmcCellObj cleared = Cell("{(Flag5=1)(Flag5=0)}");
  EXPECT_FALSE(cleared.UserFlag(5));
}

TEST_F(CellMarkupTest, FontItems) {
  // Over the basic cell: its font, changed.
  cmcCellObj cell = Cell("{(Font=,,clTeal,16,,fsBold,)}");
  ASSERT_TRUE(cell.font.has_value());
  EXPECT_EQ(cell.font->color, color::kTeal);
  EXPECT_EQ(cell.font->height, 16);
  EXPECT_EQ(cell.font->styles, fontstyle::kBold);
  // A second item changes the cell's own font further.
  cell = Cell("{(Font=,,clTeal,,,,)(Font=,,,%50,,,)}");
  EXPECT_EQ(cell.font->color, color::kTeal);
  EXPECT_EQ(cell.font->height, -8);

  // Without a base: the default font, changed.
  cmcCellObj alone;
  alone.Parse("{(Font=SHIFTJIS_CHARSET,,clRed,%120,,fsBold+fsItalic,)}", models.gtex, nullptr,
              nullptr);
  EXPECT_EQ(alone.font->charset, 128);
  EXPECT_EQ(alone.font->height, -13);
  EXPECT_EQ(alone.font->styles, fontstyle::kBold | fontstyle::kItalic);

  // No font anywhere in the chain: the default font.
  cmcCellObj plain;
  plain.Parse("x", models.gtex, nullptr, nullptr);
  EXPECT_EQ(plain.EffectiveFont(), DefaultFontSpec());
  cmcCellObj over;
  over.Parse("y", models.gtex, nullptr, &plain);
  EXPECT_EQ(over.EffectiveFont(), DefaultFontSpec());
}

TEST_F(CellMarkupTest, Captions) {
  struct Case {
    const char* text;
    std::optional<std::string> caption;
  };
  vars[1] = -123456789;
  const Case cases[] = {
      {"{S(%Flex0[0]:OFF)}OFF  \\_", "OFF   "},
      {"Ch\\(@ch0+1)", "Ch6"},
      {"Ch\\(@ch0)", "Ch5"},
      {"\\(@ch0+10)x", "15x"},
      {"\\(@ch1)", "-12345"},  // cut to six characters
      {"\\_Frequency", " Frequency"},
      {"a\\nb\\Nc", "a\nb\nc"},
      {"  \t x y \r\n", "x y"},
      {"", std::nullopt},
      {"  \t", std::nullopt},
      {"{W}", std::nullopt},
      {"a\\\\b", "a\\b"},
      {"a\\", "a"},
      {"\\{W}x", "x"},  // a backslash does not protect a brace
      {"x{W}y{H}z", "xyz"},
      {"\\a\\|", "a|"},
      // 83 5C: the backslash is a second byte, copied as it is.
      {"\x83\x5Cn", "\x83\x5Cn"},
      {"\\\x83\x5C", "\x83\x5C"},
      // A lead byte at the very end stays alone.
      {"ab\x83", "ab\x83"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Cell(c.text).caption, c.caption);
  }
}

TEST_F(CellMarkupTest, CellBoundaries) {
  struct Case {
    const char* line;
    const char* caption;
    const char* rest;
  };
  const Case cases[] = {
      {"a\\|b|c", "a|b", "c"},
      {"a||b", "a", "|b"},
      {"abc", "abc", ""},
      {"|", "", ""},
      {"{(%Flex0:x|y)}z", "", "y)}z"},  // a '|' inside braces still ends the cell
      {"\x83\x5C|x", "\x83\x5C", "x"},  // 5C is a second byte: the '|' after it separates
      {"\x83\x7Cx", "\x83\x7Cx", ""},   // 7C is a second byte: no separator
      {"a\\\x83\x7C|b", "a\x83\x7C", "b"},
      {"a\\", "a", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    cmcCellObj cell;
    EXPECT_EQ(ParseOver(cell, c.line), c.rest);
    EXPECT_EQ(cell.GetCaption(), c.caption);
    EXPECT_EQ(cmcCellObj::SkipCell(c.line), c.rest);
  }
}

TEST_F(CellMarkupTest, CountOnlyParsesNothing) {
  basic.caption = "base caption";
  cmcCellObj cell;
  cell.Parse("{(@ch0=7)(Color=clRed)}x|y", models.gtex, &vars, &basic, true);
  EXPECT_EQ(vars[0], 5);
  EXPECT_EQ(cell.color, basic.color);
  EXPECT_EQ(cell.GetCaption(), "base caption");
  // Counting a row's cells.
  int count = 0;
  for (std::string_view rest = "a|{W}b|c\\|d|"; !rest.empty(); ++count)
    rest = cell.Parse(rest, models.gtex, nullptr, &basic, true);
  EXPECT_EQ(count, 3);
}

TEST_F(CellMarkupTest, Variables) {
  vars[3] = 1;
  Cell("{(@ch3 = 12)}");
  EXPECT_EQ(vars[3], 12);
  Cell("{(@ch3\t++)(@ch3++)}");
  EXPECT_EQ(vars[3], 14);
  Cell("{(@ch3=abc)(@ch3--)(@ch3)}");
  EXPECT_EQ(vars[3], 14);
  Cell("{(@ch3=-4)}");
  EXPECT_EQ(vars[3], -4);

  // Cells already parsed keep the index they read.
  vars[0] = 5;
  const cmcCellObj first = Cell("{(%CL_Mch_Name[@ch0])}");
  Cell("{(@ch0++)}");
  const cmcCellObj second = Cell("{(%CL_Mch_Name[@ch0])}");
  EXPECT_EQ(first.index, 5);
  EXPECT_EQ(second.index, 6);

  // A model's items run on the same variables.
  Cell("{($Counter)($Counter)}");
  EXPECT_EQ(vars[0], 8);
}

TEST_F(CellMarkupTest, ModelsNestSixteenDeep) {
  const cmcCellObj cell = Cell("{($Deep2)}");
  EXPECT_TRUE(cell.HasRule(cellrule::kBottomRule));
}

TEST_F(CellMarkupTest, ResetTakesTheBaseButNotItsFontOrMenus) {
  basic.caption = "c";
  basic.bindingText = "t";
  basic.cellId = CL_Mch_Freq;
  basic.colCutPopupMenuName = "GI_PMenu_ColCut";
  cmcCellObj cell;
  cell.Reset(&basic);
  EXPECT_EQ(cell.base, &basic);
  EXPECT_EQ(cell.GetCaption(), "c");
  EXPECT_EQ(cell.bindingText, "t");
  EXPECT_EQ(cell.cellId, CL_Mch_Freq);
  EXPECT_FALSE(cell.font.has_value());
  EXPECT_FALSE(cell.popupMenuName.has_value());
  EXPECT_EQ(cell.GetPopupMenuName(1), "GI_PMenu_ColCut");
  EXPECT_EQ(cell.EffectiveFont(), *basic.font);
  // A parsed cell without caption text has no caption, whatever its base has.
  cell = Cell("{W}");
  EXPECT_FALSE(cell.caption.has_value());
  EXPECT_EQ(cell.bindingText, "t");

  cell.Reset(nullptr);
  EXPECT_EQ(cell.base, nullptr);
  EXPECT_EQ(cell.cellId, CL_None);
  EXPECT_EQ(cell.category, basic.category);  // category and index stay
  EXPECT_FALSE(cell.caption.has_value());
  EXPECT_EQ(cell.imageIndex, -1);
  EXPECT_EQ(cell.color, color::kWindow);
  EXPECT_EQ(cell.GetPopupMenuName(0), "");

  // A cell is never its own base.
  cell.Reset(&cell);
  EXPECT_EQ(cell.base, nullptr);
}

TEST_F(CellMarkupTest, CopiesAreDeepAndSelfAssignmentIsHarmless) {
  cmcCellObj cell = Cell("{(Font=,,clRed,,,,)(PopupMenu=GI_PMenu_Copy)(%Flex0:t)}cap");
  cmcCellObj copy = cell;
  copy.caption->append("x");
  copy.font->height = -30;
  copy.SetCaption("other");
  EXPECT_EQ(cell.GetCaption(), "cap");
  EXPECT_EQ(cell.font->height, -17);
  EXPECT_EQ(copy.base, &basic);
  const cmcCellObj& same = cell;
  cell = same;
  EXPECT_EQ(cell.GetCaption(), "cap");
  EXPECT_EQ(cell.bindingText, "t");
  EXPECT_EQ(cell.font->color, color::kRed);
}

TEST_F(CellMarkupTest, UserFlagsAsStateAnswers) {
  cmcCellObj cell;
  cell.SetUserFlag(userflag::kChecked, true);
  cell.SetUserFlag(userflag::kDisabled, true);
  cell.SetUserFlag(9, true);
  EXPECT_TRUE(cell.UserFlag(userflag::kChecked));
  EXPECT_FALSE(cell.UserFlag(userflag::kHidden));
  EXPECT_TRUE(cell.UserFlag(userflag::kDisabled));
  EXPECT_EQ(cell.ruleFlags, cellrule::kUserFlag0);
  EXPECT_EQ(cell.userFlags, 1);
  cell.SetUserFlag(userflag::kChecked, false);
  EXPECT_FALSE(cell.UserFlag(userflag::kChecked));
}

// Markup faults end the program with their fixed message.
class CellMarkupDeathTest : public ::testing::Test {
 protected:
  static void Parse(const char* text, bool withVariables) {
    kwtest::ScriptedMessageBoxes boxes;
    boxes.SetDefaultAnswer(platform::mb::IdOk);
    kwtest::ModelTable models;
    CellVariables vars{};
    cmcCellObj cell;
    cell.Parse(text, models.gtex, withVariables ? &vars : nullptr, nullptr);
  }
};

TEST_F(CellMarkupDeathTest, FaultsOfOurTables) {
  struct Case {
    const char* text;
    bool withVariables;
    const char* message;
  };
  const Case cases[] = {
      {"{(@ch10=1)}", true, "flags 0x10\\] Ch No\\. Error"},
      {"{(@ch0=1)}", false, "Ch No\\. Error"},
      {"{(@chx=1)}", true, "Ch No\\. Error"},
      {"{(@CH0=1)}", true, "Ch No\\. Error"},
      {"{(@ch)}", true, "Ch No\\. Error"},
      {"{(%Flex0[@ch10])}", true, "Ch No\\. Error"},
      {"{(%Flex0[@ch1])}", false, "Ch No\\. Error"},
      {"\\(@ch0)", false, "Ch No\\. Error"},
      {"\\(x)", true, "Ch No\\. Error"},
      {"\\(@ch0", true, "flags 0x10\\] Illegal Ch No\\."},
      {"a\\(", true, "Illegal Ch No\\."},
      {"{(%CL_Nope)}", true, "flags 0x10\\] Cannot use the specified cell\\.\n'CL_Nope'"},
      {"{(%CT_Nope.Flex0)}", true, "Cannot use the specified category\\.\n'CT_Nope'"},
      {"{(%CL_Mch_Freq.Flex0)}", true, "Cannot use the specified category\\.\n'CL_Mch_Freq'"},
      {"{($Loop)}", true, "flags 0x10\\] Cell models nested too deeply\\.\n'Loop'"},
      {"{($Deep1)}", true, "Cell models nested too deeply\\.\n'Deep17'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EXIT(Parse(c.text, c.withVariables), ::testing::ExitedWithCode(3), c.message);
  }
}

}  // namespace
