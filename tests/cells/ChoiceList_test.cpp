// Choice cells: the shown text, Space and Backspace, the popup request and
// its answer, and typed entries, over the program's own lists and a few
// small ones.
#include "cells/ChoiceList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapsuleKit.h"
#include "cells/names/CellNames.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "sheet/choices/cmcFCache.h"
#include "sheet/cmcCellObj.h"
#include "support/RecordingDialogs.h"

namespace {

using kwtest::Commit;
using kwtest::Key;
using kwtest::PlainQuery;
using kwtest::Query;

constexpr char kBaud[] = "GI_Sheet_Sel_Common_CIV_BaudRate";
constexpr char kBank[] = "GI_Sheet_Sel_Mch_Bank_Group";
constexpr char kDupFm[] = "GI_Sheet_Sel_Rpt_Dup_FM";
constexpr char kTone[] = "GI_Sheet_Sel_Mch_TFreq";

class ProgramLists : public ::testing::Test {
 protected:
  ProgramLists() { gtex.SetSource(kwres::kTextEnglish); }

  // Runs one request through the list; the changed flag, the value after it.
  struct Result {
    int changed;
    std::int32_t value;
    int status;
    std::string text;
  };
  Result Run(cmcCellCapsule c, const char* key, std::int32_t value, int listId = Flex0) {
    int status = 0;
    const int changed = listId == Flex0 ? SelectChoice(cache, c, key, value, status)
                                        : SelectChoiceById(cache, c, key, value, listId, status);
    return {changed, value, status, c.outputText};
  }

