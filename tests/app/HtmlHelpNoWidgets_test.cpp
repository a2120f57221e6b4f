// Without a widget application (a console run, a tool) no help viewer can
// exist: every request answers 3 and shows nothing, not even for a bundle
// that is missing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

#include "app/cuiHtmlHelp.h"
#include "core/cmcGTex.h"
#include "resources/text/TextTables.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(HtmlHelpNoWidgets, EveryRequestGivesThreeSilently) {
  ASSERT_NE(QCoreApplication::instance(), nullptr);
  kwtest::ScriptedMessageBoxes boxes;
  cmcGTex texts;
  texts.SetSource(kwres::kTextEnglish);
  cuiHtmlHelp help(texts);
  const QString bundle = QStringLiteral(KW_SOURCE_DIR "/resources/help/en");
  for (const QString& path : {bundle, QStringLiteral("/nonexistent/KW3700_ENG.chm")}) {
    SCOPED_TRACE(path.toStdString());
    QPointer<QWidget> window;
    EXPECT_EQ(help.ShowTopic(path, &window), cuiHtmlHelp::kUnavailable);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(help.ShowPopup(path, 1, &window), cuiHtmlHelp::kUnavailable);
    EXPECT_EQ(help.ShowPopup(path, 99999, &window), cuiHtmlHelp::kUnavailable);
    EXPECT_TRUE(window.isNull());
  }
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_TRUE(help.TopicWindow().isNull());
  EXPECT_TRUE(help.PopupWindow().isNull());
}

}  // namespace
