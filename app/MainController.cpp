#include "app/MainController.h"

#include <QString>

#include "app/indMain.h"
#include "platform/Fatal.h"

namespace {
cuiMain* g_installed = nullptr;
}

cuiMain& Controller() {
  if (g_installed == nullptr) platform::Fatal(QStringLiteral("Main controller is not built !"));
  return *g_installed;
}

cuiMain* ControllerIfInstalled() { return g_installed; }

ScopedController::ScopedController(indEnviron& settings, cmcGTex& texts)
    : ScopedController(std::make_unique<indMain>(settings, texts)) {}

ScopedController::ScopedController(std::unique_ptr<cuiMain> controller)
    : controller_(std::move(controller)), previous_(g_installed) {
  if (!controller_) platform::Fatal(QStringLiteral("Main controller is not built !"));
  g_installed = controller_.get();
}

ScopedController::~ScopedController() {
  // Uninstalled first: nothing reaches a controller that is going.
  g_installed = previous_;
  controller_.reset();
}