  cmcGTex gtex;
  cmcFCache cache{gtex};
  kwtest::RecordingDialogs dialogs;
};

TEST_F(ProgramLists, SpaceAndBackspaceStepAndWrap) {
  struct Case {
    const char* key;
    int listId;
    std::int32_t from;
    int op;
    const char* shown;  // the text of `from`
    std::int32_t to;
  } cases[] = {
      {kBaud, Flex0, 2, cellop::kBackspace, "4800bps", 5},
      {kBaud, Flex0, 5, cellop::kSpace, "Auto", 2},
      {kBank, Flex0, 255, cellop::kSpace, "", 0},
      {kDupFm, CL_FlexMark_RptDup, 0, cellop::kSpace, "", 1},
      {kDupFm, CL_FlexMark_RptDup, 0, cellop::kBackspace, "", 2},
  };
  for (const Case& c : cases) {
    const Result r = Run(Key(c.op), c.key, c.from, c.listId);
    EXPECT_EQ(r.text, c.shown) << c.key << " " << c.from;
    EXPECT_EQ(r.changed, 1) << c.key << " " << c.from;
    EXPECT_EQ(r.value, c.to) << c.key << " " << c.from;
    EXPECT_EQ(r.status, 0);
  }
  EXPECT_EQ(Run(Query(), kBank, 0).text, "A");
  EXPECT_TRUE(dialogs.lists.empty());
}

TEST_F(ProgramLists, WithoutAnOwnerOnlyTheTextIsAnswered) {
  for (int op : {cellop::kSpace, cellop::kBackspace, cellop::kEnter}) {
    const Result r = Run(PlainQuery(op), kBaud, 2);
    EXPECT_EQ(r.text, "4800bps");
    EXPECT_EQ(r.changed, 0);
    EXPECT_EQ(r.value, 2);
    EXPECT_EQ(r.status, 0);
  }
  EXPECT_TRUE(dialogs.lists.empty());
}

// A value no option holds shows as such and is kept until a key moves it.
TEST_F(ProgramLists, AValueOutsideTheListIsShownAndKept) {
  EXPECT_EQ(Run(Query(), "GI_Sheet_Sel_Mch_TSQL", 12).text, "?12");
  const Result other = Run(Key('x'), "GI_Sheet_Sel_Mch_TSQL", 12);
  EXPECT_EQ(other.changed, 0);
  EXPECT_EQ(other.value, 12);
  EXPECT_EQ(Run(Key(cellop::kSpace), "GI_Sheet_Sel_Mch_TSQL", 12).value, 0);
}

TEST_F(ProgramLists, EnterAsksForThePopupAndOnlyItsAnswerChangesTheValue) {
  const Result opened = Run(Key(cellop::kEnter), kBaud, 3);
  EXPECT_EQ(opened.changed, 0);
  EXPECT_EQ(opened.value, 3);
  EXPECT_EQ(opened.status, kCellRedraw);
  ASSERT_EQ(dialogs.lists.size(), 1u);
  EXPECT_EQ(dialogs.lists[0].key, kBaud);
  EXPECT_EQ(dialogs.lists[0].listId, Flex0);
  EXPECT_EQ(dialogs.lists[0].value, 3);

  // The popup's answer: the opening request, linked to the chosen option.
  struct Case {
    int chosenId;
    int mode;
    int changed;
    std::int32_t value;
  } cases[] = {
      {Flex0, cellmode::kChoice, 1, 5},
      {CL_FlexMark_RptDup, cellmode::kChoice, 0, 3},
      {Flex0, cellmode::kRequest, 0, 3},
  };
  for (const Case& c : cases) {
    cmcCellObj chosen;
    chosen.cellId = c.chosenId;
    chosen.index = 5;
    cmcCellCapsule popup;
    popup.cell = &chosen;
    cmcCellCapsule answer = Query();
    answer.parent = &popup;
    answer.mode = c.mode;
    const Result r = Run(answer, kBaud, 3);
    EXPECT_EQ(r.changed, c.changed) << c.chosenId << " " << c.mode;
    EXPECT_EQ(r.value, c.value) << c.chosenId << " " << c.mode;
    EXPECT_EQ(r.text, "") << "an answer is not drawn";
  }
}

TEST(ChoiceListWithoutPopups, EnterOpensNothingAndAsksNoRedraw) {
  cmcGTex gtex;
  gtex.SetSource(kwres::kTextEnglish);
  cmcFCache cache(gtex);
  cmcCellCapsule c = Key(cellop::kEnter);
  std::int32_t value = 2;
  int status = 0;
  EXPECT_EQ(SelectChoice(cache, c, kBaud, value, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(c.outputText, "4800bps");
}

// Small lists: cell texts besides captions, steps of explicit-id lists,
// typed entries.
std::vector<std::string> Lines() {
  return {
      "",
      "#CellModel_iSp",
      "(Color=clGray)",
      "#GI_Sheet_Sel_Mixed_Cells",
      "{S(%Flex0[0]:OFF)}OFF  \\_",
      "{S(%CL_FlexMark_RptDup[0]:)}OFF|{S(%CL_FlexMark_RptDup[1])}DUP-|"
      "{S(%CL_FlexMark_RptDup[2])}DUP+",
      "#",
      "#GI_Sheet_Sel_Steps_Cells",
      "{S(%Flex0[0])}5kHz",
      "{S(%Flex0[1])}6.25kHz",
      "{S(%Flex0[2])}8.33kHz",
      "{S(%Flex0[3])}Auto",
      "{S(%Flex0[4])}All",
      "#",
      "#GI_Sheet_Sel_Long_Cells",
      "{S(%Flex0[0])}123456789AB",
      "#",
      "#GI_Sheet_Sel_Empty_Cells",
      "{($iSp)!S!W}",
      "#",
      "#End_Of_Ovl",
  };
}

class SmallLists : public ::testing::Test {
 protected:
  SmallLists() { gtex.SetSource(Lines()); }

  struct Result {
    int changed;
    std::int32_t value;
    int status;
    std::string text;
    int maxLength;
  };
  Result Typed(cmcCellCapsule c, const char* key, std::int32_t value, int mode,
               int listId = Flex0) {
    int status = 0;
    const int changed = SelectTypedChoice(cache, c, key, value, mode, listId, status);
    return {changed, value, status, c.outputText, c.maxLength};
  }

  cmcGTex gtex;
  cmcFCache cache{gtex};
  kwtest::RecordingDialogs dialogs;
};

TEST_F(SmallLists, CellTextsAndCaptions) {
  std::int32_t value = 0;
  int status = 0;
  cmcCellCapsule c = Query();
  SelectChoice(cache, c, "GI_Sheet_Sel_Mixed", value, status);
  EXPECT_EQ(c.outputText, "OFF");
  c = Query();
  SelectChoiceById(cache, c, "GI_Sheet_Sel_Mixed", value, CL_FlexMark_RptDup, status);
  EXPECT_EQ(c.outputText, "");
  EXPECT_EQ(cache.Table("GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup)->Find(0)->caption, "OFF");
  EXPECT_EQ(ChoiceTextOf(gtex, "GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, 0), "");
  EXPECT_EQ(ChoiceTextOf(gtex, "GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, 1), "DUP-");
  EXPECT_EQ(ChoiceTextOf(gtex, "GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, 9), "");
  EXPECT_EQ(ChoiceTextOf(gtex, "GI_Sheet_Sel_Mixed", Flex0, 0), "OFF");
}

// Explicit-id lists step back from a missing value to the last option.
TEST_F(SmallLists, ChoiceStepWrapsAndFindsAMissingValue) {
  struct Case {
    std::int32_t from;
    bool forward;
    int to;
  } cases[] = {{0, true, 1}, {2, true, 0}, {0, false, 2}, {7, true, 0}, {7, false, 2}};
  for (const Case& c : cases) {
    cmcCellObj out;
    ASSERT_EQ(ChoiceStep(gtex, "GI_Sheet_Sel_Mixed", CL_FlexMark_RptDup, c.from, c.forward, out),
              1);
    EXPECT_EQ(out.index, c.to) << c.from << " " << c.forward;
    EXPECT_EQ(out.cellId, CL_FlexMark_RptDup);
    // The cell's Space and Backspace agree with it.
    std::int32_t value = c.from;
    int status = 0;
    cmcCellCapsule k = Key(c.forward ? cellop::kSpace : cellop::kBackspace);
    SelectChoiceById(cache, k, "GI_Sheet_Sel_Mixed", value, CL_FlexMark_RptDup, status);
    EXPECT_EQ(value, c.to) << c.from << " " << c.forward;
  }
  cmcCellObj out;
  out.index = 42;
  EXPECT_EQ(ChoiceStep(gtex, "GI_Sheet_Sel_Empty", Flex0, 0, true, out), 0);
  EXPECT_EQ(out.index, 42);
}

// A list without options: no step, the value stays, the text is empty.
TEST_F(SmallLists, AListWithoutOptionsKeepsTheValue) {
  for (int op : {cellop::kSpace, cellop::kBackspace, 0}) {
    std::int32_t value = 3;
    int status = 0;
    cmcCellCapsule c = Key(op);
    EXPECT_EQ(SelectChoice(cache, c, "GI_Sheet_Sel_Empty", value, status), 0);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(c.outputText, "");
  }
}

TEST_F(SmallLists, TypedEntriesMatchByMode) {
  struct Case {
    const char* typed;
    int mode;
    int changed;
    std::int32_t value;
  } cases[] = {
      {"7", 0, 1, 1},            // nearest: 6.25
      {"7.5", 0, 1, 2},          // nearest: 8.33
      {" 5 ", 0, 1, 0},          // trimmed
      {"a", 3, 1, 3},            // the first option starting with it: Auto
      {"al", 1, 1, 4},           // All
      {"k", 0, 0, 9},            // no number
      {"", 0, 0, 9},             // empty
      {"8.33kHz999", 1, 0, 9},   // matches nothing
      {"\x82\x60", 1, 0, 9},     // double-byte
      {"12345678901", 0, 0, 9},  // longer than the entry
  };
  for (const Case& c : cases) {
    const Result r = Typed(Commit(c.typed), "GI_Sheet_Sel_Steps", 9, c.mode);
    EXPECT_EQ(r.changed, c.changed) << c.typed << " mode " << c.mode;
    EXPECT_EQ(r.value, c.value) << c.typed << " mode " << c.mode;
  }
}

TEST_F(SmallLists, KeysThatStartATypedEntry) {
  struct Case {
    int op;
    int mode;
    int status;
    const char* text;  // the editor's text with status 2
  } cases[] = {
      {'7', 0, kCellOpenEditor, "7"}, {'a', 0, 0, nullptr},
      {'a', 1, kCellOpenEditor, "a"}, {'7', 2, kCellOpenEditor, "7"},
      {'7', 3, 0, nullptr},           {cellop::kF2, 0, kCellOpenEditor, "6.25kHz"},
      {cellop::kF2, 3, 0, nullptr},
  };
  for (const Case& c : cases) {
    const Result r = Typed(Key(c.op), "GI_Sheet_Sel_Steps", 1, c.mode);
    EXPECT_EQ(r.status, c.status) << c.op << " mode " << c.mode;
    EXPECT_EQ(r.changed, 0);
    EXPECT_EQ(r.value, 1);
    if (c.text) {
      EXPECT_EQ(r.text, c.text) << c.op << " mode " << c.mode;
      EXPECT_EQ(r.maxLength, 10);
    }
  }
  // F2 takes at most nine bytes of the shown text.
  EXPECT_EQ(Typed(Key(cellop::kF2), "GI_Sheet_Sel_Long", 0, 0).text, "123456789");
  // Other keys are the ordinary list's: Space steps, Enter asks for the popup.
  EXPECT_EQ(Typed(Key(cellop::kSpace), "GI_Sheet_Sel_Steps", 1, 0).value, 2);
  EXPECT_EQ(Typed(Key(cellop::kEnter), "GI_Sheet_Sel_Steps", 1, 0).status, kCellRedraw);
  EXPECT_EQ(dialogs.lists.size(), 1u);
  // Without an owner nothing starts.
  EXPECT_EQ(Typed(PlainQuery('7'), "GI_Sheet_Sel_Steps", 1, 0).status, 0);
}

TEST_F(ProgramLists, ACsvToneMatchesTheNearestTone) {
  int status = 0;
  std::int32_t value = 0;
  cmcCellCapsule c = Commit("88.6Hz");
  EXPECT_EQ(SelectTypedChoice(cache, c, kTone, value, 0, Flex0, status), 1);
  EXPECT_EQ(value, 8);
  EXPECT_EQ(c.outputText, "88.5Hz");
}

}  // namespace
