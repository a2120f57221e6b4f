#pragma once
// Monitors of the running Qt application: each QScreen's geometry and
// available geometry, and the frame rectangle of a widget.
#include "platform/Monitors.h"

namespace platform {

class QtMonitors final : public Monitors {
 public:
  std::vector<MonitorInfo> List() override;
  std::optional<ScreenRect> WindowRect(QObject* window) override;
};

}  // namespace platform
