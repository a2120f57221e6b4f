// kw-test: label=texts
#include "core/TextTableChoice.h"

#include <gtest/gtest.h>

#include "core/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/LocaleInfo.h"
#include "resources/text/TextTables.h"

namespace {

TEST(TextTableChoice, LanguageSettingAndSystem) {
  struct Case {
    int setting;
    bool systemJapanese;
    TextTable table;
  } cases[] = {
      {1, true, TextTable::Japanese},
      {1, false, TextTable::Mixed},
      {0, true, TextTable::English},
      {0, false, TextTable::English},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseTextTable(c.setting, c.systemJapanese), c.table)
        << c.setting << "/" << c.systemJapanese;
}

TEST(TextTableChoice, SystemLanguageComesFromTheLocaleInfo) {
  platform::LocaleInfo info;
  info.languageId = 0x0411;
  {
    platform::ScopedLocaleInfo scope(info);
    EXPECT_TRUE(IsSystemJapanese());
  }
  info.languageId = 0x0407;
  platform::ScopedLocaleInfo scope(info);
  EXPECT_FALSE(IsSystemJapanese());
}

TEST(TextTableChoice, SelectingATableSwitchesTheReaderAndTheFailureCaption) {
  cmcGTex gtex;
  for (TextTable t : {TextTable::Japanese, TextTable::Mixed, TextTable::English}) {
    SelectTextTable(gtex, t);
    EXPECT_EQ(CurrentTextTable(), t);
    EXPECT_EQ(&TextTableLines(t) == &kwres::kTextEnglish, t == TextTable::English);
    EXPECT_EQ(gtex.GetFirst("GI_Sys_AppTitle"), "KW-3700");
    EXPECT_EQ(platform::FatalCaption(), QStringLiteral("KW-3700"));
  }
  // A key the English and Japanese tables word differently follows the switch.
  SelectTextTable(gtex, TextTable::English);
  const std::string english = gtex.GetFirst("GI_ICF_New_File_Name");
  SelectTextTable(gtex, TextTable::Japanese);
  EXPECT_NE(gtex.GetFirst("GI_ICF_New_File_Name"), english);
  SelectTextTable(gtex, TextTable::English);
  EXPECT_EQ(gtex.GetFirst("GI_ICF_New_File_Name"), "Untitled");
}

}  // namespace
