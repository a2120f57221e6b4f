// Names, fixed texts and messages: what an entry keeps, how a plain text
// query shows double-byte characters, and the text rule for keys.
#include "cells/TextConverters.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CapsuleKit.h"
#include "cells/ConverterContext.h"

namespace {

using kwtest::Answer;
using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

const std::string kA = "\x82\xA0";  // a double-byte character (hiragana a)
const std::string kKana = "\xB1";   // a half-width katakana

template <std::size_t N>
std::array<char, N> Field(std::string_view text) {
  std::array<char, N> f;
  f.fill(' ');
  std::copy_n(text.begin(), std::min(text.size(), N), f.begin());
  return f;
}

TEST(EditNameText, EntryCleansTrimsAndCutsWholeCharacters) {
  const ConverterContext ctx;
  struct Case {
    std::string text;
    std::string stored;
  } cases[] = {
      // 17 bytes whose 16th is a lead byte: 15 are kept, never half a character.
      {"A" + kA + kA + kA + kA + kA + kA + kA + kA, "A" + kA + kA + kA + kA + kA + kA + kA},
      {"Club  ", "Club"},
      {"Club\x81\x40\x81\x40", "Club"},  // full-width blanks go too
      {"A\x80"
       "B",
       "A B"},  // a byte that is no character becomes a blank
      {"AB" + kA + kKana, "AB" + kA + kKana},
      {"0123456789abcdefXYZ", "0123456789abcdef"},
  };
  for (const auto& c : cases) {
    std::string name = "old";
    for (cmcCellCapsule cap : {Commit(c.text), Answer(c.text)}) {
      int status = 0;
      EXPECT_EQ(EditNameText(ctx, cap, name, 16, status), 1);
      EXPECT_EQ(name, c.stored);
    }
  }
}

TEST(EditNameText, PlainQueriesShowDoubleByteAsEqualsUnderEnglish) {
  const std::string name = "AB" + kA + kKana + "C";
  struct Case {
    bool japaneseUi;
    bool owner;
    std::string shown;
  } cases[] = {
      {false, false, "AB==_C"},
      {true, false, name},
      {false, true, name},  // the sheet itself shows the real text
  };
  for (const auto& c : cases) {
    ConverterContext ctx;
    ctx.japaneseUi = c.japaneseUi;
    std::string value = name;
    cmcCellCapsule cap = c.owner ? Query() : kwtest::PlainQuery();
    int status = 0;
    EditNameText(ctx, cap, value, 16, status);
    EXPECT_EQ(cap.outputText, c.shown);
    EXPECT_EQ(value, name);
  }
}

TEST(TextConverters, SpaceBackspaceAndF2OpenTheEditorAndNeverStep) {
  for (bool japaneseSystem : {false, true}) {
    ConverterContext ctx;
    ctx.systemJapanese = japaneseSystem;
    struct Case {
      int key;
      int status;
      const char* output;
    } cases[] = {
        {cellop::kSpace, kCellOpenEditor, "Home"},
        {cellop::kBackspace, kCellOpenEditor, "Home"},
        {cellop::kF2, kCellOpenEditor, "Home"},
        {cellop::kImeStart, japaneseSystem ? kCellOpenEditor : 0, "Home"},
        {'~', kCellOpenEditor, "~"},
        {cellop::kCtrlBackspace, 0, "Home"},
        {-80, 0, "Home"},  // a byte from 0x80 on
    };
    for (const auto& c : cases) {
      std::string name = "Home";
      std::array<char, 8> fixed = Field<8>("Home");
      std::array<char, 8> message = Field<8>("Home");
      for (int which = 0; which < 3; ++which) {
        cmcCellCapsule cap = Key(c.key);
        int status = 0;
        int changed = which == 0   ? EditNameText(ctx, cap, name, 16, status)
                      : which == 1 ? EditFixedText(ctx, cap, fixed, status)
                                   : EditMessageText(ctx, cap, message, -1, status);
        EXPECT_EQ(changed, 0);
        EXPECT_EQ(status, c.status) << c.key << " " << which;
        EXPECT_EQ(cap.outputText, c.output) << c.key << " " << which;
      }
      EXPECT_EQ(name, "Home");
      EXPECT_EQ(fixed, Field<8>("Home"));
    }
  }
}

TEST(EditFixedText, FoldsToHalfWidthAndDropsKanaAndKanji) {
  const ConverterContext ctx;
  struct Case {
    std::string text;
    std::string stored;
  } cases[] = {
      {"\x82\x60\x82\x61"
       "c",
       "ABc     "},  // full-width A B
      {"A" + kKana + "B", "AB      "},
      {"A\x88\x9F"
       "B",
       "AB      "},  // a kanji goes
      {"123456789", "12345678"},
  };
  for (const auto& c : cases) {
    std::array<char, 8> field = Field<8>("old");
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditFixedText(ctx, cap, field, status), 1);
    EXPECT_EQ(std::string(field.data(), 8), c.stored) << c.text;
  }
}

TEST(EditMessageText, KeepsKanaCutsToTheAllowedLengthAndShowsKanaAsUnderscore) {
  ConverterContext ctx;
  std::array<char, 8> field = Field<8>("old");
  cmcCellCapsule cap = Commit("\x82\x60" + kKana + "BCDEFGH");
  int status = 0;
  EXPECT_EQ(EditMessageText(ctx, cap, field, 5, status), 1);
  EXPECT_EQ(std::string(field.data(), 8), "A" + kKana + "BCD   ");
  cap = kwtest::PlainQuery();
  EditMessageText(ctx, cap, field, 5, status);
  EXPECT_EQ(cap.outputText, "A_BCD");
  ctx.japaneseUi = true;
  EditMessageText(ctx, cap, field, 5, status);
  EXPECT_EQ(cap.outputText, "A" + kKana + "BCD");
}

}  // namespace
