#include "support/ScratchDir.h"

namespace kwtest {

void RemoveAbandonedScratch() {
  const QString temp = QDir::tempPath();
  platform::WorkFolder::RemoveAbandoned(temp, QLatin1String(kScratchPrefix));
  platform::WorkFolder::RemoveAbandoned(temp, QStringLiteral("kw3700-settings-"));
}

}  // namespace kwtest
