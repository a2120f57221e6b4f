#pragma once
// Settings over a private scratch folder (no real home is touched), for
// tests that need an indEnviron: destination 0 until the test sets another.
#include <memory>

#include "core/indEnviron.h"
#include "support/ScratchDir.h"

namespace kwtest {

class ScratchSettings {
 public:
  ScratchSettings();
  ~ScratchSettings();
  indEnviron& Get() { return *settings_; }
  indEnviron* operator->() { return settings_.get(); }

 private:
  ScratchDir dir_;
  std::unique_ptr<indEnviron> settings_;
};

}  // namespace kwtest
