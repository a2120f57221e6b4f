// kw-test: label=texts
// The interface table follows the settings' language and the system's, on a
// running application with scratch settings; failures are titled by it.
#include <gtest/gtest.h>

#include "core/AppMessageBox.h"
#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Fatal.h"
#include "platform/LocaleInfo.h"
#include "support/ScratchDir.h"
#include "support/ScratchEnviron.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr char kKey[] = "Software\\Quor\\KW-3700";

class TextLanguage : public ::testing::Test {
 protected:
  std::unique_ptr<indEnviron> MakeEnviron() {
    const indEnviron::Options o = kwtest::ScratchEnvironOptions(dir_);
    return std::make_unique<indEnviron>(indEnviron::kMutexName, kKey, kKey, o);
  }
  static platform::LocaleInfo System(std::uint16_t id) {
    platform::LocaleInfo info;
    info.languageId = id;
    return info;
  }
  kwtest::ScratchDir dir_;
  kwtest::ScriptedMessageBoxes boxes_;
};

TEST_F(TextLanguage, ChosenTableAnswersAndBoxesShowItsTexts) {
  auto env = MakeEnviron();
  cmcGTex gtex;
  struct Case {
    std::int32_t setting;
    std::uint16_t systemId;
    TextTable table;
    bool japaneseUi;
  } cases[] = {
      {0, 0x0409, TextTable::English, false},
      {1, 0x0411, TextTable::Japanese, true},
      {1, 0x0407, TextTable::Mixed, true},
      {0, 0x0411, TextTable::English, true},
  };
  for (const Case& c : cases) {
    platform::ScopedLocaleInfo system(System(c.systemId));
    env->Language = c.setting;
    SelectTextTable(gtex, ChooseTextTable(*env));
    EXPECT_EQ(CurrentTextTable(), c.table);
    EXPECT_EQ(IsJapaneseUi(*env), c.japaneseUi);
    EXPECT_EQ(IsJapaneseSetting(*env), c.setting == 1);
    boxes_.Answer(platform::mb::IdNo);
    const int answer = MessageBoxCp932(nullptr, gtex.GetFirst("GI_Mess_Confirm_WriteFile"),
                                       gtex.GetFirst("GI_Sys_AppTitle"), 0x33);
    EXPECT_EQ(answer, platform::mb::IdNo);
    EXPECT_EQ(boxes_.Last().caption, QStringLiteral("KW-3700"));
    EXPECT_EQ(boxes_.Last().text == QStringLiteral("Save changes?"), c.table == TextTable::English);
  }
  // The mixed table keeps the Japanese message but the English filters.
  platform::ScopedLocaleInfo system(System(0x0407));
  env->Language = 1;
  SelectTextTable(gtex, ChooseTextTable(*env));
  EXPECT_EQ(gtex.GetText("GI_Sys_Dialog_FOpen", 1), "Data files (*.icf)|*.icf|All files (*.*)|*.*");
  EXPECT_NE(gtex.GetFirst("GI_Mess_Confirm_WriteFile"), "Save changes?");
  SelectTextTable(gtex, TextTable::English);
}

}  // namespace
