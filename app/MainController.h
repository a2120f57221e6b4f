#pragma once
// The program's main controller: the one main() builds after the event bus
// (a ScopedController), or the one a test installed. Using it before one is
// installed is an internal failure.
#include <memory>

class cuiMain;
class cmcGTex;
class indEnviron;

cuiMain& Controller();
cuiMain* ControllerIfInstalled();

// Builds a controller and installs it for its lifetime; the one installed
// before comes back afterwards (put back before this one is destroyed, so
// nothing reaches a controller that is going).
class ScopedController {
 public:
  // The TR-3700's controller (indMain) over the settings and the text table.
  ScopedController(indEnviron& settings, cmcGTex& texts);
  // A controller made by the caller (a test's own subclass).
  explicit ScopedController(std::unique_ptr<cuiMain> controller);
  ~ScopedController();
  ScopedController(const ScopedController&) = delete;
  ScopedController& operator=(const ScopedController&) = delete;

  cuiMain& Get() { return *controller_; }
  cuiMain* operator->() { return controller_.get(); }

 private:
  std::unique_ptr<cuiMain> controller_;
  cuiMain* previous_;
};
