#pragma once
// Internal consistency failures: a fixed message in an error box titled with
// the application's title, "Abnormal program termination" on stderr, then the
// process ends at once with exit code 3 (no destructors, no settings written).
#include <QString>

namespace platform {

// Title of the failure box; set once the text table is known ("KW-3700" until then).
void SetFatalCaption(const QString& caption);
QString FatalCaption();

// A second failure while the box of the first is showing exits at once.
[[noreturn]] void Fatal(const QString& text);

}  // namespace platform
