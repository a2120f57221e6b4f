#include "support/cells/ScratchSettings.h"

#include "support/ScratchEnviron.h"

namespace kwtest {

ScratchSettings::ScratchSettings() {
  const indEnviron::Options options = kwtest::ScratchEnvironOptions(dir_);
  settings_ = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                           indEnviron::kKeyPath, options);
  settings_->EtcData.destination = 0;
}

ScratchSettings::~ScratchSettings() = default;

}  // namespace kwtest
