#include "support/cells/ScratchSettings.h"

namespace kwtest {

ScratchSettings::ScratchSettings() {
  indEnviron::Options options;
  options.userFile = dir_.File(QStringLiteral("kw3700.conf"));
  options.machineFile = dir_.File(QStringLiteral("machine.conf"));
  options.lockFolders = {dir_.File(QStringLiteral("run"))};
  options.arguments = {"/usr/bin/kw3700"};
  settings_ = std::make_unique<indEnviron>(indEnviron::kMutexName, indEnviron::kKeyPath,
                                           indEnviron::kKeyPath, options);
  settings_->EtcData.destination = 0;
}

ScratchSettings::~ScratchSettings() = default;

}  // namespace kwtest
