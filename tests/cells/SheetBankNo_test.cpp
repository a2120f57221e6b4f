// The bank of the requesting sheet, and the question box of the list edits.
#include "cells/SheetBankNo.h"

#include <gtest/gtest.h>

#include "cells/AppMessage.h"
#include "core/cmcGTex.h"
#include "platform/MessageBoxService.h"
#include "resources/text/TextTables.h"
#include "sheet/cmcCellCapsule.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(GetSheetBankNo, BankSheetsAreNumberedFromTwentyOne) {
  struct Case {
    std::optional<std::string> name;
    int bank;
  } cases[] = {
      {std::nullopt, 0},     {"", 0},
      {"1,100", 0},          {"20,0", 0},
      {"21,0", 0},           {"22", 1},
      {"46,99", 25},         {"47,0", kNoSheetBank},
      {"100", kNoSheetBank}, {"99999999999999999999999", kNoSheetBank},
      {"x2y3,5", 2},         {",46", 0},
  };
  for (const auto& c : cases) {
    cmcCellCapsule cap;
    cap.sheetName = c.name;
    EXPECT_EQ(GetSheetBankNo(cap), c.bank) << c.name.value_or("(none)");
  }
}

TEST(ShowAppMessage, AsksOkCancelUnderTheTitleWithTheWarningIcon) {
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdOk);
  boxes.Answer(platform::mb::IdCancel);
  boxes.Answer(platform::mb::IdYes);  // anything but OK declines
  EXPECT_EQ(ShowAppMessage(texts, "GI_AppInd_Button_OkCancel"), 1);
  EXPECT_EQ(ShowAppMessage(texts, "GI_AppInd_Button_OkCancel"), 2);
  EXPECT_EQ(ShowAppMessage(texts, "GI_AppInd_Button_OkCancel"), 2);
  ASSERT_EQ(boxes.Count(), 3u);
  EXPECT_EQ(boxes.Last().flags, 0x31u);
  EXPECT_EQ(boxes.Last().caption, QString::fromStdString(texts.GetFirst("GI_Sys_AppTitle")));
  EXPECT_EQ(boxes.Last().text, QStringLiteral("OK\nCancel"));
}

}  // namespace
