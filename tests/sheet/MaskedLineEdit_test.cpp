// kw-test: gui
// The masked line edit: keys reach the template model, the widget shows its
// text and caret, the filter drops characters, and paste is filtered.
#include "sheet/MaskedLineEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace {

void Press(QWidget& w, int key, const QString& text = {},
           Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(&w, &event);
}

void Type(QWidget& w, const QString& text) {
  for (QChar ch : text) Press(w, 0, QString(ch));
}

TEST(MaskedLineEdit, TypingFillsSlotsThroughTheFilter) {
  MaskedEditModel model(" ##\xB0##.##'@");
  MaskedLineEdit edit(model);
  edit.SetCharFilter([](char ch) {
    return (ch >= '0' && ch <= '9') || ch == 'N' || ch == 'n' || ch == 'S' || ch == 's';
  });
  int changes = 0;
  edit.SetChangeHandler([&] { ++changes; });
  Type(edit, "3x5a3912e");  // x, a and e are filtered out
  Type(edit, "n");
  EXPECT_EQ(edit.Model().Text(),
            " 35\xB0"
            "39.12'N");
  EXPECT_EQ(edit.text(), QString::fromUtf8(" 35\u00B039.12'N"));
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(edit.cursorPosition(), 11);
}

TEST(MaskedLineEdit, NavigationKeysKeepTheCaretInRange) {
  MaskedEditModel model("20##/##/##");
  MaskedLineEdit edit(model);
  Press(edit, Qt::Key_Home);
  EXPECT_EQ(edit.cursorPosition(), 2);
  Press(edit, Qt::Key_Left);
  EXPECT_EQ(edit.cursorPosition(), 2);
  Press(edit, Qt::Key_End);
  EXPECT_EQ(edit.cursorPosition(), 10);
  Press(edit, Qt::Key_Right);
  EXPECT_EQ(edit.cursorPosition(), 10);
  edit.Model().SetText("2015/04/07");
  edit.Refresh();
  Press(edit, Qt::Key_End);
  Press(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.Model().Text(), "2015/04/0 ");
  Press(edit, Qt::Key_Home);
  Press(edit, Qt::Key_Delete);
  EXPECT_EQ(edit.Model().Text(), "20 5/04/0 ");
  EXPECT_EQ(edit.text(), QStringLiteral("20 5/04/0 "));
}

TEST(MaskedLineEdit, EscapeAndEnterReachTheirHandlers) {
  MaskedEditModel model("##");
  MaskedLineEdit edit(model);
  int escapes = 0;
  int enters = 0;
  edit.SetEscapeHandler([&] { ++escapes; });
  edit.SetEnterHandler([&] { ++enters; });
  Press(edit, Qt::Key_Escape);
  Press(edit, Qt::Key_Return);
  Press(edit, Qt::Key_Enter);
  EXPECT_EQ(escapes, 1);
  EXPECT_EQ(enters, 2);
}

TEST(MaskedLineEdit, PasteIsFiltered) {
  MaskedEditModel model("##:##:##");
  MaskedLineEdit edit(model);
  edit.SetCharFilter([](char ch) { return ch >= '0' && ch <= '9'; });
  QApplication::clipboard()->setText(QStringLiteral("12h34"));
  Press(edit, Qt::Key_V, {}, Qt::ControlModifier);
  EXPECT_EQ(edit.Model().Text(), "12:34:  ");
  edit.PasteText(QStringLiteral("08:15:30"));  // a whole value
  EXPECT_EQ(edit.Model().Text(), "08:15:30");
}

}  // namespace
