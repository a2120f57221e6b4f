// Shortcut texts of the menu markup become Qt key sequences; anything the
// parser does not know is no shortcut rather than a wrong one.
#include "sheet/ShortcutText.h"

#include <gtest/gtest.h>

namespace {

QString Portable(const QList<QKeySequence>& sequences) {
  QStringList parts;
  for (const QKeySequence& s : sequences) parts << s.toString(QKeySequence::PortableText);
  return parts.join(QLatin1Char('|'));
}

TEST(ShortcutText, KnownTextsParse) {
  struct Case {
    const char* text;
    const char* sequences;
  } const cases[] = {
      {"Ctrl+N", "Ctrl+N"},
      {"ctrl+n", "Ctrl+N"},
      {"Enter", "Return|Enter"},
      {"Shift+Enter", "Shift+Return|Shift+Enter"},
      {"Del", "Del"},
      {"Ins", "Ins"},
      {"Ctrl+Up", "Ctrl+Up"},
      {"Ctrl+Down", "Ctrl+Down"},
      {"Alt+F4", "Alt+F4"},
      {"F1", "F1"},
      {"F12", "F12"},
      {"Ctrl+C", "Ctrl+C"},
      {"Ctrl+Shift+Alt+7", "Ctrl+Alt+Shift+7"},
      {"Esc", "Esc"},
      {"Tab", "Tab"},
      {"Space", "Space"},
      {"BkSp", "Backspace"},
      {"PgUp", "PgUp"},
      {"PgDn", "PgDown"},
      {"Home", "Home"},
      {"End", "End"},
      {"Left", "Left"},
      {"Right", "Right"},
  };
  for (const Case& c : cases) EXPECT_EQ(Portable(TextToShortcuts(c.text)), c.sequences) << c.text;
}

TEST(ShortcutText, UnknownTextsAreNoShortcut) {
  for (const char* text : {"", "Ctrl+", "Ctrl+Foo", "Foo", "F0", "F13", "F01", "Ctrl N", " Ctrl+N",
                           "Ctrl+N ", "Enter+Ctrl", "Ctrl++", "Delete", "\x82\xa0"})
    EXPECT_TRUE(TextToShortcuts(text).isEmpty()) << text;
}

}  // namespace
