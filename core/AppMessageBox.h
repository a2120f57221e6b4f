#pragma once
// The program's one way to show a message box: CP932 texts are converted at
// this boundary and the box is centred on the work area of the owner's
// monitor. Flags and answers are the classic message-box values
// (platform::mb).
#include <QString>
#include <string_view>

class QObject;

// Converts text and caption from code page 932 and shows them. A text or
// caption longer than 999 UTF-16 units is cut at a whole character to 998
// units followed by "…" and still shown (callers used to get Cancel and no box).
int MessageBoxCp932(QObject* owner, std::string_view text, std::string_view caption,
                    unsigned flags);

// Shows a box centred on the work area of the owner's monitor (the desktop
// work area without an owner); returns the button pressed.
int AppMessageBox(QObject* owner, const QString& text, const QString& caption, unsigned flags);

// The cut above: at most 999 UTF-16 units, never splitting a surrogate pair.
QString CutMessageText(const QString& text);
