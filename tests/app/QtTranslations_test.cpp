// kw-test: gui
// Qt's standard buttons follow the system's language (Qt's translations),
// whatever the interface-language setting: the save question's buttons as
// the message-box service builds them.
#include "platform/gui/QtTranslations.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <string>

#include "platform/MessageBoxService.h"
#include "platform/gui/QtMessageBoxService.h"

namespace {

// A button's text without its access key: "&Yes" and "はい(&Y)" alike.
QString Plain(QString text) {
  text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
  return text.remove(QLatin1Char('&'));
}

TEST(QtTranslationsTest, SaveQuestionButtonsSpeakTheSystemsLanguage) {
  namespace mb = platform::mb;
  const struct Case {
    QLocale::Language system;
    const char* yes;
    const char* no;
    const char* cancel;
  } cases[] = {
      {QLocale::Japanese, "はい", "いいえ", "キャンセル"},
      {QLocale::English, "Yes", "No", "Cancel"},
  };
  for (const Case& c : cases) {
    const platform::QtTranslations translations{QLocale(c.system)};
    QMessageBox box;
    platform::MessageBoxRequest request;
    request.text = QStringLiteral("Save changes?");
    request.caption = QStringLiteral("KW-3700");
    request.flags = mb::YesNoCancel | mb::IconWarning;
    platform::QtMessageBoxService::Configure(box, request);
    const std::string language = QLocale::languageToString(c.system).toStdString();
    ASSERT_NE(box.button(QMessageBox::Yes), nullptr);
    EXPECT_EQ(Plain(box.button(QMessageBox::Yes)->text()).toStdString(), c.yes) << language;
    EXPECT_EQ(Plain(box.button(QMessageBox::No)->text()).toStdString(), c.no) << language;
    EXPECT_EQ(Plain(box.button(QMessageBox::Cancel)->text()).toStdString(), c.cancel) << language;
  }
}

}  // namespace
