#include "core/TextTableChoice.h"

#include "core/cmcGTex.h"
#include "core/indEnviron.h"
#include "platform/Fatal.h"
#include "platform/LocaleInfo.h"
#include "resources/text/TextTables.h"

namespace {

TextTable g_current = TextTable::English;

}  // namespace

TextTable ChooseTextTable(std::int32_t languageSetting, bool systemJapanese) {
  if (languageSetting != 1) return TextTable::English;
  return systemJapanese ? TextTable::Japanese : TextTable::Mixed;
}

TextTable ChooseTextTable(const indEnviron& env) {
  return ChooseTextTable(env.Language, IsSystemJapanese());
}

const kwres::LineArray& TextTableLines(TextTable table) {
  switch (table) {
    case TextTable::Japanese: return kwres::kTextJapanese;
    case TextTable::Mixed: return kwres::kTextMixed;
    case TextTable::English: break;
  }
  return kwres::kTextEnglish;
}

void SelectTextTable(cmcGTex& gtex, TextTable table) {
  gtex.Reset();
  gtex.SetSource(TextTableLines(table));
  g_current = table;
  platform::SetFatalCaption(
      platform::Cp932ToUnicode(gtex.GetFirst("GI_Sys_AppTitle"), CurrentTextDisplay()));
}

TextTable CurrentTextTable() { return g_current; }

QString ToDisplayText(std::string_view cp932) {
  return platform::Cp932ToUnicode(cp932, CurrentTextDisplay());
}

platform::Cp932Display CurrentTextDisplay() {
  return g_current == TextTable::English ? platform::Cp932Display::Western
                                         : platform::Cp932Display::Japanese;
}

bool IsSystemJapanese() { return platform::CurrentLocaleInfo().IsJapanese(); }

bool IsJapaneseSetting(const indEnviron& env) { return env.Language == 1; }

bool IsJapaneseUi(const indEnviron& env) { return IsJapaneseSetting(env) || IsSystemJapanese(); }
