#pragma once
// Which interface text table is in force, and the language questions the
// rest of the program asks.
#include <QString>
#include <cstdint>
#include <string_view>

#include "platform/Cp932.h"

class cmcGTex;
class indEnviron;
namespace kwres {
struct LineArray;
}

enum class TextTable {
  English,
  Japanese,
  Mixed,  // Japanese with window, dialog and button captions, filters and menu bodies in English
};

// The Japanese setting (1) gives Japanese on a Japanese system and the mixed
// table elsewhere (its fonts may lack the glyphs of captions the system
// draws); any other setting gives English.
TextTable ChooseTextTable(std::int32_t languageSetting, bool systemJapanese);
// The same for the settings' language and the system's.
TextTable ChooseTextTable(const indEnviron& env);

const kwres::LineArray& TextTableLines(TextTable table);

// Puts the table into the reader (Reset, then SetSource), remembers it as the
// table in force and titles fatal failure boxes with its "GI_Sys_AppTitle".
void SelectTextTable(cmcGTex& gtex, TextTable table);

// The table last selected (English before any).
TextTable CurrentTextTable();
// How the table's bytes are shown: the English table shows 0xB0 and 0xB7 as
// the degree sign and the middle dot.
platform::Cp932Display CurrentTextDisplay();
// CP932 bytes as they are shown with the table in force.
QString ToDisplayText(std::string_view cp932);

// The system's default language is Japanese (primary language id 0x11).
bool IsSystemJapanese();
// The interface-language setting is 1 (Japanese).
bool IsJapaneseSetting(const indEnviron& env);
// The setting is Japanese or the system is.
bool IsJapaneseUi(const indEnviron& env);
inline bool IsJapaneseUi2(const indEnviron& env) { return IsJapaneseUi(env); }
