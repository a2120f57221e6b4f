// kw-test: label=texts
#include "core/AppMessageBox.h"

#include <gtest/gtest.h>

#include <QObject>

#include "core/TextTableChoice.h"
#include "core/cmcGTex.h"
#include "platform/Monitors.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using platform::ScreenRect;

ScreenRect Box(int x, int y, int w, int h) { return ScreenRect::FromSize(x, y, w, h); }

class AppMessageBoxTest : public ::testing::Test {
 protected:
  AppMessageBoxTest()
      : monitors_({{Box(0, 0, 1920, 1080), Box(0, 0, 1920, 1040)},
                   {Box(1920, 0, 1920, 1080), Box(1920, 0, 1920, 1040)}}),
        scope_(&monitors_) {}
  platform::FixedMonitors monitors_;
  platform::ScopedMonitors scope_;
  kwtest::ScriptedMessageBoxes boxes_;
};

TEST_F(AppMessageBoxTest, ShownOnTheOwnersMonitor) {
  QObject owner;
  monitors_.SetWindowRect(&owner, Box(2000, 100, 600, 400));
  boxes_.Answer(platform::mb::IdYes);
  EXPECT_EQ(MessageBoxCp932(&owner, "Save?", "KW-3700", 0x33), platform::mb::IdYes);
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Last().workArea, QRect(1920, 0, 1920, 1040));
  EXPECT_EQ(boxes_.Last().flags, 0x33u);
  EXPECT_EQ(boxes_.Last().owner, &owner);
  // No owner: the desktop work area (the primary monitor's).
  boxes_.Answer(platform::mb::IdOk);
  AppMessageBox(nullptr, QStringLiteral("x"), QStringLiteral("y"), 0x40);
  EXPECT_EQ(boxes_.Last().workArea, QRect(0, 0, 1920, 1040));
}

TEST_F(AppMessageBoxTest, LongTextsAreCutAndStillShown) {
  boxes_.Answer(platform::mb::IdOk);
  const std::string text(1200, 'a');
  const std::string caption(1000, 'c');
  EXPECT_EQ(MessageBoxCp932(nullptr, text, caption, 0x10), platform::mb::IdOk);
  ASSERT_EQ(boxes_.Count(), 1u);
  EXPECT_EQ(boxes_.Last().text, QString(998, QLatin1Char('a')) + QChar(0x2026));
  EXPECT_EQ(boxes_.Last().caption, QString(998, QLatin1Char('c')) + QChar(0x2026));
  // Exactly 999 units fit as they are.
  boxes_.Answer(platform::mb::IdOk);
  MessageBoxCp932(nullptr, std::string(999, 'b'), "t", 0);
  EXPECT_EQ(boxes_.Last().text, QString(999, QLatin1Char('b')));
}

TEST(CutMessageText, NeverSplitsASurrogatePair) {
  QString text(997, QLatin1Char('x'));
  text += QString::fromUtf8("\xf0\x9f\x98\x80");  // one character, two units at 997..998
  text += QString(10, QLatin1Char('y'));
  const QString cut = CutMessageText(text);
  EXPECT_EQ(cut, QString(997, QLatin1Char('x')) + QChar(0x2026));
}

TEST(MessageBoxCp932, UndecodableBytesShowAsReplacementCharacters) {
  kwtest::ScriptedMessageBoxes boxes;
  boxes.Answer(platform::mb::IdOk);
  // A lead byte before a non-trail byte, a byte that starts nothing, a lead
  // byte at the end: the box still shows, with U+FFFD in their place.
  EXPECT_EQ(MessageBoxCp932(nullptr, "A\x82 B\xFF", "C\x82", 0x10), platform::mb::IdOk);
  EXPECT_EQ(boxes.Last().text, QString::fromUtf8("A\xEF\xBF\xBD B\xEF\xBF\xBD"));
  EXPECT_EQ(boxes.Last().caption, QString::fromUtf8("C\xEF\xBF\xBD"));
}

TEST(MessageBoxCp932, EnglishTableShowsDegreeAndMiddleDot) {
  kwtest::ScriptedMessageBoxes boxes;
  boxes.SetDefaultAnswer(platform::mb::IdOk);
  cmcGTex gtex;
  SelectTextTable(gtex, TextTable::English);
  MessageBoxCp932(nullptr, "10\xb0 \xb7", "t", 0);
  EXPECT_EQ(boxes.Last().text, QString::fromUtf8("10\xc2\xb0 \xc2\xb7"));
  SelectTextTable(gtex, TextTable::Japanese);
  MessageBoxCp932(nullptr, "10\xb0", "t", 0);
  EXPECT_EQ(boxes.Last().text, QString::fromUtf8("10\xef\xbd\xb0"));  // half-width prolonged mark
  SelectTextTable(gtex, TextTable::English);
}

}  // namespace
