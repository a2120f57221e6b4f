#pragma once
// Shortcut texts of the menu markup ("Ctrl+N", "Shift+Enter", "Del",
// "Ctrl+Up", "Alt+F4", "F1") as Qt key sequences.
//
// The text is any number of the prefixes "Shift+", "Ctrl+" and "Alt+"
// followed by one key name: a letter, a digit, F1 to F12, Enter, Esc, Tab,
// Space, BkSp, Ins, Del, Left, Up, Right, Down, Home, End, PgUp or PgDn,
// compared without regard to case. Anything else is no shortcut (an empty
// list), never an error. "Enter" stands for both the main Return key and
// the keypad's Enter, so it yields two sequences.
#include <QKeySequence>
#include <QList>
#include <string_view>

QList<QKeySequence> TextToShortcuts(std::string_view text);
