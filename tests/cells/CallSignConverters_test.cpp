// Call signs: the character rule, Auto Correct, the gateway flag, and the
// route call signs' repeater-dialog keys.
#include "cells/CallSignConverters.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CapsuleKit.h"
#include "cells/ConverterContext.h"

namespace {

using kwtest::Commit;
using kwtest::Key;
using kwtest::Query;
using kwtest::Typed;

using Call = std::array<char, 8>;
Call Field(std::string_view text) {
  Call f;
  f.fill(' ');
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 8), f.begin());
  return f;
}
std::string Text(const Call& f) { return std::string(f.data(), 8); }

TEST(EditCallSignCode, EntriesTakeCallSignCharactersPositionByPosition) {
  ConverterContext ctx;
  ctx.autoCorrect = false;
  struct Case {
    std::string text;
    const char* stored;
  } cases[] = {
      {"ab-1", "AB 1    "},
      {"ja1yxx/p", "JA1YXX/P"},
      {"ja1yxx/p9", "JA1YXX/P"},
      {"JA\x83\x41", "JA      "},  // the second byte of a double-byte character is no "A"
      {"1\x82"
       "AB",
       "1  B    "},  // a lead byte takes the byte after it along
      {"\xB1\xB2", "        "},
  };
  for (const auto& c : cases) {
    Call f = Field("OLD");
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EXPECT_EQ(EditCallSignCode(ctx, cap, f, false, status), 1);
    EXPECT_EQ(Text(f), c.stored) << c.text;
  }
}

TEST(EditCallSignCode, AutoCorrectMovesTheLastWordRight) {
  struct Case {
    const char* text;
    bool autoCorrect;
    bool gateway;
    const char* stored;
  } cases[] = {
      {"AB1CD B", true, false, "AB1CD  B"},
      {"AB1CDE B", true, false, "AB1CDE B"},  // already at the end
      {"AB1CD", true, false, "AB1CD   "},     // no blank before the last word
      {"A B C", true, false, "A B    C"},     // only the last word moves
      {"AB1CD B", false, false, "AB1CD B "},
      {"AB1CD B", true, true, "AB1CD B "},  // a gateway's word must end in G
      {"AB1CD G", true, true, "AB1CD  G"},
  };
  for (const auto& c : cases) {
    ConverterContext ctx;
    ctx.autoCorrect = c.autoCorrect;
    Call f = Field("");
    cmcCellCapsule cap = Commit(c.text);
    int status = 0;
    EditCallSignCode(ctx, cap, f, c.gateway, status);
    EXPECT_EQ(Text(f), c.stored) << c.text;
  }
}

TEST(EditCallSignCode, DisplayNormalisesTheStoredField) {
  const ConverterContext ctx;
  Call f = Field("ja1-x\x82\x60");
  cmcCellCapsule cap = Query();
  int status = 0;
  EXPECT_EQ(EditCallSignCode(ctx, cap, f, false, status), 0);
  EXPECT_EQ(cap.outputText, "JA1 X");
  EXPECT_EQ(Text(f), "JA1 X   ");
}

TEST(EditCallSignCode, KeysOpenAnEditorOfTheFieldsLength) {
  const ConverterContext ctx;
  struct Case {
    int key;
    int status;
    const char* output;
  } cases[] = {{cellop::kEnter, kCellOpenEditor, "JA1YXX"},
               {cellop::kSpace, kCellOpenEditor, "JA1YXX"},
               {'/', kCellOpenEditor, "/"},
               {'q', kCellOpenEditor, "q"},
               {'-', 0, "JA1YXX"},
               {'!', 0, "JA1YXX"}};
  for (const auto& c : cases) {
    Call f = Field("JA1YXX");
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EditCallSignCode(ctx, cap, f, false, status);
    EXPECT_EQ(status, c.status) << c.key;
    EXPECT_EQ(cap.outputText, c.output) << c.key;
    if (c.status == kCellOpenEditor) {
      EXPECT_EQ(cap.maxLength, 8);
    }
  }
}

TEST(EditRouteCallSign, RepeaterDialogTakesEnterAndEditingKeysOfAnUnusedChannel) {
  struct Case {
    bool dialog, inUse;
    int key;
    int changed, status;
  } cases[] = {
      {true, true, cellop::kEnter, 1, kCellRedraw},
      {true, true, cellop::kSpace, 1, kCellRedraw},  // Space counts as Enter
      {true, true, 'A', 0, kCellOpenEditor},
      {true, false, 'A', 1, kCellRedraw},
      {true, false, '!', 0, 0},
      {false, true, cellop::kEnter, 0, kCellOpenEditor},
      {false, false, 'A', 0, kCellOpenEditor},
  };
  for (const auto& c : cases) {
    ConverterContext ctx;
    ctx.repeaterDialog = c.dialog;
    Call f = Field("CQCQCQ");
    cmcCellCapsule cap = Key(c.key);
    int status = 0;
    EXPECT_EQ(EditRouteCallSign(ctx, cap, f, nullptr, 0, c.inUse, status), c.changed) << c.key;
    EXPECT_EQ(status, c.status) << c.key;
    EXPECT_EQ(Text(f), "CQCQCQ  ");
  }
}

TEST(EditRouteCallSign, EntriesUseAutoCorrectWithoutTheGatewayCondition) {
  ConverterContext ctx;
  ctx.repeaterDialog = false;
  Call f = Field("");
  cmcCellCapsule cap = Commit("jp1yiu a");
  int status = 0;
  EXPECT_EQ(EditRouteCallSign(ctx, cap, f, nullptr, 0, true, status), 1);
  EXPECT_EQ(Text(f), "JP1YIU A");
  cap = Commit("jp1yi a");
  EditRouteCallSign(ctx, cap, f, nullptr, 0, true, status);
  EXPECT_EQ(Text(f), "JP1YI  A");
}

TEST(FilterCallSign, CharactersAndFields) {
  struct Case {
    std::uint8_t in, out;
  } chars[] = {{'a', 'A'},   {'Z', 'Z'}, {'5', '5'}, {'/', '/'},
               {'\\', '\\'}, {' ', 255}, {'-', 255}, {0x82, 255}};
  for (const auto& c : chars) {
    std::uint8_t ch = c.in;
    FilterCallSignChar(ch);
    EXPECT_EQ(ch, c.out) << int{c.in};
  }
  Call ok = Field("ja1/yx");
  FilterCallSignField(ok);
  EXPECT_EQ(Text(ok), "JA1/YX  ");
  Call bad = Field("ja1-yx");
  FilterCallSignField(bad);
  EXPECT_EQ(Text(bad), "        ");
}

}  // namespace
