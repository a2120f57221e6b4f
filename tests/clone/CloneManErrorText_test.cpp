// The clone manager's error texts, exactly as the English table gives them,
// and the templates' placeholders in all three tables.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "clone/CloneErrorText.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"

namespace {

const std::string kCheck03 =
    "Check the following:\n - The COM port settings.\n - Cable connections.\n"
    " - Transceiver power is ON.";
const std::string kComNotSet =
    "The COM port is not set.\nSet the COM port number (1 - 256) in [COM Port] - [Setting...].";

class CloneErrorTextTest : public ::testing::Test {
 protected:
  void SetUp() override { texts_.SetSource(kwres::kTextEnglish); }
  cmcGTex texts_;
};

TEST_F(CloneErrorTextTest, EnglishTextsPerCode) {
  struct Case {
    int code;
    int port;
    std::string text;
  };
  const std::string illegalInfo = "Illegal information.\n\n" + kCheck03 +
                                  "\n - The software in use is the one for this transceiver.\n"
                                  " - The revision number of the transceiver.";
  const Case cases[] = {
      {0, 7, ""},
      {1, 7, "Cannot Clone.\n\n" + kCheck03},
      {2, 7, "Cannot access COM 7.\n\n" + kCheck03},
      {2, 1, "Cannot access COM 1.\n\n" + kCheck03},
      {2, 256, "Cannot access COM 256.\n\n" + kCheck03},
      {2, 0, kComNotSet},
      {2, 300, kComNotSet},
      {2, 257, kComNotSet},
      {2, -5, kComNotSet},
      {3, 7, "COM buffer overflow.\n\n" + kCheck03},
      {4, 7, "Cannot access COM port.\n\n" + kCheck03},
      {5, 7, "No answer from transceiver.\n\n" + kCheck03},
      {5, 300, "No answer from transceiver.\n\n" + kCheck03},  // the port matters for 2 only
      {6, 7, "Illegal data.\n\n" + kCheck03},
      {7, 7, "Data counter error.\n\n" + kCheck03},
      {8, 7, "There is not enough data.\n\n" + kCheck03},
      {9, 7, "Data overflow.\n\n" + kCheck03},
      {10, 7,
       "Cannot write cloning data.\n\nCheck the following:\n - Cable connections.\n"
       " - Transceiver power is ON."},
      {11, 7, illegalInfo},
      {12, 7, illegalInfo},
      {13, 7,
       "Transceiver version does not match.\n\n"
       "The transceiver cannot be programmed with the current setting."},
      {14, 7,
       "Connected transceiver is not compatible model.\n\nCheck the following:\n"
       " - The software in use is the one for this transceiver.\n"
       " - The revision number of the transceiver."},
      {15, 7, "Illegal data.\n\n" + kCheck03},
      {16, 7, "Please update to the latest version.\n\n"},
      {17, 7, "Cannot Clone.\n\n" + kCheck03},
      // Codes the table has no text for show code 1's text.
      {18, 7, "Cannot Clone.\n\n" + kCheck03},
      {-1, 7, "Cannot Clone.\n\n" + kCheck03},
      {INT_MIN, 7, "Cannot Clone.\n\n" + kCheck03},
      {INT_MAX, 7, "Cannot Clone.\n\n" + kCheck03},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " port " << c.port);
    EXPECT_EQ(CloneErrorText(texts_, c.code, c.port), c.text);
  }
}

TEST_F(CloneErrorTextTest, APortRefusedToTheUserNamesTheGroupThatGrantsIt) {
  const std::string access =
      "\n\nThe system refuses this user access to the port: add the user to the group "
      "\"dialout\" and log in again.";
  EXPECT_EQ(CloneErrorText(texts_, 2, 7, "dialout"), "Cannot access COM 7.\n\n" + kCheck03 + access);
  EXPECT_EQ(CloneErrorText(texts_, 4, 7, "dialout"), "Cannot access COM port.\n\n" + kCheck03 + access);
  // Other failures, and a refusal whose group is unknown, say nothing more.
  EXPECT_EQ(CloneErrorText(texts_, 5, 7, "dialout"), CloneErrorText(texts_, 5, 7));
  EXPECT_EQ(CloneErrorText(texts_, 2, 7, ""), "Cannot access COM 7.\n\n" + kCheck03);
}

TEST(CloneErrorTextTables, EveryTableHasATextForEveryCode) {
  for (const kwres::LineArray* table :
       {&kwres::kTextEnglish, &kwres::kTextJapanese, &kwres::kTextMixed}) {
    cmcGTex texts;
    texts.SetSource(*table);
    for (int code = 1; code < kCloneErrorCodeCount; ++code) {
      SCOPED_TRACE(code);
      const std::string head = texts.GetText("GI_Mess_CloneErr_Head", code);
      EXPECT_FALSE(head.empty());
      EXPECT_NE(head[0], '#');
      const std::string text = CloneErrorText(texts, code, 7);
      EXPECT_EQ(text.find('%'), std::string::npos) << text;
    }
    // The list ends right after its 18 values; the check list has 7.
    EXPECT_EQ(texts.GetText("GI_Mess_CloneErr_Head", kCloneErrorCodeCount), "#");
    for (int n = 0; n < 7; ++n) EXPECT_NE(texts.GetText("GI_Mess_CloneErr_Check", n)[0], '#');
  }
}

TEST(CloneErrorTextTables, TemplatesHaveExactlyOnePlaceholder) {
  for (const kwres::LineArray* table :
       {&kwres::kTextEnglish, &kwres::kTextJapanese, &kwres::kTextMixed}) {
    cmcGTex texts;
    texts.SetSource(*table);
    const std::string com = texts.GetText("GI_Mess_CloneErr_Head", 2);
    EXPECT_EQ(CountPlaceholders(com), 1) << com;
    EXPECT_NE(com.find("%d"), std::string::npos);
    const std::string file = texts.GetText("GI_Sys_HtmlHelp_Error", 0);
    EXPECT_EQ(CountPlaceholders(file), 1) << file;
    EXPECT_NE(file.find("%s"), std::string::npos);
    EXPECT_EQ(CountPlaceholders(texts.GetText("GI_Sys_HtmlHelp_Error", 1)), 0);
    const std::string access = texts.GetFirst("GI_Mess_CloneErr_Access");
    EXPECT_EQ(CountPlaceholders(access), 1) << access;
    EXPECT_NE(access.find("%s"), std::string::npos);
    for (int code = 0; code < kCloneErrorCodeCount; ++code) {
      if (code == 2) continue;
      EXPECT_EQ(CountPlaceholders(texts.GetText("GI_Mess_CloneErr_Head", code)), 0);
    }
  }
}

TEST(CloneErrorTextHelpers, PlaceholdersAreFilledWithoutPrintf) {
  EXPECT_EQ(FillDecimalPlaceholder("Cannot access COM %d.", 7), "Cannot access COM 7.");
  EXPECT_EQ(FillDecimalPlaceholder("%d%d", -12), "-12%d");
  EXPECT_EQ(FillDecimalPlaceholder("no placeholder", 3), "no placeholder");
  EXPECT_EQ(CountPlaceholders("100%% sure %d"), 1);
  EXPECT_EQ(CountPlaceholders("%s and %d"), 2);
  EXPECT_EQ(CountPlaceholders("trailing %"), 1);
  EXPECT_EQ(CountPlaceholders("none"), 0);
}

}  // namespace
